// Closing the window when the score file or the settings store cannot be written:
// the user is told which one, and whatever can still be kept is kept.
#include <gtest/gtest.h>

#include <QSettings>
#include <QStandardPaths>

#include "hostile_support.h"
#include "store/qt/settings.h"

namespace dm::hostile {
namespace {

bool anyContains(const QStringList& texts, const QString& part)
{
    return std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return t.contains(part); });
}

TEST(HostileUnload, ScoreFileThatCannotBeWrittenIsTold)
{
    struct Case {
        const char* what;
        std::function<void(Table&)> spoil;
    };
    const Case cases[] = {
        {"stats.dat is a folder", [](Table& t) { QDir(t.programDir).mkpath("stats.dat/inner"); }},
        {"program folder is gone", [](Table& t) { t.programDir = t.tmp.path() + "/no/such/folder"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Table t;
        c.spoil(t);
        t.start();
        t.w->prefs.prfPlayerBank = 180;  // a new top score, so a name is asked for and lost
        t.w->prefs.prfWager = 10;
        t.w->close();
        ASSERT_EQ(t.messages.size(), 1) << t.messages.join("\n").toStdString();
        EXPECT_TRUE(t.messages[0].contains("Your scores could not be saved")) << t.messages[0].toStdString();
        EXPECT_TRUE(t.messages[0].contains("stats.dat"));
        // The preferences were saved before the scores were tried.
        EXPECT_EQ(t.mapStore.values["prfWager"], "10");
        EXPECT_EQ(t.mapStore.values["prfPlayerBank"], "180");
        EXPECT_EQ(t.w->topScores[0].score, 180);  // still in memory for this run
    }
}

TEST(HostileUnload, SettingsStoreThatCannotBeWrittenIsTold)
{
    Table t;
    // A plain file where the settings folder must go: even root cannot create it.
    const QString blocker = t.tmp.filePath("blocker");
    t.put("blocker", "not a folder");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker + "/config");
    {
        QtSettingsStore qs;
        t.store = &qs;
        t.start();
        t.w->close();
    }
    // Later tests get the usual place back.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));

    EXPECT_TRUE(anyContains(t.messages, "Your preferences could not be saved")) << t.messages.join("\n").toStdString();
    EXPECT_FALSE(anyContains(t.messages, "Your scores could not be saved"));
    EXPECT_TRUE(QFileInfo(t.programDir + "/stats.dat").size() == 198);
}

}  // namespace
}  // namespace dm::hostile
