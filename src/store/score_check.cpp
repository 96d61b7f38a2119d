// CheckTopScores: the results offered to the tables, with names asked, among any number of
// copies of the program sharing one score file.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "store/scores.h"

namespace dm {

namespace {

const std::array<std::array<const char*, 3>, 3> kPrompts = {{
    {"You have the top Tolva Rummy score. Please enter your name",
     "You have the second highest  Tolva Rummy score. Please enter your name",
     "You have the 3rd highest  Tolva Rummy score. Please enter your name"},
    {"You have the top Video Poker strategy score. Please enter your name",
     "You have the second highest Video Poker strategy score. Please enter your name",
     "You have the 3rd highest Video Poker strategy score. Please enter your name"},
    {"You have the top Video Poker Winnings score. Please enter your name",
     "You have the second highest Video Poker Winnings score. Please enter your name",
     "You have the 3rd highest Video Poker Winnings score. Please enter your name"},
}};

// The first place of a table whose score is strictly lower than v; 3 when none is.
size_t placeFor(const TopScores& scores, size_t table, int16_t v)
{
    size_t place = 0;
    while (place < 3 && scores[table * 3 + place].score >= v)
        ++place;
    return place;
}

// Puts the entry in at its place, pushing the rest down; false when it no longer qualifies.
bool insert(TopScores& scores, size_t table, const TopScoreEntry& e)
{
    const size_t place = placeFor(scores, table, e.score);
    if (place == 3)
        return false;
    const size_t first = table * 3;
    for (size_t i = first + 2; i > first + place; --i)
        scores[i] = scores[i - 1];
    scores[first + place] = e;
    return true;
}

// An advisory lock on the file's folder, the one thing every copy can lock (the file
// itself is replaced by a rename, and a folder that cannot be written takes no lock file).
// Held only while the tables are read and written, never while a name is asked.
class FolderLock {
public:
    FolderLock(const std::string& path, std::chrono::milliseconds wait)
    {
        namespace fs = std::filesystem;
        const fs::path p(path);
        const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
        fd_ = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0)
            return;  // no folder: the write says what is wrong
        const auto giveUp = std::chrono::steady_clock::now() + wait;
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            if ((err != EWOULDBLOCK && err != EINTR) || std::chrono::steady_clock::now() >= giveUp) {
                busy_ = err == EWOULDBLOCK;  // any other failure: go on without the lock
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_);  // releases the lock
    }
    bool busy() const { return busy_; }

private:
    int fd_ = -1;
    bool busy_ = false;
};

// The tables as the file holds them now, with the run's unsaved entries put back in. No file
// yet: the tables in memory stand (the copy beside the program, or the defaults).
void refresh(TopScores& scores, const std::string& path, const ScoreRun& run)
{
    auto now = readScoreFileIfThere(path);
    if (!now)
        return;
    for (const auto& u : run.unsaved)
        insert(*now, u.table, u.entry);
    scores = *now;
}

}  // namespace

ScoreSave CheckTopScores(TopScores& scores, RunResults& results, const InputBox& ask, const std::string& path,
                         ScoreRun& run)
{
    {
        const FolderLock lock(path, run.lockWait);
        if (!lock.busy())
            refresh(scores, path, run);
    }

    const std::array<int16_t, 3> values = {results.playerBank, results.perfectPlay, results.pokerMoney};
    std::array<std::string, 3> answers;
    for (size_t table = 0; table < 3; ++table) {
        const size_t place = placeFor(scores, table, values[table]);
        if (place < 3)
            answers[table] = ask(kPrompts[table][place], "Congratulations", "anonymous");
    }

    // Names take their time; the file may have changed meanwhile.
    const FolderLock lock(path, run.lockWait);
    if (!lock.busy())
        refresh(scores, path, run);
    for (size_t table = 0; table < 3; ++table) {
        if (answers[table].empty())
            continue;  // cancelled: the table stays as it is
        const TopScoreEntry e{scoreName(answers[table]), values[table]};
        if (!insert(scores, table, e))
            continue;  // pushed out by entries another copy wrote meanwhile
        run.unsaved.push_back({table, e});
        if (table == 1)
            results.perfectPlay = 0;
    }
    if (lock.busy())
        return {"\"" + path + "\" is being written by another copy of the program, which did not finish in time"};
    ScoreSave saved = writeScoreFile(path, scores);
    if (saved)
        run.unsaved.clear();
    return saved;
}

ScoreSave CheckTopScores(TopScores& scores, RunResults& results, const InputBox& ask, const std::string& path)
{
    ScoreRun run;
    return CheckTopScores(scores, results, ask, path, run);
}

}  // namespace dm
