#pragma once
// The operating system's file calls that the rest of the core needs beyond saving and
// locking (atomic_file.h): reading a file by a handle, walking a directory, removing a
// file, asking who runs the program. os_unix.cpp and os_win.cpp implement it side by
// side; no other file of the program includes a system header. Paths are UTF-8 here;
// on Windows they become UTF-16 at the system call.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace hanamori {

// What a file's handle or its name tells about it.
struct FileFacts {
    bool regular = false;
    std::int64_t size = 0;
    std::time_t saved = 0;   // last modification
    std::time_t created = 0; // creation where the file system keeps it, else last change
};

class FileDirectory;

// A file opened for reading, closed when the object goes. Opening does not wait: a
// FIFO or device that carries a file's name is opened and then refused as not regular.
class InputFile {
public:
    InputFile() = default;
    explicit InputFile(const std::string& path);
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    bool is_open() const;
    // The system's error number of a failed open (0 when open).
    int error() const { return m_error; }
    bool Facts(FileFacts& facts) const;
    // Reads up to `size` bytes into `into`: the count read, 0 at the end, -1 on an error.
    std::ptrdiff_t Read(char* into, std::size_t size);

private:
    friend class FileDirectory;
    void Close();
    std::intptr_t m_handle = -1;
    int m_error = 0;
};

// A directory held open while its files are looked up by their names in it.
class FileDirectory {
public:
    explicit FileDirectory(const std::string& path);
    FileDirectory(const FileDirectory&) = delete;
    FileDirectory& operator=(const FileDirectory&) = delete;
    ~FileDirectory();

    bool is_open() const;
    // The names of the entries that are not directories (nor links to one), in the
    // order the file system keeps.
    std::vector<std::string> FileNames();
    InputFile Open(const std::string& name) const;
    // The facts of `name` without opening it (a file this user may not read).
    bool FactsOf(const std::string& name, FileFacts& facts) const;

private:
    std::string m_path;
    void* m_dir = nullptr;
};

// The facts of the file at `path` without opening it.
bool FileFactsOf(const std::string& path, FileFacts& facts);

// Removes the file `path`; false with errno set as the system does.
bool RemoveFile(const std::string& path);

// 0 when the file at `path` can be opened for reading, else the system's error number.
int OpenForReadingError(const std::string& path);

// The program runs with the system's administrator rights (root).
bool RunsAsAdministrator();

} // namespace hanamori
