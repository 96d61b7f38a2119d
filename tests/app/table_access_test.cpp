// The table by keyboard and as a screen reader sees it: the keys go through the click
// handlers, the places carry plain-word names, and what happens is told as events.
#include <QAccessible>
// The offscreen platform has no screen reader to switch accessibility on; the test
// does, as Qt's own accessibility tests do.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include "app/table_access.h"
#include "app/table_words.h"
#include "app_fixture.h"

namespace dm::testing {
namespace {

struct Heard {
    QAccessible::Event type;
    QString name;
};
std::vector<Heard>* heard = nullptr;

void record(QAccessibleEvent* e)
{
    if (heard && e->accessibleInterface())
        heard->push_back({e->type(), e->accessibleInterface()->text(QAccessible::Name)});
}

class TableAccessTest : public AppWindowTest {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        heard = &events;
        previous = QAccessible::installUpdateHandler(record);
        if (auto* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(true);
    }
    void TearDown() override
    {
        QAccessible::installUpdateHandler(previous);
        if (auto* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(false);
        heard = nullptr;
        AppWindowTest::TearDown();
    }
    void key(int k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(surface(), static_cast<Qt::Key>(k), m);
        QCoreApplication::processEvents();
    }
    TableAccess& a() { return *w->tableAccess(); }
    QString focusName() { return a().name(a().focus()); }
    bool said(QAccessible::Event type, const QString& text) const
    {
        return std::any_of(events.begin(), events.end(), [&](const Heard& h) { return h.type == type && h.name.contains(text); });
    }
    // The names of the table's accessible children, as a screen reader walks them.
    QStringList tree()
    {
        QStringList names;
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(surface());
        for (int i = 0; table && i < table->childCount(); ++i)
            if (!table->child(i)->state().invisible)
                names << table->child(i)->text(QAccessible::Name);
        return names;
    }

    std::vector<Heard> events;
    QAccessible::UpdateHandler previous = nullptr;
};

TEST_F(TableAccessTest, KeysPlayARummyTurnThroughTheClickHandlersAndEveryStepIsTold)
{
    start();
    ASSERT_TRUE(QAccessible::isActive());
    std::vector<int> hand = handNumbers();
    QStringList words;
    for (int n : hand)
        words << cardWords(n);
    EXPECT_TRUE(tree().contains("Your hand, 9 cards: " + words.join(", "))) << tree().join('\n').toStdString();
    EXPECT_TRUE(tree().contains("Stock, 34 cards"));
    EXPECT_TRUE(tree().contains("Discard pile, empty"));
    EXPECT_TRUE(tree().contains("Computer's hand, 9 cards")) << "face down: only how many";

    EXPECT_EQ(focusName(), "Stock, 34 cards");
    key(Qt::Key_Return);  // what a click on the stock does
    ASSERT_TRUE(rs().mustDiscard);
    const int drawn = rs().playerHand[9].number;
    EXPECT_TRUE(said(QAccessible::NameChanged, "You drew the " + cardWords(drawn) + " from the stock."));
    key(Qt::Key_Return);  // the stock again while a discard is due: nothing
    EXPECT_EQ(rs().stock.size(), 33u);

    key(Qt::Key_Tab);  // the first Tab shows the mark where the focus stands
    key(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "Discard pile, empty");
    EXPECT_TRUE(said(QAccessible::Focus, "Discard pile, empty"));
    key(Qt::Key_Tab);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(focusName(), cardWords(hand[2]));
    EXPECT_TRUE(said(QAccessible::Focus, cardWords(hand[2])));
    const QWidget* mark = surface()->findChild<QWidget*>("focusMark");
    ASSERT_TRUE(mark && mark->isVisible());
    EXPECT_TRUE(mark->geometry().contains(box("picPlayerHand")->geometry().topLeft() + cardPoint(2)));

    events.clear();
    key(Qt::Key_Space);  // throws the focused card, which stands raised
    EXPECT_FALSE(rs().mustDiscard || rs().eval.computerTurn) << "the computer's turn ran to its end";
    EXPECT_EQ(rs().playerHand[2].number, drawn) << "the drawn card takes the thrown one's slot";
    EXPECT_TRUE(said(QAccessible::NameChanged, "You threw the " + cardWords(hand[2]) + "."));
    const int top = rs().discardPile.back().number;
    EXPECT_TRUE(said(QAccessible::NameChanged, "The computer threw the " + cardWords(top) + "."));
    EXPECT_TRUE(said(QAccessible::NameChanged, "The computer took the " + cardWords(hand[2])) ||
                said(QAccessible::NameChanged, "from the stock."));
    EXPECT_TRUE(tree().contains(QStringLiteral("Discard pile, %1 card%2, top: ")
                                    .arg(rs().discardPile.size() - 1)
                                    .arg(rs().discardPile.size() == 2 ? "" : "s") +
                                cardWords(top)))
        << tree().join('\n').toStdString();
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

TEST_F(TableAccessTest, ArrangingKeysMoveTheFocusedCardAsDragsAndClicksDo)
{
    start();
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Right);
    const std::vector<int> hand = handNumbers();
    const int card = hand[3];
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(handNumbers()[4], card);
    key(Qt::Key_Left, Qt::ControlModifier);
    key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(handNumbers()[2], card);
    key(Qt::Key_Home);
    EXPECT_EQ(handNumbers()[0], card);
    key(Qt::Key_End);
    EXPECT_EQ(handNumbers()[8], card);
    EXPECT_EQ(focusName(), cardWords(card)) << "the focus goes with the card";
    std::vector<int> sorted = handNumbers(), before = hand;
    std::sort(sorted.begin(), sorted.end());
    std::sort(before.begin(), before.end());
    EXPECT_EQ(sorted, before);

    key(Qt::Key_Tab);  // the drawn card is not on the table: Tab goes round to the stock
    EXPECT_EQ(focusName(), "Stock, 34 cards");
    key(Qt::Key_Return);
    key(Qt::Key_Tab, Qt::ShiftModifier);  // back to the drawn card
    EXPECT_EQ(focusName(), "Your drawn card: " + cardWords(rs().playerHand[9].number));
    key(Qt::Key_Home);  // with a discard due the ends are not for arranging
    key(Qt::Key_Left);
    EXPECT_EQ(handNumbers()[8], card);
    EXPECT_EQ(focusName(), cardWords(card)) << "Left goes from the drawn card into the hand";
}

TEST_F(TableAccessTest, PokerCardsTellTheirHoldAndThePayTableItsLitRow)
{
    store.values["isPoker"] = "True";
    store.values["prfShowPokerPlay"] = "True";
    start();
    QCoreApplication::processEvents();
    ASSERT_TRUE(ps().holdPhase);
    EXPECT_TRUE(said(QAccessible::NameChanged, "Dealt: " + cardWords(ps().pokerHand[0].number) + ", "));
    EXPECT_EQ(focusName(), "Deck: draw");
    key(Qt::Key_1);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "Card 1: " + cardWords(ps().pokerHand[0].number) + ", held");
    key(Qt::Key_Right);
    key(Qt::Key_Space);  // a card under the focus: what a click on it does
    EXPECT_TRUE(ps().held[1]);
    QAccessibleInterface* second = a().iface(a().focus());
    EXPECT_TRUE(second->state().checked);
    EXPECT_TRUE(second->state().focused);
    if (ps().handClass > 0)
        EXPECT_TRUE(tree().contains("Pay table") &&
                    a().name(a().indexOf(QStringLiteral("pay%1").arg(ps().handClass - 1))).endsWith(", best play"));
    const int won = ps().winnings;
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "Deck: draw");
    key(Qt::Key_Return);
    EXPECT_FALSE(ps().holdPhase);
    EXPECT_TRUE(said(QAccessible::NameChanged, "You drew: "));
    EXPECT_TRUE(tree().contains(QStringLiteral("Won: %1").arg(ps().winnings)));
    EXPECT_GE(ps().winnings, won);
}

}  // namespace
}  // namespace dm::testing
