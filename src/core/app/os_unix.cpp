// The file calls of os.h on Linux and other POSIX systems.
#ifndef _WIN32

#include "core/app/os.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {
namespace {

constexpr unsigned kFactsMask = STATX_BTIME | STATX_MTIME | STATX_CTIME | STATX_SIZE | STATX_TYPE;

// Linux has no creation time that every file system keeps: the birth time where it is
// recorded, else the last status change.
void FactsFromStatx(const struct statx& sx, FileFacts& facts) {
    facts.regular = S_ISREG(sx.stx_mode);
    facts.size = static_cast<std::int64_t>(sx.stx_size);
    facts.saved = static_cast<std::time_t>(sx.stx_mtime.tv_sec);
    facts.created = (sx.stx_mask & STATX_BTIME) != 0
                        ? static_cast<std::time_t>(sx.stx_btime.tv_sec)
                        : static_cast<std::time_t>(sx.stx_ctime.tv_sec);
}

bool StatxAt(int dir_fd, const char* path, int flags, FileFacts& facts) {
    struct statx sx {};
    if (::statx(dir_fd, path, flags, kFactsMask, &sx) != 0) {
        return false;
    }
    FactsFromStatx(sx, facts);
    return true;
}

int OpenAt(int dir_fd, const char* path) {
    return ::openat(dir_fd, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

int DirFd(void* dir) {
    return ::dirfd(static_cast<DIR*>(dir));
}

} // namespace

InputFile::InputFile(const std::string& path) {
    m_handle = OpenAt(AT_FDCWD, path.c_str());
    m_error = m_handle < 0 ? errno : 0;
}

void InputFile::Close() {
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
        m_handle = -1;
    }
}

bool InputFile::Facts(FileFacts& facts) const {
    return is_open() && StatxAt(static_cast<int>(m_handle), "", AT_EMPTY_PATH, facts);
}

std::ptrdiff_t InputFile::Read(char* into, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(m_handle), into, size);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

FileDirectory::FileDirectory(const std::string& path)
    : m_path(path), m_dir(::opendir(path.c_str())) {}

FileDirectory::~FileDirectory() {
    if (m_dir != nullptr) {
        ::closedir(static_cast<DIR*>(m_dir));
    }
}

bool FileDirectory::is_open() const {
    return m_dir != nullptr;
}

std::vector<std::string> FileDirectory::FileNames() {
    std::vector<std::string> names;
    if (m_dir == nullptr) {
        return names;
    }
    DIR* dir = static_cast<DIR*>(m_dir);
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        bool directory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st {};
            directory = ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (!directory) {
            names.emplace_back(entry->d_name);
        }
    }
    return names;
}

InputFile FileDirectory::Open(const std::string& name) const {
    InputFile file;
    if (m_dir == nullptr) {
        file.m_error = ENOENT;
        return file;
    }
    file.m_handle = OpenAt(DirFd(m_dir), name.c_str());
    file.m_error = file.m_handle < 0 ? errno : 0;
    return file;
}

bool FileDirectory::FactsOf(const std::string& name, FileFacts& facts) const {
    return m_dir != nullptr && StatxAt(DirFd(m_dir), name.c_str(), 0, facts);
}

bool FileFactsOf(const std::string& path, FileFacts& facts) {
    return StatxAt(AT_FDCWD, path.c_str(), 0, facts);
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

int OpenForReadingError(const std::string& path) {
    const int fd = OpenAt(AT_FDCWD, path.c_str());
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    return 0;
}

bool RunsAsAdministrator() {
    return ::geteuid() == 0;
}

} // namespace hanamori

#endif
