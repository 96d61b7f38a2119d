#include "rummy_player.h"

#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>

#include "cards/deck.h"
#include "rummy/rules.h"
#include "table/cardfaces.h"

namespace install {

namespace {
constexpr int kW = 800, kH = 600, kCardW = 90, kCardH = 126, kStep = 16, kHandTop = 25, kBack = 54;
// The rank and suit in a card's top left corner, inside the strip a hand leaves showing.
const QRect kCorner(3, 4, 12, 30);

// How well nine kept cards play: the cards still unseen that would win with them,
// then how many pairs of them could grow into melds.
int keepValue(const dm::Hand& ten, int thrown)
{
    dm::Hand h{};
    int n = 0;
    for (int i = 0; i < 10; ++i)
        if (i != thrown)
            dm::setCard(h[n++], ten[i].number);
    int outs = 0;
    for (int c = 0; c < 52; ++c) {
        bool held = false;
        for (const auto& card : ten)
            held = held || card.number == c;
        if (held)
            continue;
        dm::setCard(h[9], c);
        outs += dm::isWinningHand(h) ? 1 : 0;
    }
    int links = 0;
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
        if (const int v = keepValue(ten, i); v > bestValue) {
            bestValue = v;
            best = i;
        }
    return best;
}
}  // namespace

RummyPlayer::RummyPlayer(e2e::XSession& x, unsigned long window, QRect client)
    : x_(x), window_(window), client_(client), table_(0, client.height() - kH, kW, kH)
{
    boxes_ = e2e::onScreen(e2e::tableBoxes(kW, kH, false, kStep), table_.topLeft());
    const int left = qRound(0.1 * kW);
    reject_ = QRect(qRound(1.5 * left), boxes_.stock.top(), qRound(1.3 * kCardW), qRound(1.1 * kCardH));
    computerHand_ = QRect(left, table_.top() + qRound(0.05 * kH), 9 * kStep + kCardW, kCardH);
    for (int c = 0; c < 52; ++c)
        corners_[c] = dm::renderCard(c, 0).convertToFormat(QImage::Format_RGB32).copy(kCorner);
    corners_[52] = dm::renderCard(kBack, 1).convertToFormat(QImage::Format_RGB32).copy(kCorner);
}

int RummyPlayer::cardAt(const QImage& shot, QPoint p, int from, int to) const
{
    const QRect area = kCorner.translated(p);
    if (!shot.rect().contains(area))
        return -1;
    int best = -1;
    long bestMiss = 0;
    for (int c = from; c <= to; ++c) {
        long miss = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) {
                const QRgb a = shot.pixel(area.x() + x, area.y() + y), b = corners_[c].pixel(x, y);
                miss += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            }
        if (best < 0 || miss < bestMiss) {
            best = c;
            bestMiss = miss;
        }
    }
    return bestMiss < 12L * 3 * area.width() * area.height() ? best : -1;
}

RummyPlayer::Table RummyPlayer::look()
{
    Table t;
    const e2e::ToolResult r = x_.run("import", {"-window", QString::number(window_), "bmp:-"});
    const QImage shot = r.exitCode == 0 ? QImage::fromData(r.out, "BMP").convertToFormat(QImage::Format_RGB32) : QImage();
    if (shot.isNull())
        return t;
    t.backsShown = cardAt(shot, computerHand_.topLeft(), 52, 52) == 52;
    const QRect handBottom = boxes_.playerHand.adjusted(0, kHandTop + kCardH / 2, 0, 0);
    t.handGone = e2e::share(shot, handBottom, e2e::nearWhite) < 0.1;
    t.handRead = true;
    for (int i = 0; i < 9; ++i) {
        t.hand[i] = cardAt(shot, boxes_.playerHand.topLeft() + QPoint(dm::handSlotLeft(i, kStep), kHandTop));
        t.handRead = t.handRead && t.hand[i] >= 0;
    }
    if (e2e::share(shot, boxes_.playerDraw, e2e::nearWhite) > 0.4)
        t.drawn = std::max(-2, cardAt(shot, boxes_.playerDraw.topLeft()));
    for (int k = 2; k >= 0 && t.top < 0; --k)
        t.top = cardAt(shot, reject_.topLeft() + QPoint(5 * k, k));
    return t;
}

bool RummyPlayer::clickAndLeave(QPoint p)
{
    // The pointer then leaves the hand, so no card stays raised for the next look.
    const QPoint at = client_.topLeft() + p, away = client_.topLeft() + table_.topLeft() + QPoint(20, kH / 2);
    return x_.run("xdotool", {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1",
                              "mousemove", QString::number(away.x()), QString::number(away.y())})
               .exitCode == 0;
}

std::optional<int> RummyPlayer::winAHand(int timeoutMs)
{
    QElapsedTimer clock, stall;
    clock.start();
    stall.start();
    int lost = 0, thrown = -1, backsGone = 0;
    bool taking = false, dealt = false;
    auto newDeal = [&] {
        x_.key("ctrl+r");
        thrown = -1;
        taking = dealt = false;
        backsGone = 0;
        stall.restart();
    };
    while (clock.elapsed() < timeoutMs) {
        const Table t = look();
        // Only a card just taken can win; before the first deal the hand is not there either.
        if (taking && t.handGone) {
            QThread::msleep(500);  // the stake is paid after the winner display
            return lost;
        }
        // The computer's winner display shows its cards face up; twice, so that a card
        // leaving its hand is not taken for it.
        dealt = dealt || t.backsShown;
        backsGone = dealt && !t.backsShown ? backsGone + 1 : 0;
        if (backsGone == 2) {
            ++lost;
            trace += QString("lost at %1 s; ").arg(clock.elapsed() / 1000.0);
            newDeal();
            continue;
        }
        if (stall.elapsed() > 5000) {
            // A tie: answer its box and deal again.
            trace += QString("stuck at %1 s; ").arg(clock.elapsed() / 1000.0);
            x_.key("Return");
            newDeal();
            continue;
        }
        if (!t.handRead || t.drawn == -2)
            continue;
        dm::Hand h{};
        for (int i = 0; i < 9; ++i)
            dm::setCard(h[i], t.hand[i]);
        if (t.drawn >= 0) {
            taking = false;
            dm::setCard(h[9], t.drawn);
            const int k = cardToThrow(h);
            thrown = h[k].number;
            const int slotLeft = k == 9 ? 0 : dm::handSlotLeft(k, kStep);
            clickAndLeave(k == 9 ? boxes_.playerDraw.center()
                                 : boxes_.playerHand.topLeft() + QPoint(slotLeft + kStep / 2, kHandTop + kCardH / 2));
            stall.restart();
            continue;
        }
        // The user's turn once the computer has thrown a card over ours. A click that
        // comes too early is ignored by the table, and the next look sees what it did.
        if (thrown >= 0 && t.top == thrown)
            continue;
        bool take = false;
        if (t.top >= 0) {
            dm::setCard(h[9], t.top);
            take = cardToThrow(h) != 9;
        }
        taking = true;
        clickAndLeave(take ? reject_.topLeft() + QPoint(10 + kCardW / 2, 2 + kCardH / 2) : boxes_.stock.center());
        stall.restart();
    }
    return std::nullopt;
}

}  // namespace install
