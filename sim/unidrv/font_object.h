// A device font as Unidrv hands it to the plug-in (UNIFONTOBJ), answering the standard
// variables that font commands ask for.
#pragma once

#include "platform/win32_api.h"

namespace sim::unidrv {

class FontObject {
public:
    FontObject();
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;

    UNIFONTOBJ* unifontobj() { return &object_.font; }
    // FNT_INFO_FONTHEIGHT, in device units.
    void SetHeight(LONG height) { height_ = height; }
    // Makes every pfnGetInfo call fail.
    void RefuseQueries() { refuseQueries_ = true; }
    int queries() const { return queries_; }

private:
    static BOOL APIENTRY GetInfo(UNIFONTOBJ* font, DWORD infoId, PVOID data, DWORD dataSize,
                                 PDWORD needed);

    // The UNIFONTOBJ comes first so that the callback finds its FontObject from it.
    struct Layout {
        UNIFONTOBJ font;
        FontObject* owner;
    } object_{};
    LONG height_ = 0;
    bool refuseQueries_ = false;
    int queries_ = 0;
};

}  // namespace sim::unidrv
