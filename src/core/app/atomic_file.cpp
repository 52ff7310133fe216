#include "core/app/atomic_file.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <unistd.h>

namespace hanamori {

namespace {

bool ReplaceFile(const std::string& path, const std::function<bool(std::ostream&)>& write,
                 bool sync) {
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
        ::chmod(temp.c_str(), 0644);
        ok = std::rename(temp.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        std::remove(temp.c_str());
    }
    return ok;
}

} // namespace

bool SaveFileAtomically(const std::string& path,
                        const std::function<bool(std::ostream&)>& write) {
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
