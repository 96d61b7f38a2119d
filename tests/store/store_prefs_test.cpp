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

// Distinct from every default, so a key that isn't assigned shows up.
Prefs scribbled()
{
    Prefs p;
    p.prfCardOutlineColor = 1;
    p.prfWager = 10;
    p.prfCardSpace = 30;
    p.prfTolvaCustomBackFace = "x.bmp";
    p.prfIsPKCustomCardBack = true;
    p.prfTolvaBackFace = 60;
    p.prfMoveDelay = 7;
    p.prfShowHide = false;
    p.prfSound = false;
    p.isPoker = true;
    p.prfAnimationDelay = 33;
    p.prfTolvaBackground = "old.jpg";
    p.prfScrollVal = 9;
    return p;
}

}  // namespace

TEST(StoredNumber, AcceptsTheForms)
{
    EXPECT_EQ(storedNumber("65280"), 65280);
    EXPECT_EQ(storedNumber(" -1 "), -1);
    EXPECT_EQ(storedNumber("+12"), 12);
    EXPECT_EQ(storedNumber("&H0000FF00&"), 65280);
    EXPECT_EQ(storedNumber("&HFF&"), 255);
    EXPECT_EQ(storedNumber("&hff"), 255);
    EXPECT_EQ(storedNumber("&HFFFF"), -1);        // a 16-bit literal
    EXPECT_EQ(storedNumber("&HFFFF&"), 65535);    // the Long suffix
    EXPECT_EQ(storedNumber("&HFFFFFFFF"), -1);
    EXPECT_EQ(storedNumber("&O17"), 15);
    EXPECT_EQ(storedNumber("2.5"), 2);  // half to even
    EXPECT_EQ(storedNumber("3.5"), 4);
    EXPECT_EQ(storedNumber("1E3"), 1000);
}

TEST(StoredNumber, RejectsText)
{
    for (const char* t : {"", " ", "abc", "5x", "&H", "&HFG", "&H123456789", "&X1", "1e", ".", "--1", "1 2"})
        EXPECT_FALSE(storedNumber(t).has_value()) << '"' << t << '"';
}

TEST(LoadPrefs, EmptyStoreGivesDefaults)
{
    FakeStore store;
    Prefs p = scribbled();
    EXPECT_TRUE(loadPrefs(store, p).empty());
    const Prefs d;
    EXPECT_FALSE(p.isPoker);
    EXPECT_EQ(p.prfWager, 5);
    EXPECT_EQ(p.prfCardSpace, 16);
    EXPECT_EQ(p.prfTolvaBackFace, 54);
    EXPECT_EQ(p.prfPKBackFace, 65);
    EXPECT_EQ(p.prfCardOutlineColor, 65280);
    EXPECT_TRUE(p.prfAnimation && p.prfSound && p.prfShowHide && p.prfTolvaScores);
    EXPECT_FALSE(p.prfIsPKCustomCardBack);
    EXPECT_EQ(p.prfTolvaCustomBackFace, "");
    EXPECT_EQ(p.prfMoveDelay, 100);
    EXPECT_EQ(p.prfTolvaBackground, "meadow.jpg");
    EXPECT_EQ(p.prfPKBackground, "vpokerwood.jpg");
    EXPECT_LT(p.prfAnimationDelay, 0);  // speed gets measured
    EXPECT_EQ(p.prfScrollVal, 0);
}

TEST(LoadPrefs, ZeroAndEmptyValuesFallBack)
{
    FakeStore store;
    store.values = {{"prfCardSpace", "0"},       {"prfWager", "0.4"},           {"prfTolvaBackFace", "0"},
                    {"prfMoveDelay", "0"},       {"prfTolvaBackground", ""},    {"prfPKBackground", ""},
                    {"prfScrollVal", ""},        {"prfTolvaCustomBackFace", ""}, {"prfCardOutlineColor", "green"}};
    Prefs p = scribbled();
    EXPECT_TRUE(loadPrefs(store, p).empty());
    EXPECT_EQ(p.prfCardSpace, 16);
    EXPECT_EQ(p.prfWager, 5);
    EXPECT_EQ(p.prfTolvaBackFace, 54);
    EXPECT_EQ(p.prfMoveDelay, 100);
    EXPECT_EQ(p.prfTolvaBackground, "beach.gif");
    EXPECT_EQ(p.prfPKBackground, "pkwood.jpg");
    EXPECT_EQ(p.prfScrollVal, 0);
    EXPECT_EQ(p.prfTolvaCustomBackFace, "");
    EXPECT_EQ(p.prfCardOutlineColor, 65280);
}

TEST(LoadPrefs, StoredValuesAreTaken)
{
    FakeStore store;
    store.values = {{"prfCardOutlineColor", "&HFF&"}, {"prfWager", "10"},          {"prfAnimationDelay", "-5"},
                    {"isPoker", "True"},              {"prfShowHide", "false"},    {"prfSound", "False"},
                    {"prfPKCustomBackFace", "me.jpg"}, {"prfScrollVal", "-3"},     {"prfAnimation", ""}};
    Prefs p;
    loadPrefs(store, p);
    EXPECT_EQ(p.prfCardOutlineColor, 255);
    EXPECT_EQ(p.prfWager, 10);
    EXPECT_EQ(p.prfAnimationDelay, -5);
    EXPECT_TRUE(p.isPoker);
    EXPECT_TRUE(p.prfShowHide);  // only the exact "False" is false
    EXPECT_FALSE(p.prfSound);
    EXPECT_TRUE(p.prfAnimation);
    EXPECT_EQ(p.prfPKCustomBackFace, "me.jpg");
    EXPECT_EQ(p.prfScrollVal, -3);
}

TEST(LoadPrefs, BadNumberFallsBackAloneAndLoadingGoesOn)
{
    FakeStore store;
    store.values = {{"prfWager", "lots"},        {"prfCardSpace", "70000"},     // beyond 16 bits
                    {"prfTolvaBackFace", "4000000000"},                          // beyond 32 bits
                    {"prfAnimationDelay", ""},   {"prfCardOutlineColor", "99999999999"},
                    {"prfSound", "False"},       {"prfPKBackground", "felt.jpg"}, {"prfScrollVal", "12"}};
    Prefs p = scribbled();
    const auto bad = loadPrefs(store, p);
    EXPECT_EQ(bad, (std::vector<std::string>{"prfCardOutlineColor", "prfWager", "prfCardSpace", "prfTolvaBackFace", "prfAnimationDelay"}));
    EXPECT_EQ(p.prfWager, 5);
    EXPECT_EQ(p.prfCardSpace, 16);
    EXPECT_EQ(p.prfTolvaBackFace, 54);
    EXPECT_EQ(p.prfAnimationDelay, -1);
    EXPECT_EQ(p.prfCardOutlineColor, 65280);
    // keys after the bad ones still load
    EXPECT_FALSE(p.prfSound);
    EXPECT_EQ(p.prfPKBackground, "felt.jpg");
    EXPECT_EQ(p.prfScrollVal, 12);
}

TEST(LoadPrefs, MoveDelayIsKeptInRange)
{
    FakeStore store;
    Prefs p;
    for (const auto& [stored, expected] : std::vector<std::pair<std::string, int>>{
             {"250", 250}, {"8191", 8191}, {"8192", 8191}, {"32767", 8191}, {"-1", 100}, {"-32768", 100}}) {
        store.values["prfMoveDelay"] = stored;
        loadPrefs(store, p);
        EXPECT_EQ(p.prfMoveDelay, expected) << stored;
    }
}

TEST(LoadPrefs, BanksAndHideDesktopAreNotRead)
{
    FakeStore store;
    store.values = {{"prfPlayerBank", "150"}, {"prfComputerBank", "50"}, {"prfHideDesktop", "True"}};
    Prefs p;
    loadPrefs(store, p);
    EXPECT_EQ(p.prfPlayerBank, 100);
    EXPECT_EQ(p.prfComputerBank, 100);
    EXPECT_FALSE(p.prfHideDesktop);
    EXPECT_TRUE(loadHideDesktop(store));
    store.values["prfHideDesktop"] = "False";
    EXPECT_FALSE(loadHideDesktop(store));
    FakeStore empty;
    EXPECT_FALSE(loadHideDesktop(empty));
}

TEST(SavePrefs, WritesInOrderAsText)
{
    FakeStore store;
    Prefs p;
    p.prfTolvaCustomBackFace = "mine.bmp";
    p.prfPKCustomBackFace = "poker.bmp";
    p.isPoker = true;
    p.prfPlayerBank = 120;
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
    EXPECT_FALSE(store.values.contains("prfMoveDelay"));
}

TEST(SavePrefs, SkippedKeysKeepEarlierValues)
{
    FakeStore store;
    store.values = {{"prfPlayerBank", "140"}, {"prfWager", "10"}, {"prfTolvaBackground", "meadow.jpg"},
                    {"prfTolvaCustomBackFace", "old.bmp"}, {"prfPKBackFace", "60"}, {"prfMoveDelay", "300"}};
    Prefs p;
    p.prfPlayerBank = 0;
    p.prfComputerBank = 200;
    p.prfWager = 0;
    p.prfPKBackFace = 0;
    p.prfTolvaBackground.clear();
    savePrefs(store, p);
    EXPECT_EQ(store.values["prfPlayerBank"], "140");
    EXPECT_EQ(store.values["prfComputerBank"], "200");
    EXPECT_EQ(store.values["prfWager"], "10");
    EXPECT_EQ(store.values["prfPKBackFace"], "60");
    EXPECT_EQ(store.values["prfTolvaBackground"], "meadow.jpg");
    EXPECT_EQ(store.values["prfTolvaCustomBackFace"], "old.bmp");
    EXPECT_EQ(store.values["prfMoveDelay"], "300");
}

TEST(SavePrefs, SavedPrefsLoadBack)
{
    FakeStore store;
    Prefs out = scribbled();
    out.prfCardOutlineColor = 0xFF00FF;
    savePrefs(store, out);
    Prefs in;
    EXPECT_TRUE(loadPrefs(store, in).empty());
    EXPECT_EQ(in.prfCardOutlineColor, out.prfCardOutlineColor);
    EXPECT_EQ(in.prfWager, out.prfWager);
    EXPECT_EQ(in.prfCardSpace, out.prfCardSpace);
    EXPECT_EQ(in.prfTolvaCustomBackFace, out.prfTolvaCustomBackFace);
    EXPECT_EQ(in.prfIsPKCustomCardBack, out.prfIsPKCustomCardBack);
    EXPECT_EQ(in.prfTolvaBackFace, out.prfTolvaBackFace);
    EXPECT_EQ(in.prfShowHide, out.prfShowHide);
    EXPECT_EQ(in.prfSound, out.prfSound);
    EXPECT_EQ(in.isPoker, out.isPoker);
    EXPECT_EQ(in.prfAnimationDelay, out.prfAnimationDelay);
    EXPECT_EQ(in.prfTolvaBackground, out.prfTolvaBackground);
    EXPECT_EQ(in.prfScrollVal, out.prfScrollVal);
    EXPECT_EQ(in.prfMoveDelay, 100);  // never written
}
