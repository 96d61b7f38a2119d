// The preferences dialog driven through its controls, against a real main window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/frmpreferences.h"
#include "app_fixture.h"

namespace dm::testing {
namespace {

const QColor kRedBack(200, 0, 0);

class PrefsDialogTest : public AppWindowTest {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        withData = false;
        picture("pics/backs/red.png", kRedBack, {30, 40});
        put("pics/backs/empty.png", {});
        build();
        w->prefs.prfAnimationDelay = 120;
        w->prefs.prfScrollVal = 880;
    }
    void TearDown() override
    {
        dlg.reset();  // before the window it belongs to
        AppWindowTest::TearDown();
    }

    // Opens the dialog as the user would see it, with its boxes answered by the test.
    frmPreferences& open()
    {
        dlg = std::make_unique<frmPreferences>(*w);
        dlg->showMessage = [this](const QString& text) { shown.push_back(text); };
        dlg->show();
        return *dlg;
    }
    void choose(const QString& entry)
    {
        ASSERT_GE(dlg->Combo1->findText(entry), 0) << entry.toStdString();
        dlg->Combo1->setCurrentIndex(dlg->Combo1->findText(entry));
    }
    void saveWith(const QString& entry) { open(), choose(entry), dlg->cmdSave->click(); }
    QColor backPixel(bool poker) const { return backImage(poker).pixelColor(w->cWidth / 2, w->cHeight / 2); }

    std::unique_ptr<frmPreferences> dlg;
    std::vector<QString> shown;
};

TEST_F(PrefsDialogTest, SpacingIsTenToFortyAndOtherNumbersKeepTheDialogOpen)
{
    const struct {
        const char* text;
        bool refused;
        int16_t space;
    } cases[] = {{"9", true, 16}, {"99999999999", true, 16}, {"40", false, 40}, {"abc", false, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        shown.clear();
        w->prefs = Prefs{};
        auto& d = open();
        d.ckSounds->setChecked(false);
        d.txtSpacer->setText(c.text);
        d.cmdSave->click();
        EXPECT_EQ(w->prefs.prfCardSpace, c.space);
        EXPECT_EQ(d.isVisible(), c.refused);
        EXPECT_EQ(w->prefs.prfSound, c.refused) << "a refusal stops the save before anything is applied";
        EXPECT_EQ(shown.size(), c.refused ? 1u : 0u);
    }
}

// Save puts the choices in the settings store at once, not only when the window closes
// (a logout or a crash would lose them); Cancel writes nothing.
TEST_F(PrefsDialogTest, SaveKeepsTheChoicesInTheStoreAtOnce)
{
    w->prefs.prfSound = true;
    w->prefs.isPoker = true;
    const auto before = store.values;
    open().ckSounds->setChecked(false);
    dlg->cmdCancel->click();
    EXPECT_EQ(store.values, before);
    open().ckSounds->setChecked(false);
    choose("red.png");
    dlg->cmdSave->click();
    EXPECT_EQ(store.values["prfSound"], "False");
    EXPECT_EQ(store.values["prfPKCustomBackFace"], "red.png");
    EXPECT_EQ(store.values["isPoker"], "True") << "the game on the table too";
}

TEST_F(PrefsDialogTest, CancelKeepsEverythingButSpeedAndColour)
{
    w->prefs.prfSound = true;
    w->prefs.prfCardOutlineColor = 65280;
    auto& d = open();
    EXPECT_EQ(w->prefs.prfAnimationDelay, 120) << "showing the stored slider position changes no speed";
    // Shown again (as after a message box) it neither lists the backs twice nor undoes edits.
    const int backs = d.Combo1->count();
    d.ckSounds->setChecked(false);
    d.hide(), d.show();
    EXPECT_EQ(d.Combo1->count(), backs);
    EXPECT_FALSE(d.ckSounds->isChecked());
    d.chooseColour = [](const QColor& initial) { return initial == QColor(0, 255, 0) ? QColor(10, 20, 30) : QColor(); };
    d.HScroll1->setValue(250);
    d.cmdChangeColor->click();
    d.cmdCancel->click();

    EXPECT_EQ(w->prefs.prfAnimationDelay, 750 + 2500);
    EXPECT_EQ(w->prefs.prfScrollVal, 880) << "the slider position is only kept by Save";
    EXPECT_EQ(w->prefs.prfCardOutlineColor, 10 | (20 << 8) | (30 << 16));
    EXPECT_TRUE(w->prefs.prfSound);
}

TEST_F(PrefsDialogTest, BackChoiceAppliesToTheGameOnTheTableAndItsCustomFlag)
{
    Prefs& p = w->prefs;
    for (const bool poker : {false, true}) {
        SCOPED_TRACE(poker);
        p = Prefs{};
        p.isPoker = poker;
        const auto& face = poker ? p.prfPKBackFace : p.prfTolvaBackFace;
        const bool& custom = poker ? p.prfIsPKCustomCardBack : p.prfIsTolvaCustomCardBack;
        saveWith("Weave");
        EXPECT_EQ(face, 55);
        EXPECT_EQ(poker ? p.prfTolvaBackFace : p.prfPKBackFace, poker ? 54 : 65) << "the other game's";

        saveWith("red.png");
        EXPECT_TRUE(custom && !(poker ? p.prfIsTolvaCustomCardBack : p.prfIsPKCustomCardBack));
        EXPECT_EQ(backPixel(poker), kRedBack) << "the picture is loaded for the table";

        // Shown again, the dialog selects the picture; an empty file keeps the preview.
        EXPECT_EQ(open().Combo1->currentText(), "red.png");
        const QImage preview = dlg->picBacks->pixmap().toImage();
        EXPECT_EQ(preview.pixelColor(preview.width() / 2, preview.height() / 2), kRedBack);
        choose("empty.png");
        EXPECT_EQ(dlg->picBacks->pixmap().toImage(), preview);
        dlg->cmdCancel->click();

        saveWith("Plaid");  // with the picture in use, the design replaces it
        EXPECT_TRUE(!custom && face == 54);
    }
}

// Run at 200 % scale too (its own CTest entry), where a preview drawn without the
// screen's pixel ratio is blown up and blurred.
TEST_F(PrefsDialogTest, BackPreviewIsAsSharpAsTheTableCards)
{
    open();
    const qreal dpr = dlg->picBacks->devicePixelRatioF();
    for (const QString& entry : {QStringLiteral("Weave"), QStringLiteral("red.png")}) {
        SCOPED_TRACE(entry.toStdString());
        choose(entry);
        const QPixmap preview = dlg->picBacks->pixmap();
        EXPECT_EQ(preview.devicePixelRatio(), dpr);

        // The card as the table paints it at this ratio, against the preview's card.
        w->prefs.prfIsTolvaCustomCardBack = entry.endsWith(".png");
        w->prefs.prfTolvaBackFace = 55;
        w->loadCustomBack(entry);
        QImage table(qRound(w->cWidth * dpr), qRound(w->cHeight * dpr), QImage::Format_ARGB32_Premultiplied);
        table.setDevicePixelRatio(dpr);
        table.fill(Qt::transparent);
        QPainter p(&table);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        w->drawBack(p, 0, 0, false);
        p.end();
        const QRect inner(qRound(10 * dpr), qRound(10 * dpr), qRound((w->cWidth - 20) * dpr), qRound((w->cHeight - 20) * dpr));
        const QImage shown = preview.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(shown.copy(inner.translated(qRound(15 * dpr), qRound(15 * dpr))) == table.copy(inner)) << "not pixel for pixel";
    }
}

}  // namespace
}  // namespace dm::testing
