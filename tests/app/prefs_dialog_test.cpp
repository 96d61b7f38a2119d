// The preferences dialog driven through its controls, against a real main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
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

TEST_F(PrefsDialogTest, ShowingFillsEveryControlFromThePreferences)
{
    Prefs& p = w->prefs;
    p.prfTolvaAutoSort = true;
    p.prfTolvaScores = false;
    p.prfSound = false;
    p.prfAnimation = true;
    p.prfPokerAutoDeal = true;
    p.prfShowPokerPlay = true;
    p.prfCardSpace = 22;
    p.prfCardOutlineColor = 0x00332211;
    p.prfTolvaBackFace = 57;

    auto& d = open();
    EXPECT_EQ(d.windowTitle(), "Preferences");
    EXPECT_TRUE(d.ckAutoSort->isChecked());
    EXPECT_FALSE(d.ckTolvaScores->isChecked());
    EXPECT_FALSE(d.ckSounds->isChecked());
    EXPECT_TRUE(d.ckAnimation->isChecked());
    EXPECT_TRUE(d.ckprfAutoDeal->isChecked());
    EXPECT_TRUE(d.opAlwaysShow->isChecked());
    EXPECT_FALSE(d.opShowOnError->isChecked());
    EXPECT_EQ(d.txtSpacer->text(), "22");
    EXPECT_EQ(d.HScroll1->value(), 880);
    EXPECT_EQ(d.Label4->text(), "120");
    EXPECT_TRUE(d.lblColor->styleSheet().contains("#112233"));
    // Showing the stored slider position is no change of speed.
    EXPECT_EQ(p.prfAnimationDelay, 120);

    ASSERT_EQ(d.Combo1->count(), 16);
    EXPECT_EQ(d.Combo1->itemText(0), "Hatch");
    EXPECT_EQ(d.Combo1->itemText(12), "Sleeve");
    EXPECT_EQ(d.Combo1->itemText(13), "blue.png");
    EXPECT_EQ(d.Combo1->itemText(15), "red.png");
    EXPECT_EQ(d.Combo1->currentText(), "Roses");
    EXPECT_EQ(d.picBacks->size(), QSize(w->cWidth + 30, w->cHeight + 30));
    EXPECT_FALSE(d.picBacks->pixmap().isNull());

    // A second showing neither duplicates the list nor undoes edits.
    d.ckSounds->setChecked(true);
    d.hide();
    d.show();
    EXPECT_EQ(d.Combo1->count(), 16);
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

TEST_F(PrefsDialogTest, SpacingOutsideTenToFortyIsRefusedAndNothingIsSaved)
{
    for (const char* text : {"9", "41", "-5", "99999999999"}) {
        messages.clear();
        w->prefs.prfCardSpace = 16;
        w->prefs.prfSound = true;
        auto& d = open();
        d.ckSounds->setChecked(false);
        d.txtSpacer->setText(text);
        d.cmdSave->click();
        ASSERT_EQ(messages.size(), 1u) << text;
        EXPECT_EQ(messages[0], "Card space data should be a number between 10 and 40");
        EXPECT_TRUE(d.isVisible()) << text;
        EXPECT_TRUE(d.txtSpacer->text().isEmpty());
        EXPECT_EQ(w->prefs.prfCardSpace, 16);
        EXPECT_TRUE(w->prefs.prfSound) << "later steps must not run";
    }
}

TEST_F(PrefsDialogTest, SpacingAtTheLimitsIsSaved)
{
    for (const auto& [text, want] : {std::pair{"10", 10}, {"40", 40}, {" 25 ", 25}}) {
        auto& d = open();
        d.txtSpacer->setText(text);
        d.cmdSave->click();
        EXPECT_TRUE(messages.empty()) << text;
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(w->prefs.prfCardSpace, want);
    }
}

TEST_F(PrefsDialogTest, SpacingThatIsNoNumberIsIgnoredAndTheRestSaved)
{
    w->prefs.prfCardSpace = 16;
    auto& d = open();
    d.txtSpacer->setText("abc");
    d.ckSounds->setChecked(false);
    d.ckAutoSort->setChecked(true);
    d.ckTolvaScores->setChecked(false);
    d.ckAnimation->setChecked(false);
    d.ckprfAutoDeal->setChecked(true);
    d.opAlwaysShow->setChecked(true);
    d.HScroll1->setValue(300);
    d.cmdSave->click();

    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(d.isVisible());
    const Prefs& p = w->prefs;
    EXPECT_EQ(p.prfCardSpace, 16);
    EXPECT_FALSE(p.prfSound);
    EXPECT_TRUE(p.prfTolvaAutoSort);
    EXPECT_FALSE(p.prfTolvaScores);
    EXPECT_FALSE(p.prfAnimation);
    EXPECT_TRUE(p.prfPokerAutoDeal);
    EXPECT_TRUE(p.prfShowPokerPlay);
    EXPECT_EQ(p.prfScrollVal, 300);
}

TEST_F(PrefsDialogTest, CancelKeepsEverythingButSpeedAndColour)
{
    w->prefs.prfSound = true;
    w->prefs.prfCardOutlineColor = 65280;
    auto& d = open();
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

TEST_F(PrefsDialogTest, CancelledColourChooserChangesNothing)
{
    w->prefs.prfCardOutlineColor = 0x0000FF;
    auto& d = open();
    d.chooseColour = [](const QColor&) { return QColor(); };
    d.cmdChangeColor->click();
    EXPECT_EQ(w->prefs.prfCardOutlineColor, 0x0000FF);
    EXPECT_TRUE(d.lblColor->styleSheet().contains("#ff0000"));
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
        EXPECT_EQ(backPixel(poker), kRedBack) << "the chosen picture is loaded for the table";
    }
}

TEST_F(PrefsDialogTest, ChoosingTheDesignAlreadySetKeepsTheCustomName)
{
    w->prefs.prfTolvaBackFace = 54;
    w->prefs.prfTolvaCustomBackFace = "blue.png";
    auto& d = open();
    choose("Plaid");
    d.cmdSave->click();
    EXPECT_FALSE(w->prefs.prfIsTolvaCustomCardBack);
    EXPECT_EQ(w->prefs.prfTolvaCustomBackFace, "blue.png");
}

TEST_F(PrefsDialogTest, ChoosingADesignReplacesACustomBackInUse)
{
    w->prefs.prfTolvaBackFace = 54;
    w->prefs.prfIsTolvaCustomCardBack = true;
    w->prefs.prfTolvaCustomBackFace = "blue.png";
    auto& d = open();
    choose("Plaid");
    d.cmdSave->click();
    EXPECT_FALSE(w->prefs.prfIsTolvaCustomCardBack);
    EXPECT_TRUE(w->prefs.prfTolvaCustomBackFace.empty());
    EXPECT_EQ(w->prefs.prfTolvaBackFace, 54);
}

TEST_F(PrefsDialogTest, ChoosingTheRememberedFileSwitchesTheCustomBackOn)
{
    w->prefs.prfTolvaCustomBackFace = "red.png";  // remembered, but not in use
    auto& d = open();
    choose("red.png");
    d.cmdSave->click();
    EXPECT_TRUE(w->prefs.prfIsTolvaCustomCardBack);
    EXPECT_EQ(backPixel(false), kRedBack);
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
