// Signatures of the DDI functions the plug-in hooks, as function types: the plug-in calls
// Unidrv's own implementations through them, and the stand-in implements them.
#pragma once

#include "platform/win32_base.h"

using DdiCopyBits = BOOL(SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*);
using DdiBitBlt = BOOL(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*,
                       POINTL*, BRUSHOBJ*, POINTL*, ROP4);
using DdiStretchBlt = BOOL(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*,
                           POINTL*, RECTL*, RECTL*, POINTL*, ULONG);
using DdiStretchBltROP = BOOL(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*,
                              COLORADJUSTMENT*, POINTL*, RECTL*, RECTL*, POINTL*, ULONG,
                              BRUSHOBJ*, DWORD);
using DdiTextOut = BOOL(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*, BRUSHOBJ*,
                        BRUSHOBJ*, POINTL*, MIX);
using DdiStartPage = BOOL(SURFOBJ*);
using DdiSendPage = BOOL(SURFOBJ*);
using DdiEscape = ULONG(SURFOBJ*, ULONG, ULONG, PVOID, ULONG, PVOID);
using DdiStartDoc = BOOL(SURFOBJ*, LPWSTR, DWORD);
using DdiEndDoc = BOOL(SURFOBJ*, FLONG);
using DdiNextBand = BOOL(SURFOBJ*, POINTL*);
using DdiStartBanding = BOOL(SURFOBJ*, POINTL*);
using DdiPlgBlt = BOOL(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*,
                       POINTL*, POINTFIX*, RECTL*, POINTL*, ULONG);
