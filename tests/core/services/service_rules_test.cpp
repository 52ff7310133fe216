// The rules of the service catalogue on made-up data: size classes, thickness steps,
// limits at and just over their value, region pairs both ways, bad lines, and a service
// added as nothing but a data file.

#include "core/shipping/services/service_catalogue.h"
#include "core/text/cp932.h"
#include "support/test_support.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace hanamori {
namespace {
using test::Sj;

ServiceTariff Parse(const std::string& utf8_lines) {
    auto parsed = ParseServiceFile(Sj(utf8_lines), "test.csv");
    auto* problem = std::get_if<ServiceDataProblem>(&parsed);
    EXPECT_EQ(problem, nullptr) << (problem ? Cp932ToUtf8(problem->message) : "");
    return problem ? ServiceTariff{} : std::get<ServiceTariff>(parsed);
}

std::int32_t Cost(const ServiceTariff& t, std::array<std::int32_t, 3> sides, std::int32_t grams,
                  int from = 13, int to = 26) {
    return TariffCost(t, ServiceParcel{sides, grams}, from, to);
}

const char* const kTwoRegions = "service,地域便\ncarrier,テスト運輸\n"
                                "region,east,東,東京都,神奈川県\nregion,west,西,大阪府\n";

TEST(ServiceRules, SizeClassIsTheLargerOfClassBySidesAndClassByWeight) {
    ServiceTariff t =
        Parse(std::string(kTwoRegions) + "sum,100\nsize_class,60,60,2000\nsize_class,80,80,5000\n"
                                         "size_class,100,100,10000\n"
                                         "rate,60,east,600,650\nrate,60,west,650,600\n"
                                         "rate,80,east,800,850\nrate,80,west,850,800\n"
                                         "rate,100,east,1000,1050\nrate,100,west,1050,1000\n");
    EXPECT_EQ(Cost(t, {30, 20, 10}, 2000), 650);  // exactly at both limits of 60
    EXPECT_EQ(Cost(t, {30, 20, 11}, 2000), 850);  // one centimetre over: 80
    EXPECT_EQ(Cost(t, {30, 20, 10}, 2001), 850);  // one gram over: 80
    EXPECT_EQ(Cost(t, {30, 20, 10}, 6000), 1050); // light by size, heavy by weight
    EXPECT_EQ(Cost(t, {45, 30, 20}, 100), 1050);  // heavy by size, light by weight
    EXPECT_EQ(Cost(t, {50, 30, 20}, 10000), 1050);
    EXPECT_EQ(Cost(t, {50, 30, 21}, 100), -1);        // beyond every class (and the sum)
    EXPECT_EQ(Cost(t, {30, 20, 10}, 10001), -1);      // beyond every class by weight
    EXPECT_EQ(Cost(t, {30, 20, 10}, 100, 13, 0), -1); // a prefecture in no region
}

TEST(ServiceRules, RegionPairsReadFromOriginRowAndBothWaysWhereOneIsEmpty) {
    ServiceTariff t = Parse(std::string(kTwoRegions) +
                            "size_class,60,60,\nrate,60,east,500,700\nrate,60,west,900,500\n");
    EXPECT_EQ(Cost(t, {10, 10, 10}, 1, 13, 26), 700); // 東京 → 大阪: row east
    EXPECT_EQ(Cost(t, {10, 10, 10}, 1, 26, 13), 900); // 大阪 → 東京: row west
    EXPECT_EQ(Cost(t, {10, 10, 10}, 1, 13, 14), 500); // within east

    ServiceTariff half = Parse(std::string(kTwoRegions) +
                               "size_class,60,60,\nrate,60,east,500,700\nrate,60,west,,500\n");
    EXPECT_EQ(Cost(half, {10, 10, 10}, 1, 13, 26), 700);
    EXPECT_EQ(Cost(half, {10, 10, 10}, 1, 26, 13), 700);
}

TEST(ServiceRules, ThicknessStepsAndLimitsAtTheirValueAndJustOver) {
    ServiceTariff t = Parse("service,薄物便\ncarrier,テスト\nsum,60\nthickness,3\nweight,1000\n"
                            "thickness_step,1,250\nthickness_step,2,310\nthickness_step,3,360\n");
    EXPECT_EQ(Cost(t, {30, 22, 0}, 100), 250);
    EXPECT_EQ(Cost(t, {30, 1, 22}, 100), 250); // the shortest side is the thickness
    EXPECT_EQ(Cost(t, {2, 30, 22}, 100), 310);
    EXPECT_EQ(Cost(t, {30, 22, 3}, 1000), 360);
    EXPECT_EQ(Cost(t, {30, 22, 4}, 100), -1);
    EXPECT_EQ(Cost(t, {30, 22, 3}, 1001), -1);
    EXPECT_EQ(Cost(t, {35, 22, 3}, 100), 360);
    EXPECT_EQ(Cost(t, {36, 22, 3}, 100), -1); // 61 cm

    ServiceTariff box = Parse("service,封筒便\ncarrier,テスト\nsides,23.5,12,1\nweight,50\n"
                              "flat,110\n");
    EXPECT_EQ(Cost(box, {12, 1, 23}, 50), 110); // any order of the sides
    EXPECT_EQ(Cost(box, {24, 12, 1}, 50), -1);  // over 23.5
    EXPECT_EQ(Cost(box, {23, 13, 1}, 50), -1);
    EXPECT_EQ(Cost(box, {23, 12, 2}, 50), -1);
    EXPECT_EQ(Cost(box, {23, 12, 1}, 51), -1);
}

TEST(ServiceRules, BadLinesNameTheirFileAndLineAndOnlyThatServiceIsLeftOut) {
    const std::pair<const char*, const char*> cases[] = {
        {"service,A\ncarrier,B\n\n# note\nflat,12a\n", "5: 数値ではありません: 12a"},
        {"service,A\ncarrier,B\nweight_step,100,1\nweight_step,100,2\n", "4: 上限は"},
        {"service,A\ncarrier,B\nflat,1\nweight_step,100,1\n", "4: 料金表は一つ"},
        {"service,A\ncarrier,B\nregion,x,X,東京\n", "3: 都道府県名ではありません: 東京"},
        {"service,A\ncarrier,B\nregion,x,X,東京都\nregion,y,Y,東京都\n", "4: 二つの地域"},
        {"service,A\ncarrier,B\nregion,x,X,東京都\nregion,y,Y,大阪府\nsize_class,60,60,\n"
         "rate,60,x,1\n",
         "5: 料金がありません: 60 x → y"},
        {"service,A\ncarrier,B\nregion,x,X,東京都\nsize_class,60,60,\nrate,60,z,1\n",
         "5: region にない地域です: z"},
        {"service,A\ncarrier,B\neffective,2024/10/01\nflat,1\n", "3: 日付は"},
        {"service,A\ncarrier,B\nlimit,3\n", "3: 知らない項目です: limit"},
        {"service,A\nflat,1\n", "0: service と carrier"},
    };
    for (const auto& [text, expected] : cases) {
        auto parsed = ParseServiceFile(Sj(text), "x.csv");
        auto* problem = std::get_if<ServiceDataProblem>(&parsed);
        ASSERT_NE(problem, nullptr) << text;
        std::string found = std::to_string(problem->line) + ": " + Cp932ToUtf8(problem->message);
        EXPECT_EQ(found.rfind(expected, 0), 0u) << found;
    }
}

TEST(ServiceRules, AServiceAddedAsDataIsPricedBesideTheShippedOnes) {
    test::TempDir dir;
    std::filesystem::copy(test::SourceDir() + "/data/ServiceData", dir.path());
    test::WriteFile(dir / "20_neighbour.csv",
                    Sj("service,近所便\ncarrier,町の運送\neffective,2026-01-01\nconfidence,L\n"
                       "weight,2000\nflat,150\n"));
    test::WriteFile(dir / "21_broken.csv", Sj("service,壊れ便\ncarrier,X\nflat,\n"));
    test::WriteFile(dir / "22_orphan.csv",
                    Sj("service,孤児便\ncarrier,X\nonly_beyond,ない便\nflat,1\n"));
    ServiceCatalogue catalogue = LoadServiceCatalogue(dir.path());

    test::ScriptedHost host;
    ReportServiceProblems(catalogue, host);
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string message = Cp932ToUtf8(host.messages[0].text);
    EXPECT_NE(message.find("ServiceData/21_broken.csv 3行目: flat には値を一つ書きます"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("ServiceData/22_orphan.csv 3行目: only_beyond の発送方法がありません"),
              std::string::npos)
        << message;

    // 東京 → 大阪, a 60-size parcel of 1 kg: the new service is priced and is the cheapest.
    auto quotes = QuoteServices(catalogue, ServiceParcel{{30, 20, 10}, 1000}, 13, 26);
    auto mine = std::find_if(quotes.begin(), quotes.end(), [](const ServiceQuote& q) {
        return Cp932ToUtf8(q.service->name) == "近所便";
    });
    ASSERT_NE(mine, quotes.end());
    EXPECT_EQ(std::count_if(quotes.begin(), quotes.end(),
                            [](const ServiceQuote& q) { return q.cheapest; }),
              1);
    EXPECT_TRUE(mine->cheapest);
    EXPECT_EQ(Cp932ToUtf8(QuoteCostText(*mine)), "150 要確認");
}

} // namespace
} // namespace hanamori

namespace hanamori {
namespace {

TEST(ServiceRules, PeriodsPriceByTheDayAndIdsFindTheirServiceAgain) {
    const ServiceTariff t = Parse("service,冊子便\nid,booklet\ncarrier,テスト郵便\nweight,1000\n"
                                  "weight_step,500,300\nperiod,2025-11-01\nconfidence,L\n"
                                  "weight_step,500,320\nperiod,2026-04-01\nweight_step,500,350\n");
    ASSERT_EQ(t.earlier.size(), 2u);
    EXPECT_EQ(TariffOn(t, "2025-10-31").steps.at(0).price, 300);
    EXPECT_EQ(TariffOn(t, "2025-11-01").steps.at(0).price, 320);
    EXPECT_TRUE(TariffOn(t, "2026-03-31").unconfirmed);
    EXPECT_EQ(&TariffOn(t, "2026-12-09"), &t);
    auto backwards = ParseServiceFile(
        Sj("service,A\ncarrier,B\nflat,1\nperiod,2025-01-01\nflat,2\nperiod,2024-12-31\nflat,3\n"),
        "x.csv");
    ASSERT_NE(std::get_if<ServiceDataProblem>(&backwards), nullptr);
    EXPECT_EQ(std::get<ServiceDataProblem>(backwards).line, 6);

    test::TempDir dir;
    test::WriteFile(dir / "01_a.csv", Sj("service,甲便\nid,same\ncarrier,X\nflat,100\n"));
    test::WriteFile(dir / "02_b.csv", Sj("service,乙便\nid,same\ncarrier,X\nflat,200\n"));
    test::WriteFile(dir / "03_old_file.csv", Sj("service,丙便\ncarrier,X\nflat,300\n"));
    const ServiceCatalogue catalogue = LoadServiceCatalogue(dir.path());
    ASSERT_EQ(catalogue.problems.size(), 1u);
    EXPECT_NE(Cp932ToUtf8(catalogue.problems[0].message).find("same"), std::string::npos);
    ASSERT_NE(FindService(catalogue, "same"), nullptr);
    EXPECT_EQ(FindService(catalogue, "same")->flat_price, 100);
    ASSERT_NE(FindService(catalogue, "03_old_file"), nullptr); // a file without an id
    EXPECT_EQ(FindService(catalogue, "gone"), nullptr);
}

TEST(ServiceRules, ARefusedParcelSaysWhichLimitItPasses) {
    const ServiceTariff t =
        Parse("service,薄物便\ncarrier,X\nsum,60\nthickness,3\nweight,1000\nflat,185\n");
    EXPECT_EQ(RefusalReason(t, ServiceParcel{{30, 20, 3}, 1000}), "");
    EXPECT_EQ(Cp932ToUtf8(RefusalReason(t, ServiceParcel{{30, 20, 4}, 500})),
              "厚さ 3cm を超えています");
    EXPECT_EQ(Cp932ToUtf8(RefusalReason(t, ServiceParcel{{30, 20, 3}, 1001})),
              "重さ 1kg を超えています");
    EXPECT_EQ(Cp932ToUtf8(RefusalReason(t, ServiceParcel{{40, 20, 3}, 500})),
              "3辺合計 60cm を超えています");
}

} // namespace
} // namespace hanamori
