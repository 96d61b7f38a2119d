#pragma once
// Plays Tolva Rummy on the real window the way a user would: reads the cards off the
// screen, takes from the stock or the discard pile and throws the card that leaves the
// most ways to win, until a hand is won.
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

#include "e2e_layout.h"
#include "e2e_session.h"

namespace install {

class RummyPlayer {
public:
    // client: the window's client area on the screen, the table at its bottom.
    RummyPlayer(e2e::XSession& x, unsigned long window, QRect client);
    // Plays until the user wins a hand; the hands the computer won on the way, or
    // nullopt when no hand was won in the time.
    std::optional<int> winAHand(int timeoutMs);
    QString trace;  // what ended each hand, for a failure's message

private:
    struct Table {
        std::array<int, 9> hand{};
        int drawn = -1;  // -1: the draw spot is empty
        int top = -1;    // the discard pile's top card; -1: the pile is empty
        bool handRead = false;
        bool backsShown = false;  // the computer's hand lies face down: no winner display
        bool handGone = false;  // the hand's place shows the table: the user's winner display
    };
    Table look();  // from a picture of the window alone, far quicker than the screen
    // Which of corners_[from..to] lies at p, or -1 when none matches.
    int cardAt(const QImage& shot, QPoint p, int from = 0, int to = 51) const;
    bool clickAndLeave(QPoint p);

    e2e::XSession& x_;
    unsigned long window_;
    QRect client_, table_;  // the table in window pixels
    e2e::Boxes boxes_;
    QRect reject_, computerHand_;
    std::array<QImage, 53> corners_;  // the 52 faces, then the back
};

}  // namespace install
