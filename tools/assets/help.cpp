#include "help.h"

#include <array>

#include "poker/rules.h"

namespace dm::assets {

namespace {

// What each class of the ladder means, best first; captions, holds and prizes come from the game.
constexpr std::array<const char*, 21> kMeaning{{
    "ace, king, queen, jack and ten of one suit",
    "five cards in sequence in one suit (ace-2-3-4-5 counts)",
    "four cards of one rank",
    "three of one rank and two of another",
    "four of the five royal cards of one suit; keep them even when it breaks a flush",
    "five cards of one suit",
    "five cards in sequence; the ace is low (A-2-3-4-5) or high (10-J-Q-K-A) but never in the middle",
    "three cards of one rank",
    "four cards of one suit in sequence",
    "two pairs",
    "a pair of jacks, queens, kings or aces",
    "three royal cards (10, J, Q, K, A) of one suit",
    "four cards of one suit",
    "a pair of twos up to tens",
    "four cards in sequence that a card at either end would complete (not A-2-3-4 or J-Q-K-A)",
    "two of jack, queen, king, ace in one suit",
    "three cards of one suit in sequence",
    "two of jack, queen, king, ace in any suits",
    "a ten with a jack, queen or king of its suit",
    "one jack, queen, king or ace",
    "nothing worth keeping: draw five new cards",
}};

// Captions keep their own spacing on screen as well as in the file.
QString caption(const char* text)
{
    return QStringLiteral("<span style=\"white-space:pre\">%1</span>").arg(QString::fromLatin1(text).toHtmlEscaped());
}

QString payTable()
{
    QString rows;
    for (int cls = 1; cls <= kPokerClasses; ++cls)
        if (pokerPays(cls) > 0)
            rows += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>\n").arg(caption(pokerCaption(cls))).arg(pokerPays(cls));
    return "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n<tr><th>Hand</th><th>Pays (credits)</th></tr>\n" +
           rows + "</table>\n";
}

QString ladderTable()
{
    QString rows;
    for (int cls = 1; cls <= kPokerClasses; ++cls) {
        rows += QStringLiteral("<tr><td align=\"right\">%1</td><td>%2</td><td>%3</td><td align=\"center\">%4</td></tr>\n")
                    .arg(cls)
                    .arg(caption(pokerCaption(cls)), QString::fromLatin1(kMeaning[size_t(cls - 1)]).toHtmlEscaped())
                    .arg(CardsToHand(cls));
    }
    return "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
           "<tr><th>#</th><th>Label</th><th>What it is</th><th>Keep</th></tr>\n" +
           rows + "</table>\n";
}

constexpr const char* kBackToContents = "<p><a href=\"#contents\">Back to the contents</a></p>\n";

}  // namespace

QString helpText()
{
    QString html;
    html += QStringLiteral(R"(<html><head><title>Dunmere Help</title></head><body>
<a name="contents"></a><h1>Dunmere: Video-Poker / Tolva-Rummy</h1>
<p>Welcome to Dunmere, two card games at one table: <b>Tolva Rummy</b> against the computer
and <b>Video Poker</b>, a five-card draw machine with a strategy adviser.</p>
<h2>Contents</h2>
<ul>
<li><a href="#rummy">Tolva Rummy rules</a></li>
<li><a href="#opponent">The computer opponent</a></li>
<li><a href="#stakes">Stakes and banks</a></li>
<li><a href="#arrange">Rearranging your hand</a></li>
<li><a href="#poker">Video Poker rules</a></li>
<li><a href="#paytable">The pay table</a></li>
<li><a href="#ladder">The strategy ladder</a></li>
<li><a href="#adviser">The adviser and the perfect-play score</a></li>
<li><a href="#keyboard">Keyboard</a></li>
<li><a href="#scores">Scores</a></li>
<li><a href="#menus">Menu commands</a></li>
<li><a href="#preferences">The Preferences dialog</a></li>
<li><a href="#dressing">Backgrounds, card backs and sounds</a></li>
</ul>

<a name="rummy"></a><h2>Tolva Rummy rules</h2>
<h3>The deal</h3>
<p>You and the computer are each dealt nine cards from one shuffled deck. The rest form the face-down
<b>draw pile</b>; the <b>discard pile</b> beside it starts empty. You always play first.</p>
<h3>Drawing and discarding</h3>
<p>On your turn take one card: click the draw pile for its top card, or click the discard pile to take the
card on top. Your new tenth card appears in your draw spot, apart from your hand. Then discard one of your
ten cards: click the drawn card to throw it away, or click a card of your hand, and the drawn card takes its
place. The computer then takes its turn the same way.</p>
<h3>Melds</h3>
<table border="1" cellspacing="0" cellpadding="4">
<tr><th>Meld</th><th>Cards</th><th>Example</th></tr>
<tr><td>Set</td><td>three or four cards of one rank</td><td>7&#9827; 7&#9830; 7&#9829;</td></tr>
<tr><td>Run</td><td>three or four cards of one suit in sequence</td><td>4&#9824; 5&#9824; 6&#9824; 7&#9824;</td></tr>
</table>
<p>The ace is low: A-2-3 is a run. The ace may also follow the king, but only in Q-K-A and J-Q-K-A.
K-A-2 is never a run.</p>
<h3>Winning</h3>
<p>You win the moment the ten cards you hold after taking a card split into <b>one four-card meld and two
three-card melds</b> (4 + 3 + 3), for example 9-10-J-Q of hearts, three fives and 6-7-8 of spades.
Nine cards never win, and a run longer than four only counts as four cards plus cards used elsewhere.
The winning hand is fanned out on the table and the computer's hand is turned up.</p>
<h3>Ties</h3>
<p>When the draw pile runs out, the hand is a tie and nobody pays. If it happens on your draw you are asked
&quot;The game is a tie..&quot; and may start a new game; answer No to finish the hand as it is (every later
click on the empty pile asks again). If the computer finds the pile empty, it announces the tie.</p>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="opponent"></a><h2>The computer opponent</h2>
<p>The computer looks only at its own cards. It first considers the top card of the discard pile: when that
card would do more for its hand than its weakest card, it takes it; otherwise it draws from the draw pile.
Then it discards its least useful card and gathers its finished melds at the left of its hand.
It pauses between its moves so you can follow them.</p>
<p>Normally its cards lie face down. <b>Show Hand</b> turns them face up for good and <b>Hide Hand</b>
turns them down again; <b>Peek</b> lets you glance at them for a moment while they are hidden.</p>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="stakes"></a><h2>Stakes and banks</h2>
<p>Every hand is played for a stake of 1, 5 or 10, chosen under <b>Stakes</b> in the Show Scores dialog
(5 until you change it). Your bank and the computer's (&quot;Tolva&quot;) both start at 100 every time the
program starts. The winner of a hand takes the stake from the loser's bank; a tie pays nothing. A bank may
go below zero and play simply goes on. With <b>Show Tolva-Rummy Scores</b> switched on in the preferences,
both banks are shown on the table at the start of every hand.</p>
<p>Your bank is your rummy score: when you close the program it is offered to the Tolva Rummy top scores.</p>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="arrange"></a><h2>Rearranging your hand</h2>
<p>Before you take a card you can put your hand in any order you like:</p>
<ul>
<li><b>Click</b> a card to send it to the right end of your hand.</li>
<li><b>Right-click</b> a card to send it to the left end.</li>
<li><b>Drag</b> a card and drop it between two others.</li>
</ul>
<p><b>Sort by Rank</b> and <b>Sort by Suit</b> in the Action menu sort the whole hand, and the preference
<b>Auto sort by rank</b> sorts every new hand for you. Once you have taken a card, a click on a card of your
hand discards it instead.</p>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="poker"></a><h2>Video Poker rules</h2>
<ol>
<li><b>Wager.</b> Every hand costs 5 credits, taken from your winnings when the cards are dealt.
Your winnings (&quot;Won&quot;) start at 0 each time the program starts and may go below zero.</li>
<li><b>Deal.</b> Click the deal pile: five cards are dealt from a freshly shuffled deck.</li>
<li><b>Hold.</b> Click the cards you want to keep; a held card is marked with an outline. Click it again to
release it.</li>
<li><b>Draw.</b> Click the deal pile again: every card you did not hold is replaced. The final hand is paid
by the pay table and the prize is counted up into your winnings.</li>
</ol>
<p>With <b>Auto Deal</b> switched on, the next hand is dealt by itself a moment after the payout.</p>
)");
    html += kBackToContents;
    html += "\n<a name=\"paytable\"></a><h2>The pay table</h2>\n"
            "<p>What a final hand returns, against the wager of 5 credits. Any other hand returns nothing. "
            "A flush that happens to hold four royal cards pays as a flush.</p>\n";
    html += payTable();
    html += kBackToContents;
    html += "\n<a name=\"ladder\"></a><h2>The strategy ladder</h2>\n"
            "<p>The 21 labels beside the cards are a ladder of the hands worth keeping, best first. "
            "For the five cards you are dealt, find the highest step they reach, keep the cards that make it "
            "(the Keep column) and draw the rest.</p>\n";
    html += ladderTable();
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="adviser"></a><h2>The adviser and the perfect-play score</h2>
<p>The adviser teaches the ladder. Choose its behaviour on the Video Poker page of the preferences:</p>
<ul>
<li><b>Always Show Best Play</b>: after every deal the label of the best play is lit in light red.
Your holds are not checked and no score is kept.</li>
<li><b>Show Best Play after Error</b> (the usual choice): nothing is shown at the deal. When you draw, your
hold is checked. A hold is right when it makes the best play with exactly the number of cards due (a pair
of jacks kept with a third card is wrong). A wrong hold is refused: the best play lights up in red, a
buzzer sounds, your holds are cleared, and you hold again.</li>
</ul>
<p><b>Hands</b> counts your run of right holds in a row: your perfect-play score. <b>Timer</b> counts down
from 100, one step every five seconds. The run ends at a wrong hold or when the timer runs out, and is then
offered to the Video Poker Perfect Play table. Switching to rummy stops the timer but keeps the run; when you
come back the timer starts again at 100.</p>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="keyboard"></a><h2>Keyboard</h2>
<table border="1" cellspacing="0" cellpadding="4">
<tr><th>Key</th><th>Does</th></tr>
<tr><td>Tab, Shift+Tab</td><td>move the focus mark (a dashed frame in the hold card outline colour) from place to place:
the stock, the discard pile, your hand and your drawn card in rummy; the deck and the five cards in video poker</td></tr>
<tr><td>Left, Right</td><td>move the focus mark along your hand, one card at a time</td></tr>
<tr><td>Space or Enter</td><td>do what a click on the place under the focus mark does: take the top of the stock or of the
discard pile, throw the focused card (it stands raised) or the drawn card; in video poker deal or draw on the deck (where
the mark starts), hold or release a card</td></tr>
<tr><td>Ctrl+Left, Ctrl+Right</td><td>Tolva-Rummy: move the focused card one place along your hand, as a drag does</td></tr>
<tr><td>Home, End</td><td>Tolva-Rummy: send the focused card to the left or the right end of your hand, as a right or
left click does (not while a card must be thrown)</td></tr>
<tr><td>1 to 5</td><td>Video Poker: hold or release the card in position 1 to 5, counted from the left</td></tr>
<tr><td>F2</td><td>Analyze Hand</td></tr>
<tr><td>Ctrl+V</td><td>Play Video Poker</td></tr>
<tr><td>Ctrl+R</td><td>Play Tolva-Rummy</td></tr>
</table>
<p>While the computer plays, the keys do what a click does then: nothing. The first Tab only shows where the focus
mark stands.</p>
<p><b>Screen readers.</b> Every place on the table has a name a screen reader reads (&quot;Your hand, 9 cards:
seven of hearts, ...&quot;, &quot;Discard pile, 3 cards, top: five of hearts&quot;, &quot;Card 2: king of spades,
held&quot;, &quot;Won: 15&quot;), and the focus mark is the reader's focus. What happens (the computer's moves,
the winner, the banks, the deal, the draw and the pay, the adviser's best play) is told by the table's status
object and kept in its &quot;Table news&quot; list. <b>Zoom</b> in the Preferences menu makes the whole program
larger from its next start.</p>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="scores"></a><h2>Scores</h2>
<p><b>Show Scores</b> opens the Top Scores dialog. Its Tolva-Rummy page holds the <b>Stakes</b> (1, 5 or 10),
both banks (&quot;You&quot; and &quot;Tolva&quot;) and the <b>Tolva Rummy Top Scores</b>. Its Video Poker
page holds the <b>Video Poker Perfect Play</b> and <b>Big Winners</b> tables. Close the dialog with its
Close button to keep the stake you chose.</p>
<p>Each table keeps the three best results:</p>
<ul>
<li>Tolva Rummy Top Scores: your bank when you close the program.</li>
<li>Video Poker Perfect Play: your longest runs of right holds, offered when a run ends.</li>
<li>Big Winners: your video poker winnings when you close the program.</li>
</ul>
<p>A result must beat a stored score to enter a table. You are then congratulated and asked for your name
(up to 20 characters); leave it empty or cancel to stay out of the table. The tables are kept in the file
<b>stats.dat</b> beside the program, or, when the program's folder cannot be written (an installed program),
in your own data folder (~/.local/share/Dunmere); delete it to start afresh.</p>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="menus"></a><h2>Menu commands</h2>
<table border="1" cellspacing="0" cellpadding="4">
<tr><th>Menu</th><th>Command</th><th>What it does</th></tr>
<tr><td>Game</td><td>Play Video Poker (Ctrl+V)</td><td>sets up the video poker machine and deals a hand</td></tr>
<tr><td>Game</td><td>Play Tolva-Rummy (Ctrl+R)</td><td>switches to rummy and deals a new hand</td></tr>
<tr><td>Game</td><td>Exit</td><td>closes the program; your preferences are kept and your results offered to the score tables</td></tr>
<tr><td>Action</td><td>Start New Game</td><td>deals again in the game on the table; offered when you right-click the table, which opens the Action menu there</td></tr>
<tr><td>Action</td><td>Sort by Rank</td><td>sorts your rummy hand by rank</td></tr>
<tr><td>Action</td><td>Sort by Suit</td><td>sorts your rummy hand by suit</td></tr>
<tr><td>Action</td><td>Peek</td><td>shows the computer's rummy hand for a moment (while it is hidden)</td></tr>
<tr><td>Action</td><td>Analyze Hand (F2)</td><td>while a video poker hand waits for the draw: the Hand Analysis window, with the exact worth of all 32 holds best first, your hold marked, and the session's account of the hands drawn</td></tr>
<tr><td>Preferences</td><td>Show Hand / Hide Hand</td><td>turns the computer's rummy hand face up or face down</td></tr>
<tr><td>Preferences</td><td>Show Scores</td><td>the Top Scores dialog with the stakes and both banks</td></tr>
<tr><td>Preferences</td><td>Hide Desktop / Show Desktop</td><td>covers the rest of the screen behind the table, or uncovers it</td></tr>
<tr><td>Preferences</td><td>Select Background</td><td>lists the pictures in the pics folder; choose one as the background of the game on the table</td></tr>
<tr><td>Preferences</td><td>Zoom</td><td>100 %, 125 %, 150 % or 200 %: the size of the table, menus and dialogs, from the next start</td></tr>
<tr><td>Preferences</td><td>More Options..</td><td>opens the Preferences dialog</td></tr>
<tr><td>Help</td><td>Contents</td><td>opens this help</td></tr>
<tr><td>Help</td><td>About Dunmere</td><td>shows the program's version</td></tr>
</table>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="preferences"></a><h2>The Preferences dialog</h2>
<p>Opened by <b>More Options..</b>. <b>Save</b> applies your changes; <b>Cancel</b> leaves them, except the
animation speed and the outline colour, which change at once.</p>
<h3>General</h3>
<ul>
<li><b>Auto sort by rank</b>: sort every new rummy hand by rank.</li>
<li><b>Show Tolva-Rummy Scores</b>: show both banks at the start of each rummy hand.</li>
<li><b>Enable sounds</b>: play the game's sounds.</li>
<li><b>Enable animation</b>: let cards glide across the table instead of jumping.</li>
<li><b>Card Spacers (pixels)</b>: how far apart the cards of your rummy hand stand, from 10 to 40.</li>
<li><b>Animation Delay</b>: slide towards Slower or Faster to set the speed of the gliding cards.</li>
</ul>
<h3>Video Poker</h3>
<ul>
<li><b>Auto Deal</b>: deal the next hand by itself after each payout.</li>
<li><b>Always Show Best Play</b> or <b>Show Best Play after Error</b>: the adviser's behaviour
(see <a href="#adviser">the adviser</a>).</li>
</ul>
<h3>Card Backs</h3>
<ul>
<li><b>Select Card Image</b>: the back of the cards in the game on the table: one of the thirteen designs
(Hatch, Plaid, Weave, Robot, Roses, IvyBlack, IvyBlue, FishCyan, FishBlue, Shell, Castle, Beach, Sleeve)
or one of your own pictures from the pics\backs folder. A preview shows your choice.</li>
<li><b>Hold Card Outline color</b>: <b>change</b> picks the colour of the hold markers in video poker.</li>
</ul>
)");
    html += kBackToContents;
    html += QStringLiteral(R"(
<a name="dressing"></a><h2>Backgrounds, card backs and sounds</h2>
<p>Each game remembers its own background. Pictures whose names begin with &quot;vpoker&quot; are meant for
video poker and are not listed while rummy is on the table. You may add your own .jpg, .gif or .bmp pictures
to the pics folder (the first 21 are listed) and your own card backs to pics\backs. On the beach and winter
backgrounds, listen when the rummy cards are shuffled.</p>
)");
    html += kBackToContents;
    html += "</body></html>\n";
    return html;
}

}  // namespace dm::assets
