#include "core/page/page_shipping.h"

#include "core/shipping/shipping_engine.h"

namespace hanamori {

void EngineCostLists::SetSellerId(const std::string& nickname) {
    m_engine.SetSellerId(nickname);
}

void EngineCostLists::SetTotalBasis(int unit_price, int quantity, int surcharge) {
    m_engine.SetTotalBasis(unit_price, quantity, surcharge);
}

void EngineCostLists::SetParcel(int side1, int side2, int side3, int weight) {
    m_engine.SetParcel(side1, side2, side3, weight);
}

void EngineCostLists::SetOrigin(const std::string& prefecture) {
    m_engine.SetOrigin(prefecture);
}

const std::string& EngineCostLists::CostList(PageCarrier carrier) {
    // The list text is read whether or not the list operation succeeded: a carrier that
    // cannot take the parcel leaves it empty.
    switch (carrier) {
    case PageCarrier::YuPack:
        m_engine.ListYuPack(kListHtmlEmphasis, false);
        return m_engine.ListText(ShippingMethod::YuPack);
    case PageCarrier::YahooYuPack:
        m_engine.ListYahooYuPack(kListHtmlEmphasis, false);
        return m_engine.ListText(ShippingMethod::YahooYuPack);
    case PageCarrier::Yamato:
        m_engine.ListYamato(kListHtmlEmphasis, false);
        return m_engine.ListText(ShippingMethod::Yamato);
    case PageCarrier::Sagawa:
        m_engine.ListSagawa(kListHtmlEmphasis, false);
        return m_engine.ListText(ShippingMethod::Sagawa);
    case PageCarrier::Pelican:
        m_engine.ListPelican(kListHtmlEmphasis, false);
        return m_engine.ListText(ShippingMethod::Pelican);
    }
    static const std::string none;
    return none;
}

} // namespace hanamori
