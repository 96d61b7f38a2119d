#include "cards/deck.h"

#include <algorithm>
#include <utility>

namespace dm {

void shuffleDeck(Deck& deck, Rng& rng)
{
    for (int i = 0; i < kDeckSize; ++i)
        deck[i] = CardRec{.number = static_cast<int16_t>(i)};
    // One generator for the whole shuffle: reseeding per draw from the clock repeats draws.
    for (int i = 0; i < kDeckSize; ++i) {
        int j = std::clamp(rng.below(kDeckSize), 0, kDeckSize - 1);  // a generator at 1.0 stays in range
        std::swap(deck[i].number, deck[j].number);
    }
    for (auto& c : deck)
        setCard(c, c.number);
}

int handSlotLeft(int k, int cardStep)
{
    const int gap = halfStepRounded(cardStep);
    return k * cardStep + (k >= 3 ? gap : 0) + (k >= 6 ? gap : 0);
}

void layoutHand(Hand& hand, int cardStep, int cWidth, int top)
{
    for (int k = 0; k < 9; ++k) {
        hand[k].left = handSlotLeft(k, cardStep);
        hand[k].top = top;
        hand[k].right = k < 8 ? handSlotLeft(k + 1, cardStep) : hand[k].left + cWidth;
    }
}

namespace {
// Buckets slots 0..8 by key in ascending order, slot order kept inside a bucket.
template <typename Key>
void bucketSort(Hand& hand, int firstKey, int lastKey, Key key)
{
    std::array<CardRec, 9> sorted;
    int n = 0;
    for (int want = firstKey; want <= lastKey; ++want)
        for (int k = 0; k < 9; ++k)
            if (key(hand[k]) == want)
                sorted[n++] = hand[k];
    if (n != 9)
        return;  // a slot outside the key range: leave the hand as it was rather than lose a card
    std::copy(sorted.begin(), sorted.end(), hand.begin());
}
}  // namespace

void sortByRank(Hand& hand)
{
    bucketSort(hand, 1, 13, [](const CardRec& c) { return c.rank; });
}

void sortBySuit(Hand& hand)
{
    bucketSort(hand, 0, 3, [](const CardRec& c) { return c.suit; });
}

}  // namespace dm
