// settings and settings import: the settings record as the desktop program holds it
// after start-up, and written back from the same JSON form.

#include "cli/command.h"
#include "cli/json_fields.h"
#include "core/settings/settings_files.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <iostream>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

// Capacities of the settings texts, terminator included: a settings file value is cut
// to one byte less when read, a side file to its read limit.
constexpr std::size_t kIniText = 128;
constexpr std::size_t kIniShort = 32;
constexpr std::size_t kIniMail = 256;
constexpr std::size_t kIniLong = 1024;
constexpr std::size_t kSideShort = 1024;
constexpr std::size_t kSideLong = 2048;

// Side-file texts: a text the JSON sets is the seller's, so its file is written even
// when it could not be read at start-up.
struct SideFiles {
    UserSettings* settings = nullptr;
    template <class Io>
    void Text(Io& io, const char* key, std::string& field, std::size_t capacity,
              const std::string& file) {
        if constexpr (std::is_same_v<Io, JsonReader>) {
            if (io.Text(key, field, capacity) && settings) {
                settings->unread_side_files.erase(file);
            }
        } else {
            io.Text(key, field, capacity);
        }
    }
};

template <class Io, class H> void BindHanamo(Io& io, H& h) {
    io.Line("page_type", h.page_type, kIniText);
    io.Line("page_color", h.page_color, kIniText);
    io.Int("overdue_days", h.overdue_days);
}

template <class Io, class P> void BindProfile(Io& io, P& p, SideFiles& side, int index) {
    io.Line("name", p.name, kIniText);
    io.Line("nickname", p.nickname, kIniText);
    io.Line("mail", p.mail, kIniMail);
    io.Line("post", p.post, kIniShort);
    io.Line("address1", p.address1, kIniShort);
    io.Int("chk_kenname", p.chk_kenname);
    io.Int("chk_address2", p.chk_address2);
    io.Line("address2", p.address2, kIniShort);
    side.Text(io, "address", p.address, kSideShort,
              index == 0 ? std::string("pers_address.txt")
                         : StrPrintf("pers_address%d.txt", index));
    io.Line("phone", p.phone, kIniShort);
    io.Int("y_auction", p.y_auction);
    io.Int("mybooth_flag", p.mybooth_flag);
    io.Int("mybooth_type", p.mybooth_type);
    io.Line("banner_text", p.banner_text, kIniLong);
    io.Line("bunner_url", p.bunner_url, kIniLong);
}

template <class Io, class B> void BindBank(Io& io, B& b) {
    io.Int("check", b.check);
    io.Line("bank_name", b.bank_name, kIniText);
    io.Line("sub_name", b.sub_name, kIniText);
    io.Line("type", b.type, kIniText);
    io.Line("number", b.number, kIniText);
    io.Line("user_name", b.user_name, kIniText);
}

template <class Io, class Y> void BindPostal(Io& io, Y& y) {
    io.Int("check", y.check);
    io.Line("type", y.type, kIniText);
    io.Line("sign", y.sign, kIniText);
    io.Line("number", y.number, kIniText);
    io.Line("user_name", y.user_name, kIniText);
}

template <class Io, class S> void BindItemInfo(Io& io, S& s, SideFiles& side) {
    io.Int("chk_etc", s.item_info.chk_etc);
    side.Text(io, "text", s.item_info.text, kSideLong, "pg_etc_info.txt");
}

template <class Io, class S> void BindPayment(Io& io, S& s, SideFiles& side) {
    io.Int("chk_bank", s.payment.chk_bank);
    io.Int("chk_yuubin", s.payment.chk_yuubin);
    io.Int("chk_etc", s.payment.chk_etc);
    side.Text(io, "banks_text", s.payment.banks_text, kSideShort, "pg_banks.txt");
    side.Text(io, "yuubin_text", s.payment.yuubin_text, kSideShort, "pg_yuubin.txt");
    side.Text(io, "etc_text", s.payment.etc_text, kSideShort, "pg_etc_payment.txt");
}

template <class Io, class S> void BindSendMethod(Io& io, S& s, SideFiles& side) {
    auto& m = s.send_method;
    io.Int("chk_teikei", m.chk_teikei);
    io.Int("chk_teikeigai", m.chk_teikeigai);
    io.Int("chk_sassi", m.chk_sassi);
    io.Int("chk_expack", m.chk_expack);
    io.Int("chk_kuroneko", m.chk_kuroneko);
    io.Int("chk_hikyaku", m.chk_hikyaku);
    io.Int("chk_yuupack", m.chk_yuupack);
    io.Int("chk_y_yuupack", m.chk_y_yuupack);
    io.Int("chk_yamato", m.chk_yamato);
    io.Int("chk_sagawa", m.chk_sagawa);
    io.Int("chk_perikan", m.chk_perikan);
    io.Int("chk_etc", m.chk_etc);
    io.Line("edt_etc", m.edt_etc, kIniText);
    side.Text(io, "text", m.text, kSideLong, "pg_etc_send.txt");
}

template <class Io, class O> void BindShippingOptions(Io& io, O& o) {
    io.Int("chk_sassi_cod", o.chk_sassi_cod);
    io.Int("chk_yuupack_opt100", o.chk_yuupack_opt100);
    io.Int("chk_yuupack_cod", o.chk_yuupack_cod);
    io.Int("chk_yamato_opt100", o.chk_yamato_opt100);
    io.Int("chk_yamato_cod", o.chk_yamato_cod);
    io.Int("chk_sagawa_opt100", o.chk_sagawa_opt100);
    io.Int("chk_sagawa_cod", o.chk_sagawa_cod);
    io.Int("chk_perikan_opt100", o.chk_perikan_opt100);
    io.Int("chk_perikan_cod", o.chk_perikan_cod);
    io.Int("chk_yuupack_opt", o.chk_yuupack_opt);
}

// The writer side of one nested object.
template <class Bind> Json WriteObject(Bind bind) {
    Json out = Json::object();
    JsonWriter w{out};
    bind(w);
    return out;
}

Json SettingsJson(const UserSettings& s) {
    SideFiles side;
    auto& st = const_cast<UserSettings&>(s); // the binders take both; the writer only reads
    Json out;
    out["hanamo"] = WriteObject([&](JsonWriter& w) { BindHanamo(w, s.hanamo); });
    Json personal = Json::array();
    for (int i = 0; i < kProfileCount; ++i) {
        personal.push_back(WriteObject([&](JsonWriter& w) {
            BindProfile(w, st.personal[static_cast<std::size_t>(i)], side, i);
        }));
    }
    out["personal"] = personal;
    out["def_pers"] = s.def_pers;
    Json bank = Json::array();
    for (const BankAccount& b : s.bank) {
        bank.push_back(WriteObject([&](JsonWriter& w) { BindBank(w, b); }));
    }
    out["bank"] = bank;
    Json yuubin = Json::array();
    for (const PostalAccount& y : s.yuubin) {
        yuubin.push_back(WriteObject([&](JsonWriter& w) { BindPostal(w, y); }));
    }
    out["yuubin"] = yuubin;
    out["etc"] = WriteObject([&](JsonWriter& w) {
        w.Int("check", s.etc.check);
        w.Text("text", s.etc.text);
    });
    out["cr_page"] =
        Json{{"item_info", WriteObject([&](JsonWriter& w) { BindItemInfo(w, st, side); })},
             {"payment", WriteObject([&](JsonWriter& w) { BindPayment(w, st, side); })},
             {"send_method", WriteObject([&](JsonWriter& w) { BindSendMethod(w, st, side); })}};
    out["send_opt"] = WriteObject([&](JsonWriter& w) { BindShippingOptions(w, s.send_opt); });
    return out;
}

// Fills `s` from `json`; false with `error` naming the field (and `s` to be discarded).
bool SettingsFromJson(const nlohmann::json& json, UserSettings& s, std::string& error) {
    error.clear();
    if (!json.is_object()) {
        error = "the settings must be a JSON object";
        return false;
    }
    SideFiles side{&s};
    JsonReader top{json, "", error, {}};
    ReadObject(top, "hanamo", [&](JsonReader& r) {
        BindHanamo(r, s.hanamo);
        if (r.error.empty() && s.hanamo.overdue_days < 0) {
            r.error = "hanamo.overdue_days: must be 0 or more";
        }
    });
    ReadArray(top, "personal", kProfileCount, [&](JsonReader& r, std::size_t i) {
        BindProfile(r, s.personal[i], side, static_cast<int>(i));
    });
    top.Int("def_pers", s.def_pers);
    ReadArray(top, "bank", kBankCount,
              [&](JsonReader& r, std::size_t i) { BindBank(r, s.bank[i]); });
    ReadArray(top, "yuubin", kPostalCount,
              [&](JsonReader& r, std::size_t i) { BindPostal(r, s.yuubin[i]); });
    ReadObject(top, "etc", [&](JsonReader& r) {
        r.Int("check", s.etc.check);
        side.Text(r, "text", s.etc.text, kSideLong, "etc_payment_detail.txt");
    });
    ReadObject(top, "cr_page", [&](JsonReader& r) {
        ReadObject(r, "item_info", [&](JsonReader& c) { BindItemInfo(c, s, side); });
        ReadObject(r, "payment", [&](JsonReader& c) { BindPayment(c, s, side); });
        ReadObject(r, "send_method", [&](JsonReader& c) { BindSendMethod(c, s, side); });
    });
    ReadObject(top, "send_opt", [&](JsonReader& r) { BindShippingOptions(r, s.send_opt); });
    top.CheckNoUnknownKeys();
    return error.empty();
}

int RunSettingsImport(Context& ctx, const std::vector<std::string>& args) {
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("settings", problem);
    }
    std::optional<std::string> input = ReadInput(args[0]);
    if (!input) {
        return FailAbout("ファイルの読み込みに失敗しました。"_sj, args[0]);
    }
    const std::string& text = *input;
    nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded()) {
        return Fail((args[0] == "-" ? std::string("standard input") : args[0]) +
                    ": not valid JSON");
    }
    const std::string files = ctx.dir + "hanamo.ini, " + ctx.dir + "user.ini/";
    // What is left out keeps the value the files hold under the lock, not the one
    // read at start-up: another program may have saved since.
    FileLock lock = LockSettings(ctx.dir);
    if (lock.busy()) {
        return FailAbout(
            "他のプログラムが設定を保存中です。しばらくしてからもう一度お試しください。"_sj, files);
    }
    UserSettings updated;
    LoadAllSettings(updated, ctx.dir);
    // Everything is checked before anything is written.
    std::string error;
    if (!SettingsFromJson(json, updated, error)) {
        return Fail(error);
    }
    if (!SaveAllSettings(updated, ctx.dir)) {
        return FailAbout("ファイルの保存に失敗しました。"_sj, files);
    }
    return kExitOk;
}

int RunSettings(Context& ctx, const std::vector<std::string>& in) {
    if (!in.empty() && in[0] == "import") {
        return RunSettingsImport(ctx, std::vector<std::string>(in.begin() + 1, in.end()));
    }
    if (std::string problem = LeftoverProblem(in, 0); !problem.empty()) {
        return UsageError("settings", problem);
    }
    std::cout << SettingsJson(ctx.settings).dump(2) << '\n';
    return kExitOk;
}

void SettingsHelp(const Context&, std::ostream& out) {
    out << "Prints the settings (hanamo.ini and user.ini/) as one JSON object, as the\n"
           "desktop program holds them after start-up. settings import writes them from\n"
           "that form (- reads standard input): every key optional, what is left out keeps\n"
           "its value; unknown keys, wrong types and texts that do not fit are refused and\n"
           "nothing is written then.\n";
}

const CommandRegistration kSettings("settings", "settings [import FILE|-]", RunSettings,
                                    SettingsHelp);

} // namespace
} // namespace hanamori::cli
