#pragma once
// A main window on the offscreen platform with its outside world faked: a temporary
// program folder, settings in a map, seeded chance, no waiting, boxes answered by the test.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "app/frmmain.h"
#include "cards/random.h"
#include "table/picture_box.h"
#include "table/surface.h"
#include "table/wait.h"

namespace dm::testing {

class RecordingStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& key) override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    void write(const std::string& key, const std::string& value) override { values[key] = value; }
    std::map<std::string, std::string> values;
};

class AppWindowTest : public ::testing::Test {
protected:
    // Before start(): whether the built data is linked in, the program folder, the store.
    bool withData = true;
    // Tests of what is said later leave out the start's note on the missing pictures.
    bool dropDataNote = false;
    QString programDir;
    SettingsStore* settings = &store;

    void SetUp() override
    {
        resumeWaits();  // an earlier test may have closed its window
        ASSERT_TRUE(dir.isValid());
        programDir = dir.path();
        // Sounds would need an audio device and measuring the animation takes time.
        store.values["prfSound"] = "False";
        store.values["prfAnimationDelay"] = "0";
        ctx.dialogs.message = [this](const QString& text, const QString&) { messages << text; };
        ctx.dialogs.askYesNo = [](const QString&, const QString&) { return false; };
        ctx.dialogs.inputBox = [](const std::string&, const std::string&, const std::string&) { return std::string("Tester"); };
    }
    void TearDown() override { w.reset(), resumeWaits(); }

    // The window over the program folder, not yet loaded.
    template <class Window = frmMain>
    void build()
    {
        for (const char* name : {"pics", "wavs", "frames", "dunmere.hlp"})
            ASSERT_TRUE(!withData || QFile::exists(dir.path() + "/" + name) ||
                        QFile::link(QStringLiteral(DUNMERE_BIN_DIR "/") + name, dir.path() + "/" + name)) << name;
        ctx.programDir = programDir, ctx.store = settings, ctx.rng = &rng, ctx.timeScale = 0;
        w = std::make_unique<Window>(ctx);
    }
    void start()
    {
        build(), w->Form_Load();
        if (dropDataNote)
            messages.removeIf([](const QString& m) { return m.startsWith("The pictures, sounds and help were not found"); });
    }

    // A file of the given bytes, or a one-colour picture, in the program folder.
    QString pathFor(const QString& relative) const
    {
        QDir().mkpath(QFileInfo(programDir + "/" + relative).path());
        return programDir + "/" + relative;
    }
    void put(const QString& relative, const QByteArray& bytes) const
    {
        QFile f(pathFor(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    void picture(const QString& relative, QColor colour, QSize size = {40, 30}) const
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(pathFor(relative))) << relative.toStdString();
    }
    std::string messageTexts() const { return messages.join('\n').toStdString(); }
    PictureBox* box(const QString& name) const { return w->box(name); }
    QAction* act(const char* name) const { return w->action(QString::fromLatin1(name)); }
    QAction* background(const QString& name) const
    {
        for (QAction* a : w->backgroundEntries())
            if (a->text() == name)
                return a;
        ADD_FAILURE() << name.toStdString();
        return w->backgroundEntries()[0];
    }
    TableSurface* surface() const { return w->findChild<TableSurface*>(); }
    RummyState& rs() { return w->rummy.s; }
    PokerState& ps() { return w->poker.s; }

    QImage backImage(bool poker) const
    {
        QImage img(w->cWidth, w->cHeight, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        w->drawBack(p, 0, 0, poker);
        return img;
    }

    // A point on the visible strip of card i of the user's hand (hand box coordinates).
    QPoint cardPoint(int i) const { return QPoint(w->rummy.s.playerHand[i].left + 4, w->rummy.s.playerHand[i].top + 40); }
    void hoverCard(int i)
    {
        // Qt drops a move to where the pointer already is, so come from one pixel aside.
        QTest::mouseMove(box("picPlayerHand"), cardPoint(i) + QPoint(1, 0));
        QTest::mouseMove(box("picPlayerHand"), cardPoint(i));
    }
    void clickCard(int i, Qt::MouseButton b = Qt::LeftButton)
    {
        hoverCard(i);
        QTest::mouseClick(box("picPlayerHand"), b, {}, cardPoint(i));
    }
    void dragCard(int from, QPoint to)
    {
        auto* hand = box("picPlayerHand");
        QTest::mousePress(hand, Qt::LeftButton, {}, cardPoint(from));
        QTest::mouseMove(hand, to);
        QTest::mouseRelease(hand, Qt::LeftButton, {}, to);
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
    void clickBox(QWidget* b) { ASSERT_TRUE(b); QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2)); }
    void drawFromStock() { clickBox(visibleStock()); }
    std::vector<int> handNumbers() const
    {
        std::vector<int> n(9);
        std::transform(w->rummy.s.playerHand.begin(), w->rummy.s.playerHand.begin() + 9, n.begin(), [](auto& c) { return c.number; });
        return n;
    }

    QTemporaryDir dir;
    RecordingStore store;
    SeededRng rng{20240611};
    AppContext ctx;
    std::unique_ptr<frmMain> w;
    QStringList messages;
};

}  // namespace dm::testing
