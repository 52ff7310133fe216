#include "support/test_support.h"

#include "core/app/helpers.h"
#include "core/listing/listing_file.h"
#include "core/text/cp932.h"

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <linux/fs.h>
#include <sstream>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace hanamori::test {

std::string ListingBytes(const SaleMaster& listing) {
    std::ostringstream out;
    EXPECT_TRUE(WriteListing(listing, out));
    return out.str();
}

std::string Le32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    return std::string{static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                       static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "hanamori-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    m_path = pattern + "/";
}

namespace {
bool SetImmutable(const std::string& path, bool on) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok && ((flags & FS_IMMUTABLE_FL) != 0) != on) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}
} // namespace

bool MakeUnwritable(const std::string& path) {
    ::chmod(path.c_str(), 0444);
    bool immutable = SetImmutable(path, true);
    return immutable || ::geteuid() != 0;
}

TempDir::~TempDir() {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        SetImmutable(it->path().string(), false);
    }
    // Make read-only test files removable again.
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(m_path, ec);
}

TempInstall::TempInstall(bool with_shipped_data) : m_previous(InstallDir()) {
    if (with_shipped_data) {
        fs::copy(SourceDir() + "/data", m_dir.path(), fs::copy_options::recursive);
    }
    for (const char* sub : {"Datas", "work", "template", "CostData", "user.ini", "help"}) {
        fs::create_directories(m_dir.path() + sub);
    }
    SetInstallDir(m_dir.path());
}

TempInstall::~TempInstall() {
    SetInstallDir(m_previous);
}

void ScriptedHost::ShowMessage(const std::string& text, MessageIcon icon) {
    messages.push_back({text, icon});
}

Answer ScriptedHost::AskYesNoCancel(const std::string& text, MessageIcon icon) {
    messages.push_back({text, icon});
    if (yes_no_cancel_answers.empty()) {
        return Answer::No;
    }
    Answer a = yes_no_cancel_answers.front();
    yes_no_cancel_answers.pop_front();
    return a;
}

bool ScriptedHost::AskYesNo(const std::string& text, MessageIcon icon) {
    messages.push_back({text, icon});
    if (yes_no_answers.empty()) {
        return false;
    }
    bool a = yes_no_answers.front();
    yes_no_answers.pop_front();
    return a;
}

OverwriteAnswer ScriptedHost::AskOverwrite(const std::string& text, MessageIcon icon) {
    if (overwrite_answers.empty()) {
        return Host::AskOverwrite(text, icon);
    }
    messages.push_back({text, icon});
    OverwriteAnswer a = overwrite_answers.front();
    overwrite_answers.pop_front();
    return a;
}

std::vector<std::string> ScriptedHost::MessagesUtf8() const {
    std::vector<std::string> out;
    for (const Message& m : messages) {
        out.push_back(m.utf8.empty() ? Cp932ToUtf8(m.text) : m.utf8);
    }
    return out;
}

std::string Sj(const std::string& utf8) {
    auto converted = Utf8ToCp932(utf8);
    EXPECT_TRUE(converted.has_value()) << "not representable in CP932: " << utf8;
    return converted.value_or(std::string());
}

std::string Utf8(const std::string& cp932) {
    return Cp932ToUtf8(cp932);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string SourceDir() {
    return HANAMORI_SOURCE_DIR;
}
std::string DistDir() {
    return HANAMORI_DIST_DIR;
}

std::string DaysAgo(int days) {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    tm.tm_mday -= days;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    std::mktime(&tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y/%m/%d", &tm);
    return buf;
}

} // namespace hanamori::test
