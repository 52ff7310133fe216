#include "core/mail/cost_lists.h"

#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <array>
#include <cinttypes>
#include <cstdint>
#include <optional>

namespace hanamori {

namespace {

struct FixedMethod {
    std::int32_t use;
    std::int32_t cost;
    const std::string& line;       // "%s　・定形郵便(%d円)"
    const std::string& total_line; // ... "………… お支払総額(%d円)"
};

// Each total line has its own run of full-width spaces so that the totals line up in
// a fixed-width mail font.
std::array<FixedMethod, 6> FixedMethods(const AuctionRecord& a) {
    return {{
        {a.use_teikei, a.teikei_cost, "%s　・定形郵便(%d円)"_sj,
         "%s　・定形郵便(%d円)　　　　　　………… お支払総額(%" PRId64 "円)"_sj},
        {a.use_teikeigai, a.teikeigai_cost, "%s　・定形外郵便(%d円)"_sj,
         "%s　・定形外郵便(%d円)　　　　………… お支払総額(%" PRId64 "円)"_sj},
        {a.use_booklet, a.booklet_cost, "%s　・冊子小包(%d円)"_sj,
         "%s　・冊子小包(%d円)　　　　　………… お支払総額(%" PRId64 "円)"_sj},
        {a.use_expack, a.expack_cost, "%s　・EXPACK500(%d円)"_sj,
         "%s　・EXPACK500(%d円)　　　　………… お支払総額(%" PRId64 "円)"_sj},
        {a.use_kuroneko_mail, a.kuroneko_mail_cost, "%s　・クロネコメール便(%d円)"_sj,
         "%s　・クロネコメール便(%d円)　　………… お支払総額(%" PRId64 "円)"_sj},
        {a.use_hikyaku_mail, a.hikyaku_mail_cost, "%s　・飛脚メール便(%d円)"_sj,
         "%s　・飛脚メール便(%d円)　　　………… お支払総額(%" PRId64 "円)"_sj},
    }};
}

bool OtherMethodOffered(const AuctionRecord& a) {
    return a.use_other_ship != 0 && !a.other_ship_name.empty();
}

bool AnyFixedMethod(const AuctionRecord& a) {
    for (const FixedMethod& m : FixedMethods(a)) {
        if (m.use != 0) {
            return true;
        }
    }
    return OtherMethodOffered(a);
}

// The list body; `goods` is the goods sum for the total lines, or nullopt for none.
std::string BuildFixedList(const AuctionRecord& a, std::optional<std::int64_t> goods) {
    std::string out = "▼発送方法(送料固定)\r\n\r\n"_sj;
    bool first = true;
    auto lead = [&]() {
        const char* b = first ? "" : "\r\n";
        first = false;
        return b;
    };
    for (const FixedMethod& m : FixedMethods(a)) {
        if (m.use == 0 || m.cost < 0) {
            continue;
        }
        if (goods) {
            out += StrPrintf(m.total_line.c_str(), lead(), m.cost, *goods + m.cost);
        } else {
            out += StrPrintf(m.line.c_str(), lead(), m.cost);
        }
    }
    if (OtherMethodOffered(a) && a.other_ship_cost >= 0) {
        if (goods) {
            out += StrPrintf("%s　・その他(%s %d円)　　　………… お支払総額(%" PRId64 "円)"_sj.c_str(),
                             lead(), a.other_ship_name.c_str(), a.other_ship_cost,
                             *goods + a.other_ship_cost);
        } else {
            out += StrPrintf("%s　・その他(%s %d円)"_sj.c_str(), lead(), a.other_ship_name.c_str(),
                             a.other_ship_cost);
        }
    }
    return out;
}

} // namespace

std::string FixedCostList(const AuctionRecord& auction) {
    if (!AnyFixedMethod(auction)) {
        return {};
    }
    return BuildFixedList(auction, std::nullopt);
}

std::string FixedCostTotalList(const AuctionRecord& auction, const CustomerRecord* bidder) {
    if (bidder == nullptr || bidder->price <= 0 || bidder->count <= 0 || !AnyFixedMethod(auction)) {
        return {};
    }
    std::int64_t goods =
        static_cast<std::int64_t>(bidder->price) * bidder->count + bidder->other_charge;
    return BuildFixedList(auction, goods);
}

} // namespace hanamori
