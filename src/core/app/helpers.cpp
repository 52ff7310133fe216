#include "core/app/helpers.h"

#include "core/app/atomic_file.h"

#include <climits>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {
namespace {
std::string& InstallDirStorage() {
    static std::string dir = ExecutableDir();
    return dir;
}
bool g_change_notify = true;
} // namespace

std::string ExecutableDir() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) {
        return "./";
    }
    std::string path(buf, static_cast<std::size_t>(n));
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

const std::string& InstallDir() { return InstallDirStorage(); }

void SetInstallDir(std::string dir) {
    if (dir.empty()) {
        dir = "./";
    }
    if (dir.back() != '/') {
        dir += '/';
    }
    InstallDirStorage() = std::move(dir);
}

std::string StampNow(const char* pattern) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[128];
    std::size_t n = std::strftime(buf, sizeof buf, pattern, &local);
    return std::string(buf, n);
}

bool IsUnsignedInt(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool IsSignedInt(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool digit = c >= '0' && c <= '9';
        if (!digit && !(i == 0 && c == '-')) {
            return false;
        }
    }
    return true;
}

std::int32_t ToInt(std::string_view text) {
    bool negative = !text.empty() && text[0] == '-';
    std::uint32_t value = 0;
    for (std::size_t i = negative ? 1 : 0; i < text.size() && text[i] >= '0' && text[i] <= '9';
         ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void SetChangeNotify(bool on) { g_change_notify = on; }
bool ChangeNotifyEnabled() { return g_change_notify; }

const char* const kScratchFiles[6] = {"body.html",    "mail.txt",     "mail_title.txt",
                                      "preview.html", "workpage.html", "filelist.html"};

void RemoveAbandonedFiles(const std::string& install_dir) {
    for (const char* sub : {"", "Datas", "user.ini", "work"}) {
        RemoveAbandonedSaveFiles(install_dir + sub, std::chrono::minutes(1));
    }
}

void DeleteScratchFiles(const std::string& install_dir) {
    for (const char* name : kScratchFiles) {
        std::string path = install_dir + "work/" + name;
        std::remove(path.c_str());
    }
}

} // namespace hanamori
