#include "core/listing/bidders.h"

#include "core/text/cp932.h"
#include "core/text/width_fold.h"

#include <algorithm>
#include <limits>

namespace hanamori {
namespace {

// Optional sign, then digits as far as they go; held at the 32-bit limits. `digits`
// tells whether any digit was read.
std::int32_t ReadDecimal(std::string_view text, bool* digits = nullptr) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        any = true;
        if (value <= kLimit) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (digits) {
        *digits = any;
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::optional<std::int32_t> CleanAmount(std::string_view text) {
    // Each character as its ASCII form; what is dropped becomes nothing, and anything
    // that is no part of an amount refuses the text.
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size()) {
            const auto trail = static_cast<unsigned char>(text[++i]);
            const unsigned code = c << 8 | trail;
            if (c == 0x82 && trail >= 0x4F && trail <= 0x58) {
                kept += static_cast<char>('0' + (trail - 0x4F)); // ０-９
            } else if (code == 0x817C || code == 0x817B || code == 0x8144) {
                kept += code == 0x817C ? '-' : code == 0x817B ? '+' : '.'; // － ＋ ．
            } else if (code != 0x8143 && code != 0x818F && code != 0x897E && code != 0x8140) {
                return std::nullopt; // not ， ￥ 円 or the ideographic space
            }
        } else if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') {
            kept += static_cast<char>(c);
        } else if (c != ',' && c != '\\' && c != ' ' && c != '\t') {
            return std::nullopt; // 5C is "¥" as CP932 holds it
        }
    }
    std::size_t i = kept.empty() || (kept[0] != '-' && kept[0] != '+') ? 0 : 1;
    const std::size_t whole = kept.find('.', i);
    const std::size_t end = whole == std::string::npos ? kept.size() : whole;
    auto digits = [&kept](std::size_t from, std::size_t to) {
        return std::all_of(kept.begin() + static_cast<std::ptrdiff_t>(from),
                           kept.begin() + static_cast<std::ptrdiff_t>(to),
                           [](char d) { return d >= '0' && d <= '9'; });
    };
    if (!digits(i, end) || (whole != std::string::npos && !digits(whole + 1, kept.size()))) {
        return std::nullopt;
    }
    return ReadDecimal(std::string_view(kept).substr(0, end));
}

std::int32_t RegistrationCount(std::string_view text) {
    std::int32_t count = ReadDecimal(FoldWideDigits(text));
    return count <= 0 ? 1 : count;
}

const std::string& PriceRefusal() {
    return "落札金額は整数(半角)を入力してください。"_sj;
}

int NicknameIndex(const CustomerList& list, std::string_view nickname) {
    for (int i = 0; i < list.count(); ++i) {
        if (EqualsIgnoreAsciiCase(list[static_cast<std::size_t>(i)].nickname, nickname)) {
            return i;
        }
    }
    return -1;
}

std::optional<std::string> RegistrationRefusal(const CustomerList& list,
                                               std::string_view nickname) {
    if (nickname.empty()) {
        return "落札者のニックネームを入力してください。"_sj;
    }
    if (NicknameIndex(list, nickname) >= 0) {
        return "その落札者は既に登録されています。"_sj;
    }
    return std::nullopt;
}

NewBidder ReadRegistration(std::string_view nickname, std::string_view mail, std::string_view price,
                           std::string_view count) {
    NewBidder b;
    b.nickname = FitField(nickname, kRegistrationNicknameMax + 1);
    b.mail = FitField(mail, kRegistrationMailMax + 1);
    b.price = CleanAmount(FitField(price, kRegistrationAmountMax + 1)).value_or(0);
    b.count = RegistrationCount(FitField(count, kRegistrationAmountMax + 1));
    return b;
}

int RegisterBidder(CustomerList& list, const NewBidder& bidder) {
    CustomerRecord r;
    r.nickname = FitField(bidder.nickname, kPersonTextCapacity);
    r.mail = FitField(bidder.mail, kMailAddressCapacity);
    r.price = bidder.price;
    r.count = bidder.count <= 0 ? 1 : bidder.count;
    list.Append(r);
    list.current = list.count() - 1;
    return list.current;
}

bool RemoveCurrentBidder(CustomerList& list) {
    if (!list.Current()) {
        return false;
    }
    list.Remove(list.current);
    return true;
}

std::optional<std::int32_t> ParseAmountField(std::string_view text, bool signed_allowed) {
    std::string_view digits = text;
    bool negative = false;
    if (signed_allowed && !digits.empty() && digits[0] == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string TotalText(const CustomerRecord& record) {
    return std::to_string(record.Total());
}

int StepCount(int current, int delta) {
    return static_cast<int>(std::clamp<long long>(0LL + current + delta, kCountMin, kCountMax));
}

std::string StageDateAfterClick(bool ticked, std::string_view date, std::string_view today) {
    return std::string(ticked && date.empty() ? today : date);
}

} // namespace hanamori
