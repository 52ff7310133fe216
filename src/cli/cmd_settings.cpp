// settings and settings import: the settings record as the desktop program holds it
// after start-up, and written back from the same JSON form.

#include "cli/command.h"
#include "cli/json_fields.h"
#include "core/settings/settings_files.h"
#include "core/text/cp932.h"

#include <iostream>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

// JSON to settings. A side-file text the JSON sets is the seller's, so its file is
// written even when it could not be read at start-up.
struct SettingsReader {
    JsonReader& json;
    UserSettings& settings;
    int profile = 0;
    void Line(const char* key, std::string& text, std::size_t capacity) {
        json.Line(key, text, capacity);
    }
    void Int(const char* key, std::int32_t& value) { json.Int(key, value); }
    void SideText(const char* key, std::string& text, const char* file, std::size_t capacity) {
        if (json.Text(key, text, capacity)) {
            settings.unread_side_files.erase(SideFileName(file, profile));
        }
    }
};

Json SettingsJson(const UserSettings& s) {
    Json out;
    out["hanamo"] = RecordJson(s.hanamo);
    out["personal"] = Json::array();
    for (const SellerProfile& p : s.personal) {
        out["personal"].push_back(RecordJson(p));
    }
    out["def_pers"] = s.def_pers;
    out["bank"] = Json::array();
    for (const BankAccount& b : s.bank) {
        out["bank"].push_back(RecordJson(b));
    }
    out["yuubin"] = Json::array();
    for (const PostalAccount& y : s.yuubin) {
        out["yuubin"].push_back(RecordJson(y));
    }
    out["etc"] = RecordJson(s.etc);
    out["cr_page"] = Json{{"item_info", RecordJson(s.item_info)},
                          {"payment", RecordJson(s.payment)},
                          {"send_method", RecordJson(s.send_method)}};
    out["send_opt"] = RecordJson(s.send_opt);
    return out;
}

// Fills `s` from `json`; false with `error` naming the field (and `s` to be discarded).
bool SettingsFromJson(const nlohmann::json& json, UserSettings& s, std::string& error) {
    error.clear();
    if (!json.is_object()) {
        error = "the settings must be a JSON object";
        return false;
    }
    JsonReader top{json, "", error, {}};
    auto group = [&](JsonReader& r, auto& record, int profile = 0) {
        VisitFields(record, SettingsReader{r, s, profile});
    };
    ReadObject(top, "hanamo", [&](JsonReader& r) {
        group(r, s.hanamo);
        if (r.error.empty() && s.hanamo.overdue_days < 0) {
            r.error = "hanamo.overdue_days: must be 0 or more";
        }
    });
    ReadArray(top, "personal", kProfileCount,
              [&](JsonReader& r, std::size_t i) { group(r, s.personal[i], static_cast<int>(i)); });
    top.Int("def_pers", s.def_pers);
    ReadArray(top, "bank", kBankCount, [&](JsonReader& r, std::size_t i) { group(r, s.bank[i]); });
    ReadArray(top, "yuubin", kPostalCount,
              [&](JsonReader& r, std::size_t i) { group(r, s.yuubin[i]); });
    ReadObject(top, "etc", [&](JsonReader& r) { group(r, s.etc); });
    ReadObject(top, "cr_page", [&](JsonReader& r) {
        ReadObject(r, "item_info", [&](JsonReader& c) { group(c, s.item_info); });
        ReadObject(r, "payment", [&](JsonReader& c) { group(c, s.payment); });
        ReadObject(r, "send_method", [&](JsonReader& c) { group(c, s.send_method); });
    });
    ReadObject(top, "send_opt", [&](JsonReader& r) { group(r, s.send_opt); });
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
    const UserSettings as_read = updated;
    // Everything is checked before anything is written.
    std::string error;
    if (!SettingsFromJson(json, updated, error)) {
        return Fail(error);
    }
    // Only what the JSON changes is written, every file of it or none.
    if (SettingsWrite written = SaveAllSettings(updated, ctx.dir, &as_read); !written) {
        return FailAbout("ファイルの保存に失敗しました。"_sj, written.path + ": " + written.reason);
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
    // Empty texts in place of the seller's would be restored as such from a backup.
    if (std::string unread = UnreadableSettingsFile(ctx.settings, ctx.dir); !unread.empty()) {
        return FailAbout("ファイルの読み込みに失敗しました。"_sj, unread);
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
