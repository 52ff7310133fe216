#include "core/settings/settings_input.h"

#include "core/text/cp932.h"

#include <array>

namespace hanamori {
namespace {
const std::string& Pick(const std::string* names, int count, int index) {
    static const std::string empty;
    return index >= 0 && index < count ? names[index] : empty;
}
} // namespace

const std::string& BankTypeName(int index) {
    static const std::array<std::string, kBankTypeCount> names = {"普通"_sj, "当座"_sj, "貯蓄"_sj};
    return Pick(names.data(), kBankTypeCount, index);
}

const std::string& PostalTypeName(int index) {
    static const std::array<std::string, kPostalTypeCount> names = {"ぱるる"_sj, "一般振替口座"_sj};
    return Pick(names.data(), kPostalTypeCount, index);
}

const std::string& BoothTypeName(int index) {
    static const std::array<std::string, kBoothTypeCount> names = {"バナー"_sj, "ボックス"_sj,
                                                                   "オリジナルバナー"_sj};
    return Pick(names.data(), kBoothTypeCount, index);
}

std::string ReadLimited(std::string_view text, std::size_t max_bytes) {
    return std::string(text.substr(0, SafeCutLength(text, max_bytes)));
}

void LimitProfileInput(SellerProfile& p) {
    p.name = ReadLimited(p.name, kProfileNameRead);
    p.nickname = ReadLimited(p.nickname, kProfileNicknameRead);
    p.mail = ReadLimited(p.mail, kProfileMailRead);
    p.post = ReadLimited(p.post, kProfilePostRead);
    // The prefecture comes from a list of names that all fit its 32-byte field.
    p.address1 = FitField(p.address1, 32);
    p.address = ReadLimited(p.address, kProfileAddressRead);
    p.phone = ReadLimited(p.phone, kProfilePhoneRead);
    p.address2 = ReadLimited(p.address2, kProfileCityRead);
    p.banner_text = ReadLimited(p.banner_text, kProfileBannerRead);
    p.bunner_url = ReadLimited(p.bunner_url, kProfileBannerRead);
}

void LimitPaymentInput(BankAccount& b) {
    for (std::string* s : {&b.bank_name, &b.sub_name, &b.type, &b.number, &b.user_name}) {
        *s = ReadLimited(*s, kPaymentFieldRead);
    }
}

void LimitPaymentInput(PostalAccount& y) {
    for (std::string* s : {&y.type, &y.sign, &y.number, &y.user_name}) {
        *s = ReadLimited(*s, kPaymentFieldRead);
    }
}

void LimitPaymentInput(OtherPayment& o) {
    o.text = ReadLimited(o.text, kOtherPaymentRead);
}

} // namespace hanamori
