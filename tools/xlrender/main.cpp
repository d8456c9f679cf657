// xlrender: runs the XL Render plug-in on Linux and inspects what it produces.
#include <iostream>

#include "command.h"

int main(int argc, char** argv) {
    using namespace xlrender::tool;
    CLI::App app{"xlrender - the XL Render printer plug-in on Linux: print jobs to PCL XL spool "
                 "files, inspect them and render their pages"};
    app.set_version_flag("--version", std::string("xlrender ") + XLRENDER_VERSION);
    app.require_subcommand(1);

    CommandWork work;
    AddInfoCommand(app, work);
    AddPrintCommand(app, work);
    AddDumpCommand(app, work);
    AddRenderCommand(app, work);
    AddDevmodeCommand(app, work);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return kExitBadInput;
    }
    try {
        return work();
    } catch (const std::exception& error) {
        std::cerr << "xlrender: " << error.what() << '\n';
        return kExitWorkFailed;
    }
}
