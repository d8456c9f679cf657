// What a printer description (the GPD) makes Unidrv send at the start and end of a job and of a
// page: literal PJL, the PCL XL framing, and the command callbacks the plug-in answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sim::unidrv {

struct PrinterCommand {
    enum class Kind {
        kUniversalExit,    // ESC %-12345X
        kPjlLine,          // `text` followed by a line feed
        kCallback,         // IPrintOemUni::CommandCallback with `callbackId`
        kStreamHeader,     // the PCL XL stream header
        kBeginSession,
        kOpenDataSource,
        kMediaSize,        // the page's paper as a MediaSize attribute
        kMediaSource,      // the page's paper source as a MediaSource attribute
        kBeginPage,
        kPageOrigin,       // SetPageOrigin to the printable area's corner
        kEndPage,
        kCloseDataSource,
        kEndSession,
    };
    Kind kind;
    std::string text;
    unsigned callbackId = 0;

    bool operator==(const PrinterCommand&) const = default;
};

struct PrinterCommands {
    std::vector<PrinterCommand> jobStart;
    std::vector<PrinterCommand> pageStart;
    std::vector<PrinterCommand> pageEnd;
    std::vector<PrinterCommand> jobEnd;
};

// The description shipped for this printer family.
PrinterCommands DefaultPrinterCommands();

// Reads one command as job files spell it ("uel", "callback 4", "pjl @PJL ...", "BeginPage",
// ...); empty when the text names no command.
std::optional<PrinterCommand> ParsePrinterCommand(const std::string& text);

}  // namespace sim::unidrv
