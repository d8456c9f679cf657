#include "pjl/driver_comment.h"

#include "pjl/pjl_text_conversion.h"
#include "platform/memory.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr char kCommentCommand[] = "@PJL COMMENT ";
constexpr WCHAR kRootBlock[] = W("\\");
constexpr std::size_t kNumberTextBytes = 100;

}  // namespace

bool FormatFileVersion(const WCHAR* path, char (&text)[kFileVersionTextBytes]) {
    text[0] = 0;
    if (path == nullptr) {
        return false;
    }
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) {
        return false;
    }
    void* block = AllocateZeroed(size);
    if (block == nullptr) {
        return false;
    }
    void* value = nullptr;
    UINT length = 0;
    bool found = GetFileVersionInfoW(path, handle, size, block) &&
                 VerQueryValueW(block, kRootBlock, &value, &length) && value != nullptr &&
                 length >= sizeof(VS_FIXEDFILEINFO);
    if (found) {
        const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
        FormatText(text, sizeof text, "%u.%u.%u.%u",
                   static_cast<unsigned>(info->dwFileVersionMS >> 16),
                   static_cast<unsigned>(info->dwFileVersionMS & 0xFFFF),
                   static_cast<unsigned>(info->dwFileVersionLS >> 16),
                   static_cast<unsigned>(info->dwFileVersionLS & 0xFFFF));
    }
    FreeBlock(block);
    return found;
}

bool BuildDriverComment(const DriverCommentInputs& inputs, PjlLines& lines) {
    lines.Clear();
    if (inputs.pluginVersion == nullptr || inputs.unidrvVersion == nullptr) {
        return false;
    }
    const OwnedPjlText user = ConvertForPjl(inputs.userName, PjlCharset::kUtf8);
    const OwnedPjlText document = ConvertForPjl(inputs.documentName, PjlCharset::kUtf8);
    const OwnedPjlText printer = ConvertForPjl(inputs.printerName, PjlCharset::kAnsi);
    const OwnedPjlText product = ConvertForPjl(inputs.productName, PjlCharset::kAnsi);
    SYSTEMTIME local{};
    if (!user.ok() || !document.ok() || !printer.ok() || !product.ok() ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &inputs.submitted, &local)) {
        return false;
    }
    char system[kNumberTextBytes];
    FormatText(
        system, sizeof system, " %u.%u.%u.%u; Unidrv ", static_cast<unsigned>(inputs.majorVersion),
        static_cast<unsigned>(inputs.minorVersion), static_cast<unsigned>(inputs.buildNumber),
        static_cast<unsigned>(inputs.productType));
    char date[kNumberTextBytes];
    FormatText(date, sizeof date, "; %u-%u-%u", static_cast<unsigned>(local.wMonth),
               static_cast<unsigned>(local.wDay), static_cast<unsigned>(local.wYear));

    const bool complete =
        lines.AppendQuotedLine(kCommentCommand,
                               {QuotedValue(printer, kCommentNameBytes), QuotedLiteral(" ("),
                                QuotedWholeValue(inputs.pluginVersion), QuotedLiteral("); "),
                                QuotedValue(product, kCommentNameBytes), QuotedLiteral(system),
                                QuotedWholeValue(inputs.unidrvVersion)}) &&
        lines.AppendQuotedLine(kCommentCommand,
                               {QuotedLiteral("Username: "), QuotedValue(user, kCommentNameBytes),
                                QuotedLiteral("; App Filename: "),
                                QuotedValue(document, kCommentDocumentBytes), QuotedLiteral(date)});
    if (!complete) {
        lines.Clear();
    }
    return complete;
}

}  // namespace xlrender
