#pragma once
// Qt glue for the score tables: where "stats.dat" lives, the name input box, and
// the conversion between shown text and the file's 8-bit (Latin-1) name bytes.
#include <QString>
#include <string>

#include "store/scores.h"

class QWidget;

namespace dm {

// "stats.dat" in the program folder (the folder of the executable).
std::string scoreFilePath();

// Latin-1 bytes, one '?' for each character Latin-1 cannot hold.
std::string toNameBytes(const QString& text);
QString fromNameBytes(const std::string& bytes);

// The input box the score tables ask with; the answer comes back as name bytes.
InputBox makeInputBox(QWidget* parent);

}  // namespace dm
