// Writes seed inputs for the fuzz targets: listings and settings files as the program
// saves them. Usage: fuzz_make_seeds OUTDIR (OUTDIR/listing, OUTDIR/profile).

#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "core/text/cp932.h"

#include <cstdio>
#include <filesystem>

using namespace hanamori;
namespace fs = std::filesystem;

namespace {

UserSettings FilledSettings() {
    UserSettings s;
    s.hanamo.page_type = "テーブル表示1"_sj;
    s.hanamo.page_color = "ソフトブルー"_sj;
    s.personal[0].name = "佐藤 花子"_sj;
    s.personal[0].nickname = "hanako_shop";
    s.personal[0].address1 = "東京都"_sj;
    s.personal[0].address = "千代田区\r\n1-1"_sj;
    s.bank[0] = {1, "みずほ銀行"_sj, "渋谷支店"_sj, "普通"_sj, "1234567", "ヤマダ ハナコ"_sj};
    s.etc.text = "代引き"_sj;
    s.item_info.text = "ノークレーム"_sj;
    s.send_method.text = "手渡し"_sj;
    return s;
}

SaleMaster FilledListing(const UserSettings& settings, int bidders) {
    SaleMaster m;
    m.Reset(settings);
    m.manage_no = "261207153000";
    m.product_name = "木製カトラリーセット"_sj;
    m.auction.listed = 1;
    m.auction.description = "説明\r\n二行目"_sj;
    m.auction.use_yamato = 1;
    m.auction.weight_g = 1500;
    for (int i = 0; i < bidders; ++i) {
        CustomerRecord c;
        c.name = "佐藤 一郎"_sj;
        c.nickname = "ichiro" + std::to_string(i);
        c.price = 1000;
        c.count = 2;
        c.pref = "大阪府"_sj;
        m.customers.Append(c);
    }
    return m;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds OUTDIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    fs::create_directories(out / "listing");
    fs::create_directories(out / "settings" / "user.ini");
    UserSettings settings = FilledSettings();
    bool ok = true;
    SaleMaster empty;
    empty.manage_no = "261207153001";
    ok = ok && WriteListing(empty, (out / "listing" / "empty.rks").string());
    for (int bidders : {0, 1, 3}) {
        ok = ok && WriteListing(
                       FilledListing(settings, bidders),
                       (out / "listing" / ("bidders" + std::to_string(bidders) + ".rks")).string());
    }
    SaleMaster sold = FilledListing(settings, 3);
    sold.auction.unit_cost = 400;
    sold.auction.services = {"click_post"};
    sold.customers[1].shipping_paid = 185;
    sold.customers[2].tracking_no = "1234-5678";
    ok = ok && WriteListing(sold, (out / "listing" / "extras.rks").string());
    ok = ok && SaveAllSettings(settings, (out / "settings").string() + "/");
    if (!ok) {
        std::fprintf(stderr, "fuzz_make_seeds: could not write the seeds\n");
        return 1;
    }
    return 0;
}
