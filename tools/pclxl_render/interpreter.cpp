#include "interpreter.h"

#include <cstdio>

#include "interpreter_parts.h"
#include "operator_codes.h"
#include "pclxl_dump/listing.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {

namespace op = pclxl_dump::op;
using pclxl_dump::XlOperator;

const Interpreter::HandlerEntry Interpreter::kHandlers[] = {
    {op::kBeginSession, &Interpreter::BeginSession, false},
    {op::kEndSession, &Interpreter::EndSession, false},
    {op::kOpenDataSource, &Interpreter::Ignore, false},
    {op::kCloseDataSource, &Interpreter::Ignore, false},
    {op::kComment, &Interpreter::Ignore, false},
    {op::kBeginPage, &Interpreter::BeginPage, false},
    {op::kEndPage, &Interpreter::EndPage, true},
    {op::kSetPageDefaultCTM, &Interpreter::SetPageDefaultCTM, true},
    {op::kSetPageOrigin, &Interpreter::SetPageOrigin, true},
    {op::kSetPageRotation, &Interpreter::SetPageRotation, true},
    {op::kSetPageScale, &Interpreter::SetPageScale, true},
    {op::kPushGS, &Interpreter::PushGS, true},
    {op::kPopGS, &Interpreter::PopGS, true},
    {op::kSetColorSpace, &Interpreter::SetColorSpace, true},
    {op::kSetBrushSource, &Interpreter::SetBrushSource, true},
    {op::kSetPenSource, &Interpreter::SetPenSource, true},
    {op::kSetPenWidth, &Interpreter::SetPenWidth, true},
    {op::kSetROP, &Interpreter::SetROP, true},
    {op::kSetSourceTxMode, &Interpreter::SetSourceTxMode, true},
    {op::kSetPaintTxMode, &Interpreter::SetPaintTxMode, true},
    {op::kSetFillMode, &Interpreter::SetFillMode, true},
    {op::kSetClipMode, &Interpreter::SetClipMode, true},
    {kSetLineCap, &Interpreter::SetLineCap, true},
    {kSetLineJoin, &Interpreter::SetLineJoin, true},
    {kSetMiterLimit, &Interpreter::SetMiterLimit, true},
    {kSetLineDash, &Interpreter::SetLineDash, true},
    {op::kBeginRastPattern, &Interpreter::BeginRastPattern, true},
    {op::kReadRastPattern, &Interpreter::ReadRastPattern, true},
    {op::kEndRastPattern, &Interpreter::EndRastPattern, true},
    {op::kNewPath, &Interpreter::NewPath, true},
    {op::kSetCursor, &Interpreter::SetCursor, true},
    {op::kSetCursorRel, &Interpreter::SetCursorRel, true},
    {op::kLinePath, &Interpreter::LinePath, true},
    {op::kLineRelPath, &Interpreter::LineRelPath, true},
    {op::kBezierPath, &Interpreter::BezierPath, true},
    {op::kBezierRelPath, &Interpreter::BezierRelPath, true},
    {op::kRectanglePath, &Interpreter::RectanglePath, true},
    {op::kRectangle, &Interpreter::Rectangle, true},
    {op::kCloseSubPath, &Interpreter::CloseSubPath, true},
    {op::kPaintPath, &Interpreter::PaintPath, true},
    {kArcPath, &Interpreter::ArcPath, true},
    {kChordPath, &Interpreter::ChordPath, true},
    {kChord, &Interpreter::Chord, true},
    {kEllipsePath, &Interpreter::EllipsePath, true},
    {kEllipse, &Interpreter::Ellipse, true},
    {kPiePath, &Interpreter::PiePath, true},
    {kPie, &Interpreter::Pie, true},
    {kRoundRectanglePath, &Interpreter::RoundRectanglePath, true},
    {kRoundRectangle, &Interpreter::RoundRectangle, true},
    {op::kSetClipRectangle, &Interpreter::SetClipRectangle, true},
    {op::kSetClipReplace, &Interpreter::SetClipReplace, true},
    {op::kSetClipIntersect, &Interpreter::SetClipIntersect, true},
    {op::kSetClipToPage, &Interpreter::SetClipToPage, true},
    {kSetPathToClip, &Interpreter::SetPathToClip, true},
    {op::kBeginImage, &Interpreter::BeginImage, true},
    {op::kReadImage, &Interpreter::ReadImage, true},
    {op::kEndImage, &Interpreter::EndImage, true},
    {op::kBeginFontHeader, &Interpreter::BeginFontHeader, false},
    {op::kReadFontHeader, &Interpreter::ReadFontHeader, false},
    {op::kEndFontHeader, &Interpreter::EndFontHeader, false},
    {op::kBeginChar, &Interpreter::BeginChar, false},
    {op::kReadChar, &Interpreter::ReadChar, false},
    {op::kEndChar, &Interpreter::EndChar, false},
    {op::kRemoveFont, &Interpreter::RemoveFont, false},
    {op::kSetFont, &Interpreter::SetFont, true},
    {op::kSetCharAngle, &Interpreter::SetCharAngle, true},
    {op::kSetCharScale, &Interpreter::SetCharScale, true},
    {op::kSetCharShear, &Interpreter::SetCharShear, true},
    {op::kSetCharBoldValue, &Interpreter::SetCharBoldValue, true},
    {op::kText, &Interpreter::Text, true},
    {kTextPath, &Interpreter::TextPath, true},
    {op::kBeginStream, &Interpreter::BeginStream, false},
    {op::kReadStream, &Interpreter::ReadStream, false},
    {op::kEndStream, &Interpreter::EndStream, false},
    {kExecStream, &Interpreter::ExecStream, false},
    {kRemoveStream, &Interpreter::RemoveStream, false},
    {op::kBeginScan, &Interpreter::Ignore, true},
    {op::kScanLineRel, &Interpreter::ScanLineRel, true},
    {op::kEndScan, &Interpreter::Ignore, true},
    {kSetColorTreatment, &Interpreter::RecordPrinterSetting, true},
    {kSetHalftoneMethod, &Interpreter::RecordPrinterSetting, true},
    {kSetNeutralAxis, &Interpreter::RecordPrinterSetting, true},
    {kSetColorTrapping, &Interpreter::RecordPrinterSetting, true},
    {kSetAdaptiveHalftoning, &Interpreter::RecordPrinterSetting, true},
    {op::kPassThrough, &Interpreter::PassThrough, false},
};

Interpreter::Interpreter(const RenderOptions& options, PageConsumer consumer)
    : options_(options), consumer_(std::move(consumer)) {}

Interpreter::~Interpreter() = default;

bool Interpreter::Take(const XlOperator& op) {
    const char* name = pclxl_dump::OperatorName(op.code);
    char unnamed[16];
    std::snprintf(unnamed, sizeof unnamed, "op 0x%02X", op.code);
    const std::string label = name != nullptr ? name : unnamed;
    try {
        for (const HandlerEntry& entry : kHandlers) {
            if (entry.code != op.code) {
                continue;
            }
            if (entry.needsPage && !inPage_) {
                throw RenderError("only allowed between BeginPage and EndPage");
            }
            if (!entry.needsPage && entry.code != op::kBeginSession && !inSession_) {
                throw RenderError("only allowed between BeginSession and EndSession");
            }
            if (streams_.Defining() && op.code != op::kReadStream && op.code != op::kEndStream) {
                throw RenderError("only ReadStream and EndStream may follow BeginStream");
            }
            (this->*entry.handler)(op, Attributes(op));
            // Nothing after the last page asked for can change what is drawn.
            return op.code != op::kEndPage || pagesPrinted_ < options_.lastPage;
        }
        throw RenderError("the preview does not draw this operator");
    } catch (const RenderError& error) {
        failure_ = RenderFailure{op.offset, label + ": " + error.what()};
        return false;
    }
}

}  // namespace pclxl_render
