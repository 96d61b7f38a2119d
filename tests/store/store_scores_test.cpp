// The score file: layout, odd sizes, failed and interrupted writes, and the top-score entry.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "as_nobody.h"
#include "store/scores.h"

using namespace dm;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string encoded(const TopScores& t)
{
    std::string s;
    for (const auto& e : t) {
        const auto u = static_cast<uint16_t>(e.score);
        s += scoreName(e.name) + char(u & 0xFF) + char(u >> 8);
    }
    return s;
}

// Names made of consecutive byte values from start on, so tables 0 and 180 hold every
// byte value between them; scores spread over the whole 16-bit range.
TopScores table(int start)
{
    TopScores t;
    for (size_t i = 0; i < t.size(); ++i) {
        std::string name;
        for (size_t k = 0; k < kNameLength; ++k)
            name += static_cast<char>((start + static_cast<int>(i * kNameLength + k)) % 256);
        t[i] = {name, static_cast<int16_t>(-32768 + 4097 * static_cast<int>(i) + start)};
    }
    return t;
}

class ScoreFile : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    fs::path dir = tmp.path().toStdString();
    fs::path path = dir / "stats.dat";
    std::string file = path.string();

    // Files the writer may leave next to stats.dat: ".stats.dat.XXXXXX".
    int tempFiles() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir))
            n += e.path().filename().string().rfind(".stats.dat.", 0) == 0;
        return n;
    }
};

}  // namespace

TEST_F(ScoreFile, MissingEmptyShortAndLongFilesAndEveryByteRoundTrips)
{
    EXPECT_EQ(encoded({TopScoreEntry{"big", 1000}}).substr(0, 22), "big" + std::string(17, ' ') + "\xE8\x03");
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(defaultTopScores()));
    EXPECT_FALSE(fs::exists(path));  // reading creates nothing
    putBytes(path, "");
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(defaultTopScores()));

    // Cut inside the name of record 4: three whole entries, the name bytes there of the
    // fourth with score 0, the rest blank; a rewrite gives a whole file.
    const TopScores a = table(0), b = table(180);
    putBytes(path, encoded(a).substr(0, 3 * 22 + 11));
    const TopScores got = readScoreFile(file);
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(got[i].score, i < 3 ? a[i].score : 0) << i;
    EXPECT_EQ(got[3].name, a[3].name.substr(0, 11) + std::string(9, ' '));
    EXPECT_EQ(got[4].name, std::string(20, ' '));
    ASSERT_TRUE(writeScoreFile(file, got));
    EXPECT_EQ(bytesOf(path).size(), 198u);

    // Bytes past record 9, NULs included, are ignored when read and kept when written.
    const std::string tail("\0\xff tail\n\r\x80", 10);
    putBytes(path, encoded(a) + tail);
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(a));
    ASSERT_TRUE(writeScoreFile(file, b));
    EXPECT_EQ(bytesOf(path), encoded(b) + tail);
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(b));
}

TEST_F(ScoreFile, FailedWritesAreReportedAndLeaveTheOldFile)
{
    // A folder that is gone (tests may run as root, so a read-only one would not do).
    EXPECT_FALSE(writeScoreFile((dir / "missing" / "stats.dat").string(), defaultTopScores()));

    const std::string old = encoded(table(7)) + std::string(300, 'k');
    putBytes(path, old);
    // A file-size limit makes the new file fail after 100 bytes, like a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool written = writeScoreFile(file, defaultTopScores());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(bytesOf(path), old);
    EXPECT_EQ(tempFiles(), 0);

    // stats.dat is a folder: nothing read from it, nothing written into it.
    fs::remove(path);
    fs::create_directory(path);
    putBytes(path / "inside", "x");
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(defaultTopScores()));
    TopScores t = defaultTopScores();
    RunResults r{.playerBank = 150};
    const InputBox ask = [](const std::string&, const std::string&, const std::string&) { return "Ann"; };
    EXPECT_FALSE(CheckTopScores(t, r, ask, file));
    EXPECT_EQ(t[0].score, 150);  // the insertion stays in memory
    EXPECT_EQ(bytesOf(path / "inside"), "x");
    EXPECT_EQ(tempFiles(), 0);
}

// As a user the permission bits stop: a file made read-only keeps its tables and is
// reported; a writable file in a read-only folder is updated in place.
TEST_F(ScoreFile, ReadOnlyFileOrFolder)
{
    const std::string old = encoded(table(7)) + "tail", fresh = encoded(table(180)) + "tail";
    const std::string quotedFile = "\"" + file + "\"";
    const struct {
        const char* name;
        mode_t folder;
        int fileMode;  // 0: no file
        std::string outcome;
    } rows[] = {
        {"a read-only file", 0777, 0444, quotedFile + " is read-only"},
        {"a writable file in a read-only folder", 0555, 0666, "written"},
        {"no file in a read-only folder", 0555, 0,
         "the folder \"" + dir.string() + "\" cannot be written (Permission denied), the folder's fault"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::permissions(dir, fs::perms::all);
        fs::remove(path);
        if (row.fileMode) {
            putBytes(path, old);
            fs::permissions(path, static_cast<fs::perms>(row.fileMode));
        }
        fs::permissions(dir, static_cast<fs::perms>(row.folder));
        const auto outcome = test::asNobody([&] {
            const ScoreSave r = writeScoreFile(file, table(180));
            return r ? std::string("written") : r.error + (r.folderCause ? ", the folder's fault" : "");
        });
        fs::permissions(dir, fs::perms::all);
        if (!outcome)
            GTEST_SKIP() << "cannot run as a user without root's rights";
        EXPECT_EQ(*outcome, row.outcome);
        if (row.fileMode)
            EXPECT_EQ(bytesOf(path), row.outcome == "written" ? fresh : old);
        EXPECT_EQ(tempFiles(), 0);
    }
}

TEST_F(ScoreFile, StaleTempFilesAreClearedButLiveOnesKept)
{
    const fs::path stale = dir / ".stats.dat.AbC123", live = dir / ".stats.dat.LiVe99";
    const fs::path other = dir / ".stats.dat.bak";  // not of the writer's naming
    putBytes(stale, "left by a killed writer");
    putBytes(live, "still being written");
    putBytes(other, "keep");
    // Another writer at work holds a lock on its temporary file.
    const int fd = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    ASSERT_TRUE(writeScoreFile(file, defaultTopScores()));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    ::close(fd);
    ASSERT_TRUE(writeScoreFile(file, defaultTopScores()));
    EXPECT_FALSE(fs::exists(live));
    EXPECT_EQ(bytesOf(other), "keep");
}

// A child rewrites the file with tables A and B in turn until it is killed. Whenever it
// dies, the file holds one of them whole with the old tail, and at most one temporary
// file of the interrupted write is left over.
TEST_F(ScoreFile, KilledWriterNeverTearsTheFile)
{
    const TopScores a = table(0), b = table(180);
    const std::string tail = "older program's bytes";
    const std::string fileA = encoded(a) + tail, fileB = encoded(b) + tail;
    putBytes(path, fileA);

    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> pause(0, 4000);
    int sawA = 0, sawB = 0;
    for (int round = 0; round < 240; ++round) {
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(done[0]);
            for (unsigned i = 0;; ++i) {
                if (!writeScoreFile(file, i % 2 ? a : b))
                    ::_exit(3);
                [[maybe_unused]] const auto n = ::write(done[1], "w", 1);  // one byte per finished write
            }
        }
        ::close(done[1]);
        // Let 0, 1 or 2 writes finish first, so both tables get their turn however slow the disk.
        char c = 0;
        for (int w = 0; w < round % 3; ++w)
            ASSERT_EQ(::read(done[0], &c, 1), 1);
        std::this_thread::sleep_for(std::chrono::microseconds(pause(rng)));
        ::kill(child, SIGKILL);
        ::close(done[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;

        const std::string now = bytesOf(path);
        ASSERT_TRUE(now == fileA || now == fileB) << "round " << round << ": " << now.size() << " bytes";
        (now == fileA ? sawA : sawB) += 1;
        ASSERT_LE(tempFiles(), 1) << "round " << round;
    }
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
    ASSERT_TRUE(writeScoreFile(file, a));  // the next write clears what the last kill left
    EXPECT_EQ(tempFiles(), 0);
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

TEST_F(ScoreFile, CheckTopScoresAsksAndInserts)
{
    TopScores t = defaultTopScores();  // 130 130 130 | 20 20 20 | 100 100 100
    for (const auto& [i, score] : {std::pair{1, 120}, {2, 110}, {4, 10}, {5, 5}})
        t[static_cast<size_t>(i)].score = static_cast<int16_t>(score);
    RunResults r{131, 15, 100};  // winnings equal to every stored one: no entry
    Asker ask{"a name that is far too long"};
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), file));
    EXPECT_EQ(ask.prompts, (std::vector<std::string>{
                               "You have the top Tolva Rummy score. Please enter your name",
                               "You have the second highest Video Poker strategy score. Please enter your name"}));
    EXPECT_EQ(t[0].name, "a name that is far t");
    const int16_t expected[] = {131, 130, 120, 20, 15, 10, 100, 100, 100};  // each pushes the rest down
    for (size_t i = 0; i < t.size(); ++i)
        EXPECT_EQ(t[i].score, expected[i]) << i;
    EXPECT_EQ(r.perfectPlay, 0);
    EXPECT_EQ(readScoreFile(file)[0].score, 131);

    ask.prompts.clear();
    r = {125, 0, 101};  // rummy beats only the third
    ask.answer = "Jo";
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), file));
    EXPECT_EQ(ask.prompts, (std::vector<std::string>{
                               "You have the 3rd highest  Tolva Rummy score. Please enter your name",
                               "You have the top Video Poker Winnings score. Please enter your name"}));
    EXPECT_EQ(t[2].name, scoreName("Jo"));
    EXPECT_EQ(t[6].score, 101);
}

TEST_F(ScoreFile, CancelledPromptChangesNothingAndComesBack)
{
    TopScores t = defaultTopScores();
    ASSERT_TRUE(writeScoreFile(file, t));
    const std::string before = bytesOf(path);
    RunResults r{100, 21, 0};
    Asker ask{""};
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), file));
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(r.perfectPlay, 21);
    ASSERT_TRUE(CheckTopScores(t, r, ask.box(), file));
    EXPECT_EQ(ask.prompts.size(), 2u);
}
