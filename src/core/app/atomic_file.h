#pragma once
// Saving files so that a failure never leaves a half-written file behind: the content
// goes to a temporary file in the same directory, which then replaces the old one.
// Also every other operating-system call that writers sharing a file need: what a file
// looked like when it was read, locks between processes, and claiming a new name. A
// port to another system changes this file and atomic_file.cpp only.

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// Calls `write` on a stream into a temporary file beside `path`; when `write` returns
// true and every byte reached the disk, renames the temporary file over `path`.
// Returns false (and removes the temporary file, keeping the old `path` whole) when
// the directory is missing or not writable, `write` fails, or any write is short.
bool SaveFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write);

// The same for the scratch files in work/ (pages, mails, the overview), which are
// rewritten at will: replaced whole, but not forced to the disk first.
bool SaveScratchFile(const std::string& path, const std::function<bool(std::ostream&)>& write);

// Writes `bytes` as the whole content of `path`, atomically.
bool SaveBytesAtomically(const std::string& path, std::string_view bytes);

// One file of a save that replaces several files together.
struct PlannedFile {
    std::string path;
    std::string bytes;
};

// How a save of several files ended: on failure, the file it concerns and the system's
// error number.
struct SaveTogetherResult {
    bool ok = true;
    std::string path;
    int error = 0;
};

// Replaces every file of `files` with its bytes, or none of them. Each new content is
// written beside its file and forced to the disk first; a file that cannot be prepared
// (a read-only directory, a full disk) or is write-protected (IsWriteProtected) ends the
// save before anything is replaced, and every prepared file is removed. Then the planned
// replacements are recorded in `journal`, carried out and the record removed, so that a save killed
// part-way is completed by FinishSaveTogether. The caller holds a lock that keeps other writers of
// these files (and of `journal`) out.
SaveTogetherResult SaveFilesTogether(const std::string& journal,
                                     const std::vector<PlannedFile>& files);

// Completes a SaveFilesTogether that was cut off after it recorded its plan in
// `journal` (every new content is whole then); without a record, removes what a save
// cut off earlier prepared for any of `paths`. Called with the same lock held, before
// the files are read or written.
void FinishSaveTogether(const std::string& journal, const std::vector<std::string>& paths);

enum class ClaimResult { Claimed, Taken, Failed };

// Writes a new file: the content goes to a temporary file beside `path` as in
// SaveFileAtomically, which is then given the name `path` only when nothing of that
// name exists: a rename that refuses to replace, else (a file system without it) a
// hard link, else (without hard links either) a rename under the lock of `path`, which
// every writer of the name holds. So the name never shows an empty or partial file,
// and two writers never both get it. Taken when `path` exists; Failed when the
// directory or a write refuses (nothing is left then).
ClaimResult SaveNewFileAtomically(const std::string& path,
                                  const std::function<bool(std::ostream&)>& write);

// The system calls that give a saved file its name, each returning 0 or -1 with errno
// set as the system does. Tests replace them to act out file systems that lack one
// (errno EINVAL for a rename that cannot refuse, EPERM for no hard links).
struct NamingCalls {
    int (*rename_noreplace)(const char* from, const char* to);
    int (*link)(const char* from, const char* to);
    int (*rename)(const char* from, const char* to);
};
// The calls in use; the system's own unless a test changed them.
NamingCalls& FileNamingCalls();

// The file at `path` exists and may not be written: it has no write permission for
// anyone (the seller's mark of a finished file), or none for this user. A save or a
// delete of such a file is refused, even where the directory would allow it.
bool IsWriteProtected(const std::string& path);

// Removes the temporary files of saves in `dir` that were killed before they ended:
// those older than `min_age` that no running save holds. Never touches anything else.
void RemoveAbandonedSaveFiles(const std::string& dir, std::chrono::seconds min_age);

// What a file looked like: a save replaces the file (a new file takes its name), so
// any completed write by anyone changes one of these.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified_ns = 0; // last modification, nanoseconds since the epoch
    bool operator==(const FileStamp&) const = default;
};
// The stamp of `path` now (exists false when there is nothing of that name).
FileStamp StampOf(const std::string& path);

// An exclusive lock between processes, held while the object lives. The lock file
// exists only while the lock is held (or after its holder was killed: the system
// drops the lock of a dead process, so such a file never blocks anyone).
class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
    bool held() const { return m_fd >= 0; }
    // Not held because another holder kept it for the whole wait (else the lock file
    // could not be made: a missing or read-only directory).
    bool busy() const { return m_busy; }
    void Release();

private:
    friend FileLock LockFile(const std::string& lock_path, std::chrono::milliseconds wait);
    int m_fd = -1;
    bool m_busy = false;
    std::string m_path;
};
// Takes the lock of `lock_path`, waiting up to `wait` for another holder to let go.
// Not held when the wait ran out or the lock file cannot be created.
FileLock LockFile(const std::string& lock_path, std::chrono::milliseconds wait);

// Reads at most `max_bytes` of a file; nullopt-like false when it cannot be opened.
bool ReadFilePrefix(const std::string& path, std::size_t max_bytes, std::string& out);
// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);

// Reads all of `path` (standard input when `standard_input`), at most `limit` bytes.
// False with the reason in `problem` when it cannot be opened or read, is a directory,
// or holds more than `limit`; then nothing more than `limit` was ever held in memory.
bool ReadInputBounded(const std::string& path, bool standard_input, std::size_t limit,
                      std::string& out, std::string& problem);

enum class PathKind { Missing, Regular, Directory, Other };
// What `path` names now (Other: a device, a FIFO, a socket).
PathKind KindOf(const std::string& path);

} // namespace hanamori
