// The Unidrv OEM plug-in interface (printoem.h), declared for both builds: MinGW ships no
// printoem.h, and the Linux build has no SDK at all.
#pragma once

#include "platform/win32_base.h"

using PDEVOEM = PVOID;

struct DEVOBJ;
using PDEVOBJ = DEVOBJ*;

using PFN_DrvWriteSpoolBuf = DWORD(APIENTRY*)(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize);
using PFN_DrvXMoveTo = INT(APIENTRY*)(PDEVOBJ pdevobj, INT x, DWORD dwFlags);
using PFN_DrvYMoveTo = INT(APIENTRY*)(PDEVOBJ pdevobj, INT y, DWORD dwFlags);
using PFN_DrvGetDriverSetting = BOOL(APIENTRY*)(PVOID pdriverobj, PCSTR Feature, PVOID pOutput,
                                                DWORD cbSize, PDWORD pcbNeeded,
                                                PDWORD pdwOptionsReturned);
using PFN_DrvGetStandardVariable = BOOL(APIENTRY*)(PDEVOBJ pdevobj, DWORD dwIndex,
                                                   PVOID pBuffer, DWORD cbSize,
                                                   PDWORD pcbNeeded);
using PFN_DrvUnidriverTextOut = BOOL(APIENTRY*)(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo,
                                                CLIPOBJ* pco, RECTL* prclExtra,
                                                RECTL* prclOpaque, BRUSHOBJ* pboFore,
                                                BRUSHOBJ* pboOpaque, POINTL* pptlOrg, MIX mix);
using PFN_DrvWriteAbortBuf = BOOL(APIENTRY*)(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize,
                                             DWORD dwWait);

struct DRVPROCS {
    PFN_DrvWriteSpoolBuf DrvWriteSpoolBuf;
    PFN_DrvXMoveTo DrvXMoveTo;
    PFN_DrvYMoveTo DrvYMoveTo;
    PFN_DrvGetDriverSetting DrvGetDriverSetting;
    PFN_DrvGetStandardVariable BGetStandardVariable;
    PFN_DrvUnidriverTextOut DrvUnidriverTextOut;
    PFN_DrvWriteAbortBuf DrvWriteAbortBuf;
};
using PDRVPROCS = DRVPROCS*;

struct DEVOBJ {
    DWORD dwSize;
    PDEVOEM pdevOEM;
    HANDLE hEngine;
    HANDLE hPrinter;
    HANDLE hOEM;
    DEVMODEW* pPublicDM;
    PVOID pOEMDM;
    PDRVPROCS pDrvProcs;
};

struct OEMDMPARAM {
    DWORD cbSize;
    PVOID pdriverobj;
    HANDLE hPrinter;
    HANDLE hModule;
    DEVMODEW* pPublicDMIn;
    DEVMODEW* pPublicDMOut;
    PVOID pOEMDMIn;
    PVOID pOEMDMOut;
    DWORD cbBufSize;
};
using POEMDMPARAM = OEMDMPARAM*;

struct OEM_DMEXTRAHEADER {
    DWORD dwSize;
    DWORD dwSignature;
    DWORD dwVersion;
};

struct UNIFONTOBJ;
using PFNGETINFO = BOOL(APIENTRY*)(UNIFONTOBJ* pUFObj, DWORD dwInfoID, PVOID pData,
                                   DWORD dwDataSize, PDWORD pcbNeeded);

struct UNIFONTOBJ {
    ULONG ulFontID;
    DWORD dwFlags;
    PIFIMETRICS pIFIMetrics;
    PFNGETINFO pfnGetInfo;
};
using PUNIFONTOBJ = UNIFONTOBJ*;

struct GETINFO_STDVAR {
    DWORD dwSize;
    DWORD dwNumOfVariable;
    struct {
        DWORD dwStdVarID;
        LONG lStdVariable;
    } StdVar[1];
};

struct FINVOCATION {
    DWORD dwCount;
    PBYTE pubCommand;
};
using PFINVOCATION = FINVOCATION*;

struct IPPARAMS;
using PIPPARAMS = IPPARAMS*;
struct OEMMEMORYUSAGE;
using POEMMEMORYUSAGE = OEMMEMORYUSAGE*;

constexpr DWORD PRINTER_OEMINTF_VERSION = 0x00010000;

constexpr DWORD OEMGI_GETSIGNATURE = 1;
constexpr DWORD OEMGI_GETINTERFACEVERSION = 2;
constexpr DWORD OEMGI_GETVERSION = 3;
constexpr DWORD OEMGI_GETPUBLISHERINFO = 4;

constexpr DWORD OEMDM_SIZE = 1;
constexpr DWORD OEMDM_DEFAULT = 2;
constexpr DWORD OEMDM_CONVERT = 3;
constexpr DWORD OEMDM_MERGE = 4;

constexpr DWORD SVI_COPIES = 3;

constexpr DWORD UFO_GETINFO_STDVARIABLE = 6;
constexpr DWORD FNT_INFO_FONTHEIGHT = 4;

// Unidrv's helper interface: slots 3, 4 and 7 are the ones the plug-in calls.
struct IPrintOemDriverUni : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pdriverobj, PCSTR Feature,
                                                          PVOID pOutput, DWORD cbSize,
                                                          PDWORD pcbNeeded,
                                                          PDWORD pdwOptionsReturned) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer,
                                                       DWORD cbSize, DWORD* pdwResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvXMoveTo(PDEVOBJ pdevobj, INT x, DWORD dwFlags,
                                                 INT* piResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvYMoveTo(PDEVOBJ pdevobj, INT y, DWORD dwFlags,
                                                 INT* piResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvGetStandardVariable(PDEVOBJ pdevobj, DWORD dwIndex,
                                                             PVOID pBuffer, DWORD cbSize,
                                                             PDWORD pcbNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvGetGPDData(PDEVOBJ pdevobj, DWORD dwType,
                                                    PVOID pInputData, PVOID pBuffer,
                                                    DWORD cbSize, PDWORD pcbNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvUniTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo,
                                                    CLIPOBJ* pco, RECTL* prclExtra,
                                                    RECTL* prclOpaque, BRUSHOBJ* pboFore,
                                                    BRUSHOBJ* pboOpaque, POINTL* pptlBrushOrg,
                                                    MIX mix) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvWriteAbortBuf(PDEVOBJ pdevobj, PVOID pBuffer,
                                                       DWORD cbSize, DWORD dwWait) = 0;
};

// IPrintOemCommon, IPrintOemEngine and IPrintOemUni flattened into one table, in slot order.
struct IPrintOemUni : IUnknown {
    // IPrintOemCommon
    virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                              PDWORD pcbNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) = 0;
    // IPrintOemEngine
    virtual HRESULT STDMETHODCALLTYPE EnableDriver(DWORD DriverVersion, DWORD cbSize,
                                                   PDRVENABLEDATA pded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DisableDriver() = 0;
    virtual HRESULT STDMETHODCALLTYPE EnablePDEV(PDEVOBJ pdevobj, PWSTR pPrinterName,
                                                 ULONG cPatterns, HSURF* phsurfPatterns,
                                                 ULONG cjGdiInfo, GDIINFO* pGdiInfo,
                                                 ULONG cjDevInfo, DEVINFO* pDevInfo,
                                                 DRVENABLEDATA* pded, PDEVOEM* pDevOem) = 0;
    virtual HRESULT STDMETHODCALLTYPE DisablePDEV(PDEVOBJ pdevobj) = 0;
    virtual HRESULT STDMETHODCALLTYPE ResetPDEV(PDEVOBJ pdevobjOld, PDEVOBJ pdevobjNew) = 0;
    // IPrintOemUni
    virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetImplementedMethod(PSTR pMethodName) = 0;
    virtual HRESULT STDMETHODCALLTYPE DriverDMS(PVOID pDevObj, PVOID pBuffer, DWORD cbSize,
                                                PDWORD pcbNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE CommandCallback(PDEVOBJ pdevobj, DWORD dwCallbackID,
                                                      DWORD dwCount, PDWORD pdwParams,
                                                      INT* piResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE ImageProcessing(PDEVOBJ pdevobj, PBYTE pSrcBitmap,
                                                      PBITMAPINFOHEADER pBitmapInfoHeader,
                                                      PBYTE pColorTable, DWORD dwCallbackID,
                                                      PIPPARAMS pIPParams,
                                                      PBYTE* ppbResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE FilterGraphics(PDEVOBJ pdevobj, PBYTE pBuf,
                                                     DWORD dwLen) = 0;
    virtual HRESULT STDMETHODCALLTYPE Compression(PDEVOBJ pdevobj, PBYTE pInBuf, PBYTE pOutBuf,
                                                  DWORD dwInLen, DWORD dwOutLen,
                                                  INT* piResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE HalftonePattern(PDEVOBJ pdevobj, PBYTE pHTPattern,
                                                      DWORD dwHTPatternX, DWORD dwHTPatternY,
                                                      DWORD dwHTNumPatterns,
                                                      DWORD dwCallbackID, PBYTE pResource,
                                                      DWORD dwResourceSize) = 0;
    virtual HRESULT STDMETHODCALLTYPE MemoryUsage(PDEVOBJ pdevobj,
                                                  POEMMEMORYUSAGE pMemoryUsage) = 0;
    virtual HRESULT STDMETHODCALLTYPE TTYGetInfo(PDEVOBJ pdevobj, DWORD dwInfoIndex,
                                                 PVOID pOutputBuf, DWORD dwSize,
                                                 DWORD* pcbcNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DownloadFontHeader(PDEVOBJ pdevobj, PUNIFONTOBJ pUFObj,
                                                         DWORD* pdwResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE DownloadCharGlyph(PDEVOBJ pdevobj, PUNIFONTOBJ pUFObj,
                                                        HGLYPH hGlyph, PDWORD pdwWidth,
                                                        DWORD* pdwResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE TTDownloadMethod(PDEVOBJ pdevobj, PUNIFONTOBJ pUFObj,
                                                       DWORD* pdwResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE OutputCharStr(PDEVOBJ pdevobj, PUNIFONTOBJ pUFObj,
                                                    DWORD dwType, DWORD dwCount,
                                                    PVOID pGlyph) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendFontCmd(PDEVOBJ pdevobj, PUNIFONTOBJ pUFObj,
                                                  PFINVOCATION pFInv) = 0;
    virtual HRESULT STDMETHODCALLTYPE TextOutAsBitmap(SURFOBJ* pso, STROBJ* pstro,
                                                      FONTOBJ* pfo, CLIPOBJ* pco,
                                                      RECTL* prclExtra, RECTL* prclOpaque,
                                                      BRUSHOBJ* pboFore, BRUSHOBJ* pboOpaque,
                                                      POINTL* pptlOrg, MIX mix) = 0;
};
