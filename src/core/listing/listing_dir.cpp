#include "core/listing/listing_dir.h"

#include "core/listing/listing_file.h"
#include "core/listing/manage_no.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {
namespace {

constexpr char kListingExtension[] = ".rks";
constexpr std::size_t kExtensionLength = sizeof kListingExtension - 1;

bool HasListingExtension(const char* name, std::size_t length) {
    return length >= kExtensionLength &&
           std::char_traits<char>::compare(name + length - kExtensionLength, kListingExtension,
                                           kExtensionLength) == 0;
}

// The entry of the directory `dir` is a directory (or a link to one).
bool IsDirectoryEntry(DIR* dir, const dirent* entry) {
    if (entry->d_type == DT_DIR) {
        return true;
    }
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) {
        return false;
    }
    struct stat st {};
    return ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// The first eight bytes of `name` from `from` on as one number that orders as they do
// (unsigned), a short name padded with zeros.
std::uint64_t EightBytesAt(const std::string& name, std::size_t from) {
    std::uint64_t bits = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        bits = (bits << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0U);
    }
    return bits;
}

// Sorts `names` by their bytes (unsigned), as std::string compares them. A Datas
// directory holds thousands of names of about sixteen bytes, so they are ordered by
// their first sixteen bytes held as two numbers, and only names that share those are
// compared whole.
void SortByBytes(std::vector<std::string>& names) {
    struct Key {
        std::uint64_t high;
        std::uint64_t low;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        keys.push_back({EightBytesAt(names[i], 0), EightBytesAt(names[i], 8), i});
    }
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.high != b.high) {
            return a.high < b.high;
        }
        if (a.low != b.low) {
            return a.low < b.low;
        }
        return names[a.index] < names[b.index];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const Key& key : keys) {
        sorted.push_back(std::move(names[key.index]));
    }
    names = std::move(sorted);
}

// The local time the management number of a listing file's name stands for.
std::optional<std::time_t> NumberedTime(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (HasListingExtension(name.data(), name.size())) {
        name.remove_suffix(kExtensionLength);
    }
    return ManageNoTime(name);
}

// Linux has no creation time that every file system keeps, and a save replaces the
// file (write a new one, rename it over the old), so the file system's birth time is
// that of the last save. A listing's management number is the time it was created,
// which is never later than its first save: the earlier of the two is shown. Files
// whose name is not a management number show the birth time where the file system
// records it, else the last status change time.
void TimesFromStatx(std::string_view path, const struct statx& sx, ListingFileTimes& times) {
    times.known = true;
    times.saved = static_cast<std::time_t>(sx.stx_mtime.tv_sec);
    times.created = (sx.stx_mask & STATX_BTIME) != 0
                        ? static_cast<std::time_t>(sx.stx_btime.tv_sec)
                        : static_cast<std::time_t>(sx.stx_ctime.tv_sec);
    if (auto numbered = NumberedTime(path); numbered && *numbered < times.created) {
        times.created = *numbered;
    }
}

constexpr std::size_t kKeptBufferBytes = std::size_t{4} << 20;

constexpr unsigned kTimesMask = STATX_BTIME | STATX_MTIME | STATX_CTIME | STATX_SIZE | STATX_TYPE;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads the listing file at `path` (relative to `dir_fd`) into `listing` through
// `buffer`, and its times when asked for; false when it cannot be opened, is not a
// regular file or is not a whole listing.
bool ReadListingFileAt(int dir_fd, const char* path, SaleMaster& listing, ListingFileTimes* times,
                       const ListingTexts& texts, std::string& buffer) {
    // Non-blocking, so that a FIFO that carries a listing's name cannot stall the open
    // (it is then refused as not a regular file); regular files ignore the flag.
    FileDescriptor fd(::openat(dir_fd, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct statx sx {};
    if (fd.get() < 0) {
        // Unreadable (no permission, vanished): still show its times when we can.
        if (times && ::statx(dir_fd, path, 0, kTimesMask, &sx) == 0) {
            TimesFromStatx(path, sx, *times);
        }
        return false;
    }
    if (::statx(fd.get(), "", AT_EMPTY_PATH, kTimesMask, &sx) != 0 || !S_ISREG(sx.stx_mode)) {
        return false;
    }
    if (times) {
        TimesFromStatx(path, sx, *times);
    }
    return ReadListingFromFile(fd.get(), static_cast<std::size_t>(sx.stx_size), listing, texts,
                               buffer);
}

bool ReadListingAt(int dir_fd, const char* path, SaleMaster& listing, ListingFileTimes* times,
                   const ListingTexts& texts) {
    thread_local std::string buffer;
    const bool ok = ReadListingFileAt(dir_fd, path, listing, times, texts, buffer);
    if (buffer.capacity() > kKeptBufferBytes) {
        std::string().swap(buffer); // a huge file does not pin its memory
    }
    if (ok) {
        // A read writes every field but the working copy of the bidders, which no file
        // holds.
        listing.customers_edit.Clear();
    } else {
        // Nothing half-read, and nothing of an earlier file, leaves this function.
        listing = SaleMaster();
    }
    return ok;
}

} // namespace

std::string JoinDatasPath(const std::string& datas_dir, const std::string& file_name) {
    if (!datas_dir.empty() && datas_dir.back() == '/') {
        return datas_dir + file_name;
    }
    return datas_dir + "/" + file_name;
}

std::string ListingStem(const std::string& file_name) {
    if (HasListingExtension(file_name.c_str(), file_name.size())) {
        return file_name.substr(0, file_name.size() - kExtensionLength);
    }
    return file_name;
}

std::vector<std::string> ListingFileNames(const std::string& datas_dir) {
    return ListingDirectory(datas_dir).FileNames();
}

bool ReadListingWithTimes(const std::string& path, SaleMaster& listing, ListingFileTimes* times,
                          const ListingTexts& texts) {
    return ReadListingAt(AT_FDCWD, path.c_str(), listing, times, texts);
}

ListingDirectory::ListingDirectory(const std::string& datas_dir)
    : m_dir(::opendir(datas_dir.c_str())) {}

ListingDirectory::~ListingDirectory() {
    if (m_dir != nullptr) {
        ::closedir(m_dir);
    }
}

std::vector<std::string> ListingDirectory::FileNames() {
    std::vector<std::string> names;
    if (m_dir == nullptr) {
        return names;
    }
    ::rewinddir(m_dir);
    while (const dirent* entry = ::readdir(m_dir)) {
        std::size_t length = std::char_traits<char>::length(entry->d_name);
        if (HasListingExtension(entry->d_name, length) && !IsDirectoryEntry(m_dir, entry)) {
            names.emplace_back(entry->d_name, length);
        }
    }
    SortByBytes(names);
    return names;
}

bool ListingDirectory::Read(const std::string& file_name, SaleMaster& listing,
                            ListingFileTimes* times, const ListingTexts& texts) const {
    if (m_dir == nullptr) {
        listing = SaleMaster();
        return false;
    }
    return ReadListingAt(::dirfd(m_dir), file_name.c_str(), listing, times, texts);
}

std::string FormatListTime(std::time_t t) {
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return std::string();
    }
    // As strftime's "%y/%m/%d %H:%M" writes it, digit by digit: strftime looks at the
    // time zone file on every call and snprintf costs more than the row's reading.
    auto two = [](char* at, int value) {
        at[0] = static_cast<char>('0' + value / 10 % 10);
        at[1] = static_cast<char>('0' + value % 10);
    };
    std::string out = "00/00/00 00:00";
    two(&out[0], (local.tm_year % 100 + 100) % 100);
    two(&out[3], local.tm_mon + 1);
    two(&out[6], local.tm_mday);
    two(&out[9], local.tm_hour);
    two(&out[12], local.tm_min);
    return out;
}

} // namespace hanamori
