#pragma once
// Where the tests aim: the stock, the user's hand and draw spot, the five poker cards
// and the pay table, worked out independently from the table size (default pictures
// and card spacing), so a moved box shows up as a failed click or a missing card.
#include <QImage>
#include <QRect>
#include <algorithm>
#include <array>

#include "e2e_session.h"

namespace e2e {

struct Boxes {
    QRect stock, playerHand, playerDraw, reject;
    std::array<QRect, 5> poker;
};

// Boxes on the screen for an 800 x 600 table whose top left is at origin.
inline Boxes tableBoxes(QPoint origin, bool poker)
{
    constexpr int W = 800, H = 600, cw = 90, ch = 126, step = 16, handTop = 25, handWidth = 9 * step + cw;
    const int dealW = qRound(1.1 * cw), dealH = qRound(1.1 * ch);
    Boxes b;
    b.playerHand = QRect(qRound(0.1 * W), qRound(0.95 * H - (ch + handTop)), handWidth, ch + handTop);
    b.playerDraw = QRect(b.playerHand.left() + handWidth + step, b.playerHand.top() + handTop, cw, ch);
    b.reject = QRect(qRound(1.5 * qRound(0.1 * W)), qRound(H / 2.0 - dealH / 2.0), qRound(1.3 * cw), dealH);
    b.stock = poker ? QRect(qRound(b.reject.left() + 0.75 * b.reject.width()), qRound(b.reject.top() - dealH / 4.0), dealW, dealH)
                    : QRect(qRound(b.reject.left() + 1.5 * b.reject.width()), b.reject.top(), dealW, dealH);
    for (int i = 0, left = 29; i < 5; ++i, left = qRound(left + 1.15 * cw))
        b.poker[i] = QRect(left, qRound(b.stock.top() + 1.35 * dealH), cw, ch).translated(origin);
    for (QRect* r : {&b.stock, &b.playerHand, &b.playerDraw, &b.reject})
        r->translate(origin);
    return b;
}

// All five poker cards show their white faces.
inline bool allFaceUp(const QImage& img, const Boxes& b)
{
    return std::all_of(b.poker.begin(), b.poker.end(), [&](const QRect& r) { return share(img, r, nearWhite) >= 0.4; });
}

// The user's rummy hand shows face up within the time.
inline bool handShown(XSession& x, const Boxes& b, int timeoutMs = 15000)
{
    return !pollScreen(x, timeoutMs, [&](const QImage& img) { return share(img, b.playerHand, nearWhite) > 0.3; }).isNull();
}

// Counts the alternating dark and light grey rows of the video poker pay table along a
// column near the table's right edge; the rummy table shows none there.
inline int payTableRows(const QImage& img, const QRect& table)
{
    const int x = table.right() - 20;
    int rows = 0, last = 0, run = 0, current = -1;
    for (int y = table.top() + 12; y < table.bottom() - 12 && y < img.height(); ++y) {
        const QColor c(img.pixel(x, y));
        const bool grey = std::abs(c.red() - c.green()) < 14 && std::abs(c.green() - c.blue()) < 14;
        const int k = !grey ? 0 : c.red() >= 100 && c.red() <= 160 ? 1 : c.red() >= 200 && c.red() <= 240 ? 2 : 0;
        run = k == current ? run + 1 : 1;
        current = k;
        // A row counts once it is a dozen pixels tall and differs from the row before.
        if (run == 12 && k != 0 && k != last)
            ++rows, last = k;
    }
    return rows;
}

}  // namespace e2e
