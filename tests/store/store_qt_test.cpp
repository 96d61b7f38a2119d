#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>

#include "store/qt/frmplay.h"
#include "store/qt/highscores.h"
#include "store/qt/settings.h"

using namespace dm;

namespace {

// Every store made while this lives reads and writes under a fresh folder.
class TempSettings : public ::testing::Test {
protected:
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(TempSettings, PrefsRoundTrip)
{
    Prefs out;
    out.prfWager = 10;
    out.prfCardOutlineColor = 0x0000FF;
    out.prfTolvaBackground = "sunset, red.jpg";  // a comma must not turn it into a list
    out.prfPKCustomBackFace = "m\u00e9nage.bmp";
    out.isPoker = true;
    out.prfShowHide = false;
    out.prfAnimationDelay = 2500;
    {
        QtSettingsStore store;
        savePrefs(store, out);
        EXPECT_TRUE(store.sync());
    }
    QtSettingsStore store;
    Prefs in;
    EXPECT_TRUE(loadPrefs(store, in).empty());
    EXPECT_EQ(in.prfWager, 10);
    EXPECT_EQ(in.prfCardOutlineColor, 0x0000FF);
    EXPECT_EQ(in.prfTolvaBackground, out.prfTolvaBackground);
    EXPECT_EQ(in.prfPKCustomBackFace, out.prfPKCustomBackFace);
    EXPECT_TRUE(in.isPoker);
    EXPECT_FALSE(in.prfShowHide);
    EXPECT_EQ(in.prfAnimationDelay, 2500);
    EXPECT_EQ(store.read("prfPlayerBank"), "100");
    EXPECT_FALSE(store.read("prfMoveDelay").has_value());

    // It lands in the "Preferences" section of the "TolvaRummy" settings.
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Dunmere", "TolvaRummy");
    EXPECT_EQ(raw.value("Preferences/prfWager").toString(), "10");
}

TEST_F(TempSettings, EmptyTextIsStoredAsEmptyNotMissing)
{
    {
        QtSettingsStore store;
        store.write("prfTolvaBackground", "");
        EXPECT_TRUE(store.sync());
    }
    QtSettingsStore store;
    EXPECT_EQ(store.read("prfTolvaBackground"), "");
    Prefs p;
    loadPrefs(store, p);
    EXPECT_EQ(p.prfTolvaBackground, "beach.gif");
}

TEST_F(TempSettings, UnwritableStoreIsReported)
{
    // A file where the settings folder should be.
    const QString blocker = dir.filePath("blocked");
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker);
    QtSettingsStore store;
    store.write("prfWager", "5");
    EXPECT_FALSE(store.sync());
}

TEST(NameBytes, OutsideLatin1BecomesOneQuestionMarkEach)
{
    EXPECT_EQ(toNameBytes(QString::fromUtf8("Z\u00f6e")), "Z\xF6" "e");
    EXPECT_EQ(toNameBytes(QString::fromUtf8("\u0141ukasz \U0001F600")), "?ukasz ?");
    EXPECT_EQ(fromNameBytes("Z\xF6" "e"), QString::fromUtf8("Z\u00f6e"));
}

namespace {

TopScores sampleScores()
{
    TopScores t = defaultTopScores();
    t[0] = {scoreName("Ann"), 150};
    t[4] = {scoreName("Bo"), 33};
    t[8] = {scoreName("Cy"), -7};
    return t;
}

template <typename W>
W* child(QWidget& w, const char* name)
{
    auto* c = w.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

}  // namespace

TEST(FrmPlay, ShowsBanksAndTables)
{
    Prefs p;
    p.prfPlayerBank = 120;
    p.prfComputerBank = 80;
    frmPlay dlg(p, sampleScores());
    EXPECT_EQ(dlg.windowTitle(), "Top Scores");
    auto* tabs = child<QTabWidget>(dlg, "SSTab1");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Tolva-Rummy");
    EXPECT_EQ(tabs->tabText(1), "Video Poker");
    EXPECT_EQ(child<QLabel>(dlg, "lblPlayerBank")->text(), " 120");
    EXPECT_EQ(child<QLabel>(dlg, "lblComputerBank")->text(), " 80");
    EXPECT_EQ(child<QLabel>(dlg, "lblTopNames0")->text(), " Ann                 ");
    EXPECT_EQ(child<QLabel>(dlg, "lblTopScores0")->text(), "150");
    EXPECT_EQ(child<QLabel>(dlg, "lblTopNames4")->text(), " Bo                  ");
    EXPECT_EQ(child<QLabel>(dlg, "lblTopScores8")->text(), "-7");
    EXPECT_EQ(child<QLabel>(dlg, "lblTopScores2")->text(), "130");
    EXPECT_EQ(child<QPushButton>(dlg, "cmdOk")->text(), "Close");
    EXPECT_EQ(child<QPushButton>(dlg, "Command1")->text(), "Close");
}

TEST(FrmPlay, OddStakeChecksNoneAndCloseKeepsIt)
{
    Prefs p;
    p.prfWager = 7;
    frmPlay dlg(p, defaultTopScores());
    for (const char* name : {"opOne", "opFive", "opTen"})
        EXPECT_FALSE(child<QRadioButton>(dlg, name)->isChecked()) << name;
    child<QPushButton>(dlg, "cmdOk")->click();
    EXPECT_EQ(p.prfWager, 7);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(FrmPlay, ChosenStakeIsTakenOnClose)
{
    Prefs p;
    p.prfWager = 5;
    frmPlay dlg(p, defaultTopScores());
    auto* one = child<QRadioButton>(dlg, "opOne");
    auto* five = child<QRadioButton>(dlg, "opFive");
    auto* ten = child<QRadioButton>(dlg, "opTen");
    EXPECT_TRUE(five->isChecked());
    ten->click();
    EXPECT_TRUE(ten->isChecked());
    EXPECT_FALSE(five->isChecked());
    ten->click();  // clicking the chosen stake again keeps it chosen
    EXPECT_TRUE(ten->isChecked());
    EXPECT_FALSE(one->isChecked());
    EXPECT_EQ(p.prfWager, 5);  // nothing changes before Close
    child<QPushButton>(dlg, "Command1")->click();
    EXPECT_EQ(p.prfWager, 10);
}

TEST(FrmPlay, ClosingWithoutCloseButtonKeepsStake)
{
    Prefs p;
    p.prfWager = 5;
    frmPlay dlg(p, defaultTopScores());
    child<QRadioButton>(dlg, "opOne")->click();
    dlg.reject();
    EXPECT_EQ(p.prfWager, 5);
}
