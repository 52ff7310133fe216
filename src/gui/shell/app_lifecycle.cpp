#include "gui/shell/app_lifecycle.h"

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"

namespace hanamori {
namespace {

// Every file at once, never in between the files of a CLI's settings import. When
// the lock stays taken, the seller's settings are saved all the same: each file is
// replaced whole either way.
void SaveSettings(const UserSettings& settings, const std::string& dir) {
    FileLock lock = LockSettings(dir);
    SaveAllSettings(settings, dir);
}

} // namespace

bool StartUpSettings(UserSettings& settings, const std::string& dir,
                     const std::function<void()>& first_start) {
    RemoveAbandonedFiles(dir);
    LoadAllSettings(settings, dir);
    if (FileExists(dir + kMainIniName)) {
        return false;
    }
    if (first_start) {
        first_start();
    }
    // Whatever the wizard did, even when it was quit at once, the settings are saved
    // so that the next start is not a first start.
    SaveSettings(settings, dir);
    return true;
}

void ShutDown(const UserSettings& settings, const std::string& dir) {
    SaveSettings(settings, dir);
    DeleteScratchFiles(dir);
}

} // namespace hanamori
