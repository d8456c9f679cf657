// DevMode with any mode, any output size and any input block (size, signature, version and
// content), with and without the public devmodes: the plug-in reads the input only within the
// size its header states and writes only within the output size it was given.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "frame/private_devmode_dispatch.h"
#include "fuzz_input.h"
#include "settings/devmode_identity.h"
#include "world.h"

namespace {

using xlrender::fuzz::FuzzInput;

enum Choice : std::uint8_t {
    kPublicIn = 1,
    kPublicOut = 2,
    kPrivateIn = 4,
    kSizedOutput = 8,  // an output of the size the plug-in asks for, else of the input's choice
};

DEVMODEW PublicDevmode(FuzzInput& input) {
    DEVMODEW devmode{};
    const std::vector<std::uint8_t> bytes = input.Bytes(sizeof devmode);
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(&devmode));
    return devmode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    sim::ResetWorld();
    const DWORD mode = input.Byte() % (OEMDM_MERGE + 2);
    const std::uint8_t choices = input.Byte();
    const std::uint16_t outputChoice = input.Word();
    DEVMODEW publicIn = PublicDevmode(input);
    DEVMODEW publicOut = PublicDevmode(input);

    // Unidrv hands over at least the block's header, and never a block shorter than the size
    // the header states: a longer claim is cut to the bytes there are.
    std::vector<std::uint8_t> block = input.Rest();
    block.resize(std::max(block.size(), sizeof(OEM_DMEXTRAHEADER)));
    std::unique_ptr<std::uint8_t[]> in(new std::uint8_t[block.size()]);
    std::copy(block.begin(), block.end(), in.get());
    OEM_DMEXTRAHEADER header;
    std::memcpy(&header, in.get(), sizeof header);
    header.dwSize = std::min<DWORD>(header.dwSize, static_cast<DWORD>(block.size()));
    std::memcpy(in.get(), &header, sizeof header);

    const DWORD outputBytes =
        (choices & kSizedOutput) ? xlrender::kPrivateDevmodeSize : outputChoice;
    std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[outputBytes]);
    std::fill_n(out.get(), outputBytes, 0xA5);

    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.hPrinter = reinterpret_cast<HANDLE>(1);
    param.hModule = reinterpret_cast<HANDLE>(2);
    param.pPublicDMIn = (choices & kPublicIn) ? &publicIn : nullptr;
    param.pPublicDMOut = (choices & kPublicOut) ? &publicOut : nullptr;
    param.pOEMDMIn = (choices & kPrivateIn) ? in.get() : nullptr;
    param.pOEMDMOut = out.get();
    param.cbBufSize = outputBytes;
    xlrender::DispatchPrivateDevmode(mode, &param);
    return 0;
}
