// The two steps of a hand: the deal, and the draw with its payout.
#include <algorithm>
#include <utility>

#include "poker/game.h"

namespace dm {

namespace {

// Clears pokerBusy however the step ends, so a failure or an abandoned step never
// leaves the table refusing clicks.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyGuard() { busy_ = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& busy_;
};

void shufflePokerDeck(std::array<int16_t, 52>& deck, Rng& rng)
{
    for (int k = 0; k < 52; ++k)
        deck[k] = static_cast<int16_t>(k);
    for (int k = 0; k < 52; ++k)
        std::swap(deck[k], deck[rng.below(52)]);
}

}  // namespace

void PokerGame::dealStep(uint32_t serial)
{
    const bool previousHandShown = s.cardsShown;
    shufflePokerDeck(s.pokerDeck, rng_);

    std::array<int, 5> order{0, 1, 2, 3, 4};
    if (s.dealRightToLeft)
        std::reverse(order.begin(), order.end());
    s.dealRightToLeft = !s.dealRightToLeft;

    BusyGuard busy(s.pokerBusy);
    for (int p = 0; p < 5; ++p) {
        show(p, CardShow::Hidden);
        view_.showHoldMarkers(p, false);
    }
    s.held.fill(false);
    view_.colourLabelsNormal();
    if (previousHandShown && !pause(serial, 600))
        return;

    // The wager goes before any card shows, so an abandoned deal is still paid for.
    s.winnings = clampToInt16(s.winnings - kPokerWager);
    view_.showCounters();

    for (int p : order) {
        if (!glide(serial, p))
            return;
        show(p, CardShow::Back);
        sound("deal.wav");
    }
    if (!pause(serial, 650))
        return;

    // The deal order only moves the animation; position i always holds deck card i.
    for (int i = 0; i < 5; ++i)
        setCard(s.pokerHand[i], s.pokerDeck[i]);
    for (int i = 0; i < 5; ++i)
        show(i, CardShow::Face);
    s.holdPhase = true;

    s.handClass = EvaluatePokerHand(s.pokerHand);
    if (prefs_.prfShowPokerPlay && s.handClass > 0)
        view_.lightLabel(s.handClass, LabelLight::BestPlay);
}

void PokerGame::drawStep(uint32_t serial)
{
    s.holdPhase = false;
    for (int p = 0; p < 5; ++p)
        view_.showHoldMarkers(p, false);

    if (!prefs_.prfShowPokerPlay) {
        const HoldCheck check = checkHold(s.pokerHand, s.held, s.handClass);
        view_.colourLabelsNormal();
        if (!check.correct) {
            if (s.handClass > 0)
                view_.lightLabel(s.handClass, LabelLight::Wrong);
            s.holdPhase = true;
            s.held.fill(false);
            sound(wrongHoldSound(check.holdCount));
            s.pokerBusy = false;
            endRun();
            return;
        }
        s.hands = clampToInt16(s.hands + 1);
        view_.showCounters();
    }

    BusyGuard busy(s.pokerBusy);
    const PokerCards dealt = s.pokerHand;
    std::array<bool, 5> replaced{};
    for (int i = 0; i < 5; ++i) {
        if (s.held[i])
            continue;
        replaced[i] = true;
        show(i, CardShow::Hidden);
        setCard(s.pokerHand[i], s.pokerDeck[5 + i]);
    }
    s.handClass = EvaluatePokerHand(s.pokerHand, true);
    // From here the prize is the user's, whatever interrupts the showing and counting.
    s.prizeOwed = static_cast<int16_t>(std::max(0, payoutFor(s.handClass).prize));
    view_.handPlayed(dealt, s.held, s.prizeOwed);

    if (!pause(serial, 600))
        return;
    for (int i = 0; i < 5; ++i) {
        if (!replaced[i])
            continue;
        if (!glide(serial, i))
            return;
        show(i, CardShow::Back);
        sound("deal.wav");
    }
    if (!pause(serial, 250))
        return;
    for (int i = 0; i < 5; ++i)
        if (replaced[i])
            show(i, CardShow::Face);
    if (!pause(serial, 200))
        return;

    if (!payOut(serial))
        return;

    if (prefs_.prfPokerAutoDeal) {
        if (!pause(serial, 2500))
            return;
        s.pokerBusy = false;
        picDeal_Click(3);
    }
}

bool PokerGame::payOut(uint32_t serial)
{
    const Payout pay = payoutFor(s.handClass);
    if (pay.prize <= 0 || pay.step <= 0 || s.prizeOwed <= 0)
        return true;

    view_.colourLabelsNormal();
    view_.lightLabel(s.handClass, s.handClass == 2 ? LabelLight::PaidBright : LabelLight::Paid);

    // Near the top of the 16-bit range the prize is cut short rather than wrapping.
    const int target = std::min<int>(INT16_MAX, s.winnings + s.prizeOwed);
    while (s.winnings < target) {
        s.winnings = static_cast<int16_t>(std::min(s.winnings + pay.step, target));
        s.prizeOwed = static_cast<int16_t>(target - s.winnings);
        view_.showCounters();
        sound(pay.sound);
        if (!pause(serial, pay.pauseMs))
            return false;
    }
    return true;
}

}  // namespace dm
