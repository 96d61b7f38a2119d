// The computer's turn, and the two commands that uncover its hand.
#include <functional>
#include <future>
#include <optional>
#include <stdexcept>

#include "rummy/expert.h"
#include "rummy/game.h"

namespace dm {

void RummyGame::ComputerPlay()
{
    guarded("ComputerPlay", [&] {
        if (!s.eval.handWon && !playComputerTurn())
            return;
        endComputerTurn();
    });
}

// Offer, evaluate, then take the discard or draw; false when the turn ends early
// (a win, the tie, a new deal, the window gone).
bool RummyGame::playComputerTurn()
{
    const uint32_t serial = s.dealSerial;
    // One pause length for the whole turn.
    const int pauseMs = (rng_.below(4) + 1) * moveDelay();
    s.eval.computerTurn = true;

    if (s.discardEmpty())
        throw std::logic_error("no card was offered");
    const int offered = s.discardPile.back().number;
    const StandardMove m = standardStep(computerMind(), TurnMoment::Offer, offered);
    if (m.act == StandardMove::Act::Win)
        WinnerComputerHoopla();  // won with the offered card: it stays on the pile
    if (turnOver(serial))
        return false;

    if (s.opponent == Opponent::Expert) {
        const std::optional<bool> take = thinkThrough<bool>(
            [sight = expertSight(s), seed = expertSeed()] { return expertTakesPile(sight, seed); }, pauseMs, serial);
        if (!take)
            return false;
        return *take ? takeOfferedCard(m.slot, pauseMs, serial, true) : drawAndDiscard(pauseMs, serial, true);
    }
    return m.act == StandardMove::Act::TakePile ? takeOfferedCard(m.slot, pauseMs, serial)
                                                 : drawAndDiscard(pauseMs, serial);
}

template <class T>
std::optional<T> RummyGame::thinkThrough(std::function<T()> think, int pauseMs, uint32_t serial)
{
    std::future<T> answer = std::async(std::launch::async, std::move(think));
    if (!pause(pauseMs, serial))
        return std::nullopt;  // the worker is waited for as the future goes
    return answer.get();
}

std::optional<int> RummyGame::throwAfterPause(int standardSlot, int pauseMs, uint32_t serial)
{
    if (s.opponent == Opponent::Expert)
        return thinkThrough<int>(
            [sight = expertSight(s), seed = expertSeed()] { return expertThrowSlot(sight, seed); }, pauseMs, serial);
    if (!pause(pauseMs, serial))
        return std::nullopt;
    return standardSlot;
}

StandardMind RummyGame::computerMind() { return {s.computerHand, s.eval, s.resetMelds}; }

uint64_t RummyGame::expertSeed() { return static_cast<uint64_t>(rng_.uniform() * 9007199254740992.0); }

bool RummyGame::takeOfferedCard(int lowestSlot, int pauseMs, uint32_t serial, bool paused)
{
    if (!s.eval.handWon) {
        if (!paused && !pause(pauseMs, serial))
            return false;
        sound("deal.wav");
    }
    if (!ComputerTakeDiscard(serial) || turnOver(serial))
        return false;
    const std::optional<int> slot = throwAfterPause(lowestSlot, pauseMs, serial);
    if (!slot)
        return false;
    if (s.eval.handWon)
        return true;
    sound("drop.wav");
    return ComputerDiscardCard(*slot, serial);
}

bool RummyGame::drawAndDiscard(int pauseMs, uint32_t serial, bool paused)
{
    if (!paused && !pause(pauseMs, serial))
        return false;
    if (!s.eval.handWon)
        sound("deal.wav");
    if (!ComputerDrawFromDeck(serial))
        return false;
    StandardMove m;
    if (!s.eval.handWon) {
        m = standardStep(computerMind(), TurnMoment::Drawn);
        if (m.act == StandardMove::Act::Win)
            WinnerComputerHoopla();
    }
    if (turnOver(serial))
        return false;
    const std::optional<int> slot = throwAfterPause(m.slot, pauseMs, serial);
    if (!slot)
        return false;
    sound("drop.wav");
    return ComputerDiscardCard(*slot, serial);
}

bool RummyGame::ComputerDrawFromDeck(uint32_t serial)
{
    return guarded("ComputerDrawFromDeck", [&] {
        if (s.stockEmpty) {
            view_.message("The game is a tie");
            s.eval.handWon = true;
            handEnded(RummyHandResult::Outcome::Tie);
            return true;
        }
        if (s.eval.handWon)
            return true;
        takeTopOfStock(s.computerHand[9]);
        record({RummyMove::Kind::ComputerStock, s.computerHand[9].number});
        // The pile picture steps aside while its top card leaves, so the back is seen to go;
        // an abandoned glide leaves the pile to the new deal (or to no window at all).
        view_.showStock(4);
        if (!glide(Place{Place::Kind::Stock}, Place{Place::Kind::ComputerDraw}, kNoCard, serial))
            return false;
        view_.showStock(s.pileImage);
        view_.showDrawSpot(Side::Computer, true);
        const int last = static_cast<int>(s.stock.size()) - 1;
        if (last >= 4 && last <= 8)
            return view_.stockAnimation() && alive(serial);
        return true;
    });
}

// Reported under the draw's name: both are the computer taking a card.
bool RummyGame::ComputerTakeDiscard(uint32_t serial)
{
    return guarded("ComputerDrawFromDeck", [&] {
        if (!s.eval.computerTurn || s.eval.handWon)
            return true;
        if (s.discardEmpty())
            throw std::logic_error("the discard pile holds no card");
        view_.showDrawSpot(Side::Computer, false);
        const int number = s.discardPile.back().number;
        s.discardPile.pop_back();
        record({RummyMove::Kind::ComputerPile, number});
        view_.drawDiscardPile();
        // The card starts where it lay: where a discard onto the shortened pile goes.
        if (!glide(Place{Place::Kind::DiscardNext}, Place{Place::Kind::ComputerDraw}, number, serial))
            return false;
        view_.showDrawSpot(Side::Computer, true);
        return true;
    });
}

bool RummyGame::ComputerDiscardCard(int index, uint32_t serial)
{
    return guarded("ComputerDiscardCard", [&] {
        if (s.eval.handWon)
            return true;
        if (index < 0 || index > 9)
            throw std::out_of_range("no such slot in the computer's hand");
        const CardRec card = s.computerHand[index];
        Place from{Place::Kind::ComputerDraw};
        if (index != 9) {
            from = Place{Place::Kind::ComputerSlot, index};
            view_.refreshHand(Side::Computer, index, true);
        }
        if (!glide(from, Place{Place::Kind::DiscardNext}, card.number, serial))
            return false;
        s.discardPile.push_back(cardOf(card.number));
        record({RummyMove::Kind::ComputerDiscard, card.number});
        view_.drawDiscardPile();
        throwFromSlot(s.computerHand, index);
        view_.refreshHand(Side::Computer);
        return true;
    });
}

void RummyGame::endComputerTurn()
{
    standardStep(computerMind(), TurnMoment::End, kNoCard, s.geo.cardStep);
}

void RummyGame::mnuShowComputerHand_Click()
{
    guarded("mnuShowComputerHand_Click", [&] {
        prefs_.prfShowHide = !prefs_.prfShowHide;
        view_.drawComputerCards(!prefs_.prfShowHide);
        if (!prefs_.prfShowHide)
            recordShownHand();
    });
}

void RummyGame::mnuPeek_Click()
{
    guarded("mnuPeek_Click", [&] {
        if (rng_.below(9) + 1 == 3)
            sound("peek.wav");
        view_.drawComputerCards(true);
        // A new deal during the look still ends face down; a closed window gets no call.
        if (view_.wait(2000))
            view_.drawComputerCards(false);
    });
}

}  // namespace dm
