#include "core/settings/settings_files.h"

#include "core/app/atomic_file.h"
#include "core/app/os.h"
#include "core/app/profile_file.h"
#include "core/app/record_fields.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <type_traits>
#include <vector>

namespace hanamori {
namespace {

std::string SettingsPath(const std::string& dir, const std::string& name) {
    return dir + kSettingsDirName + name;
}

const UserSettings& Defaults() {
    static const UserSettings defaults;
    return defaults;
}

// One group of fields read from an INI section. A missing key gives the field's value
// in `defaults`; side-file texts are read with the group's side files.
template <class Record> struct IniFieldReader {
    const ProfileFile& file;
    const std::string& section;
    Record& record;
    const Record& defaults;
    void Line(const char* key, std::string Record::*m, std::size_t capacity) {
        record.*m = file.GetString(section, key, defaults.*m, capacity);
    }
    void Int(const char* key, std::int32_t Record::*m, const char* own_section = nullptr) {
        record.*m = file.GetInt(own_section ? own_section : section, key, defaults.*m);
    }
    void SideText(const char*, std::string Record::*, const char*, std::size_t) {}
};

// Writes the fields of a group; with `as_read`, only those that differ from it, so that
// every other value keeps its bytes in the file. `changed` counts the values written.
template <class Record> struct IniFieldWriter {
    ProfileFile& file;
    const std::string& section;
    const Record& record;
    const Record* as_read;
    int& changed;
    template <class M> bool Changed(M Record::*m) {
        if (as_read && record.*m == as_read->*m) {
            return false;
        }
        ++changed;
        return true;
    }
    void Line(const char* key, std::string Record::*m, std::size_t) {
        if (Changed(m)) {
            file.SetString(section, key, record.*m);
        }
    }
    void Int(const char* key, std::int32_t Record::*m, const char* own_section = nullptr) {
        if (Changed(m)) {
            file.SetInt(own_section ? own_section : section, key, record.*m);
        }
    }
    void SideText(const char*, std::string Record::*, const char*, std::size_t) {}
};

// Reading and writing share one description of where each group lives: the binder
// functions below name every section once and are run with a reader or a writer.
struct IniReader {
    const ProfileFile& file;
    template <class Record>
    void Group(const std::string& section, Record& record, const Record& defaults) {
        Record::Fields(IniFieldReader<Record>{file, section, record, defaults});
    }
    void Int(const std::string& section, const char* key, std::int32_t& value,
             std::int32_t fallback) {
        value = file.GetInt(section, key, fallback);
    }
};

// `as_read` (or nullptr: write every value) is handed the same part of the record as
// read, in the place where the reader takes the defaults.
struct IniWriter {
    ProfileFile& file;
    bool everything;
    int changed = 0;
    template <class Record>
    void Group(const std::string& section, const Record& record, const Record& as_read) {
        Record::Fields(IniFieldWriter<Record>{file, section, record,
                                              everything ? nullptr : &as_read, changed});
    }
    void Int(const std::string& section, const char* key, const std::int32_t& value,
             std::int32_t as_read) {
        if (everything || value != as_read) {
            file.SetInt(section, key, value);
            ++changed;
        }
    }
};

template <class Io, class Settings> void BindMain(Io& io, Settings& s, const UserSettings& other) {
    io.Group(kMainSection, s.hanamo, other.hanamo);
}

template <class Io, class Settings>
void BindPersonal(Io& io, Settings& s, const UserSettings& other) {
    for (std::size_t i = 0; i < kProfileCount; ++i) {
        std::string section = i == 0 ? "PERSONAL" : StrPrintf("PERSONAL%zu", i);
        io.Group(section, s.personal[i], other.personal[i]);
    }
    io.Int("PERSONAL_WHOLE", "def_pers", s.def_pers, other.def_pers);
}

template <class Io, class Settings> void BindBanks(Io& io, Settings& s, const UserSettings& other) {
    for (std::size_t i = 0; i < kBankCount; ++i) {
        io.Group(StrPrintf("BANK%zu", i), s.bank[i], other.bank[i]);
    }
}

template <class Io, class Settings>
void BindPostal(Io& io, Settings& s, const UserSettings& other) {
    for (std::size_t i = 0; i < kPostalCount; ++i) {
        io.Group(StrPrintf("YUUBIN%zu", i), s.yuubin[i], other.yuubin[i]);
    }
}

template <class Io, class Settings>
void BindOtherPayment(Io& io, Settings& s, const UserSettings& other) {
    io.Group("ETC", s.etc, other.etc);
}

template <class Io, class Settings>
void BindItemInfo(Io& io, Settings& s, const UserSettings& other) {
    io.Group("ITEM_INFO", s.item_info, other.item_info);
}

template <class Io, class Settings>
void BindPayment(Io& io, Settings& s, const UserSettings& other) {
    io.Group("PAYMENT", s.payment, other.payment);
}

template <class Io, class Settings>
void BindSendMethod(Io& io, Settings& s, const UserSettings& other) {
    io.Group("SEND_METHOD", s.send_method, other.send_method);
}

template <class Io, class Settings>
void BindShippingOptions(Io& io, Settings& s, const UserSettings& other) {
    io.Group("SEND_METHOD_OPT", s.send_opt, other.send_opt);
}

template <class Bind> void LoadIni(UserSettings& s, const std::string& path, Bind bind) {
    ProfileFile file;
    file.Load(path);
    IniReader reader{file};
    bind(reader, s, Defaults());
}

// One side file: its name under user.ini/, the text it holds and how much of it is read.
template <class Text> struct SideFile {
    std::string name;
    Text* text;
    std::size_t limit;
};

template <class Record>
using TextOf = std::conditional_t<std::is_const_v<Record>, const std::string, std::string>;

// Adds the side files of `record` in the order of its fields (`index`: the profile).
template <class Record>
void AddSideFiles(std::vector<SideFile<TextOf<Record>>>& files, Record& record, int index = 0) {
    struct Collect {
        std::vector<SideFile<TextOf<Record>>>& files;
        int index;
        void Line(const char*, const std::string&, std::size_t) {}
        void Int(const char*, const std::int32_t&) {}
        void SideText(const char*, TextOf<Record>& text, const char* file, std::size_t capacity) {
            files.push_back({SideFileName(file, index), &text, capacity - 1});
        }
    };
    VisitFields(record, Collect{files, index});
}

template <class Record> std::vector<SideFile<TextOf<Record>>> SideFilesOf(Record& record) {
    std::vector<SideFile<TextOf<Record>>> files;
    AddSideFiles(files, record);
    return files;
}

template <class Settings> auto ProfileSideFiles(Settings& s) {
    std::vector<SideFile<TextOf<Settings>>> files;
    for (std::size_t i = 0; i < kProfileCount; ++i) {
        AddSideFiles(files, s.personal[i], static_cast<int>(i));
    }
    return files;
}

// A group's side files, read in order. A missing file reads as empty; one that exists
// but cannot be read stops the group, and it and the later files are marked unread.
bool LoadSideFiles(UserSettings& s, const std::string& dir,
                   const std::vector<SideFile<std::string>>& files) {
    bool stopped = false;
    for (const SideFile<std::string>& file : files) {
        if (stopped) {
            s.unread_side_files.insert(file.name);
            continue;
        }
        std::string path = SettingsPath(dir, file.name);
        const PathKind kind = KindOf(path);
        if (kind == PathKind::Missing) {
            file.text->clear();
            s.unread_side_files.erase(file.name);
            continue;
        }
        std::string text;
        if (kind != PathKind::Regular || !ReadFilePrefix(path, file.limit, text)) {
            s.unread_side_files.insert(file.name);
            stopped = true;
            continue;
        }
        *file.text = std::move(text);
        s.unread_side_files.erase(file.name);
    }
    return !stopped;
}

// Plans the side files of `files` that have to be written: with `as_read` (parallel to
// `files`), only the texts that changed or that could not be read and now are the
// seller's; never one still marked unread.
void PlanSideFiles(const UserSettings& s, const UserSettings* as_read, const std::string& dir,
                   const std::vector<SideFile<const std::string>>& files,
                   const std::vector<SideFile<const std::string>>& read,
                   std::vector<PlannedFile>& planned) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const SideFile<const std::string>& file = files[i];
        if (s.unread_side_files.count(file.name) != 0) {
            continue;
        }
        if (as_read && *file.text == *read[i].text &&
            as_read->unread_side_files.count(file.name) == 0) {
            continue;
        }
        planned.push_back({SettingsPath(dir, file.name), *file.text});
    }
}

// Every side file of the settings, in the order of the groups.
template <class Settings> std::vector<SideFile<TextOf<Settings>>> AllSideFiles(Settings& s) {
    std::vector<SideFile<TextOf<Settings>>> files = ProfileSideFiles(s);
    AddSideFiles(files, s.etc);
    AddSideFiles(files, s.item_info);
    AddSideFiles(files, s.payment);
    AddSideFiles(files, s.send_method);
    return files;
}

std::vector<std::string> IniPaths(const std::string& dir) {
    return {dir + kMainIniName, SettingsPath(dir, "personal.ini"), SettingsPath(dir, "bank.ini"),
            SettingsPath(dir, "cr_page.ini"), SettingsPath(dir, "send_opt.ini")};
}

// Every file the settings may write, for completing a save that was cut off.
std::vector<std::string> AllSettingsPaths(const std::string& dir) {
    std::vector<std::string> paths = IniPaths(dir);
    for (const auto& file : AllSideFiles(Defaults())) {
        paths.push_back(SettingsPath(dir, file.name));
    }
    return paths;
}

std::string JournalPath(const std::string& dir) {
    return dir + kMainIniName + ".journal";
}

// 0 when `path` is missing or can be read; else why it cannot be.
int ReadError(const std::string& path) {
    switch (KindOf(path)) {
    case PathKind::Missing:
        return 0;
    case PathKind::Directory:
        return EISDIR;
    case PathKind::Other:
        return EINVAL;
    case PathKind::Regular:
        break;
    }
    return OpenForReadingError(path);
}

SettingsWrite WriteFailure(const std::string& path, int error) {
    return SettingsWrite{false, path, std::strerror(error), error};
}

} // namespace

bool LoadMainSettings(UserSettings& s, const std::string& dir) {
    ProfileFile file;
    bool read = file.Load(dir + kMainIniName);
    IniReader reader{file};
    BindMain(reader, s, Defaults());
    if (s.hanamo.overdue_days < 0) {
        s.hanamo.overdue_days = kDefaultOverdueDays;
    }
    return read;
}

bool LoadPersonal(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "personal.ini"),
            [](auto& io, auto& st, const auto& d) { BindPersonal(io, st, d); });
    return LoadSideFiles(s, dir, ProfileSideFiles(s));
}

bool LoadBanks(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "bank.ini"),
            [](auto& io, auto& st, const auto& d) { BindBanks(io, st, d); });
    return true;
}

bool LoadPostal(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "bank.ini"),
            [](auto& io, auto& st, const auto& d) { BindPostal(io, st, d); });
    return true;
}

bool LoadOtherPayment(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "bank.ini"),
            [](auto& io, auto& st, const auto& d) { BindOtherPayment(io, st, d); });
    return LoadSideFiles(s, dir, SideFilesOf(s.etc));
}

bool LoadItemInfo(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"),
            [](auto& io, auto& st, const auto& d) { BindItemInfo(io, st, d); });
    return LoadSideFiles(s, dir, SideFilesOf(s.item_info));
}

bool LoadPaymentDefaults(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"),
            [](auto& io, auto& st, const auto& d) { BindPayment(io, st, d); });
    return LoadSideFiles(s, dir, SideFilesOf(s.payment));
}

bool LoadSendMethodDefaults(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"),
            [](auto& io, auto& st, const auto& d) { BindSendMethod(io, st, d); });
    return LoadSideFiles(s, dir, SideFilesOf(s.send_method));
}

bool LoadShippingOptions(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "send_opt.ini"),
            [](auto& io, auto& st, const auto& d) { BindShippingOptions(io, st, d); });
    return true;
}

bool LoadAllSettings(UserSettings& s, const std::string& dir) {
    LoadMainSettings(s, dir);
    LoadPersonal(s, dir);
    LoadBanks(s, dir);
    LoadPostal(s, dir);
    LoadOtherPayment(s, dir);
    LoadItemInfo(s, dir);
    LoadPaymentDefaults(s, dir);
    LoadSendMethodDefaults(s, dir);
    LoadShippingOptions(s, dir);
    return true;
}

SettingsWrite SaveAllSettings(const UserSettings& s, const std::string& dir,
                              const UserSettings* as_read) {
    // Several groups share an INI file: each is made whole in memory, and then every
    // file that changes is replaced in one go (see SaveFilesTogether).
    const std::vector<std::string> paths = IniPaths(dir);
    std::map<std::string, ProfileFile> inis;
    for (const std::string& path : paths) {
        // A file that cannot be read would lose every value not written now.
        if (int error = ReadError(path); error != 0) {
            return WriteFailure(path, error);
        }
        inis[path].Load(path);
    }
    const UserSettings& read = as_read ? *as_read : s;
    std::map<std::string, int> changed;
    auto write = [&](const std::string& path, auto bind) {
        // A file that is not there yet gets every key, as on a first start.
        IniWriter writer{inis.at(path), as_read == nullptr || KindOf(path) == PathKind::Missing};
        bind(writer);
        changed[path] += writer.changed;
    };
    write(paths[0], [&](IniWriter& w) { BindMain(w, s, read); });
    write(paths[1], [&](IniWriter& w) { BindPersonal(w, s, read); });
    write(paths[2], [&](IniWriter& w) {
        BindBanks(w, s, read);
        BindPostal(w, s, read);
        BindOtherPayment(w, s, read);
    });
    write(paths[3], [&](IniWriter& w) {
        BindItemInfo(w, s, read);
        BindPayment(w, s, read);
        BindSendMethod(w, s, read);
    });
    write(paths[4], [&](IniWriter& w) { BindShippingOptions(w, s, read); });

    std::vector<PlannedFile> planned;
    for (const std::string& path : paths) {
        if (as_read == nullptr || changed[path] > 0) {
            planned.push_back({path, inis.at(path).Text()});
        }
    }
    PlanSideFiles(s, as_read, dir, AllSideFiles(s), AllSideFiles(read), planned);
    SaveTogetherResult result = SaveFilesTogether(JournalPath(dir), planned);
    if (!result.ok) {
        return WriteFailure(result.path, result.error);
    }
    return {};
}

std::string UnreadableSettingsFile(const UserSettings& s, const std::string& dir) {
    for (const std::string& path : IniPaths(dir)) {
        if (ReadError(path) != 0) {
            return path;
        }
    }
    for (const auto& file : AllSideFiles(s)) {
        if (s.unread_side_files.count(file.name) != 0) {
            return SettingsPath(dir, file.name);
        }
    }
    return {};
}

std::string SideFileName(std::string_view name, int index) {
    if (index == 0) {
        return std::string(name);
    }
    std::size_t dot = name.rfind('.');
    return std::string(name.substr(0, dot)) + std::to_string(index) +
           std::string(name.substr(dot == std::string_view::npos ? name.size() : dot));
}

FileLock LockSettings(const std::string& dir) {
    FileLock lock = LockFile(dir + kMainIniName + ".lock", std::chrono::seconds(5));
    if (lock.held()) {
        FinishSaveTogether(JournalPath(dir), AllSettingsPaths(dir));
    }
    return lock;
}

void ReadSettingsFiles(UserSettings& s, const std::string& dir) {
    FileLock lock = LockSettings(dir);
    LoadAllSettings(s, dir);
}

UserSettings& Settings() {
    static UserSettings settings;
    return settings;
}

} // namespace hanamori
