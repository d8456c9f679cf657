// The soft-font operators: font headers and characters go to the session's soft-font store,
// whose answer (empty, or what is wrong) stops the rendering when it is not empty.
#include <string>

#include "interpreter.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

constexpr std::uint32_t kMaxFontFormat = 0xFF;
constexpr std::uint32_t kMaxCharCode = 0xFFFF;

}  // namespace

void Interpreter::SendFontResult(const std::string& problem) const {
    if (!problem.empty()) {
        throw RenderError(problem);
    }
}

void Interpreter::BeginFontHeader(const XlOperator&, const Attributes& attributes) {
    const std::uint32_t format = attributes.Integer(attr::kFontFormat);
    if (format > kMaxFontFormat) {
        throw RenderError("FontFormat " + std::to_string(format) + " is not a font format");
    }
    SendFontResult(fonts_->BeginFontHeader(attributes.Text(attr::kFontName),
                                           static_cast<std::uint8_t>(format)));
}

void Interpreter::ReadFontHeader(const XlOperator& op, const Attributes&) {
    SendFontResult(fonts_->ReadFontHeader(op.data));
}

void Interpreter::EndFontHeader(const XlOperator&, const Attributes&) {
    SendFontResult(fonts_->EndFontHeader());
}

void Interpreter::BeginChar(const XlOperator&, const Attributes& attributes) {
    SendFontResult(fonts_->BeginChar(attributes.Text(attr::kFontName)));
}

void Interpreter::ReadChar(const XlOperator& op, const Attributes& attributes) {
    const std::uint32_t code = attributes.Integer(attr::kCharCode);
    if (code > kMaxCharCode) {
        throw RenderError("CharCode " + std::to_string(code) + " is larger than 65535");
    }
    SendFontResult(fonts_->ReadChar(static_cast<std::uint16_t>(code),
                                    attributes.Integer(attr::kCharDataSize), op.data));
}

void Interpreter::EndChar(const XlOperator&, const Attributes&) {
    SendFontResult(fonts_->EndChar());
}

void Interpreter::RemoveFont(const XlOperator&, const Attributes& attributes) {
    SendFontResult(fonts_->RemoveFont(attributes.Text(attr::kFontName)));
}

}  // namespace pclxl_render
