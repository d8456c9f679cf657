#include "pjl/pjl_lines.h"

#include <algorithm>

namespace xlrender {
namespace {

constexpr char kQuote = '"';
constexpr char kLineEnd = '\n';
constexpr std::size_t kQuotesAndLineEnd = 3;
constexpr unsigned char kFirstPrintableByte = 0x20;
constexpr unsigned char kDeleteByte = 0x7F;

bool IsUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// How many of the first `wanted` bytes of `bytes` (which holds at least that many) can be kept
// without splitting a character.
std::size_t CutOnCharacterBoundary(const char* bytes, std::size_t length, std::size_t wanted,
                                   PjlCharset charset) {
    if (wanted >= length) {
        return length;
    }
    if (charset == PjlCharset::kUtf8) {
        std::size_t cut = wanted;
        while (cut > 0 && IsUtf8Continuation(static_cast<unsigned char>(bytes[cut]))) {
            --cut;
        }
        return cut;
    }
    // On a double-byte ANSI code page a lead byte and the byte after it are one character, and
    // a trail byte may look like a lead byte: only a walk from the start tells them apart.
    const UINT codePage = GetACP();
    std::size_t cut = 0;
    while (cut < wanted) {
        const std::size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[cut])) ? 2 : 1;
        if (cut + step > wanted) {
            break;
        }
        cut += step;
    }
    return cut;
}

}  // namespace

PjlQuotedPiece QuotedLiteral(const char* text) {
    return {text, PjlQuotedPiece::Kind::kLiteral, PjlCharset::kAnsi, kUnbounded};
}

PjlQuotedPiece QuotedValue(const char* bytes, PjlCharset charset, std::size_t limit) {
    return {bytes, PjlQuotedPiece::Kind::kValue, charset, limit};
}

PjlQuotedPiece QuotedValue(const OwnedPjlText& value, std::size_t limit) {
    return QuotedValue(value.bytes(), value.charset(), limit);
}

PjlQuotedPiece QuotedWholeValue(const char* bytes) {
    return {bytes, PjlQuotedPiece::Kind::kWholeValue, PjlCharset::kAnsi, kUnbounded};
}

bool IsQuotableByte(unsigned char byte) {
    return byte >= kFirstPrintableByte && byte != kDeleteByte &&
           byte != static_cast<unsigned char>(kQuote);
}

void PjlLines::Put(const char* bytes, std::size_t count) {
    std::copy_n(bytes, count, text_ + length_);
    length_ += count;
    text_[length_] = 0;
}

void PjlLines::PutQuotable(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text_[length_ + i] = IsQuotableByte(byte) ? bytes[i] : kPjlQuotedReplacementByte;
    }
    length_ += count;
    text_[length_] = 0;
}

void PjlLines::Clear() {
    length_ = 0;
    text_[0] = 0;
}

bool PjlLines::AppendLine(const char* command) {
    if (command == nullptr) {
        return false;
    }
    const std::size_t commandLength = TextLength(command);
    if (commandLength + 1 > Room()) {
        return false;
    }
    Put(command, commandLength);
    Put(&kLineEnd, 1);
    return true;
}

bool PjlLines::AppendQuotedLine(const char* command, std::initializer_list<PjlQuotedPiece> pieces) {
    if (command == nullptr) {
        return false;
    }
    // The fixed text and the whole values must fit first; what is left is shared by the
    // other values in order.
    std::size_t fixed = TextLength(command) + kQuotesAndLineEnd;
    for (const PjlQuotedPiece& piece : pieces) {
        if (piece.text == nullptr) {
            return false;
        }
        if (piece.kind != PjlQuotedPiece::Kind::kValue) {
            fixed += TextLength(piece.text);
        }
    }
    if (fixed > Room()) {
        return false;
    }
    std::size_t valueRoom = Room() - fixed;

    Put(command, TextLength(command));
    Put(&kQuote, 1);
    for (const PjlQuotedPiece& piece : pieces) {
        switch (piece.kind) {
            case PjlQuotedPiece::Kind::kLiteral:
                Put(piece.text, TextLength(piece.text));
                break;
            case PjlQuotedPiece::Kind::kWholeValue:
                PutQuotable(piece.text, TextLength(piece.text));
                break;
            case PjlQuotedPiece::Kind::kValue: {
                const std::size_t wanted = std::min(piece.limit, valueRoom);
                // Never look further than one byte past the cut: the value may be long.
                const std::size_t length = TextLength(piece.text, wanted + 1);
                const std::size_t kept =
                    CutOnCharacterBoundary(piece.text, length, wanted, piece.charset);
                PutQuotable(piece.text, kept);
                valueRoom -= kept;
                break;
            }
        }
    }
    Put(&kQuote, 1);
    Put(&kLineEnd, 1);
    return true;
}

bool PjlLines::AppendQuotedLine(const char* command, const OwnedPjlText& value, std::size_t limit) {
    if (!value.ok()) {
        return false;
    }
    return AppendQuotedLine(command, {QuotedValue(value, limit)});
}

}  // namespace xlrender
