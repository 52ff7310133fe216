#pragma once
// Loading and saving the settings record, group by group, in a fixed order.

#include "core/app/atomic_file.h"
#include "core/settings/user_settings.h"

#include <string>
#include <string_view>

namespace hanamori {

// Paths of the files, relative to the installation directory.
inline constexpr const char* kMainIniName = "hanamo.ini";
inline constexpr const char* kMainSection = "HANAMO_SETTING";
inline constexpr const char* kSettingsDirName = "user.ini/";

// Each group takes the installation directory (ending in '/') and returns true when
// everything was read or written. A missing INI file or key gives the defaults; a
// missing side file reads as empty and the group goes on; a side file that exists but
// cannot be read stops the group and marks the texts not read (see UserSettings).
bool LoadMainSettings(UserSettings& s, const std::string& dir);
bool LoadPersonal(UserSettings& s, const std::string& dir);
bool LoadBanks(UserSettings& s, const std::string& dir);
bool LoadPostal(UserSettings& s, const std::string& dir);
bool LoadOtherPayment(UserSettings& s, const std::string& dir);
bool LoadItemInfo(UserSettings& s, const std::string& dir);
bool LoadPaymentDefaults(UserSettings& s, const std::string& dir);
bool LoadSendMethodDefaults(UserSettings& s, const std::string& dir);
bool LoadShippingOptions(UserSettings& s, const std::string& dir);

// The main section, then the eight groups, in order; results of the groups are
// ignored and the load always succeeds. The save is the only way settings reach disk:
// it writes every key of every group, each file once and whole, then the side files
// (those marked as not read are left as they are on disk); false when any file failed.
bool LoadAllSettings(UserSettings& s, const std::string& dir);
bool SaveAllSettings(const UserSettings& s, const std::string& dir);

// The name under user.ini/ of the side file `name` of profile `index` (0 for the groups
// without profiles): the first profile's is `name` itself, each other's carries its
// number before the extension ("pers_address2.txt").
std::string SideFileName(std::string_view name, int index);

// The lock that every program holds while it writes the settings files (and a change
// from outside, from reading them to writing them): "hanamo.ini.lock". Not held when
// another program kept it for a few seconds.
FileLock LockSettings(const std::string& dir);

// The program-wide settings record.
UserSettings& Settings();

} // namespace hanamori
