// The driver's DDI functions as GDI reaches them.
#pragma once

#include "platform/function_cast.h"
#include "platform/win32_api.h"

namespace sim::unidrv {

// The plug-in's hook for a DDI function, or Unidrv's own when the plug-in hooks none: GDI calls
// whichever the driver's table lists.
class DdiFunctions {
public:
    DdiFunctions(const DRVENABLEDATA& plugin, const DRVENABLEDATA& unidrv)
        : plugin_(plugin), unidrv_(unidrv) {}

    template <typename Function>
    Function* Get(ULONG index) const {
        for (const DRVENABLEDATA* table : {&plugin_, &unidrv_}) {
            for (ULONG i = 0; i < table->c; ++i) {
                if (table->pdrvfn[i].iFunc == index) {
                    return xlrender::CastFunction<Function*>(table->pdrvfn[i].pfn);
                }
            }
        }
        return nullptr;
    }

private:
    const DRVENABLEDATA& plugin_;
    const DRVENABLEDATA& unidrv_;
};

}  // namespace sim::unidrv
