#include "core/mail/placeholders.h"

#include "core/listing/records.h"
#include "core/mail/cost_lists.h"
#include "core/mail/payment_block.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <cinttypes>

namespace hanamori {

namespace {

std::string Number(std::int64_t value) {
    return StrPrintf("%" PRId64, value);
}

// The text when its switch is on and it is not empty; else nothing.
std::string IfChosen(std::int32_t use, const std::string& text) {
    return use != 0 ? text : std::string();
}

std::string SizeText(const AuctionRecord& a) {
    return StrPrintf("%dcm×%dcm×%dcm　%s"_sj.c_str(), a.length_cm, a.width_cm, a.height_cm,
                     WeightText(a.weight_g).c_str());
}

// Values that need the selected bidder.
std::string BidderValue(Placeholder which, const CustomerRecord& c) {
    std::int64_t goods = static_cast<std::int64_t>(c.price) * c.count + c.other_charge;
    switch (which) {
    case Placeholder::BidderName:
        return c.name;
    case Placeholder::BidderNickname:
        return c.nickname;
    case Placeholder::BidderMail:
        return c.mail;
    case Placeholder::BidderPrice:
        return Number(c.price);
    case Placeholder::BidderCount:
        return Number(c.count);
    case Placeholder::BidderShipMethod:
        return c.ship_method;
    case Placeholder::BidderShipCost:
        return Number(c.ship_cost);
    case Placeholder::BidderOtherCharge:
        return Number(c.other_charge);
    case Placeholder::GoodsAmount:
        return Number(goods);
    case Placeholder::TotalAmount:
        return Number(goods + c.ship_cost);
    case Placeholder::BidderZip:
        return c.zip;
    case Placeholder::BidderPref:
        return c.pref;
    case Placeholder::BidderAddress:
        return c.address;
    case Placeholder::BidderPhone:
        return c.phone;
    case Placeholder::BidderComment:
        return IfChosen(c.mail_comment, c.comment);
    default:
        return {};
    }
}

} // namespace

const std::array<std::string, kPlaceholderCount>& PlaceholderNames() {
    static const std::array<std::string, kPlaceholderCount> names = {
        "<<@商品名>>"_sj,
        "<<@商品サイズ>>"_sj,
        "<<@支払「銀行振込」>>"_sj,
        "<<@支払「郵便振替」>>"_sj,
        "<<@支払「その他」>>"_sj,
        "<<@落札者名>>"_sj,
        "<<@落札者ニックネーム>>"_sj,
        "<<@落札者メールアドレス>>"_sj,
        "<<@落札金額>>"_sj,
        "<<@落札数>>"_sj,
        "<<@発送方法>>"_sj,
        "<<@送料>>"_sj,
        "<<@その他料金>>"_sj,
        "<<@商品金額>>"_sj,
        "<<@合計金額>>"_sj,
        "<<@落札者郵便番号>>"_sj,
        "<<@落札者県名>>"_sj,
        "<<@落札者住所>>"_sj,
        "<<@落札者電話番号>>"_sj,
        "<<@取引コメント内容>>"_sj,
        "<<@支払方法>>"_sj,
        "<<@出品者名>>"_sj,
        "<<@出品者苗字>>"_sj,
        "<<@出品者ニックネーム>>"_sj,
        "<<@出品者メールアドレス>>"_sj,
        "<<@出品者郵便番号>>"_sj,
        "<<@出品者県名>>"_sj,
        "<<@出品者住所>>"_sj,
        "<<@出品者電話番号>>"_sj,
        "<<@固定送料リスト>>"_sj,
        "<<@固定送料合計金額リスト>>"_sj,
        "<<@可変送料リスト>>"_sj,
        "<<@可変送料合計金額リスト>>"_sj,
    };
    return names;
}

int PlaceholderIndex(std::string_view name) {
    const auto& names = PlaceholderNames();
    for (int i = 0; i < kPlaceholderCount; ++i) {
        if (names[static_cast<std::size_t>(i)] == name) {
            return i;
        }
    }
    return -1;
}

const CustomerRecord* SelectedBidder(const SaleMaster& listing) {
    return listing.customers_edit.Current();
}

std::string WeightText(std::int32_t weight_g) {
    if (weight_g <= 1000) {
        return StrPrintf("%dg", weight_g);
    }
    return StrPrintf("%.1fkg", weight_g * 0.001);
}

std::string SurnameOf(std::string_view name) {
    // 0x20 is never the second byte of a double-byte character, so a byte search is safe.
    return std::string(name.substr(0, name.find(' ')));
}

std::string PlaceholderValue(Placeholder which, const MailContext& ctx) {
    const SaleMaster& listing = ctx.listing;
    const AuctionRecord& a = listing.auction;
    const MailRecord& m = listing.mail;
    const CustomerRecord* bidder = SelectedBidder(listing);
    switch (which) {
    case Placeholder::ProductName:
        return listing.product_name;
    case Placeholder::ProductSize:
        return SizeText(a);
    case Placeholder::PaymentBankText:
        return IfChosen(a.use_bank, a.bank_text);
    case Placeholder::PaymentPostalText:
        return IfChosen(a.use_postal, a.postal_text);
    case Placeholder::PaymentOtherText:
        return IfChosen(a.use_other_payment, a.other_payment_text);
    case Placeholder::PaymentDestinations:
        return PaymentDestinationBlock(m, ctx.settings);
    case Placeholder::SellerName:
        return m.seller_name;
    case Placeholder::SellerSurname:
        return SurnameOf(m.seller_name);
    case Placeholder::SellerNickname:
        return m.seller_nickname;
    case Placeholder::SellerMail:
        return m.seller_mail;
    case Placeholder::SellerZip:
        return m.seller_zip;
    case Placeholder::SellerPref:
        return m.seller_pref;
    case Placeholder::SellerAddress:
        return m.seller_address;
    case Placeholder::SellerPhone:
        return m.seller_phone;
    case Placeholder::FixedCostList:
        return FixedCostList(a);
    case Placeholder::FixedCostTotalList:
        return FixedCostTotalList(a, bidder);
    case Placeholder::VariableCostList:
        return VariableCostList(ctx, false);
    case Placeholder::VariableCostTotalList:
        return VariableCostList(ctx, true);
    default:
        return bidder != nullptr ? BidderValue(which, *bidder) : std::string();
    }
}

bool WritePlaceholderValue(std::string_view name, std::ostream& out, const MailContext& ctx) {
    int index = PlaceholderIndex(name);
    if (index < 0) {
        return false;
    }
    std::string value = PlaceholderValue(static_cast<Placeholder>(index), ctx);
    out.write(value.data(), static_cast<std::streamsize>(value.size()));
    return out.good();
}

} // namespace hanamori
