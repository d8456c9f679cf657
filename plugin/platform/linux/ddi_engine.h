// GDI engine services a driver calls back (winddi.h): engine bitmaps, blits, clip and path
// enumeration, with their Windows x64 layouts.
#pragma once

// Included at the end of ddi.h, after the object types it uses.

using HBITMAP = struct HBITMAP__*;

constexpr USHORT BMF_NOZEROINIT = 0x0002;

constexpr FLONG XO_TRIVIAL = 0x0001;
constexpr FLONG XO_TABLE = 0x0002;

// CLIPOBJ_cEnumStart: what to enumerate and in which order.
constexpr ULONG CT_RECTANGLES = 0;
constexpr ULONG CD_RIGHTDOWN = 0;
constexpr ULONG CD_ANY = 4;

// CLIPOBJ::iMode: how a complex clip prefers to be enumerated.
constexpr BYTE TC_RECTANGLES = 0;
constexpr BYTE TC_PATHOBJ = 2;

// PATHDATA::flags.
constexpr FLONG PD_BEGINSUBPATH = 0x0001;
constexpr FLONG PD_ENDSUBPATH = 0x0002;
constexpr FLONG PD_RESETSTYLE = 0x0004;
constexpr FLONG PD_CLOSEFIGURE = 0x0008;
constexpr FLONG PD_BEZIERS = 0x0010;

struct ENUMRECTS {
    ULONG c;
    RECTL arcl[1];
};

struct PATHDATA {
    FLONG flags;
    ULONG count;
    POINTFIX* pptfx;
};

extern "C" {
HBITMAP APIENTRY EngCreateBitmap(SIZEL sizl, LONG lWidth, ULONG iFormat, FLONG fl, PVOID pvBits);
BOOL APIENTRY EngAssociateSurface(HSURF hsurf, HDEV hdev, FLONG flHooks);
SURFOBJ* APIENTRY EngLockSurface(HSURF hsurf);
VOID APIENTRY EngUnlockSurface(SURFOBJ* pso);
BOOL APIENTRY EngDeleteSurface(HSURF hsurf);
BOOL APIENTRY EngStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                            XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                            RECTL* prclDest, RECTL* prclSrc, POINTL* pptlMask, ULONG iMode);
BOOL APIENTRY EngPlgBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMsk, CLIPOBJ* pco,
                        XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlBrushOrg, POINTFIX* pptfx,
                        RECTL* prcl, POINTL* pptl, ULONG iMode);
ULONG APIENTRY CLIPOBJ_cEnumStart(CLIPOBJ* pco, BOOL bAll, ULONG iType, ULONG iDirection,
                                  ULONG cLimit);
BOOL APIENTRY CLIPOBJ_bEnum(CLIPOBJ* pco, ULONG cj, ULONG* pul);
PATHOBJ* APIENTRY CLIPOBJ_ppoGetPath(CLIPOBJ* pco);
VOID APIENTRY PATHOBJ_vEnumStart(PATHOBJ* ppo);
BOOL APIENTRY PATHOBJ_bEnum(PATHOBJ* ppo, PATHDATA* ppd);
VOID APIENTRY EngDeletePath(PATHOBJ* ppo);
VOID WINAPI OutputDebugStringW(LPCWSTR lpOutputString);
}
