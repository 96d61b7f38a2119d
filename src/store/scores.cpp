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
#include <optional>
#include <vector>

namespace dm {

namespace {

namespace fs = std::filesystem;

constexpr size_t kRecordSize = 22;
constexpr size_t kFileSize = kRecordSize * kScoreEntries;

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

// All of bytes, from the file offset, or from the start of the file whatever the offset.
bool writeAll(int fd, const std::vector<char>& bytes, bool atStart = false)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = atStart ? ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done))
                                  : ::write(fd, bytes.data() + done, bytes.size() - done);
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

// Writes the nine records over the old ones, never shortening the file: for a writable file
// in a folder that cannot be written, and for a file longer than nine records. Not atomic
// like the rename, so a write that fails half-way puts the old records back.
ScoreSave rewriteInPlace(int fd, const std::vector<char>& records, const std::string& name)
{
    std::vector<char> before(records.size());
    ssize_t had = 0;
    do
        had = ::pread(fd, before.data(), before.size(), 0);
    while (had < 0 && errno == EINTR);
    if (writeAll(fd, records, true) && ::fsync(fd) == 0)
        return {};
    const int err = errno;
    if (had > 0) {
        before.resize(static_cast<size_t>(had));
        writeAll(fd, before, true);
    }
    return {name + " could not be written" + because(err)};
}

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

std::optional<TopScores> readScoreFileIfThere(const std::string& path)
{
    // Never through a link, never from anything but a plain file (a FIFO would block), and
    // never more than the nine records, however long the file is.
    const Fd in{::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    struct stat st {};
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return std::nullopt;
    std::array<char, kFileSize> bytes{};
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(in.fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }

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

TopScores readScoreFile(const std::string& path) { return readScoreFileIfThere(path).value_or(defaultTopScores()); }

ScoreSave writeScoreFile(const std::string& path, const TopScores& scores)
{
    const fs::path target(path);
    const std::string name = quoted(path);
    std::error_code ec;
    const auto kind = fs::symlink_status(target, ec).type();
    if (kind != fs::file_type::not_found && kind != fs::file_type::regular)
        return {name + " is a link or not a plain file and was left alone"};
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::vector<char> records = encode(scores);
    const std::string stem = "." + target.filename().string() + ".";
    removeStaleTemps(dir, stem);

    // The user may have made the file read-only to keep its tables; the rename below
    // would replace it all the same, so ask the file itself first.
    Fd old;
    off_t oldSize = 0;
    if (kind == fs::file_type::regular) {
        // Read access too, so a failed rewrite in place can put the old records back.
        old.fd = ::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (old.fd < 0 && errno == EACCES)
            old.fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (old.fd < 0 && (errno == EACCES || errno == EPERM))
            return {name + " is read-only"};
        if (old.fd < 0)
            return {name + " cannot be written" + because(errno), errno == EROFS};
        struct stat st {};
        if (::fstat(old.fd, &st) != 0 || !S_ISREG(st.st_mode))
            return {name + " is a link or not a plain file and was left alone"};
        oldSize = st.st_size;
    }
    // A longer file keeps everything past record 9. Copying that would take as long as
    // the file is and fill its holes, so the records are written over the old ones.
    if (oldSize > static_cast<off_t>(kFileSize))
        return rewriteInPlace(old.fd, records, name);

    // A complete new file next to the old one, then an atomic rename: a crash or a
    // full disk leaves either the old tables or the new ones, never half of each.
    std::string tmp = (dir / (stem + "XXXXXX")).string();
    Fd fresh{::mkostemp(tmp.data(), O_CLOEXEC)};
    if (fresh.fd < 0) {
        const int err = errno;
        if (old.fd >= 0 && (err == EACCES || err == EPERM))
            return rewriteInPlace(old.fd, records, name);
        return {"the folder " + quoted(dir.string()) + " cannot be written" + because(err), true};
    }
    // Held until after the rename: the mark that this file is still being written.
    ::flock(fresh.fd, LOCK_EX);
    struct stat st {};
    const mode_t mode = old.fd >= 0 && ::fstat(old.fd, &st) == 0 ? (st.st_mode & 07777) : 0644;
    int err = 0;
    if (::fchmod(fresh.fd, mode) != 0 || !writeAll(fresh.fd, records) || ::fsync(fresh.fd) != 0 ||
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

}  // namespace dm
