#pragma once
// Qt glue for the score tables: where "stats.dat" lives, and the conversion between
// shown text and the file's 8-bit (Latin-1) name bytes.
#include <QString>
#include <string>

#include "store/scores.h"

namespace dm {

// Where a file the program writes ("stats.dat") is kept.
struct FilePlace {
    QString path;       // read and written
    QString startFrom;  // read while path holds nothing yet: the copy beside the program
    QString beside;     // the file in the program's folder (== path when it is kept there)
    bool besideRefused = false;  // beside is a link or not a plain file: neither read nor written
};

// The program's folder (a build folder, a portable copy) when the file can be written
// there: the folder is writable, or the file itself is. Otherwise the user's data folder
// (QStandardPaths::AppDataLocation, made when missing), which starts from the copy beside
// the program until the user has one. A "stats.dat" beside the program that is a link or not
// a plain file is never used: the user's data folder, starting from the user's own copy.
FilePlace writablePlace(const QString& programDir, const QString& fileName);

// Latin-1 bytes, one '?' for each character Latin-1 cannot hold; a NUL ends the name.
std::string toNameBytes(const QString& text);
QString fromNameBytes(const std::string& bytes);

}  // namespace dm
