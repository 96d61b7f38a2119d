#pragma once
// The card record shared by both games, and the card number inside it.
#include <array>
#include <cstdint>
#include <string>

namespace dm {

// number = (rank - 1) * 4 + suit; suits 0 clubs, 1 diamonds, 2 hearts, 3 spades; ace = rank 1.
struct CardRec {
    int32_t left = 0;   // x of the card's image inside its box
    int32_t right = 0;  // right edge of the clickable strip (user's hand only)
    int32_t top = 0;    // y of the card's image (user's hand only)
    int16_t number = 0;
    int16_t rank = 0;
    int16_t suit = 0;
    int16_t value = 0;  // the computer's score of the card; 10 = in a completed meld

    bool operator==(const CardRec&) const = default;
};

constexpr int kDeckSize = 52;
constexpr int kNoCard = 99;  // as a hand index: no card selected; as a card in an animation: face down

constexpr int16_t rankOf(int number) { return static_cast<int16_t>(number / 4 + 1); }
constexpr int16_t suitOf(int number) { return static_cast<int16_t>(number % 4); }
constexpr int cardNumber(int rank, int suit) { return (rank - 1) * 4 + suit; }

// Sets number, rank and suit together so they always agree; position and value stay.
inline void setCard(CardRec& c, int number)
{
    c.number = static_cast<int16_t>(number);
    c.rank = rankOf(number);
    c.suit = suitOf(number);
}

inline CardRec cardOf(int number)
{
    CardRec c;
    setCard(c, number);
    return c;
}

// Copies what moves between slots: number, rank and suit; the slot keeps its place and value.
inline void copyIdentity(CardRec& dst, const CardRec& src)
{
    dst.number = src.number;
    dst.rank = src.rank;
    dst.suit = src.suit;
}

// "A♠" style name for messages and tests.
std::string cardName(int number);

// Integer rounding of x / 2 with halves to the even neighbour.
constexpr int halfStepRounded(int step)
{
    int q = step / 2;
    if (step % 2 != 0) {  // x.5: pick the even one of q and q + 1 (step > 0 in practice)
        int other = step > 0 ? q + 1 : q - 1;
        return (q % 2 == 0) ? q : other;
    }
    return q;
}

// The program-wide failure text: "Error  in  NAME (  DESCRIPTION  )".
std::string errorText(const std::string& procedure, const std::string& description);

}  // namespace dm
