#pragma once
// Which installation directory the programs use: the one beside the executable when it is
// one (a build tree's dist/), else a per-user one made from the shipped data.

#include <functional>
#include <string>

namespace hanamori {

// The directories every installation directory has; the last three are the seller's
// and the only ones the program ever makes (the others come with the shipped data).
inline constexpr const char* kInstallSubdirs[] = {"template", "CostData", "Datas", "work",
                                                  "user.ini"};

struct InstallLocation {
    std::string dir; // ends in '/'
    // Empty on success; otherwise why no installation directory could be had, naming
    // the path at fault.
    std::string error;
    // Not empty when the choice rests on something the seller did not say and should
    // know: the home directory taken from the user database because $HOME is unset.
    std::string notice;
};

// Reads an environment variable; nullptr when it is not set.
using EnvLookup = std::function<const char*(const char*)>;

// True when `dir` has every directory of kInstallSubdirs and the seller's ones can be
// written (the directory of an installed program under /usr never can).
bool IsCompleteWritableInstallDir(const std::string& dir);

// The installation directory when neither --dir nor anything else chose one:
// HANAMORI_DIR when it is set, as it stands; else `exe_dir` when it is a complete,
// writable installation directory; else the per-user directory $XDG_DATA_HOME/hanamori/
// (default ~/.local/share/hanamori/). That one is made on first use from the shipped
// data in `exe_dir`/../share/hanamori/ and brought up to date with it on every start
// (LayOutShippedData: the seller's edits stay). Fails when the per-user directory can
// neither be found complete nor made.
InstallLocation LocateInstallDir(const std::string& exe_dir, const EnvLookup& env);

} // namespace hanamori
