#include "rummy/game.h"

#include <algorithm>

namespace dm {

RummyGame::RummyGame(RummyView& view, Prefs& prefs, Rng& rng) : view_(view), prefs_(prefs), rng_(rng) {}

void RummyGame::sound(const char* file)
{
    if (prefs_.prfSound)
        view_.playSound(file);
}

// k x delay with k up to 4 must stay a 16-bit pause; 8191 is the largest delay that does.
int RummyGame::moveDelay() const
{
    return std::clamp<int>(prefs_.prfMoveDelay, 0, 8191);
}

// A wait that also ends the running step when the window is gone or a new hand was dealt.
bool RummyGame::pause(int ms, uint32_t serial)
{
    return view_.wait(ms) && alive(serial);
}

bool RummyGame::glide(Place from, Place to, int card, uint32_t serial)
{
    return view_.animateCard(from, to, card) && alive(serial);
}

void RummyGame::relayoutPlayerHand()
{
    layoutHand(s.playerHand, s.geo.cardStep, s.geo.cWidth, s.geo.playerHandTop);
}

void RummyGame::shuffleCards(bool isPoker)
{
    guarded("shuffleCards", [&] {
        s.resetMelds = true;
        if (!isPoker && prefs_.prfSound) {
            const std::string& bg = prefs_.prfTolvaBackground;
            if (bg == "beach.gif" || bg == "beach2.jpg")
                view_.playSound("beach.wav");
            else if (bg == "winter.jpg")
                view_.playSound(rng_.below(2) == 0 ? "wolf.wav" : "bird.wav");
        }
        shuffleDeck(s.deck, rng_);

        const int firstStockCard = isPoker ? 0 : 18;
        if (!isPoker) {
            for (int k = 0; k < 9; ++k) {
                copyIdentity(s.computerHand[k], s.deck[k]);
                copyIdentity(s.playerHand[k], s.deck[9 + k]);
            }
            layoutHand(s.computerHand, s.geo.cardStep, s.geo.cWidth, 0);
            relayoutPlayerHand();
        }
        s.stock.clear();
        for (int i = firstStockCard; i < kDeckSize; ++i)
            s.stock.push_back(cardOf(s.deck[i].number));

        s.discardPile.assign(1, CardRec{});
        s.eval.lists.clear();
        for (CardRec& c : s.computerHand)
            c.value = 0;
        s.mustDiscard = false;
        s.stockEmpty = false;
        s.eval.computerTurn = false;
        s.eval.handWon = false;
        s.pileImage = 0;
        ++s.dealSerial;
        s.position = {};
        handLive_ = !isPoker;
        for (int k = 0; k < 9 && !isPoker; ++k)
            s.position.userDeal[k] = s.playerHand[k].number;
        // The table draws from the state, so it is shown once everything is reset.
        if (!isPoker) {
            view_.showDeal();
            if (!prefs_.prfShowHide)
                recordShownHand();
        }
    });
}

void RummyGame::record(const RummyMove& move)
{
    if (!handLive_)
        return;
    s.position.moves.push_back(move);
    view_.movePlayed(move);
}

void RummyGame::recordShownHand()
{
    if (s.eval.handWon)
        return;
    RummyMove shown{RummyMove::Kind::ComputerShown};
    for (int k = 0; k < 9; ++k)
        shown.shown[k] = s.computerHand[k].number;
    record(shown);
}

void RummyGame::handEnded(RummyHandResult::Outcome outcome)
{
    if (!handLive_)
        return;
    handLive_ = false;
    RummyHandResult r;
    r.outcome = outcome;
    r.stake = outcome == RummyHandResult::Outcome::Tie ? 0 : prefs_.prfWager;
    r.userBank = prefs_.prfPlayerBank;
    r.computerBank = prefs_.prfComputerBank;
    r.opponent = s.opponent;
    for (const RummyMove& m : s.position.moves)
        r.turns += m.kind == RummyMove::Kind::UserStock || m.kind == RummyMove::Kind::UserPile;
    if (outcome != RummyHandResult::Outcome::Tie) {
        const Hand& h = outcome == RummyHandResult::Outcome::UserWon ? s.playerHand : s.computerHand;
        std::array<int, 10> cards;
        for (int k = 0; k < 10; ++k)
            cards[k] = h[k].number;
        r.winningHand = groupWinningHand(cards).value_or(cards);
    }
    view_.handOver(r);
}

void RummyGame::mnuSortRank_Click()
{
    guarded("mnuSortRank_Click", [&] {
        sortByRank(s.playerHand);
        relayoutPlayerHand();
        view_.refreshHand(Side::Player);
    });
}

void RummyGame::mnuSortSuit_Click()
{
    guarded("mnuSortSuit_Click", [&] {
        sortBySuit(s.playerHand);
        relayoutPlayerHand();
        view_.refreshHand(Side::Player);
    });
}

void RummyGame::newHand()
{
    guarded("mnuPlayRummy_Click", [&] {
        s.discardPile.assign(1, CardRec{});
        s.resetMelds = true;
        s.opponent = nextOpponent_;
        shuffleCards(false);
        if (prefs_.prfTolvaAutoSort)
            mnuSortRank_Click();
        if (prefs_.prfTolvaScores) {
            // A deal during this wait draws the banks itself.
            const uint32_t serial = s.dealSerial;
            if (!pause(1000, serial))
                return;
            UpdateBank(0);
        }
    });
}

}  // namespace dm
