#pragma once
// What the page builders need of the shipping engine: the request (parcel, origin,
// seller, total basis) and, per parcel carrier, one HTML cost list. The document's
// engine is reached through EngineCostLists; tests give their own.

#include "core/shipping/shipping_engine.h"

#include <string>

namespace hanamori {

class PageCostLists {
public:
    virtual ~PageCostLists() = default;
    virtual void SetSellerId(const std::string& nickname) = 0;
    virtual void SetTotalBasis(int unit_price, int quantity, int surcharge) = 0;
    // Sides in cm, weight in g.
    virtual void SetParcel(int side1, int side2, int side3, int weight) = 0;
    virtual void SetOrigin(const std::string& prefecture) = 0;
    // The carrier's cost list for the request, in the product-page HTML form, without
    // totals; empty when the carrier cannot take the parcel (one of kListedMethods).
    virtual const std::string& CostList(ShippingMethod carrier) = 0;
};

// The product-page cost lists of a real shipping engine.
class EngineCostLists final : public PageCostLists {
public:
    explicit EngineCostLists(ShippingEngine& engine) : m_engine(engine) {}
    void SetSellerId(const std::string& nickname) override;
    void SetTotalBasis(int unit_price, int quantity, int surcharge) override;
    void SetParcel(int side1, int side2, int side3, int weight) override;
    void SetOrigin(const std::string& prefecture) override;
    const std::string& CostList(ShippingMethod carrier) override;

private:
    ShippingEngine& m_engine;
};

} // namespace hanamori
