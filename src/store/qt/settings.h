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
    // A value the store already holds is not written again, so a store that cannot be
    // written is not touched when nothing changed.
    void write(const std::string& key, const std::string& value) override;

    // Pushes the writes to disk. False when they could not be stored, so the
    // window can tell the user that the preferences were not kept.
    bool sync();
    // The file the store lives in, for telling the user where.
    std::string place() const;

private:
    QSettings settings_;
};

}  // namespace dm
