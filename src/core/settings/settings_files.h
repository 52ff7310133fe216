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

// How a settings save ended: on failure, the file it concerns and the system's reason.
struct SettingsWrite {
    bool ok = true;
    std::string path;
    std::string reason; // the system's words
    int error = 0;      // the system's error number
    explicit operator bool() const { return ok; }
};

// The main section, then the eight groups, in order; results of the groups are
// ignored and the load always succeeds. The caller holds the settings lock (see
// ReadSettingsFiles).
bool LoadAllSettings(UserSettings& s, const std::string& dir);
// The save is the only way settings reach disk. Every file it changes is replaced
// together: either each of them holds its new content or each is as it was (a kill, a
// full disk, a read-only directory). Without `as_read` it writes every key of every
// group and every side file; with `as_read` (the settings as the files held them when
// the caller read them under the same lock) only the keys and side texts that differ
// from it, so every other value keeps its bytes. Side files marked as not read are
// never written. Fails, writing nothing, when an INI file exists but cannot be read.
SettingsWrite SaveAllSettings(const UserSettings& s, const std::string& dir,
                              const UserSettings* as_read = nullptr);

// Reads every settings file as LoadAllSettings does, holding the settings lock.
void ReadSettingsFiles(UserSettings& s, const std::string& dir);

// The first settings file that exists but could not be read into `s` (an INI file or a
// side file marked as not read), or empty when every file was read.
std::string UnreadableSettingsFile(const UserSettings& s, const std::string& dir);

// The name under user.ini/ of the side file `name` of profile `index` (0 for the groups
// without profiles): the first profile's is `name` itself, each other's carries its
// number before the extension ("pers_address2.txt").
std::string SideFileName(std::string_view name, int index);

// The lock that every program holds while it reads or writes the settings files (and a
// change, from reading them to writing them): "hanamo.ini.lock". Not held when another
// program kept it for a few seconds. Taking it completes a save that a killed program
// left part-way.
FileLock LockSettings(const std::string& dir);

// The program-wide settings record.
UserSettings& Settings();

} // namespace hanamori
