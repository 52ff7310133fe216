#include "gui/app/app_lifecycle.h"

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"

namespace hanamori {

bool StartUpSettings(UserSettings& settings, const std::string& dir,
                     const std::function<void()>& first_start) {
    LoadAllSettings(settings, dir);
    if (FileExists(dir + kMainIniName)) {
        return false;
    }
    if (first_start) {
        first_start();
    }
    // Whatever the wizard did, even when it was quit at once, the settings are saved
    // so that the next start is not a first start.
    SaveAllSettings(settings, dir);
    return true;
}

void ShutDown(const UserSettings& settings, const std::string& dir) {
    SaveAllSettings(settings, dir);
    DeleteScratchFiles(dir);
}

} // namespace hanamori
