// The computer's scoring of its ten cards and its choice of discard.
#include <algorithm>
#include <limits>

#include "rummy/rules.h"

namespace dm {

namespace {

constexpr int16_t kComplete = 10;
constexpr std::array<int, 4> kRunOrder{0, 2, 1, 3};  // the order suit lists are searched

// A work list holds its cards plus one empty last slot.
int count(const std::vector<CardRec>& list) { return static_cast<int>(list.size()) - 1; }

void append(std::vector<CardRec>& list, const CardRec& c)
{
    list.back() = c;
    list.emplace_back();
}

bool open3(const CardRec& a, const CardRec& b, const CardRec& c)
{
    return a.value != kComplete && b.value != kComplete && c.value != kComplete;
}

bool open2(const CardRec& a, const CardRec& b) { return a.value != kComplete && b.value != kComplete; }

void completeMeld(std::vector<CardRec>& list, int i, Hand& hand, MeldStore& store, const EvalLists& lists)
{
    list[i - 1].value = list[i].value = list[i + 1].value = kComplete;
    store.addMeld(list[i - 1], list[i], list[i + 1]);
    assignCompleteValues(hand, lists);
}

void buildLists(const Hand& hand, EvalLists& lists)
{
    // Open slots by ascending rank, slot order kept within a rank (insertion sort is stable).
    std::array<int, 10> order;
    int n = 0;
    for (int k = 0; k < 10; ++k) {
        const CardRec& c = hand[k];
        if (c.value == kComplete || c.rank < 1 || c.rank > 13 || c.suit < 0 || c.suit > 3)
            continue;
        int j = n++;
        for (; j > 0 && hand[order[j - 1]].rank > c.rank; --j)
            order[j] = order[j - 1];
        order[j] = k;
    }
    for (int i = 0; i < n; ++i)
        append(lists.suitList[hand[order[i]].suit], hand[order[i]]);
    for (int i = 0; i < n;) {
        int end = i + 1;
        while (end < n && hand[order[end]].rank == hand[order[i]].rank)
            ++end;
        if (end - i >= 2)
            for (int j = i; j < end; ++j)
                append(lists.pairList, hand[order[j]]);
        i = end;
    }
}

void findSets(Hand& hand, EvalLists& lists, MeldStore& store)
{
    auto& pl = lists.pairList;
    for (int pass = 0; pass < 3; ++pass) {
        if (count(pl) < 3)
            return;
        for (int i = 1; i <= count(pl) - 1; ++i) {
            if (open3(pl[i - 1], pl[i], pl[i + 1]) && pl[i - 1].rank == pl[i].rank && pl[i].rank == pl[i + 1].rank) {
                completeMeld(pl, i, hand, store, lists);
                break;
            }
        }
    }
}

// Set cards carry their mark into the suit lists, but only into lists long enough to hold a run.
void markSetsInSuitLists(EvalLists& lists)
{
    const auto& pl = lists.pairList;
    if (count(pl) < 3)
        return;
    for (int p = 0; p < count(pl); ++p) {
        if (pl[p].value != kComplete)
            continue;
        for (auto& list : lists.suitList) {
            if (count(list) < 3)
                continue;
            for (auto& c : list)
                if (c.number == pl[p].number)
                    c.value = kComplete;
        }
    }
}

void findRuns(Hand& hand, EvalLists& lists, MeldStore& store)
{
    for (int s : kRunOrder) {
        auto& list = lists.suitList[s];
        if (count(list) < 3)
            continue;
        for (int i = 1; i <= count(list) - 1; ++i) {
            if (open3(list[i - 1], list[i], list[i + 1]) && list[i].rank == list[i - 1].rank + 1
                && list[i + 1].rank == list[i - 1].rank + 2) {
                completeMeld(list, i, hand, store, lists);
                if (s != 3)
                    break;  // only the last list searched keeps looking
            }
        }
    }
}

// Each neighbouring pair is seen from both ends except the first, so inner pairs score twice.
void scorePairs(EvalLists& lists)
{
    auto& pl = lists.pairList;
    if (count(pl) < 2)
        return;
    for (int i = 1; i <= count(pl) - 1; ++i) {
        if (open2(pl[i - 1], pl[i]) && pl[i - 1].rank == pl[i].rank) {
            pl[i - 1].value += 2;
            pl[i].value += 2;
        }
        if (open2(pl[i], pl[i + 1]) && pl[i].rank == pl[i + 1].rank) {
            pl[i].value += 2;
            pl[i + 1].value += 2;
        }
    }
}

void scoreNearRuns(EvalLists& lists)
{
    for (int s : kRunOrder) {
        auto& list = lists.suitList[s];
        if (count(list) < 2)
            continue;
        for (int i = 1; i <= count(list) - 1; ++i) {
            if (open2(list[i - 1], list[i]) && list[i].rank == list[i - 1].rank + 1) {
                list[i - 1].value += 2;
                list[i].value += 2;
            }
            if (open2(list[i], list[i + 1]) && list[i].rank == list[i + 1].rank - 1) {
                list[i].value += 2;
                list[i + 1].value += 2;
            }
        }
    }
}

// A drawn card that would stretch one of the first two completed groups is worth keeping.
void tenthCardRule(Hand& hand)
{
    CardRec& d = hand[9];
    if (d.value != 0)
        return;
    for (int k = 0; k < 6; ++k)
        if (hand[k].value != kComplete)
            return;
    auto extends = [&](const CardRec& a, const CardRec& b) {
        const bool set = d.rank == a.rank && a.rank == b.rank;
        const bool run = d.suit == a.suit && d.suit == b.suit && (d.rank == b.rank - 2 || d.rank == b.rank + 2);
        return set || run;
    };
    if (extends(hand[0], hand[1]) || extends(hand[3], hand[4]))
        d.value = 1;
}

int16_t chooseDiscard(const Hand& hand)
{
    for (int v = 0; v <= 8; ++v)
        for (int k = 9; k >= 0; --k)
            if (hand[k].value == v)
                return static_cast<int16_t>(k);
    return 0;
}

}  // namespace

void EvalLists::clear()
{
    for (auto* list : {&suitList[0], &suitList[1], &suitList[2], &suitList[3], &pairList}) {
        list->reserve(11);  // ten cards and the empty slot: no allocation after the first hand
        list->assign(1, CardRec{});
    }
}

void MeldStore::clear()
{
    cards.fill(CardRec{});
    count = 0;
}

bool MeldStore::addMeld(const CardRec& a, const CardRec& b, const CardRec& c)
{
    // Melds pile up over a long hand (melded cards can still be thrown); past ten slots they are dropped.
    if (count < 0 || count + 3 > static_cast<int>(cards.size()))
        return false;
    cards[count] = a;
    cards[count + 1] = b;
    cards[count + 2] = c;
    count += 3;
    return true;
}

void assignCompleteValues(Hand& hand, const EvalLists& lists)
{
    // Highest listed value per card number; the empty last slots take part, as list members.
    std::array<int16_t, kDeckSize> best;
    best.fill(std::numeric_limits<int16_t>::min());
    for (const auto* list : {&lists.suitList[3], &lists.suitList[0], &lists.suitList[2], &lists.suitList[1],
                             &lists.pairList})
        for (const auto& c : *list)
            if (c.number >= 0 && c.number < kDeckSize)
                best[c.number] = std::max(best[c.number], c.value);
    for (auto& slot : hand)
        if (slot.number >= 0 && slot.number < kDeckSize)
            slot.value = std::max(slot.value, best[slot.number]);
}

EvalResult EvaluateHand(Hand& hand, bool& resetFlag, EvalState& st)
{
    if (st.handWon)
        return {};
    if (resetFlag) {
        st.computerMelds.clear();
        st.otherMelds.clear();
        resetFlag = false;
    }
    st.lists.clear();
    for (auto& c : hand)
        if (c.value != kComplete)
            c.value = 0;

    MeldStore& store = st.computerTurn ? st.computerMelds : st.otherMelds;
    buildLists(hand, st.lists);
    findSets(hand, st.lists, store);
    markSetsInSuitLists(st.lists);
    findRuns(hand, st.lists, store);
    scorePairs(st.lists);
    scoreNearRuns(st.lists);
    assignCompleteValues(hand, st.lists);
    tenthCardRule(hand);

    int sum = 0;
    for (const auto& c : hand)
        sum += c.value;
    if (sum >= 90 && st.computerTurn && checkForWinningHand(hand, st.handWon))
        return {.discardIndex = 0, .computerWins = true};

    return {.discardIndex = chooseDiscard(hand), .computerWins = false};
}

}  // namespace dm
