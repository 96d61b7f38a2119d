#pragma once
// The help window: the program's help file (a small HTML subset) opened at its contents.
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace dm {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& helpFile, QWidget* parent = nullptr);

    QString helpFile() const { return helpFile_; }
    // Loads the file (again) and shows its "contents" anchor.
    void showContents();
    QTextBrowser* browser() const { return browser_; }

private:
    QString helpFile_;
    QTextBrowser* browser_;
};

// Opens the help window on helpFile, or raises the one already open.
HelpWindow* showHelp(QWidget* parent, const QString& helpFile);

}  // namespace dm
