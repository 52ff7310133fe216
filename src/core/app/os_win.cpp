// The file calls of os.h on Windows: UTF-16 paths at every system call, handles opened
// with every sharing mode so that a reader never blocks a save that replaces the file.
#ifdef _WIN32

#include "core/app/os.h"

#include <cerrno>
#include <windows.h>

namespace hanamori {
namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const wchar_t* wide) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(n - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    default:
        return EIO;
    }
}

// Seconds since the epoch of a FILETIME (100 ns steps since 1601).
std::time_t UnixTime(const FILETIME& ft) {
    const std::uint64_t ticks = (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
    return static_cast<std::time_t>(ticks / 10000000ULL) - 11644473600LL;
}

void FactsFromAttributes(DWORD attributes, const FILETIME& created, const FILETIME& written,
                         DWORD size_high, DWORD size_low, FileFacts& facts) {
    facts.regular = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
    facts.size = static_cast<std::int64_t>((std::uint64_t{size_high} << 32) | size_low);
    facts.saved = UnixTime(written);
    facts.created = UnixTime(created);
}

HANDLE OpenForReading(const std::string& path) {
    return ::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string JoinDir(const std::string& dir, const std::string& name) {
    if (!dir.empty() && (dir.back() == '/' || dir.back() == '\\')) {
        return dir + name;
    }
    return dir + "/" + name;
}

} // namespace

InputFile::InputFile(const std::string& path) {
    const HANDLE h = OpenForReading(path);
    m_handle = h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(h);
    m_error = h == INVALID_HANDLE_VALUE ? ErrnoOf(::GetLastError()) : 0;
}

void InputFile::Close() {
    if (m_handle != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
        m_handle = -1;
    }
}

bool InputFile::Facts(FileFacts& facts) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!is_open() || !::GetFileInformationByHandle(reinterpret_cast<HANDLE>(m_handle), &info)) {
        return false;
    }
    FactsFromAttributes(info.dwFileAttributes, info.ftCreationTime, info.ftLastWriteTime,
                        info.nFileSizeHigh, info.nFileSizeLow, facts);
    return true;
}

std::ptrdiff_t InputFile::Read(char* into, std::size_t size) {
    DWORD got = 0;
    const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (!::ReadFile(reinterpret_cast<HANDLE>(m_handle), into, want, &got, nullptr)) {
        errno = ErrnoOf(::GetLastError());
        return -1;
    }
    return static_cast<std::ptrdiff_t>(got);
}

// Windows keeps no directory handle to look names up in: the directory's path is kept
// and each name joined to it.
FileDirectory::FileDirectory(const std::string& path) : m_path(path) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        m_dir = &m_path;
    }
}

FileDirectory::~FileDirectory() = default;

bool FileDirectory::is_open() const {
    return m_dir != nullptr;
}

std::vector<std::string> FileDirectory::FileNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE h = ::FindFirstFileW(Wide(JoinDir(m_path, "*")).c_str(), &found);
    if (m_dir == nullptr || h == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(Narrow(found.cFileName));
        }
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
    return names;
}

InputFile FileDirectory::Open(const std::string& name) const {
    return InputFile(JoinDir(m_path, name));
}

bool FileDirectory::FactsOf(const std::string& name, FileFacts& facts) const {
    return m_dir != nullptr && FileFactsOf(JoinDir(m_path, name), facts);
}

bool FileFactsOf(const std::string& path, FileFacts& facts) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    FactsFromAttributes(data.dwFileAttributes, data.ftCreationTime, data.ftLastWriteTime,
                        data.nFileSizeHigh, data.nFileSizeLow, facts);
    return true;
}

bool RemoveFile(const std::string& path) {
    if (::DeleteFileW(Wide(path).c_str())) {
        return true;
    }
    errno = ErrnoOf(::GetLastError());
    return false;
}

int OpenForReadingError(const std::string& path) {
    const HANDLE h = OpenForReading(path);
    if (h == INVALID_HANDLE_VALUE) {
        return ErrnoOf(::GetLastError());
    }
    ::CloseHandle(h);
    return 0;
}

bool RunsAsAdministrator() {
    return false; // the sandbox question of the browser engine does not arise here
}

} // namespace hanamori

#endif
