#pragma once
// What happens before the main window shows and after it has closed.

#include <functional>
#include <string>

namespace hanamori {

class Host;
struct UserSettings;

// Loads every setting from the installation directory `dir` into `settings`, which the
// program-wide keeper (KeptSettings) then keeps in step with the files. Without
// "hanamo.ini" this is a first start: `first_start` runs (the setup wizard), and however
// it ends every setting is then written, which creates "hanamo.ini" (a failure is shown
// through `host`). Returns true on a first start.
bool StartUpSettings(Host& host, UserSettings& settings, const std::string& dir,
                     const std::function<void()>& first_start = {});

// Writes the settings changes not written yet (asking through `host` when that fails)
// and deletes the scratch files of "work". False when the seller quit without saving.
bool ShutDown(Host& host, const std::string& dir);

} // namespace hanamori
