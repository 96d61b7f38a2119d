#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/scores.h"

using namespace dm;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string record(const std::string& name, int16_t score)
{
    const auto u = static_cast<uint16_t>(score);
    return scoreName(name) + char(u & 0xFF) + char(u >> 8);
}

// Answers every prompt with one name and remembers what was asked.
struct Asker {
    std::string answer;
    std::vector<std::string> prompts;
    InputBox box()
    {
        return [this](const std::string& prompt, const std::string& title, const std::string& def) {
            EXPECT_EQ(title, "Congratulations");
            EXPECT_EQ(def, "anonymous");
            prompts.push_back(prompt);
            return answer;
        };
    }
};

class ScoreFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path = (fs::path(dir.path().toStdString()) / "stats.dat").string();
};

}  // namespace

TEST_F(ScoreFile, MissingOrEmptyFileGivesDefaultsAndIsNotCreated)
{
    const TopScores d = defaultTopScores();
    EXPECT_EQ(d[0].name, "anonymous           ");
    EXPECT_EQ(d[2].score, 130);
    EXPECT_EQ(d[3].score, 20);
    EXPECT_EQ(d[8].score, 100);
    EXPECT_EQ(readScoreFile(path)[4].score, 20);
    EXPECT_FALSE(fs::exists(path));
    putBytes(path, "");
    EXPECT_EQ(readScoreFile(path)[8].score, 100);
}

TEST_F(ScoreFile, NewFileIsNineRecordsAndReadsBack)
{
    TopScores t = defaultTopScores();
    t[0] = {scoreName("\xC9lise"), 150};  // a Latin-1 byte is kept as it is
    t[5] = {scoreName("zed"), -2};
    t[8] = {scoreName("big"), 1000};
    ASSERT_TRUE(writeScoreFile(path, t));
    const std::string bytes = bytesOf(path);
    ASSERT_EQ(bytes.size(), 198u);
    EXPECT_EQ(bytes.substr(0, 22), record("\xC9lise", 150));
    EXPECT_EQ(bytes.substr(8 * 22, 22), std::string("big") + std::string(17, ' ') + "\xE8\x03");

    const TopScores back = readScoreFile(path);
    for (size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(back[i].name, t[i].name) << i;
        EXPECT_EQ(back[i].score, t[i].score) << i;
    }
}

TEST_F(ScoreFile, BytesPastTheNineRecordsAreKept)
{
    const std::string tail = "extra bytes of an older program";
    putBytes(path, std::string(198, 'x') + tail);
    ASSERT_TRUE(writeScoreFile(path, defaultTopScores()));
    const std::string bytes = bytesOf(path);
    EXPECT_EQ(bytes.size(), 198 + tail.size());
    EXPECT_EQ(bytes.substr(198), tail);
    EXPECT_EQ(bytes.substr(0, 22), record("anonymous", 130));
    EXPECT_EQ(readScoreFile(path)[0].score, 130);  // the tail is ignored when read
}

TEST_F(ScoreFile, ShortFileLeavesLaterEntriesBlank)
{
    putBytes(path, record("ann", 300) + record("bob", 200) + "partial");
    const TopScores t = readScoreFile(path);
    EXPECT_EQ(t[0].name, scoreName("ann"));
    EXPECT_EQ(t[1].score, 200);
    for (size_t i = 2; i < t.size(); ++i) {
        EXPECT_EQ(t[i].name, std::string(20, ' '));
        EXPECT_EQ(t[i].score, 0);
    }
}

TEST_F(ScoreFile, UnwritablePathIsReported)
{
    // Tests may run as root, so make the folder impossible rather than read-only.
    EXPECT_FALSE(writeScoreFile((fs::path(path) / "nowhere" / "stats.dat").string(), defaultTopScores()));
    fs::create_directory(path);  // a folder where the file should be
    EXPECT_FALSE(writeScoreFile(path, defaultTopScores()));
    EXPECT_TRUE(fs::is_directory(path));
}

TEST_F(ScoreFile, WriteFailingHalfwayLeavesTheOldFile)
{
    const std::string old = record("keep", 7) + std::string(300, 'k');
    putBytes(path, old);
    // A file-size limit makes the new file fail after 100 bytes, like a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool written = writeScoreFile(path, defaultTopScores());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(bytesOf(path), old);
    // no temporary left behind
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path().toStdString()), fs::directory_iterator()), 1);
}

TEST_F(ScoreFile, CheckTopScoresInsertsAndShiftsDown)
{
    TopScores t = defaultTopScores();
    RunResults r{131, 0, 0};
    Asker ask{"Jo"};
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), path));
    EXPECT_EQ(ask.prompts, std::vector<std::string>{"You have the top Tolva Rummy score. Please enter your name"});
    EXPECT_EQ(t[0].name, scoreName("Jo"));
    EXPECT_EQ(t[0].score, 131);
    EXPECT_EQ(t[1].name, scoreName("anonymous"));
    EXPECT_EQ(t[2].score, 130);
    EXPECT_EQ(readScoreFile(path)[0].score, 131);

    // Equal to a stored score does not displace it.
    r.playerBank = 130;
    ask.prompts.clear();
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), path));
    EXPECT_TRUE(ask.prompts.empty());
}

TEST_F(ScoreFile, CheckTopScoresPromptsPerTableAndPlace)
{
    TopScores t = defaultTopScores();
    t[1].score = 120;
    t[2].score = 110;
    t[4].score = 10;
    t[5].score = 5;
    t[7].score = 50;
    RunResults r{115, 15, 60};
    Asker ask{"a name that is far too long"};
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), path));
    EXPECT_EQ(ask.prompts,
              (std::vector<std::string>{
                  "You have the 3rd highest  Tolva Rummy score. Please enter your name",
                  "You have the second highest Video Poker strategy score. Please enter your name",
                  "You have the second highest Video Poker Winnings score. Please enter your name"}));
    EXPECT_EQ(t[2].name, "a name that is far t");
    EXPECT_EQ(t[2].score, 115);
    EXPECT_EQ(t[1].score, 120);  // the places above stay
    EXPECT_EQ(t[4].score, 15);
    EXPECT_EQ(t[5].score, 10);  // the old fifth drops to last, the old last is gone
    EXPECT_EQ(t[7].score, 60);
    EXPECT_EQ(t[8].score, 50);
    EXPECT_EQ(r.perfectPlay, 0);
    EXPECT_EQ(r.playerBank, 115);
    EXPECT_EQ(r.pokerMoney, 60);
}

TEST_F(ScoreFile, CancelledPromptChangesNothingAndComesBack)
{
    TopScores t = defaultTopScores();
    ASSERT_TRUE(writeScoreFile(path, t));
    const std::string before = bytesOf(path);
    RunResults r{100, 21, 0};
    Asker ask{""};
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), path));
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(r.perfectPlay, 21);
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), path));
    EXPECT_EQ(ask.prompts.size(), 2u);
    EXPECT_EQ(ask.prompts[1], "You have the top Video Poker strategy score. Please enter your name");
}

TEST_F(ScoreFile, CheckTopScoresReportsAFileItCannotWrite)
{
    TopScores t = defaultTopScores();
    RunResults r{200, 0, 0};
    Asker ask{"Max"};
    EXPECT_FALSE(CheckTopScores(t, r, ask.box(), (fs::path(path) / "x").string()));
    EXPECT_EQ(t[0].score, 200);  // the entry stays in memory
}
