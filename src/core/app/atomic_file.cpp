#include "core/app/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

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
constexpr char kLockSuffix[] = ".lock";
// How long a claim without a refusing rename or hard links waits for the name's lock.
constexpr std::chrono::milliseconds kClaimLockWait{5000};

// The error of a call the file system does not offer.
bool IsUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Only the kinds of file the program saves in its own directories, so that nothing of
// the seller's that happens to look alike is ever taken for one of ours.
bool IsOwnFileName(std::string_view name) {
    for (std::string_view extension : {".rks", ".ini", ".txt", ".html"}) {
        if (EndsWith(name, extension)) {
            return true;
        }
    }
    return false;
}

bool IsTempName(std::string_view name) {
    auto infix = name.rfind(kTempInfix);
    return infix != std::string_view::npos &&
           name.size() == infix + sizeof kTempInfix - 1 + kTempUniqueLength &&
           IsOwnFileName(name.substr(0, infix));
}

bool IsLockName(std::string_view name) {
    return EndsWith(name, kLockSuffix) &&
           IsOwnFileName(name.substr(0, name.size() - (sizeof kLockSuffix - 1)));
}

// Removes the entries of `dir` that `matches` names when nobody holds a lock on them
// and they were last written at least `min_age` ago. A save in progress holds a lock
// on its temporary file, a lock holder on its lock file, so only abandoned ones go.
void RemoveUnheldFiles(const std::string& dir, const std::function<bool(std::string_view)>& matches,
                       std::chrono::seconds min_age) {
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        return;
    }
    const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    const auto newest = std::chrono::system_clock::now() - min_age;
    while (const dirent* entry = ::readdir(d)) {
        std::string_view name(entry->d_name);
        if (!matches(name)) {
            continue;
        }
        std::string path = prefix + std::string(name);
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec) <= newest &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
    ::closedir(d);
}

// Removes the temporary files that earlier saves of `path` left behind when they were
// killed before their rename.
void RemoveAbandonedTempFiles(const std::string& path) {
    auto slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + kTempInfix;
    RemoveUnheldFiles(
        dir,
        [&](std::string_view name) {
            return name.size() == prefix.size() + kTempUniqueLength &&
                   name.substr(0, prefix.size()) == prefix;
        },
        std::chrono::seconds(0));
}

// A save's content in its temporary file beside the file it is for. The file is locked
// while it is open (see RemoveUnheldFiles) and removed on Close unless it was renamed.
class TempFile {
public:
    explicit TempFile(const std::string& path) : m_name(path + kTempInfix + "XXXXXX") {
        m_fd = ::mkstemp(m_name.data());
        if (m_fd >= 0) {
            ::flock(m_fd, LOCK_EX);
        }
    }
    ~TempFile() {
        if (m_fd >= 0) {
            ::unlink(m_name.c_str());
            ::close(m_fd);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& name() const { return m_name; }

    // Writes the content; with `sync`, it is on the disk before true is returned.
    bool Write(const std::function<bool(std::ostream&)>& write, bool sync, mode_t mode) {
        if (m_fd < 0) {
            return false;
        }
        bool ok = false;
        std::ofstream out(m_name, std::ios::binary | std::ios::trunc);
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
        // The content must be on the disk before a name points at it, or a power cut
        // could leave an empty file where the seller's file was.
        ok = ok && (!sync || ::fsync(m_fd) == 0);
        return ok && ::fchmod(m_fd, mode) == 0;
    }

private:
    std::string m_name;
    int m_fd = -1;
};

bool ReplaceFile(const std::string& requested_path, const std::function<bool(std::ostream&)>& write,
                 bool sync) {
    const std::string path = SaveTarget(requested_path);
    bool ok = false;
    {
        TempFile temp(path);
        ok = temp.Write(write, sync, SaveMode(path)) &&
             std::rename(temp.name().c_str(), path.c_str()) == 0;
    }
    if (ok) {
        RemoveAbandonedTempFiles(path);
    }
    return ok;
}

// The name beside a file where a save of several files prepares its new content. Its
// tail is not one mkstemp makes, so the sweep of abandoned temporary files leaves it to
// FinishSaveTogether, which knows whether it is still needed.
constexpr char kPlannedSuffix[] = ".tmp-planned";

std::string PlannedName(const std::string& target) {
    return target + kPlannedSuffix;
}

// Writes `bytes` as the whole of `temp` with `mode`, on the disk before it returns true;
// otherwise `error` holds the system's error number.
bool WritePlannedFile(const std::string& temp, std::string_view bytes, mode_t mode, int& error) {
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errno;
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::fchmod(fd, mode) != 0) {
        error = errno;
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        error = errno;
        return false;
    }
    return true;
}

// Makes the renames in the directory of `path` reach the disk.
void SyncDirectoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void SyncDirectoriesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> done;
    for (const std::string& path : paths) {
        std::string dir = path.substr(0, path.find_last_of('/') + 1);
        if (std::find(done.begin(), done.end(), dir) == done.end()) {
            done.push_back(dir);
            SyncDirectoryOf(path);
        }
    }
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

ClaimResult SaveNewFileAtomically(const std::string& path,
                                  const std::function<bool(std::ostream&)>& write) {
    TempFile temp(path);
    if (!temp.Write(write, /*sync=*/true, SaveMode(path))) {
        return ClaimResult::Failed;
    }
    const NamingCalls& calls = FileNamingCalls();
    if (calls.rename_noreplace(temp.name().c_str(), path.c_str()) == 0) {
        return ClaimResult::Claimed;
    }
    if (errno == EEXIST) {
        return ClaimResult::Taken;
    }
    if (!IsUnsupported(errno)) {
        return ClaimResult::Failed;
    }
    if (calls.link(temp.name().c_str(), path.c_str()) == 0) {
        return ClaimResult::Claimed; // the temporary name goes with `temp`
    }
    if (errno == EEXIST) {
        return ClaimResult::Taken;
    }
    if (!IsUnsupported(errno) && errno != EPERM) {
        return ClaimResult::Failed;
    }
    // Neither: the name is looked at and given under the lock that every writer of it
    // holds, so nobody can take it in between, and it only ever shows the whole file.
    FileLock lock = LockFile(path + kLockSuffix, kClaimLockWait);
    if (!lock.held()) {
        return ClaimResult::Failed;
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        return ClaimResult::Taken;
    }
    if (errno != ENOENT || calls.rename(temp.name().c_str(), path.c_str()) != 0) {
        return ClaimResult::Failed;
    }
    return ClaimResult::Claimed;
}

NamingCalls& FileNamingCalls() {
    static NamingCalls calls{
        [](const char* from, const char* to) {
            return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
        },
        [](const char* from, const char* to) { return ::link(from, to); },
        [](const char* from, const char* to) { return std::rename(from, to); }};
    return calls;
}

bool IsWriteProtected(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    // The permission bits first: the administrator may write anything, but a file
    // marked read-only by its owner is still meant to stay as it is.
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

void RemoveAbandonedSaveFiles(const std::string& dir, std::chrono::seconds min_age) {
    RemoveUnheldFiles(
        dir, [](std::string_view name) { return IsTempName(name) || IsLockName(name); }, min_age);
}

FileStamp StampOf(const std::string& path) {
    struct stat st {};
    FileStamp stamp;
    if (::stat(path.c_str(), &st) != 0) {
        return stamp;
    }
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modified_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 +
                        static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return stamp;
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_busy(other.m_busy), m_path(std::move(other.m_path)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
        m_busy = other.m_busy;
        m_path = std::move(other.m_path);
    }
    return *this;
}

FileLock::~FileLock() {
    Release();
}

void FileLock::Release() {
    if (m_fd >= 0) {
        // Removed while still locked: whoever opened it meanwhile sees it gone once
        // they hold it, and starts again on a new file.
        ::unlink(m_path.c_str());
        ::close(m_fd);
        m_fd = -1;
    }
}

FileLock LockFile(const std::string& lock_path, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            return {};
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            struct stat held {
            }, named{};
            if (::fstat(fd, &held) == 0 && ::stat(lock_path.c_str(), &named) == 0 &&
                held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
                FileLock lock;
                lock.m_fd = fd;
                lock.m_path = lock_path;
                return lock;
            }
            ::close(fd); // the file lost its name to the holder before us
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK && error != EINTR) {
            return {};
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            FileLock busy;
            busy.m_busy = true;
            return busy;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
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

SaveTogetherResult SaveFilesTogether(const std::string& journal,
                                     const std::vector<PlannedFile>& files) {
    std::vector<std::string> targets;
    std::vector<std::string> temps;
    auto fail = [&](const std::string& path, int error) {
        for (const std::string& temp : temps) {
            ::unlink(temp.c_str());
        }
        return SaveTogetherResult{false, path, error != 0 ? error : EIO};
    };
    for (const PlannedFile& file : files) {
        const std::string target = SaveTarget(file.path);
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            return fail(file.path, EISDIR);
        }
        if (IsWriteProtected(target)) {
            return fail(file.path, EACCES);
        }
        temps.push_back(PlannedName(target));
        int error = 0;
        if (!WritePlannedFile(temps.back(), file.bytes, SaveMode(target), error)) {
            return fail(file.path, error);
        }
        targets.push_back(target);
    }
    // One file needs no plan: its rename alone replaces it whole.
    const bool planned = targets.size() > 1;
    if (planned) {
        std::string plan;
        for (const std::string& target : targets) {
            plan += target;
            plan += '\0'; // a path holds no NUL, whatever else it holds
        }
        errno = 0;
        if (!SaveBytesAtomically(journal, plan)) {
            return fail(journal, errno);
        }
        SyncDirectoryOf(journal);
    }
    SaveTogetherResult result;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (std::rename(temps[i].c_str(), targets[i].c_str()) != 0 && result.ok) {
            // The plan stays, so that the next holder of the lock completes the save.
            result = {false, files[i].path, errno};
        }
    }
    SyncDirectoriesOf(targets);
    if (planned && result.ok) {
        ::unlink(journal.c_str());
        SyncDirectoryOf(journal);
    }
    return result;
}

void FinishSaveTogether(const std::string& journal, const std::vector<std::string>& paths) {
    std::vector<std::string> targets;
    for (const std::string& path : paths) {
        targets.push_back(SaveTarget(path));
    }
    std::string plan;
    if (ReadWholeFile(journal, plan)) {
        // Only files the caller names are ever replaced, whatever the record holds.
        std::size_t start = 0;
        std::vector<std::string> replaced;
        while (start < plan.size()) {
            std::size_t end = plan.find('\0', start);
            if (end == std::string::npos) {
                break; // not a record this program wrote
            }
            std::string target = plan.substr(start, end - start);
            start = end + 1;
            if (std::find(targets.begin(), targets.end(), target) == targets.end()) {
                continue;
            }
            const std::string temp = PlannedName(target);
            if (::access(temp.c_str(), F_OK) == 0 &&
                std::rename(temp.c_str(), target.c_str()) == 0) {
                replaced.push_back(target);
            }
        }
        SyncDirectoriesOf(replaced);
        ::unlink(journal.c_str());
        SyncDirectoryOf(journal);
    }
    for (const std::string& target : targets) {
        ::unlink(PlannedName(target).c_str());
    }
}

bool ReadInputBounded(const std::string& path, bool standard_input, std::size_t limit,
                      std::string& out, std::string& problem) {
    const int fd = standard_input ? 0 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem = std::strerror(errno);
        return false;
    }
    struct Closer {
        int fd;
        bool own;
        ~Closer() {
            if (own) {
                ::close(fd);
            }
        }
    } closer{fd, !standard_input};
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        problem = "is a directory";
        return false;
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            problem = std::strerror(errno);
            return false;
        }
        if (got == 0) {
            out = std::move(text);
            return true;
        }
        if (static_cast<std::size_t>(got) > limit - text.size()) {
            problem =
                "larger than " + std::to_string(limit >> 20) + " MiB, more than is ever imported";
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

PathKind KindOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return PathKind::Missing;
    }
    if (S_ISREG(st.st_mode)) {
        return PathKind::Regular;
    }
    return S_ISDIR(st.st_mode) ? PathKind::Directory : PathKind::Other;
}

} // namespace hanamori
