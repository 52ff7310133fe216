#include "gui/shell/app_lifecycle.h"

#include "core/app/helpers.h"
#include "core/settings/settings_keeper.h"

namespace hanamori {

bool StartUpSettings(Host& host, UserSettings& settings, const std::string& dir,
                     const std::function<void()>& first_start) {
    RemoveAbandonedFiles(dir);
    KeptSettings().Load(settings, dir);
    if (FileExists(dir + kMainIniName)) {
        return false;
    }
    if (first_start) {
        first_start();
    }
    // Whatever the wizard did, even when it was quit at once, every file is written so
    // that the next start is not a first start.
    if (SettingsWrite written = KeptSettings().Write(/*everything=*/true); !written) {
        host.ShowMessage(SettingsWriteMessage(written), MessageIcon::Stop);
    }
    return true;
}

bool ShutDown(Host& host, const std::string& dir) {
    const bool saved = WriteSettingsAtExit(host);
    DeleteScratchFiles(dir);
    return saved;
}

} // namespace hanamori
