// Broken, odd and too many data files beside the program, and a score file or settings
// store that cannot be written: the table still plays, and the user is told what was lost.
#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

#include "app/frmpreferences.h"
#include "app_fixture.h"
#include "store/qt/settings.h"
#include "table/cardfaces.h"

namespace dm::testing {
namespace {

class HostileTest : public AppWindowTest {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        withData = false;
        dropDataNote = true;
    }
    QImage libraryBack(int design) const
    {
        QImage img(w->cWidth, w->cHeight, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        cdtDraw(p, 0, 0, design, 1);
        return img;
    }
};

// Pictures, backs and sounds that are none, and numbers the preferences dialog cannot set:
// the table plays on with the defaults, and the user is told of the numbers only.
TEST_F(HostileTest, BrokenFilesAndNumbersNeverStopTheTable)
{
    for (const QString folder : {"pics/", "pics/backs/"}) {
        put(folder + "zero.jpg", {});
        put(folder + "truncated.jpg", QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01", 13));  // a JPEG cut short
        put(folder + "text.gif", "GIF89a but then only words");
        put(folder + "junk.bmp", QByteArray("BM") + QByteArray(60, '\xff'));
    }
    picture("pics/good.png", Qt::darkGreen);
    put("wavs/deal.wav", {}), put("wavs/drop.wav", "this is not a RIFF file at all");
    put("wavs/beach.wav", QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16));  // cut after the header
    put("wavs/rummywin.wav", QByteArray(5000, '\0'));
    store.values["prfSound"] = "True";
    store.values["prfCardSpace"] = "1000";
    store.values["prfTolvaBackFace"] = "99";
    store.values["prfTolvaBackground"] = "truncated.jpg";
    store.values["prfPKBackground"] = "zero.jpg";
    store.values["prfIsTolvaCustomCardBack"] = store.values["prfIsPKCustomCardBack"] = "True";
    store.values["prfTolvaCustomBackFace"] = "truncated.jpg";
    store.values["prfPKCustomBackFace"] = "junk.bmp";
    start();

    EXPECT_TRUE(surface()->background().isNull());  // the bare table
    EXPECT_LE(rs().playerHand[8].right, box("picPlayerHand")->width()) << "the hand lies in its box";
    // A custom back that is no picture gives way to the library's design.
    EXPECT_EQ(backImage(false), libraryBack(54));
    EXPECT_EQ(backImage(true), libraryBack(65));

    const auto all = w->backgroundEntries();
    ASSERT_EQ(std::count_if(all.begin(), all.end(), [](QAction* a) { return a->isVisible(); }), 5);
    for (bool poker : {false, true}) {
        poker ? w->mnuPoker_Click() : w->mnuPlayRummy_Click();
        for (int i = 4; i >= 0; --i)  // the good one last
            w->backgroundEntries()[i]->trigger();
        EXPECT_EQ(surface()->background().pixelColor(1, 1), QColor(Qt::darkGreen));
        w->picDeal_Click(0);  // and the game still deals
        w->picPlayerDraw_Click();
    }
    QTest::qWait(100);  // let any failed sound load report in
    w->close();
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_TRUE(messages[0].contains("prfCardSpace") && messages[0].contains("prfTolvaBackFace")) << messageTexts();
}

// Hand-edited picture settings with a folder part: the name is looked up in the data
// folder; names with blanks and letters beyond ASCII are found and stored as they are.
TEST_F(HostileTest, StoredNamesWithFoldersAndOddLettersStayInsideThePicturesFolder)
{
    const QString name = QString::fromUtf8("\u0141\u00f3d\u017a \u591c.png"), back = QString::fromUtf8("\u00e9t\u00e9 b.png");
    picture(name, Qt::red, {40, 40});  // beside the program, where "../" would reach
    picture("pics/" + name, Qt::darkGreen);
    picture("pics/Sunny beach.png", Qt::yellow);
    picture("pics/backs/" + back, Qt::blue, {30, 40});
    store.values["prfTolvaBackground"] = ("../" + name).toStdString();
    store.values["prfPKBackground"] = (programDir + "/" + name).toStdString();
    store.values["prfIsTolvaCustomCardBack"] = "True";
    store.values["prfTolvaCustomBackFace"] = ("..\\..\\" + back).toStdString();  // as a Windows path
    start();
    EXPECT_EQ(surface()->background().pixelColor(1, 1), QColor(Qt::darkGreen));
    EXPECT_EQ(backImage(false).pixelColor(w->cWidth / 2, w->cHeight / 2), QColor(Qt::blue));
    EXPECT_EQ(backImage(false).pixelColor(0, 0).alpha(), 0) << "a square picture gets the card's round corners";
    background("Sunny beach.png")->trigger();
    EXPECT_EQ(surface()->background().pixelColor(1, 1), QColor(Qt::yellow));
    act("mnuPoker")->trigger();
    EXPECT_EQ(surface()->background().pixelColor(1, 1), QColor(Qt::darkGreen));
    w->close();
    EXPECT_EQ(QString::fromStdString(store.values["prfPKBackground"]), name);
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

// Where the program folder cannot take the scores (or holds a folder by the file's name)
// they go to the user's data folder; when that fails too, the user is told where both were.
struct ScoreFileCase {
    const char* name;
    bool folderAtTheFile, programDirGone, userDirBlocked;  // a folder "stats.dat"; a file where the user's folder goes
};

class UnwritableScoreFile : public HostileTest, public ::testing::WithParamInterface<ScoreFileCase> {};

TEST_P(UnwritableScoreFile, ScoresLandPerUserOrTheUserIsToldWhere)
{
    const ScoreFileCase& c = GetParam();
    put("blocker", "not a folder");  // even root cannot make a folder below it
    const QString home = dir.path() + (c.userDirBlocked ? "/blocker/home" : "/home");
    qputenv("XDG_DATA_HOME", home.toUtf8());
    if (c.folderAtTheFile)
        QDir(programDir).mkpath("stats.dat/inner");
    if (c.programDirGone)
        programDir += "/no/such/folder";
    start();
    w->prefs.prfPlayerBank = 180;  // a new top score, so a name is asked for
    w->prefs.prfWager = 10;
    w->close();
    qunsetenv("XDG_DATA_HOME");
    const QString mine = home + "/" + QCoreApplication::applicationName() + "/stats.dat";
    EXPECT_EQ(store.values["prfWager"], "10");
    if (!c.userDirBlocked) {
        // A folder named "stats.dat" is no score file: passed over, and said once.
        ASSERT_EQ(messages.size(), c.folderAtTheFile ? 1u : 0u) << messageTexts();
        if (c.folderAtTheFile)
            EXPECT_TRUE(messages[0].contains("neither read nor written") && messages[0].contains(mine)) << messageTexts();
        EXPECT_EQ(readScoreFile(mine.toStdString())[0].score, 180);
        EXPECT_TRUE(!c.folderAtTheFile || QFileInfo(programDir + "/stats.dat/inner").isDir());
        return;
    }
    // The hand history, kept by the same rule, has its own message about the same folders.
    messages.removeIf([](const QString& m) { return m.startsWith("The hand history"); });
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_TRUE(messages[0].startsWith("Your scores could not be saved")) << messageTexts();
    EXPECT_TRUE(messages[0].contains(QFileInfo(mine).path())) << messageTexts();
    EXPECT_TRUE(messages[0].contains(programDir)) << "where it tried first";
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwritableScoreFile,
                         ::testing::Values(ScoreFileCase{"AFolderWhereTheFileMustGo", true, false, false},
                                           ScoreFileCase{"NoProgramFolder", false, true, false}, ScoreFileCase{"NeitherFolderWritable", false, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A settings store that cannot be written: nothing is said while nothing changed; a change
// is told once, at the dialog's Save, naming the file, and not again at the exit.
TEST_F(HostileTest, SettingsStoreThatCannotBeWrittenIsToldOnceWithItsPlace)
{
    // A plain file where the settings folder must go: even root cannot create it.
    put("blocker", "not a folder");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, programDir + "/blocker/config");
    QtSettingsStore qs;
    settings = &qs;
    start();
    w->close(), w.reset();
    EXPECT_TRUE(messages.empty()) << messageTexts();
    EXPECT_EQ(QFileInfo(programDir + "/stats.dat").size(), 198);

    start();
    for (const bool sound : {false, true}) {  // Save twice: still one message
        frmPreferences dialog(*w);
        dialog.show();
        dialog.ckSounds->setChecked(sound);
        dialog.cmdSave->click();
    }
    EXPECT_EQ(messages.size(), 1u) << "told at Save: " << messageTexts();
    w->close(), w.reset();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_TRUE(messages[0].startsWith("Your preferences could not be saved") &&
                messages[0].contains(programDir + "/blocker/config"))
        << messageTexts();
}

}  // namespace
}  // namespace dm::testing
