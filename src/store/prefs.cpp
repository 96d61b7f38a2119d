#include "store/prefs.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace dm {

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// "&HFFFF" is a 16-bit literal (-1) while "&HFFFF&" is a 32-bit one (65535);
// the stored colour "&H0000FF00&" relies on that suffix.
std::optional<int64_t> radixNumber(std::string_view s)
{
    const int base = (std::toupper(static_cast<unsigned char>(s[1])) == 'H') ? 16 : 8;
    s.remove_prefix(2);
    const bool longSuffix = !s.empty() && s.back() == '&';
    if (longSuffix)
        s.remove_suffix(1);
    if (s.empty() || s.size() > (base == 16 ? 8u : 11u))
        return std::nullopt;
    uint64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (ec != std::errc{} || end != s.data() + s.size() || value > 0xFFFFFFFFull)
        return std::nullopt;
    if (!longSuffix && value <= 0xFFFF)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Accepts [sign] digits [. digits] [E [sign] digits] with at least one mantissa digit.
bool decimalShape(std::string_view s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

std::optional<int64_t> decimalNumber(std::string_view s)
{
    if (!decimalShape(s))
        return std::nullopt;
    if (s.front() == '+')
        s.remove_prefix(1);  // from_chars takes no plus sign
    double d = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (ec != std::errc{} || end != s.data() + s.size())
        return std::nullopt;
    // Anything beyond 32 bits is rejected by the callers anyway; keep the cast defined.
    if (!(std::fabs(d) < 1e15))
        return std::nullopt;
    return static_cast<int64_t>(std::nearbyint(d));  // default rounding: half to even
}

// Converts one stored text. Not a number, or too wide for the variable: nullopt,
// and the key is noted as bad so the window can say so.
template <typename Int>
std::optional<Int> fitNumber(const std::string& text, const std::string& key, std::vector<std::string>& bad)
{
    const auto n = storedNumber(text);
    if (!n || *n < std::numeric_limits<Int>::min() || *n > std::numeric_limits<Int>::max()) {
        bad.push_back(key);
        return std::nullopt;
    }
    return static_cast<Int>(*n);
}

// Missing key: nullopt without complaint.
template <typename Int>
std::optional<Int> numberKey(SettingsStore& store, const std::string& key, std::vector<std::string>& bad)
{
    const auto text = store.read(key);
    return text ? fitNumber<Int>(*text, key, bad) : std::nullopt;
}

// The keys whose stored 0 cannot be kept: 0 and unreadable text give the default.
template <typename Int>
void nonZeroKey(SettingsStore& store, const std::string& key, Int& var, Int fallback,
                std::vector<std::string>& bad)
{
    const auto n = numberKey<Int>(store, key, bad);
    var = (n && *n != 0) ? *n : fallback;
}

// Keys the preferences dialog keeps within a range: a stored 0 gives the default as
// above; any other value outside the range is not used and is reported like bad text.
template <typename Int>
void rangedKey(SettingsStore& store, const std::string& key, Int& var, Int fallback, Int lowest, Int highest,
               std::vector<std::string>& bad)
{
    nonZeroKey(store, key, var, fallback, bad);
    if (var < lowest || var > highest) {
        var = fallback;
        bad.push_back(key);
    }
}

void boolKey(SettingsStore& store, const std::string& key, bool& var, bool fallback)
{
    const auto text = store.read(key);
    var = text ? storedBool(*text) : fallback;
}

// The picture settings hold a file name inside a data folder; a folder part (a hand-edited
// "../../x.jpg", or "..\\x.jpg": the data paths take either separator) would reach pictures
// outside it, so only the name after the last separator counts.
std::string fileNameOnly(const std::string& text)
{
    const auto slash = text.find_last_of("/\\");
    std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
    return (name == "." || name == "..") ? std::string() : name;
}

void fileKey(SettingsStore& store, const std::string& key, std::string& var, const std::string& fallback)
{
    const auto text = store.read(key);
    const std::string name = text ? fileNameOnly(*text) : std::string();
    var = name.empty() ? fallback : name;
}

void backgroundKey(SettingsStore& store, const std::string& key, std::string& var,
                   const std::string& missing, const std::string& storedEmpty)
{
    const auto text = store.read(key);
    if (!text) {
        var = missing;
        return;
    }
    const std::string name = fileNameOnly(*text);
    var = name.empty() ? storedEmpty : name;
}

std::string boolText(bool b) { return b ? "True" : "False"; }

}  // namespace

bool storedBool(const std::string& text) { return text != "False"; }

std::optional<int64_t> storedNumber(const std::string& text)
{
    const std::string_view s = trimmed(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char r = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (r == 'H' || r == 'O')
            return radixNumber(s);
        return std::nullopt;
    }
    return decimalNumber(s);
}

bool loadHideDesktop(SettingsStore& store)
{
    const auto text = store.read("prfHideDesktop");
    return text ? storedBool(*text) : false;
}

std::vector<std::string> loadPrefs(SettingsStore& store, Prefs& p)
{
    const Prefs d;  // the member initialisers are the defaults for missing keys
    std::vector<std::string> bad;

    // A colour that is not numeric falls back quietly; only an overflow is reported.
    p.prfCardOutlineColor = d.prfCardOutlineColor;
    if (const auto text = store.read("prfCardOutlineColor"); text && storedNumber(*text))
        p.prfCardOutlineColor = fitNumber<int32_t>(*text, "prfCardOutlineColor", bad).value_or(d.prfCardOutlineColor);
    nonZeroKey(store, "prfWager", p.prfWager, d.prfWager, bad);
    rangedKey(store, "prfCardSpace", p.prfCardSpace, d.prfCardSpace, kMinCardSpace, kMaxCardSpace, bad);
    fileKey(store, "prfTolvaCustomBackFace", p.prfTolvaCustomBackFace, d.prfTolvaCustomBackFace);
    fileKey(store, "prfPKCustomBackFace", p.prfPKCustomBackFace, d.prfPKCustomBackFace);
    boolKey(store, "prfIsTolvaCustomCardBack", p.prfIsTolvaCustomCardBack, d.prfIsTolvaCustomCardBack);
    boolKey(store, "prfIsPKCustomCardBack", p.prfIsPKCustomCardBack, d.prfIsPKCustomCardBack);
    rangedKey(store, "prfTolvaBackFace", p.prfTolvaBackFace, d.prfTolvaBackFace, kFirstBackDesign, kLastBackDesign,
              bad);
    rangedKey(store, "prfPKBackFace", p.prfPKBackFace, d.prfPKBackFace, kFirstBackDesign, kLastBackDesign, bad);

    nonZeroKey(store, "prfMoveDelay", p.prfMoveDelay, d.prfMoveDelay, bad);
    // The computer pauses up to four times this; beyond the cap the 16-bit product
    // overflows and its turn never finishes.
    if (p.prfMoveDelay < 0)
        p.prfMoveDelay = d.prfMoveDelay;
    else if (p.prfMoveDelay > kMaxMoveDelay)
        p.prfMoveDelay = kMaxMoveDelay;

    boolKey(store, "prfShowPokerPlay", p.prfShowPokerPlay, d.prfShowPokerPlay);
    boolKey(store, "prfTolvaScores", p.prfTolvaScores, d.prfTolvaScores);
    boolKey(store, "prfPokerAutoDeal", p.prfPokerAutoDeal, d.prfPokerAutoDeal);
    boolKey(store, "isPoker", p.isPoker, d.isPoker);
    boolKey(store, "prfShowHide", p.prfShowHide, d.prfShowHide);
    boolKey(store, "prfAnimation", p.prfAnimation, d.prfAnimation);
    boolKey(store, "prfTolvaAutoSort", p.prfTolvaAutoSort, d.prfTolvaAutoSort);
    boolKey(store, "prfSound", p.prfSound, d.prfSound);
    p.prfAnimationDelay = numberKey<int32_t>(store, "prfAnimationDelay", bad).value_or(d.prfAnimationDelay);
    backgroundKey(store, "prfTolvaBackground", p.prfTolvaBackground, d.prfTolvaBackground, "beach.gif");
    backgroundKey(store, "prfPKBackground", p.prfPKBackground, d.prfPKBackground, "pkwood.jpg");

    p.prfScrollVal = d.prfScrollVal;
    if (const auto text = store.read("prfScrollVal"); text && !text->empty())
        p.prfScrollVal = fitNumber<int16_t>(*text, "prfScrollVal", bad).value_or(d.prfScrollVal);
    rangedKey<int16_t>(store, "dmZoom", p.dmZoom, d.dmZoom, 100, 200, bad);
    // Our own key beside the original ones: anything but "Expert" is the standard computer.
    const auto opponent = store.read("dmOpponent");
    p.dmOpponent = opponent && *opponent == "Expert" ? "Expert" : d.dmOpponent;
    return bad;
}

void savePrefs(SettingsStore& store, const Prefs& p)
{
    const auto num = [&](const char* key, auto value) { store.write(key, std::to_string(value)); };
    const auto numIfSet = [&](const char* key, auto value) {
        if (value != 0)
            num(key, value);
    };
    const auto flag = [&](const char* key, bool value) { store.write(key, boolText(value)); };
    const auto textIfSet = [&](const char* key, const std::string& value) {
        if (!value.empty())
            store.write(key, value);
    };

    flag("prfTolvaScores", p.prfTolvaScores);
    flag("prfIsTolvaCustomCardBack", p.prfIsTolvaCustomCardBack);
    flag("prfIsPKCustomCardBack", p.prfIsPKCustomCardBack);
    flag("prfHideDesktop", p.prfHideDesktop);
    textIfSet("prfTolvaCustomBackFace", p.prfTolvaCustomBackFace);
    textIfSet("prfPKCustomBackFace", p.prfPKCustomBackFace);
    numIfSet("prfComputerBank", p.prfComputerBank);
    numIfSet("prfPlayerBank", p.prfPlayerBank);
    num("prfCardOutlineColor", p.prfCardOutlineColor);
    numIfSet("prfWager", p.prfWager);
    numIfSet("prfCardSpace", p.prfCardSpace);
    num("prfScrollVal", p.prfScrollVal);
    numIfSet("prfTolvaBackFace", p.prfTolvaBackFace);
    numIfSet("prfPKBackFace", p.prfPKBackFace);
    flag("prfShowPokerPlay", p.prfShowPokerPlay);
    flag("prfPokerAutoDeal", p.prfPokerAutoDeal);
    flag("prfAnimation", p.prfAnimation);
    flag("prfTolvaAutoSort", p.prfTolvaAutoSort);
    flag("prfShowHide", p.prfShowHide);
    flag("prfSound", p.prfSound);
    flag("isPoker", p.isPoker);
    num("prfAnimationDelay", p.prfAnimationDelay);
    textIfSet("prfTolvaBackground", p.prfTolvaBackground);
    textIfSet("prfPKBackground", p.prfPKBackground);
    num("dmZoom", p.dmZoom);
    store.write("dmOpponent", p.dmOpponent);
}

std::map<std::string, std::string> savedTexts(const Prefs& prefs)
{
    struct Texts : SettingsStore {
        std::map<std::string, std::string> values;
        std::optional<std::string> read(const std::string&) override { return std::nullopt; }
        void write(const std::string& key, const std::string& value) override { values[key] = value; }
    } texts;
    savePrefs(texts, prefs);
    return texts.values;
}

}  // namespace dm
