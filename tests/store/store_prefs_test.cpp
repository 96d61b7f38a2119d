#include <gtest/gtest.h>

#include <map>

#include "store/prefs.h"

using namespace dm;

namespace {

// Remembers values and the order of writes, like a registry section would.
struct FakeStore : SettingsStore {
    std::map<std::string, std::string> values;
    std::vector<std::string> writes;

    std::optional<std::string> read(const std::string& key) override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    void write(const std::string& key, const std::string& value) override
    {
        values[key] = value;
        writes.push_back(key);
    }
};

// Loads into prefs that differ from the defaults, so an unassigned key shows up.
Prefs loaded(FakeStore& store, std::vector<std::string>* bad = nullptr)
{
    Prefs p{.prfWager = 10, .prfCardSpace = 30, .prfMoveDelay = 7, .isPoker = true, .prfShowHide = false,
            .prfAnimationDelay = 33, .prfTolvaBackground = "old.jpg", .prfScrollVal = 9};
    const auto b = loadPrefs(store, p);
    if (bad)
        *bad = b;
    return p;
}

}  // namespace

TEST(StoredNumber, ReadsTheStoredForms)
{
    EXPECT_EQ(storedNumber(" -1 "), -1);
    EXPECT_EQ(storedNumber("&H0000FF00&"), 65280);
    EXPECT_EQ(storedNumber("&hff"), 255);
    EXPECT_EQ(storedNumber("&HFFFF"), -1);      // a 16-bit literal
    EXPECT_EQ(storedNumber("&HFFFF&"), 65535);  // the Long suffix
    EXPECT_EQ(storedNumber("&O17"), 15);
    EXPECT_EQ(storedNumber("2.5"), 2);  // half to even
    EXPECT_EQ(storedNumber("1E3"), 1000);
    for (const char* t : {"", "abc", "5x", "&H", "&HFG", "&H123456789", "1e", ".", "1 2"})
        EXPECT_FALSE(storedNumber(t).has_value()) << '"' << t << '"';
}

TEST(LoadPrefs, EmptyStoreGivesDefaults)
{
    FakeStore store;
    std::vector<std::string> bad;
    const Prefs p = loaded(store, &bad);
    EXPECT_TRUE(bad.empty());
    EXPECT_FALSE(p.isPoker);
    EXPECT_EQ(p.prfWager, 5);
    EXPECT_EQ(p.prfCardSpace, 16);
    EXPECT_EQ(p.prfMoveDelay, 100);
    EXPECT_TRUE(p.prfShowHide);
    EXPECT_EQ(p.prfTolvaBackground, "meadow.jpg");
    EXPECT_LT(p.prfAnimationDelay, 0);  // the speed gets measured
    EXPECT_EQ(p.prfScrollVal, 0);
}

TEST(LoadPrefs, ZeroEmptyAndOddTexts)
{
    FakeStore store;
    store.values = {{"prfCardSpace", "0"},    {"prfWager", "0.4"},       {"prfTolvaBackground", ""},
                    {"prfPKBackground", ""},  {"prfScrollVal", ""},      {"prfCardOutlineColor", "&HFF&"},
                    {"prfShowHide", "false"}, {"prfSound", "False"},     {"prfAnimation", ""}};
    std::vector<std::string> bad;
    const Prefs p = loaded(store, &bad);
    EXPECT_TRUE(bad.empty());
    EXPECT_EQ(p.prfCardSpace, 16);
    EXPECT_EQ(p.prfWager, 5);
    EXPECT_EQ(p.prfTolvaBackground, "beach.gif");
    EXPECT_EQ(p.prfPKBackground, "pkwood.jpg");
    EXPECT_EQ(p.prfScrollVal, 0);
    EXPECT_EQ(p.prfCardOutlineColor, 255);
    EXPECT_TRUE(p.prfShowHide);  // only the exact "False" is false
    EXPECT_FALSE(p.prfSound);
    EXPECT_TRUE(p.prfAnimation);
}

TEST(LoadPrefs, BadNumberFallsBackAloneAndLoadingGoesOn)
{
    FakeStore store;
    store.values = {{"prfCardOutlineColor", "99999999999"}, {"prfWager", "lots"},
                    {"prfCardSpace", "70000"},  // beyond 16 bits
                    {"prfAnimationDelay", ""},  {"prfSound", "False"},
                    {"prfPKBackground", "felt.jpg"}, {"prfScrollVal", "12"}};
    std::vector<std::string> bad;
    const Prefs p = loaded(store, &bad);
    EXPECT_EQ(bad, (std::vector<std::string>{"prfCardOutlineColor", "prfWager", "prfCardSpace", "prfAnimationDelay"}));
    EXPECT_EQ(p.prfCardOutlineColor, 65280);
    EXPECT_EQ(p.prfWager, 5);
    EXPECT_EQ(p.prfCardSpace, 16);
    EXPECT_EQ(p.prfAnimationDelay, -1);
    EXPECT_FALSE(p.prfSound);
    EXPECT_EQ(p.prfPKBackground, "felt.jpg");
    EXPECT_EQ(p.prfScrollVal, 12);

    store.values = {{"prfCardOutlineColor", "green"}};  // not numeric at all: a quiet default
    EXPECT_EQ(loaded(store, &bad).prfCardOutlineColor, 65280);
    EXPECT_TRUE(bad.empty());
}

TEST(LoadPrefs, MoveDelayIsKeptInRange)
{
    FakeStore store;
    for (const auto& [stored, expected] : std::vector<std::pair<std::string, int>>{
             {"250", 250}, {"8191", 8191}, {"8192", 8191}, {"32767", 8191}, {"0", 100}, {"-1", 100}}) {
        store.values["prfMoveDelay"] = stored;
        EXPECT_EQ(loaded(store).prfMoveDelay, expected) << stored;
    }
}

TEST(LoadPrefs, BanksAndHideDesktopAreLeftToOthers)
{
    FakeStore store;
    EXPECT_FALSE(loadHideDesktop(store));
    store.values = {{"prfPlayerBank", "150"}, {"prfHideDesktop", "True"}};
    const Prefs p = loaded(store);
    EXPECT_EQ(p.prfPlayerBank, 100);
    EXPECT_FALSE(p.prfHideDesktop);
    EXPECT_TRUE(loadHideDesktop(store));
}

TEST(SavePrefs, WritesInOrderAsText)
{
    FakeStore store;
    Prefs p;
    p.prfTolvaCustomBackFace = "mine.bmp";
    p.prfPKCustomBackFace = "poker.bmp";
    p.isPoker = true;
    p.prfComputerBank = 80;
    savePrefs(store, p);
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"prfTolvaScores", "prfIsTolvaCustomCardBack", "prfIsPKCustomCardBack",
                                        "prfHideDesktop", "prfTolvaCustomBackFace", "prfPKCustomBackFace",
                                        "prfComputerBank", "prfPlayerBank", "prfCardOutlineColor", "prfWager",
                                        "prfCardSpace", "prfScrollVal", "prfTolvaBackFace", "prfPKBackFace",
                                        "prfShowPokerPlay", "prfPokerAutoDeal", "prfAnimation", "prfTolvaAutoSort",
                                        "prfShowHide", "prfSound", "isPoker", "prfAnimationDelay",
                                        "prfTolvaBackground", "prfPKBackground"}));
    EXPECT_EQ(store.values["isPoker"], "True");
    EXPECT_EQ(store.values["prfShowPokerPlay"], "False");
    EXPECT_EQ(store.values["prfCardOutlineColor"], "65280");
    EXPECT_EQ(store.values["prfAnimationDelay"], "-1");
    EXPECT_EQ(store.values["prfComputerBank"], "80");
}

TEST(SavePrefs, SkippedKeysKeepEarlierValues)
{
    FakeStore store;
    store.values = {{"prfPlayerBank", "140"}, {"prfWager", "10"}, {"prfTolvaBackground", "meadow.jpg"},
                    {"prfTolvaCustomBackFace", "old.bmp"}, {"prfPKBackFace", "60"}, {"prfMoveDelay", "300"}};
    const auto before = store.values;
    const Prefs p{.prfWager = 0, .prfPKBackFace = 0, .prfMoveDelay = 5, .prfTolvaBackground = "", .prfPlayerBank = 0};
    savePrefs(store, p);
    for (const auto& [key, value] : before)
        EXPECT_EQ(store.values[key], value) << key;
}
