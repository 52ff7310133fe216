#include "core/settings/settings_files.h"

#include "core/app/atomic_file.h"
#include "core/app/profile_file.h"
#include "core/app/record_fields.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <cerrno>
#include <map>
#include <sys/stat.h>
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

template <class Record> struct IniFieldWriter {
    ProfileFile& file;
    const std::string& section;
    const Record& record;
    void Line(const char* key, std::string Record::*m, std::size_t) {
        file.SetString(section, key, record.*m);
    }
    void Int(const char* key, std::int32_t Record::*m, const char* own_section = nullptr) {
        file.SetInt(own_section ? own_section : section, key, record.*m);
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

struct IniWriter {
    ProfileFile& file;
    template <class Record>
    void Group(const std::string& section, const Record& record, const Record&) {
        Record::Fields(IniFieldWriter<Record>{file, section, record});
    }
    void Int(const std::string& section, const char* key, const std::int32_t& value, std::int32_t) {
        file.SetInt(section, key, value);
    }
};

template <class Io, class Settings> void BindMain(Io& io, Settings& s) {
    io.Group(kMainSection, s.hanamo, Defaults().hanamo);
}

template <class Io, class Settings> void BindPersonal(Io& io, Settings& s) {
    for (std::size_t i = 0; i < kProfileCount; ++i) {
        std::string section = i == 0 ? "PERSONAL" : StrPrintf("PERSONAL%zu", i);
        io.Group(section, s.personal[i], Defaults().personal[i]);
    }
    io.Int("PERSONAL_WHOLE", "def_pers", s.def_pers, 0);
}

template <class Io, class Settings> void BindBanks(Io& io, Settings& s) {
    for (std::size_t i = 0; i < kBankCount; ++i) {
        io.Group(StrPrintf("BANK%zu", i), s.bank[i], Defaults().bank[i]);
    }
}

template <class Io, class Settings> void BindPostal(Io& io, Settings& s) {
    for (std::size_t i = 0; i < kPostalCount; ++i) {
        io.Group(StrPrintf("YUUBIN%zu", i), s.yuubin[i], Defaults().yuubin[i]);
    }
}

template <class Io, class Settings> void BindOtherPayment(Io& io, Settings& s) {
    io.Group("ETC", s.etc, Defaults().etc);
}

template <class Io, class Settings> void BindItemInfo(Io& io, Settings& s) {
    io.Group("ITEM_INFO", s.item_info, Defaults().item_info);
}

template <class Io, class Settings> void BindPayment(Io& io, Settings& s) {
    io.Group("PAYMENT", s.payment, Defaults().payment);
}

template <class Io, class Settings> void BindSendMethod(Io& io, Settings& s) {
    io.Group("SEND_METHOD", s.send_method, Defaults().send_method);
}

template <class Io, class Settings> void BindShippingOptions(Io& io, Settings& s) {
    io.Group("SEND_METHOD_OPT", s.send_opt, Defaults().send_opt);
}

template <class Bind> void LoadIni(UserSettings& s, const std::string& path, Bind bind) {
    ProfileFile file;
    file.Load(path);
    IniReader reader{file};
    bind(reader, s);
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
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            file.text->clear();
            s.unread_side_files.erase(file.name);
            continue;
        }
        std::string text;
        if (!S_ISREG(st.st_mode) || !ReadFilePrefix(path, file.limit, text)) {
            s.unread_side_files.insert(file.name);
            stopped = true;
            continue;
        }
        *file.text = std::move(text);
        s.unread_side_files.erase(file.name);
    }
    return !stopped;
}

bool SaveSideFiles(const UserSettings& s, const std::string& dir,
                   const std::vector<SideFile<const std::string>>& files) {
    for (const SideFile<const std::string>& file : files) {
        if (s.unread_side_files.count(file.name) != 0) {
            continue;
        }
        if (!SaveBytesAtomically(SettingsPath(dir, file.name), *file.text)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool LoadMainSettings(UserSettings& s, const std::string& dir) {
    ProfileFile file;
    bool read = file.Load(dir + kMainIniName);
    IniReader reader{file};
    BindMain(reader, s);
    if (s.hanamo.overdue_days < 0) {
        s.hanamo.overdue_days = kDefaultOverdueDays;
    }
    return read;
}

bool LoadPersonal(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "personal.ini"), [](auto& io, auto& st) { BindPersonal(io, st); });
    return LoadSideFiles(s, dir, ProfileSideFiles(s));
}

bool LoadBanks(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "bank.ini"), [](auto& io, auto& st) { BindBanks(io, st); });
    return true;
}

bool LoadPostal(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "bank.ini"), [](auto& io, auto& st) { BindPostal(io, st); });
    return true;
}

bool LoadOtherPayment(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "bank.ini"), [](auto& io, auto& st) { BindOtherPayment(io, st); });
    return LoadSideFiles(s, dir, SideFilesOf(s.etc));
}

bool LoadItemInfo(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"), [](auto& io, auto& st) { BindItemInfo(io, st); });
    return LoadSideFiles(s, dir, SideFilesOf(s.item_info));
}

bool LoadPaymentDefaults(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"), [](auto& io, auto& st) { BindPayment(io, st); });
    return LoadSideFiles(s, dir, SideFilesOf(s.payment));
}

bool LoadSendMethodDefaults(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"),
            [](auto& io, auto& st) { BindSendMethod(io, st); });
    return LoadSideFiles(s, dir, SideFilesOf(s.send_method));
}

bool LoadShippingOptions(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "send_opt.ini"),
            [](auto& io, auto& st) { BindShippingOptions(io, st); });
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

bool SaveAllSettings(const UserSettings& s, const std::string& dir) {
    // Several groups share an INI file. Each file is made whole in memory and written
    // once, so a save cut off part-way leaves every file either as it was or as it
    // should be, never with some of its groups new and others old.
    std::map<std::string, ProfileFile> inis;
    auto at = [&](const std::string& path) -> ProfileFile& {
        auto [it, added] = inis.try_emplace(path);
        if (added) {
            it->second.Load(path);
        }
        return it->second;
    };
    const std::string main_ini = dir + kMainIniName;
    const std::string personal = SettingsPath(dir, "personal.ini");
    const std::string bank = SettingsPath(dir, "bank.ini");
    const std::string page = SettingsPath(dir, "cr_page.ini");
    const std::string send_opt = SettingsPath(dir, "send_opt.ini");
    IniWriter main_writer{at(main_ini)};
    BindMain(main_writer, s);
    IniWriter personal_writer{at(personal)};
    BindPersonal(personal_writer, s);
    IniWriter bank_writer{at(bank)};
    BindBanks(bank_writer, s);
    BindPostal(bank_writer, s);
    BindOtherPayment(bank_writer, s);
    IniWriter page_writer{at(page)};
    BindItemInfo(page_writer, s);
    BindPayment(page_writer, s);
    BindSendMethod(page_writer, s);
    IniWriter options_writer{at(send_opt)};
    BindShippingOptions(options_writer, s);

    std::map<std::string, bool> saved;
    bool ok = true;
    for (const std::string& path : {main_ini, personal, bank, page, send_opt}) {
        saved[path] = inis.at(path).Save(path);
        ok = saved[path] && ok;
    }
    // A group's side files follow its INI file.
    if (saved[personal]) {
        ok = SaveSideFiles(s, dir, ProfileSideFiles(s)) && ok;
    }
    if (saved[bank]) {
        ok = SaveSideFiles(s, dir, SideFilesOf(s.etc)) && ok;
    }
    if (saved[page]) {
        ok = SaveSideFiles(s, dir, SideFilesOf(s.item_info)) && ok;
        ok = SaveSideFiles(s, dir, SideFilesOf(s.payment)) && ok;
        ok = SaveSideFiles(s, dir, SideFilesOf(s.send_method)) && ok;
    }
    return ok;
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
    return LockFile(dir + kMainIniName + ".lock", std::chrono::seconds(5));
}

UserSettings& Settings() {
    static UserSettings settings;
    return settings;
}

} // namespace hanamori
