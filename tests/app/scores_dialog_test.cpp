// "Top Scores": the stake is taken only on Close.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "app/frmplay.h"

namespace dm::testing {
namespace {

// Clicking the chosen one again keeps it chosen; Close takes it.
TEST(FrmPlay, TakesTheStakeOnlyOnClose)
{
    Prefs p{.prfWager = 5};
    frmPlay dlg(p, defaultTopScores());
    auto* ten = dlg.findChild<QRadioButton*>("opTen");
    ASSERT_NE(ten, nullptr);
    ten->click();
    ten->click();
    EXPECT_TRUE(ten->isChecked());
    EXPECT_EQ(p.prfWager, 5);
    dlg.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(p.prfWager, 10);
}

}  // namespace
}  // namespace dm::testing
