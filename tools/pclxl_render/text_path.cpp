// TextPath: the characters Text would draw, added to the path instead of painted, so that
// PaintPath fills them with the brush or a SetClip operator clips to them. Characters come
// from the soft-font store as pixels, so the path holds the pixels they cover; a pen cannot
// follow those, and stroking them is refused rather than drawn differently from a printer.
#include "interpreter.h"

namespace pclxl_render {

void Interpreter::TextPath(const pclxl_dump::XlOperator&, const Attributes& attributes) {
    LayOutText(attributes, true, [this](const Region& covered) { path_.AddPixels(covered); });
}

}  // namespace pclxl_render
