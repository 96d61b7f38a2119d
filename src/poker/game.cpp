#include "poker/game.h"

#include <exception>


namespace dm {

namespace {
constexpr const char* kUnknownFailure = "unknown failure";
}

PokerGame::PokerGame(PokerView& view, Prefs& prefs, Rng& rng) : view_(view), prefs_(prefs), rng_(rng) {}

void PokerGame::initPokerScreen()
{
    try {
        // A step still waiting somewhere below us sees the new serial and stops.
        const uint32_t serial = ++s.dealSerial;
        s.pokerBusy = false;
        s.holdPhase = false;
        s.held.fill(false);
        if (!prefs_.prfShowPokerPlay) {
            s.timer = 100;
            view_.setTimerRunning(true);
        }
        view_.setUpPokerTable();
        prefs_.isPoker = true;
        view_.showCounters();
        if (!pause(serial, 1000))
            return;
        // A click during the pause may have dealt already; dealing again would draw
        // that hand behind the user's back.
        if (!s.holdPhase)
            picDeal_Click(3);
    } catch (const std::exception& e) {
        view_.reportError("initPokerScreen", e.what());
    } catch (...) {
        view_.reportError("initPokerScreen", kUnknownFailure);
    }
}

void PokerGame::picDeal_Click(int index)
{
    try {
        if (s.pokerBusy)
            return;
        // With auto deal the machine deals by itself through index 3; the other pile
        // pictures only draw.
        if (prefs_.prfPokerAutoDeal && !s.holdPhase && index != 3)
            return;
        showPokerHand();
    } catch (const std::exception& e) {
        view_.reportError("picDeal_Click", e.what());
    } catch (...) {
        view_.reportError("picDeal_Click", kUnknownFailure);
    }
}

void PokerGame::showPokerHand()
{
    try {
        if (s.holdPhase)
            drawStep(s.dealSerial);
        else
            dealStep(s.dealSerial);
    } catch (const std::exception& e) {
        view_.reportError("showPokerHand", e.what());
    } catch (...) {
        view_.reportError("showPokerHand", kUnknownFailure);
    }
}

void PokerGame::toggleHold(int index)
{
    try {
        if (!s.holdPhase || index < 0 || index >= 5)
            return;
        s.held[index] = !s.held[index];
        view_.showHoldMarkers(index, s.held[index]);
    } catch (const std::exception& e) {
        view_.reportError("picPoker_MouseDown", e.what());
    } catch (...) {
        view_.reportError("picPoker_MouseDown", kUnknownFailure);
    }
}

void PokerGame::Timer1_Timer()
{
    try {
        s.timer = static_cast<int16_t>(s.timer - 1);
        if (s.timer <= 0) {
            s.timer = 100;
            endRun();
        }
        view_.showCounters();
    } catch (const std::exception& e) {
        view_.reportError("Timer1_Timer", e.what());
    } catch (...) {
        view_.reportError("Timer1_Timer", kUnknownFailure);
    }
}

void PokerGame::leave()
{
    view_.setTimerRunning(false);
    s.holdPhase = false;
    s.cardsShown = false;  // the rummy table hides the poker cards
    ++s.dealSerial;
}

void PokerGame::endRun()
{
    if (s.hands > 0)
        view_.offerPerfectRun(s.hands);
    s.hands = 0;
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
