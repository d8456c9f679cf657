// Layouts of the structures the plug-in exchanges with Unidrv, GDI and the spooler, on 64-bit
// and on 32-bit Windows. The Linux stand-in declares the 64-bit layouts; the MinGW-w64 builds
// check both against the real SDK headers (and the Unidrv declarations of unidrv_oem.h), so a
// mistake in either set of declarations cannot go unnoticed.
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/unidrv_oem.h"
#include "platform/win32_base.h"

namespace xlrender::layout {

// The expected size or offset on 64-bit Windows, or on 32-bit Windows (4-byte pointers).
constexpr std::size_t ByAbi(std::size_t windows64, std::size_t windows32) {
    return sizeof(void*) == 8 ? windows64 : windows32;
}

#ifndef _WIN32
static_assert(sizeof(void*) == 8, "the stand-in declares the 64-bit Windows layouts");
#endif
static_assert(sizeof(void*) == 8 || sizeof(void*) == 4);
static_assert(sizeof(ULONG_PTR) == sizeof(void*) && sizeof(LONG_PTR) == sizeof(void*));
static_assert(sizeof(LONG) == 4 && sizeof(ULONG) == 4 && sizeof(DWORD) == 4);
static_assert(sizeof(WCHAR) == 2 && sizeof(BOOL) == 4 && sizeof(HRESULT) == 4);
static_assert(sizeof(GUID) == 16);

static_assert(sizeof(DEVMODEW) == 220);
static_assert(offsetof(DEVMODEW, dmSize) == 68);
static_assert(offsetof(DEVMODEW, dmDriverExtra) == 70);
static_assert(offsetof(DEVMODEW, dmFields) == 72);
static_assert(offsetof(DEVMODEW, dmOrientation) == 76);
static_assert(offsetof(DEVMODEW, dmPaperSize) == 78);
static_assert(offsetof(DEVMODEW, dmPaperLength) == 80);
static_assert(offsetof(DEVMODEW, dmPaperWidth) == 82);
static_assert(offsetof(DEVMODEW, dmScale) == 84);
static_assert(offsetof(DEVMODEW, dmCopies) == 86);
static_assert(offsetof(DEVMODEW, dmDefaultSource) == 88);
static_assert(offsetof(DEVMODEW, dmPrintQuality) == 90);
static_assert(offsetof(DEVMODEW, dmColor) == 92);
static_assert(offsetof(DEVMODEW, dmDuplex) == 94);
static_assert(offsetof(DEVMODEW, dmYResolution) == 96);
static_assert(offsetof(DEVMODEW, dmTTOption) == 98);
static_assert(offsetof(DEVMODEW, dmCollate) == 100);
static_assert(offsetof(DEVMODEW, dmFormName) == 102);
static_assert(offsetof(DEVMODEW, dmNup) == 180);
static_assert(offsetof(DEVMODEW, dmMediaType) == 196);

static_assert(sizeof(GDIINFO) == ByAbi(320, 304));
static_assert(offsetof(GDIINFO, ulHorzSize) == 8);
static_assert(offsetof(GDIINFO, ulHorzRes) == 16);
static_assert(offsetof(GDIINFO, cBitsPixel) == 24);
static_assert(offsetof(GDIINFO, ulLogPixelsX) == 40);
static_assert(offsetof(GDIINFO, ptlPhysOffset) == 88);
static_assert(offsetof(GDIINFO, szlPhysSize) == 96);
static_assert(offsetof(GDIINFO, ciDevice) == 108);
static_assert(offsetof(GDIINFO, ulHTOutputFormat) == 240);
static_assert(offsetof(GDIINFO, pHTPatA) == 280);
static_assert(sizeof(LOGFONTW) == 92);
static_assert(sizeof(DEVINFO) == ByAbi(312, 300));
static_assert(offsetof(DEVINFO, hpalDefault) == ByAbi(296, 292));

static_assert(sizeof(SURFOBJ) == ByAbi(80, 52));
static_assert(offsetof(SURFOBJ, dhpdev) == ByAbi(16, 8));
static_assert(offsetof(SURFOBJ, sizlBitmap) == ByAbi(32, 16));
static_assert(offsetof(SURFOBJ, pvScan0) == ByAbi(56, 32));
static_assert(offsetof(SURFOBJ, lDelta) == ByAbi(64, 36));
static_assert(offsetof(SURFOBJ, iType) == ByAbi(76, 48));
static_assert(sizeof(BRUSHOBJ) == ByAbi(24, 12));
static_assert(offsetof(BRUSHOBJ, flColorType) == ByAbi(16, 8));
static_assert(sizeof(CLIPOBJ) == 24 && offsetof(CLIPOBJ, iDComplexity) == 20);
static_assert(sizeof(XLATEOBJ) == ByAbi(24, 20) && offsetof(XLATEOBJ, pulXlate) == 16);
static_assert(sizeof(STROBJ) == ByAbi(48, 36) && offsetof(STROBJ, pwszOrg) == ByAbi(40, 32));
static_assert(sizeof(FONTOBJ) == ByAbi(64, 44));
static_assert(offsetof(FONTOBJ, pvProducer) == ByAbi(56, 40));
static_assert(sizeof(COLORADJUSTMENT) == 24);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(DRVFN) == ByAbi(16, 8) && offsetof(DRVFN, pfn) == ByAbi(8, 4));
static_assert(sizeof(DRVENABLEDATA) == ByAbi(16, 12) && offsetof(DRVENABLEDATA, pdrvfn) == 8);

static_assert(sizeof(DEVOBJ) == ByAbi(64, 32));
static_assert(offsetof(DEVOBJ, pdevOEM) == ByAbi(8, 4));
static_assert(offsetof(DEVOBJ, hPrinter) == ByAbi(24, 12));
static_assert(offsetof(DEVOBJ, pPublicDM) == ByAbi(40, 20));
static_assert(offsetof(DEVOBJ, pOEMDM) == ByAbi(48, 24));
static_assert(offsetof(DEVOBJ, pDrvProcs) == ByAbi(56, 28));
static_assert(sizeof(DRVPROCS) == ByAbi(56, 28));
static_assert(offsetof(DRVPROCS, BGetStandardVariable) == ByAbi(32, 16));
static_assert(sizeof(OEMDMPARAM) == ByAbi(72, 36));
static_assert(offsetof(OEMDMPARAM, pOEMDMIn) == ByAbi(48, 24));
static_assert(offsetof(OEMDMPARAM, cbBufSize) == ByAbi(64, 32));
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12);
static_assert(sizeof(UNIFONTOBJ) == ByAbi(24, 16));
static_assert(offsetof(UNIFONTOBJ, pfnGetInfo) == ByAbi(16, 12));
static_assert(sizeof(GETINFO_STDVAR) == 16);
static_assert(sizeof(FINVOCATION) == ByAbi(16, 8));
static_assert(offsetof(FINVOCATION, pubCommand) == ByAbi(8, 4));

static_assert(sizeof(SYSTEMTIME) == 16 && sizeof(FILETIME) == 8);
static_assert(sizeof(TIME_ZONE_INFORMATION) == 172);
static_assert(offsetof(TIME_ZONE_INFORMATION, StandardName) == 4);
static_assert(offsetof(TIME_ZONE_INFORMATION, StandardDate) == 68);
static_assert(offsetof(TIME_ZONE_INFORMATION, StandardBias) == 84);
static_assert(offsetof(TIME_ZONE_INFORMATION, DaylightName) == 88);
static_assert(offsetof(TIME_ZONE_INFORMATION, DaylightDate) == 152);
static_assert(offsetof(TIME_ZONE_INFORMATION, DaylightBias) == 168);
static_assert(sizeof(UUID) == 16);
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);
static_assert(offsetof(VS_FIXEDFILEINFO, dwFileVersionMS) == 8);
static_assert(offsetof(VS_FIXEDFILEINFO, dwFileVersionLS) == 12);
static_assert(offsetof(VS_FIXEDFILEINFO, dwFileDateLS) == 48);
static_assert(sizeof(PRINTER_DEFAULTSW) == ByAbi(24, 12));
static_assert(offsetof(PRINTER_DEFAULTSW, DesiredAccess) == ByAbi(16, 8));
static_assert(sizeof(PRINTER_INFO_2W) == ByAbi(136, 84));
static_assert(offsetof(PRINTER_INFO_2W, pPortName) == ByAbi(24, 12));
static_assert(offsetof(PRINTER_INFO_2W, pPrintProcessor) == ByAbi(72, 36));
static_assert(offsetof(PRINTER_INFO_2W, Attributes) == ByAbi(104, 52));
static_assert(sizeof(DRIVER_INFO_3W) == ByAbi(80, 40));
static_assert(offsetof(DRIVER_INFO_3W, pDependentFiles) == ByAbi(56, 28));
static_assert(sizeof(JOB_INFO_2W) == ByAbi(160, 104));
static_assert(offsetof(JOB_INFO_2W, pMachineName) == ByAbi(16, 8));
static_assert(offsetof(JOB_INFO_2W, pDevMode) == ByAbi(80, 40));
static_assert(offsetof(JOB_INFO_2W, Submitted) == ByAbi(132, 80));
static_assert(sizeof(OSVERSIONINFOW) == 276 && sizeof(OSVERSIONINFOEXW) == 284);
static_assert(offsetof(OSVERSIONINFOEXW, wProductType) == 282);
static_assert(sizeof(FORM_INFO_1W) == ByAbi(40, 32) &&
              offsetof(FORM_INFO_1W, pName) == ByAbi(8, 4));
static_assert(offsetof(FORM_INFO_1W, Size) == ByAbi(16, 8));
static_assert(offsetof(FORM_INFO_1W, ImageableArea) == ByAbi(24, 16));

}  // namespace xlrender::layout
