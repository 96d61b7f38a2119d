// Closing the window while the opening hand is still being dealt ends the program
// like any other close: it must not linger without a window.
#include <gtest/gtest.h>

#include <QFile>

#include "e2e_session.h"

using namespace e2e;

TEST(E2eClose, ClosingDuringTheOpeningDealEndsTheProgram)
{
    XSession x;
    std::string why;
    const unsigned long window = x.open("[Preferences]\nisPoker=True\nprfWager=10\n", why);
    ASSERT_NE(window, 0u) << why;
    ASSERT_EQ(x.closeAndWait(window), 0) << "the program kept running after its window was closed during the deal";
    const auto prefs = storedPreferences(x.settingsFile());
    EXPECT_EQ(prefs.value("isPoker"), "True");
    EXPECT_EQ(prefs.value("prfWager"), "10");
    EXPECT_TRUE(QFile::exists(x.programDir() + "/stats.dat"));
}
