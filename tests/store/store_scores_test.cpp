#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>

#include "store/scores.h"

using namespace dm;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

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
    std::string path = dir.filePath("stats.dat").toStdString();
    size_t filesInDir() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path().toStdString()), {})); }
};

}  // namespace

TEST_F(ScoreFile, MissingOrEmptyFileGivesDefaults)
{
    EXPECT_EQ(readScoreFile(path)[0].name, "anonymous           ");
    EXPECT_FALSE(fs::exists(path));
    putBytes(path, "");
    const TopScores t = readScoreFile(path);
    EXPECT_EQ(t[2].score, 130);
    EXPECT_EQ(t[3].score, 20);
    EXPECT_EQ(t[8].score, 100);
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
    EXPECT_EQ(bytes.substr(8 * 22, 22), "big" + std::string(17, ' ') + "\xE8\x03");
    const TopScores back = readScoreFile(path);
    for (size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(back[i].name, t[i].name) << i;
        EXPECT_EQ(back[i].score, t[i].score) << i;
    }
}

TEST_F(ScoreFile, ShortAndLongFiles)
{
    putBytes(path, record("ann", 300) + record("bob", 200) + "partial");
    TopScores t = readScoreFile(path);
    EXPECT_EQ(t[1].score, 200);
    EXPECT_EQ(t[2].name, std::string(20, ' '));
    EXPECT_EQ(t[8].score, 0);

    // Bytes past record 9 are ignored when read and kept when written.
    const std::string tail = "extra bytes of an older program";
    putBytes(path, std::string(198, 'x') + tail);
    ASSERT_TRUE(writeScoreFile(path, defaultTopScores()));
    EXPECT_EQ(bytesOf(path), [] {
        std::string s;
        for (const auto& e : defaultTopScores())
            s += record(e.name, e.score);
        return s;
    }() + tail);
}

TEST_F(ScoreFile, FailedWritesAreReportedAndHarmless)
{
    // Tests may run as root, so make the folder impossible rather than read-only.
    EXPECT_FALSE(writeScoreFile(path + "/nowhere/stats.dat", defaultTopScores()));

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
    EXPECT_EQ(filesInDir(), 1u);  // no temporary left behind
}

TEST_F(ScoreFile, CheckTopScoresAsksAndInserts)
{
    TopScores t = defaultTopScores();
    for (const auto& [i, score] : {std::pair{1, 120}, {2, 110}, {4, 10}, {5, 5}})
        t[static_cast<size_t>(i)].score = static_cast<int16_t>(score);
    RunResults r{131, 15, 100};  // winnings equal to every stored one: no entry
    Asker ask{"a name that is far too long"};
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), path));
    EXPECT_EQ(ask.prompts, (std::vector<std::string>{
                               "You have the top Tolva Rummy score. Please enter your name",
                               "You have the second highest Video Poker strategy score. Please enter your name"}));
    EXPECT_EQ(t[0].name, "a name that is far t");
    EXPECT_EQ(t[0].score, 131);
    EXPECT_EQ(t[1].score, 130);  // pushed down a place, the last one dropped
    EXPECT_EQ(t[2].score, 120);
    EXPECT_EQ(t[4].score, 15);
    EXPECT_EQ(t[5].score, 10);
    EXPECT_EQ(r.perfectPlay, 0);
    EXPECT_EQ(readScoreFile(path)[0].score, 131);

    ask.prompts.clear();
    r.pokerMoney = 101;
    r.playerBank = 125;  // beats only the third
    ask.answer = "Jo";
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), path));
    EXPECT_EQ(ask.prompts, (std::vector<std::string>{
                               "You have the 3rd highest  Tolva Rummy score. Please enter your name",
                               "You have the top Video Poker Winnings score. Please enter your name"}));
    EXPECT_EQ(t[1].score, 130);
    EXPECT_EQ(t[2].name, scoreName("Jo"));
    EXPECT_EQ(t[6].score, 101);
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

    ask.answer = "Max";
    EXPECT_FALSE(CheckTopScores(t, r, ask.box(), path + "/x"));
    EXPECT_EQ(t[3].score, 21);  // an entry stays in memory when the file can't be written
}
