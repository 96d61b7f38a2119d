// The preferences dialog driven through its controls, against a real main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <map>
#include <stdexcept>

#include "app/frmmain.h"
#include "app/frmpreferences.h"
#include "cards/random.h"
#include "table/animation.h"

namespace dm {
namespace {

class FakeStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& key) override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    void write(const std::string& key, const std::string& value) override { values[key] = value; }
    std::map<std::string, std::string> values;
};

const QColor kRedBack(200, 0, 0);

class PrefsDialogTest : public ::testing::Test {
protected:
    PrefsDialogTest()
    {
        QDir(dir.path()).mkpath(QStringLiteral("pics/backs"));
        writeBack(QStringLiteral("red.png"), kRedBack);
        writeBack(QStringLiteral("blue.png"), Qt::blue);
        QFile(dir.path() + "/pics/backs/empty.png").open(QIODevice::WriteOnly);
        ctx.programDir = dir.path();
        ctx.store = &store;
        ctx.rng = &rng;
        ctx.timeScale = 0;
        w = std::make_unique<frmMain>(ctx);
        w->prefs.prfAnimationDelay = 120;
        w->prefs.prfScrollVal = 880;
    }

    void writeBack(const QString& name, const QColor& c)
    {
        QImage img(30, 40, QImage::Format_RGB32);
        img.fill(c);
        ASSERT_TRUE(img.save(dir.path() + "/pics/backs/" + name));
    }

    // Opens the dialog as the user would see it, with its boxes answered by the test.
    frmPreferences& open()
    {
        dlg = std::make_unique<frmPreferences>(*w);
        dlg->showMessage = [this](const QString& text) { messages.push_back(text); };
        dlg->show();
        return *dlg;
    }

    void choose(const QString& entry)
    {
        const int i = dlg->Combo1->findText(entry);
        ASSERT_GE(i, 0) << entry.toStdString();
        dlg->Combo1->setCurrentIndex(i);
    }

    QColor backPixel(bool poker) const
    {
        QImage img(w->cWidth, w->cHeight, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        w->drawBack(p, 0, 0, poker);
        p.end();
        return img.pixelColor(w->cWidth / 2, w->cHeight / 2);
    }

    QTemporaryDir dir;
    SeededRng rng{1};
    FakeStore store;
    AppContext ctx;
    std::unique_ptr<frmMain> w;
    std::unique_ptr<frmPreferences> dlg;
    std::vector<QString> messages;
};

TEST_F(PrefsDialogTest, ShowingFillsTheControlsOnceFromThePreferences)
{
    Prefs& p = w->prefs;
    p.prfTolvaAutoSort = true;
    p.prfSound = false;
    p.prfShowPokerPlay = true;
    p.prfCardSpace = 22;
    p.prfCardOutlineColor = 0x00332211;
    p.prfTolvaBackFace = 57;

    auto& d = open();
    EXPECT_TRUE(d.ckAutoSort->isChecked());
    EXPECT_FALSE(d.ckSounds->isChecked());
    EXPECT_TRUE(d.opAlwaysShow->isChecked());
    EXPECT_EQ(d.txtSpacer->text(), "22");
    EXPECT_EQ(d.HScroll1->value(), 880);
    EXPECT_EQ(d.Label4->text(), "120");
    EXPECT_EQ(p.prfAnimationDelay, 120) << "showing the stored position is no change of speed";
    EXPECT_TRUE(d.lblColor->styleSheet().contains("#112233"));

    const QStringList backs = {"Hatch", "Plaid", "Weave", "Robot", "Roses", "IvyBlack", "IvyBlue", "FishCyan",
                               "FishBlue", "Shell", "Castle", "Beach", "Sleeve", "blue.png", "empty.png", "red.png"};
    QStringList listed;
    for (int i = 0; i < d.Combo1->count(); ++i)
        listed << d.Combo1->itemText(i);
    EXPECT_EQ(listed, backs);
    EXPECT_EQ(d.Combo1->currentText(), "Roses");
    EXPECT_EQ(d.picBacks->size(), QSize(w->cWidth + 30, w->cHeight + 30));

    // Showing again (as after a message box) neither lists the backs twice nor undoes edits.
    d.ckSounds->setChecked(true);
    d.hide();
    d.show();
    EXPECT_EQ(d.Combo1->count(), backs.size());
    EXPECT_TRUE(d.ckSounds->isChecked());
}

TEST_F(PrefsDialogTest, ShowingSelectsTheCustomBackOfTheGameOnTheTable)
{
    w->prefs.isPoker = true;
    w->prefs.prfIsPKCustomCardBack = true;
    w->prefs.prfPKCustomBackFace = "red.png";
    auto& d = open();
    EXPECT_EQ(d.Combo1->currentText(), "red.png");
    const QImage preview = d.picBacks->pixmap().toImage();
    EXPECT_EQ(preview.pixelColor(preview.width() / 2, preview.height() / 2), kRedBack);

    // An empty file is no picture: the preview keeps the red back.
    choose("empty.png");
    EXPECT_EQ(d.picBacks->pixmap().toImage(), preview);
}

TEST_F(PrefsDialogTest, SpacingIsTenToFortyAndOtherNumbersKeepTheDialogOpen)
{
    const struct {
        const char* text;
        bool refused;
        int16_t space;
    } cases[] = {{"9", true, 16}, {"41", true, 16}, {"99999999999", true, 16}, {"10", false, 10},
                 {"40", false, 40}, {" 25 ", false, 25}, {"abc", false, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        messages.clear();
        w->prefs = Prefs{};
        w->prefs.prfScrollVal = 880;
        auto& d = open();
        d.ckSounds->setChecked(false);
        d.ckTolvaScores->setChecked(false);
        d.opAlwaysShow->setChecked(true);
        d.HScroll1->setValue(300);
        d.txtSpacer->setText(c.text);
        d.cmdSave->click();
        EXPECT_EQ(w->prefs.prfCardSpace, c.space);
        EXPECT_EQ(d.isVisible(), c.refused);
        // A refusal stops the save before anything else is applied.
        EXPECT_EQ(w->prefs.prfSound, c.refused);
        EXPECT_EQ(w->prefs.prfTolvaScores, c.refused);
        EXPECT_EQ(w->prefs.prfShowPokerPlay, !c.refused);
        EXPECT_EQ(w->prefs.prfScrollVal, c.refused ? 880 : 300);
        if (c.refused) {
            EXPECT_EQ(messages, std::vector<QString>{"Card space data should be a number between 10 and 40"});
            EXPECT_TRUE(d.txtSpacer->text().isEmpty());
        } else {
            EXPECT_TRUE(messages.empty());
        }
    }
}

TEST_F(PrefsDialogTest, CancelKeepsEverythingButSpeedAndColour)
{
    w->prefs.prfSound = true;
    w->prefs.prfCardOutlineColor = 65280;
    auto& d = open();
    d.chooseColour = [](const QColor&) { return QColor(); };  // cancelled: no change
    d.cmdChangeColor->click();
    EXPECT_EQ(w->prefs.prfCardOutlineColor, 65280);
    d.chooseColour = [](const QColor& initial) {
        EXPECT_EQ(initial, QColor(0, 255, 0));
        return QColor(10, 20, 30);
    };
    d.HScroll1->setValue(250);
    EXPECT_EQ(d.Label4->text(), QString::number(delayForScrollVal(250)));
    d.cmdChangeColor->click();
    d.ckSounds->setChecked(false);
    d.cmdCancel->click();

    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(w->prefs.prfAnimationDelay, 750 + 2500);
    EXPECT_EQ(w->prefs.prfScrollVal, 880) << "the slider position is only kept by Save";
    EXPECT_EQ(w->prefs.prfCardOutlineColor, 10 | (20 << 8) | (30 << 16));
    EXPECT_TRUE(d.lblColor->styleSheet().contains("#0a141e"));
    EXPECT_TRUE(w->prefs.prfSound);
}

TEST_F(PrefsDialogTest, KeysInTheSpacingBoxMarkItChanged)
{
    auto& d = open();
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(d.txtSpacer, &shift);
    EXPECT_FALSE(w->spaceChanged) << "a key without a character is no key press";
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    QApplication::sendEvent(d.txtSpacer, &digit);
    EXPECT_TRUE(w->spaceChanged);
}

TEST_F(PrefsDialogTest, BackChoiceAppliesToTheGameOnTheTableOnly)
{
    for (const bool poker : {false, true}) {
        w->prefs = Prefs{};
        w->prefs.isPoker = poker;
        auto& d = open();
        choose("Weave");
        d.cmdSave->click();
        EXPECT_EQ(poker ? w->prefs.prfPKBackFace : w->prefs.prfTolvaBackFace, 55);
        EXPECT_EQ(poker ? w->prefs.prfTolvaBackFace : w->prefs.prfPKBackFace, poker ? 54 : 65);

        open();
        choose("red.png");
        dlg->cmdSave->click();
        EXPECT_TRUE(poker ? w->prefs.prfIsPKCustomCardBack : w->prefs.prfIsTolvaCustomCardBack);
        EXPECT_EQ(poker ? w->prefs.prfPKCustomBackFace : w->prefs.prfTolvaCustomBackFace, "red.png");
        EXPECT_FALSE(poker ? w->prefs.prfIsTolvaCustomCardBack : w->prefs.prfIsPKCustomCardBack);
        EXPECT_EQ(backPixel(poker), kRedBack) << "the picture is loaded for the table";
    }
}

TEST_F(PrefsDialogTest, CustomFlagFollowsTheChoice)
{
    // The design already set, no picture in use: the remembered picture name stays.
    w->prefs.prfTolvaCustomBackFace = "red.png";
    open();
    choose("Plaid");
    dlg->cmdSave->click();
    EXPECT_FALSE(w->prefs.prfIsTolvaCustomCardBack);
    EXPECT_EQ(w->prefs.prfTolvaCustomBackFace, "red.png");

    // The remembered name chosen again switches the picture on.
    open();
    choose("red.png");
    dlg->cmdSave->click();
    EXPECT_TRUE(w->prefs.prfIsTolvaCustomCardBack);
    EXPECT_EQ(backPixel(false), kRedBack);

    // With the picture in use, the design already set replaces it.
    open();
    choose("Plaid");
    dlg->cmdSave->click();
    EXPECT_FALSE(w->prefs.prfIsTolvaCustomCardBack);
    EXPECT_TRUE(w->prefs.prfTolvaCustomBackFace.empty());
    EXPECT_EQ(w->prefs.prfTolvaBackFace, 54);
}

TEST_F(PrefsDialogTest, FailuresAreReportedInTheProgramsFormat)
{
    auto& d = open();
    d.chooseColour = [](const QColor&) -> QColor { throw std::runtime_error("no chooser"); };
    d.cmdChangeColor->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error  in  cmdChangeColor_Click (  no chooser  )");
    EXPECT_TRUE(d.isVisible());
}

}  // namespace
}  // namespace dm
