// What `cmake --install` and `cpack -G DEB` give a desktop: the programs, their data,
// a menu entry and metainfo the desktop's validators accept, icons, man pages, and a
// package that pulls in Qt 6.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "install_support.h"

using namespace install;

static const QString kId = QStringLiteral(DUNMERE_APP_ID);

TEST(Install, PrefixHoldsProgramsDataMenuEntryIconsAndManPages)
{
    QTemporaryDir root;
    const QString prefix = root.path() + "/usr";
    const QString failed = installInto(prefix);
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    QStringList expected = {"bin/dunmere", "bin/dunmere-cli", "share/dunmere/dunmere.hlp",
                            "share/dunmere/pics/meadow.jpg", "share/dunmere/wavs/deal.wav",
                            "share/dunmere/frames/top.png", "share/applications/" + kId + ".desktop",
                            "share/metainfo/" + kId + ".metainfo.xml",
                            "share/icons/hicolor/scalable/apps/" + kId + ".svg",
                            "share/man/man6/dunmere.6.gz", "share/man/man6/dunmere-cli.6.gz"};
    for (int px : {16, 32, 48, 64, 128, 256})
        expected << QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(px).arg(kId);
    for (const QString& file : expected)
        EXPECT_TRUE(QFileInfo(prefix + "/" + file).size() > 0) << "missing " << file.toStdString();

    const Output desktop = runTool("desktop-file-validate", {prefix + "/share/applications/" + kId + ".desktop"});
    EXPECT_EQ(desktop.status, 0) << desktop.out.toStdString();
    EXPECT_TRUE(desktop.out.trimmed().isEmpty()) << desktop.out.toStdString();
    const Output meta = runTool("appstreamcli", {"validate", "--no-net", prefix + "/share/metainfo/" + kId + ".metainfo.xml"});
    EXPECT_EQ(meta.status, 0) << meta.out.toStdString();
}

TEST(Install, DebianPackageHoldsTheProgramAndDependsOnQt6)
{
    ASSERT_FALSE(QStandardPaths::findExecutable("dpkg-shlibdeps").isEmpty()) << "no dpkg-shlibdeps (scripts/setup.sh installs dpkg-dev)";
    QTemporaryDir out;
    const Output pack = runTool(QStringLiteral(DM_CPACK),
                         {"-G", "DEB", "-B", out.path(), "--config", DM_BUILD_DIR "/CPackConfig.cmake"}, 300000);
    ASSERT_EQ(pack.status, 0) << pack.out.toStdString();
    const QStringList debs = QDir(out.path()).entryList({"dunmere_*.deb"});
    ASSERT_EQ(debs.size(), 1) << pack.out.toStdString();
    const QString deb = out.path() + "/" + debs[0];

    const Output files = runTool("dpkg-deb", {"-c", deb});
    EXPECT_TRUE(files.out.contains(" ./usr/bin/dunmere\n")) << files.out.toStdString();
    EXPECT_TRUE(files.out.contains("./usr/share/applications/" + kId + ".desktop"));
    const Output depends = runTool("dpkg-deb", {"-f", deb, "Depends"});
    for (const char* lib : {"libqt6core6", "libqt6gui6", "libqt6widgets6"})
        EXPECT_TRUE(depends.out.contains(lib)) << "Depends: " << depends.out.toStdString();
}
