// The text of PJL job-header lines, built in one bounded buffer. Every quoted value of every
// PJL line goes through AppendQuotedLine: whatever a value holds (a document title, a name set
// through the spooler or the network), it can neither close its quotes nor end its line, and a
// value too long for the buffer is cut so that the line still ends with its quote and line end.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "pjl/pjl_text_conversion.h"
#include "platform/text.h"

namespace xlrender {

// PJL command text is built in buffers of this size (including the terminator).
constexpr std::size_t kPjlLineBufferBytes = 1000;

// What a byte that could break out of a quoted value becomes: the character filter's own
// replacement.
constexpr char kPjlQuotedReplacementByte = '~';

// One piece of the text between a line's quotes.
struct PjlQuotedPiece {
    enum class Kind {
        kLiteral,     // fixed text of the line itself, written as it is
        kValue,       // outside text: checked byte by byte, cut to fit
        kWholeValue,  // outside text that is worthless when cut (an identifier, a time)
    };
    const char* text;
    Kind kind;
    PjlCharset charset;  // where a value may be cut
    std::size_t limit;   // the most bytes a value may take
};

// Fixed text between the quotes, such as "JobAcct1=".
PjlQuotedPiece QuotedLiteral(const char* text);
// A value, at most `limit` bytes and less when the buffer is short; cut on a character
// boundary of `charset`.
PjlQuotedPiece QuotedValue(const char* bytes, PjlCharset charset, std::size_t limit = kUnbounded);
PjlQuotedPiece QuotedValue(const OwnedPjlText& value, std::size_t limit = kUnbounded);
// A value that is written whole or makes its line fail.
PjlQuotedPiece QuotedWholeValue(const char* bytes);

// Whether a byte may stand between PJL quotes as it is: no double quote, no CR or LF, no other
// control byte.
bool IsQuotableByte(unsigned char byte);

class PjlLines {
public:
    PjlLines() = default;
    PjlLines(const PjlLines&) = delete;
    PjlLines& operator=(const PjlLines&) = delete;

    // Appends `command` and "\n". Returns false and appends nothing when it does not fit.
    bool AppendLine(const char* command);

    // Appends `command`, a double quote, the pieces, a double quote and "\n". Every byte of a
    // value that IsQuotableByte refuses becomes kPjlQuotedReplacementByte. Values are cut, in
    // order, to the room the line leaves them. Returns false and appends nothing when the line
    // cannot be complete: its fixed text or a whole value does not fit.
    bool AppendQuotedLine(const char* command, std::initializer_list<PjlQuotedPiece> pieces);
    // The common line with one value: command"value"\n.
    bool AppendQuotedLine(const char* command, const OwnedPjlText& value,
                          std::size_t limit = kUnbounded);

    // Drops everything appended so far.
    void Clear();

    const char* text() const { return text_; }
    std::size_t length() const { return length_; }
    bool empty() const { return length_ == 0; }

private:
    // Bytes that can still be appended, keeping the terminator.
    std::size_t Room() const { return kPjlLineBufferBytes - 1 - length_; }
    void Put(const char* bytes, std::size_t count);
    void PutQuotable(const char* bytes, std::size_t count);

    char text_[kPjlLineBufferBytes] = {};
    std::size_t length_ = 0;
};

}  // namespace xlrender
