#include "settings/private_devmode_merge.h"

#include <cstddef>

#include "settings/keyword_tables.h"
#include "settings/merge_groups.h"
#include "settings/private_devmode.h"
#include "settings/private_devmode_defaults.h"

namespace xlrender {
namespace {

// The input block when its groups may be read: present, as large as this layout and of this
// version. Anything else is treated as a block of another version.
const PrivateDevmode* CurrentInput(const OEMDMPARAM& param) {
    const auto* in = static_cast<const PrivateDevmode*>(param.pOEMDMIn);
    if (in == nullptr || in->dwSize < kPrivateDevmodeSize ||
        in->dwVersion != kPrivateDevmodeVersion) {
        return nullptr;
    }
    return in;
}

// The input's PDL type whatever the block's version, since an upgraded devmode comes from the
// same printer; invalid without an input block or when the block is too short to hold it.
DWORD InputPdlType(const OEMDMPARAM& param) {
    const auto* in = static_cast<const PrivateDevmode*>(param.pOEMDMIn);
    if (in == nullptr || in->dwSize < offsetof(PrivateDevmode, PdlType) + sizeof in->PdlType) {
        return kPdlInvalid;
    }
    return in->PdlType;
}

// PCL printers download TrueType fonts instead of receiving them as bitmaps unless the private
// devmode asked for bitmaps.
void FixTrueTypeOption(const PrivateDevmode& out, DWORD inputPdlType, DEVMODEW* publicOut) {
    if (publicOut == nullptr || out.TrueTypeMode != kTrueTypeOther ||
        (inputPdlType != kPdlPcl5 && inputPdlType != kPdlPcl6) ||
        publicOut->dmTTOption != DMTT_BITMAP) {
        return;
    }
    publicOut->dmTTOption = DMTT_DOWNLOAD;
}

bool BringIn(OEMDMPARAM& param, bool rewriteHeader) {
    auto* out = static_cast<PrivateDevmode*>(param.pOEMDMOut);
    if (out == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    FixTrueTypeOption(*out, InputPdlType(param), param.pPublicDMOut);
    const PrivateDevmode* in = CurrentInput(param);
    if (rewriteHeader) {
        WritePrivateDevmodeHeader(*out);
    }
    if (in != nullptr) {
        CopyGroup(GroupOf(MergeGroupId::kKept), *in, *out);
    }
    for (MergeGroupId group : kNumberedGroups) {
        if (in != nullptr) {
            CopyGroup(GroupOf(group), *in, *out);
        } else {
            ResetGroup(group, *out, param.pPublicDMIn);
        }
        if (group == MergeGroupId::k1 && param.pPublicDMIn != nullptr) {
            MirrorPublicDevmode(*out, *param.pPublicDMIn);
        }
    }
    return true;
}

}  // namespace

bool ConvertPrivateDevmode(OEMDMPARAM& param) { return BringIn(param, true); }

bool MergePrivateDevmode(OEMDMPARAM& param) { return BringIn(param, false); }

}  // namespace xlrender
