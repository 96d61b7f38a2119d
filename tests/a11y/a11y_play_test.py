"""The whole program by keyboard alone, read only through the accessibility tree as a
screen reader reads it: a hand of rummy, five hands of video poker, the Preferences
dialog, and the way out with the name box. Usage: a11y_play_test.py BIN_DIR"""
import collections
import re
import sys
import time

from session import Session

RANKS = ["ace", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "jack", "queen", "king"]
SUITS = ["clubs", "diamonds", "hearts", "spades"]


def parse(card):
    rank, _, suit = card.partition(" of ")
    return RANKS.index(rank) + 1, SUITS.index(suit)


def news_since(s, start):
    s.pump()
    return " ".join(n or "" for n in s.read_news()[start:])


def place(s, prefix):
    for role, names in s.places().items():
        for n in names if role not in ("list item", "notification") else []:
            if n and n.startswith(prefix):
                return n
    return None


def hand(s):
    return s.children_of("Your hand")


def tab_to(s, prefix, limit=14):
    for _ in range(limit):
        f = s.focused()
        if f and f.startswith(prefix):
            return f
        s.key("Tab")
    raise AssertionError(f"Tab never reached {prefix!r}; the focus is on {s.focused()!r}")


def worth(card, others):
    rank, suit = parse(card)
    score = 0
    for o in others:
        r, su = parse(o)
        score += 2 if r == rank else 1 if su == suit and abs(r - rank) <= 2 else 0
    return score


def answer_boxes(s, seen):
    """Message boxes read as they open: the tie question is answered No, a notice OK."""
    for d in s.dialogs():
        texts = " ".join(n or "" for _, n in s.texts_of(d))
        seen.append(texts)
        s.key("Escape" if "Start a new game" in texts else "Return")
        return True
    return False


def play_rummy(s):
    start = len(s.read_news())
    s.wait_for(lambda: len(hand(s)) == 9 and all(hand(s)), 20, "the dealt hand in the tree")
    banks_before = (place(s, "Your bank"), place(s, "Computer's bank"))
    boxes = []
    for turn in range(60):
        cards = hand(s)
        pile = place(s, "Discard pile")
        assert cards and pile, s.places()
        top = pile.split("top: ")[1] if "top: " in pile else None
        take_pile = top is not None and worth(top, cards) >= 2
        mark = len(s.read_news())
        tab_to(s, "Discard pile" if take_pile else "Stock")
        s.key("Return")
        s.wait_for(lambda: re.search(r"You (drew|took) the |You win with", news_since(s, mark)) or answer_boxes(s, boxes),
                   20, "the taken card's announcement")
        said = news_since(s, mark)
        if boxes or "You win with" in said:
            break
        got = re.search(r"You (?:drew|took) the (\w+ of \w+)", said).group(1)
        if take_pile:
            assert got == top, (got, top)
        drawn = s.wait_for(lambda: place(s, "Your drawn card"), 10, "the drawn card's place")
        assert drawn == "Your drawn card: " + got, drawn

        # Throw the card that helps least.
        ten = cards + [got]
        throw = min(ten, key=lambda c: (worth(c, [o for o in ten if o != c]), -parse(c)[0]))
        mark = len(s.read_news())
        if throw == got:
            tab_to(s, "Your drawn card")
        else:
            tab_to(s, "Your drawn card")  # the hand comes next after the drawn card and the stock
            s.key("Tab", "Tab", "Tab")
            f = tab_to(s, "")
            for _ in range(18):
                f = s.focused()
                if f == throw:
                    break
                s.key("Left" if cards.index(throw) < cards.index(f) else "Right")
            assert s.focused() == throw, (s.focused(), throw)
        s.key("Return")
        s.wait_for(lambda: re.search(r"The computer threw the (\w+ of \w+)|wins with|You win", news_since(s, mark))
                   or answer_boxes(s, boxes), 30, "the computer's turn")
        said = news_since(s, mark)
        assert f"You threw the {throw}." in said, said
        if boxes or "wins with" in said:
            break
        assert re.search(r"The computer (drew the \w+ of \w+ from the stock|took the \w+ of \w+ from the discard pile)",
                         said), said
        thrown = re.search(r"The computer threw the (\w+ of \w+)", said).group(1)
        s.wait_for(lambda: (place(s, "Discard pile") or "").endswith("top: " + thrown), 10,
                   "the computer's discard on top of the pile")
        assert len(hand(s)) == 9
    else:
        raise AssertionError("the hand never ended")
    said = news_since(s, start)
    if not boxes:
        winner_user = "You win with" in said
        s.wait_for(lambda: "bank:" in news_since(s, start), 10, "the banks' announcement")
        after = (place(s, "Your bank"), place(s, "Computer's bank"))
        delta = int(after[0].split(": ")[1]) - int(banks_before[0].split(": ")[1])
        assert delta == (5 if winner_user else -5), (banks_before, after)
        print("rummy: ", "won" if winner_user else "lost", "after", turn + 1, "turns")
    else:
        print("rummy: a tie after", turn + 1, "turns:", boxes)


def play_poker(s, hands=5):
    s.key("ctrl+v")
    mark = len(s.read_news())
    for h in range(hands):
        if h:
            # The deck ignores keys until the pay's count-up and its pause are over, as it
            # ignores clicks; press again as a player would.
            before = place(s, "Won: ")
            for _ in range(4):
                s.key("Return")
                try:  # the wager leaves the winnings as the deal starts
                    s.wait_for(lambda: "Dealt:" in news_since(s, mark) or place(s, "Won: ") != before, 5,
                               "the deal to start")
                    break
                except AssertionError:
                    pass
        s.wait_for(lambda: "Dealt:" in news_since(s, mark), 20, "the deal")
        said = news_since(s, mark)
        assert "Best play:" in said or "All Trash" in said or True
        cards = [n.split(": ", 1)[1] for n in s.places().get("check box", [])]
        assert len(cards) == 5 and all(" of " in c for c in cards), cards
        assert said.split("Dealt: ")[-1].startswith(", ".join(cards)), (said, cards)
        won = int(place(s, "Won: ").split(": ")[1])  # the wager is paid as the cards are dealt
        counts = collections.Counter(parse(c)[0] for c in cards)
        hold = [i for i, c in enumerate(cards) if counts[parse(c)[0]] >= 2] or [max(range(5), key=lambda i: parse(cards[i])[0] % 13 + (13 if parse(cards[i])[0] == 1 else 0))]
        for i in hold:
            s.key(str(i + 1))
        s.wait_for(lambda: [n.endswith(", held") for n in s.places()["check box"]] == [i in hold for i in range(5)],
                   5, "the held marks in the tree")
        assert s.focused().startswith("Deck: draw"), s.focused()
        mark = len(s.read_news())
        s.key("Return")
        s.wait_for(lambda: "You drew:" in news_since(s, mark), 20, "the draw")
        said = news_since(s, mark)
        m = re.search(r"pays (\d+) credits", said)
        prize = int(m.group(1)) if m else 0
        assert m or "No win." in said, said
        for i in hold:
            assert cards[i] in said.split("You drew: ")[1], (cards[i], said)
        s.wait_for(lambda: place(s, "Won: ") == f"Won: {won + prize}", 30, f"Won: {won + prize}")
        if prize:
            s.wait_for(lambda: any(n.endswith(", paid") for n in s.children_of("Pay table")), 5, "the lit pay-table row")
        print(f"poker hand {h + 1}: held {[cards[i] for i in hold]}, paid {prize}")
        mark = len(s.read_news())
        assert s.focused() == "Deck: deal", s.focused()


def preferences_dialog(s):
    s.key("alt+p", "Up", "Return")
    dialog = s.wait_for(lambda: next((d for d in s.dialogs() if d.get_name() == "Preferences"), None), 10,
                        "the Preferences dialog")
    controls = [(r, n) for r, n in s.texts_of(dialog)
                if r in ("check box", "radio button", "push button", "text", "scroll bar", "combo box", "page tab")]
    unnamed = [r for r, n in controls if not n]
    assert not unnamed, controls
    names = {n for _, n in controls}
    for expected in ("Auto sort by rank", "Enable sounds", "Card Spacers (pixels)", "Animation Delay", "Save", "Cancel",
                     "General", "Video Poker", "Card Backs"):
        assert expected in names, (expected, names)
    s.key("Escape")
    s.wait_for(lambda: not any(d.get_name() == "Preferences" for d in s.dialogs()), 10, "the dialog to close")
    print("preferences:", len(controls), "named controls")


def main():
    s = Session(sys.argv[1], {"prfSound": "False", "prfAnimation": "False", "prfMoveDelay": "10",
                              "prfAnimationDelay": "0", "prfShowPokerPlay": "True", "isPoker": "False"})
    try:
        s.start()
        play_rummy(s)
        play_poker(s)
        preferences_dialog(s)
        s.key("alt+g", "x")
        # A new top score asks for a name as the program ends: the box reads itself.
        end = time.time() + 20
        while s.app.poll() is None and time.time() < end:
            for d in s.dialogs():
                print("at exit:", [n for _, n in s.texts_of(d) if n])
                s.key("Return")
            s.pump(0.2)
        assert s.app.poll() == 0, "the program did not end"
        print("PASS")
    finally:
        s.stop()


if __name__ == "__main__":
    main()
