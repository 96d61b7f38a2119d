#pragma once
// The user's preferences as the main window holds them during a run, and the
// rules that load them from and save them to the settings store.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dm {

// Key/value strings of application "TolvaRummy", section "Preferences".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> read(const std::string& key) = 0;  // nullopt: key missing
    virtual void write(const std::string& key, const std::string& value) = 0;
};

struct Prefs {
    int32_t prfCardOutlineColor = 65280;  // 0x00BBGGRR, hold-marker colour
    int16_t prfWager = 5;
    int16_t prfCardSpace = 16;
    std::string prfTolvaCustomBackFace;
    std::string prfPKCustomBackFace;
    bool prfIsTolvaCustomCardBack = false;
    bool prfIsPKCustomCardBack = false;
    int32_t prfTolvaBackFace = 54;
    int32_t prfPKBackFace = 65;
    int16_t prfMoveDelay = 100;
    bool prfShowPokerPlay = false;
    bool prfTolvaScores = true;
    bool prfPokerAutoDeal = false;
    bool isPoker = false;
    bool prfShowHide = true;
    bool prfAnimation = true;
    bool prfTolvaAutoSort = false;
    bool prfSound = true;
    int32_t prfAnimationDelay = -1;  // negative: not yet measured
    std::string prfTolvaBackground = "meadow.jpg";
    std::string prfPKBackground = "vpokerwood.jpg";
    int16_t prfScrollVal = 0;
    bool prfHideDesktop = false;
    int16_t prfComputerBank = 100;
    int16_t prfPlayerBank = 100;
    int16_t dmZoom = 100;  // the size of the whole program in percent, from the next start
    std::string dmOpponent = "Standard";  // who plays the computer: "Standard" or "Expert"
};

}  // namespace dm

namespace dm {

// Reads every key in the load order; a bad number falls back to that key's default
// alone. Returns the names of keys that held unreadable text (for a message).
std::vector<std::string> loadPrefs(SettingsStore& store, Prefs& prefs);
// Writes the keys in the save order and by the save rules.
void savePrefs(SettingsStore& store, const Prefs& prefs);
// The texts savePrefs writes, by key: two equal results mean nothing new to store.
std::map<std::string, std::string> savedTexts(const Prefs& prefs);
// The Boolean rule: only the exact text "False" is false.
bool storedBool(const std::string& text);
// The numeric text the store may hold, read as the original program read it:
// decimal (blanks around allowed, fractions rounded half to even), "&H..." hex and
// "&O..." octal with an optional "&" Long suffix. nullopt: not a number.
std::optional<int64_t> storedNumber(const std::string& text);
// "prfHideDesktop" is read once by the program entry, before the main window.
bool loadHideDesktop(SettingsStore& store);

// What the preferences dialog can set; a stored value outside is not used.
constexpr int16_t kMinCardSpace = 10;
constexpr int16_t kMaxCardSpace = 40;
constexpr int32_t kFirstBackDesign = 53;  // the card-face library's back designs
constexpr int32_t kLastBackDesign = 65;

// The stored pause of the computer is kept within this range so that four times it
// still fits a 16-bit product.
constexpr int16_t kMaxMoveDelay = 8191;

}  // namespace dm
