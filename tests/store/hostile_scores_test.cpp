// The score file under hostile conditions: odd contents, a folder that cannot take it,
// and a writer killed at random moments.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "store/scores.h"

using namespace dm;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string encoded(const TopScores& t)
{
    std::string s;
    for (const auto& e : t) {
        const auto u = static_cast<uint16_t>(e.score);
        s += scoreName(e.name) + char(u & 0xFF) + char(u >> 8);
    }
    return s;
}

TopScores table(const std::string& who, int16_t base)
{
    TopScores t;
    for (size_t i = 0; i < t.size(); ++i)
        t[i] = {scoreName(who + std::to_string(i)), static_cast<int16_t>(base + i)};
    return t;
}

void expectSame(const TopScores& a, const TopScores& b)
{
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name) << "entry " << i;
        EXPECT_EQ(a[i].score, b[i].score) << "entry " << i;
    }
}

class HostileScores : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    fs::path dir = tmp.path().toStdString();
    fs::path path = dir / "stats.dat";

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

TEST_F(HostileScores, OddSizesReadAndRewrite)
{
    // Empty: the defaults, and nothing is created by reading.
    putBytes(path, "");
    expectSame(readScoreFile(path.string()), defaultTopScores());

    // Shorter than nine records, cut inside record 4: three real entries, the rest blank.
    const TopScores a = table("short", 40);
    putBytes(path, encoded(a).substr(0, 3 * 22 + 11));
    const TopScores got = readScoreFile(path.string());
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(got[i].score, a[i].score);
    for (size_t i = 3; i < 9; ++i) {
        EXPECT_EQ(got[i].name, std::string(20, ' '));
        EXPECT_EQ(got[i].score, 0);
    }
    // Rewriting a short file gives a whole one.
    ASSERT_TRUE(writeScoreFile(path.string(), got));
    EXPECT_EQ(bytesOf(path).size(), 198u);

    // Longer than nine records: the extra bytes, including NULs, survive a write.
    const std::string tail("\0\xff tail\n\r\x80", 10);
    putBytes(path, encoded(a) + tail);
    const TopScores b = table("long", -5);
    ASSERT_TRUE(writeScoreFile(path.string(), b));
    EXPECT_EQ(bytesOf(path), encoded(b) + tail);
    expectSame(readScoreFile(path.string()), b);
}

TEST_F(HostileScores, EveryByteValueInNamesRoundTrips)
{
    // 256 values over two files of 180 name bytes each.
    for (int start : {0, 180}) {
        TopScores t;
        for (size_t i = 0; i < t.size(); ++i) {
            std::string name;
            for (size_t k = 0; k < kNameLength; ++k)
                name += static_cast<char>((start + i * kNameLength + k) % 256);
            t[i] = {name, static_cast<int16_t>(-32768 + 4097 * static_cast<int>(i))};
        }
        ASSERT_TRUE(writeScoreFile(path.string(), t));
        EXPECT_EQ(bytesOf(path), encoded(t));
        expectSame(readScoreFile(path.string()), t);
    }
}

TEST_F(HostileScores, UnwritablePlacesAreReportedNotHidden)
{
    // stats.dat is a folder: no tables can be read from it and none written to it.
    fs::create_directory(path);
    putBytes(path / "inside", "x");
    expectSame(readScoreFile(path.string()), defaultTopScores());
    TopScores t = defaultTopScores();
    RunResults r{.playerBank = 150};
    const InputBox ask = [](const std::string&, const std::string&, const std::string&) { return "Ann"; };
    EXPECT_FALSE(CheckTopScores(t, r, ask, path.string()));
    EXPECT_EQ(t[0].score, 150);  // the insertion stays in memory
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(bytesOf(path / "inside"), "x");
    EXPECT_EQ(tempFiles(), 0);

    // The program folder itself is gone.
    const fs::path gone = dir / "missing" / "stats.dat";
    EXPECT_FALSE(CheckTopScores(t, r, ask, gone.string()));
    EXPECT_FALSE(fs::exists(gone.parent_path()));
}

TEST_F(HostileScores, StaleTempFilesAreClearedButLiveOnesKept)
{
    const fs::path stale = dir / ".stats.dat.AbC123";
    const fs::path live = dir / ".stats.dat.LiVe99";
    const fs::path other = dir / ".stats.dat.bak";  // not of the writer's naming
    putBytes(stale, "left by a killed writer");
    putBytes(live, "still being written");
    putBytes(other, "keep");
    // Another writer at work holds a lock on its temporary file.
    const int fd = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    ASSERT_TRUE(writeScoreFile(path.string(), defaultTopScores()));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_EQ(bytesOf(other), "keep");
    ::close(fd);

    ASSERT_TRUE(writeScoreFile(path.string(), defaultTopScores()));
    EXPECT_FALSE(fs::exists(live));
    EXPECT_EQ(tempFiles(), 1);  // only the .bak
}

// A child process rewrites the file with tables A and B in turn until it is killed.
// Whenever it dies, the file holds one of them whole, the bytes past the records are
// kept, and at most the one temporary file of the interrupted write is left over.
TEST_F(HostileScores, KilledWriterNeverTearsTheFile)
{
    const TopScores a = table("alpha", 1000);
    const TopScores b = table("bravo", -2000);
    const std::string tail = "older program's bytes";
    putBytes(path, encoded(a) + tail);
    const std::string fileA = encoded(a) + tail;
    const std::string fileB = encoded(b) + tail;

    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> pause(0, 4000);
    constexpr int kKills = 240;
    int sawA = 0, sawB = 0, leftTemp = 0, maxTemp = 0;
    for (int round = 0; round < kKills; ++round) {
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(done[0]);
            for (unsigned i = 0;; ++i) {
                if (!writeScoreFile(path.string(), i % 2 ? a : b))
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
        const int temps = tempFiles();
        leftTemp += temps > 0;
        maxTemp = std::max(maxTemp, temps);
        ASSERT_LE(temps, 1) << "round " << round;
    }
    // Both tables were on disk at some kill.
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
    // The next write clears what the last kill left.
    ASSERT_TRUE(writeScoreFile(path.string(), a));
    EXPECT_EQ(tempFiles(), 0);
    RecordProperty("kills", kKills);
    RecordProperty("sawA", sawA);
    RecordProperty("sawB", sawB);
    RecordProperty("roundsWithTemp", leftTemp);
    std::printf("kills %d: A %d, B %d, rounds with a left-over temp file %d (at most %d)\n", kKills, sawA, sawB,
                leftTemp, maxTemp);
}
