#include "app/frmpreferences.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "app/frmmain.h"
#include "cards/card.h"
#include "store/prefs.h"
#include "table/animation.h"
#include "table/cardfaces.h"
#include "table/files.h"

namespace dm {

namespace {

constexpr int kDesigns = kLastBack - kFirstBack + 1;
static_assert(kFirstBack == kFirstBackDesign && kLastBack == kLastBackDesign, "the stored designs are the library's");
constexpr int kPreviewMargin = 15;  // the preview box is the card plus 30 pixels each way
const QColor kFelt(0x1f, 0x5e, 0x3a);

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

// The back settings of the game on the table.
struct BackPrefs {
    int32_t& design;
    bool& custom;
    std::string& file;
};

BackPrefs currentBack(Prefs& p)
{
    if (p.isPoker)
        return {p.prfPKBackFace, p.prfIsPKCustomCardBack, p.prfPKCustomBackFace};
    return {p.prfTolvaBackFace, p.prfIsTolvaCustomCardBack, p.prfTolvaCustomBackFace};
}

}  // namespace

QColor colourFromBgr(int32_t bgr)
{
    const auto v = static_cast<uint32_t>(bgr);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int32_t bgrFromColour(const QColor& c)
{
    return static_cast<int32_t>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

frmPreferences::frmPreferences(frmMain& main, QWidget* parent)
    : QDialog(parent ? parent : &main), main_(main)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(QStringLiteral("Preferences"));

    chooseColour = [this](const QColor& initial) {
        return QColorDialog::getColor(initial, this, QStringLiteral("Hold Card Outline Color"));
    };
    showMessage = [this](const QString& text) {
        if (main_.context().dialogs.message) {
            main_.context().dialogs.message(text, main_.windowTitle());
            return;
        }
        QMessageBox box(QMessageBox::NoIcon, main_.windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->addTab(generalPage(), QStringLiteral("General"));
    SSTab1->addTab(pokerPage(), QStringLiteral("Video Poker"));
    SSTab1->addTab(backsPage(), QStringLiteral("Card Backs"));

    cmdSave = named(new QPushButton(QStringLiteral("Save"), this), "cmdSave");
    cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdSave->setDefault(true);
    connect(cmdSave, &QPushButton::clicked, this, &frmPreferences::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPreferences::cmdCancel_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* frmPreferences::generalPage()
{
    auto* page = named(new QWidget, "tabGeneral");

    auto* table = new QGroupBox(QStringLiteral("Table"), page);
    auto* checks = new QVBoxLayout(table);
    ckAutoSort = named(new QCheckBox(QStringLiteral("Auto sort by rank"), table), "ckAutoSort");
    ckTolvaScores = named(new QCheckBox(QStringLiteral("Show Tolva-Rummy Scores"), table), "ckTolvaScores");
    ckSounds = named(new QCheckBox(QStringLiteral("Enable sounds"), table), "ckSounds");
    ckAnimation = named(new QCheckBox(QStringLiteral("Enable animation"), table), "ckAnimation");
    for (auto* c : {ckAutoSort, ckTolvaScores, ckSounds, ckAnimation})
        checks->addWidget(c);

    txtSpacer = named(new QLineEdit(table), "txtSpacer");
    txtSpacer->setFixedWidth(56);
    txtSpacer->setAlignment(Qt::AlignRight);
    txtSpacer->installEventFilter(this);
    // A paste by mouse changes the text without a key press; it counts as one.
    connect(txtSpacer, &QLineEdit::textEdited, this, [this] { txtSpacer_KeyPress(); });
    auto* spacerLabel = named(new QLabel(QStringLiteral("Card Spacers (pixels)"), table), "Label1");
    spacerLabel->setBuddy(txtSpacer);
    auto* spacerRow = new QHBoxLayout;
    spacerRow->addWidget(spacerLabel);
    spacerRow->addWidget(txtSpacer);
    spacerRow->addStretch(1);
    checks->addSpacing(6);
    checks->addLayout(spacerRow);

    auto* speed = named(new QGroupBox(QStringLiteral("Animation Delay"), page), "Label2");
    auto* speedGrid = new QGridLayout(speed);
    HScroll1 = named(new QScrollBar(Qt::Horizontal, speed), "HScroll1");
    HScroll1->setRange(0, 1000);
    HScroll1->setSingleStep(10);
    HScroll1->setPageStep(100);
    HScroll1->setAccessibleName(QStringLiteral("Animation Delay"));
    HScroll1->setAccessibleDescription(QStringLiteral("Slower to the left, faster to the right"));
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    Label4 = named(new QLabel(QStringLiteral("100"), speed), "Label4");
    Label4->setMinimumWidth(48);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setToolTip(QStringLiteral("Current delay between animation frames"));
    auto* ends = named(new QLabel(QStringLiteral("Slower                      Faster"), speed), "Label3");
    // The slider spans exactly its two end words.
    HScroll1->setFixedWidth(ends->sizeHint().width());
    speedGrid->addWidget(HScroll1, 0, 0);
    speedGrid->addWidget(Label4, 0, 1);
    speedGrid->addWidget(ends, 1, 0);
    speedGrid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(table);
    layout->addWidget(speed);
    layout->addStretch(1);
    return page;
}

QWidget* frmPreferences::pokerPage()
{
    auto* page = named(new QWidget, "tabPoker");

    auto* deal = new QGroupBox(QStringLiteral("Dealing"), page);
    auto* dealBox = new QVBoxLayout(deal);
    ckprfAutoDeal = named(new QCheckBox(QStringLiteral("Auto Deal"), deal), "ckprfAutoDeal");
    dealBox->addWidget(ckprfAutoDeal);

    auto* advice = new QGroupBox(QStringLiteral("Strategy adviser"), page);
    auto* adviceBox = new QVBoxLayout(advice);
    opAlwaysShow = named(new QRadioButton(QStringLiteral("Always Show Best Play"), advice), "opAlwaysShow");
    opShowOnError =
        named(new QRadioButton(QStringLiteral("Show Best Play after Error"), advice), "opShowOnError");
    adviceBox->addWidget(opAlwaysShow);
    adviceBox->addWidget(opShowOnError);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(deal);
    layout->addWidget(advice);
    layout->addStretch(1);
    return page;
}

QWidget* frmPreferences::backsPage()
{
    auto* page = named(new QWidget, "tabBacks");

    auto* image = new QGroupBox(QStringLiteral("Card back"), page);
    auto* imageBox = new QVBoxLayout(image);
    Combo1 = named(new QComboBox(image), "Combo1");
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    auto* comboLabel = named(new QLabel(QStringLiteral("Select Card Image"), image), "Label5");
    comboLabel->setBuddy(Combo1);
    picBacks = named(new QLabel(image), "picBacks");
    picBacks->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picBacks->setAccessibleName(QStringLiteral("Card back preview"));
    imageBox->addWidget(comboLabel);
    imageBox->addWidget(Combo1);
    imageBox->addWidget(picBacks);
    imageBox->addStretch(1);

    auto* outline = named(new QGroupBox(QStringLiteral("Video Poker"), page), "Label6");
    auto* outlineBox = new QVBoxLayout(outline);
    auto* outlineLabel = named(new QLabel(QStringLiteral("Hold  Card Outline color"), outline), "Label7");
    lblColor = named(new QLabel(outline), "lblColor");
    lblColor->setFixedSize(64, 28);
    lblColor->setAccessibleName(QStringLiteral("Hold card outline color"));
    cmdChangeColor = named(new QPushButton(QStringLiteral("change"), outline), "cmdChangeColor");
    connect(cmdChangeColor, &QPushButton::clicked, this, &frmPreferences::cmdChangeColor_Click);
    cmdChangeColor->setAccessibleName(QStringLiteral("Change the hold card outline color"));
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(lblColor);
    colourRow->addWidget(cmdChangeColor);
    colourRow->addStretch(1);
    outlineBox->addWidget(outlineLabel);
    outlineBox->addLayout(colourRow);
    outlineBox->addStretch(1);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(image);
    layout->addWidget(outline, 1);
    return page;
}

void frmPreferences::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Filled once: a message box closing over the dialog must not undo unsaved edits.
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

bool frmPreferences::eventFilter(QObject* watched, QEvent* e)
{
    // Character keys only, like the keys that reach a text box's key-press handler.
    if (watched == txtSpacer && e->type() == QEvent::KeyPress &&
        !static_cast<QKeyEvent*>(e)->text().isEmpty())
        txtSpacer_KeyPress();
    return QDialog::eventFilter(watched, e);
}

void frmPreferences::guarded(const char* name, const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        showMessage(QString::fromStdString(errorText(name, e.what())));
    } catch (...) {
        showMessage(QString::fromStdString(errorText(name, "unexpected failure")));
    }
}

void frmPreferences::Form_Activate()
{
    guarded("Form_Activate", [this] {
        const Prefs& p = main_.prefs;
        picBacks->setFixedSize(main_.cWidth + 2 * kPreviewMargin, main_.cHeight + 2 * kPreviewMargin);
        Combo1->setFixedWidth(picBacks->width());

        {
            // Showing the stored position is not a move of the slider.
            const QSignalBlocker block(HScroll1);
            HScroll1->setValue(p.prfScrollVal);
        }
        if (p.prfAnimationDelay >= 0)
            Label4->setNum(static_cast<int>(p.prfAnimationDelay));

        ckAutoSort->setChecked(p.prfTolvaAutoSort);
        ckTolvaScores->setChecked(p.prfTolvaScores);
        ckSounds->setChecked(p.prfSound);
        ckAnimation->setChecked(p.prfAnimation);
        ckprfAutoDeal->setChecked(p.prfPokerAutoDeal);
        (p.prfShowPokerPlay ? opAlwaysShow : opShowOnError)->setChecked(true);
        showColour(colourFromBgr(p.prfCardOutlineColor));
        txtSpacer->setText(QString::number(p.prfCardSpace));

        const BackPrefs back = currentBack(main_.prefs);
        {
            const QSignalBlocker block(Combo1);
            Combo1->clear();
            for (int d = kFirstBack; d <= kLastBack; ++d)
                Combo1->addItem(QString::fromLatin1(backDesignName(d)));
            Combo1->addItems(listFolder(main_.backsDir()));
            int selected = -1;
            if (back.custom)
                selected = Combo1->findText(QString::fromStdString(back.file), Qt::MatchExactly);
            else if (back.design >= kFirstBack && back.design <= kLastBack)
                selected = back.design - kFirstBack;
            Combo1->setCurrentIndex(selected);
        }
        // Long file names may be wider than the box; the open list shows them whole.
        Combo1->view()->setMinimumWidth(Combo1->view()->sizeHintForColumn(0) + 24);
        Combo1_Click();
    });
}

void frmPreferences::Combo1_Click()
{
    guarded("Combo1_Click", [this] {
        const int p = Combo1->currentIndex();
        if (p < 0)
            return;
        QImage file;
        if (p >= kDesigns) {
            const QString path = dataPath(main_.backsDir(), Combo1->itemText(p));
            if (!filePresent(path))
                return;  // a missing back keeps the preview as it was
            file = cardShaped(loadPicture(path));
            if (file.isNull())
                return;
        }
        // At the screen's pixel ratio, as the table's cards are, so it is as sharp as they are.
        const qreal dpr = picBacks->devicePixelRatioF();
        QPixmap preview(static_cast<int>(std::ceil(picBacks->width() * dpr)),
                        static_cast<int>(std::ceil(picBacks->height() * dpr)));
        preview.setDevicePixelRatio(dpr);
        preview.fill(kFelt);
        QPainter painter(&preview);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (p < kDesigns)
            cdtDraw(painter, kPreviewMargin, kPreviewMargin, kFirstBack + p, 1);
        else  // shown at card size, as the table shows it
            painter.drawImage(QRect(kPreviewMargin, kPreviewMargin, main_.cWidth, main_.cHeight), file);
        painter.end();
        picBacks->setPixmap(preview);
    });
}

void frmPreferences::HScroll1_Change()
{
    main_.prefs.prfAnimationDelay = delayForScrollVal(HScroll1->value());
    Label4->setNum(static_cast<int>(main_.prefs.prfAnimationDelay));
}

void frmPreferences::txtSpacer_KeyPress() { main_.spaceChanged = true; }

void frmPreferences::cmdChangeColor_Click()
{
    guarded("cmdChangeColor_Click", [this] {
        const QColor chosen = chooseColour(colourFromBgr(main_.prefs.prfCardOutlineColor));
        if (!chosen.isValid())
            return;
        showColour(chosen);
        main_.prefs.prfCardOutlineColor = bgrFromColour(chosen);
        main_.applyOutlineColour();
    });
}

void frmPreferences::showColour(QColor c)
{
    lblColor->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid palette(mid); border-radius: 3px;")
                                .arg(c.name()));
    lblColor->setToolTip(c.name());
    lblColor->setAccessibleDescription(c.name());
}

void frmPreferences::cmdSave_Click()
{
    guarded("cmdSave_Click", [this] {
        if (!spacingAccepted())
            return;
        Prefs& p = main_.prefs;
        p.prfPokerAutoDeal = ckprfAutoDeal->isChecked();
        p.prfShowPokerPlay = opAlwaysShow->isChecked();
        p.prfTolvaScores = ckTolvaScores->isChecked();
        p.prfAnimation = ckAnimation->isChecked();
        p.prfSound = ckSounds->isChecked();
        p.prfTolvaAutoSort = ckAutoSort->isChecked();
        applyBack();
        p.prfScrollVal = static_cast<int16_t>(HScroll1->value());
        // Kept at once: a logout or a crash later in the run must not lose them.
        main_.savePreferences();
        accept();
    });
}

bool frmPreferences::spacingAccepted()
{
    const auto n = storedNumber(txtSpacer->text().toStdString());
    if (!n)
        return true;  // text that is not a number is left alone
    if (*n >= kMinCardSpace && *n <= kMaxCardSpace) {
        main_.prefs.prfCardSpace = static_cast<int16_t>(*n);
        return true;
    }
    showMessage(QStringLiteral("Card space data should be a number between 10 and 40"));
    txtSpacer->clear();
    txtSpacer->setFocus();
    return false;
}

void frmPreferences::applyBack()
{
    const int p = Combo1->currentIndex();
    if (p < 0)
        return;
    const BackPrefs back = currentBack(main_.prefs);
    if (p < kDesigns) {
        // A design chosen while a picture of the user's is in use replaces it, even when
        // the design number left behind happens to be the one chosen.
        if (kFirstBack + p != back.design || back.custom) {
            back.design = kFirstBack + p;
            back.custom = false;
            back.file.clear();
            main_.DrawDealDeck();
        }
        return;
    }
    const QString name = Combo1->itemText(p);
    back.file = name.toStdString();
    back.custom = true;
    // Both games share one custom box: load the file even when it was already chosen.
    if (filePresent(dataPath(main_.backsDir(), name)))
        main_.loadCustomBack(name);
    main_.DrawDealDeck();
}

void frmPreferences::cmdCancel_Click() { reject(); }

}  // namespace dm
