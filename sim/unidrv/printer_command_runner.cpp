#include "unidrv/printer_command_runner.h"

#include <string>

#include "unidrv/pclxl_writer.h"

namespace sim::unidrv {
namespace {

constexpr char kUniversalExit[] = "\x1B%-12345X";
constexpr std::uint8_t kMeasureInch = 0;
constexpr std::uint8_t kErrorPageAndBackChannel = 3;
constexpr std::uint8_t kDefaultDataSource = 0;
constexpr std::uint8_t kLowByteFirst = 1;

// The bytes Unidrv writes for `command`; empty for a callback, which the plug-in answers.
std::string PrinterCommandBytes(const PrinterCommand& command, const CommandFraming& framing) {
    using Kind = PrinterCommand::Kind;
    std::string bytes;
    pclxl::Writer writer(bytes);
    switch (command.kind) {
        case Kind::kUniversalExit:
            bytes = kUniversalExit;
            break;
        case Kind::kPjlLine:
            bytes = command.text + "\n";
            break;
        case Kind::kCallback:
            break;
        case Kind::kStreamHeader:
            bytes = pclxl::StreamHeader();
            break;
        case Kind::kBeginSession:
            writer.UInt16Xy(static_cast<std::uint16_t>(framing.resolution),
                            static_cast<std::uint16_t>(framing.resolution))
                .Attr(pclxl::kUnitsPerMeasure)
                .UByte(kMeasureInch).Attr(pclxl::kMeasure)
                .UByte(kErrorPageAndBackChannel).Attr(pclxl::kErrorReport)
                .Op(pclxl::kBeginSession);
            break;
        case Kind::kOpenDataSource:
            writer.UByte(kDefaultDataSource).Attr(pclxl::kSourceType)
                .UByte(kLowByteFirst).Attr(pclxl::kDataOrg)
                .Op(pclxl::kOpenDataSource);
            break;
        case Kind::kMediaSize:
            writer.UByte(framing.mediaSize).Attr(pclxl::kMediaSize);
            break;
        case Kind::kMediaSource:
            writer.UByte(framing.mediaSource).Attr(pclxl::kMediaSource);
            break;
        case Kind::kBeginPage:
            writer.Op(pclxl::kBeginPage);
            break;
        case Kind::kPageOrigin:
            // GDI counts device pixels from the printable area's corner, the printer from the
            // paper's: without this every object lands a margin up and to the left.
            writer.SInt16Xy(framing.marginPixels, framing.marginPixels)
                .Attr(pclxl::kPageOrigin)
                .Op(pclxl::kSetPageOrigin);
            break;
        case Kind::kEndPage:
            writer.Op(pclxl::kEndPage);
            break;
        case Kind::kCloseDataSource:
            writer.Op(pclxl::kCloseDataSource);
            break;
        case Kind::kEndSession:
            writer.Op(pclxl::kEndSession);
            break;
    }
    return bytes;
}

}  // namespace

void RunPrinterCommands(IPrintOemUni& plugin, Device& device,
                        const std::vector<PrinterCommand>& commands, const CommandFraming& framing) {
    for (const PrinterCommand& command : commands) {
        if (command.kind == PrinterCommand::Kind::kCallback) {
            INT result = 0;
            plugin.CommandCallback(device.devobj(), command.callbackId, 0, nullptr, &result);
            continue;
        }
        const std::string bytes = PrinterCommandBytes(command, framing);
        device.spool().Write(SpoolRoute::kUnidrv, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
}

}  // namespace sim::unidrv
