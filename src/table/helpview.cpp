#include "table/helpview.h"

#include "table/files.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace dm {

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFile_(helpFile), browser_(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Dunmere Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Help pages never reach outside the help file.
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);

    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(560, 480);
    showContents();
}

void HelpWindow::showContents()
{
    if (!filePresent(helpFile_)) {
        browser_->setPlainText(QStringLiteral("The help file %1 could not be found.").arg(helpFile_));
        return;
    }
    QUrl url = QUrl::fromLocalFile(helpFile_);
    url.setFragment(QStringLiteral("contents"));
    // The .hlp name says nothing of the format: tell the browser it is HTML.
    browser_->setSource(url, QTextDocument::HtmlResource);
}

HelpWindow* showHelp(QWidget* parent, const QString& helpFile)
{
    HelpWindow* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* h = qobject_cast<HelpWindow*>(w)) {
            window = h;
            break;
        }
    }
    if (window && window->helpFile() != helpFile) {
        window->close();
        window = nullptr;
    }
    if (!window)
        window = new HelpWindow(helpFile, parent);  // owned by parent, or deletes itself on close
    else
        window->showContents();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace dm
