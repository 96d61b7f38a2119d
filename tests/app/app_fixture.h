#pragma once
// A main window on the offscreen platform with its outside world faked: a program
// folder in a temporary directory, a recording settings store, seeded chance, no
// waiting, and message boxes answered by the test. Shared by the app widget tests.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/frmmain.h"
#include "cards/random.h"
#include "table/picture_box.h"
#include "table/wait.h"

namespace dm::testing {

// Settings in a map; every write is kept in order as well.
class RecordingStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& key) override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    void write(const std::string& key, const std::string& value) override
    {
        values[key] = value;
        writes.emplace_back(key, value);
    }
    std::map<std::string, std::string> values;
    std::vector<std::pair<std::string, std::string>> writes;
};

struct ShownBox {
    QString text;
    QString title;
};

class AppWindowTest : public ::testing::Test {
protected:
    // Before start(): what the program folder holds and what the store says.
    bool withData = true;

    void SetUp() override
    {
        resumeWaits();  // an earlier test may have closed its window
        ASSERT_TRUE(dir.isValid());
        // Sounds would need an audio device and measuring the animation takes time;
        // tests that want them set these keys themselves.
        store.values["prfSound"] = "False";
        store.values["prfAnimationDelay"] = "0";
    }

    void TearDown() override
    {
        w.reset();
        resumeWaits();
    }

    // Builds the window over the program folder and loads it (the first hand is dealt).
    void start()
    {
        if (withData)
            linkData();
        ctx.programDir = dir.path();
        ctx.store = &store;
        ctx.rng = &rng;
        ctx.timeScale = 0;
        ctx.dialogs.message = [this](const QString& text, const QString& title) {
            messages.push_back({text, title});
        };
        ctx.dialogs.askYesNo = [this](const QString& text, const QString& title) {
            questions.push_back({text, title});
            if (answers.empty())
                return false;
            const bool a = answers.front();
            answers.pop_front();
            return a;
        };
        ctx.dialogs.inputBox = [this](const std::string& prompt, const std::string&, const std::string&) {
            prompts.push_back(prompt);
            return topScoreName;
        };
        w = std::make_unique<frmMain>(ctx);
        w->Form_Load();
    }

    // The built data beside the program, linked into the temporary program folder.
    void linkData()
    {
        const QString bin = QStringLiteral(DUNMERE_BIN_DIR);
        for (const char* name : {"pics", "wavs", "frames", "dunmere.hlp"}) {
            const QString from = bin + "/" + name;
            ASSERT_TRUE(QFileInfo::exists(from)) << from.toStdString() << " missing: build the assets target";
            ASSERT_TRUE(QFile::link(from, dir.path() + "/" + name)) << name;
        }
    }

    QString binPics() const { return QStringLiteral(DUNMERE_BIN_DIR "/pics"); }

    PictureBox* box(const QString& name) const
    {
        auto* b = w->box(name);
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }
    QAction* act(const char* name) const
    {
        auto* a = w->action(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    RummyState& rs() { return w->rummy.s; }
    PokerState& ps() { return w->poker.s; }

    // A point on the visible strip of card i of the user's hand (hand box coordinates).
    QPoint cardPoint(int i) const
    {
        const auto& c = w->rummy.s.playerHand[i];
        return QPoint(c.left + 4, c.top + 40);
    }
    void hoverCard(int i)
    {
        // Qt drops a move to where the pointer already is (an earlier window may have
        // left it there), so come from one pixel aside.
        QTest::mouseMove(box("picPlayerHand"), cardPoint(i) + QPoint(1, 0));
        QTest::mouseMove(box("picPlayerHand"), cardPoint(i));
    }
    void clickCard(int i, Qt::MouseButton b = Qt::LeftButton)
    {
        hoverCard(i);
        QTest::mouseClick(box("picPlayerHand"), b, {}, cardPoint(i));
    }
    // The pointer on the table, away from the hand, the piles and the menu strip.
    void leaveHand() { QTest::mouseMove(w->centralWidget(), QPoint(w->centralWidget()->width() - 20, 150)); }

    // The stock picture that is showing (none when the stock is used up).
    PictureBox* visibleStock() const
    {
        for (int i = 0; i < 4; ++i)
            if (auto* b = w->box(QStringLiteral("picDeal%1").arg(i)); b && b->isVisible())
                return b;
        return nullptr;
    }
    void clickBox(QWidget* b, Qt::MouseButton button = Qt::LeftButton)
    {
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, button, {}, QPoint(b->width() / 2, b->height() / 2));
    }
    void drawFromStock() { clickBox(visibleStock()); }

    std::vector<int> handNumbers(int count = 9) const
    {
        std::vector<int> n;
        for (int i = 0; i < count; ++i)
            n.push_back(w->rummy.s.playerHand[i].number);
        return n;
    }
    int discardTop() const { return w->rummy.s.discardPile.back().number; }

    // Saves a picture of the window when DUNMERE_SHOTS names a folder (for looking at it).
    void shot(const char* name) const
    {
        const QByteArray to = qgetenv("DUNMERE_SHOTS");
        if (!to.isEmpty())
            w->grab().save(QString::fromLocal8Bit(to) + "/" + name);
    }

    QTemporaryDir dir;
    RecordingStore store;
    SeededRng rng{20240611};
    AppContext ctx;
    std::unique_ptr<frmMain> w;
    std::vector<ShownBox> messages;
    std::vector<ShownBox> questions;
    std::deque<bool> answers;
    std::vector<std::string> prompts;
    std::string topScoreName;
};

}  // namespace dm::testing
