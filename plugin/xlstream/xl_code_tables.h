// Which attribute ids and operator codes the stream accepts. The tables are deliberately wider
// than what the plug-in writes and narrower than the published lists: they are the set the
// printers of this family take, and a code outside them fails the stream instead of reaching
// the printer.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// The byte to write for attribute `id`, or 0 when the id is refused.
BYTE XlAcceptedAttribute(WORD id);
// The byte to write for operator `code`, or 0 when the code is refused.
BYTE XlAcceptedOperator(WORD code);

}  // namespace xlrender
