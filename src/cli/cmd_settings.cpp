// settings: the settings record as the desktop program holds it after start-up.

#include "cli/command.h"
#include "core/text/cp932.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string U(const std::string& cp932) { return Cp932ToUtf8(cp932); }

Json ProfileJson(const SellerProfile& p) {
    return Json{{"name", U(p.name)},
                {"nickname", U(p.nickname)},
                {"mail", U(p.mail)},
                {"post", U(p.post)},
                {"address1", U(p.address1)},
                {"chk_kenname", p.chk_kenname},
                {"chk_address2", p.chk_address2},
                {"address2", U(p.address2)},
                {"address", U(p.address)},
                {"phone", U(p.phone)},
                {"y_auction", p.y_auction},
                {"mybooth_flag", p.mybooth_flag},
                {"mybooth_type", p.mybooth_type},
                {"banner_text", U(p.banner_text)},
                {"bunner_url", U(p.bunner_url)}};
}

Json SettingsJson(const UserSettings& s) {
    Json out;
    out["hanamo"] = Json{{"page_type", U(s.hanamo.page_type)}, {"page_color", U(s.hanamo.page_color)}};
    Json personal = Json::array();
    for (const SellerProfile& p : s.personal) {
        personal.push_back(ProfileJson(p));
    }
    out["personal"] = personal;
    out["def_pers"] = s.def_pers;
    Json bank = Json::array();
    for (const BankAccount& b : s.bank) {
        bank.push_back(Json{{"check", b.check},
                            {"bank_name", U(b.bank_name)},
                            {"sub_name", U(b.sub_name)},
                            {"type", U(b.type)},
                            {"number", U(b.number)},
                            {"user_name", U(b.user_name)}});
    }
    out["bank"] = bank;
    Json yuubin = Json::array();
    for (const PostalAccount& y : s.yuubin) {
        yuubin.push_back(Json{{"check", y.check},
                              {"type", U(y.type)},
                              {"sign", U(y.sign)},
                              {"number", U(y.number)},
                              {"user_name", U(y.user_name)}});
    }
    out["yuubin"] = yuubin;
    out["etc"] = Json{{"check", s.etc.check}, {"text", U(s.etc.text)}};
    const SendMethodDefaults& m = s.send_method;
    out["cr_page"] = Json{
        {"item_info", Json{{"chk_etc", s.item_info.chk_etc}, {"text", U(s.item_info.text)}}},
        {"payment", Json{{"chk_bank", s.payment.chk_bank},
                         {"chk_yuubin", s.payment.chk_yuubin},
                         {"chk_etc", s.payment.chk_etc},
                         {"banks_text", U(s.payment.banks_text)},
                         {"yuubin_text", U(s.payment.yuubin_text)},
                         {"etc_text", U(s.payment.etc_text)}}},
        {"send_method", Json{{"chk_teikei", m.chk_teikei},
                             {"chk_teikeigai", m.chk_teikeigai},
                             {"chk_sassi", m.chk_sassi},
                             {"chk_expack", m.chk_expack},
                             {"chk_kuroneko", m.chk_kuroneko},
                             {"chk_hikyaku", m.chk_hikyaku},
                             {"chk_yuupack", m.chk_yuupack},
                             {"chk_y_yuupack", m.chk_y_yuupack},
                             {"chk_yamato", m.chk_yamato},
                             {"chk_sagawa", m.chk_sagawa},
                             {"chk_perikan", m.chk_perikan},
                             {"chk_etc", m.chk_etc},
                             {"edt_etc", U(m.edt_etc)},
                             {"text", U(m.text)}}}};
    const ShippingOptions& o = s.send_opt;
    out["send_opt"] = Json{{"chk_sassi_cod", o.chk_sassi_cod},
                           {"chk_yuupack_opt100", o.chk_yuupack_opt100},
                           {"chk_yuupack_cod", o.chk_yuupack_cod},
                           {"chk_yamato_opt100", o.chk_yamato_opt100},
                           {"chk_yamato_cod", o.chk_yamato_cod},
                           {"chk_sagawa_opt100", o.chk_sagawa_opt100},
                           {"chk_sagawa_cod", o.chk_sagawa_cod},
                           {"chk_perikan_opt100", o.chk_perikan_opt100},
                           {"chk_perikan_cod", o.chk_perikan_cod},
                           {"chk_yuupack_opt", o.chk_yuupack_opt}};
    return out;
}

int RunSettings(Context& ctx, const std::vector<std::string>& args) {
    if (!args.empty()) {
        return Usage("settings");
    }
    std::cout << SettingsJson(ctx.settings).dump(2) << '\n';
    return kExitOk;
}

const CommandRegistration kSettings("settings", "settings", RunSettings);

} // namespace
} // namespace hanamori::cli
