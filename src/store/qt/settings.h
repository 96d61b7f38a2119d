#pragma once
// The preferences' settings store on the platform's per-user settings
// (application "TolvaRummy", section "Preferences").
#include <QSettings>

#include "store/prefs.h"

namespace dm {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();

    std::optional<std::string> read(const std::string& key) override;
    void write(const std::string& key, const std::string& value) override;

    // Pushes the writes to disk. False when they could not be stored, so the
    // window can tell the user that the preferences were not kept.
    bool sync();

private:
    QSettings settings_;
};

}  // namespace dm
