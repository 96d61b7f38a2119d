// Program entry: version, help file, the desktop cover, the card faces, the table.
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "app/desktop.h"
#include "app/exit_signals.h"
#include "app/frmmain.h"
#include "app/zoom.h"
#include "cards/random.h"
#include "store/qt/settings.h"
#include "history/history_drive.h"
#include "table/cover.h"
#include "table/files.h"

int main(int argc, char** argv)
{
    // Answered before any window system is needed, so they work on a text console.
    if (const auto status = dm::answerInfoOption(argc, argv))
        return *status;
    if (qEnvironmentVariableIsSet("DUNMERE_HISTORY_DRIVE")) {  // the history's kill and fault tests
        QCoreApplication app(argc, argv);
        return dm::driveHistory(qEnvironmentVariable("DUNMERE_HISTORY_DRIVE"),
                                qEnvironmentVariableIntValue("DUNMERE_HISTORY_DRIVE_HANDS"));
    }
    {
        dm::QtSettingsStore stored;
        dm::applyZoom(dm::storedZoom(stored));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dunmere"));
    QGuiApplication::setDesktopFileName(dm::kAppId);
    try {
        dm::SystemRng rng;
        dm::QtSettingsStore store;
        dm::AppContext ctx;
        ctx.programDir = QCoreApplication::applicationDirPath();
        ctx.dataDir = dm::findDataDir(ctx.programDir);
        QApplication::setWindowIcon(dm::appIcon(ctx.dataDir));
        ctx.store = &store;
        ctx.rng = &rng;
        ctx.versionText = QStringLiteral(DUNMERE_VERSION);

        // The card library starts from the program's folder unless told otherwise; the card
        // size it reports is needed either way, so the faces are always initialised.
        if (store.read("path").value_or("True") == "True")
            QDir::setCurrent(ctx.programDir);
        dm::frmMain window(ctx);
        const dm::ExitSignals exitSignals([&window] { window.closeUnattended(); });
        const auto hide = store.read("prfHideDesktop");
        if (hide && *hide != "False") {
            window.prefs.prfHideDesktop = true;
            window.action("mnuHide")->setText(QStringLiteral("Show Desktop"));
            auto* cover = new dm::frmHide(&window);
            window.setCover(cover);
            cover->show();
            QCoreApplication::processEvents();
        }
        window.Form_Load();
        // Closed while the first hand was being dealt: everything is saved already, and the
        // quit request came before the event loop could hear it.
        if (window.unloaded())
            return 0;
        if (!window.isVisible())
            window.show();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Dunmere"), QStringLiteral("Load error. SuB Main") + e.what());
        return 1;
    }
}
