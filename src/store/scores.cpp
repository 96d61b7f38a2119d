#include "store/scores.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace dm {

namespace {

namespace fs = std::filesystem;

constexpr size_t kRecordSize = 22;
constexpr size_t kFileSize = kRecordSize * kScoreEntries;

// Present means its length can be read and is not zero; any error counts as absent.
bool fileHasData(const std::string& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return !ec && size > 0;
}

std::vector<char> encode(const TopScores& scores)
{
    std::vector<char> bytes;
    bytes.reserve(kFileSize);
    for (const auto& e : scores) {
        const std::string name = scoreName(e.name);
        bytes.insert(bytes.end(), name.begin(), name.end());
        const auto u = static_cast<uint16_t>(e.score);
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

// Everything past record 9 of the current file; the program never shortens it.
// nullopt when something that is not a readable file is in the way, so a rewrite
// never loses data it could not see.
std::optional<std::vector<char>> oldTail(const fs::path& path)
{
    std::error_code ec;
    const auto st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found)
        return std::vector<char>{};
    if (ec || st.type() != fs::file_type::regular)
        return std::nullopt;
    const auto size = fs::file_size(path, ec);
    if (ec)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    if (size <= kFileSize)
        return std::vector<char>{};
    std::vector<char> tail(size - kFileSize);
    in.seekg(static_cast<std::streamoff>(kFileSize));
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (!in)
        return std::nullopt;
    return tail;
}

bool writeAll(int fd, const std::vector<char>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The temporary files of writeScoreFile are "." + name + "." + six characters from mkstemp.
bool isTempOf(const std::string& candidate, const std::string& stem)
{
    if (candidate.size() != stem.size() + 6 || candidate.compare(0, stem.size(), stem) != 0)
        return false;
    for (size_t i = stem.size(); i < candidate.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(candidate[i])))
            return false;
    return true;
}

// A writer killed between creating its temporary file and the rename leaves that file
// behind. Every writer holds a lock on its own temporary file until the rename, so one
// that can be locked belongs to a writer that is gone and can go too.
void removeStaleTemps(const fs::path& dir, const std::string& stem)
{
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path p = it->path();
        if (!isTempOf(p.filename().string(), stem))
            continue;
        const int fd = ::open(p.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(p.c_str());
        ::close(fd);
    }
}

// One open file, closed when it goes.
struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { close(); }
    void close()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
};

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string because(int err) { return err ? " (" + std::string(std::strerror(err)) + ")" : std::string(); }

// A folder that cannot be written still lets its writable file be changed: the nine
// records are written over the old ones (never shortening the file) and synced. Not
// atomic like the rename, but the only way the new tables are kept at all.
ScoreSave rewriteInPlace(int fd, const std::vector<char>& records, const std::string& name)
{
    if (::lseek(fd, 0, SEEK_SET) != 0 || !writeAll(fd, records) || ::fsync(fd) != 0)
        return {name + " could not be written" + because(errno)};
    return {};
}

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

}  // namespace

std::string scoreName(const std::string& name)
{
    std::string s = name.substr(0, kNameLength);
    s.resize(kNameLength, ' ');
    return s;
}

TopScores defaultTopScores()
{
    TopScores t;
    for (size_t i = 0; i < t.size(); ++i) {
        t[i].name = scoreName("anonymous");
        t[i].score = i < 3 ? 130 : i < 6 ? 20 : 100;
    }
    return t;
}

TopScores readScoreFile(const std::string& path)
{
    if (!fileHasData(path))
        return defaultTopScores();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return defaultTopScores();
    std::vector<char> bytes(kFileSize);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const auto got = static_cast<size_t>(in.gcount());

    TopScores t;
    for (size_t k = 0; k < t.size(); ++k) {
        const size_t at = k * kRecordSize;
        // A record cut short keeps the name bytes it has; half a score is no score.
        const size_t have = at < got ? std::min(kRecordSize, got - at) : 0;
        t[k].name = scoreName(std::string(bytes.data() + at, std::min(have, kNameLength)));
        if (have < kRecordSize) {
            t[k].score = 0;
            continue;
        }
        const auto lo = static_cast<uint8_t>(bytes[at + kNameLength]);
        const auto hi = static_cast<uint8_t>(bytes[at + kNameLength + 1]);
        t[k].score = static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
    }
    return t;
}

ScoreSave writeScoreFile(const std::string& path, const TopScores& scores)
{
    // Write through a link to its target so the link itself survives the rename.
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        target = fs::weakly_canonical(target, ec);
        if (ec)
            return {quoted(path) + " leads nowhere (" + ec.message() + ")"};
    }
    const std::string name = quoted(target.string());
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const auto tail = oldTail(target);
    if (!tail)
        return {name + " is not a file that can be read"};
    std::vector<char> bytes = encode(scores);
    bytes.insert(bytes.end(), tail->begin(), tail->end());

    // The user may have made the file read-only to keep its tables; the rename below
    // would replace it all the same, so ask the file itself first.
    Fd old;
    if (fs::exists(target, ec)) {
        old.fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
        if (old.fd < 0 && (errno == EACCES || errno == EPERM))
            return {name + " is read-only"};
        if (old.fd < 0)
            return {name + " cannot be written" + because(errno), errno == EROFS};
    }

    // A complete new file next to the old one, then an atomic rename: a crash or a
    // full disk leaves either the old tables or the new ones, never half of each.
    const std::string stem = "." + target.filename().string() + ".";
    removeStaleTemps(dir, stem);
    std::string tmp = (dir / (stem + "XXXXXX")).string();
    Fd fresh{::mkostemp(tmp.data(), O_CLOEXEC)};
    if (fresh.fd < 0) {
        const int err = errno;
        if (old.fd >= 0 && (err == EACCES || err == EPERM))
            return rewriteInPlace(old.fd, encode(scores), name);
        return {"the folder " + quoted(dir.string()) + " cannot be written" + because(err), true};
    }
    // Held until after the rename: the mark that this file is still being written.
    ::flock(fresh.fd, LOCK_EX);
    struct stat st {};
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    int err = 0;
    if (::fchmod(fresh.fd, mode) != 0 || !writeAll(fresh.fd, bytes) || ::fsync(fresh.fd) != 0 ||
        std::rename(tmp.c_str(), target.c_str()) != 0) {
        err = errno;
        ::unlink(tmp.c_str());
        return {name + " could not be written" + because(err)};
    }
    // The data is already synced; closing can no longer lose it.
    fresh.close();
    // Make the rename itself durable; a failure here no longer risks the data.
    if (const Fd folder{::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)}; folder.fd >= 0)
        ::fsync(folder.fd);
    return {};
}

ScoreSave CheckTopScores(TopScores& scores, RunResults& results, const InputBox& ask, const std::string& path)
{
    const std::array<int16_t, 3> values = {results.playerBank, results.perfectPlay, results.pokerMoney};
    for (size_t table = 0; table < 3; ++table) {
        const int16_t v = values[table];
        const size_t first = table * 3;
        size_t place = 0;
        while (place < 3 && scores[first + place].score >= v)
            ++place;
        if (place == 3)
            continue;
        const std::string answer = ask(kPrompts[table][place], "Congratulations", "anonymous");
        if (answer.empty())
            continue;
        for (size_t i = first + 2; i > first + place; --i)
            scores[i] = scores[i - 1];
        scores[first + place] = {scoreName(answer), v};
        if (table == 1)
            results.perfectPlay = 0;
    }
    return writeScoreFile(path, scores);
}

}  // namespace dm
