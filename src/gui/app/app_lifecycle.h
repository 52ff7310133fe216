#pragma once
// What happens before the main window shows and after it has closed.

#include <string>

namespace hanamori {

struct UserSettings;

// Loads every setting from the installation directory `dir`. Without "hanamo.ini"
// this is a first start: the settings are saved at once, which creates it. Returns
// true on a first start.
bool StartUpSettings(UserSettings& settings, const std::string& dir);

// Saves every setting and deletes the scratch files of "work".
void ShutDown(const UserSettings& settings, const std::string& dir);

} // namespace hanamori
