#pragma once
// The shipping engine: the eleven carrier calculators with their rate tables, and the
// current request (parcel, total basis, origin, seller) that the list operations use.
//
// Typical use, without a document:
//     ShippingEngine engine(settings);            // or ShippingEngine engine; (Settings())
//     engine.LoadAll(InstallDir() + "CostData", host);
//     engine.SetParcel(30, 20, 10, 2000);         // sides in cm, weight in g
//     engine.SetOrigin(origin_pref);
//     engine.SetSellerId(seller_nickname);
//     engine.SetTotalBasis(price, quantity, surcharge);
//     if (engine.List(ShippingMethod::Yamato, kListHtmlEmphasis, false))
//         html += engine.ListText(ShippingMethod::Yamato);
//     int yen = engine.Cost(ShippingMethod::YuPack, origin, destination); // < 0: 発送不可

#include "core/shipping/calculators.h"

#include <cstdint>
#include <string>

namespace hanamori {

class Host;
struct UserSettings;

// The eleven methods, in the order the shipping tool and the CLI show them.
enum class ShippingMethod {
    Teikei,      // 定形郵便
    Teikeigai,   // 定形外郵便
    Sassi,       // 冊子小包
    Expack,      // EXPACK500
    Kuroneko,    // クロネコメール便
    Hikyaku,     // 飛脚メール便
    YuPack,      // ゆうパック
    YahooYuPack, // Yahoo!ゆうパック
    Yamato,      // ヤマト宅急便
    Sagawa,      // 佐川急便
    Pelican,     // ペリカン便
};
inline constexpr int kShippingMethodCount = 11;

// The order in which the rate tables are read: ゆうパック, Yahoo!ゆうパック, the six
// postal kinds, ヤマト宅急便, 佐川急便, ペリカン便.
inline constexpr ShippingMethod kRateLoadOrder[kShippingMethodCount] = {
    ShippingMethod::YuPack,    ShippingMethod::YahooYuPack, ShippingMethod::Teikei,
    ShippingMethod::Teikeigai, ShippingMethod::Sassi,       ShippingMethod::Expack,
    ShippingMethod::Kuroneko,  ShippingMethod::Hikyaku,     ShippingMethod::Yamato,
    ShippingMethod::Sagawa,    ShippingMethod::Pelican};

// The parcel carriers that write cost lists, in the order pages, mails and the CLI list
// them.
inline constexpr ShippingMethod kListedMethods[] = {
    ShippingMethod::YuPack, ShippingMethod::YahooYuPack, ShippingMethod::Yamato,
    ShippingMethod::Sagawa, ShippingMethod::Pelican};

class ShippingEngine {
public:
    // Shipping options and seller profiles are read from `settings` at each call, so a
    // change to them applies to the next cost and list. The record must outlive the
    // engine.
    explicit ShippingEngine(const UserSettings& settings);
    // Uses the program-wide Settings().
    ShippingEngine();
    virtual ~ShippingEngine();
    ShippingEngine(const ShippingEngine&) = delete;
    ShippingEngine& operator=(const ShippingEngine&) = delete;

    // Reads every calculator's rate tables from `cost_dir` (InstallDir() + "CostData"),
    // in the order ゆうパック, Yahoo!ゆうパック, the six postal kinds, ヤマト, 佐川,
    // ペリカン. At the first calculator that fails it shows "料金データの読み込みが出来
    // ません。\n[...]" through `host` (stop icon) and returns false; that calculator and
    // the ones after it then price nothing (-1) and write no lists.
    bool LoadAll(const std::string& cost_dir, Host& host);

    // The request: sides in cm (side 3 is the thickness), weight in g.
    void SetParcel(int side1, int side2, int side3, int weight);
    // Basis of the "お支払総額" lines: unit price x quantity + surcharge.
    void SetTotalBasis(int unit_price, int quantity, int surcharge);
    // Origin prefecture name (CP932), kept to 127 bytes.
    void SetOrigin(const std::string& prefecture);
    // The seller's auction nickname, which finds the seller profile for the lists'
    // origin note, ※ line and city line; kept to 127 bytes.
    void SetSellerId(const std::string& nickname);

    // The cost list of one method for the request, from the origin set with SetOrigin.
    // `format`: kListPlain (CR LF, mails), kListHtml (<br>), kListHtmlEmphasis (<br> and
    // <font> emphasis, product pages). `with_totals` adds a "お支払総額" line after each
    // priced line. Writes the list text, read with ListText(method); false, with an
    // empty list text, when the method cannot take the parcel from the origin (or its
    // rates did not load). Only the kListedMethods write lists; the postal kinds never do.
    bool List(ShippingMethod method, int format, bool with_totals);
    // The text the method's calculator wrote last (empty for the postal kinds).
    const std::string& ListText(ShippingMethod method) const;

    // The cost by one method for the request's parcel (hand-in discounts applied);
    // negative when the parcel cannot be sent that way.
    int Cost(ShippingMethod method, const std::string& origin, const std::string& destination);
    // Whether the method can take the request's parcel from `origin`.
    bool IsAvailable(ShippingMethod method, const std::string& origin);

    // The calculators themselves, for callers that set their own parcel.
    CarrierCalculator& Calculator(ShippingMethod method);
    const CarrierCalculator& Calculator(ShippingMethod method) const;

    int Weight() const { return m_weight; }
    const std::string& Origin() const { return m_origin; }
    const std::string& SellerId() const { return m_seller_id; }
    // unit price x quantity + surcharge, without overflow.
    std::int64_t TotalBase() const;

private:
    // The method's calculator, handed the request's parcel.
    CarrierCalculator& WithParcel(ShippingMethod method);

    YuPackCalculator m_yupack;
    YahooYuPackCalculator m_yahoo_yupack;
    PostalCalculator m_postal[6];
    RegionCarrierCalculator m_yamato{kYamatoCarrier};
    RegionCarrierCalculator m_sagawa{kSagawaCarrier};
    RegionCarrierCalculator m_pelican{kPelicanCarrier};

    int m_weight = 0;
    int m_side1 = 0;
    int m_side2 = 0;
    int m_side3 = 0;
    int m_unit_price = 0;
    int m_quantity = 0;
    int m_surcharge = 0;
    std::string m_origin;
    std::string m_seller_id;
};

// "料金データの読み込みが出来ません。\n[...]" for the method's rate tables (CP932).
const std::string& RateLoadMessage(ShippingMethod method);

// The method's name as the shipping tool and the CLI show it (CP932), e.g. "ゆうパック".
const std::string& ShippingMethodName(ShippingMethod method);

} // namespace hanamori
