// Windows x64 layouts of the structures the plug-in exchanges with Unidrv, GDI and the spooler.
// The same assertions hold against the real SDK headers in the MinGW-w64 build, so a mistake in
// the Linux declarations cannot go unnoticed.
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/unidrv_oem.h"
#include "platform/win32_base.h"

static_assert(sizeof(void*) == 8, "the plug-in targets 64-bit Windows layouts only");
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

static_assert(sizeof(GDIINFO) == 320);
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
static_assert(sizeof(DEVINFO) == 312);
static_assert(offsetof(DEVINFO, hpalDefault) == 296);

static_assert(sizeof(SURFOBJ) == 80);
static_assert(offsetof(SURFOBJ, dhpdev) == 16);
static_assert(offsetof(SURFOBJ, sizlBitmap) == 32);
static_assert(offsetof(SURFOBJ, pvScan0) == 56);
static_assert(offsetof(SURFOBJ, lDelta) == 64);
static_assert(offsetof(SURFOBJ, iType) == 76);
static_assert(sizeof(BRUSHOBJ) == 24 && offsetof(BRUSHOBJ, flColorType) == 16);
static_assert(sizeof(CLIPOBJ) == 24 && offsetof(CLIPOBJ, iDComplexity) == 20);
static_assert(sizeof(XLATEOBJ) == 24 && offsetof(XLATEOBJ, pulXlate) == 16);
static_assert(sizeof(STROBJ) == 48 && offsetof(STROBJ, pwszOrg) == 40);
static_assert(sizeof(FONTOBJ) == 64 && offsetof(FONTOBJ, pvProducer) == 56);
static_assert(sizeof(COLORADJUSTMENT) == 24);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(DRVFN) == 16 && offsetof(DRVFN, pfn) == 8);
static_assert(sizeof(DRVENABLEDATA) == 16 && offsetof(DRVENABLEDATA, pdrvfn) == 8);

static_assert(sizeof(DEVOBJ) == 64);
static_assert(offsetof(DEVOBJ, pdevOEM) == 8);
static_assert(offsetof(DEVOBJ, hPrinter) == 24);
static_assert(offsetof(DEVOBJ, pPublicDM) == 40);
static_assert(offsetof(DEVOBJ, pOEMDM) == 48);
static_assert(offsetof(DEVOBJ, pDrvProcs) == 56);
static_assert(sizeof(DRVPROCS) == 56 && offsetof(DRVPROCS, BGetStandardVariable) == 32);
static_assert(sizeof(OEMDMPARAM) == 72);
static_assert(offsetof(OEMDMPARAM, pOEMDMIn) == 48);
static_assert(offsetof(OEMDMPARAM, cbBufSize) == 64);
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12);
static_assert(sizeof(UNIFONTOBJ) == 24 && offsetof(UNIFONTOBJ, pfnGetInfo) == 16);
static_assert(sizeof(GETINFO_STDVAR) == 16);
static_assert(sizeof(FINVOCATION) == 16 && offsetof(FINVOCATION, pubCommand) == 8);

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
static_assert(sizeof(PRINTER_DEFAULTSW) == 24 && offsetof(PRINTER_DEFAULTSW, DesiredAccess) == 16);
static_assert(sizeof(PRINTER_INFO_2W) == 136);
static_assert(offsetof(PRINTER_INFO_2W, pPortName) == 24);
static_assert(offsetof(PRINTER_INFO_2W, pPrintProcessor) == 72);
static_assert(offsetof(PRINTER_INFO_2W, Attributes) == 104);
static_assert(sizeof(DRIVER_INFO_3W) == 80 && offsetof(DRIVER_INFO_3W, pDependentFiles) == 56);
static_assert(sizeof(JOB_INFO_2W) == 160);
static_assert(offsetof(JOB_INFO_2W, pMachineName) == 16);
static_assert(offsetof(JOB_INFO_2W, pDevMode) == 80);
static_assert(offsetof(JOB_INFO_2W, Submitted) == 132);
static_assert(sizeof(OSVERSIONINFOW) == 276 && sizeof(OSVERSIONINFOEXW) == 284);
static_assert(offsetof(OSVERSIONINFOEXW, wProductType) == 282);
static_assert(sizeof(FORM_INFO_1W) == 40 && offsetof(FORM_INFO_1W, pName) == 8);
static_assert(offsetof(FORM_INFO_1W, Size) == 16 && offsetof(FORM_INFO_1W, ImageableArea) == 24);
