#include "poker/game.h"

#include <exception>

namespace dm {

namespace {
// Each entry point catches its own failures: the message names it and play goes on.
template <class Body>
void guarded(GameHost& host, const char* procedure, Body&& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        host.reportError(procedure, e.what());
    } catch (...) {
        host.reportError(procedure, "unknown failure");
    }
}
}  // namespace

PokerGame::PokerGame(PokerView& view, Prefs& prefs, Rng& rng) : view_(view), prefs_(prefs), rng_(rng) {}

void PokerGame::initPokerScreen()
{
    guarded(view_, "initPokerScreen", [&] {
        // A step still waiting somewhere below us sees the new serial and stops.
        settlePrize();
        const uint32_t serial = ++s.dealSerial;
        s.pokerBusy = false;
        s.holdPhase = false;
        s.held.fill(false);
        if (!prefs_.prfShowPokerPlay) {
            s.timer = 100;
            view_.setTimerRunning(true);
        }
        view_.setUpPokerTable();
        s.cardsShown = false;  // the set-up clears the card places
        prefs_.isPoker = true;
        view_.showCounters();
        if (!pause(serial, 1000))
            return;
        // A click during the pause may have dealt already; dealing again would draw
        // that hand behind the user's back.
        if (!s.holdPhase)
            picDeal_Click(3);
    });
}

void PokerGame::picDeal_Click(int index)
{
    guarded(view_, "picDeal_Click", [&] {
        if (s.pokerBusy)
            return;
        // With auto deal the machine deals by itself through index 3; the other pile
        // pictures only draw.
        if (prefs_.prfPokerAutoDeal && !s.holdPhase && index != 3)
            return;
        showPokerHand();
    });
}

void PokerGame::showPokerHand()
{
    guarded(view_, "showPokerHand", [&] {
        if (s.holdPhase)
            drawStep(s.dealSerial);
        else
            dealStep(s.dealSerial);
    });
}

void PokerGame::toggleHold(int index)
{
    guarded(view_, "picPoker_MouseDown", [&] {
        if (!s.holdPhase || index < 0 || index >= 5)
            return;
        s.held[index] = !s.held[index];
        view_.showHoldMarkers(index, s.held[index]);
    });
}

void PokerGame::Timer1_Timer()
{
    guarded(view_, "Timer1_Timer", [&] {
        s.timer = static_cast<int16_t>(s.timer - 1);
        if (s.timer <= 0) {
            s.timer = 100;
            endRun();
        }
        view_.showCounters();
    });
}

void PokerGame::leave()
{
    settlePrize();
    view_.setTimerRunning(false);
    s.holdPhase = false;
    ++s.dealSerial;
}

void PokerGame::settlePrize()
{
    if (s.prizeOwed <= 0)
        return;
    s.winnings = clampToInt16(s.winnings + s.prizeOwed);
    s.prizeOwed = 0;
    view_.showCounters();
}

void PokerGame::endRun()
{
    // The run is over before it is offered: the countdown keeps ticking while the name
    // box is open, and an end it reaches then must not offer the same run again.
    const int16_t run = s.hands;
    s.hands = 0;
    if (run > 0)
        view_.offerPerfectRun(run);
    view_.showCounters();
}

void PokerGame::sound(const char* file)
{
    if (prefs_.prfSound && file && *file)
        view_.playSound(file);
}

void PokerGame::show(int pos, CardShow how)
{
    view_.showCard(pos, how);
    if (pos == 0)
        s.cardsShown = how != CardShow::Hidden;
}

bool PokerGame::pause(uint32_t serial, int ms)
{
    return view_.wait(ms) && s.dealSerial == serial;
}

bool PokerGame::glide(uint32_t serial, int pos)
{
    return view_.animateToPosition(pos) && s.dealSerial == serial;
}

}  // namespace dm
