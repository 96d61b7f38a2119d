// The text form of a position and the check that its history can have happened.
#include "rummy/position.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "rummy/rules.h"

namespace dm {

namespace {

constexpr int kStockAtDeal = kDeckSize - 18;

// Where a card is, as far as the user knows.
enum class Place : char { Unseen, User, Pile, Computer, Stock };

void erase(std::vector<int>& v, int c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); }

class Walker {
public:
    Walker(PositionFacts& f, std::string& error) : f_(f), error_(error) {}

    bool deal(const std::array<int, 9>& cards)
    {
        for (int k = 0; k < 9; ++k) {
            if (!fresh(cards[k]))
                return false;
            where_[cards[k]] = Place::User;
            f_.userHand[k] = cards[k];
        }
        f_.userHand[9] = kNoCard;
        return true;
    }

    bool move(const RummyMove& m)
    {
        using K = RummyMove::Kind;
        if (f_.phase == PositionPhase::Over)
            return fail("the hand is already over");
        switch (m.kind) {
        case K::UserStock:
            return turn(PositionPhase::UserTake) && drawn(m.card) && userTook(m.card);
        case K::UserPile: {
            int c = m.card;
            return turn(PositionPhase::UserTake) && fromPile(c) && userTook(c);
        }
        case K::UserDiscard:
            return turn(PositionPhase::UserThrow) && userThrew(m.card);
        case K::ComputerStock:
            return turn(PositionPhase::ComputerTake) && drawn(m.card) && computerTook(m.card);
        case K::ComputerPile: {
            int c = m.card;
            return turn(PositionPhase::ComputerTake) && fromPile(c) && computerTook(c);
        }
        case K::ComputerDiscard:
            return turn(PositionPhase::ComputerThrow) && computerThrew(m.card);
        case K::ComputerShown:
            return shown(m.shown);
        }
        return fail("unknown move");
    }

private:
    bool fail(const std::string& why)
    {
        error_ = why;
        return false;
    }
    bool valid(int c) { return c >= 0 && c < kDeckSize ? true : fail("card " + std::to_string(c) + " is out of range 0..51"); }
    bool fresh(int c)
    {
        if (!valid(c))
            return false;
        return where_[c] == Place::Unseen ? true : fail("card " + std::to_string(c) + " appears twice");
    }
    bool turn(PositionPhase expected)
    {
        static const char* names[] = {"the user is to take a card", "the user is to discard",
                                      "the computer is to take a card", "the computer is to discard"};
        return f_.phase == expected ? true : fail(std::string("a move out of turn: ") + names[static_cast<int>(f_.phase)]);
    }
    bool drawn(int c)
    {
        if (f_.stockLeft == 0)
            return fail("a take from the empty stock");
        if (!fresh(c))
            return false;
        --f_.stockLeft;
        f_.draws.push_back(c);
        return true;
    }
    bool fromPile(int& c)
    {
        if (f_.pile.empty())
            return fail("a take from the empty discard pile");
        if (c != kNoCard && c != f_.pile.back())
            return fail("card " + std::to_string(c) + " is not the top of the discard pile");
        c = f_.pile.back();
        f_.pile.pop_back();
        return true;
    }
    bool userTook(int c)
    {
        where_[c] = Place::User;
        f_.userHand[9] = c;
        f_.phase = PositionPhase::UserThrow;
        Hand ten{};
        for (int k = 0; k < 10; ++k)
            ten[k] = cardOf(f_.userHand[k]);
        if (isWinningHand(ten)) {
            f_.userWon = true;
            f_.phase = PositionPhase::Over;
        }
        return true;
    }
    bool userThrew(int c)
    {
        if (!valid(c))
            return false;
        const auto it = std::find(f_.userHand.begin(), f_.userHand.end(), c);
        if (it == f_.userHand.end())
            return fail("card " + std::to_string(c) + " is not in the user's hand");
        *it = f_.userHand[9];
        f_.userHand[9] = kNoCard;
        toPile(c);
        f_.phase = PositionPhase::ComputerTake;
        return true;
    }
    bool computerTook(int c)
    {
        where_[c] = Place::Computer;
        f_.computerHeld.push_back(c);
        tenth_ = c;
        f_.phase = PositionPhase::ComputerThrow;
        return true;
    }
    bool computerThrew(int c)
    {
        if (!valid(c))
            return false;
        if (where_[c] == Place::Unseen) {
            f_.dealtToComputer.push_back(c);  // only its dealt cards are unseen
            if (static_cast<int>(f_.dealtToComputer.size()) > 9)
                return fail("the computer threw more cards than it was dealt");
        } else if (where_[c] != Place::Computer) {
            return fail("card " + std::to_string(c) + " is not in the computer's hand");
        }
        erase(f_.computerHeld, c);
        toPile(c);
        tenth_ = kNoCard;
        f_.phase = PositionPhase::UserTake;
        return true;
    }
    bool shown(const std::array<int, 9>& cards)
    {
        std::array<bool, kDeckSize> in{};
        for (int c : cards) {
            if (!valid(c))
                return false;
            if (in[c])
                return fail("card " + std::to_string(c) + " appears twice");
            in[c] = true;
            if (where_[c] != Place::Unseen && where_[c] != Place::Computer)
                return fail("card " + std::to_string(c) + " is not in the computer's hand");
            if (c == tenth_)
                return fail("card " + std::to_string(c) + " was just taken and lies apart from the hand");
        }
        for (int c : f_.computerHeld)
            if (c != tenth_ && !in[c])
                return fail("the shown hand lacks card " + std::to_string(c));
        for (int c : cards) {
            if (where_[c] == Place::Unseen) {
                where_[c] = Place::Computer;
                f_.dealtToComputer.push_back(c);
            }
        }
        if (static_cast<int>(f_.dealtToComputer.size()) > 9)
            return fail("the computer holds more cards than it was dealt");
        return true;
    }
    void toPile(int c)
    {
        where_[c] = Place::Pile;
        f_.pile.push_back(c);
    }

    PositionFacts& f_;
    std::string& error_;
    std::array<Place, kDeckSize> where_{};
    int tenth_ = kNoCard;  // the card the computer took this turn
};

std::string trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

bool readNumbers(std::istringstream& in, std::vector<int>& out, std::string& error)
{
    std::string token;
    while (in >> token) {
        int n = 0;
        const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), n);
        if (ec != std::errc() || end != token.data() + token.size()) {
            error = "'" + token + "' is not a card number";
            return false;
        }
        out.push_back(n);
    }
    return true;
}

}  // namespace

bool walkPosition(const RummyPosition& pos, PositionFacts& facts, std::string& error)
{
    facts = PositionFacts{};
    facts.stockLeft = kStockAtDeal;
    Walker w(facts, error);
    if (!w.deal(pos.userDeal))
        return false;
    for (const RummyMove& m : pos.moves)
        if (!w.move(m))
            return false;
    return true;
}

std::string formatPosition(const RummyPosition& pos)
{
    std::string out;
    for (int k = 0; k < 9; ++k)
        out += (k ? " " : "") + std::to_string(pos.userDeal[k]);
    for (const RummyMove& m : pos.moves) {
        out += "; ";
        out += static_cast<char>(m.kind);
        if (m.kind == RummyMove::Kind::ComputerShown) {
            for (int c : m.shown)
                out += " " + std::to_string(c);
        } else if (m.kind != RummyMove::Kind::UserPile && m.kind != RummyMove::Kind::ComputerPile) {
            out += " " + std::to_string(m.card);
        }
    }
    return out;
}

std::optional<RummyPosition> parsePosition(const std::string& text, std::string& error)
{
    RummyPosition pos;
    std::vector<std::string> items;
    std::istringstream all(text);
    for (std::string item; std::getline(all, item, ';');)
        items.push_back(trim(item));
    if (items.empty() || items[0].empty()) {
        error = "expected the user's nine dealt cards";
        return std::nullopt;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        std::istringstream in(items[i]);
        std::string kind;
        if (i > 0 && !(in >> kind)) {
            error = "an empty move";
            return std::nullopt;
        }
        std::vector<int> cards;
        if (!readNumbers(in, cards, error))
            return std::nullopt;
        auto expect = [&](size_t n) {
            if (cards.size() == n)
                return true;
            error = "'" + items[i] + "' needs " + std::to_string(n) + (n == 1 ? " card" : " cards");
            return false;
        };
        if (i == 0) {
            if (!expect(9))
                return std::nullopt;
            std::copy(cards.begin(), cards.end(), pos.userDeal.begin());
            continue;
        }
        static const std::string kinds = "SPDspdh";
        if (kind.size() != 1 || kinds.find(kind[0]) == std::string::npos) {
            error = "'" + kind + "' is not a move (S, P, D, s, p, d or h)";
            return std::nullopt;
        }
        RummyMove m{static_cast<RummyMove::Kind>(kind[0])};
        if (kind == "h") {
            if (!expect(9))
                return std::nullopt;
            std::copy(cards.begin(), cards.end(), m.shown.begin());
        } else if (kind == "P" || kind == "p") {
            if (!expect(0))
                return std::nullopt;
        } else {
            if (!expect(1))
                return std::nullopt;
            m.card = cards[0];
        }
        pos.moves.push_back(m);
    }
    PositionFacts facts;
    if (!walkPosition(pos, facts, error))
        return std::nullopt;
    // The pile takes carry their card, as the table records them.
    std::vector<int> pile;
    for (RummyMove& m : pos.moves) {
        if (m.kind == RummyMove::Kind::UserPile || m.kind == RummyMove::Kind::ComputerPile) {
            m.card = pile.back();
            pile.pop_back();
        } else if (m.kind == RummyMove::Kind::UserDiscard || m.kind == RummyMove::Kind::ComputerDiscard) {
            pile.push_back(m.card);
        }
    }
    return pos;
}

}  // namespace dm
