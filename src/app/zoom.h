#pragma once
// The size of the whole program: 100, 125, 150 or 200 percent. Qt scales every window
// crisply when told before it starts, so a new choice takes effect at the next start.
#include <array>

class QMenu;

namespace dm {

class frmMain;
class SettingsStore;

constexpr std::array<int, 4> kZoomSteps{100, 125, 150, 200};

// The stored choice, as one of the steps (100 for anything else).
int storedZoom(SettingsStore& store);
// Sets the scale for the application about to be made, unless the user's environment
// already sets one. Call before QApplication exists.
void applyZoom(int percent);
// The "Zoom" submenu, its checks following the window's preference.
void addZoomMenu(frmMain& window, QMenu* menu);

}  // namespace dm
