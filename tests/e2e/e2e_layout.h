#pragma once
// Where the tests aim: the stock, the user's hand and draw spot, the five poker cards
// and the pay table, worked out independently from the table size (default pictures
// and card spacing), so a moved box shows up as a failed click or a missing card.
#include <QImage>
#include <QRect>
#include <QtGlobal>
#include <array>

#include "e2e_session.h"

namespace e2e {

struct Boxes {
    QRect stock, playerHand, playerDraw;
    std::array<QRect, 5> poker;
};

// Boxes in table pixels (0, 0 = the table's top left) for a W x H table.
inline Boxes tableBoxes(int W, int H, bool poker, int cardStep = 16)
{
    constexpr int cw = 90, ch = 126;
    const int handTop = qRound(0.2 * ch);
    const int handWidth = 9 * cardStep + cw;
    Boxes b;
    b.playerHand = QRect(qRound(0.1 * W), qRound(0.95 * H - (ch + handTop)), handWidth, ch + handTop);
    b.playerDraw = QRect(b.playerHand.left() + handWidth + cardStep, b.playerHand.top() + handTop, cw, ch);
    const int rejectW = qRound(1.3 * cw), rejectH = qRound(1.1 * ch);
    const QRect reject(qRound(1.5 * qRound(0.1 * W)), qRound(H / 2.0 - rejectH / 2.0), rejectW, rejectH);
    const int dealW = qRound(1.1 * cw), dealH = qRound(1.1 * ch);
    b.stock = poker ? QRect(qRound(reject.left() + 0.75 * rejectW), qRound(reject.top() - dealH / 4.0), dealW, dealH)
                    : QRect(qRound(reject.left() + 1.5 * rejectW), reject.top(), dealW, dealH);
    int left = 29;
    for (QRect& r : b.poker) {
        r = QRect(left, qRound(b.stock.top() + 1.35 * dealH), cw, ch);
        left = qRound(left + 1.15 * cw);
    }
    return b;
}

inline Boxes onScreen(Boxes b, QPoint tableTopLeft)
{
    for (QRect* r : {&b.stock, &b.playerHand, &b.playerDraw})
        r->translate(tableTopLeft);
    for (QRect& r : b.poker)
        r.translate(tableTopLeft);
    return b;
}

// All five poker cards show their white faces.
inline bool allFaceUp(const QImage& img, const Boxes& b)
{
    for (const QRect& r : b.poker)
        if (share(img, r, nearWhite) < 0.4)
            return false;
    return true;
}

// Counts the alternating grey rows of the video poker pay table along a column near
// the table's right edge; the rummy table shows none there.
inline int payTableRows(const QImage& img, const QRect& table)
{
    const int x = table.right() - 20;
    auto kind = [&](int y) {
        const QColor c(img.pixel(x, y));
        const bool grey = std::abs(c.red() - c.green()) < 14 && std::abs(c.green() - c.blue()) < 14;
        if (!grey)
            return 0;
        if (c.red() >= 100 && c.red() <= 160)
            return 1;  // the dark rows
        if (c.red() >= 200 && c.red() <= 240)
            return 2;  // the light rows
        return 0;
    };
    int rows = 0, last = 0, run = 0, current = -1;
    for (int y = table.top() + 12; y < table.bottom() - 12 && y < img.height(); ++y) {
        const int k = kind(y);
        run = k == current ? run + 1 : 1;
        current = k;
        // A row counts once it is a dozen pixels tall and differs from the row before.
        if (run == 12 && k != 0 && k != last) {
            ++rows;
            last = k;
        }
    }
    return rows;
}

}  // namespace e2e
