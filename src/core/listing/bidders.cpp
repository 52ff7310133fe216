#include "core/listing/bidders.h"

#include "core/text/cp932.h"

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

std::int32_t CleanAmount(std::string_view text) {
    std::string kept;
    // No byte of a double-byte character is a digit, '-' or '.', so the bytes can be
    // looked at one by one.
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '-' || c == '.') {
            kept += c;
        }
    }
    return ReadDecimal(kept);
}

std::int32_t RegistrationCount(std::string_view text) {
    std::int32_t count = ReadDecimal(text);
    return count <= 0 ? 1 : count;
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
    b.price = CleanAmount(FitField(price, kRegistrationAmountMax + 1));
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
