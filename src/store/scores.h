#pragma once
// The three top-three score tables and their file "stats.dat".
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dm {

struct TopScoreEntry {
    std::string name;  // exactly 20 8-bit characters, space padded
    int16_t score = 0;
};

// 0..2 rummy banks, 3..5 video poker perfect-play runs, 6..8 video poker winnings.
using TopScores = std::array<TopScoreEntry, 9>;

constexpr size_t kNameLength = 20;
constexpr size_t kScoreEntries = std::tuple_size_v<TopScores>;

// A name as the tables hold it: cut after 20 characters or padded with spaces.
std::string scoreName(const std::string& name);

TopScores defaultTopScores();
// Missing or empty file: the defaults. A short file: a record cut in the middle keeps the
// name bytes it has (space-padded) and score 0 unless both score bytes are there; entries
// past its end get a name of 20 spaces and score 0. Bytes past record 9 are never read.
// A link or anything but a plain file is not read: the defaults.
TopScores readScoreFile(const std::string& path);
// The same, but nullopt where the defaults would stand in for a missing file.
std::optional<TopScores> readScoreFileIfThere(const std::string& path);

// What became of a write: nothing to say when written; otherwise what failed and where,
// and whether the folder is the cause (it cannot be written).
struct ScoreSave {
    std::string error;
    bool folderCause = false;
    operator bool() const { return error.empty(); }  // NOLINT: "was it written?"
};

// Replaces a file of at most nine records whole (never torn). A longer file, and a writable
// file in a folder that cannot be written, get the nine records written over the old ones
// and synced, so the bytes past record 9 stay and the time does not grow with the length.
// A read-only file, a link and anything but a plain file are left alone. On failure the
// old file is untouched.
ScoreSave writeScoreFile(const std::string& path, const TopScores& scores);

// The platform's input box: prompt, title, default text -> answer ("" when cancelled).
using InputBox = std::function<std::string(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText)>;

struct RunResults {
    int16_t playerBank = 0;     // prfPlayerBank
    int16_t perfectPlay = 0;    // prfvidPokPerfPlay; set to 0 after a strategy entry
    int16_t pokerMoney = 0;     // prfvidPokMoney
};

// What one run keeps between its checks: the entries it made that no write has stored yet,
// and how long it waits for another copy of the program that is writing the same file.
struct ScoreRun {
    struct Entry {
        size_t table = 0;  // 0 rummy, 1 strategy, 2 winnings
        TopScoreEntry entry;
    };
    std::vector<Entry> unsaved;
    std::chrono::milliseconds lockWait{3000};
};

// Offers the results to the three tables in turn, then writes the file. The tables are
// read again from the file first (another copy of the program may have written it), with
// this run's unsaved entries put back in; then names are asked, and the file is read once
// more under a lock on its folder just before the entries go in and it is written.
// When the file could not be written the tables stay changed in memory.
ScoreSave CheckTopScores(TopScores& scores, RunResults& results, const InputBox& ask, const std::string& path,
                         ScoreRun& run);
ScoreSave CheckTopScores(TopScores& scores, RunResults& results, const InputBox& ask, const std::string& path);

}  // namespace dm
