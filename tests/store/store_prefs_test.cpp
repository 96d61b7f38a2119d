#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <map>

#include "store/prefs.h"
#include "store/qt/settings.h"

using namespace dm;

namespace {

using Texts = std::map<std::string, std::string>;

struct FakeStore : SettingsStore {
    explicit FakeStore(Texts v = {}) : values(std::move(v)) {}
    Texts values;
    std::optional<std::string> read(const std::string& k) override
    {
        return values.count(k) ? std::optional(values[k]) : std::nullopt;
    }
    void write(const std::string& key, const std::string& value) override { values[key] = value; }
};

// Every key's value as the text savePrefs gives it, so one table can describe all types.
Texts asText(const Prefs& p)
{
    FakeStore store;
    savePrefs(store, p);
    store.values["prfMoveDelay"] = std::to_string(p.prfMoveDelay);  // loaded but never saved
    return store.values;
}

// Loads into prefs that differ from the defaults, so an unassigned key shows up: the texts
// loaded and the keys reported unreadable.
std::pair<Texts, std::vector<std::string>> load(const Texts& stored)
{
    FakeStore store(stored);
    Prefs p{.prfWager = 10, .prfCardSpace = 30, .prfMoveDelay = 7, .isPoker = true, .prfShowHide = false,
            .prfAnimationDelay = 33, .prfTolvaBackground = "old.jpg", .prfScrollVal = 9, .prfPlayerBank = 150};
    const auto bad = loadPrefs(store, p);
    return {asText(p), bad};
}

}  // namespace

// Numbers in their stored forms; then each key loaded alone, and what saving leaves alone.
TEST(Prefs, StoredNumbersAndZeroEmptyOddAndBadTexts)
{
    const std::pair<const char*, int64_t> good[] = {
        {" -1 ", -1}, {"&H0000FF00&", 65280}, {"&hff", 255}, {"&HFFFF", -1} /* 16-bit literal */,
        {"&HFFFF&", 65535} /* Long suffix */, {"&O17", 15}, {"2.5", 2} /* half to even */, {"1E3", 1000}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(storedNumber(text), value) << text;
    for (const char* t : {"", "abc", "5x", "&H", "&HFG", "&H123456789", "1e", ".", "1 2"})
        EXPECT_FALSE(storedNumber(t).has_value()) << '"' << t << '"';

    // key, stored text, value after loading, reported as unreadable
    const std::tuple<const char*, const char*, const char*, bool> cases[] = {
        {"prfCardOutlineColor", "&HFF&", "255", false}, {"prfCardOutlineColor", "99999999999", "65280", true},
        {"prfCardOutlineColor", "green", "65280", false},  // not numeric at all: a quiet default
        {"prfWager", "0.4", "5", false}, {"prfWager", "lots", "5", true}, {"prfCardSpace", "0", "16", false},
        {"prfCardSpace", "70000", "16", true} /* beyond 16 bits */, {"prfAnimationDelay", "", "-1", true},
        {"prfScrollVal", "", "0", false}, {"prfScrollVal", "12", "12", false}, {"prfSound", "False", "False", false},
        {"prfShowHide", "false", "True", false} /* only the exact "False" is false */, {"prfAnimation", "", "True", false},
        {"prfPlayerBank", "100", "150", false}, {"prfHideDesktop", "True", "False", false},  // left to others
        {"prfMoveDelay", "8191", "8191", false}, {"prfMoveDelay", "8192", "8191", false},
        {"prfMoveDelay", "0", "100", false}, {"prfMoveDelay", "-1", "100", false}, {"prfCardSpace", "40", "40", false},
        // Beyond what the dialog can set: as unreadable.
        {"prfCardSpace", "9", "16", true}, {"prfCardSpace", "1000", "16", true}, {"prfTolvaBackFace", "99", "54", true},
        {"prfPKBackFace", "52", "65", true}, {"prfPKBackFace", "53", "53", false},
        // Only the file name counts: a folder part would reach outside the data folder.
        {"prfTolvaBackground", "../../x.jpg", "x.jpg", false}, {"prfPKBackground", "/etc/", "pkwood.jpg", false},
        {"prfPKCustomBackFace", "..\\..\\x.bmp", "x.bmp", false}, {"prfPKBackground", "", "pkwood.jpg", false},
    };
    const Texts defaults = asText(Prefs{.prfPlayerBank = 150});  // banks are loaded by the window, not here
    EXPECT_EQ(load({}).first, defaults);
    for (const auto& [key, stored, want, isBad] : cases) {
        // Every other key still gets its default: a bad one does not stop the loading.
        Texts expected = defaults;
        expected[key] = want;
        const auto [text, bad] = load({{key, stored}});
        EXPECT_EQ(text, expected) << key << " = \"" << stored << '"';
        EXPECT_EQ(bad, isBad ? std::vector<std::string>{key} : std::vector<std::string>{}) << key;
    }
    FakeStore none, hidden(Texts{{"prfHideDesktop", "True"}});
    EXPECT_TRUE(loadHideDesktop(hidden) && !loadHideDesktop(none));

    // Zero numbers and empty texts are not saved: the store keeps what it had.
    FakeStore store(Texts{{"prfPlayerBank", "140"}, {"prfWager", "10"}, {"prfTolvaBackground", "meadow.jpg"},
                           {"prfTolvaCustomBackFace", "old.bmp"}, {"prfPKBackFace", "60"}, {"prfMoveDelay", "300"}});
    const Texts before = store.values;
    savePrefs(store, Prefs{.prfWager = 0, .prfPKBackFace = 0, .prfMoveDelay = 5, .prfTolvaBackground = "",
                           .prfPlayerBank = 0});
    for (const auto& [key, value] : before)
        EXPECT_EQ(store.values[key], value) << key;
}

TEST(QtSettingsStore, RoundTripAndAFailedWriteReported)
{
    QTemporaryDir dir;  // every store made from here on reads and writes under it
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const Prefs out{.prfWager = 10, .prfPKCustomBackFace = "m\u00e9nage.bmp", .isPoker = true,
                    .prfTolvaBackground = "sunset, red.jpg", .prfPKBackground = "pkwood.jpg"};  // a comma: no list
    {
        QtSettingsStore store;
        savePrefs(store, out);
        store.write("prfPKBackground", "");  // stored empty is not missing
        EXPECT_TRUE(store.sync());
    }
    QtSettingsStore store;
    Prefs in;
    EXPECT_TRUE(loadPrefs(store, in).empty());
    EXPECT_EQ(asText(in), asText(out));
    EXPECT_EQ(QSettings("Dunmere", "TolvaRummy").value("Preferences/prfWager").toString(), "10");

    // A file where the settings folder should be.
    ASSERT_TRUE(QFile(dir.filePath("blocked")).open(QIODevice::WriteOnly));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("blocked"));
    QtSettingsStore blocked;
    blocked.write("prfWager", "5");
    EXPECT_FALSE(blocked.sync());
}
