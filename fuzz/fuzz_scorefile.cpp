// Any bytes as "stats.dat": reading never fails, and writing what was read gives a file
// that reads back the same tables and keeps every byte past the nine records.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/scores.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kRecord = 22;
constexpr size_t kFull = kRecord * dm::kScoreEntries;

// A folder of our own, gone again when the run ends (libFuzzer ends with exit()).
class WorkDir {
public:
    WorkDir()
    {
        // Every write syncs to disk; a memory file system keeps that from setting the pace.
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string t = (base / "dm-fuzz-scores-XXXXXX").string();
        if (!::mkdtemp(t.data()))
            std::abort();
        path = t;
    }
    ~WorkDir()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;
    fs::path path;
};

const fs::path& workDir()
{
    static const WorkDir dir;
    return dir.path;
}

std::vector<uint8_t> slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool same(const dm::TopScores& a, const dm::TopScores& b)
{
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].score != b[i].score)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fs::path file = workDir() / "stats.dat";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const dm::TopScores read = dm::readScoreFile(file.string());
    for (const auto& e : read)
        check(e.name.size() == dm::kNameLength);
    if (size == 0)
        check(same(read, dm::defaultTopScores()));
    // Whole records are taken byte for byte.
    for (size_t k = 0; size > 0 && k < dm::kScoreEntries && (k + 1) * kRecord <= size; ++k) {
        const uint8_t* rec = data + k * kRecord;
        check(read[k].name == std::string(reinterpret_cast<const char*>(rec), dm::kNameLength));
        check(static_cast<uint16_t>(read[k].score) == (rec[20] | (rec[21] << 8)));
    }

    check(dm::writeScoreFile(file.string(), read));
    const std::vector<uint8_t> written = slurp(file);
    check(written.size() == std::max(size, kFull));
    if (size > kFull)
        check(std::equal(data + kFull, data + size, written.begin() + kFull));
    check(same(dm::readScoreFile(file.string()), read));

    // Only stats.dat is left in the folder: no temporary files pile up.
    check(std::distance(fs::directory_iterator(workDir()), fs::directory_iterator{}) == 1);
    return 0;
}
