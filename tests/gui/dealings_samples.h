#pragma once
// A seller's week for the dealings window's picture: listings ended over the last weeks
// with their winning bidders at every stage, dated relative to today, and one damaged
// file.

#include "core/app/helpers.h"
#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "core/text/cp932.h"
#include "support/test_support.h"

#include <ctime>
#include <string>

namespace hanamori::samples {

struct SampleBidder {
    const char* nickname;
    const char* name;
    int price;
    int count;
    int ship;
    int stage;    // 0 to 5: the stages ticked in order up to this one
    int days_ago; // of the last stage; earlier stages a day apart before it
};

inline void WriteDealingSample(const char* no, const char* name,
                               std::initializer_list<SampleBidder> bidders) {
    SaleMaster l;
    l.Reset(Settings());
    l.manage_no = no;
    l.product_name = *Utf8ToCp932(name);
    l.auction.listed = 1;
    l.auction.ended = 1;
    for (const SampleBidder& b : bidders) {
        CustomerRecord c;
        c.nickname = b.nickname;
        c.name = *Utf8ToCp932(b.name);
        c.price = b.price;
        c.count = b.count;
        c.ship_cost = b.ship;
        std::int32_t* ticks[] = {&c.notice_sent, &c.method_told, &c.paid, &c.shipped, &c.closed};
        std::string* dates[] = {&c.notice_sent_date, &c.method_told_date, &c.paid_date,
                                &c.shipped_date, &c.closed_date};
        for (int s = 0; s < b.stage; ++s) {
            *ticks[s] = 1;
            *dates[s] = test::DaysAgo(b.days_ago + (b.stage - 1 - s));
        }
        l.customers.Append(c);
    }
    WriteListing(l, ListingPath(InstallDir(), no));
}

inline void WriteDealingSamples() {
    WriteDealingSample("261110203000", "ヴィンテージ腕時計（動作品）",
                       {{"tokei_suki", "佐藤 健一", 18500, 1, 800, 5, 3}});
    WriteDealingSample("261118210500", "文庫本まとめ売り 20冊",
                       {{"hon_no_mushi", "鈴木 花子", 1200, 1, 370, 1, 12}});
    WriteDealingSample("261120193000", "陶器の花瓶 青磁風",
                       {{"kabin_lover", "高橋 誠", 4200, 1, 1100, 4, 2},
                        {"aoi_sora88", "田中 美咲", 3900, 1, 1100, 2, 9}});
    WriteDealingSample("261122220000", "手作りの木製スプーン 3本セット",
                       {{"kitchen_mama", "伊藤 由美", 1500, 2, 210, 3, 1},
                        {"wood_craft", "渡辺 大輔", 1500, 1, 210, 5, 6},
                        {"spoon_j", "山本 直樹", 1500, 1, 210, 0, 0}});
    WriteDealingSample("261125201500", "ゲームソフト 5本セット",
                       {{"gamer_taro", "中村 太郎", 3300, 1, 370, 2, 4}});
    WriteDealingSample("261128213000", "ベビー服 80cm まとめて",
                       {{"hinata_mom", "小林 陽子", 2100, 1, 520, 1, 8}});
    WriteDealingSample("261130190000", "デジタルカメラ 本体のみ",
                       {{"photo_k", "加藤 健", 12800, 1, 800, 3, 0}});
    WriteDealingSample("261202203000", "ギター弦 10セット",
                       {{"rock_guitar", "吉田 翔", 980, 2, 180, 4, 1},
                        {"acoustic_y", "山田 優子", 980, 1, 180, 1, 1}});
    WriteDealingSample("261204200000", "着物 帯 正絹",
                       {{"kimono_sakura", "佐々木 桜", 6500, 1, 1100, 0, 0}});
    WriteListing(SaleMaster(), ListingPath(InstallDir(), "261205000000")); // empty name
    std::FILE* broken = std::fopen(ListingPath(InstallDir(), "261206000000").c_str(), "wb");
    if (broken) {
        std::fputs("damaged", broken);
        std::fclose(broken);
    }
}

} // namespace hanamori::samples
