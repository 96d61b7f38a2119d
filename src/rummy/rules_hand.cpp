// Reordering hands: the computer's choice and regroup, and the user's moves and drags.
#include <algorithm>

#include "rummy/rules.h"

namespace dm {

OfferDecision decideOffer(const Hand& hand, int16_t offeredNumber)
{
    int16_t lowest = 10;
    OfferDecision d;
    for (int k = 0; k < 10; ++k) {
        if (hand[k].value < lowest) {  // strictly less: ties keep the earlier slot
            lowest = hand[k].value;
            d.lowestSlot = static_cast<int16_t>(k);
        }
    }
    for (const auto& c : hand) {
        if (c.number == offeredNumber) {
            d.takeDiscard = c.value > lowest;
            break;
        }
    }
    return d;
}

void regroupComputerHand(Hand& hand, const MeldStore& computerMelds, int cardStep)
{
    const auto& melds = computerMelds.cards;
    int n = 0;
    for (int s = 0; s < static_cast<int>(melds.size()); ++s) {
        if (melds[s].value == 0) {
            n = s;
            break;
        }
    }
    // Each melded card goes to the slot of its place in the store; the card there takes its old slot.
    for (int s = 0; n > 0 && s <= n; ++s) {
        for (int k = 0; k < 9; ++k) {
            if (hand[k].number == melds[s].number && melds[s].value == 10) {
                const CardRec saved = hand[s];
                hand[s] = melds[s];
                hand[k] = saved;
            }
        }
    }
    for (int k = 0; k < 9; ++k)
        hand[k].left = handSlotLeft(k, cardStep);
}

namespace {

bool inHand(int i) { return i >= 0 && i < 9; }

// Writes the nine identities back into slots 0..8; places and values stay with the slots.
void placeOrder(Hand& hand, const std::array<CardRec, 9>& order)
{
    for (int k = 0; k < 9; ++k)
        copyIdentity(hand[k], order[k]);
}

}  // namespace

void MoveCardForward(Hand& hand, int i)
{
    if (!inHand(i))
        return;
    const CardRec moving = hand[i];
    for (int k = i; k < 8; ++k)
        copyIdentity(hand[k], hand[k + 1]);
    copyIdentity(hand[8], moving);
}

void MoveCardBack(Hand& hand, int i)
{
    if (!inHand(i))
        return;
    const CardRec moving = hand[i];
    for (int k = i; k > 0; --k)
        copyIdentity(hand[k], hand[k - 1]);
    copyIdentity(hand[0], moving);
}

void MoveCardDragging(Hand& hand, int dragNumber, int t)
{
    if (!inHand(t))
        return;
    const auto first = hand.begin(), last = hand.begin() + 9;
    const auto drag = std::find_if(first, last, [&](const CardRec& c) { return c.number == dragNumber; });
    if (drag == last)
        return;
    if (t == 8) {
        // The last card already in place: the swap below would push it back one.
        if (drag - first == 8)
            return;
        MoveCardDragging(hand, dragNumber, 7);
        std::swap(hand[7].number, hand[8].number);
        std::swap(hand[7].rank, hand[8].rank);
        std::swap(hand[7].suit, hand[8].suit);
        return;
    }
    if (hand[t + 1].number == dragNumber)
        return;
    std::array<CardRec, 9> order;
    int n = 0;
    for (int k = 0; k < 9; ++k) {
        if (k == t + 1)
            order[n++] = *drag;
        if (hand[k].number != dragNumber)
            order[n++] = hand[k];
    }
    placeOrder(hand, order);
}

}  // namespace dm
