#pragma once
// Data files beside the program: presence test, paths, folder listings, pictures.
#include <QImage>
#include <QString>
#include <QStringList>

namespace dm {

// A file counts only when it exists, is a plain file and is not empty; any error = absent.
bool filePresent(const QString& path);

// programDir + "/" + relative; either separator is accepted in relative ("wavs\\deal.wav").
QString dataPath(const QString& programDir, const QString& relative);

// Where the pictures, sounds and help are read from: beside the program when its "pics"
// folder is there (a build folder or a portable copy), else "../share/dunmere" from the
// program's folder, as installed under any prefix; the program folder when neither has it.
QString findDataDir(const QString& programDir);
// The folders findDataDir looks in, in its order.
QStringList dataDirCandidates(const QString& programDir);
// What to tell the user when dataDir has no pictures: the folders looked in; empty when it has.
QString missingDataNote(const QString& programDir, const QString& dataDir);

// Plain file names of dir, files only, sorted case-insensitively; empty when dir is missing.
QStringList listFolder(const QString& dir);

// The picture in path (.jpg, .gif, .bmp, .png ...); a null image when absent or unreadable.
QImage loadPicture(const QString& path);

}  // namespace dm
