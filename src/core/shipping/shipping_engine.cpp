#include "core/shipping/shipping_engine.h"

#include "core/app/host.h"
#include "core/settings/settings_files.h"
#include "core/shipping/rate_file.h"
#include "core/text/cp932.h"

#include <utility>

namespace hanamori {
namespace {
constexpr std::size_t kRequestTextCapacity = 128;
} // namespace

ShippingEngine::ShippingEngine(const UserSettings& settings) {
    for (ShippingMethod method :
         {ShippingMethod::Teikei, ShippingMethod::Teikeigai, ShippingMethod::Sassi,
          ShippingMethod::Expack, ShippingMethod::Kuroneko, ShippingMethod::Hikyaku,
          ShippingMethod::YuPack, ShippingMethod::YahooYuPack, ShippingMethod::Yamato,
          ShippingMethod::Sagawa, ShippingMethod::Pelican}) {
        Calculator(method).SetSettings(&settings);
    }
    for (int kind = 0; kind < 6; ++kind) {
        m_postal[kind].SetPostalKind(kind);
    }
}

ShippingEngine::ShippingEngine() : ShippingEngine(Settings()) {}

ShippingEngine::~ShippingEngine() = default;

bool ShippingEngine::LoadAll(const std::string& cost_dir, Host& host) {
    for (int kind = 0; kind < 6; ++kind) {
        m_postal[kind].SetPostalKind(kind);
    }
    // Each rate file is read from disk once, however many calculators read from it.
    RateFiles files(cost_dir);
    for (ShippingMethod method : kRateLoadOrder) {
        Calculator(method).SetRateDirectory(cost_dir);
    }
    bool failed = false;
    for (ShippingMethod method : kRateLoadOrder) {
        CarrierCalculator& calculator = Calculator(method);
        if (failed) {
            // Not tried after the first failure: its old tables are no longer trusted.
            calculator.SetUnloaded();
        } else if (!calculator.LoadFrom(files)) {
            host.ShowMessage(RateLoadMessage(method), MessageIcon::Stop);
            failed = true;
        }
    }
    return !failed;
}

void ShippingEngine::SetParcel(int side1, int side2, int side3, int weight) {
    m_weight = weight;
    m_side1 = side1;
    m_side2 = side2;
    m_side3 = side3;
}

void ShippingEngine::SetTotalBasis(int unit_price, int quantity, int surcharge) {
    m_unit_price = unit_price;
    m_quantity = quantity;
    m_surcharge = surcharge;
}

void ShippingEngine::SetOrigin(const std::string& prefecture) {
    m_origin = FitField(prefecture, kRequestTextCapacity);
}

void ShippingEngine::SetSellerId(const std::string& nickname) {
    m_seller_id = FitField(nickname, kRequestTextCapacity);
}

std::int64_t ShippingEngine::TotalBase() const {
    return std::int64_t{m_unit_price} * m_quantity + m_surcharge;
}

CarrierCalculator& ShippingEngine::WithParcel(ShippingMethod method) {
    CarrierCalculator& calculator = Calculator(method);
    calculator.SetParcel(m_side1, m_side2, m_side3, m_weight);
    return calculator;
}

bool ShippingEngine::List(ShippingMethod method, int format, bool with_totals) {
    CarrierCalculator& calculator = WithParcel(method);
    calculator.SetSellerId(m_seller_id);
    return calculator.BuildList(m_origin, format, with_totals ? TotalBase() : kNoTotal);
}

const std::string& ShippingEngine::ListText(ShippingMethod method) const {
    return Calculator(method).ListText();
}

int ShippingEngine::Cost(ShippingMethod method, const std::string& origin,
                         const std::string& destination) {
    return WithParcel(method).Cost(origin, destination);
}

bool ShippingEngine::IsAvailable(ShippingMethod method, const std::string& origin) {
    return WithParcel(method).IsAvailable(origin);
}

CarrierCalculator& ShippingEngine::Calculator(ShippingMethod method) {
    return const_cast<CarrierCalculator&>(std::as_const(*this).Calculator(method));
}

const CarrierCalculator& ShippingEngine::Calculator(ShippingMethod method) const {
    switch (method) {
    case ShippingMethod::Teikei:
        return m_postal[0];
    case ShippingMethod::Teikeigai:
        return m_postal[1];
    case ShippingMethod::Sassi:
        return m_postal[2];
    case ShippingMethod::Expack:
        return m_postal[3];
    case ShippingMethod::Kuroneko:
        return m_postal[4];
    case ShippingMethod::Hikyaku:
        return m_postal[5];
    case ShippingMethod::YuPack:
        return m_yupack;
    case ShippingMethod::YahooYuPack:
        return m_yahoo_yupack;
    case ShippingMethod::Yamato:
        return m_yamato;
    case ShippingMethod::Sagawa:
        return m_sagawa;
    case ShippingMethod::Pelican:
        break;
    }
    return m_pelican;
}

const std::string& RateLoadMessage(ShippingMethod method) {
    static const std::string* const kMessages[kShippingMethodCount] = {
        &"料金データの読み込みが出来ません。\n[定型郵便]"_sj,
        &"料金データの読み込みが出来ません。\n[定形外郵便]"_sj,
        &"料金データの読み込みが出来ません。\n[冊子小包]"_sj,
        &"料金データの読み込みが出来ません。\n[エクスパック500]"_sj,
        &"料金データの読み込みが出来ません。\n[クロネコメール便]"_sj,
        &"料金データの読み込みが出来ません。\n[飛脚メール便]"_sj,
        &"料金データの読み込みが出来ません。\n[ゆうパック]"_sj,
        &"料金データの読み込みが出来ません。\n[Yahoo!ゆうパック]"_sj,
        &"料金データの読み込みが出来ません。\n[ヤマト急便]"_sj,
        &"料金データの読み込みが出来ません。\n[佐川急便]"_sj,
        &"料金データの読み込みが出来ません。\n[ペリカン便]"_sj};
    int index = static_cast<int>(method);
    return *kMessages[index >= 0 && index < kShippingMethodCount ? index : 0];
}

const std::string& ShippingMethodName(ShippingMethod method) {
    static const std::string* const kNames[kShippingMethodCount] = {
        &"定形郵便"_sj,         &"定形外郵便"_sj,   &"冊子小包"_sj,   &"EXPACK500"_sj,
        &"クロネコメール便"_sj, &"飛脚メール便"_sj, &"ゆうパック"_sj, &"Yahoo!ゆうパック"_sj,
        &"ヤマト宅急便"_sj,     &"佐川急便"_sj,     &"ペリカン便"_sj};
    int index = static_cast<int>(method);
    return *kNames[index >= 0 && index < kShippingMethodCount ? index : 0];
}

} // namespace hanamori
