#include "unidrv/printer_commands.h"

#include <array>
#include <charconv>
#include <utility>

namespace sim::unidrv {
namespace {

using Kind = PrinterCommand::Kind;

constexpr std::array<std::pair<const char*, Kind>, 11> kNamedCommands = {{
    {"uel", Kind::kUniversalExit},
    {"stream-header", Kind::kStreamHeader},
    {"BeginSession", Kind::kBeginSession},
    {"OpenDataSource", Kind::kOpenDataSource},
    {"MediaSize", Kind::kMediaSize},
    {"MediaSource", Kind::kMediaSource},
    {"BeginPage", Kind::kBeginPage},
    {"PageOrigin", Kind::kPageOrigin},
    {"EndPage", Kind::kEndPage},
    {"CloseDataSource", Kind::kCloseDataSource},
    {"EndSession", Kind::kEndSession},
}};

constexpr std::string_view kCallbackPrefix = "callback ";
constexpr std::string_view kPjlPrefix = "pjl ";

PrinterCommand Named(Kind kind) { return {kind, {}, 0}; }
PrinterCommand Callback(unsigned id) { return {Kind::kCallback, {}, id}; }
PrinterCommand Pjl(std::string text) { return {Kind::kPjlLine, std::move(text), 0}; }

}  // namespace

PrinterCommands DefaultPrinterCommands() {
    PrinterCommands description;
    description.jobStart = {Named(Kind::kUniversalExit), Callback(1), Callback(5), Callback(3),
                            Callback(4), Callback(8), Callback(10), Callback(13),
                            Pjl("@PJL ENTER LANGUAGE=PCLXL"), Named(Kind::kStreamHeader),
                            Named(Kind::kBeginSession), Named(Kind::kOpenDataSource)};
    description.pageStart = {Callback(2), Named(Kind::kMediaSize), Named(Kind::kMediaSource),
                             Callback(11), Named(Kind::kBeginPage), Named(Kind::kPageOrigin)};
    // The plug-in ends every page itself.
    description.pageEnd = {};
    description.jobEnd = {Named(Kind::kCloseDataSource), Named(Kind::kEndSession),
                          Named(Kind::kUniversalExit), Pjl("@PJL EOJ"),
                          Named(Kind::kUniversalExit)};
    return description;
}

std::optional<PrinterCommand> ParsePrinterCommand(const std::string& text) {
    for (const auto& [name, kind] : kNamedCommands) {
        if (text == name) {
            return Named(kind);
        }
    }
    if (text.starts_with(kPjlPrefix) && text.size() > kPjlPrefix.size()) {
        return Pjl(text.substr(kPjlPrefix.size()));
    }
    if (text.starts_with(kCallbackPrefix)) {
        unsigned id = 0;
        const char* first = text.data() + kCallbackPrefix.size();
        const char* last = text.data() + text.size();
        const auto [end, error] = std::from_chars(first, last, id);
        if (error == std::errc() && end == last && first != last) {
            return Callback(id);
        }
    }
    return std::nullopt;
}

}  // namespace sim::unidrv
