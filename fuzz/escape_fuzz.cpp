// Any escape the plug-in answers, with any input bytes and size and any output size, on a
// device context whose options and private devmode the input chooses: an escape may refuse,
// but must never read or write outside the caller's blocks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "frame/ddi_hooks.h"
#include "frame/escape_blocks.h"
#include "fuzz_input.h"
#include "platform/guids.h"
#include "settings/devmode_identity.h"
#include "unidrv/device.h"
#include "unidrv/recorded_unidrv.h"
#include "world.h"

namespace {

using xlrender::fuzz::FuzzInput;

constexpr ULONG kEscapes[] = {QUERYESCSUPPORT,
                              PASSTHROUGH,
                              xlrender::kEscapeTechnology,
                              xlrender::kEscapeSettingsSnapshot,
                              xlrender::kEscapePrintableArea,
                              xlrender::kEscapeEventDialog,
                              xlrender::kEscapePageLayout,
                              xlrender::kEscapeJobStorageDialog};

// The GPD features the escapes' answers depend on; the input picks their options.
const char* const kFeatures[] = {"KZPCL6PassThrough",
                                 "ManualDuplex",
                                 "JobRetention",
                                 "KZPJLEncoding",
                                 "ActualCustomRange",
                                 "KZEmulateLumisetMargins",
                                 "KZManualDuplexDialogModel",
                                 "KZManualDuplexPageRotate",
                                 "KZPosterPrinting",
                                 "KZPosterPrintingOption"};

enum Choice : std::uint8_t {
    kNoInput = 1,
    kNoOutput = 2,
    kPatchDevmode = 4,
};

struct Plugin {
    Plugin() {
        void* factory = nullptr;
        DllGetClassObject(xlrender::kClsidRenderPlugin, xlrender::kIidClassFactory, &factory);
        auto* classFactory = static_cast<IClassFactory*>(factory);
        void* created = nullptr;
        classFactory->CreateInstance(nullptr, xlrender::kIidPrintOemUni, &created);
        classFactory->Release();
        object = static_cast<IPrintOemUni*>(created);
        object->PublishDriverInterface(&helper);
        unidrvTable = sim::unidrv::RecordingFunctionTable();
        unidrvFunctions = {PRINTER_OEMINTF_VERSION, static_cast<ULONG>(unidrvTable.size()),
                           unidrvTable.data()};
    }

    ~Plugin() { object->Release(); }
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    IPrintOemUni* object = nullptr;
    sim::unidrv::DriverHelper helper;
    std::vector<DRVFN> unidrvTable;
    DRVENABLEDATA unidrvFunctions{};
};

std::string OptionText(FuzzInput& input) {
    const std::vector<std::uint8_t> bytes = input.Bytes(input.Byte() % 16);
    std::string option(bytes.begin(), bytes.end());
    return option.substr(0, option.find('\0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    // The plug-in object lives in the world's heap, so each input gets a fresh world and then
    // a fresh object in it.
    sim::World& world = sim::ResetWorld();
    Plugin plugin;
    sim::PrinterDescription printer;
    printer.name = u"Office";
    world.spooler.printers.push_back(printer);

    const ULONG escape = kEscapes[input.Byte() % std::size(kEscapes)];
    const std::uint8_t choices = input.Byte();
    const ULONG outputBytes = input.Word();
    sim::unidrv::Device device(xlrender::kPrivateDevmodeSize);
    const std::uint16_t selected = input.Word();
    for (std::size_t i = 0; i < std::size(kFeatures); ++i) {
        if ((selected >> i) & 1) {
            device.SelectOption(kFeatures[i], OptionText(input));
        }
    }
    GDIINFO gdiInfo{};
    DEVINFO devInfo{};
    PDEVOEM pdev = nullptr;
    if (plugin.object->EnablePDEV(device.devobj(), nullptr, 0, nullptr, sizeof gdiInfo, &gdiInfo,
                                  sizeof devInfo, &devInfo, &plugin.unidrvFunctions,
                                  &pdev) != S_OK) {
        return 0;
    }
    device.devobj()->pdevOEM = pdev;
    HANDLE printerHandle = nullptr;
    OpenPrinterW(const_cast<WCHAR*>(u"Office"), &printerHandle, nullptr);
    device.devobj()->hPrinter = printerHandle;
    if (choices & kPatchDevmode) {
        const std::size_t offset = input.Word() % xlrender::kPrivateDevmodeSize;
        const std::vector<std::uint8_t> patch = input.Piece();
        std::copy_n(patch.begin(), std::min(patch.size(), xlrender::kPrivateDevmodeSize - offset),
                    device.privateDevmode() + offset);
    }

    // Blocks of exactly the sizes the escape is told, so that any access past them is caught.
    const std::vector<std::uint8_t> rest = input.Rest();
    std::unique_ptr<std::uint8_t[]> in(new std::uint8_t[rest.size()]);
    std::copy(rest.begin(), rest.end(), in.get());
    std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[outputBytes]);
    xlrender::DrvEscape(device.surface(), escape, static_cast<ULONG>(rest.size()),
                        (choices & kNoInput) ? nullptr : in.get(), outputBytes,
                        (choices & kNoOutput) ? nullptr : out.get());

    plugin.object->DisablePDEV(device.devobj());
    ClosePrinter(printerHandle);
    return 0;
}
