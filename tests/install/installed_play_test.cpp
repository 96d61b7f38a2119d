// The installed program from a read-only prefix, started by a user who cannot write
// there: a won rummy stake reaches that user's own score file, and no box says the
// scores could not be saved.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cstdlib>

#include "cards/deck.h"
#include "e2e_layout.h"
#include "install_support.h"
#include "rummy/rules.h"
#include "table/cardfaces.h"

using namespace install;

namespace {

constexpr int kCardW = 90, kCardH = 126, kStep = 16, kHandTop = 25;
const QRect kCorner(3, 4, 12, 30);  // a card's rank and suit, inside the strip a hand leaves showing

// How well nine kept cards play: the cards still unseen that would win with them,
// then how many pairs of them could grow into melds.
int keepValue(const dm::Hand& ten, int thrown)
{
    dm::Hand h{};
    for (int i = 0, n = 0; i < 10; ++i)
        if (i != thrown)
            dm::setCard(h[n++], ten[i].number);
    int outs = 0, links = 0;
    for (int c = 0; c < 52; ++c) {
        const bool held = std::any_of(ten.begin(), ten.end(), [&](const dm::CardRec& k) { return k.number == c; });
        dm::setCard(h[9], c);
        outs += !held && dm::isWinningHand(h);
    }
    for (int i = 0; i < 9; ++i)
        for (int j = i + 1; j < 9; ++j) {
            const int gap = std::abs(h[i].rank - h[j].rank);
            links += h[i].rank == h[j].rank ? 2 : (h[i].suit == h[j].suit && gap <= 2 ? 3 - gap : 0);
        }
    return outs * 1000 + links;
}

int cardToThrow(const dm::Hand& ten)
{
    int best = 9, bestValue = -1;
    for (int i = 0; i < 10; ++i)
        if (const int v = keepValue(ten, i); v > bestValue)
            bestValue = v, best = i;
    return best;
}

// Plays rummy on the real window as a user would: reads the cards off it, takes the
// discard when that helps and throws the card that leaves the most ways to win.
class RummyPlayer {
public:
    RummyPlayer(e2e::XSession& x, unsigned long window, QRect client)
        : x_(x), window_(window), client_(client), b_(e2e::tableBoxes(QPoint(0, client.height() - 600), false))
    {
        for (int c = 0; c < 52; ++c)
            corners_[c] = dm::renderCard(c, 0).convertToFormat(QImage::Format_RGB32).copy(kCorner);
        corners_[52] = dm::renderCard(54, 1).convertToFormat(QImage::Format_RGB32).copy(kCorner);  // the back
    }

    // The hands the computer won before the user won one; nullopt when none was won in the time.
    std::optional<int> winAHand(int timeoutMs)
    {
        QElapsedTimer clock, stall;
        clock.start(), stall.start();
        int lost = 0, thrown = -1, backsGone = 0;
        bool taking = false, dealt = false;
        const QPoint computerHand(80, client_.height() - 600 + 30);  // its first card
        while (clock.elapsed() < timeoutMs) {
            // A picture of the window alone is far quicker than one of the screen.
            const QImage shot = QImage::fromData(x_.run("import", {"-window", QString::number(window_), "bmp:-"}).out, "BMP")
                                    .convertToFormat(QImage::Format_RGB32);
            if (shot.isNull())
                continue;
            // Only a card just taken can win; the hand's place then shows the table.
            if (taking && e2e::share(shot, b_.playerHand.adjusted(0, kHandTop + kCardH / 2, 0, 0), e2e::nearWhite) < 0.1) {
                QThread::msleep(500);  // the stake is paid after the winner display
                return lost;
            }
            // The computer's winner display shows its cards face up; twice, so that a card
            // leaving its hand is not taken for it. A tie stalls: its box is answered.
            const bool backs = cardAt(shot, computerHand, 52, 52) == 52;
            dealt = dealt || backs;
            backsGone = dealt && !backs ? backsGone + 1 : 0;
            if (const bool stuck = stall.elapsed() > 5000; stuck || backsGone == 2) {
                lost += !stuck;
                trace += QString("%1 at %2 s; ").arg(stuck ? "stuck" : "lost").arg(clock.elapsed() / 1000.0);
                if (stuck)
                    x_.key("Return");
                x_.key("ctrl+r");
                thrown = -1, backsGone = 0;
                taking = dealt = false;
                stall.restart();
                continue;
            }
            dm::Hand h{};
            bool read = true;
            for (int i = 0; i < 9; ++i) {
                const int c = cardAt(shot, b_.playerHand.topLeft() + QPoint(dm::handSlotLeft(i, kStep), kHandTop));
                read = read && c >= 0;
                dm::setCard(h[i], std::max(c, 0));
            }
            const bool drawn = e2e::share(shot, b_.playerDraw, e2e::nearWhite) > 0.4;
            const int card = drawn ? cardAt(shot, b_.playerDraw.topLeft()) : -1;
            if (!read || (drawn && card < 0))
                continue;
            if (drawn) {
                taking = false;
                dm::setCard(h[9], card);
                const int k = cardToThrow(h);
                thrown = h[k].number;
                clickAndLeave(k == 9 ? b_.playerDraw.center()
                                     : b_.playerHand.topLeft() + QPoint(dm::handSlotLeft(k, kStep) + kStep / 2, kHandTop + kCardH / 2));
                stall.restart();
                continue;
            }
            // The user's turn once the computer has thrown a card over ours. A click that
            // comes too early is ignored by the table, and the next look sees what it did.
            int top = -1;
            for (int k = 2; k >= 0 && top < 0; --k)
                top = cardAt(shot, b_.reject.topLeft() + QPoint(5 * k, k));
            if (thrown >= 0 && top == thrown)
                continue;
            if (top >= 0)
                dm::setCard(h[9], top);
            taking = true;
            clickAndLeave(top >= 0 && cardToThrow(h) != 9 ? b_.reject.topLeft() + QPoint(10 + kCardW / 2, 2 + kCardH / 2)
                                                          : b_.stock.center());
            stall.restart();
        }
        return std::nullopt;
    }
    QString trace;  // what ended each hand, for a failure's message

private:
    // Which of corners_[from..to] lies at p, or -1 when none matches.
    int cardAt(const QImage& shot, QPoint p, int from = 0, int to = 51) const
    {
        const QRect area = kCorner.translated(p);
        int best = -1;
        long bestMiss = 12L * 3 * area.width() * area.height();
        for (int c = from; c <= to && shot.rect().contains(area); ++c) {
            long miss = 0;
            for (int y = 0; y < area.height(); ++y)
                for (int x = 0; x < area.width(); ++x)
                    for (const QRgb a = shot.pixel(area.x() + x, area.y() + y), b = corners_[c].pixel(x, y); int shift : {0, 8, 16})
                        miss += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
            if (miss < bestMiss)
                best = c, bestMiss = miss;
        }
        return best;
    }
    // The pointer then leaves the hand, so no card stays raised for the next look.
    void clickAndLeave(QPoint p)
    {
        const QPoint at = client_.topLeft() + p, away = client_.topLeft() + QPoint(20, client_.height() - 300);
        x_.xdo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1", "mousemove",
                QString::number(away.x()), QString::number(away.y())});
    }

    e2e::XSession& x_;
    const unsigned long window_;
    const QRect client_;
    e2e::Boxes b_;  // in window pixels
    std::array<QImage, 53> corners_;  // the 52 faces, then the back
};

}  // namespace

TEST(InstalledProgram, ReadOnlyPrefixKeepsAWonStakeInTheUsersDataFolder)
{
    QTemporaryDir root;
    const QString prefix = root.path() + "/usr", home = root.path() + "/home";
    const QString failed = installInto(prefix);
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    // The player's own folders, with a rummy table any bank beats and a quick table.
    ASSERT_TRUE(e2e::writeFile(home + "/config/Dunmere/TolvaRummy.conf",
                          "[Preferences]\nisPoker=False\nprfSound=False\nprfAnimation=False\nprfMoveDelay=1\n"
                          "prfTolvaScores=False\nprfAnimationDelay=1\nprfTolvaBackFace=54\nprfShowHide=True\n"));
    QByteArray tables;  // nine records of a name and a little-endian score
    for (int i = 0; i < 9; ++i)
        tables += QByteArray(i < 3 ? "earlier" : "anonymous").leftJustified(20, ' ') + char(i < 3 ? 1 : i < 6 ? 20 : 100) + '\0';
    ASSERT_TRUE(e2e::writeFile(home + "/data/Dunmere/stats.dat", tables));
    // CI runs as root, who may write anywhere: then the program runs as nobody.
    const bool asRoot = geteuid() == 0;
    ASSERT_EQ(runTool("sh", {"-c", QString("chmod -R a-w,a+rX '%1' && chmod 755 '%2' && mkdir -m 700 '%3/runtime' %4")
                                      .arg(prefix, root.path(), home, asRoot ? "&& chown -R nobody:nogroup '" + home + "'" : "")})
                  .status, 0);
    struct Writable {  // lets the temporary folder go again
        QString path;
        ~Writable() { runTool("chmod", {"-R", "u+w", path}); }
    } restore{prefix};

    e2e::XSession x;
    const QString noDisplay = x.startDisplay();
    ASSERT_TRUE(noDisplay.isEmpty()) << noDisplay.toStdString();
    const QString exe = prefix + "/bin/dunmere";
    ASSERT_TRUE(x.start(asRoot ? "setpriv" : exe, asRoot ? QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--", exe} : QStringList{},
                        x.env(home), home));
    const unsigned long window = x.waitForTitle("^Video-Poker / Tolva-Rummy$", 30000);
    ASSERT_NE(window, 0u) << "the main window never showed";
    const auto g = x.geometry(window);
    ASSERT_TRUE(g) << "window geometry";
    RummyPlayer player(x, window, g->client);
    const auto lost = player.winAHand(45000);
    ASSERT_TRUE(lost) << "no rummy hand was won: " << player.trace.toStdString();

    // At the close the bank beats the table: the name box comes, and nothing after it.
    ASSERT_TRUE(x.closeWindow(window));
    ASSERT_NE(x.waitForTitle("^Congratulations$", 10000), 0u) << "no name was asked for the bank";
    x.key("Return");
    ASSERT_EQ(x.exitStatus(15000), 0) << "a box stayed open after the close (scores or preferences not saved?)";

    QFile stats(home + "/data/Dunmere/stats.dat");
    ASSERT_TRUE(stats.open(QIODevice::ReadOnly));
    const QByteArray bytes = stats.readAll();
    ASSERT_EQ(bytes.size(), 198);
    EXPECT_EQ(bytes.left(20), QByteArray("anonymous").leftJustified(20, ' '));
    EXPECT_EQ(int16_t(uint8_t(bytes[20]) | (uint8_t(bytes[21]) << 8)), 100 + 5 * (1 - *lost))
        << "the bank after one won hand and " << *lost << " lost";
    EXPECT_FALSE(QFile::exists(prefix + "/bin/stats.dat"));
}
