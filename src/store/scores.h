#pragma once
// The three top-three score tables and their file "stats.dat".
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

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
// past its end get a name of 20 spaces and score 0. Bytes past record 9 are ignored.
TopScores readScoreFile(const std::string& path);

// What became of a write: nothing to say when written; otherwise what failed and where,
// and whether the folder is the cause (it cannot be written).
struct ScoreSave {
    std::string error;
    bool folderCause = false;
    operator bool() const { return error.empty(); }  // NOLINT: "was it written?"
};

// Replaces the file whole (never torn); bytes past record 9 of the old file are kept.
// A read-only file is left alone. In a folder that cannot be written a writable file is
// rewritten in place and synced instead. On failure the old file is untouched.
ScoreSave writeScoreFile(const std::string& path, const TopScores& scores);

// The platform's input box: prompt, title, default text -> answer ("" when cancelled).
using InputBox = std::function<std::string(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText)>;

struct RunResults {
    int16_t playerBank = 0;     // prfPlayerBank
    int16_t perfectPlay = 0;    // prfvidPokPerfPlay; set to 0 after a strategy entry
    int16_t pokerMoney = 0;     // prfvidPokMoney
};

// Offers the results to the three tables in turn, then writes the file.
// When the file could not be written the tables stay changed in memory.
ScoreSave CheckTopScores(TopScores& scores, RunResults& results, const InputBox& ask, const std::string& path);

}  // namespace dm
