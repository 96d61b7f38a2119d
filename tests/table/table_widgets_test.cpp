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
    QFile file(dir.filePath("dunmere.hlp"));
    HelpWindow* help = showHelp(nullptr, file.fileName());
    EXPECT_TRUE(help->browser()->toPlainText().contains("could not be found"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("<h1>Contents</h1><p>Rummy rules</p>") > 0);
    file.close();
    EXPECT_EQ(showHelp(nullptr, file.fileName()), help);  // the one window, reloaded and raised
    EXPECT_TRUE(help->browser()->toPlainText().contains("Rummy rules"));
    help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
