#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "as_nobody.h"

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

template <typename W>
W* child(QWidget& w, const char* name)
{
    auto* c = w.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QString text(QWidget& w, const char* label) { return child<QLabel>(w, label)->text(); }

void scoreFile(const QString& path, int mode)
{
    ASSERT_TRUE(writeScoreFile(path.toStdString(), defaultTopScores()));
    ::chmod(qPrintable(path), static_cast<mode_t>(mode));
}

}  // namespace

TEST_F(TempSettings, PrefsRoundTripThroughThePlatformStore)
{
    const Prefs out{.prfWager = 10, .prfPKCustomBackFace = "m\u00e9nage.bmp",
                    .prfTolvaBackground = "sunset, red.jpg"};  // a comma must not turn it into a list
    {
        QtSettingsStore store;
        savePrefs(store, out);
        store.write("prfPKBackground", "");  // stored empty is not missing
        EXPECT_TRUE(store.sync());
    }
    QtSettingsStore store;
    Prefs in;
    EXPECT_TRUE(loadPrefs(store, in).empty());
    EXPECT_EQ(in.prfWager, 10);
    EXPECT_EQ(in.prfPKCustomBackFace, out.prfPKCustomBackFace);
    EXPECT_EQ(in.prfTolvaBackground, out.prfTolvaBackground);
    EXPECT_EQ(in.prfPKBackground, "pkwood.jpg");
    EXPECT_FALSE(store.read("prfMoveDelay").has_value());
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Dunmere", "TolvaRummy");
    EXPECT_EQ(raw.value("Preferences/prfWager").toString(), "10");
}

TEST_F(TempSettings, UnwritableStoreIsReported)
{
    const QString blocker = dir.filePath("blocked");  // a file where the settings folder should be
    ASSERT_TRUE(QFile(blocker).open(QIODevice::WriteOnly));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker);
    QtSettingsStore store;
    store.write("prfWager", "5");
    EXPECT_FALSE(store.sync());
}

// Run as a user who cannot write the program's folder, as when it is installed.
TEST(ScoreFilePlace, BesideTheProgramWhenItCanBeWrittenThereElsePerUser)
{
    struct Row {
        const char* name;
        mode_t folder;
        int beside;  // the mode of a "stats.dat" beside the program; 0: none
        bool userHasOne;
        const char* expected;
    };
    const Row rows[] = {
        {"installed: a copy of its own, starting from the one beside", 0755, 0644, false, "mine from beside"},
        {"installed: the user's copy once there is one", 0755, 0644, true, "mine from mine"},
        {"installed with no scores beside", 0755, 0, false, "mine from beside"},
        {"a writable file in a read-only folder is kept there", 0755, 0666, false, "beside from beside"},
        {"a writable folder", 0777, 0, false, "beside from beside"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir tmp;
        const QString prog = tmp.filePath("bin"), home = tmp.filePath("home");
        const QString mine = home + "/" + QCoreApplication::applicationName();
        QDir().mkpath(prog);
        QDir().mkpath(row.userHasOne ? mine : home);
        if (row.beside)
            scoreFile(prog + "/stats.dat", row.beside);
        if (row.userHasOne)
            scoreFile(mine + "/stats.dat", 0644);
        for (const auto& [path, mode] : {std::pair{tmp.path(), 0755}, {prog, int(row.folder)}, {home, 0777}, {mine, 0777}})
            ::chmod(qPrintable(path), static_cast<mode_t>(mode));
        qputenv("XDG_DATA_HOME", home.toUtf8());
        const auto got = test::asNobody([&] {
            const FilePlace p = writablePlace(prog, "stats.dat");
            const auto where = [&](const QString& f) {
                return f == prog + "/stats.dat" ? "beside" : f == mine + "/stats.dat" ? "mine" : "elsewhere: " + f.toStdString();
            };
            return where(p.path) + " from " + where(p.startFrom) + (QFileInfo(p.path).dir().exists() ? "" : ", no folder");
        });
        qunsetenv("XDG_DATA_HOME");
        if (!got)
            GTEST_SKIP() << "cannot run as a user without root's rights";
        EXPECT_EQ(*got, row.expected);
    }
}

TEST(NameBytes, OutsideLatin1BecomesOneQuestionMarkEachAndANulEndsTheName)
{
    EXPECT_EQ(toNameBytes(QString::fromUtf8("Z\u00f6e \u0141ukasz \U0001F600") + QChar(0) + "rest"), "Z\xF6" "e ?ukasz ?");
    EXPECT_EQ(fromNameBytes("Z\xF6" "e"), QString::fromUtf8("Z\u00f6e"));
}

TEST(FrmPlay, ShowsTheTablesAndTakesTheStakeOnlyOnClose)
{
    TopScores t = defaultTopScores();
    t[8] = {scoreName("Cy"), -7};
    Prefs p{.prfWager = 5, .prfComputerBank = 80, .prfPlayerBank = 120};
    frmPlay dlg(p, t);
    EXPECT_EQ(text(dlg, "lblPlayerBank"), " 120");
    EXPECT_EQ(text(dlg, "lblTopNames8"), " Cy                  ");
    EXPECT_EQ(text(dlg, "lblTopScores8"), "-7");

    auto* ten = child<QRadioButton>(dlg, "opTen");
    ten->click();
    ten->click();  // clicking the chosen stake again keeps it chosen
    EXPECT_TRUE(ten->isChecked());
    EXPECT_FALSE(child<QRadioButton>(dlg, "opFive")->isChecked());
    EXPECT_EQ(p.prfWager, 5);
    child<QPushButton>(dlg, "Command1")->click();
    EXPECT_EQ(p.prfWager, 10);

    // A stake none of the buttons offers checks none and is kept.
    Prefs odd{.prfWager = 7};
    frmPlay oddDlg(odd, defaultTopScores());
    for (const char* name : {"opOne", "opFive", "opTen"})
        EXPECT_FALSE(child<QRadioButton>(oddDlg, name)->isChecked()) << name;
    child<QPushButton>(oddDlg, "cmdOk")->click();
    EXPECT_EQ(odd.prfWager, 7);
}
