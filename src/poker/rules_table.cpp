// The ladder's captions, the pay table with its count-up, and the cards each class keeps.
#include "poker/rules.h"

namespace dm {

namespace {

struct ClassInfo {
    const char* caption;
    int keep;
    Payout pay;
};

// Index = class - 1. The prize is the 5-credit wager times 800, 50, 25, 9, 6, 4, 3, 2, 1.
constexpr std::array<ClassInfo, kPokerClasses> kLadder{{
    {"Royal ", 5, {4000, 25, "pokerwin3.wav", 500}},
    {"Straight Flush", 5, {250, 25, "pokerwin3.wav", 500}},
    {"4 Of a Kind", 4, {125, 25, "pokerwin3.wav", 500}},
    {"Full House", 5, {45, 25, "pokerwin3.wav", 500}},
    {"4 To a Royal ", 4, {}},
    {"Flush", 5, {30, 15, "pokerwin3.wav", 500}},
    {"Straight", 5, {20, 10, "pokerwin2.wav", 500}},
    {"3 Of a Kind", 3, {15, 15, "pokerwin1.wav", 500}},
    {"4 To a Straight Flush", 4, {}},
    {"2 Pair", 4, {10, 10, "pokerwin1.wav", 500}},
    {"High Pair", 2, {5, 5, "pokerwin1.wav", 200}},
    {"3 To a Royal ", 3, {}},
    {"4 To a Flush", 4, {}},
    {"Low Pair", 2, {}},
    {"4 To Outside  Straight", 4, {}},
    {"2 High (Suited)", 2, {}},
    {"3 To a Straight Flush", 3, {}},
    {"2 High", 2, {}},
    {"10/J 10/Q 10/k (Suited)", 2, {}},
    {"1 High", 1, {}},
    {"All Trash", 0, {}},
}};

const ClassInfo* infoFor(int cls)
{
    return cls >= 1 && cls <= kPokerClasses ? &kLadder[cls - 1] : nullptr;
}

}  // namespace

const char* pokerCaption(int cls)
{
    const ClassInfo* info = infoFor(cls);
    return info ? info->caption : "";
}

int pokerPays(int cls)
{
    return payoutFor(cls).prize;
}

int CardsToHand(int cls)
{
    const ClassInfo* info = infoFor(cls);
    return info ? info->keep : 0;
}

Payout payoutFor(int cls)
{
    const ClassInfo* info = infoFor(cls);
    return info ? info->pay : Payout{};
}

}  // namespace dm
