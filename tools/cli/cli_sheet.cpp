// The one Qt command: painting needs a GUI application, which the rules commands must not pay for.
#include <QGuiApplication>

#include <memory>

#include "cli_commands.h"
#include "table/contact_sheet.h"

namespace dm::cli {

bool writeSheet(const std::string& pngPath)
{
    int argc = 1;
    char name[] = "dunmere-cli";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;  // declared after argc/argv: Qt keeps references to them
    if (!QCoreApplication::instance()) {
        // No display is needed to paint into a file.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return renderContactSheet(pngPath);
}

}  // namespace dm::cli
