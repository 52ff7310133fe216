#include "core/page/page_shipping.h"

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

const std::string& EngineCostLists::CostList(ShippingMethod carrier) {
    // The list text is read whether or not the list operation succeeded: a carrier that
    // cannot take the parcel leaves it empty.
    m_engine.List(carrier, kListHtmlEmphasis, false);
    return m_engine.ListText(carrier);
}

} // namespace hanamori
