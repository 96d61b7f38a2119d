#pragma once
// What a game flow needs from the world besides the table: waits, sounds and boxes.
// The main window implements it with Qt; tests implement it with a recording fake.
#include <string>

namespace dm {

class GameHost {
public:
    virtual ~GameHost() = default;

    // Waits while window events keep running. False: the window is gone and the
    // running step must stop at once.
    virtual bool wait(int ms) = 0;

    // Plays wavs/<file> asynchronously, replacing any sound playing; a missing or
    // empty file is skipped. Callers check the sound preference first.
    virtual void playSound(const std::string& file) = 0;

    // A plain message box with an OK button.
    virtual void message(const std::string& text, const std::string& title = {}) = 0;

    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;

    // Reports a caught failure as "Error  in  NAME (  DESCRIPTION  )".
    virtual void reportError(const std::string& procedure, const std::string& description) = 0;
};

}  // namespace dm
