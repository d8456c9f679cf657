// Draws the pages of PCL XL streams from the operators the spool reader delivers. Each handler
// reads its operator's attributes and changes the session, the page or the graphics state;
// what it cannot draw stops the rendering with a message naming the operator and its offset.
#pragma once

#include <climits>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "attributes.h"
#include "graphics_state.h"
#include "page_raster.h"
#include "path.h"
#include "pclxl_dump/xl_operator.h"
#include "raster_patterns.h"
#include "shapes.h"
#include "soft_fonts.h"
#include "user_streams.h"

namespace pclxl_render {

constexpr double kDefaultDpi = 100;

struct RenderOptions {
    double dpi = kDefaultDpi;
    int firstPage = 1;  // printed pages to draw, counted from 1
    int lastPage = INT_MAX;
    // Receives each warning ("at byte N (0x...): Name: what was left out"); standard error
    // when empty.
    std::function<void(const std::string&)> warn;
};

struct RenderedPage {
    int number;  // counted from 1 over the whole file
    int copies;  // EndPage's PageCopies
    const PageRaster& raster;
};

using PageConsumer = std::function<void(const RenderedPage&)>;

struct RenderFailure {
    std::size_t offset;
    std::string message;  // "Name: what is wrong"
};

class Interpreter : public pclxl_dump::XlOperatorSink {
public:
    Interpreter(const RenderOptions& options, PageConsumer consumer);
    ~Interpreter() override;

    bool Take(const pclxl_dump::XlOperator& op) override;

    const std::optional<RenderFailure>& Failure() const { return failure_; }
    int PagesPrinted() const { return pagesPrinted_; }

private:
    using Handler = void (Interpreter::*)(const pclxl_dump::XlOperator&, const Attributes&);
    struct HandlerEntry {
        std::uint8_t code;
        Handler handler;
        bool needsPage;  // drawing and graphics-state operators only make sense on a page
    };
    static const HandlerEntry kHandlers[];

    struct ImageInProgress;
    struct PatternInProgress;

    // Session and page.
    void BeginSession(const pclxl_dump::XlOperator&, const Attributes&);
    void EndSession(const pclxl_dump::XlOperator&, const Attributes&);
    void Ignore(const pclxl_dump::XlOperator&, const Attributes&);
    void BeginPage(const pclxl_dump::XlOperator&, const Attributes&);
    void EndPage(const pclxl_dump::XlOperator&, const Attributes&);
    // Coordinates and the graphics state stack.
    void SetPageDefaultCTM(const pclxl_dump::XlOperator&, const Attributes&);
    void SetPageOrigin(const pclxl_dump::XlOperator&, const Attributes&);
    void SetPageRotation(const pclxl_dump::XlOperator&, const Attributes&);
    void SetPageScale(const pclxl_dump::XlOperator&, const Attributes&);
    void PushGS(const pclxl_dump::XlOperator&, const Attributes&);
    void PopGS(const pclxl_dump::XlOperator&, const Attributes&);
    // Colour and the print model.
    void SetColorSpace(const pclxl_dump::XlOperator&, const Attributes&);
    void SetBrushSource(const pclxl_dump::XlOperator&, const Attributes&);
    void SetPenSource(const pclxl_dump::XlOperator&, const Attributes&);
    void SetPenWidth(const pclxl_dump::XlOperator&, const Attributes&);
    void SetROP(const pclxl_dump::XlOperator&, const Attributes&);
    void SetSourceTxMode(const pclxl_dump::XlOperator&, const Attributes&);
    void SetPaintTxMode(const pclxl_dump::XlOperator&, const Attributes&);
    void SetFillMode(const pclxl_dump::XlOperator&, const Attributes&);
    void SetClipMode(const pclxl_dump::XlOperator&, const Attributes&);
    // Line style.
    void SetLineCap(const pclxl_dump::XlOperator&, const Attributes&);
    void SetLineJoin(const pclxl_dump::XlOperator&, const Attributes&);
    void SetMiterLimit(const pclxl_dump::XlOperator&, const Attributes&);
    void SetLineDash(const pclxl_dump::XlOperator&, const Attributes&);
    // Raster patterns.
    void BeginRastPattern(const pclxl_dump::XlOperator&, const Attributes&);
    void ReadRastPattern(const pclxl_dump::XlOperator&, const Attributes&);
    void EndRastPattern(const pclxl_dump::XlOperator&, const Attributes&);
    // Paths.
    void NewPath(const pclxl_dump::XlOperator&, const Attributes&);
    void SetCursor(const pclxl_dump::XlOperator&, const Attributes&);
    void SetCursorRel(const pclxl_dump::XlOperator&, const Attributes&);
    void LinePath(const pclxl_dump::XlOperator&, const Attributes&);
    void LineRelPath(const pclxl_dump::XlOperator&, const Attributes&);
    void BezierPath(const pclxl_dump::XlOperator&, const Attributes&);
    void BezierRelPath(const pclxl_dump::XlOperator&, const Attributes&);
    void RectanglePath(const pclxl_dump::XlOperator&, const Attributes&);
    void Rectangle(const pclxl_dump::XlOperator&, const Attributes&);
    void CloseSubPath(const pclxl_dump::XlOperator&, const Attributes&);
    void PaintPath(const pclxl_dump::XlOperator&, const Attributes&);
    // Shapes on the ellipse in a bounding box, and rounded rectangles.
    void ArcPath(const pclxl_dump::XlOperator&, const Attributes&);
    void ChordPath(const pclxl_dump::XlOperator&, const Attributes&);
    void Chord(const pclxl_dump::XlOperator&, const Attributes&);
    void EllipsePath(const pclxl_dump::XlOperator&, const Attributes&);
    void Ellipse(const pclxl_dump::XlOperator&, const Attributes&);
    void PiePath(const pclxl_dump::XlOperator&, const Attributes&);
    void Pie(const pclxl_dump::XlOperator&, const Attributes&);
    void RoundRectanglePath(const pclxl_dump::XlOperator&, const Attributes&);
    void RoundRectangle(const pclxl_dump::XlOperator&, const Attributes&);
    // Clipping.
    void SetClipRectangle(const pclxl_dump::XlOperator&, const Attributes&);
    void SetClipReplace(const pclxl_dump::XlOperator&, const Attributes&);
    void SetClipIntersect(const pclxl_dump::XlOperator&, const Attributes&);
    void SetClipToPage(const pclxl_dump::XlOperator&, const Attributes&);
    void SetPathToClip(const pclxl_dump::XlOperator&, const Attributes&);
    // Images.
    void BeginImage(const pclxl_dump::XlOperator&, const Attributes&);
    void ReadImage(const pclxl_dump::XlOperator&, const Attributes&);
    void EndImage(const pclxl_dump::XlOperator&, const Attributes&);
    // Soft fonts and text.
    void BeginFontHeader(const pclxl_dump::XlOperator&, const Attributes&);
    void ReadFontHeader(const pclxl_dump::XlOperator&, const Attributes&);
    void EndFontHeader(const pclxl_dump::XlOperator&, const Attributes&);
    void BeginChar(const pclxl_dump::XlOperator&, const Attributes&);
    void ReadChar(const pclxl_dump::XlOperator&, const Attributes&);
    void EndChar(const pclxl_dump::XlOperator&, const Attributes&);
    void RemoveFont(const pclxl_dump::XlOperator&, const Attributes&);
    void SetFont(const pclxl_dump::XlOperator&, const Attributes&);
    void SetCharAngle(const pclxl_dump::XlOperator&, const Attributes&);
    void SetCharScale(const pclxl_dump::XlOperator&, const Attributes&);
    void SetCharShear(const pclxl_dump::XlOperator&, const Attributes&);
    void SetCharBoldValue(const pclxl_dump::XlOperator&, const Attributes&);
    void Text(const pclxl_dump::XlOperator&, const Attributes&);
    void TextPath(const pclxl_dump::XlOperator&, const Attributes&);

    // User-defined streams.
    void BeginStream(const pclxl_dump::XlOperator&, const Attributes&);
    void ReadStream(const pclxl_dump::XlOperator&, const Attributes&);
    void EndStream(const pclxl_dump::XlOperator&, const Attributes&);
    void ExecStream(const pclxl_dump::XlOperator&, const Attributes&);
    void RemoveStream(const pclxl_dump::XlOperator&, const Attributes&);
    // Scan lines (the reader sees to it that they come between BeginScan and EndScan).
    void ScanLineRel(const pclxl_dump::XlOperator&, const Attributes&);
    // Printer rendering settings, and embedded PCL 5.
    void RecordPrinterSetting(const pclxl_dump::XlOperator&, const Attributes&);
    void PassThrough(const pclxl_dump::XlOperator&, const Attributes&);

    // Helpers shared by the handlers.
    bool Drawing() const { return raster_ != nullptr; }
    Paint ReadPaint(const Attributes& attributes, std::uint32_t nullAttribute) const;
    void AddLines(const pclxl_dump::XlOperator& op, const Attributes& attributes, bool relative);
    void AddCurves(const pclxl_dump::XlOperator& op, const Attributes& attributes, bool relative);
    void AddRectangle(const Attributes& attributes);
    // Adds a shape given in user space as a subpath of its own.
    void AddShape(const Shape& shape);
    // A shape operator that paints: the path becomes the shape, is painted and left empty.
    void PaintShape(const pclxl_dump::XlOperator& op, const Attributes& attributes,
                    void (Interpreter::*addShape)(const pclxl_dump::XlOperator&,
                                                  const Attributes&));
    Region PathRegion(FillRule rule) const;
    void IntersectClip(Region region, const Attributes& attributes);
    void PaintRegion(const Region& region, const Paint& paint);
    void SendFontResult(const std::string& problem) const;
    // Rasterises the characters of a Text or TextPath from the cursor, hands each one's pixels
    // to `take` when `wantShapes`, and moves the cursor past them.
    void LayOutText(const Attributes& attributes, bool wantShapes,
                    const std::function<void(const Region&)>& take);
    double DevicePixelsPerUnit() const;
    void Warn(std::size_t offset, const std::string& message) const;

    RenderOptions options_;
    PageConsumer consumer_;
    std::optional<RenderFailure> failure_;
    int pagesPrinted_ = 0;

    // The session.
    bool inSession_ = false;
    Point unitsPerInch_{};
    std::unique_ptr<SoftFontStore> fonts_;
    RasterPatterns patterns_;
    UserStreams streams_;
    int replayDepth_ = 0;               // ExecStreams being replayed inside each other
    std::size_t replayedOperators_ = 0;  // over the whole file, to bound replays

    // The page.
    bool inPage_ = false;
    int pageWidth_ = 0;  // device pixels, in the page's orientation
    int pageHeight_ = 0;
    Affine pageDefaultCtm_;
    std::unique_ptr<PageRaster> raster_;  // null while the page is not one to draw
    std::shared_ptr<const Region> pageRegion_;
    GraphicsState state_;
    std::vector<GraphicsState> savedStates_;
    Path path_;
    Point cursor_;  // device pixels
    std::unique_ptr<ImageInProgress> image_;
    std::unique_ptr<PatternInProgress> pattern_;
};

}  // namespace pclxl_render
