// How far a long read of a file is, on one terminal line that is rewritten in place.
#pragma once

#include <cstddef>
#include <ostream>

#include "pclxl_dump/spool_cursor.h"

namespace xlrender::tool {

class ReadProgressLine {
public:
    explicit ReadProgressLine(std::ostream& terminal) : terminal_(terminal) {}

    // Reports to the line; files smaller than a few windows are read too fast to show.
    pclxl_dump::ReadProgress Reporter();
    // Ends the line, if one was shown, so that what follows starts on a line of its own.
    void End();

private:
    std::ostream& terminal_;
    int shownPercent_ = -1;
};

}  // namespace xlrender::tool
