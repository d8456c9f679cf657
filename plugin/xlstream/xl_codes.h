// PCL XL numbers the plug-in writes: data type tags, the attribute ids and the operator codes
// it uses, under their published names.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

enum XlTag : BYTE {
    kXlTagUByte = 0xC0,
    kXlTagUInt16 = 0xC1,
    kXlTagUInt32 = 0xC2,
    kXlTagSInt16 = 0xC3,
    kXlTagReal32 = 0xC5,
    kXlTagUByteArray = 0xC8,
    kXlTagSInt16Array = 0xCB,
    kXlTagUInt16XY = 0xD1,
    kXlTagSInt16XY = 0xD3,
    kXlTagReal32XY = 0xD5,
    kXlTagSInt16Box = 0xE3,
    kXlTagAttribute = 0xF8,
    kXlTagDataLength32 = 0xFA,
    kXlTagDataLength8 = 0xFB,
};

// Longest array whose element count fits the 16-bit count that precedes the elements.
constexpr DWORD kXlMaxArrayElements = 0xFFFF;
// Embedded data shorter than this can carry its length in one byte.
constexpr DWORD kXlShortDataLimit = 256;

enum XlAttributeId : WORD {
    kXlAttrPaletteDepth = 0x02,
    kXlAttrColorSpace = 0x03,
    kXlAttrNullPen = 0x05,
    kXlAttrPaletteData = 0x06,
    kXlAttrPatternSelectID = 0x08,
    kXlAttrGrayLevel = 0x09,
    kXlAttrMediaType = 0x27,
    kXlAttrOrientation = 0x28,
    kXlAttrROP3 = 0x2C,
    kXlAttrTxMode = 0x2D,
    kXlAttrPageCopies = 0x31,
    kXlAttrBoundingBox = 0x42,
    kXlAttrPoint = 0x4C,
    kXlAttrNumberOfPoints = 0x4D,
    kXlAttrPointType = 0x50,
    kXlAttrClipRegion = 0x53,
    kXlAttrClipMode = 0x54,
    kXlAttrColorDepth = 0x62,
    kXlAttrBlockHeight = 0x63,
    kXlAttrColorMapping = 0x64,
    kXlAttrCompressMode = 0x65,
    kXlAttrDestinationSize = 0x67,
    kXlAttrPatternPersistence = 0x68,
    kXlAttrPatternDefineID = 0x69,
    kXlAttrSourceHeight = 0x6B,
    kXlAttrSourceWidth = 0x6C,
    kXlAttrStartLine = 0x6D,
    kXlAttrCharAngle = 0xA1,
    kXlAttrCharCode = 0xA2,
    kXlAttrCharDataSize = 0xA3,
    kXlAttrCharScale = 0xA4,
    kXlAttrCharShear = 0xA5,
    kXlAttrCharSize = 0xA6,
    kXlAttrFontHeaderLength = 0xA7,
    kXlAttrFontName = 0xA8,
    kXlAttrFontFormat = 0xA9,
    kXlAttrSymbolSet = 0xAA,
    kXlAttrTextData = 0xAB,
    kXlAttrXSpacingData = 0xAF,
    kXlAttrYSpacingData = 0xB0,
    kXlAttrCharBoldValue = 0xB1,
};

enum XlOperatorCode : WORD {
    kXlOpEndPage = 0x44,
    kXlOpBeginFontHeader = 0x4F,
    kXlOpReadFontHeader = 0x50,
    kXlOpEndFontHeader = 0x51,
    kXlOpBeginChar = 0x52,
    kXlOpReadChar = 0x53,
    kXlOpEndChar = 0x54,
    kXlOpPopGS = 0x60,
    kXlOpPushGS = 0x61,
    kXlOpSetClipReplace = 0x62,
    kXlOpSetBrushSource = 0x63,
    kXlOpSetCharAngle = 0x64,
    kXlOpSetCharScale = 0x65,
    kXlOpSetCharShear = 0x66,
    kXlOpSetClipRectangle = 0x68,
    kXlOpSetClipToPage = 0x69,
    kXlOpSetColorSpace = 0x6A,
    kXlOpSetCursor = 0x6B,
    kXlOpSetFont = 0x6F,
    kXlOpSetPageDefaultCTM = 0x74,
    kXlOpSetPaintTxMode = 0x78,
    kXlOpSetPenSource = 0x79,
    kXlOpSetROP = 0x7B,
    kXlOpSetSourceTxMode = 0x7C,
    kXlOpSetCharBoldValue = 0x7D,
    kXlOpSetClipMode = 0x7F,
    kXlOpCloseSubPath = 0x84,
    kXlOpNewPath = 0x85,
    kXlOpPaintPath = 0x86,
    kXlOpBezierPath = 0x93,
    kXlOpLinePath = 0x9B,
    kXlOpRectanglePath = 0xA1,
    kXlOpText = 0xA8,
    kXlOpBeginImage = 0xB0,
    kXlOpReadImage = 0xB1,
    kXlOpEndImage = 0xB2,
    kXlOpBeginRastPattern = 0xB3,
    kXlOpReadRastPattern = 0xB4,
    kXlOpEndRastPattern = 0xB5,
    kXlOpPassThrough = 0xBF,
};

}  // namespace xlrender
