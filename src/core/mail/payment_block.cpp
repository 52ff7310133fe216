#include "core/mail/payment_block.h"

#include "core/listing/records.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

namespace hanamori {

namespace {

bool IsComplete(const BankAccount& b) {
    return !b.bank_name.empty() && !b.sub_name.empty() && !b.type.empty() && !b.number.empty() &&
           !b.user_name.empty();
}

bool IsComplete(const PostalAccount& p) {
    return !p.type.empty() && !p.sign.empty() && !p.number.empty() && !p.user_name.empty();
}

} // namespace

std::string PaymentDestinationBlock(const MailRecord& mail, const UserSettings& settings) {
    std::string out;
    int number = 0;
    auto lead = [&]() { return out.empty() ? "" : "\r\n\r\n"; };

    const std::int32_t bank_ticks[kBankCount] = {mail.bank1, mail.bank2, mail.bank3, mail.bank4};
    for (int i = 0; i < kBankCount; ++i) {
        const BankAccount& b = settings.bank[static_cast<std::size_t>(i)];
        if (bank_ticks[i] == 0 || !IsComplete(b)) {
            continue;
        }
        ++number;
        out += StrPrintf("%s▼支払い先%d(銀行口座)\r\n　銀行名：%s\r\n　支店名：%s\r\n"
                         "　種別：%s\r\n　口座番号：%s\r\n　口座名義：%s"_sj.c_str(),
                         lead(), number, b.bank_name.c_str(), b.sub_name.c_str(), b.type.c_str(),
                         b.number.c_str(), b.user_name.c_str());
    }

    const std::int32_t postal_ticks[kPostalCount] = {mail.postal1, mail.postal2};
    for (int i = 0; i < kPostalCount; ++i) {
        const PostalAccount& p = settings.yuubin[static_cast<std::size_t>(i)];
        if (postal_ticks[i] == 0 || !IsComplete(p)) {
            continue;
        }
        ++number;
        out += StrPrintf("%s▼支払い先%d(郵便口座)\r\n　口座種別：%s\r\n　記号：%s\r\n"
                         "　番号：%s\r\n　口座名義：%s"_sj.c_str(),
                         lead(), number, p.type.c_str(), p.sign.c_str(), p.number.c_str(),
                         p.user_name.c_str());
    }

    if (mail.use_other_payment != 0 && !mail.other_payment_text.empty()) {
        // Appended, not formatted: the seller's own text goes in exactly as typed.
        out += lead();
        out += "▼支払い先 その他\r\n"_sj;
        out += mail.other_payment_text;
    }
    return out;
}

} // namespace hanamori
