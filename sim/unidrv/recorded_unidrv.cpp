#include "unidrv/recorded_unidrv.h"

#include "platform/function_cast.h"
#include "recorded_call.h"

namespace sim::unidrv {
namespace {

template <const char* Name, typename Signature>
struct Recorder;

template <const char* Name, typename Result, typename... Arguments>
struct Recorder<Name, Result(Arguments...)> {
    static Result APIENTRY Call(Arguments... arguments) {
        return RecordCall<Result>(Name, arguments...);
    }
};

template <const char* Name, typename Signature>
DRVFN Entry(ULONG index) {
    return {index, xlrender::CastFunction<PFN>(&Recorder<Name, Signature>::Call)};
}

constexpr char kCopyBits[] = "DrvCopyBits";
constexpr char kBitBlt[] = "DrvBitBlt";
constexpr char kStretchBlt[] = "DrvStretchBlt";
constexpr char kStretchBltROP[] = "DrvStretchBltROP";
constexpr char kTextOut[] = "DrvTextOut";
constexpr char kStartPage[] = "DrvStartPage";
constexpr char kSendPage[] = "DrvSendPage";
constexpr char kEscape[] = "DrvEscape";
constexpr char kStartDoc[] = "DrvStartDoc";
constexpr char kEndDoc[] = "DrvEndDoc";
constexpr char kNextBand[] = "DrvNextBand";
constexpr char kStartBanding[] = "DrvStartBanding";
constexpr char kPlgBlt[] = "DrvPlgBlt";

}  // namespace

std::vector<DRVFN> RecordingFunctionTable() {
    return {
        Entry<kCopyBits, DdiCopyBits>(INDEX_DrvCopyBits),
        Entry<kBitBlt, DdiBitBlt>(INDEX_DrvBitBlt),
        Entry<kStretchBlt, DdiStretchBlt>(INDEX_DrvStretchBlt),
        Entry<kStretchBltROP, DdiStretchBltROP>(INDEX_DrvStretchBltROP),
        Entry<kTextOut, DdiTextOut>(INDEX_DrvTextOut),
        Entry<kStartPage, DdiStartPage>(INDEX_DrvStartPage),
        Entry<kSendPage, DdiSendPage>(INDEX_DrvSendPage),
        Entry<kEscape, DdiEscape>(INDEX_DrvEscape),
        Entry<kStartDoc, DdiStartDoc>(INDEX_DrvStartDoc),
        Entry<kEndDoc, DdiEndDoc>(INDEX_DrvEndDoc),
        Entry<kNextBand, DdiNextBand>(INDEX_DrvNextBand),
        Entry<kStartBanding, DdiStartBanding>(INDEX_DrvStartBanding),
        Entry<kPlgBlt, DdiPlgBlt>(INDEX_DrvPlgBlt),
    };
}

}  // namespace sim::unidrv
