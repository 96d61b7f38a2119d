// Broken, odd and too many data files beside the program, and a score file or settings
// store that cannot be written: the table still plays, and the user is told what was lost.
#include <QInputDialog>
#include <QSettings>
#include <QStandardPaths>

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
    }
    QStringList visibleEntries() const
    {
        QStringList names;
        for (QAction* a : w->backgroundEntries())
            if (a->isVisible())
                names << a->text();
        return names;
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

TEST_F(HostileTest, BrokenPicturesAndBacksNeverStopTheTable)
{
    for (const QString folder : {"pics/", "pics/backs/"}) {
        put(folder + "zero.jpg", {});
        put(folder + "truncated.jpg", QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01", 13));  // a JPEG cut short
        put(folder + "text.gif", "GIF89a but then only words");
        put(folder + "junk.bmp", QByteArray("BM") + QByteArray(60, '\xff'));
    }
    picture("pics/good.png", Qt::darkGreen);
    store.values["prfTolvaBackground"] = "truncated.jpg";
    store.values["prfPKBackground"] = "zero.jpg";
    store.values["prfIsTolvaCustomCardBack"] = "True";
    store.values["prfTolvaCustomBackFace"] = "truncated.jpg";
    store.values["prfIsPKCustomCardBack"] = "True";
    store.values["prfPKCustomBackFace"] = "junk.bmp";
    start();

    EXPECT_TRUE(surface()->background().isNull());  // the bare table
    // A custom back that is no picture gives way to the library's design.
    EXPECT_EQ(backImage(false), libraryBack(54));
    EXPECT_EQ(backImage(true), libraryBack(65));

    const QStringList names = visibleEntries();
    EXPECT_EQ(names, QStringList({"good.png", "junk.bmp", "text.gif", "truncated.jpg", "zero.jpg"}));
    for (bool poker : {false, true}) {
        poker ? w->mnuPoker_Click() : w->mnuPlayRummy_Click();
        for (int i = 0; i < names.size(); ++i) {
            SCOPED_TRACE(names[i].toStdString());
            w->backgroundEntries()[i]->trigger();
            if (names[i] == "good.png")
                EXPECT_EQ(surface()->background().pixelColor(1, 1), QColor(Qt::darkGreen));
        }
        w->picDeal_Click(0);  // and the game still deals
    }
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

// Hand-edited picture settings with a folder part: the name is looked up in the data folder.
TEST_F(HostileTest, AStoredNameWithAFolderStaysInsideThePicturesFolder)
{
    picture("outside.png", Qt::red, {40, 40});  // beside the program, where "../" would reach
    picture("pics/outside.png", Qt::darkGreen);
    picture("pics/backs/outside.png", Qt::blue, {30, 40});
    store.values["prfTolvaBackground"] = "../outside.png";
    store.values["prfPKBackground"] = (programDir + "/outside.png").toStdString();
    store.values["prfIsTolvaCustomCardBack"] = "True";
    store.values["prfTolvaCustomBackFace"] = "..\\..\\outside.png";  // as a Windows path
    start();
    EXPECT_EQ(surface()->background().pixelColor(1, 1), QColor(Qt::darkGreen));
    EXPECT_EQ(backImage(false).pixelColor(w->cWidth / 2, w->cHeight / 2), QColor(Qt::blue));
    act("mnuPoker")->trigger();
    EXPECT_EQ(surface()->background().pixelColor(1, 1), QColor(Qt::darkGreen));
    w->close();
    EXPECT_EQ(store.values["prfTolvaBackground"], "outside.png");
}

// Numbers the preferences dialog cannot set: the default is used and the user is told.
TEST_F(HostileTest, StoredNumbersOutsideTheDialogsRangesGiveTheDefaults)
{
    store.values["prfCardSpace"] = "1000";
    store.values["prfTolvaBackFace"] = "99";
    start();
    EXPECT_TRUE(w->centralWidget()->rect().contains(box("picPlayerHand")->geometry()));
    EXPECT_LE(rs().playerHand[8].right, box("picPlayerHand")->width()) << "the hand lies in its box";
    EXPECT_EQ(backImage(false), libraryBack(54));
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    for (const char* key : {"prfCardSpace", "prfTolvaBackFace"})
        EXPECT_TRUE(messages[0].text.contains(key)) << key;
}

TEST_F(HostileTest, OnlyTheFirstTwentyOnePicturesAreOffered)
{
    for (int i = 0; i < 25; ++i)
        picture(QStringLiteral("pics/p%1.png").arg(i, 2, 10, QLatin1Char('0')), QColor(i * 10, 0, 0), {16, 12});
    start();
    const QStringList names = visibleEntries();
    ASSERT_EQ(w->backgroundEntries().size(), 21);
    ASSERT_EQ(names.size(), 21);
    EXPECT_EQ(names.back(), "p20.png");
    w->backgroundEntries()[20]->trigger();
    EXPECT_EQ(w->prefs.prfTolvaBackground, "p20.png");
    EXPECT_EQ(surface()->background().pixelColor(0, 0), QColor(200, 0, 0));
}

TEST_F(HostileTest, NamesWithBlanksAndNonAsciiLetters)
{
    const std::map<QString, QColor> pictures = {
        {QString::fromUtf8("Sunny beach.png"), QColor(250, 200, 0)},
        {QString::fromUtf8("\u00c6r\u00f8sk\u00f8bing fjord.png"), QColor(0, 0, 255)},
        {QString::fromUtf8("\u0141\u00f3d\u017a \u591c.png"), QColor(0, 128, 0)},
    };
    for (const auto& [name, colour] : pictures)
        picture("pics/" + name, colour);
    picture(QString::fromUtf8("pics/backs/\u00e9t\u00e9 back.png"), Qt::magenta, {30, 40});
    store.values["prfTolvaBackground"] = "\u0141\u00f3d\u017a \u591c.png";  // UTF-8 text in the store
    store.values["prfIsTolvaCustomCardBack"] = "True";
    store.values["prfTolvaCustomBackFace"] = "\u00e9t\u00e9 back.png";
    start();

    EXPECT_EQ(surface()->background().pixelColor(0, 0), QColor(0, 128, 0));
    EXPECT_EQ(backImage(false).pixelColor(w->cWidth / 2, w->cHeight / 2), QColor(Qt::magenta));
    EXPECT_EQ(backImage(false).pixelColor(0, 0).alpha(), 0) << "a square picture gets the card's round corners";
    const QStringList names = visibleEntries();
    ASSERT_EQ(names.size(), 3);
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        ASSERT_TRUE(pictures.count(names[i]));
        w->backgroundEntries()[i]->trigger();
        EXPECT_EQ(QString::fromStdString(w->prefs.prfTolvaBackground), names[i]);
        EXPECT_EQ(surface()->background().pixelColor(5, 5), pictures.at(names[i]));
    }
    w->close();
    EXPECT_TRUE(messages.empty()) << messageTexts();
    EXPECT_EQ(QString::fromStdString(store.values["prfTolvaBackground"]), names.back());
}

TEST_F(HostileTest, SoundFilesThatAreNoSoundsAreSkippedInPlay)
{
    put("wavs/deal.wav", {});
    put("wavs/drop.wav", "this is not a RIFF file at all");
    put("wavs/beach.wav", QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16));  // cut after the header
    put("wavs/rummywin.wav", QByteArray(5000, '\0'));
    store.values["prfSound"] = "True";
    start();
    for (int turn = 0; turn < 2; ++turn) {
        w->picDeal_Click(0);
        w->picPlayerDraw_Click();
    }
    QTest::qWait(100);  // let any failed load report in
    w->close();
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

// Where the program folder cannot take the scores they go to the user's data folder; when
// that fails too, the user is told where both were.
struct ScoreFileCase {
    const char* name;
    bool folderAtTheFile;  // a folder "stats.dat" beside the program
    bool programDirGone;
    bool userDirBlocked;   // a plain file where the user's data folder must go
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
    EXPECT_EQ(w->topScores[0].score, 180);  // in memory for this run at least
    if (c.programDirGone && !c.userDirBlocked) {
        EXPECT_TRUE(messages.empty()) << messageTexts();
        EXPECT_EQ(readScoreFile(mine.toStdString())[0].score, 180);
        return;
    }
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    const QString& text = messages[0].text;
    EXPECT_TRUE(text.startsWith("Your scores could not be saved")) << text.toStdString();
    EXPECT_TRUE(text.contains(c.programDirGone ? QFileInfo(mine).path() : programDir + "/stats.dat")) << text.toStdString();
    if (c.programDirGone)
        EXPECT_TRUE(text.contains(programDir)) << "where it tried first: " << text.toStdString();
    else
        EXPECT_FALSE(text.contains("folder is writable")) << "the folder is not the cause: " << text.toStdString();
}

// The name typed into the real box is kept in 8-bit text: one '?' for each character
// outside it, and a NUL ends it.
TEST_F(HostileTest, ATopScoreNameTypedInTheBoxIsKeptIn8BitText)
{
    build();
    ctx.dialogs.inputBox = nullptr;
    w = std::make_unique<frmMain>(ctx);
    w->Form_Load();
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            box->setTextValue(QString::fromUtf8("Zo\u00eb \U0001F600") + QChar(0) + "rest");
            box->accept();
        }
    });
    answer.start(10);
    w->prefs.prfPlayerBank = 180;
    w->close();
    EXPECT_EQ(readScoreFile((programDir + "/stats.dat").toStdString())[0].name, scoreName("Zo\xEB ?"));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwritableScoreFile,
                         ::testing::Values(ScoreFileCase{"AFolderWhereTheFileMustGo", true, false, false},
                                           ScoreFileCase{"NoProgramFolder", false, true, false},
                                           ScoreFileCase{"NeitherFolderWritable", false, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostileTest, SettingsStoreThatCannotBeWrittenIsTold)
{
    // A plain file where the settings folder must go: even root cannot create it.
    put("blocker", "not a folder");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, programDir + "/blocker/config");
    {
        QtSettingsStore qs;
        settings = &qs;
        start();
        w->close();
        w.reset();
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));

    const std::string shown = messageTexts();
    EXPECT_NE(shown.find("Your preferences could not be saved"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("Your scores could not be saved"), std::string::npos);
    EXPECT_EQ(QFileInfo(programDir + "/stats.dat").size(), 198);
}

}  // namespace
}  // namespace dm::testing
