#pragma once
// A receipt (領収書) for one sale, laid out on one A4 page.

#include "core/document/dealings.h"
#include "core/document/text_box.h"

#include <cstdint>
#include <string>

namespace hanamori {

struct ReceiptContent {
    std::string buyer;        // CP932; "様" is added
    std::int64_t amount = 0;  // yen
    std::string product_name; // CP932
    CivilDate date;
    std::string number;                                  // the listing's management number
    std::string seller_name, seller_zip, seller_address; // CP932
};

// The amount as a receipt writes it: "¥12,345-".
std::string ReceiptAmountText(std::int64_t amount);
// The page: title, buyer and 様, the amount, "但し　…代として", the date
// "YYYY年M月D日", the number and the issuer's name, postcode and address; long texts are
// broken at the page's width.
LayoutPage LayOutReceipt(const ReceiptContent& receipt);

} // namespace hanamori
