// Signatures of the DDI functions the plug-in hooks, as function types: the plug-in calls
// Unidrv's own implementations through them, and the stand-in implements them. They carry
// APIENTRY as winddi.h does: on 32-bit Windows that is __stdcall, and a call through a type
// without it would leave the stack unbalanced.
#pragma once

#include "platform/win32_base.h"

using DdiCopyBits = BOOL APIENTRY(SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*);
using DdiBitBlt = BOOL APIENTRY(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*,
                                POINTL*, BRUSHOBJ*, POINTL*, ROP4);
using DdiStretchBlt = BOOL APIENTRY(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*,
                                    COLORADJUSTMENT*, POINTL*, RECTL*, RECTL*, POINTL*, ULONG);
using DdiStretchBltROP = BOOL APIENTRY(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*,
                                       COLORADJUSTMENT*, POINTL*, RECTL*, RECTL*, POINTL*, ULONG,
                                       BRUSHOBJ*, DWORD);
using DdiTextOut = BOOL APIENTRY(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*, BRUSHOBJ*,
                                 BRUSHOBJ*, POINTL*, MIX);
using DdiStartPage = BOOL APIENTRY(SURFOBJ*);
using DdiSendPage = BOOL APIENTRY(SURFOBJ*);
using DdiEscape = ULONG APIENTRY(SURFOBJ*, ULONG, ULONG, PVOID, ULONG, PVOID);
using DdiStartDoc = BOOL APIENTRY(SURFOBJ*, LPWSTR, DWORD);
using DdiEndDoc = BOOL APIENTRY(SURFOBJ*, FLONG);
using DdiNextBand = BOOL APIENTRY(SURFOBJ*, POINTL*);
using DdiStartBanding = BOOL APIENTRY(SURFOBJ*, POINTL*);
using DdiPlgBlt = BOOL APIENTRY(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*,
                                POINTL*, POINTFIX*, RECTL*, POINTL*, ULONG);
