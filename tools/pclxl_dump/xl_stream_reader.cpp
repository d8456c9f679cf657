#include "xl_stream_reader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "embedded_data.h"
#include "operator_balance.h"
#include "pclxl_names.h"
#include "universal_exit.h"
#include "xl_operator.h"
#include "xl_value.h"

namespace pclxl_dump {
namespace {

constexpr std::string_view kHeaderMark = " HP-PCL XL;";
constexpr std::uint8_t kLittleEndianBinding = ')';
constexpr std::uint8_t kBigEndianBinding = '(';
constexpr std::uint8_t kAsciiBinding = '\'';
constexpr std::uint8_t kLineFeed = '\n';
constexpr std::uint32_t kDataOrgLowByteFirst = 1;
// Longest header comment shown in full.
constexpr std::size_t kShownHeaderBytes = 200;

bool IsWhiteSpace(std::uint8_t byte) {
    return byte == 0x00 || (byte >= 0x09 && byte <= 0x0D) || byte == 0x20;
}

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

std::string OperatorLabel(std::uint8_t code) {
    const char* name = OperatorName(code);
    return name != nullptr ? name : "op " + Hex(code);
}

std::string AttributeLabel(std::uint32_t id) {
    const char* name = AttributeName(id);
    return name != nullptr ? name : "attr " + Hex(id);
}

bool AlwaysCarriesData(std::uint8_t code) {
    switch (code) {
        case op::kReadImage:
        case op::kReadRastPattern:
        case op::kReadFontHeader:
        case op::kReadChar:
        case op::kReadStream:
        case op::kScanLineRel:
        case op::kPassThrough: return true;
        default: return false;
    }
}

// Path operators that carry their points as data in their NumberOfPoints + PointType form.
bool IsPointListOperator(std::uint8_t code) {
    return code == op::kLinePath || code == op::kBezierPath || code == op::kLineRelPath ||
           code == op::kBezierRelPath;
}

bool IsDataLengthTag(std::uint8_t tag) {
    return tag == kTagDataLength32 || tag == kTagDataLength8;
}

// How reading goes on after one item.
enum class Outcome {
    kGoOn,
    kUnreadable,  // the rest of the stream cannot be parsed: skip to the universal exit
    kStop,        // a strict read ends here
};

class XlStreamReader {
public:
    XlStreamReader(SpoolCursor& cursor, ListingBuilder& out, XlOperatorSink* sink)
        : cursor_(cursor), out_(out), sink_(sink), balance_(out) {}

    void Read() {
        Outcome outcome = ReadHeader();
        while (outcome == Outcome::kGoOn && !cursor_.AtEnd() && !AtUniversalExit(cursor_)) {
            outcome = ReadItem();
        }
        if (outcome == Outcome::kUnreadable) {
            SkipToUniversalExit(cursor_);
        } else if (outcome == Outcome::kGoOn) {
            Finish(cursor_.AtEnd() ? "before the end of the file" : "before the universal exit");
        }
    }

private:
    Outcome Note(std::size_t offset, std::string message) {
        return out_.Problem(offset, std::move(message)) ? Outcome::kGoOn : Outcome::kStop;
    }
    Outcome Unreadable(std::size_t offset, std::string message) {
        return out_.Problem(offset, std::move(message)) ? Outcome::kUnreadable : Outcome::kStop;
    }

    Outcome ReadHeader() {
        const std::size_t offset = cursor_.position();
        // The mark is checked before the line end is looked for, so that a file which only
        // looks like a stream at first is not held whole in the search for a line end.
        const auto start = cursor_.Window(1 + kHeaderMark.size());
        const std::string_view mark(reinterpret_cast<const char*>(start.data()), start.size());
        if (mark.size() < 1 + kHeaderMark.size() || mark[0] == kLineFeed ||
            mark.substr(1) != kHeaderMark) {
            return Unreadable(offset, "no PCL XL stream header: expected \") HP-PCL XL;\"");
        }
        const std::size_t lineLength =
            cursor_.Find(1 + kHeaderMark.size(), [](std::uint8_t byte) { return byte == kLineFeed; });
        if (lineLength == cursor_.remaining()) {
            return Unreadable(offset, "the PCL XL stream header has no line end");
        }
        const std::string headerLine(AsText(cursor_.Window(lineLength)));
        const std::string_view text = headerLine;
        const auto header = std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                      text.size());
        cursor_.Skip(header.size() + 1);
        switch (header[0]) {
            case kLittleEndianBinding: break;
            case kBigEndianBinding:
                return Unreadable(offset, "the stream header selects the big-endian binding "
                                          "\"(\"; only the little-endian binding \")\" is read");
            case kAsciiBinding:
                return Unreadable(offset, "the stream header selects the ASCII binding \"'\"; "
                                          "only the little-endian binding \")\" is read");
            default:
                return Unreadable(offset, "the stream header selects an unknown binding \"" +
                                              ShowBytes(header.first(1), 1) + "\"");
        }
        std::string_view fields = text.substr(1 + kHeaderMark.size());
        if (!fields.empty() && fields.back() == '\r') {
            fields.remove_suffix(1);
        }
        const std::size_t first = fields.find(';');
        const std::size_t second =
            first == std::string_view::npos ? first : fields.find(';', first + 1);
        std::string line = "PCL XL stream header: little-endian binding, protocol class ";
        if (second == std::string_view::npos) {
            line += ShowText(fields);
        } else {
            line += ShowText(fields.substr(0, first)) + "." +
                    ShowText(fields.substr(first + 1, second - first - 1));
            const std::string_view comment = fields.substr(second + 1);
            if (!comment.empty()) {
                line += ", comment \"" + ShowText(comment) + "\"";
            }
        }
        out_.Line(offset, std::move(line));
        return Outcome::kGoOn;
    }

    static std::string ShowText(std::string_view text) {
        return ShowBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                         kShownHeaderBytes);
    }

    Outcome ReadItem() {
        if (!commandStart_) {
            // Between operators nothing read so far is needed any more.
            cursor_.Release();
        }
        const std::size_t offset = cursor_.position();
        const std::uint8_t byte = cursor_.Peek();
        if (IsWhiteSpace(byte)) {
            cursor_.Skip(1);
            return Outcome::kGoOn;
        }
        if (IsDataLengthTag(byte)) {
            if (Note(offset, "embedded data without an operator before it") == Outcome::kStop) {
                return Outcome::kStop;
            }
            return ReadData(EmbeddedKind::kOther);
        }
        cursor_.Skip(1);
        if (byte == kTagAttribute8 || byte == kTagAttribute16) {
            return ReadAttributeId(offset, byte);
        }
        if (FindDataType(byte) != nullptr) {
            return ReadValueItem(offset, byte);
        }
        if (byte >= kTagCountUByte) {
            return Unreadable(offset, "unknown data type tag " + Hex(byte));
        }
        return ReadOperator(offset, byte);
    }

    Outcome ReadValueItem(std::size_t offset, std::uint8_t tag) {
        if (!commandStart_) {
            commandStart_ = offset;
        }
        if (pendingValue_ &&
            Note(pendingValueOffset_, "value without an attribute id") == Outcome::kStop) {
            return Outcome::kStop;
        }
        XlValue value;
        std::string error;
        if (!ReadValue(cursor_, tag, value, error)) {
            return Unreadable(offset, error);
        }
        pendingValueBytesOffset_ = cursor_.position() - value.bytes.size();
        pendingValue_ = std::move(value);
        pendingValueOffset_ = offset;
        return Outcome::kGoOn;
    }

    Outcome ReadAttributeId(std::size_t offset, std::uint8_t tag) {
        std::uint32_t id = 0;
        if (!cursor_.ReadLittle(tag == kTagAttribute8 ? 1 : 2, id)) {
            return Unreadable(offset, "attribute id cut short");
        }
        if (!pendingValue_) {
            if (!commandStart_) {
                commandStart_ = offset;
            }
            return Note(offset, "attribute " + AttributeLabel(id) + " without a value");
        }
        current_.attributes.push_back({id, std::move(*pendingValue_)});
        valueBytesOffsets_.push_back(pendingValueBytesOffset_);
        pendingValue_.reset();
        return Outcome::kGoOn;
    }

    Outcome ReadOperator(std::size_t offset, std::uint8_t code) {
        const std::string label = OperatorLabel(code);
        if (OperatorName(code) == nullptr) {
            const std::string message = code == kEscape
                                            ? "escape byte that does not start a universal exit"
                                            : "unknown operator " + Hex(code);
            if (Note(offset, message) == Outcome::kStop) {
                return Outcome::kStop;
            }
        }
        if (pendingValue_) {
            pendingValue_.reset();
            if (Note(pendingValueOffset_, "value without an attribute id before " + label) ==
                Outcome::kStop) {
                return Outcome::kStop;
            }
        }
        // Problems with the operator as a whole name the offset its listing line shows.
        current_.offset = commandStart_.value_or(offset);
        current_.code = code;
        out_.Line(current_.offset, ListingLineOf(current_));
        commandStart_.reset();

        Outcome outcome = balance_.Take(current_.offset, code)
                              ? CheckDataOrg(current_.offset, code)
                              : Outcome::kStop;
        if (outcome == Outcome::kGoOn) {
            outcome = ReadOperatorData(code, label);
        }
        if (outcome == Outcome::kGoOn && sink_ != nullptr) {
            PointValuesAtHeldBytes();
            if (!sink_->Take(current_)) {
                out_.Halt();
                outcome = Outcome::kStop;
            }
        }
        current_ = XlOperator{};
        valueBytesOffsets_.clear();
        return outcome;
    }

    // The window may have moved since the values were read; the bytes of the whole operator
    // are still held, since nothing is released before an operator is complete.
    void PointValuesAtHeldBytes() {
        for (std::size_t i = 0; i < current_.attributes.size(); ++i) {
            XlValue& value = current_.attributes[i].value;
            value.bytes = cursor_.HeldBytes(valueBytesOffsets_[i], value.bytes.size());
        }
    }

    static std::string ListingLineOf(const XlOperator& op) {
        std::string line = OperatorLabel(op.code);
        for (const XlAttribute& attribute : op.attributes) {
            line += " " + AttributeLabel(attribute.id) + "=" +
                    FormatValue(attribute.id, attribute.value);
        }
        return line;
    }

    Outcome CheckDataOrg(std::size_t offset, std::uint8_t code) {
        if (code != op::kOpenDataSource) {
            return Outcome::kGoOn;
        }
        const XlValue* dataOrg = current_.Find(attr::kDataOrg);
        std::uint32_t value = 0;
        if (dataOrg == nullptr || !ScalarInteger(*dataOrg, value) ||
            value == kDataOrgLowByteFirst) {
            return Outcome::kGoOn;
        }
        return Note(offset, "DataOrg " + FormatValue(attr::kDataOrg, *dataOrg) +
                                " disagrees with the little-endian stream header");
    }

    Outcome ReadOperatorData(std::uint8_t code, const std::string& label) {
        const bool follows = !cursor_.AtEnd() && IsDataLengthTag(cursor_.Peek());
        const bool required =
            AlwaysCarriesData(code) ||
            (IsPointListOperator(code) && current_.Find(attr::kNumberOfPoints) != nullptr &&
             current_.Find(attr::kPointType) != nullptr);
        if (code == op::kBeginFontHeader) {
            fontHeaderBlocks_ = 0;
        }
        if (!follows) {
            return required ? Note(cursor_.position(),
                                   label + " needs embedded data, but none follows")
                            : Outcome::kGoOn;
        }
        if (!required && Note(cursor_.position(), "embedded data after " + label +
                                                      ", which takes none") == Outcome::kStop) {
            return Outcome::kStop;
        }
        current_.hasData = true;
        return ReadData(KindOfData(code), &current_.data);
    }

    EmbeddedKind KindOfData(std::uint8_t code) {
        switch (code) {
            case op::kReadImage:
            case op::kReadRastPattern: return EmbeddedKind::kRaster;
            case op::kReadFontHeader:
                return fontHeaderBlocks_++ == 0 ? EmbeddedKind::kFontHeaderStart
                                                : EmbeddedKind::kFontHeaderContinued;
            case op::kReadChar: return EmbeddedKind::kCharacter;
            default: return EmbeddedKind::kOther;
        }
    }

    // Reads the data length at the cursor (the caller saw its tag) and the data after it,
    // which `taken` (when given) points to.
    Outcome ReadData(EmbeddedKind kind, std::span<const std::uint8_t>* taken = nullptr) {
        const std::size_t offset = cursor_.position();
        const std::uint8_t tag = cursor_.Peek();
        std::uint32_t length = 0;
        cursor_.Skip(1);
        if (!cursor_.ReadLittle(tag == kTagDataLength32 ? 4 : 1, length)) {
            return Unreadable(offset, "embedded data length cut short");
        }
        std::span<const std::uint8_t> data;
        if (!cursor_.Take(length, data)) {
            return Unreadable(offset, "embedded data of " + std::to_string(length) +
                                          " bytes runs past the end of the file (" +
                                          std::to_string(cursor_.remaining()) + " bytes left)");
        }
        out_.Line(offset, "  data: " + SummarizeEmbeddedData(kind, data));
        if (taken != nullptr) {
            *taken = data;
        }
        return Outcome::kGoOn;
    }

    // What the end of the stream leaves unfinished; `where` says how the stream ended.
    void Finish(const std::string& where) {
        const std::size_t offset = cursor_.position();
        if ((pendingValue_ || !current_.attributes.empty()) &&
            !out_.Problem(commandStart_.value_or(offset),
                          "attributes without an operator " + where)) {
            return;
        }
        balance_.Finish(offset, where);
    }

    SpoolCursor& cursor_;
    ListingBuilder& out_;
    XlOperatorSink* sink_;
    OperatorBalance balance_;
    XlOperator current_;  // the operator whose attributes are being read
    std::optional<XlValue> pendingValue_;
    std::size_t pendingValueOffset_ = 0;
    std::size_t pendingValueBytesOffset_ = 0;
    std::vector<std::size_t> valueBytesOffsets_;  // where each attribute's value bytes are
    std::optional<std::size_t> commandStart_;  // where the current operator's attributes begin
    std::size_t fontHeaderBlocks_ = 0;
};

}  // namespace

void ReadXlStream(SpoolCursor& cursor, ListingBuilder& out, XlOperatorSink* sink) {
    XlStreamReader(cursor, out, sink).Read();
}

}  // namespace pclxl_dump
