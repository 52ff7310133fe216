#include "core/document/label_layout.h"

#include "core/listing/records.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <optional>

namespace hanamori {
namespace {

// The 12-label sheet's label (86.4 x 42.3 mm) is what the usual sizes are made for:
// postcode and address 9.5 pt, the name 11 pt and 様 10 pt, padding 4/4/3/4 mm. Other
// labels scale from its height, within what label software uses on large labels.
constexpr double kReferenceHeightMm = 42.3;
constexpr double kReferenceAddressPt = 9.5;
constexpr double kMaxAddressPt = 11.0;
constexpr double kMaxNamePt = 14.0;
constexpr double kNameRatio = 11.0 / 9.5;
constexpr double kSamaRatio = 10.0 / 11.0;
constexpr double kSenderRatio = 0.7;
constexpr int kMaxSenderAddressLines = 2;
// A line's height in ems; its glyphs sit in the middle of it.
constexpr double kLineEms = 1.25;
constexpr double kShrinkStep = 0.97;

struct Piece {
    std::string text;
    double size_pt;
};

struct Line {
    std::vector<Piece> pieces;
    double gap_before = 0; // mm
    double SizePt() const {
        double size = 0;
        for (const Piece& p : pieces) {
            size = std::max(size, p.size_pt);
        }
        return size;
    }
    double Height() const { return gap_before + kLineEms * SizePt() * kMmPerPt; }
    double Width() const {
        double w = 0;
        for (const Piece& p : pieces) {
            w += TextWidthMm(p.text, p.size_pt);
        }
        return w;
    }
};

struct Sizes {
    double address, name, sama, sender;
};

Sizes SizesFor(double address_pt) {
    double name = std::min(kMaxNamePt, address_pt * kNameRatio);
    return {address_pt, name, name * kSamaRatio,
            std::max(kMinLabelTextPt, address_pt * kSenderRatio)};
}

double Total(const std::vector<Line>& lines) {
    double h = 0;
    for (const Line& l : lines) {
        h += l.Height();
    }
    return h;
}

// The lines of `text` broken at `width_mm` for `size_pt`; nullopt when a part that
// cannot be broken is wider.
std::optional<std::vector<Line>> Wrapped(const std::vector<std::string>& paragraphs, double size_pt,
                                         double width_mm) {
    std::vector<Line> lines;
    double max_ems = width_mm / (size_pt * kMmPerPt);
    for (const std::string& paragraph : paragraphs) {
        std::vector<std::string> pieces = WrapLine(paragraph, max_ems);
        if (pieces.empty() && !paragraph.empty()) {
            return std::nullopt;
        }
        for (std::string& piece : pieces) {
            lines.push_back({{{std::move(piece), size_pt}}});
        }
    }
    return lines;
}

std::vector<std::string> AddressParagraphs(const LabelAddress& a) {
    std::vector<std::string> lines = TextLines(a.address);
    if (lines.empty()) {
        lines.push_back(a.pref);
    } else {
        lines.front() = a.pref + lines.front();
    }
    return lines;
}

struct Blocks {
    std::vector<Line> main;
    std::vector<Line> sender; // empty when none is printed
};

// The label's lines at `address_pt` when they fit `width` x `height`, else nullopt.
std::optional<Blocks> Fit(const LabelAddress& to, const LabelAddress* from, double address_pt,
                          double width, double height) {
    const Sizes sizes = SizesFor(address_pt);
    Blocks blocks;
    blocks.main.push_back({{{PostcodeText(to.zip), address_pt}}});
    auto address = Wrapped(AddressParagraphs(to), address_pt, width);
    if (!address) {
        return std::nullopt;
    }
    blocks.main.insert(blocks.main.end(), address->begin(), address->end());
    Line name{{{to.name, sizes.name}, {"　様"_sj, sizes.sama}}};
    name.gap_before = 0.3 * address_pt * kMmPerPt;
    blocks.main.push_back(std::move(name));
    double used = Total(blocks.main);
    if (from) {
        std::vector<std::string> paragraphs = AddressParagraphs(*from);
        std::string zip = PostcodeText(from->zip);
        if (!zip.empty()) {
            paragraphs.front() = zip + "　"_sj + paragraphs.front();
        }
        auto lines = Wrapped(paragraphs, sizes.sender, width);
        if (!lines || lines->size() > kMaxSenderAddressLines) {
            return std::nullopt;
        }
        blocks.sender = std::move(*lines);
        if (!from->name.empty()) {
            blocks.sender.push_back({{{from->name, sizes.sender}}});
        }
        if (!blocks.sender.empty()) {
            // Room for the rule that sets the sender apart.
            blocks.sender.front().gap_before = 1.2;
            used += Total(blocks.sender);
        }
    }
    for (const auto* block : {&blocks.main, &blocks.sender}) {
        for (const Line& line : *block) {
            if (line.Width() > width + 1e-9) {
                return std::nullopt;
            }
        }
    }
    if (used > height + 1e-9) {
        return std::nullopt;
    }
    return blocks;
}

// Appends `lines` to `page` from `top` down, at `left`.
void Place(const std::vector<Line>& lines, double left, double top, LayoutPage& page) {
    double y = top;
    for (const Line& line : lines) {
        y += line.gap_before;
        const double size_mm = line.SizePt() * kMmPerPt;
        const double baseline = y + (kLineEms - 1.0) / 2 * size_mm + kAscentEm * size_mm;
        double x = left;
        for (const Piece& piece : line.pieces) {
            page.texts.push_back({x, baseline, piece.size_pt, piece.text});
            x += TextWidthMm(piece.text, piece.size_pt);
        }
        y += kLineEms * size_mm;
    }
}

std::string Quoted(const LabelAddress& a) {
    return "落札者「"_sj + (a.nickname.empty() ? a.name : a.nickname) + "」"_sj;
}

} // namespace

LabelAddress AddressOf(const CustomerRecord& bidder) {
    return {bidder.zip, bidder.pref, bidder.address,
            bidder.name.empty() ? bidder.nickname : bidder.name, bidder.nickname};
}

LabelAddress AddressOf(const SellerProfile& seller) {
    return {seller.post, seller.address1 + seller.address2, seller.address, seller.name,
            seller.nickname};
}

std::string PostcodeText(std::string_view zip) {
    std::string digits;
    for (std::size_t i = 0; i < zip.size();) {
        std::size_t n = Cp932CharLength(zip, i);
        unsigned char c = static_cast<unsigned char>(zip[i]);
        unsigned char t = n == 2 ? static_cast<unsigned char>(zip[i + 1]) : 0;
        if (n == 1 && c >= '0' && c <= '9') {
            digits += static_cast<char>(c);
        } else if (n == 2 && c == 0x82 && t >= 0x4F && t <= 0x58) { // ０-９
            digits += static_cast<char>('0' + (t - 0x4F));
        } else if (!(n == 1 && (c == '-' || c == ' ')) &&
                   !(n == 2 && c == 0x81 && (t == 0x7C || t == 0x5D || t == 0x40))) {
            return std::string(zip);
        }
        i += n;
    }
    if (digits.size() != 7) {
        return std::string(zip);
    }
    return "〒"_sj + digits.substr(0, 3) + "-" + digits.substr(3);
}

LabelPadding PaddingOf(const LabelSheet& sheet) {
    const double k = std::min(1.0, sheet.height / kReferenceHeightMm);
    return {4.0 * k, 4.0 * k, 3.0 * k, 4.0 * k};
}

LabelLayout LayOutLabels(const LabelSheet& sheet, const std::vector<LabelAddress>& addresses,
                         const LabelAddress& seller, const LabelOptions& options) {
    LabelLayout layout;
    if (options.start < 1 || options.start > sheet.count()) {
        layout.error = "開始位置は1から"_sj + std::to_string(sheet.count()) +
                       "までの番号で指定してください。"_sj;
        return layout;
    }
    const LabelPadding pad = PaddingOf(sheet);
    const double inner_w = sheet.width - pad.left - pad.right;
    const double inner_h = sheet.height - pad.top - pad.bottom;
    const double natural = std::clamp(kReferenceAddressPt * sheet.height / kReferenceHeightMm,
                                      kMinLabelTextPt, kMaxAddressPt);
    const LabelAddress* from = options.sender ? &seller : nullptr;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const LabelAddress& to = addresses[i];
        if (to.pref.empty() && TextLines(to.address).empty()) {
            layout = {};
            layout.error = Quoted(to) + "の住所がありません。"_sj;
            return layout;
        }
        std::optional<Blocks> blocks;
        for (double size = natural;; size *= kShrinkStep) {
            size = std::max(size, kMinLabelTextPt);
            blocks = Fit(to, from, size, inner_w, inner_h);
            if (blocks || size <= kMinLabelTextPt) {
                break;
            }
        }
        if (!blocks) {
            layout = {};
            layout.error = Quoted(to) + "の宛名は、6ポイントの文字でもラベルに収まりません。"_sj;
            return layout;
        }
        const int slot = options.start - 1 + static_cast<int>(i);
        const int page_index = slot / sheet.count();
        const int cell = slot % sheet.count();
        while (static_cast<int>(layout.pages.size()) <= page_index) {
            layout.pages.push_back({kA4WidthMm, kA4HeightMm, {}, {}});
        }
        LayoutPage& page = layout.pages[static_cast<std::size_t>(page_index)];
        PlacedLabel label{page_index,
                          sheet.LabelX(cell) + options.offset_x,
                          sheet.LabelY(cell) + options.offset_y,
                          sheet.width,
                          sheet.height,
                          page.texts.size(),
                          0};
        const double left = label.x + pad.left;
        Place(blocks->main, left, label.y + pad.top, page);
        if (!blocks->sender.empty()) {
            const double top = label.y + sheet.height - pad.bottom - Total(blocks->sender);
            const double rule_y = top + blocks->sender.front().gap_before / 2;
            page.rules.push_back({left, rule_y, left + inner_w, rule_y, 0.3});
            Place(blocks->sender, left, top, page);
        }
        label.text_count = page.texts.size() - label.first_text;
        layout.labels.push_back(label);
    }
    return layout;
}

} // namespace hanamori
