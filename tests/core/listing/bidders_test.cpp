// Registration, amount fields and removal of winning bidders.

#include "core/listing/bidders.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace hanamori {
namespace {
using test::Sj;
using test::Utf8;

TEST(Bidders, RegistrationCleansTheAmountAndFixesTheQuantity) {
    EXPECT_EQ(CleanAmount(Sj("1,500円")), 1500);
    EXPECT_EQ(CleanAmount("12.5"), 12);
    EXPECT_EQ(CleanAmount(""), 0);
    EXPECT_EQ(CleanAmount("99999999999"), std::numeric_limits<std::int32_t>::max());
    // Read as the seller means it, whatever the width it was typed in.
    EXPECT_EQ(CleanAmount(Sj("１８５００")), 18500);
    EXPECT_EQ(CleanAmount(Sj("￥１，５００ 円")), 1500);
    EXPECT_EQ(CleanAmount(Sj("¥ 2,000")), 2000);
    EXPECT_EQ(CleanAmount(Sj("－３００．５円")), -300);
    // Anything else is refused, not read as another number.
    for (const char* text : {"1万8千円", "約300円", "1-2", "12a", "1.2.3", "３個"}) {
        EXPECT_FALSE(CleanAmount(Sj(text))) << text;
    }
    EXPECT_EQ(RegistrationCount(Sj("３")), 3);
    EXPECT_EQ(RegistrationCount("0"), 1);
    EXPECT_EQ(RegistrationCount("-3"), 1);
    EXPECT_EQ(RegistrationCount("abc"), 1);
    EXPECT_EQ(RegistrationCount("7"), 7);

    NewBidder b = ReadRegistration(std::string(200, 'n'), "a@example.jp", Sj("2,000円"), "0");
    EXPECT_EQ(b.nickname.size(), 127u);
    EXPECT_EQ(b.mail, "a@example.jp");
    EXPECT_EQ(b.price, 2000);
    EXPECT_EQ(b.count, 1);
}

TEST(Bidders, NicknamesCompareIgnoringAsciiCaseOnly) {
    CustomerList list;
    RegisterBidder(list, {"taro", "", 0, 1});
    RegisterBidder(list, {Sj("ｈａｎａ"), "", 0, 1});
    EXPECT_EQ(Utf8(*RegistrationRefusal(list, "Taro")), "その落札者は既に登録されています。");
    EXPECT_EQ(Utf8(*RegistrationRefusal(list, "")), "落札者のニックネームを入力してください。");
    // Full-width letters are compared exactly.
    EXPECT_FALSE(RegistrationRefusal(list, Sj("ＨＡＮＡ")));
    EXPECT_EQ(NicknameIndex(list, Sj("ｈａｎａ")), 1);
    EXPECT_FALSE(RegistrationRefusal(list, "jiro"));
}

TEST(Bidders, ARegisteredBidderIsFreshAndSelected) {
    CustomerList list;
    RegisterBidder(list, {"a", "", 100, 1});
    list[0].paid = 1;
    list.current = 0;
    EXPECT_EQ(RegisterBidder(list, {"b", "b@example.jp", 1500, 0}), 1);
    EXPECT_EQ(list.current, 1);
    const CustomerRecord& r = list[1];
    EXPECT_EQ(r.nickname, "b");
    EXPECT_EQ(r.mail, "b@example.jp");
    EXPECT_EQ(r.price, 1500);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.paid, 0);
    EXPECT_EQ(r.ship_cost, 0);
    EXPECT_EQ(r.name, "");
}

TEST(Bidders, RemovingSelectsTheNextOrTheNewLast) {
    CustomerList list;
    for (const char* n : {"a", "b", "c"}) {
        RegisterBidder(list, {n, "", 0, 1});
    }
    list.current = 1;
    ASSERT_TRUE(RemoveCurrentBidder(list));
    EXPECT_EQ(list.current, 1);
    EXPECT_EQ(list[1].nickname, "c");
    // The last of the remaining: the new last becomes current.
    ASSERT_TRUE(RemoveCurrentBidder(list));
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.current, 0);
    ASSERT_TRUE(RemoveCurrentBidder(list));
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.current, -1);
    EXPECT_FALSE(RemoveCurrentBidder(list));
}

TEST(Bidders, AmountFieldsTakeDigitsAndOtherChargesASign) {
    EXPECT_EQ(ParseAmountField("", false), 0);
    EXPECT_EQ(ParseAmountField("1200", false), 1200);
    EXPECT_FALSE(ParseAmountField("12a", false));
    EXPECT_FALSE(ParseAmountField("-300", false));
    EXPECT_FALSE(ParseAmountField(Sj("１２"), false));
    EXPECT_EQ(ParseAmountField("-300", true), -300);
    EXPECT_EQ(ParseAmountField("-", true), 0);
    EXPECT_FALSE(ParseAmountField("3-", true));
    EXPECT_FALSE(ParseAmountField("--3", true));
    EXPECT_EQ(ParseAmountField("2147483647", false), 2147483647);
    EXPECT_FALSE(ParseAmountField("2147483648", false));
    EXPECT_EQ(ParseAmountField("-2147483648", true), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(ParseAmountField("99999999999999999999", true));
}

TEST(Bidders, QuantitiesStepWithinTheCountRange) {
    EXPECT_EQ(StepCount(0, 1), 1); // an empty field steps up to 1
    EXPECT_EQ(StepCount(0, -1), 1);
    EXPECT_EQ(StepCount(999, 1), 1000);
    EXPECT_EQ(StepCount(1000, 1), 1000);
    EXPECT_EQ(StepCount(1000, -1), 999);
    EXPECT_EQ(StepCount(5000, -1), 1000);
    EXPECT_EQ(StepCount(std::numeric_limits<int>::max(), 1), 1000);
}

TEST(Bidders, TickingAStageDatesItOnlyWhenItsDateIsEmpty) {
    EXPECT_EQ(StageDateAfterClick(true, "", "2026/12/08"), "2026/12/08");
    EXPECT_EQ(StageDateAfterClick(true, Sj("入金は月末"), "2026/12/08"), Sj("入金は月末"));
    EXPECT_EQ(StageDateAfterClick(false, "2026/12/01", "2026/12/08"), "2026/12/01");
    EXPECT_EQ(StageDateAfterClick(false, "", "2026/12/08"), "");
}

TEST(Bidders, TheTotalIsExactBeyond32Bits) {
    CustomerRecord r;
    r.price = 2000000000;
    r.count = 1000;
    r.ship_cost = 800;
    r.other_charge = -300;
    EXPECT_EQ(TotalText(r), "2000000000500");
    r.price = 1500;
    r.count = 2;
    EXPECT_EQ(TotalText(r), "3500");
}

} // namespace
} // namespace hanamori
