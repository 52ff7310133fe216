#include "core/app/install_location.h"

#include "core/app/shipped_data.h"

#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace hanamori {
namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

bool IsDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute (as the base
// directory rules say); "" when there is no home either. Without $HOME the home is the
// user database's, and `from_user_database` is set.
std::string DataHome(const EnvLookup& env, bool& from_user_database) {
    from_user_database = false;
    const char* xdg = env("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = env("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw != nullptr ? pw->pw_dir : nullptr;
        from_user_database = true;
    }
    return home != nullptr && home[0] != '\0' ? std::string(home) + "/.local/share" : "";
}

// Lays the shipped data out in `dir` and makes the seller's directories.
std::string FillInstallDir(const fs::path& shipped, const fs::path& dir) {
    ShippedDataReport report = LayOutShippedData(shipped.string(), dir.string());
    if (!report.error.empty()) {
        return report.error;
    }
    for (const char* sub : kInstallSubdirs) {
        std::error_code ec;
        fs::create_directories(dir / sub, ec);
        if (ec) {
            return (dir / sub).string() + ": " + ec.message();
        }
    }
    return {};
}

// A first start builds the directory aside and renames it into place, so that another
// process starting at the same moment sees either nothing or a complete directory.
std::string CreateInstallDir(const fs::path& shipped, const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir.parent_path(), ec);
    fs::path building = dir.parent_path() / (".hanamori-new-" + std::to_string(::getpid()));
    fs::remove_all(building, ec);
    std::string problem = FillInstallDir(shipped, building);
    if (problem.empty() && ::rename(building.c_str(), dir.c_str()) != 0 && !IsDirectory(dir)) {
        problem = dir.string() + ": cannot be created";
    }
    fs::remove_all(building, ec);
    return problem;
}

} // namespace

bool IsCompleteWritableInstallDir(const std::string& dir) {
    for (const char* sub : kInstallSubdirs) {
        if (!IsDirectory(fs::path(dir) / sub)) {
            return false;
        }
    }
    for (const char* sub : {"", "Datas", "work", "user.ini"}) {
        if (::access((fs::path(dir) / sub).c_str(), W_OK) != 0) {
            return false;
        }
    }
    return true;
}

InstallLocation LocateInstallDir(const std::string& exe_dir, const EnvLookup& env) {
    InstallLocation location;
    if (const char* chosen = env("HANAMORI_DIR"); chosen != nullptr && chosen[0] != '\0') {
        location.dir = WithSlash(chosen);
        return location;
    }
    if (IsCompleteWritableInstallDir(exe_dir)) {
        location.dir = WithSlash(exe_dir);
        return location;
    }
    bool from_user_database = false;
    const std::string data_home = DataHome(env, from_user_database);
    if (data_home.empty()) {
        location.error = "$XDG_DATA_HOME and $HOME: not set";
        return location;
    }
    const fs::path dir = (fs::path(data_home) / "hanamori").lexically_normal();
    const fs::path shipped = (fs::path(exe_dir) / "../share/hanamori").lexically_normal();
    location.dir = WithSlash(dir.string());
    if (from_user_database) {
        location.notice = "$HOME is not set: using " + location.dir +
                          " in the home directory of the user database";
    }
    if (!IsDirectory(shipped)) {
        // Without shipped data a per-user directory made earlier still serves.
        if (!IsCompleteWritableInstallDir(location.dir)) {
            location.error = shipped.string() + ": no shipped data to make " + location.dir;
        }
        return location;
    }
    if (!IsDirectory(dir)) {
        location.error = CreateInstallDir(shipped, dir);
    } else if (std::string problem = FillInstallDir(shipped, dir);
               !problem.empty() && !IsCompleteWritableInstallDir(location.dir)) {
        // A failed update (a full disk) leaves the last shipment, which still serves.
        location.error = problem;
    }
    return location;
}

} // namespace hanamori
