// The score file: layout, odd sizes, failed and interrupted writes, its place, and the top-score entry.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "as_nobody.h"  // and <unistd.h>, <sys/wait.h>
#include "store/qt/highscores.h"
#include "store/scores.h"

using namespace dm;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator(in), {}};
}

void putBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string encoded(const TopScores& t)
{
    std::string s;
    for (const auto& e : t)
        s += scoreName(e.name) + char(uint16_t(e.score) & 0xFF) + char(uint16_t(e.score) >> 8);
    return s;
}

// Names made of consecutive byte values from start on, so tables 0 and 180 hold every
// byte value between them; scores spread over the whole 16-bit range.
TopScores table(int start)
{
    TopScores t;
    for (int i = 0; i < 9; ++i) {
        for (int k = 0; k < 20; ++k)
            t[size_t(i)].name += char((start + i * 20 + k) % 256);
        t[size_t(i)].score = int16_t(-32768 + 4097 * i + start);
    }
    return t;
}

class ScoreFile : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    fs::path dir = tmp.path().toStdString(), path = dir / "stats.dat";
    std::string file = path.string(), defaults = encoded(defaultTopScores());

    // Files the writer may leave next to stats.dat: ".stats.dat.XXXXXX".
    long tempFiles() const
    {
        return std::count_if(fs::directory_iterator(dir), {},
                             [](const auto& e) { return e.path().filename().string().rfind(".stats.dat.", 0) == 0; });
    }
};

}  // namespace

TEST_F(ScoreFile, MissingEmptyShortAndLongFilesAndEveryByteRoundTrips)
{
    EXPECT_EQ(encoded({TopScoreEntry{"big", 1000}}).substr(0, 22), "big" + std::string(17, ' ') + "\xE8\x03");
    EXPECT_EQ(encoded(readScoreFile(file)), defaults);
    EXPECT_FALSE(fs::exists(path));  // reading creates nothing
    putBytes(path, "");
    EXPECT_EQ(encoded(readScoreFile(file)), defaults);

    // Cut inside the name of record 4: three whole entries, the name bytes there of the
    // fourth with score 0, the rest blank; a rewrite gives a whole file.
    const TopScores a = table(0), b = table(180);
    const TopScores cut{a[0], a[1], a[2], {a[3].name.substr(0, 11), 0}};
    putBytes(path, encoded(a).substr(0, 3 * 22 + 11));
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(cut));
    ASSERT_TRUE(writeScoreFile(file, readScoreFile(file)));
    EXPECT_EQ(bytesOf(path), encoded(cut));

    // Bytes past record 9, NULs included, are ignored when read and kept when written.
    const std::string tail("\0\xff tail\n\r\x80", 10);
    putBytes(path, encoded(a) + tail);
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(a));
    ASSERT_TRUE(writeScoreFile(file, b));
    EXPECT_EQ(bytesOf(path), encoded(b) + tail);
}

TEST_F(ScoreFile, FailedWritesAreReportedAndLeaveTheOldFile)
{
    const std::string old = encoded(table(7)) + std::string(300, 'k');
    putBytes(path, old);
    // A file-size limit makes the new file fail after 100 bytes, like a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight{100, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool written = writeScoreFile(file, defaultTopScores());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(bytesOf(path), old);

    // stats.dat is a folder: nothing read from it, nothing written into it; the entry stays in memory.
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(encoded(readScoreFile(file)), defaults);
    TopScores t = defaultTopScores();
    RunResults r{.playerBank = 150};
    EXPECT_FALSE(CheckTopScores(t, r, [](auto&, auto&, auto&) { return "Ann"; }, file));
    EXPECT_EQ(t[0].score, 150);
    EXPECT_TRUE(fs::is_empty(path) && tempFiles() == 0);
    fs::remove(path);

    // As a user the permission bits stop: a file made read-only keeps its tables and is
    // reported; a writable file in a read-only folder is updated in place.
    const std::string fresh = encoded(table(180)) + std::string(300, 'k');
    const struct { const char* name; int folder, fileMode; std::string outcome; } rows[] = {  // fileMode 0: no file
        {"a read-only file", 0777, 0444, "\"" + file + "\" is read-only"},
        {"a writable file in a read-only folder", 0555, 0666, "written"},
        {"no file in a read-only folder", 0555, 0,
         "the folder \"" + dir.string() + "\" cannot be written (Permission denied), the folder's fault"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
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

// A child rewrites the file with tables A and B in turn until killed. The file then holds one
// of them whole with the old tail, and at most one temporary file is left; the next write clears
// it, but not one another writer still holds locked, nor one not of the writer's naming.
TEST_F(ScoreFile, KilledWriterNeverTearsTheFileAndStaleTempFilesGo)
{
    const TopScores a = table(0), b = table(180);
    const std::string fileA = encoded(a) + "old tail", fileB = encoded(b) + "old tail";
    putBytes(path, fileA);
    int sawA = 0, sawB = 0;
    for (int round = 0; round < 120; ++round) {
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        for (unsigned i = 0; child == 0; ++i)  // one byte down the pipe per finished write
            if (!writeScoreFile(file, i % 2 ? a : b) || ::write(done[1], "w", 1) != 1)
                ::_exit(3);
        ::close(done[1]);
        // Let 0, 1 or 2 writes finish first, so both tables get their turn however slow the disk.
        char c = 0;
        for (int w = 0; w < round % 3; ++w)
            ASSERT_EQ(::read(done[0], &c, 1), 1);
        ::usleep(static_cast<useconds_t>(round * 1237 % 4000));
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
    EXPECT_TRUE(sawA > 0 && sawB > 0) << sawA << " A, " << sawB << " B";

    const fs::path live = dir / ".stats.dat.LiVe99", other = dir / ".stats.dat.bak";
    for (const auto& f : {dir / ".stats.dat.AbC123", live, other})
        putBytes(f, "keep");
    const int fd = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    ASSERT_TRUE(writeScoreFile(file, a));
    EXPECT_EQ(tempFiles(), 2);  // the live one and ".bak"
    ::close(fd);
    ASSERT_TRUE(writeScoreFile(file, a));
    EXPECT_EQ(tempFiles(), 1);
    EXPECT_EQ(bytesOf(other), "keep");
}

TEST_F(ScoreFile, CheckTopScoresAsksAndInserts)
{
    std::vector<std::string> prompts;
    std::string answer;  // empty: cancelled
    const InputBox ask = [&](const std::string& prompt, const std::string& title, const std::string& def) {
        EXPECT_EQ(title + "/" + def, "Congratulations/anonymous");
        prompts.push_back(prompt);
        return answer;
    };
    TopScores t = defaultTopScores();  // 130 130 130 | 20 20 20 | 100 100 100
    ASSERT_TRUE(writeScoreFile(file, t));
    // A cancelled prompt changes nothing and asks again next time; a tie is no entry.
    RunResults r{100, 21, 100};
    ASSERT_TRUE(CheckTopScores(t, r, ask, file));
    ASSERT_TRUE(CheckTopScores(t, r, ask, file));
    EXPECT_EQ(prompts.size(), 2u);
    EXPECT_EQ(bytesOf(path), defaults);
    EXPECT_EQ(r.perfectPlay, 21);

    for (const auto& [i, score] : {std::pair{1, 120}, {2, 110}, {4, 10}, {5, 5}, {6, 120}, {7, 110}})
        t[static_cast<size_t>(i)].score = static_cast<int16_t>(score);
    ASSERT_TRUE(writeScoreFile(file, t));  // the file is read again before each check
    r = {131, 15, 105};
    prompts.clear();
    answer = "a name that is far too long";
    ASSERT_TRUE(CheckTopScores(t, r, ask, file));
    EXPECT_EQ(prompts, (std::vector<std::string>{
                           "You have the top Tolva Rummy score. Please enter your name",
                           "You have the second highest Video Poker strategy score. Please enter your name",
                           "You have the 3rd highest Video Poker Winnings score. Please enter your name"}));
    EXPECT_EQ(t[0].name, "a name that is far t");
    const int16_t expected[] = {131, 130, 120, 20, 15, 10, 120, 110, 105};  // each pushes the rest down
    for (size_t i = 0; i < t.size(); ++i)
        EXPECT_EQ(t[i].score, expected[i]) << i;
    EXPECT_EQ(r.perfectPlay, 0);
    EXPECT_EQ(encoded(readScoreFile(file)), encoded(t));
}

// A check that cannot get the lock keeps its entry for the next one, which reads the file
// again (another copy wrote it meanwhile) and stores both.
TEST_F(ScoreFile, AnEntryNotYetStoredSurvivesTheNextReadOfTheFile)
{
    TopScores t = defaultTopScores();
    ScoreRun run{.lockWait = std::chrono::milliseconds(50)};
    const InputBox ann = [](auto&, auto&, auto&) { return std::string("Ann"); };
    const int held = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    RunResults r{.playerBank = 150};
    const ScoreSave busy = CheckTopScores(t, r, ann, file, run);
    EXPECT_NE(busy.error.find("another copy"), std::string::npos) << busy.error;
    EXPECT_FALSE(fs::exists(path));
    TopScores other = defaultTopScores();
    other[0] = {scoreName("Bob"), 300};
    ASSERT_TRUE(writeScoreFile(file, other));
    ::close(held);

    r = {};
    ASSERT_TRUE(CheckTopScores(t, r, ann, file, run));
    const TopScores now = readScoreFile(file);
    EXPECT_EQ(now[0].name + now[1].name, scoreName("Bob") + scoreName("Ann"));
    EXPECT_EQ(now[1].score, 150);
    EXPECT_TRUE(run.unsaved.empty());
}

// Run as a user who cannot write the program's folder, as when it is installed.
TEST(ScoreFilePlace, BesideTheProgramWhenItCanBeWrittenThereElsePerUser)
{
    // folder: the program's folder; beside: the mode of a "stats.dat" in it, 0: none
    const struct { const char* name; int folder, beside; bool userHasOne; const char* expected; } rows[] = {
        {"installed: a copy of its own, starting from the one beside", 0755, 0644, false, "mine from beside"},
        {"installed: the user's copy once there is one", 0755, 0644, true, "mine from mine"},
        {"installed with no scores beside", 0755, 0, false, "mine from beside"},
        {"a writable file in a read-only folder is kept there", 0755, 0666, false, "beside from beside"},
        {"a writable folder", 0777, 0, false, "beside from beside"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir tmp;
        const QString prog = tmp.filePath("bin"), home = tmp.filePath("home");
        const QString mine = home + "/" + QCoreApplication::applicationName();
        fs::create_directories(prog.toStdString());
        fs::create_directories((row.userHasOne ? mine : home).toStdString());
        for (const auto& [at, mode] : {std::pair{prog, row.beside}, {mine, row.userHasOne ? 0644 : 0}})
            if (mode) {
                ASSERT_TRUE(writeScoreFile((at + "/stats.dat").toStdString(), defaultTopScores()));
                fs::permissions((at + "/stats.dat").toStdString(), fs::perms(mode));
            }
        std::error_code absent;  // the user's own folder is there only in some rows
        for (const auto& [at, mode] : {std::pair{tmp.path(), 0755}, {prog, row.folder}, {home, 0777}, {mine, 0777}})
            fs::permissions(at.toStdString(), fs::perms(mode), absent);
        qputenv("XDG_DATA_HOME", home.toUtf8());
        const auto got = test::asNobody([&] {
            const FilePlace p = writablePlace(prog, "stats.dat");
            QString both = QString(p.path + " from " + p.startFrom).replace(prog + "/stats.dat", "beside");
            const bool folder = fs::exists(fs::path(p.path.toStdString()).parent_path());
            return both.replace(mine + "/stats.dat", "mine").toStdString() + (folder ? "" : ", no folder");
        });
        qunsetenv("XDG_DATA_HOME");
        if (!got)
            GTEST_SKIP() << "cannot run as a user without root's rights";
        EXPECT_EQ(*got, row.expected);
    }
}

// Names outside Latin-1 get one question mark a character; a NUL ends them.
TEST(ScoreNames, ShownAsLatin1)
{
    EXPECT_EQ(toNameBytes(QString::fromUtf8("Z\u00f6e \u0141ukasz \U0001F600") + QChar(0) + "rest"), "Z\xF6" "e ?ukasz ?");
    EXPECT_EQ(fromNameBytes("Z\xF6" "e"), QString::fromUtf8("Z\u00f6e"));
}
