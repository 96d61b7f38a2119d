#pragma once
// The input box a new record holder types a name into.
#include "store/scores.h"

class QWidget;

namespace dm {

// The platform's input box; the answer comes back as the score file's name bytes.
InputBox makeInputBox(QWidget* parent);

}  // namespace dm
