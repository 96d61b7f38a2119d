// dunmere-assets <program folder>: writes every picture, sound and the help beside the game.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "backgrounds.h"
#include "help.h"
#include "icon.h"
#include "images.h"
#include "output.h"
#include "sounds.h"

namespace {

using namespace dm::assets;

bool report(bool ok, const QString& path)
{
    if (!ok)
        std::fprintf(stderr, "dunmere-assets: could not write %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return ok;
}

int generate(const QDir& root)
{
    for (const char* folder : {"pics/backs", "wavs", "frames"})
        if (!root.mkpath(folder)) {
            std::fprintf(stderr, "dunmere-assets: could not create %s\n", qPrintable(root.filePath(folder)));
            return 1;
        }

    bool ok = true;
    for (const Background& b : backgrounds()) {
        const QString path = root.filePath("pics/" + b.file);
        ok &= report(savePicture(path, b.paint()), path);
    }
    for (const NamedPicture& back : cardBacks()) {
        const QString path = root.filePath("pics/backs/" + back.file);
        ok &= report(savePicture(path, back.image), path);
    }
    for (const NamedPicture& rail : frames()) {
        const QString path = root.filePath("frames/" + rail.file);
        ok &= report(savePicture(path, rail.image), path);
    }
    for (const NamedSound& sound : sounds()) {
        const QString path = root.filePath("wavs/" + sound.file);
        ok &= report(writeFileAtomically(path, encodeWav(sound.samples)), path);
    }
    // The icon as a desktop's hicolor theme holds it, ready to be installed as it is.
    const QString apps = QStringLiteral("icons/hicolor/%1/apps/" DUNMERE_APP_ID ".%2");
    const QString svgPath = root.filePath(apps.arg("scalable", "svg"));
    ok &= report(root.mkpath(QFileInfo(svgPath).path()) && writeFileAtomically(svgPath, iconSvg()), svgPath);
    for (int size : kIconSizes) {
        const QString path = root.filePath(apps.arg(QStringLiteral("%1x%1").arg(size), "png"));
        ok &= report(root.mkpath(QFileInfo(path).path()) && saveImageAtomically(path, renderIcon(size), "png", 0), path);
    }
    const QString helpPath = root.filePath("dunmere.hlp");
    ok &= report(writeFileAtomically(helpPath, helpText().toUtf8()), helpPath);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Painting text and paths needs a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dunmere-assets <program folder>\n");
        return 2;
    }
    return generate(QDir(QString::fromLocal8Bit(argv[1])));
}
