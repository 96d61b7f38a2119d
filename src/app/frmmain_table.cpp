// The table: boxes, backgrounds, card drawing and the rummy displays.
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

#include "app/frmmain.h"
#include "app/table_access.h"
#include "app/hold_marker.h"
#include "table/animation.h"
#include "table/cardfaces.h"
#include "table/files.h"
#include "table/layout.h"
#include "table/outline_text.h"
#include "table/picture_box.h"
#include "table/surface.h"

namespace dm {

namespace {
// Offsets of the winning displays after each of the ten cards.
constexpr std::array<int, 10> kArch{-30, -19, -11, -5, 0, 2, 4, 8, 13, 19};
constexpr std::array<int, 10> kSag{28, 18, 10, 4, 0, -2, -4, -8, -13, -19};

// The layout's input for a table of the given size; the pay table is as wide as its
// widest caption.
LayoutInput layoutInputFor(const frmMain& w, QSize table)
{
    LayoutInput in;
    in.table = table;
    in.cWidth = w.cWidth;
    in.cHeight = w.cHeight;
    in.prfCardSpace = w.prefs.prfCardSpace;
    in.poker = w.prefs.isPoker;
    in.bankLabel = QSize(60, 34);
    for (int i = 0; i < 21; ++i)
        in.pokerLabelWidth = std::max(in.pokerLabelWidth, w.pokerLabel(i)->sizeHint().width());
    return in;
}

PictureBox* makeBox(QWidget* parent, const char* name, int index = 0)
{
    auto* b = new PictureBox(parent);
    b->setObjectName(index ? QStringLiteral("%1%2").arg(QLatin1String(name)).arg(index) : QString::fromLatin1(name));
    b->hide();
    return b;
}
}  // namespace

void frmMain::buildTable()
{
    surface_ = new TableSurface(dataDirOf(ctx_), this);
    surface_->setObjectName("table");
    surface_->setMouseTracking(true);
    surface_->installEventFilter(this);
    setCentralWidget(surface_);

    picComputerHand_ = makeBox(surface_, "picComputerHand");
    picPlayerHand_ = makeBox(surface_, "picPlayerHand");
    picPlayerHand_->setMouseTracking(true);
    picComputerDraw_ = makeBox(surface_, "picComputerDraw");
    picPlayerDraw_ = makeBox(surface_, "picPlayerDraw");
    picReject_ = makeBox(surface_, "picReject");
    for (int i = 0; i < 4; ++i) {
        picDeal_[i] = makeBox(surface_, "picDeal");
        picDeal_[i]->setObjectName(QStringLiteral("picDeal%1").arg(i));
        picDeal_[i]->setCursor(Qt::PointingHandCursor);
    }
    for (int i = 0; i < 5; ++i) {
        picPoker_[i] = makeBox(surface_, "picPoker");
        picPoker_[i]->setObjectName(QStringLiteral("picPoker%1").arg(i));
        picPoker_[i]->setCursor(Qt::PointingHandCursor);
        shape1_[i] = new HoldMarker(surface_);
        shape1_[i]->setObjectName(QStringLiteral("Shape1_%1").arg(i));
    }
    for (QWidget* w : {static_cast<QWidget*>(picPlayerHand_), static_cast<QWidget*>(picPlayerDraw_),
                       static_cast<QWidget*>(picReject_)})
        w->installEventFilter(this);
    for (auto* b : picDeal_)
        b->installEventFilter(this);
    for (auto* b : picPoker_)
        b->installEventFilter(this);
    picPlayerDraw_->setCursor(Qt::PointingHandCursor);
    picReject_->setCursor(Qt::PointingHandCursor);

    picPokerLabels_ = new QWidget(surface_);
    picPokerLabels_->setObjectName("picPokerLabels");
    picPokerLabels_->hide();
    for (int i = 0; i < 21; ++i) {
        auto* l = new QLabel(QString::fromLatin1(pokerCaption(i + 1)), picPokerLabels_);
        l->setObjectName(QStringLiteral("pkLabel%1").arg(i));
        l->setAutoFillBackground(true);
        l->setIndent(6);
        pkLabel_[i] = l;
    }
    pokerCounters_ = new QWidget(surface_);
    pokerCounters_->setObjectName("pokerCounters");
    pokerCounters_->hide();
    auto* counters = new QGridLayout(pokerCounters_);
    counters->setContentsMargins(10, 6, 10, 6);
    counters->setSizeConstraint(QLayout::SetFixedSize);  // the panel follows its labels
    auto addCounter = [&](int col, const QString& caption, const char* name, const QString& start) {
        auto* c = new QLabel(caption, pokerCounters_);
        auto* v = new QLabel(start, pokerCounters_);
        v->setObjectName(QString::fromLatin1(name));
        QFont f = v->font();
        f.setBold(true);
        f.setPixelSize(18);
        v->setFont(f);
        // Room for the widest 16-bit value, so a count never reads cut or shifts its
        // neighbours: a minus sign and five of the widest digit.
        const QFontMetrics m(f);
        int widest = 0;
        for (char d = '0'; d <= '9'; ++d)
            widest = std::max(widest, m.horizontalAdvance(QStringLiteral("-") + QString(5, QLatin1Char(d))));
        v->setMinimumWidth(widest);
        counters->addWidget(c, 0, col);
        counters->addWidget(v, 1, col);
        return v;
    };
    pklblWinnings_ = addCounter(0, tr("Won"), "pklblWinnings", QStringLiteral("0"));
    pkLabelHands_ = addCounter(1, tr("Hands"), "pkLabelHands", QStringLiteral("0"));
    pkLabelTimer_ = addCounter(2, tr("Timer"), "pkLabelTimer", QStringLiteral("100"));
    pokerCounters_->setStyleSheet(QStringLiteral(
        "#pokerCounters { background: rgba(0,0,0,110); border-radius: 8px; } QLabel { color: white; }"));

    picAnimate_ = new CardSprite(surface_);
    picAnimate_->setObjectName("picAnimate");
    picAnimate_->hide();

    surface_->resize(640, 480);
}

PictureBox* frmMain::box(const QString& name) const { return surface_->findChild<PictureBox*>(name); }

QRect frmMain::stockRect() const { return picDeal_[0]->geometry(); }

// ---------------------------------------------------------------- backgrounds

bool frmMain::loadPicture(const QString& name)
{
    const QString path = dataPath(picsDir(), name);
    if (!filePresent(path))
        return false;
    // The picture already on the table (a new hand, the start-up) needs no second decode.
    const QDateTime stamp = QFileInfo(path).lastModified();
    if (path == thePicPath_ && stamp == thePicStamp_)
        return true;
    QImage img(path);
    if (img.isNull())
        return false;  // a file that is not a picture counts as missing
    thePic_ = img;
    thePicPath_ = path;
    thePicStamp_ = stamp;
    surface_->setBackground(thePic_);
    return true;
}

void frmMain::AutoSizeToPicture()
{
    guarded("AutoSizeToPicture", [this] {
        QSize table = fittedWindowSize(thePic_.isNull() ? QSize(640, 480) : thePic_.size(), prefs.isPoker);
        if (prefs.isPoker) {
            // A narrow picture would clip the pay table beside the cards: widen the
            // table by what the labels lack.
            const auto labelsWidth = [this](QSize t) {
                return computeLayout(layoutInputFor(*this, t)).picPokerLabels.width();
            };
            const int lacking = labelsWidth(QSize(1 << 14, table.height())) - labelsWidth(table);
            table.rwidth() += std::max(0, lacking);
        }
        surface_->setFixedSize(table);
        // The menu bar takes its strip whether or not the window is on the screen yet:
        // asking whether it is visible would leave it out before the first show.
        const QMenuBar* bar = menuBar();
        int menu = 0;
        if (!bar->isHidden() && !bar->isNativeMenuBar()) {
            menu = bar->heightForWidth(table.width());
            if (menu < 0)
                menu = bar->sizeHint().height();
        }
        setFixedSize(table.width(), table.height() + menu);
    });
}

void frmMain::hideAllBoxes()
{
    for (auto* s : shape1_)
        s->hide();
    for (auto* b : picDeal_)
        b->hide();
    for (auto* b : picPoker_)
        b->hide();
    for (auto* b : {picComputerHand_, picPlayerHand_, picComputerDraw_, picPlayerDraw_, picReject_})
        b->hide();
    picPokerLabels_->hide();
    pokerCounters_->hide();
}

void frmMain::LoadBackGroundPic(const QString& name)
{
    guarded("LoadBackGroundPic", [this, &name] {
        loadPicture(name);
        hideAllBoxes();
        AutoSizeToPicture();
        if (prefs.isPoker) {
            prefs.prfPKBackground = name.toStdString();
            poker.s.holdPhase = false;
            poker.initPokerScreen();
        } else {
            prefs.prfTolvaBackground = name.toStdString();
            resetGraphics();
        }
    });
}

// ---------------------------------------------------------------- layout

void frmMain::placeBoxes()
{
    const TableLayout l = computeLayout(layoutInputFor(*this, surface_->size()));
    cardStep_ = l.cardStep;
    playerHandTop_ = l.playerHandTop;
    rummy.s.geo = HandGeometry{cardStep_, cWidth, playerHandTop_};
    layoutHand(rummy.s.playerHand, cardStep_, cWidth, playerHandTop_);
    layoutHand(rummy.s.computerHand, cardStep_, cWidth, 0);

    auto place = [this](PictureBox* b, const QRect& r) {
        b->setGeometry(r);
        b->setSlice(surface_->slice(r));
        b->restore();
    };
    place(picComputerHand_, l.picComputerHand);
    place(picPlayerHand_, l.picPlayerHand);
    place(picComputerDraw_, l.picComputerDraw);
    place(picPlayerDraw_, l.picPlayerDraw);
    place(picReject_, l.picReject);
    for (auto* b : picDeal_)
        place(b, l.picDeal);
    for (int i = 0; i < 5; ++i) {
        place(picPoker_[i], l.picPoker[i]);
        shape1_[i]->placeAround(l.picPoker[i]);
    }
    lblBankPlayer_ = l.lblBankPlayer;
    lblBankComputer_ = l.lblBankComputer;

    picPokerLabels_->setGeometry(l.picPokerLabels);
    const int rowH = l.picPokerLabels.height() / 23;
    for (int i = 0; i < 21; ++i)
        pkLabel_[i]->setGeometry(0, l.picPokerLabels.height() - (21 - i) * rowH, l.picPokerLabels.width(), rowH);
    pokerCounters_->adjustSize();
    pokerCounters_->move(l.picPoker[0].left(), 24);
    picAnimate_->resize(cWidth, cHeight);
}

void frmMain::resetGraphics()
{
    guarded("resetGraphics", [this] {
        surface_->resetBoard();
        placeBoxes();
        if (prefs.isPoker) {
            for (int i = 0; i < 5; ++i)
                if (poker.s.cardsShown)
                    drawPokerCard(i, CardShow::Face);
            DrawDealDeck();
            return;
        }
        for (auto* b : {picComputerHand_, picPlayerHand_, picReject_})
            b->show();
        refreshHand(Side::Player);
        refreshHand(Side::Computer);
        drawDiscardPile();
        DrawDealDeck();
        showStock(rummy.s.pileImage);
        showDrawSpot(Side::Player, rummy.s.mustDiscard);
        if (shownWinner_)
            showWinner(*shownWinner_);
    });
}

// ---------------------------------------------------------------- card drawing

void frmMain::drawBack(QPainter& p, int x, int y, bool forPoker) const
{
    const bool custom = forPoker ? prefs.prfIsPKCustomCardBack : prefs.prfIsTolvaCustomCardBack;
    const QImage& picture = customBacks_[forPoker ? 1 : 0];
    if (custom && !picture.isNull()) {
        p.drawImage(QRect(x, y, cWidth, cHeight), picture);
        return;
    }
    cdtDraw(p, x, y, forPoker ? prefs.prfPKBackFace : prefs.prfTolvaBackFace, 1);
}

void frmMain::loadCustomBack(const QString& file) { loadCustomBackFor(file, prefs.isPoker); }

// Each game keeps its own picture, so choosing one for poker leaves rummy's back alone.
void frmMain::loadCustomBackFor(const QString& file, bool forPoker)
{
    const QString path = dataPath(backsDir(), file);
    if (!filePresent(path))
        return;
    const QImage img = dm::loadPicture(path);
    if (!img.isNull())
        customBacks_[forPoker ? 1 : 0] = cardShaped(img);
}

void frmMain::DrawDealDeck()
{
    guarded("DrawDealDeck", [this] {
        for (int i = 0; i < 4; ++i) {
            picDeal_[i]->restore();
            picDeal_[i]->paint([&](QPainter& p) {
                for (int k = 0; k < 4 - i; ++k)
                    drawBack(p, 2 * k, k, prefs.isPoker);
            });
            picDeal_[i]->refresh();
        }
        if (!prefs.isPoker && prefs.prfShowHide)
            drawComputerCards(false);
    });
}

void frmMain::refreshHand(Side which, int selected, bool skip)
{
    guarded("refreshHand", [&] {
        if (which == Side::Computer) {
            picComputerHand_->restore();
            picComputerHand_->paint([&](QPainter& p) {
                for (int i = 0; i < 9; ++i) {
                    if (i == selected && skip)
                        continue;
                    const auto& c = rummy.s.computerHand[i];
                    if (c.number < 0 || c.number > 51)
                        continue;
                    if (prefs.prfShowHide)
                        drawBack(p, handSlotLeft(i, cardStep_), 0, false);
                    else
                        cdtDraw(p, handSlotLeft(i, cardStep_), 0, c.number, 0);
                }
            });
            picComputerHand_->refresh();
            return;
        }
        raisedIndex_ = kNoCard;
        picPlayerHand_->restore();
        picPlayerHand_->paint([&](QPainter& p) {
            for (int i = 0; i < 9; ++i) {
                const auto& c = rummy.s.playerHand[i];
                if (i == selected) {
                    if (rummy.s.mustDiscard) {
                        cdtDraw(p, c.left, 0, c.number, 0);
                        raisedIndex_ = i;
                        continue;
                    }
                    if (skip)
                        continue;
                }
                cdtDraw(p, c.left, c.top, c.number, 0);
            }
        });
        picPlayerHand_->refresh();
        followTable();  // the raised card is the one the analysis shows
    });
}

void frmMain::drawComputerCards(bool faceUp)
{
    picComputerHand_->restore();
    picComputerHand_->paint([&](QPainter& p) {
        for (int i = 0; i < 9; ++i) {
            const int x = handSlotLeft(i, cardStep_);
            if (faceUp)
                cdtDraw(p, x, 0, rummy.s.computerHand[i].number, 0);
            else
                drawBack(p, x, 0, false);
        }
    });
    picComputerHand_->refresh();
}

void frmMain::drawPileInto(PictureBox* b, int shown)
{
    const auto& pile = rummy.s.discardPile;
    const int cards = static_cast<int>(pile.size()) - 1;
    b->restore();
    b->paint([&](QPainter& p) {
        const int n = std::min(shown, 3);
        for (int k = 0; k < n; ++k) {
            const QPoint o = pileOffset(k);
            cdtDraw(p, o.x(), o.y(), pile[cards - n + 1 + k].number, 0);
        }
    });
    b->refresh();
}

void frmMain::drawDiscardPile()
{
    drawPileInto(picReject_, static_cast<int>(rummy.s.discardPile.size()) - 1);
    picReject_->show();
}

void frmMain::showStock(int pileImage)
{
    for (int i = 0; i < 4; ++i)
        picDeal_[i]->setVisible(i == pileImage);
}

void frmMain::showDrawSpot(Side which, bool shown)
{
    PictureBox* b = which == Side::Player ? picPlayerDraw_ : picComputerDraw_;
    const auto& hand = which == Side::Player ? rummy.s.playerHand : rummy.s.computerHand;
    if (!shown) {
        b->hide();
        return;
    }
    b->restore();
    if (hand[9].number >= 0 && hand[9].number < 52)
        b->paint([&](QPainter& p) { cdtDraw(p, 0, 0, hand[9].number, 0); });
    b->refresh();
    b->show();
}

void frmMain::showDeal()
{
    shownWinner_.reset();
    surface_->resetBoard();
    for (auto* b : {picComputerHand_, picPlayerHand_, picReject_})
        b->show();
    picPlayerDraw_->hide();
    picComputerDraw_->hide();
    refreshHand(Side::Computer);
    refreshHand(Side::Player);
    DrawDealDeck();
    drawDiscardPile();
    if (!prefs.isPoker)
        showStock(0);
    access_->dealShown();
}

void frmMain::hideStartItem() { action("mnuStart")->setVisible(false); }

// ---------------------------------------------------------------- winner displays and banks

void frmMain::showWinner(Side winner)
{
    shownWinner_ = winner;
    surface_->resetBoard();
    for (auto* b : picDeal_)
        b->hide();
    picReject_->hide();
    const bool user = winner == Side::Player;
    (user ? picPlayerHand_ : picComputerHand_)->hide();
    (user ? picPlayerDraw_ : picComputerDraw_)->hide();
    const auto& hand = user ? rummy.s.playerHand : rummy.s.computerHand;
    double x = user ? picPlayerHand_->x() : picComputerHand_->x();
    double y = user ? picReject_->y() + 0.75 * cHeight : picComputerHand_->y() + playerHandTop_;
    surface_->paintOnBoard([&](QPainter& p) {
        int px = qRound(x);
        int py = qRound(y);
        for (int i = 0; i < 10; ++i) {
            cdtDraw(p, px, py, hand[i].number, 0);
            px += 20;
            py += user ? kArch[i] : kSag[i];
        }
    });
    // The loser's cards, highlighted.
    PictureBox* loser = user ? picComputerHand_ : picPlayerHand_;
    const auto& lost = user ? rummy.s.computerHand : rummy.s.playerHand;
    loser->restore();
    loser->paint([&](QPainter& p) {
        for (int i = 0; i < 9; ++i)
            cdtDraw(p, handSlotLeft(i, cardStep_), user ? 0 : playerHandTop_, lost[i].number, 2);
    });
    loser->refresh();
    loser->show();
}

void frmMain::paintBanksOn(QPainter& p)
{
    COutlineText text;
    text.setPenColor(QColor(0, 0, 0));
    text.setBrushColor(QColor(200, 200, 200));
    text.setPenWidth(1);
    QFont f = p.font();
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    text.DrawText(p, QString::number(prefs.prfComputerBank), lblBankComputer_.left(), lblBankComputer_.top());
    text.DrawText(p, QString::number(prefs.prfPlayerBank), lblBankPlayer_.left(), lblBankPlayer_.top());
}

void frmMain::drawBanks()
{
    // Painting a new amount over an old one would blur both: clear the places first.
    surface_->paintOnBoard([this](QPainter& p) {
        const QImage bg = surface_->background();
        for (const QRect& r : {lblBankComputer_.adjusted(-4, -4, 60, 8), lblBankPlayer_.adjusted(-4, -4, 60, 8)}) {
            p.fillRect(r, TableSurface::tableGreen());
            p.drawImage(r.topLeft(), bg, r);
        }
        paintBanksOn(p);
    });
}

void frmMain::applyOutlineColour()
{
    const QRgb bgr = static_cast<QRgb>(prefs.prfCardOutlineColor);
    const QColor c(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    for (auto* s : shape1_)
        s->setColour(c);
}

}  // namespace dm
