#include "core/app/atomic_file.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
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

bool ReplaceFile(const std::string& requested_path, const std::function<bool(std::ostream&)>& write,
                 bool sync) {
    const std::string path = SaveTarget(requested_path);
    std::string temp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    bool ok = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            ok = write(out) && out.good();
            out.flush();
            ok = ok && out.good();
            out.close();
            ok = ok && !out.fail();
        }
    }
    if (ok && sync) {
        // The content must be on the disk before the name points at it, or a power cut
        // could leave an empty file where the seller's listing was.
        int sync_fd = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
        ok = sync_fd >= 0 && ::fsync(sync_fd) == 0;
        if (sync_fd >= 0) {
            ::close(sync_fd);
        }
    }
    if (ok) {
        ::chmod(temp.c_str(), SaveMode(path));
        ok = std::rename(temp.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        std::remove(temp.c_str());
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

bool ReadWholeFile(const std::string& path, std::string& out) {
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
}

} // namespace hanamori
