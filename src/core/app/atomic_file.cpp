#include "core/app/atomic_file.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {

namespace {

// The file a save must replace: a link is followed, so the seller's link stays a link.
std::string SaveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string target(real);
            std::free(real);
            return target;
        }
    }
    return path;
}

// The permissions the new file gets: those of the file it replaces, or the usual ones
// of a new file.
mode_t SaveMode(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

constexpr char kTempInfix[] = ".tmp-";
constexpr std::size_t kTempUniqueLength = 6; // the XXXXXX of mkstemp

// Removes the temporary files that earlier saves of `path` left behind when they were
// killed before their rename. A save in progress holds a lock on its temporary file,
// so only abandoned ones are taken.
void RemoveAbandonedTempFiles(const std::string& path) {
    auto slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + kTempInfix;
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(d)) {
        std::string_view name(entry->d_name);
        if (name.size() != prefix.size() + kTempUniqueLength ||
            name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        std::string temp = (slash == std::string::npos ? std::string() : dir) + std::string(name);
        int fd = ::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(temp.c_str());
        }
        ::close(fd);
    }
    ::closedir(d);
}

bool ReplaceFile(const std::string& requested_path, const std::function<bool(std::ostream&)>& write,
                 bool sync) {
    const std::string path = SaveTarget(requested_path);
    std::string temp = path + kTempInfix + "XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    // Held until the rename: tells a concurrent save that this file is still being
    // written (see RemoveAbandonedTempFiles).
    ::flock(fd, LOCK_EX);
    bool ok = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            try {
                ok = write(out) && out.good();
            } catch (const std::exception&) { // out of memory while building the content
                ok = false;
            }
            out.flush();
            ok = ok && out.good();
            out.close();
            ok = ok && !out.fail();
        }
    }
    if (ok && sync) {
        // The content must be on the disk before the name points at it, or a power cut
        // could leave an empty file where the seller's listing was.
        ok = ::fsync(fd) == 0;
    }
    if (ok) {
        ::chmod(temp.c_str(), SaveMode(path));
        ok = std::rename(temp.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        std::remove(temp.c_str());
    }
    ::close(fd);
    if (ok) {
        RemoveAbandonedTempFiles(path);
    }
    return ok;
}

} // namespace

bool SaveFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write) {
    return ReplaceFile(path, write, /*sync=*/true);
}

bool SaveScratchFile(const std::string& path, const std::function<bool(std::ostream&)>& write) {
    return ReplaceFile(path, write, /*sync=*/false);
}

bool SaveBytesAtomically(const std::string& path, std::string_view bytes) {
    return SaveFileAtomically(path, [&](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return out.good();
    });
}

bool ReadFilePrefix(const std::string& path, std::size_t max_bytes, std::string& out) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    out.assign(max_bytes, '\0');
    in.read(out.data(), static_cast<std::streamsize>(max_bytes));
    if (in.bad()) {
        out.clear();
        return false;
    }
    out.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& out) try {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return false;
    }
    std::streamoff size = in.tellg();
    if (size < 0) {
        return false;
    }
    in.seekg(0);
    out.assign(static_cast<std::size_t>(size), '\0');
    in.read(out.data(), size);
    if (in.bad() || in.gcount() != size) {
        out.clear();
        return false;
    }
    return true;
} catch (const std::exception&) { // no memory for a file of that size
    std::string().swap(out);
    return false;
}

} // namespace hanamori
