// Default values of the private devmode, group by group.
#pragma once

#include "platform/win32_api.h"
#include "settings/merge_groups.h"
#include "settings/private_devmode.h"

namespace xlrender {

void WritePrivateDevmodeHeader(PrivateDevmode& devmode);

// Writes the defaults of one numbered group. Values that follow the public devmode are taken
// from `publicIn`; without one they are left as they are.
void ResetGroup(MergeGroupId group, PrivateDevmode& devmode, const DEVMODEW* publicIn);

// Copies the fields that mirror the public devmode.
void MirrorPublicDevmode(PrivateDevmode& devmode, const DEVMODEW& publicIn);

// OEMDM_DEFAULT: a fresh private devmode in pOEMDMOut. Every field starts from zero (padding
// and reserved bytes are left alone), so a field the defaults do not name never keeps the
// garbage of the host's buffer. False with ERROR_INVALID_DATA when there is no output block.
bool SetPrivateDevmodeDefaults(OEMDMPARAM& param);

}  // namespace xlrender
