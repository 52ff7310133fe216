#pragma once
// Shared test helpers: temporary installation directories, a scripted host, file
// helpers and CP932 conversion for readable expectations.

#include "core/app/host.h"

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace hanamori {
struct SaleMaster;
}

namespace hanamori::test {

// A fresh directory that is removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The directory, ending in '/'.
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// A temporary installation directory with the standard subdirectories (Datas, work,
// template, CostData, user.ini, help), set as the program's installation directory
// for the object's lifetime. With `with_shipped_data`, the repository's data/ is
// copied in first.
class TempInstall {
public:
    explicit TempInstall(bool with_shipped_data = false);
    ~TempInstall();
    const std::string& dir() const { return m_dir.path(); }
    std::string operator/(const std::string& name) const { return m_dir / name; }

private:
    TempDir m_dir;
    std::string m_previous;
};

// Records every message and answers questions from a script (default No / Yes-No: No).
class ScriptedHost : public Host {
public:
    struct Message {
        std::string text; // CP932
        MessageIcon icon;
        std::string utf8 = {}; // a message shown in UTF-8, as it was given
    };
    std::vector<Message> messages;
    std::deque<Answer> yes_no_cancel_answers;
    std::deque<bool> yes_no_answers;
    // Answers to AskOverwrite; when none is left it is asked as a Yes/No question.
    std::deque<OverwriteAnswer> overwrite_answers;
    std::string clipboard;
    bool clipboard_fails = false; // the next copies are refused
    std::vector<std::string> opened_pages;

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ShowUtf8Message(const std::string& utf8, MessageIcon icon) override {
        messages.push_back({Utf8ToCp932Lossy(utf8), icon, utf8});
    }
    Answer AskYesNoCancel(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, MessageIcon icon) override;
    OverwriteAnswer AskOverwrite(const std::string& text, MessageIcon icon) override;
    bool SetClipboardText(const std::string& text) override {
        if (clipboard_fails) {
            return false;
        }
        clipboard = text;
        return true;
    }
    void OpenPage(const std::string& path) override { opened_pages.push_back(path); }

    // The messages as UTF-8, for readable assertions.
    std::vector<std::string> MessagesUtf8() const;
};

// UTF-8 to CP932 for test data; fails the test when it cannot be converted.
std::string Sj(const std::string& utf8);
// CP932 to UTF-8.
std::string Utf8(const std::string& cp932);

// Makes a file refuse every write, for root too (permissions, and the file system's
// immutable flag where it has one); TempDir lifts it again before cleaning up.
// Returns false when only the permissions could be set and the process is root, so
// the file is in fact still writable.
bool MakeUnwritable(const std::string& path);

std::string ReadFile(const std::string& path);
// A 32-bit integer as a listing file stores it (little-endian).
std::string Le32(std::int32_t value);
// The bytes of the listing file `listing` is saved as; fails the test when it cannot be.
std::string ListingBytes(const SaleMaster& listing);
void WriteFile(const std::string& path, const std::string& bytes);
// The repository's source directory and the build's installation directory.
// The local date `days` days before today, as the bidder tab writes it ("%Y/%m/%d").
std::string DaysAgo(int days);

std::string SourceDir();
std::string DistDir();

} // namespace hanamori::test
