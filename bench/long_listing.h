#pragma once
// The listing the page and preview benchmarks share: about 30 KB in each long text,
// every payment method and all five parcel carriers ticked.

#include "core/listing/records.h"
#include "core/text/cp932.h"

#include <string>

namespace hanamori::bench {

// About 30 KB of Japanese text in lines of some 60 bytes.
inline std::string LongText(const char* seed_utf8) {
    std::string line = Utf8ToCp932(seed_utf8).value_or("x") + "\r\n";
    std::string text;
    while (text.size() < 30 * 1024) {
        text += line;
    }
    return text;
}

inline void FillLongListing(AuctionRecord& a) {
    a.display_name = LongText("白磁の花瓶").substr(0, 100);
    a.use_description = a.use_notes = a.use_other = a.use_quantity = 1;
    a.description = LongText("窯元で買い求めた白磁の花瓶です。一度も使っていません。");
    a.notes = LongText("ノークレーム・ノーリターンでお願いします。落札後三日以内に。");
    a.other = LongText("他の出品物と同梱できます。お気軽にお問い合わせください。");
    a.shipping_notes = LongText("緩衝材で丁寧に包んで発送します。土日は発送できません。");
    a.use_bank = a.use_postal = a.use_other_payment = 1;
    a.bank_text = LongText("花森銀行 本店 普通 1234567 ハナモリ タロウ");
    a.postal_text = LongText("00100-1-123456 ハナモリ タロウ");
    a.other_payment_text = LongText("現金書留でも承ります。");
    a.use_teikeigai = 1;
    a.teikeigai_cost = 580;
    a.use_yupack = a.use_yahoo_yupack = a.use_yamato = a.use_sagawa = a.use_pelican = 1;
    a.length_cm = 30;
    a.width_cm = 20;
    a.height_cm = 10;
    a.weight_g = 1500;
    a.origin_pref = Utf8ToCp932("東京都").value_or("");
}

} // namespace hanamori::bench
