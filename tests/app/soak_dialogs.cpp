// The random user's answers to the modal dialogs: a few changes, then Save, Cancel or Close.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "app/frmpreferences.h"
#include "soak_run.h"

namespace dm::soak {

void SoakRun::openDialog(const char* item, int depth)
{
    const int fiddles = below(5);
    record(depth, std::string(item) + " (answered after " + std::to_string(fiddles) + " changes)");
    later(1, [this, fiddles] { answerModal(60, fiddles); });
    w_->action(QString::fromLatin1(item))->trigger();
}

void SoakRun::answerModal(int turnsLeft, int fiddles)
{
    QWidget* m = QApplication::activeModalWidget();
    if (!m) {
        if (turnsLeft > 0)
            later(1, [this, turnsLeft, fiddles] { answerModal(turnsLeft - 1, fiddles); });
        return;
    }
    if (fiddles > 0) {
        if (qobject_cast<frmPreferences*>(m))
            fiddlePreferences(m);
        else if (m->objectName() == QLatin1String("frmPlay"))
            fiddleScores(m);
        later(1, [this, turnsLeft, fiddles] { answerModal(turnsLeft, fiddles - 1); });
        return;
    }
    if (auto* prefs = qobject_cast<frmPreferences*>(m)) {
        const bool save = chance(0.7);
        record(9, save ? "  dialog: Save" : "  dialog: Cancel");
        (save ? prefs->cmdSave : prefs->cmdCancel)->click();
        if (prefs->isVisible())
            prefs->cmdCancel->click();  // a refused entry keeps the dialog open
        return;
    }
    if (m->objectName() == QLatin1String("frmPlay")) {
        const int r = below(3);
        record(9, r == 0 ? "  dialog: Close (rummy tab)" : r == 1 ? "  dialog: Close (poker tab)" : "  dialog: Escape");
        if (r == 2) {
            QTest::keyClick(m, Qt::Key_Escape);
        } else {
            auto* button = m->findChild<QPushButton*>(QLatin1String(r == 0 ? "cmdOk" : "Command1"));
            if (button)
                button->click();
        }
        if (m->isVisible())
            static_cast<QDialog*>(m)->reject();
        return;
    }
    record(9, "  dialog " + m->objectName().toStdString() + ": rejected");
    if (auto* d = qobject_cast<QDialog*>(m))
        d->reject();
    else
        m->close();
}

void SoakRun::fiddlePreferences(QWidget* dialog)
{
    auto* d = static_cast<frmPreferences*>(dialog);
    d->chooseColour = [this](const QColor&) {
        return chance(0.3) ? QColor() : QColor::fromRgb(static_cast<QRgb>(pick_() & 0xFFFFFF));
    };
    const int r = below(9);
    std::string what;
    switch (r) {
    case 0: {
        QCheckBox* boxes[] = {d->ckAutoSort, d->ckTolvaScores, d->ckAnimation, d->ckprfAutoDeal};
        QCheckBox* c = boxes[below(4)];
        c->click();
        what = "toggle " + c->objectName().toStdString();
        break;
    }
    case 1:
        (chance(0.5) ? d->opAlwaysShow : d->opShowOnError)->click();
        what = "adviser mode";
        break;
    case 2:
    case 3:
        if (d->Combo1->count() > 0) {
            d->Combo1->setCurrentIndex(below(d->Combo1->count()));
            what = "back " + d->Combo1->currentText().toStdString();
        }
        break;
    case 4:
        d->HScroll1->setValue(d->HScroll1->minimum() +
                              below(d->HScroll1->maximum() - d->HScroll1->minimum() + 1));
        what = "speed " + std::to_string(d->HScroll1->value());
        break;
    case 5:
    case 6: {
        static const char* texts[] = {"10", "16", "25", "40", "9", "41", "abc", "", "-3", "&H14", "99999999999"};
        const char* t = texts[below(std::size(texts))];
        d->txtSpacer->clear();
        QTest::keyClicks(d->txtSpacer, QString::fromLatin1(t));
        what = std::string("spacing \"") + t + "\"";
        break;
    }
    case 7:
        d->cmdChangeColor->click();
        what = "outline colour";
        break;
    default:
        d->SSTab1->setCurrentIndex(below(d->SSTab1->count()));
        what = "tab";
        break;
    }
    record(9, "  preferences: " + what);
}

void SoakRun::fiddleScores(QWidget* dialog)
{
    static const char* stakes[] = {"opOne", "opFive", "opTen"};
    const char* name = stakes[below(3)];
    if (auto* b = dialog->findChild<QRadioButton*>(QLatin1String(name)))
        b->click();
    if (auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("SSTab1")); tabs && chance(0.3))
        tabs->setCurrentIndex(below(tabs->count()));
    record(9, std::string("  scores: ") + name);
}

}  // namespace dm::soak
