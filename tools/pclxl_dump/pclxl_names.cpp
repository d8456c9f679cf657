#include "pclxl_names.h"

#include <initializer_list>
#include <iterator>

namespace pclxl_dump {
namespace {

struct Named {
    std::uint32_t code;
    const char* name;
};

template <std::size_t N>
const char* Find(const Named (&table)[N], std::uint32_t code) {
    for (const Named& entry : table) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return nullptr;
}

constexpr Named kOperators[] = {
    {0x41, "BeginSession"}, {0x42, "EndSession"}, {0x43, "BeginPage"}, {0x44, "EndPage"},
    {0x47, "Comment"}, {0x48, "OpenDataSource"}, {0x49, "CloseDataSource"},
    {0x4F, "BeginFontHeader"}, {0x50, "ReadFontHeader"}, {0x51, "EndFontHeader"},
    {0x52, "BeginChar"}, {0x53, "ReadChar"}, {0x54, "EndChar"}, {0x55, "RemoveFont"},
    {0x56, "SetCharAttributes"}, {0x58, "SetColorTreatment"}, {0x5B, "BeginStream"},
    {0x5C, "ReadStream"},
    {0x5D, "EndStream"}, {0x5E, "ExecStream"}, {0x5F, "RemoveStream"}, {0x60, "PopGS"},
    {0x61, "PushGS"}, {0x62, "SetClipReplace"}, {0x63, "SetBrushSource"},
    {0x64, "SetCharAngle"}, {0x65, "SetCharScale"}, {0x66, "SetCharShear"},
    {0x67, "SetClipIntersect"}, {0x68, "SetClipRectangle"}, {0x69, "SetClipToPage"},
    {0x6A, "SetColorSpace"}, {0x6B, "SetCursor"}, {0x6C, "SetCursorRel"},
    {0x6D, "SetHalftoneMethod"}, {0x6E, "SetFillMode"}, {0x6F, "SetFont"},
    {0x70, "SetLineDash"}, {0x71, "SetLineCap"}, {0x72, "SetLineJoin"},
    {0x73, "SetMiterLimit"}, {0x74, "SetPageDefaultCTM"}, {0x75, "SetPageOrigin"},
    {0x76, "SetPageRotation"}, {0x77, "SetPageScale"}, {0x78, "SetPaintTxMode"},
    {0x79, "SetPenSource"}, {0x7A, "SetPenWidth"}, {0x7B, "SetROP"},
    {0x7C, "SetSourceTxMode"}, {0x7D, "SetCharBoldValue"}, {0x7E, "SetNeutralAxis"},
    {0x7F, "SetClipMode"},
    {0x80, "SetPathToClip"}, {0x81, "SetCharSubMode"}, {0x84, "CloseSubPath"},
    {0x85, "NewPath"}, {0x86, "PaintPath"}, {0x91, "ArcPath"}, {0x92, "SetColorTrapping"},
    {0x93, "BezierPath"}, {0x94, "SetAdaptiveHalftoning"},
    {0x95, "BezierRelPath"}, {0x96, "Chord"}, {0x97, "ChordPath"}, {0x98, "Ellipse"},
    {0x99, "EllipsePath"}, {0x9B, "LinePath"}, {0x9D, "LineRelPath"}, {0x9E, "Pie"},
    {0x9F, "PiePath"}, {0xA0, "Rectangle"}, {0xA1, "RectanglePath"},
    {0xA2, "RoundRectangle"}, {0xA3, "RoundRectanglePath"}, {0xA8, "Text"},
    {0xA9, "TextPath"}, {0xB0, "BeginImage"}, {0xB1, "ReadImage"}, {0xB2, "EndImage"},
    {0xB3, "BeginRastPattern"}, {0xB4, "ReadRastPattern"}, {0xB5, "EndRastPattern"},
    {0xB6, "BeginScan"}, {0xB8, "EndScan"}, {0xB9, "ScanLineRel"}, {0xBF, "PassThrough"},
};

constexpr Named kAttributes[] = {
    {0x02, "PaletteDepth"}, {0x03, "ColorSpace"}, {0x04, "NullBrush"}, {0x05, "NullPen"},
    {0x06, "PaletteData"}, {0x08, "PatternSelectID"}, {0x09, "GrayLevel"},
    {0x0A, "Lightness"}, {0x0B, "RGBColor"}, {0x0C, "PatternOrigin"},
    {0x0D, "NewDestinationSize"}, {0x0E, "PrimaryArray"}, {0x0F, "PrimaryDepth"},
    {0x10, "Saturation"}, {0x11, "ColorimetricColorSpace"}, {0x12, "XYChromaticities"},
    {0x13, "WhiteReferencePoint"}, {0x14, "CRGBMinMax"}, {0x15, "GammaGain"},
    {0x1D, "AllObjectTypes"}, {0x1E, "TextObjects"}, {0x1F, "VectorObjects"},
    {0x20, "RasterObjects"}, {0x21, "DeviceMatrix"}, {0x22, "DitherMatrixDataType"},
    {0x23, "DitherOrigin"}, {0x24, "MediaDestination"}, {0x25, "MediaSize"},
    {0x26, "MediaSource"}, {0x27, "MediaType"}, {0x28, "Orientation"}, {0x29, "PageAngle"},
    {0x2A, "PageOrigin"}, {0x2B, "PageScale"}, {0x2C, "ROP3"}, {0x2D, "TxMode"},
    {0x2F, "CustomMediaSize"}, {0x30, "CustomMediaSizeUnits"}, {0x31, "PageCopies"},
    {0x32, "DitherMatrixSize"}, {0x33, "DitherMatrixDepth"}, {0x34, "SimplexPageMode"},
    {0x35, "DuplexPageMode"}, {0x36, "DuplexPageSide"}, {0x41, "ArcDirection"},
    {0x42, "BoundingBox"}, {0x43, "DashOffset"}, {0x44, "EllipseDimension"},
    {0x45, "EndPoint"}, {0x46, "FillMode"}, {0x47, "LineCapStyle"}, {0x48, "LineJoinStyle"},
    {0x49, "MiterLength"}, {0x4A, "LineDashStyle"}, {0x4B, "PenWidth"}, {0x4C, "Point"},
    {0x4D, "NumberOfPoints"}, {0x4E, "SolidLine"}, {0x4F, "StartPoint"}, {0x50, "PointType"},
    {0x51, "ControlPoint1"}, {0x52, "ControlPoint2"}, {0x53, "ClipRegion"},
    {0x54, "ClipMode"}, {0x62, "ColorDepth"}, {0x63, "BlockHeight"}, {0x64, "ColorMapping"},
    {0x65, "CompressMode"}, {0x66, "DestinationBox"}, {0x67, "DestinationSize"},
    {0x68, "PatternPersistence"}, {0x69, "PatternDefineID"}, {0x6B, "SourceHeight"},
    {0x6C, "SourceWidth"}, {0x6D, "StartLine"}, {0x6E, "PadBytesMultiple"},
    {0x6F, "BlockByteLength"}, {0x73, "NumberOfScanLines"}, {0x78, "ColorTreatment"},
    {0x81, "CommentData"}, {0x82, "DataOrg"}, {0x86, "Measure"}, {0x88, "SourceType"},
    {0x89, "UnitsPerMeasure"}, {0x8B, "StreamName"}, {0x8C, "StreamDataLength"},
    {0x8D, "PCLSelectFont"}, {0x8F, "ErrorReport"}, {0x91, "VUExtension"},
    {0x92, "VUDataLength"}, {0x93, "VUAttr1"}, {0x94, "VUAttr2"}, {0x95, "VUAttr3"},
    {0x96, "VUAttr4"}, {0x97, "VUAttr5"}, {0x98, "VUAttr6"}, {0xA1, "CharAngle"},
    {0xA2, "CharCode"}, {0xA3, "CharDataSize"}, {0xA4, "CharScale"}, {0xA5, "CharShear"},
    {0xA6, "CharSize"}, {0xA7, "FontHeaderLength"}, {0xA8, "FontName"},
    {0xA9, "FontFormat"}, {0xAA, "SymbolSet"}, {0xAB, "TextData"},
    {0xAC, "CharSubModeArray"}, {0xAD, "WritingMode"}, {0xAF, "XSpacingData"},
    {0xB0, "YSpacingData"}, {0xB1, "CharBoldValue"},
};

constexpr Named kOrientations[] = {{0, "ePortraitOrientation"}, {1, "eLandscapeOrientation"},
                                   {2, "eReversePortrait"}, {3, "eReverseLandscape"}};
constexpr Named kMediaSizes[] = {
    {0, "eLetterPaper"}, {1, "eLegalPaper"}, {2, "eA4Paper"}, {3, "eExecPaper"},
    {4, "eLedgerPaper"}, {5, "eA3Paper"}, {6, "eCOM10Envelope"}, {7, "eMonarchEnvelope"},
    {8, "eC5Envelope"}, {9, "eDLEnvelope"}, {10, "eJB4Paper"}, {11, "eJB5Paper"},
    {12, "eB5Envelope"}, {13, "eB5Paper"}, {14, "eJPostcard"}, {15, "eJDoublePostcard"},
    {16, "eA5Paper"}, {17, "eA6Paper"}, {18, "eJB6Paper"}};
constexpr Named kMediaSources[] = {
    {0, "eDefaultSource"}, {1, "eAutoSelect"}, {2, "eManualFeed"}, {3, "eMultiPurposeTray"},
    {4, "eUpperCassette"}, {5, "eLowerCassette"}, {6, "eEnvelopeTray"}, {7, "eThirdCassette"}};
constexpr Named kMeasures[] = {{0, "eInch"}, {1, "eMillimeter"}, {2, "eTenthsOfAMillimeter"}};
constexpr Named kErrorReports[] = {{0, "eNoReporting"}, {1, "eBackChannel"}, {2, "eErrorPage"},
                                   {3, "eBackChAndErrPage"}};
constexpr Named kSourceTypes[] = {{0, "eDefaultDataSource"}};
constexpr Named kDataOrgs[] = {{0, "eBinaryHighByteFirst"}, {1, "eBinaryLowByteFirst"}};
constexpr Named kSimplexModes[] = {{0, "eSimplexFrontSide"}};
constexpr Named kDuplexModes[] = {{0, "eDuplexHorizontalBinding"},
                                  {1, "eDuplexVerticalBinding"}};
constexpr Named kColorSpaces[] = {{1, "eGray"}, {2, "eRGB"}};
constexpr Named kColorMappings[] = {{0, "eDirectPixel"}, {1, "eIndexedPixel"}};
constexpr Named kColorDepths[] = {{0, "e1Bit"}, {1, "e4Bit"}, {2, "e8Bit"}};
constexpr Named kPaletteDepths[] = {{2, "e8Bit"}};
constexpr Named kCompressModes[] = {{0, "eNoCompression"}, {1, "eRLECompression"},
                                    {2, "eJPEGCompression"}, {3, "eDeltaRowCompression"}};
constexpr Named kClipRegions[] = {{0, "eInterior"}, {1, "eExterior"}};
constexpr Named kFillModes[] = {{0, "eNonZeroWinding"}, {1, "eEvenOdd"}};
constexpr Named kTxModes[] = {{0, "eOpaque"}, {1, "eTransparent"}};
constexpr Named kPatternPersistences[] = {{0, "eTempPattern"}, {1, "ePagePattern"},
                                          {2, "eSessionPattern"}};
constexpr Named kPointTypes[] = {{0, "eUByte"}, {1, "eSByte"}, {2, "eUInt16"}, {3, "eSInt16"}};

constexpr DataType kDataTypes[] = {
    {"ubyte", ElementKind::kUnsigned, 1, 1},      {"uint16", ElementKind::kUnsigned, 2, 1},
    {"uint32", ElementKind::kUnsigned, 4, 1},     {"sint16", ElementKind::kSigned, 2, 1},
    {"sint32", ElementKind::kSigned, 4, 1},       {"real32", ElementKind::kReal, 4, 1},
    {"ubyte_array", ElementKind::kUnsigned, 1, 0}, {"uint16_array", ElementKind::kUnsigned, 2, 0},
    {"uint32_array", ElementKind::kUnsigned, 4, 0}, {"sint16_array", ElementKind::kSigned, 2, 0},
    {"sint32_array", ElementKind::kSigned, 4, 0}, {"real32_array", ElementKind::kReal, 4, 0},
    {"ubyte_xy", ElementKind::kUnsigned, 1, 2},   {"uint16_xy", ElementKind::kUnsigned, 2, 2},
    {"uint32_xy", ElementKind::kUnsigned, 4, 2},  {"sint16_xy", ElementKind::kSigned, 2, 2},
    {"sint32_xy", ElementKind::kSigned, 4, 2},    {"real32_xy", ElementKind::kReal, 4, 2},
    {"ubyte_box", ElementKind::kUnsigned, 1, 4},  {"uint16_box", ElementKind::kUnsigned, 2, 4},
    {"uint32_box", ElementKind::kUnsigned, 4, 4}, {"sint16_box", ElementKind::kSigned, 2, 4},
    {"sint32_box", ElementKind::kSigned, 4, 4},   {"real32_box", ElementKind::kReal, 4, 4},
};

// Tags of the value types, each group in the order of kDataTypes.
constexpr std::uint8_t kScalarTags[] = {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5};
constexpr std::uint8_t kFirstArrayTag = 0xC8, kFirstXyTag = 0xD0, kFirstBoxTag = 0xE0;
constexpr std::size_t kTypesPerGroup = 6;

}  // namespace

const char* OperatorName(std::uint8_t code) { return Find(kOperators, code); }

const char* AttributeName(std::uint32_t id) { return Find(kAttributes, id); }

const char* EnumerationName(std::uint32_t attribute, std::uint32_t value) {
    switch (attribute) {
        case 0x02: return Find(kPaletteDepths, value);
        case 0x03: return Find(kColorSpaces, value);
        case 0x25: return Find(kMediaSizes, value);
        case 0x26: return Find(kMediaSources, value);
        case 0x28: return Find(kOrientations, value);
        case 0x2D: return Find(kTxModes, value);
        case 0x30:  // CustomMediaSizeUnits counts as Measure does
        case 0x86: return Find(kMeasures, value);
        case 0x34: return Find(kSimplexModes, value);
        case 0x35: return Find(kDuplexModes, value);
        case 0x46:  // FillMode and ClipMode share their values
        case 0x54: return Find(kFillModes, value);
        case 0x50: return Find(kPointTypes, value);
        case 0x53: return Find(kClipRegions, value);
        case 0x62: return Find(kColorDepths, value);
        case 0x64: return Find(kColorMappings, value);
        case 0x65: return Find(kCompressModes, value);
        case 0x68: return Find(kPatternPersistences, value);
        case 0x82: return Find(kDataOrgs, value);
        case 0x88: return Find(kSourceTypes, value);
        case 0x8F: return Find(kErrorReports, value);
        default: return nullptr;
    }
}

const DataType* FindDataType(std::uint8_t tag) {
    for (std::size_t i = 0; i < std::size(kScalarTags); ++i) {
        if (tag == kScalarTags[i]) {
            return &kDataTypes[i];
        }
    }
    for (std::uint8_t first : {kFirstArrayTag, kFirstXyTag, kFirstBoxTag}) {
        if (tag >= first && tag < first + kTypesPerGroup) {
            const std::size_t group = first == kFirstArrayTag ? 1 : first == kFirstXyTag ? 2 : 3;
            return &kDataTypes[group * kTypesPerGroup + (tag - first)];
        }
    }
    return nullptr;
}

}  // namespace pclxl_dump
