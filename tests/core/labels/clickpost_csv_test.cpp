// The bulk label CSV against a file written by hand, and each refusal.

#include "core/document/clickpost_csv.h"
#include "core/text/cp932.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

TEST(ClickPostCsv, MatchesAHandWrittenFile) {
    std::vector<ClickPostSale> sales = {
        {"taro", "山田 太郎"_sj, "1000001", "東京都"_sj,
         "千代田区千代田1-1-1\r\nパークハウス千代田101号室"_sj, "腕時計"_sj},
        {"hana", "佐藤, 花子"_sj, "５３０－０００１"_sj, "大阪府"_sj,
         "大阪市北区梅田三丁目一番一号グランフロント大阪タワーＢ１２３４５"_sj, "本"_sj}};
    ClickPostCsv csv = BuildClickPostCsv(sales);
    ASSERT_EQ(csv.error, "");
    EXPECT_EQ(Cp932ToUtf8(csv.bytes),
              "お届け先郵便番号,お届け先氏名,お届け先敬称,お届け先住所1行目,お届け先住所2行目,"
              "お届け先住所3行目,お届け先住所4行目,内容品\r\n"
              "100-0001,山田 太郎,様,東京都千代田区千代田1-1-1,パークハウス千代田101号室,,,"
              "腕時計\r\n"
              "530-0001,\"佐藤, 花子\",様,大阪府大阪市北区梅田三丁目一番一号グラン,"
              "フロント大阪タワーＢ１２３４５,,,本\r\n");
}

TEST(ClickPostCsv, RefusesWhatDoesNotFitNamingTheBidderAndTheField) {
    ClickPostSale ok{"taro", "山田"_sj, "1000001", "東京都"_sj, "千代田区"_sj, "本"_sj};
    auto error = [](ClickPostSale s) {
        ClickPostCsv csv = BuildClickPostCsv({s});
        EXPECT_EQ(csv.bytes, "");
        return Cp932ToUtf8(csv.error);
    };
    ClickPostSale s = ok;
    s.name = std::string(41, 'a');
    EXPECT_EQ(error(s), "落札者「taro」のお届け先氏名がクリックポストの欄に収まりません。");
    s = ok;
    s.address = "a\r\nb\r\nc\r\nd\r\ne";
    EXPECT_EQ(error(s), "落札者「taro」の住所がクリックポストの欄に収まりません。");
    s = ok;
    s.contents = std::string(31, 'a');
    EXPECT_EQ(error(s), "落札者「taro」の内容品がクリックポストの欄に収まりません。");
    s = ok;
    s.zip = "123";
    EXPECT_EQ(error(s), "落札者「taro」の郵便番号がクリックポストの欄に収まりません。");
    EXPECT_NE(BuildClickPostCsv(std::vector<ClickPostSale>(41, ok)).error, "");
    EXPECT_EQ(BuildClickPostCsv(std::vector<ClickPostSale>(40, ok)).error, "");
}

} // namespace
} // namespace hanamori
