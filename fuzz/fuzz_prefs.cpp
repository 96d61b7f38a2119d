// Any settings-store contents: loading keeps every value within what the window can use,
// and saving then loading again gives the same preferences and no unreadable keys.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "store/prefs.h"

namespace {

class MapStore : public dm::SettingsStore {
public:
    std::optional<std::string> read(const std::string& key) override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void write(const std::string& key, const std::string& value) override { values[key] = value; }
    std::map<std::string, std::string> values;
};

const char* const kKeys[] = {
    "prfCardOutlineColor", "prfWager", "prfCardSpace", "prfTolvaCustomBackFace", "prfPKCustomBackFace",
    "prfIsTolvaCustomCardBack", "prfIsPKCustomCardBack", "prfTolvaBackFace", "prfPKBackFace",
    "prfMoveDelay", "prfShowPokerPlay", "prfTolvaScores", "prfPokerAutoDeal", "isPoker", "prfShowHide",
    "prfAnimation", "prfTolvaAutoSort", "prfSound", "prfAnimationDelay", "prfTolvaBackground",
    "prfPKBackground", "prfScrollVal", "prfHideDesktop", "prfComputerBank", "prfPlayerBank", "path",
};
constexpr size_t kKeyCount = std::size(kKeys);

// Every field that a load sets (banks and prfHideDesktop are not read by it).
auto loaded(const dm::Prefs& p)
{
    return std::tie(p.prfCardOutlineColor, p.prfWager, p.prfCardSpace, p.prfTolvaCustomBackFace,
                    p.prfPKCustomBackFace, p.prfIsTolvaCustomCardBack, p.prfIsPKCustomCardBack,
                    p.prfTolvaBackFace, p.prfPKBackFace, p.prfMoveDelay, p.prfShowPokerPlay, p.prfTolvaScores,
                    p.prfPokerAutoDeal, p.isPoker, p.prfShowHide, p.prfAnimation, p.prfTolvaAutoSort, p.prfSound,
                    p.prfAnimationDelay, p.prfTolvaBackground, p.prfPKBackground, p.prfScrollVal);
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

}  // namespace

// Input: lines; the first byte of a line picks a known key (or, past the list, takes the
// text up to '=' as a key of its own), the rest is the stored text. Keys not named stay missing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MapStore store;
    std::string_view in(reinterpret_cast<const char*>(data), size);
    while (!in.empty()) {
        const size_t nl = in.find('\n');
        std::string_view line = in.substr(0, nl);
        in = nl == std::string_view::npos ? std::string_view{} : in.substr(nl + 1);
        if (line.empty())
            continue;
        const auto pick = static_cast<uint8_t>(line[0]);
        line.remove_prefix(1);
        if (pick % (kKeyCount + 1) < kKeyCount) {
            store.values[kKeys[pick % (kKeyCount + 1)]] = std::string(line);
        } else {
            const size_t eq = line.find('=');
            store.values[std::string(line.substr(0, eq))] =
                eq == std::string_view::npos ? std::string{} : std::string(line.substr(eq + 1));
        }
    }

    dm::Prefs prefs;
    dm::loadPrefs(store, prefs);
    check(prefs.prfMoveDelay >= 0 && prefs.prfMoveDelay <= dm::kMaxMoveDelay);
    check(prefs.prfWager != 0 && prefs.prfCardSpace != 0);
    check(prefs.prfTolvaBackFace != 0 && prefs.prfPKBackFace != 0);
    check(!prefs.prfTolvaBackground.empty() && !prefs.prfPKBackground.empty());
    (void)dm::loadHideDesktop(store);

    dm::savePrefs(store, prefs);
    dm::Prefs again;
    const auto bad = dm::loadPrefs(store, again);
    // prfMoveDelay is never written, so whatever the store held stays unreadable.
    for (const auto& key : bad)
        check(key == "prfMoveDelay");
    check(loaded(again) == loaded(prefs));
    return 0;
}
