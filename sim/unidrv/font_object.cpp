#include "unidrv/font_object.h"

#include <cstddef>

namespace sim::unidrv {

FontObject::FontObject() {
    object_.font.pfnGetInfo = &FontObject::GetInfo;
    object_.owner = this;
}

// Like Unidrv, the request is only answered when its header describes it: the size of the
// structure and the number of variables asked for.
BOOL APIENTRY FontObject::GetInfo(UNIFONTOBJ* font, DWORD infoId, PVOID data, DWORD dataSize,
                                  PDWORD needed) {
    static_assert(offsetof(Layout, font) == 0);
    FontObject* self = reinterpret_cast<Layout*>(font)->owner;
    ++self->queries_;
    if (needed != nullptr) {
        *needed = sizeof(GETINFO_STDVAR);
    }
    if (self->refuseQueries_ || infoId != UFO_GETINFO_STDVARIABLE || data == nullptr ||
        dataSize < sizeof(GETINFO_STDVAR)) {
        return FALSE;
    }
    auto* request = static_cast<GETINFO_STDVAR*>(data);
    if (request->dwSize != sizeof(GETINFO_STDVAR) || request->dwNumOfVariable != 1 ||
        request->StdVar[0].dwStdVarID != FNT_INFO_FONTHEIGHT) {
        return FALSE;
    }
    request->StdVar[0].lStdVariable = self->height_;
    return TRUE;
}

}  // namespace sim::unidrv
