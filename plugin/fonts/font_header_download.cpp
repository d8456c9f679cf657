// The font header of the scalable download.
#include <cstring>

#include "fonts/font_header_blocks.h"
#include "fonts/font_tables.h"
#include "fonts/truetype_download.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr BYTE kFontFormat = 0;
constexpr DWORD kSegmentHeadBytes = 6;
constexpr DWORD kDirectoryEntryBytes = 16;
constexpr DWORD kOffsetTableBytes = 12;
constexpr WORD kTrueTypeMapping = 1;
constexpr char kDirectoryTag[] = "gdir";

void BuildDirectory(const FontFile& font, const FontTableRecord* records,
                    const FontTableSelection& selection, BYTE* directory) {
    std::memcpy(directory, font.bytes, 4);  // sfnt version
    WriteBigEndian16(directory + 4, static_cast<WORD>(selection.selectedCount + 1));
    std::memcpy(directory + 6, font.bytes + 6, 6);  // search range, entry selector, range shift
    BYTE* entry = directory + kOffsetTableBytes;
    std::memcpy(entry, kDirectoryTag, 4);  // checksum, offset and length stay zero
    entry += kDirectoryEntryBytes;
    for (DWORD i = 0; i < selection.recordCount; ++i) {
        const FontTableRecord& record = records[i];
        if (record.selected) {
            std::memcpy(entry, record.tag, 4);
            WriteBigEndian32(entry + 4, record.checksum);
            WriteBigEndian32(entry + 8, record.newOffset);
            WriteBigEndian32(entry + 12, record.length);
            entry += kDirectoryEntryBytes;
        }
    }
}

}  // namespace

bool DownloadTrueTypeHeader(XlStream* stream, const FontFile& font, TrueTypeDownload& download) {
    if (!HasTrueTypeOutlines(font)) {
        return false;
    }
    const WORD tables = ReadBigEndian16(font.bytes + 4);
    const OwnedBlock records(sizeof(FontTableRecord) * tables);
    FontTableSelection selection{};
    if (!records || !SelectFontTables(font, records.as<FontTableRecord>(), selection)) {
        return false;
    }
    const OwnedBlock directory(selection.directoryBytes);
    if (!directory) {
        return false;
    }
    BuildDirectory(font, records.as<FontTableRecord>(), selection, directory.as());

    BYTE segmentHead[kSegmentHeadBytes] = {'G', 'T'};
    WriteBigEndian32(segmentHead + 2, selection.segmentBytes);

    const auto* name = reinterpret_cast<const BYTE*>(download.fontName);
    XlBeginFontHeader(stream, name, static_cast<WORD>(TextLength(download.fontName)), kFontFormat);
    SendFontDescriptor(stream, kTrueTypeMapping, kScalingTrueType,
                       static_cast<WORD>(download.charCount));
    SendFontHeaderBytes(stream, segmentHead, kSegmentHeadBytes);
    SendFontHeaderBytes(stream, directory.as(), selection.directoryBytes);
    for (DWORD i = 0; i < selection.recordCount; ++i) {
        const FontTableRecord& record = records.as<FontTableRecord>()[i];
        if (record.selected && record.paddedLength != 0) {
            SendFontHeaderBytes(stream, font.bytes + record.offset, record.paddedLength);
        }
    }
    SendNullSegment(stream);
    XlEndFontHeader(stream);
    return true;
}

}  // namespace xlrender
