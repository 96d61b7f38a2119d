// Closing the window while the opening hand is still being dealt ends the program
// like any other close: it must not linger without a window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "e2e_session.h"

using namespace e2e;

TEST(E2eClose, ClosingDuringTheOpeningDealEndsTheProgram)
{
    XSession x;
    const QString display = x.startDisplay();
    ASSERT_TRUE(display.isEmpty()) << "X display for the end-to-end tests: " << display.toStdString();
    const QString folder = x.prepareProgramFolder();
    ASSERT_TRUE(folder.isEmpty()) << folder.toStdString();

    // Video poker waits a second before its first deal: a close lands inside that wait.
    ASSERT_TRUE(x.presetSettings("[Preferences]\nisPoker=True\nprfWager=10\n"));
    ASSERT_TRUE(x.launch());
    const unsigned long window = x.waitForWindow(30000);
    ASSERT_NE(window, 0u) << "the main window never showed";
    ASSERT_TRUE(x.closeWindow(window));

    const auto status = x.waitForExit(20000);
    ASSERT_TRUE(status) << "the program kept running after its window was closed during the deal";
    EXPECT_EQ(*status, 0);
    const auto prefs = storedPreferences(x.settingsFile());
    EXPECT_EQ(prefs.value("isPoker"), "True");
    EXPECT_EQ(prefs.value("prfWager"), "10");
    EXPECT_TRUE(QFile::exists(x.programDir() + "/stats.dat"));
}
