#include <QWidget>
#include <array>
#include <climits>
#include <sstream>

#include "poker/rules.h"
#include "rummy/rules.h"
#include "soak_window.h"
#include "table/picture_box.h"

namespace dm::soak {

namespace {
std::string cardList(const std::array<int, 52>& seen, int wanted)
{
    std::string out;
    for (int n = 0; n < 52; ++n)
        if ((wanted == 0 && seen[n] == 0) || (wanted > 1 && seen[n] > 1))
            out += " " + cardName(n);
    return out;
}
}  // namespace

Outcome outcomeOf(const RummyState& s)
{
    if (!s.eval.handWon)
        return Outcome::None;
    if (!s.eval.computerTurn)
        return Outcome::User;
    return isWinningHand(s.computerHand) ? Outcome::Computer : Outcome::Tie;
}

Ledger::Ledger(SoakWindow& w) : w_(w)
{
    lastPlayerBank_ = w.prefs.prfPlayerBank;
    lastComputerBank_ = w.prefs.prfComputerBank;
    lastWinnings_ = w.poker.s.winnings;
    restSerial_ = w.rummy.s.dealSerial;
    restOutcome_ = outcomeOf(w.rummy.s);
    restWasRummy_ = !w.prefs.isPoker;
}

void Ledger::checkAlways()
{
    const Prefs& p = w_.prefs;
    if (p.prfPlayerBank + p.prfComputerBank != 200)
        fail("banks " + std::to_string(p.prfPlayerBank) + " + " + std::to_string(p.prfComputerBank) +
             " do not add up to 200");
}

// Every payment is the stake, one way or the other, drawn as soon as it is made.
void Ledger::banksDrawn()
{
    checkAlways();
    const Prefs& p = w_.prefs;
    const int delta = p.prfPlayerBank - lastPlayerBank_;
    if (delta != 0) {
        const bool wasReset = lastComputerBank_ > 200;  // the table set-up may have reset them
        const int fromReset = p.prfPlayerBank - 100;
        if (std::abs(delta) == p.prfWager)
            payments_.push_back(delta > 0 ? 1 : -1);
        else if (wasReset && std::abs(fromReset) == p.prfWager)
            payments_.push_back(fromReset > 0 ? 1 : -1);
        else if (!(wasReset && fromReset == 0))
            fail("the banks moved by " + std::to_string(delta) + " with the stake at " + std::to_string(p.prfWager));
    }
    lastPlayerBank_ = p.prfPlayerBank;
    lastComputerBank_ = p.prfComputerBank;
}

// The winnings go down 5 at a deal and up only while a prize is counted; a prize,
// once counting, is paid in full.
void Ledger::countersShown()
{
    const PokerState& s = w_.poker.s;
    const int delta = s.winnings - lastWinnings_;
    if (delta < 0) {
        if (countingUp_)
            fail("a prize was abandoned while counting: " + std::to_string(paidSoFar_) + " of " +
                 std::to_string(prize_) + " paid");
        if (delta != -kPokerWager && s.winnings != INT16_MIN)
            fail("the winnings fell by " + std::to_string(-delta));
        ++pokerDeals;
    } else if (delta > 0) {
        if (!countingUp_) {
            const Payout pay = payoutFor(s.handClass);
            if (pay.prize <= 0) {
                fail("the winnings rose by " + std::to_string(delta) + " for class " + std::to_string(s.handClass));
                return;
            }
            countingUp_ = true;
            prize_ = pay.prize;
            prizeStep_ = pay.step;
            paidSoFar_ = 0;
        }
        paidSoFar_ += delta;
        if (paidSoFar_ > prize_)
            fail("a prize of " + std::to_string(prize_) + " paid " + std::to_string(paidSoFar_));
        if (paidSoFar_ >= prize_ || s.winnings == INT16_MAX) {
            countingUp_ = false;
            ++prizesPaid;
        }
    }
    lastWinnings_ = s.winnings;
}

void Ledger::checkAtRest()
{
    checkAlways();
    if (w_.prefs.prfPlayerBank != lastPlayerBank_) {
        // Only the table set-up after the preferences resets the banks, and only from below 0.
        if (!(lastComputerBank_ > 200 && w_.prefs.prfPlayerBank == 100))
            fail("the banks changed without being drawn: " + std::to_string(lastPlayerBank_) + " -> " +
                 std::to_string(w_.prefs.prfPlayerBank));
        lastPlayerBank_ = w_.prefs.prfPlayerBank;
        lastComputerBank_ = w_.prefs.prfComputerBank;
    }
    ++(w_.prefs.isPoker ? restsPoker : restsRummy);
    // A closed window leaves the step it cut short as it was; only the money must be right.
    if (!w_.prefs.isPoker && !w_.unloaded()) {
        longestPile = std::max<int>(longestPile, static_cast<int>(w_.rummy.s.discardPile.size()) - 1);
        checkRummyFlags();
        checkRummyCards();
    }
    checkRummyPayments();
    checkPoker();
}

void Ledger::checkRummyFlags()
{
    const RummyState& s = w_.rummy.s;
    if (s.mustDiscard && s.eval.computerTurn)
        fail("mustDiscard and computerTurn both set at rest");
    if (s.eval.computerTurn && !s.eval.handWon)
        fail("computerTurn set at rest with the hand still running");
    if (s.stock.empty())
        fail("the draw pile array is empty");
    if (s.stockEmpty && s.stock.size() != 1)
        fail("stockEmpty with " + std::to_string(s.stock.size()) + " slots left");
    if (s.discardPile.empty())
        fail("the discard pile lost its empty slot 0");
    const Outcome o = outcomeOf(s);
    if (o == Outcome::User && !(s.mustDiscard && isWinningHand(s.playerHand)))
        fail("the user's win stands on a hand that does not win");
    if (o == Outcome::Tie && !s.stockEmpty)
        fail("the hand ended in the computer's turn without a win or an empty draw pile");
    // The drawn card must be on show while the user still has to throw one.
    const auto* draw = w_.box(QStringLiteral("picPlayerDraw"));
    if (w_.isVisible() && s.mustDiscard && !s.eval.handWon && draw && !draw->isVisible())
        fail("a discard is due but the drawn card is not shown");
}

// Every card of the deal lies in exactly one place.
void Ledger::checkRummyCards()
{
    const RummyState& s = w_.rummy.s;
    std::array<int, 52> seen{};
    std::ostringstream bad;
    auto add = [&](int n, const char* where) {
        if (n < 0 || n > 51)
            bad << " " << where << " holds " << n << ";";
        else
            ++seen[n];
    };
    for (int i = 0; i < 9; ++i) {
        add(s.playerHand[i].number, "user's hand");
        add(s.computerHand[i].number, "computer's hand");
    }
    if (s.mustDiscard)
        add(s.playerHand[9].number, "user's draw spot");
    if (s.eval.computerTurn && s.eval.handWon) {
        // A win with the offered card leaves that card on the pile as well.
        const bool offered = !s.discardEmpty() && s.discardPile.back().number == s.computerHand[9].number;
        if (!offered)
            add(s.computerHand[9].number, "computer's slot 9");
    }
    const size_t inStock = s.stock.size() - (s.stockEmpty && !s.stock.empty() ? 1 : 0);
    for (size_t i = 0; i < inStock; ++i)
        add(s.stock[i].number, "draw pile");
    for (size_t i = 1; i < s.discardPile.size(); ++i)
        add(s.discardPile[i].number, "discard pile");
    const std::string missing = cardList(seen, 0);
    const std::string twice = cardList(seen, 2);
    if (!missing.empty() || !twice.empty() || !bad.str().empty())
        fail("rummy cards out of place: missing" + missing + "; twice" + twice + ";" + bad.str());
}

// A hand won since the last rest, with no new deal between, paid exactly once.
void Ledger::checkRummyPayments()
{
    const RummyState& s = w_.rummy.s;
    const bool rummy = !w_.prefs.isPoker && !w_.unloaded();
    const Outcome now = rummy ? outcomeOf(s) : Outcome::None;
    if (rummy && restWasRummy_ && s.dealSerial == restSerial_) {
        std::vector<int> expected;
        if (restOutcome_ == Outcome::None && now == Outcome::User)
            expected = {1};
        if (restOutcome_ == Outcome::None && now == Outcome::Computer)
            expected = {-1};
        if (payments_ != expected)
            fail("hand outcome " + std::to_string(int(now)) + " after " + std::to_string(int(restOutcome_)) +
                 " paid " + std::to_string(payments_.size()) + " times");
    }
    if (rummy && (s.dealSerial != restSerial_ || restOutcome_ == Outcome::None)) {
        userWins += now == Outcome::User;
        computerWins += now == Outcome::Computer;
        ties += now == Outcome::Tie;
    }
    payments_.clear();
    restSerial_ = s.dealSerial;
    restOutcome_ = now;
    restWasRummy_ = rummy;
}

void Ledger::checkPoker()
{
    const PokerState& s = w_.poker.s;
    if (countingUp_)
        fail("a prize count-up stopped: " + std::to_string(paidSoFar_) + " of " + std::to_string(prize_) + " paid");
    if (s.winnings != lastWinnings_)
        fail("the winnings changed without being shown: " + std::to_string(lastWinnings_) + " -> " +
             std::to_string(s.winnings));
    if (s.pokerBusy)
        fail("pokerBusy set with no step running");
    if (s.prizeOwed != 0)
        fail("a prize of " + std::to_string(s.prizeOwed) + " is still owed with no step running");
    if (!w_.prefs.isPoker) {
        if (s.holdPhase)
            fail("holdPhase set with rummy on the table");
        return;
    }
    if (!s.holdPhase && !s.cardsShown)
        return;
    std::array<int, 52> seen{};
    for (int i = 0; i < 5; ++i) {
        const int n = s.pokerHand[i].number;
        if (n < 0 || n > 51 || seen[n]++)
            fail("the poker hand does not hold five different cards");
        if (s.pokerHand[i].rank != rankOf(n) || s.pokerHand[i].suit != suitOf(n))
            fail("a poker card's rank or suit disagrees with its number");
    }
    if (s.holdPhase && w_.isVisible()) {
        for (int i = 0; i < 5; ++i) {
            if (s.pokerHand[i].number != s.pokerDeck[i])
                fail("the held hand is not the dealt cards");
            const auto* card = w_.box(QStringLiteral("picPoker%1").arg(i));
            if (!card || !card->isVisible())
                fail("a card of the hand waiting for the draw is not shown");
            const auto* marker = w_.findChild<QWidget*>(QStringLiteral("Shape1_%1").arg(i));
            if (marker && marker->isVisible() != s.held[i])
                fail("a hold marker disagrees with the hold");
        }
    }
}

std::string Ledger::summary() const
{
    std::ostringstream o;
    o << "at rest " << restsRummy << " times in rummy, " << restsPoker << " in poker; longest discard pile "
      << longestPile << "; rummy: " << userWins << " user wins, " << computerWins << " computer wins, " << ties
      << " ties; banks " << w_.prefs.prfPlayerBank << "/" << w_.prefs.prfComputerBank << "; poker: " << pokerDeals
      << " deals, " << prizesPaid << " prizes, winnings " << w_.poker.s.winnings;
    return o.str();
}

}  // namespace dm::soak
