#pragma once
// The settings a program holds while it runs, kept in step with the files: each change
// is written when it is made, on top of what the files hold by then, so that changes
// another program made meanwhile are kept.

#include "core/app/host.h"
#include "core/settings/settings_files.h"

#include <string>

namespace hanamori {

// Takes the fields of `edited` that differ from `baseline` into `fresh`, leaving every
// other field as `fresh` has it. A side text taken over is the seller's, so it is no
// longer marked as not read.
void ApplySettingsChanges(UserSettings& fresh, const UserSettings& edited,
                          const UserSettings& baseline);

class SettingsKeeper {
public:
    // Reads the files of `dir` into `settings` under the settings lock; what was read is
    // the baseline that later changes are measured against. `settings` must outlive the
    // keeper's use of it.
    void Load(UserSettings& settings, const std::string& dir);
    bool loaded() const { return m_settings != nullptr; }
    // The record holds changes that are not in the files yet.
    bool Unsaved() const;
    // Writes the changes under the settings lock: re-reads the files, applies the
    // fields changed since the baseline and saves the result (`everything`: every key
    // and side text, as on a first start). On success the record and the baseline both
    // become what the files now hold; on failure the record keeps its changes.
    SettingsWrite Write(bool everything = false);

private:
    UserSettings* m_settings = nullptr;
    UserSettings m_baseline;
    std::string m_dir;
};

// The desktop program's keeper of Settings().
SettingsKeeper& KeptSettings();

// The seller's message for a failed write: 「設定の保存に失敗しました。」, the file and
// why (CP932).
std::string SettingsWriteMessage(const SettingsWrite& failure);

// Writes what the kept settings hold unsaved; a failure is shown through `host`, and
// the changes stay in memory. True when nothing is left unsaved (also when the keeper
// was never loaded: then nothing is written).
bool WriteSettingsChanges(Host& host);

// At exit: writes what is still unsaved; when that fails, asks whether to try again or
// to quit without saving, until it is written or the seller gives it up. True when
// nothing was given up.
bool WriteSettingsAtExit(Host& host);

} // namespace hanamori
