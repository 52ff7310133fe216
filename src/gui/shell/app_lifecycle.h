#pragma once
// What happens before the main window shows and after it has closed.

#include <functional>
#include <string>

namespace hanamori {

struct UserSettings;

// Loads every setting from the installation directory `dir`. Without "hanamo.ini"
// this is a first start: `first_start` runs (the setup wizard), and however it ends
// every setting is then saved, which creates "hanamo.ini". Returns true on a first
// start.
bool StartUpSettings(UserSettings& settings, const std::string& dir,
                     const std::function<void()>& first_start = {});

// Saves every setting and deletes the scratch files of "work".
void ShutDown(const UserSettings& settings, const std::string& dir);

} // namespace hanamori
