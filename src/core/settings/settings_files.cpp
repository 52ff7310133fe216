#include "core/settings/settings_files.h"

#include "core/app/atomic_file.h"
#include "core/app/profile_file.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <cerrno>
#include <map>
#include <sys/stat.h>
#include <type_traits>

namespace hanamori {
namespace {

std::string SettingsPath(const std::string& dir, const char* name) {
    return dir + kSettingsDirName + name;
}

// Reading and writing share one description of each group: the binder functions
// below name every key once and are run with a reader or a writer.
struct IniReader {
    const ProfileFile& file;
    void Text(const std::string& section, const char* key, std::string& value, std::size_t capacity,
              std::string_view fallback = {}) {
        value = file.GetString(section, key, fallback, capacity);
    }
    void Int(const std::string& section, const char* key, std::int32_t& value,
             std::int32_t fallback) {
        value = file.GetInt(section, key, fallback);
    }
};

struct IniWriter {
    ProfileFile& file;
    void Text(const std::string& section, const char* key, const std::string& value, std::size_t,
              std::string_view = {}) {
        file.SetString(section, key, value);
    }
    void Int(const std::string& section, const char* key, const std::int32_t& value, std::int32_t) {
        file.SetInt(section, key, value);
    }
};

template <class Io, class Profile> void BindProfile(Io& io, Profile& p, const std::string& s) {
    io.Text(s, "name", p.name, 128);
    io.Text(s, "nickname", p.nickname, 128);
    io.Text(s, "mail", p.mail, 256);
    io.Text(s, "post", p.post, 32);
    io.Text(s, "address1", p.address1, 32);
    io.Int(s, "chk_kenname", p.chk_kenname, 0);
    io.Int(s, "chk_address2", p.chk_address2, 0);
    io.Text(s, "address2", p.address2, 32);
    io.Text(s, "phone", p.phone, 32);
    io.Int(s, "y_auction", p.y_auction, 0);
    io.Int(s, "mybooth_flag", p.mybooth_flag, 0);
    io.Int(s, "mybooth_type", p.mybooth_type, 0);
    io.Text(s, "banner_text", p.banner_text, 1024, DefaultBannerText());
    io.Text(s, "bunner_url", p.bunner_url, 1024);
}

template <class Io, class Settings> void BindMain(Io& io, Settings& s) {
    io.Text(kMainSection, "page_type", s.hanamo.page_type, 128);
    io.Text(kMainSection, "page_color", s.hanamo.page_color, 128);
    io.Int(kMainSection, "overdue_days", s.hanamo.overdue_days, kDefaultOverdueDays);
}

template <class Io, class Settings> void BindPersonal(Io& io, Settings& s) {
    for (int i = 0; i < kProfileCount; ++i) {
        std::string section = i == 0 ? "PERSONAL" : StrPrintf("PERSONAL%d", i);
        BindProfile(io, s.personal[static_cast<std::size_t>(i)], section);
    }
    io.Int("PERSONAL_WHOLE", "def_pers", s.def_pers, 0);
}

template <class Io, class Settings> void BindBanks(Io& io, Settings& s) {
    for (int i = 0; i < kBankCount; ++i) {
        auto& b = s.bank[static_cast<std::size_t>(i)];
        std::string sec = StrPrintf("BANK%d", i);
        io.Int(sec, "check", b.check, 0);
        io.Text(sec, "bank_name", b.bank_name, 128);
        io.Text(sec, "sub_name", b.sub_name, 128);
        io.Text(sec, "type", b.type, 128);
        io.Text(sec, "number", b.number, 128);
        io.Text(sec, "user_name", b.user_name, 128);
    }
}

template <class Io, class Settings> void BindPostal(Io& io, Settings& s) {
    for (int i = 0; i < kPostalCount; ++i) {
        auto& y = s.yuubin[static_cast<std::size_t>(i)];
        std::string sec = StrPrintf("YUUBIN%d", i);
        io.Int(sec, "check", y.check, 0);
        io.Text(sec, "type", y.type, 128);
        io.Text(sec, "sign", y.sign, 128);
        io.Text(sec, "number", y.number, 128);
        io.Text(sec, "user_name", y.user_name, 128);
    }
}

template <class Io, class Settings> void BindOtherPayment(Io& io, Settings& s) {
    io.Int("ETC", "check", s.etc.check, 0);
}

template <class Io, class Settings> void BindItemInfo(Io& io, Settings& s) {
    io.Int("ITEM_INFO", "chk_etc", s.item_info.chk_etc, 0);
}

template <class Io, class Settings> void BindPayment(Io& io, Settings& s) {
    io.Int("PAYMENT", "chk_bank", s.payment.chk_bank, 1);
    io.Int("PAYMENT", "chk_yuubin", s.payment.chk_yuubin, 0);
    io.Int("PAYMENT", "chk_etc", s.payment.chk_etc, 0);
}

template <class Io, class Settings> void BindSendMethod(Io& io, Settings& s) {
    auto& m = s.send_method;
    const std::string sec = "SEND_METHOD";
    io.Int(sec, "chk_teikei", m.chk_teikei, 0);
    io.Int(sec, "chk_teikeigai", m.chk_teikeigai, 0);
    io.Int(sec, "chk_sassi", m.chk_sassi, 0);
    io.Int(sec, "chk_expack", m.chk_expack, 0);
    io.Int(sec, "chk_kuroneko", m.chk_kuroneko, 0);
    io.Int(sec, "chk_hikyaku", m.chk_hikyaku, 0);
    io.Int(sec, "chk_yuupack", m.chk_yuupack, 0);
    io.Int(sec, "chk_y_yuupack", m.chk_y_yuupack, 0);
    io.Int(sec, "chk_yamato", m.chk_yamato, 0);
    io.Int(sec, "chk_sagawa", m.chk_sagawa, 0);
    io.Int(sec, "chk_perikan", m.chk_perikan, 0);
    io.Int(sec, "chk_etc", m.chk_etc, 0);
    io.Text(sec, "edt_etc", m.edt_etc, 128);
}

template <class Io, class Settings> void BindShippingOptions(Io& io, Settings& s) {
    auto& o = s.send_opt;
    const std::string sec = "SEND_METHOD_OPT";
    io.Int(sec, "chk_sassi_cod", o.chk_sassi_cod, 0);
    io.Int(sec, "chk_yuupack_opt100", o.chk_yuupack_opt100, 0);
    io.Int(sec, "chk_yuupack_cod", o.chk_yuupack_cod, 0);
    io.Int(sec, "chk_yamato_opt100", o.chk_yamato_opt100, 0);
    io.Int(sec, "chk_yamato_cod", o.chk_yamato_cod, 0);
    io.Int(sec, "chk_sagawa_opt100", o.chk_sagawa_opt100, 0);
    io.Int(sec, "chk_sagawa_cod", o.chk_sagawa_cod, 0);
    io.Int(sec, "chk_perikan_opt100", o.chk_perikan_opt100, 0);
    io.Int(sec, "chk_perikan_cod", o.chk_perikan_cod, 0);
    io.Int("SEND_METHOD_YUUPACK_OPT", "chk_yuupack_opt", o.chk_yuupack_opt, 1);
}

template <class Bind> void LoadIni(UserSettings& s, const std::string& path, Bind bind) {
    ProfileFile file;
    file.Load(path);
    IniReader reader{file};
    bind(reader, s);
}

// A group's side files, read in order. A missing file reads as empty; one that exists
// but cannot be read stops the group, and it and the later files are marked unread.
bool LoadSideFiles(
    UserSettings& s, const std::string& dir,
    std::initializer_list<std::pair<const char*, std::pair<std::string*, std::size_t>>> files) {
    bool stopped = false;
    for (const auto& [name, target] : files) {
        if (stopped) {
            s.unread_side_files.insert(name);
            continue;
        }
        std::string path = SettingsPath(dir, name);
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            target.first->clear();
            s.unread_side_files.erase(name);
            continue;
        }
        std::string text;
        if (!S_ISREG(st.st_mode) || !ReadFilePrefix(path, target.second, text)) {
            s.unread_side_files.insert(name);
            stopped = true;
            continue;
        }
        *target.first = std::move(text);
        s.unread_side_files.erase(name);
    }
    return !stopped;
}

bool SaveSideFiles(const UserSettings& s, const std::string& dir,
                   std::initializer_list<std::pair<const char*, const std::string*>> files) {
    for (const auto& [name, text] : files) {
        if (s.unread_side_files.count(name) != 0) {
            continue;
        }
        if (!SaveBytesAtomically(SettingsPath(dir, name), *text)) {
            return false;
        }
    }
    return true;
}

std::string AddressFileName(int profile) {
    return profile == 0 ? std::string("pers_address.txt")
                        : StrPrintf("pers_address%d.txt", profile);
}

constexpr std::size_t kAddressRead = 1023;
constexpr std::size_t kEtcPaymentRead = 2047;
constexpr std::size_t kItemInfoRead = 2047;
constexpr std::size_t kPaymentTextRead = 1023;
constexpr std::size_t kSendTextRead = 2047;

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
    std::string n0 = AddressFileName(0), n1 = AddressFileName(1), n2 = AddressFileName(2),
                n3 = AddressFileName(3), n4 = AddressFileName(4);
    auto& p = s.personal;
    return LoadSideFiles(s, dir,
                         {{n0.c_str(), {&p[0].address, kAddressRead}},
                          {n1.c_str(), {&p[1].address, kAddressRead}},
                          {n2.c_str(), {&p[2].address, kAddressRead}},
                          {n3.c_str(), {&p[3].address, kAddressRead}},
                          {n4.c_str(), {&p[4].address, kAddressRead}}});
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
    return LoadSideFiles(s, dir, {{"etc_payment_detail.txt", {&s.etc.text, kEtcPaymentRead}}});
}

bool LoadItemInfo(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"), [](auto& io, auto& st) { BindItemInfo(io, st); });
    return LoadSideFiles(s, dir, {{"pg_etc_info.txt", {&s.item_info.text, kItemInfoRead}}});
}

bool LoadPaymentDefaults(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"), [](auto& io, auto& st) { BindPayment(io, st); });
    return LoadSideFiles(s, dir,
                         {{"pg_banks.txt", {&s.payment.banks_text, kPaymentTextRead}},
                          {"pg_yuubin.txt", {&s.payment.yuubin_text, kPaymentTextRead}},
                          {"pg_etc_payment.txt", {&s.payment.etc_text, kPaymentTextRead}}});
}

bool LoadSendMethodDefaults(UserSettings& s, const std::string& dir) {
    LoadIni(s, SettingsPath(dir, "cr_page.ini"),
            [](auto& io, auto& st) { BindSendMethod(io, st); });
    return LoadSideFiles(s, dir, {{"pg_etc_send.txt", {&s.send_method.text, kSendTextRead}}});
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
    // A group's side files follow its INI file, as the group saves write them.
    std::string n0 = AddressFileName(0), n1 = AddressFileName(1), n2 = AddressFileName(2),
                n3 = AddressFileName(3), n4 = AddressFileName(4);
    auto& p = s.personal;
    if (saved[personal]) {
        ok = SaveSideFiles(s, dir,
                           {{n0.c_str(), &p[0].address},
                            {n1.c_str(), &p[1].address},
                            {n2.c_str(), &p[2].address},
                            {n3.c_str(), &p[3].address},
                            {n4.c_str(), &p[4].address}}) &&
             ok;
    }
    if (saved[bank]) {
        ok = SaveSideFiles(s, dir, {{"etc_payment_detail.txt", &s.etc.text}}) && ok;
    }
    if (saved[page]) {
        ok = SaveSideFiles(s, dir, {{"pg_etc_info.txt", &s.item_info.text}}) && ok;
        ok = SaveSideFiles(s, dir,
                           {{"pg_banks.txt", &s.payment.banks_text},
                            {"pg_yuubin.txt", &s.payment.yuubin_text},
                            {"pg_etc_payment.txt", &s.payment.etc_text}}) &&
             ok;
        ok = SaveSideFiles(s, dir, {{"pg_etc_send.txt", &s.send_method.text}}) && ok;
    }
    return ok;
}

FileLock LockSettings(const std::string& dir) {
    return LockFile(dir + kMainIniName + ".lock", std::chrono::seconds(5));
}

UserSettings& Settings() {
    static UserSettings settings;
    return settings;
}

} // namespace hanamori
