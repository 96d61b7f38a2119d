// The score file as more than one program sees it: two copies closing one after the other,
// a copy that holds the file too long, a "stats.dat" that is a link, and one of 64 GiB.
#include <sys/file.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app_fixture.h"
#include "store/scores.h"

namespace dm::testing {
namespace {

namespace fs = std::filesystem;

class SharedScores : public AppWindowTest {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        withData = false;
        dropDataNote = true;
        qputenv("XDG_DATA_HOME", (dir.path() + "/home").toUtf8());
        ctx.dialogs.inputBox = [this](auto&, auto&, auto&) { return nextName; };
        // The hand history, kept by the same place rule, has its own message about the same folders.
        ctx.dialogs.message = [this](const QString& text, const QString&) {
            if (!text.startsWith("The hand history"))
                messages << text;
        };
    }
    void TearDown() override
    {
        AppWindowTest::TearDown();
        qunsetenv("XDG_DATA_HOME");
    }
    QString beside() const { return programDir + "/stats.dat"; }
    QString mine() const { return dir.path() + "/home/" + QCoreApplication::applicationName() + "/stats.dat"; }
    // A run that beats the defaults in all three tables, and the name its holder gives.
    void closeWith(frmMain& window, int16_t result, const std::string& name)
    {
        nextName = name;
        window.prefs.prfPlayerBank = result;
        window.poker.s.winnings = result;
        window.prfvidPokPerfPlay = result;  // a perfect-play run ending with the window
        window.close();
    }
    std::string nextName = "Tester";
    static std::string names(const TopScores& t)
    {
        std::string s;
        for (const auto& e : t)
            s += QString::fromStdString(e.name).trimmed().toStdString() + " " + std::to_string(e.score) + "|";
        return s;
    }
};

// Both copies start from the same file; A closes first, then B, which still holds the old
// tables in memory. Every entry survives, ranked as if they had closed in turn.
TEST_F(SharedScores, TwoCopiesClosingInTurnKeepEachOthersEntries)
{
    start();
    auto a = std::move(w);
    start();
    closeWith(*a, 150, "ALPHA");
    closeWith(*w, 140, "BETA");
    EXPECT_EQ(names(readScoreFile(beside().toStdString())),
              "ALPHA 150|BETA 140|anonymous 130|ALPHA 150|BETA 140|anonymous 20|ALPHA 150|BETA 140|anonymous 100|");
    EXPECT_TRUE(messages.empty()) << messageTexts();

    // A copy that is writing the file and does not let go: the closing one gives up after a
    // while and says so; the entry is not written over anything.
    const std::string before = names(readScoreFile(beside().toStdString()));
    start();
    const int held = ::open(programDir.toLocal8Bit().constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    w->prefs.prfPlayerBank = 200;
    w->close();
    ::close(held);
    EXPECT_EQ(names(readScoreFile(beside().toStdString())), before);
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_TRUE(messages[0].startsWith("Your scores could not be saved") && messages[0].contains("another copy") &&
                messages[0].contains(beside()))
        << messageTexts();
}

// A "stats.dat" that is a link (to a system file, when run as root) is neither read nor
// written: the user is told once, the scores go to the user's own file, and the link and
// what it leads to stay as they were.
TEST_F(SharedScores, ALinkedOrOddScoreFileIsLeftAloneAndTheScoresKeptPerUser)
{
    const QString target = dir.path() + "/passwd";
    const std::string passwd = "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n" +
                               std::string(200, '#');
    std::ofstream(target.toStdString(), std::ios::binary) << passwd;
    ASSERT_TRUE(QFile::link(target, beside()));
    start();
    EXPECT_EQ(names(w->topScores), names(defaultTopScores())) << "no lines of the linked file as names";
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_TRUE(messages[0].contains(beside()) && messages[0].contains(mine())) << messageTexts();
    closeWith(*w, 150, "ALPHA");
    EXPECT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_EQ(readScoreFile(mine().toStdString())[0].score, 150);
    EXPECT_EQ(QFileInfo(beside()).symLinkTarget(), target);
    std::ifstream in(target.toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator(in), {}), passwd);

    // A FIFO would block a reader for ever; it is passed over the same way.
    w.reset(), messages.clear();
    ASSERT_TRUE(QFile::remove(beside()));
    ASSERT_EQ(::mkfifo(beside().toLocal8Bit().constData(), 0644), 0);
    start();
    EXPECT_EQ(w->topScores[0].score, 150) << "the user's own file";
    closeWith(*w, 160, "BETA");
    EXPECT_EQ(readScoreFile(mine().toStdString())[0].score, 160);
    EXPECT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_EQ(fs::symlink_status(beside().toStdString()).type(), fs::file_type::fifo);
}

// 64 GiB, nearly all of it a hole after valid records: the exit keeps the new entry, keeps
// the file's length, and neither reads the rest into memory nor fills the hole.
TEST_F(SharedScores, AHugeScoreFileIsWrittenInPlaceWithoutFillingIt)
{
    ASSERT_TRUE(writeScoreFile(beside().toStdString(), defaultTopScores()));
    constexpr off_t kLength = off_t(64) << 30;
    if (::truncate(beside().toLocal8Bit().constData(), kLength) != 0)
        GTEST_SKIP() << "this file system takes no 64 GiB file";
    start();
    w->prefs.prfPlayerBank = 150;
    w->close();
    EXPECT_TRUE(messages.empty()) << messageTexts();
    EXPECT_EQ(names(readScoreFile(beside().toStdString())).substr(0, 15), "Tester 150|anon");
    struct stat st {};
    ASSERT_EQ(::stat(beside().toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_size, kLength);
    EXPECT_LT(st.st_blocks * 512, 1 << 20) << "the hole was filled";
}

// Where nothing can be written: told once a run, and only when an entry would be lost.
TEST_F(SharedScores, ScoresThatCannotBeSavedAreToldOnceAndOnlyWhenSomethingIsLost)
{
    put("blocker", "not a folder");  // even root cannot make a folder below it
    qputenv("XDG_DATA_HOME", (dir.path() + "/blocker/home").toUtf8());
    programDir += "/no/such/folder";
    start();
    w->offerPerfectRun(5);  // no entry: the tables on disk are as they were
    EXPECT_TRUE(messages.empty()) << messageTexts();
    w->offerPerfectRun(30);
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_TRUE(messages[0].startsWith("Your scores could not be saved")) << messageTexts();
    w->prefs.prfPlayerBank = 180;
    w->close();
    EXPECT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_EQ(w->topScores[0].score, 180) << "kept in memory all the same";
}

}  // namespace
}  // namespace dm::testing
