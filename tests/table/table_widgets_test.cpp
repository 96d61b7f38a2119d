// The help window: the one window, reloaded and raised, or a word that the file is missing.
#include "table/helpview.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace dm;

TEST(TableHelp, ShowsContentsOrSaysTheFileIsMissing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("dunmere.hlp");
    HelpWindow* help = showHelp(nullptr, file);
    EXPECT_TRUE(help->browser()->toPlainText().contains("could not be found"));

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><body><h1><a name=\"contents\">Contents</a></h1><p>Rummy rules</p></body></html>");
    f.close();
    EXPECT_EQ(showHelp(nullptr, file), help);  // the one window, reloaded and raised
    EXPECT_TRUE(help->browser()->toPlainText().contains("Rummy rules"));
    help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
