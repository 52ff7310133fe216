// The receipt's amount and what its page holds.

#include "core/document/receipt_layout.h"
#include "core/text/cp932.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

TEST(Receipt, WritesTheAmountGroupedAndEveryPartOfThePage) {
    EXPECT_EQ(Cp932ToUtf8(ReceiptAmountText(1234567)), "￥1,234,567-");
    EXPECT_EQ(Cp932ToUtf8(ReceiptAmountText(500)), "￥500-");
    ReceiptContent r{"山田"_sj,      12345,     "腕時計"_sj, {2026, 3, 7},
                     "261207153000", "花森"_sj, "1500001",   "東京都渋谷区"_sj};
    std::string all;
    for (const PlacedText& t : LayOutReceipt(r).texts) {
        all += Cp932ToUtf8(t.text) + "|";
        EXPECT_LE(t.x + t.Width(), 210.0) << Cp932ToUtf8(t.text);
    }
    EXPECT_EQ(all,
              "領　収　書|2026年3月7日|No. 261207153000|山田　様|￥12,345-|但し　腕時計代として|"
              "上記正に領収いたしました。|花森|〒150-0001|東京都渋谷区|");
}

} // namespace
} // namespace hanamori
