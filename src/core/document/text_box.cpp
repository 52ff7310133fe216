#include "core/document/text_box.h"

#include "core/text/cp932.h"

namespace hanamori {
namespace {

// Characters of a number or a code, which a line never breaks between: ASCII digits,
// letters and hyphens, full-width digits and letters, and the full-width hyphens and
// long vowel mark written in house numbers.
bool KeepsTogether(std::string_view ch) {
    if (ch.size() == 1) {
        unsigned char c = static_cast<unsigned char>(ch[0]);
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '-';
    }
    unsigned char lead = static_cast<unsigned char>(ch[0]);
    unsigned char trail = static_cast<unsigned char>(ch[1]);
    if (lead == 0x82) { // ０-９, Ａ-Ｚ, ａ-ｚ
        return trail >= 0x4F && trail <= 0x9A;
    }
    return lead == 0x81 && (trail == 0x7C || trail == 0x5B || trail == 0x5D); // －ー‐
}

} // namespace

std::size_t Cp932CharLength(std::string_view text, std::size_t i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
        return 2;
    }
    return 1;
}

double TextEms(std::string_view cp932) {
    double ems = 0;
    for (std::size_t i = 0; i < cp932.size();) {
        std::size_t n = Cp932CharLength(cp932, i);
        ems += n == 2 ? 1.0 : 0.5;
        i += n;
    }
    return ems;
}

double PlacedText::Width() const {
    return TextWidthMm(text, size_pt);
}

std::vector<std::string> TextLines(std::string_view cp932) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < cp932.size()) {
        std::size_t end = cp932.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(cp932.substr(start));
            break;
        }
        lines.emplace_back(cp932.substr(start, end - start));
        start = end + (cp932.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> WrapLine(std::string_view line, double max_ems) {
    std::vector<std::string> pieces;
    std::size_t start = 0;      // of the current piece
    std::size_t last_break = 0; // the latest place after `start` a break may go
    double ems = 0;
    double ems_at_break = 0;
    std::string_view prev;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = Cp932CharLength(line, i);
        std::string_view ch = line.substr(i, n);
        if (i > start && !(KeepsTogether(prev) && KeepsTogether(ch))) {
            last_break = i;
            ems_at_break = ems;
        }
        double w = n == 2 ? 1.0 : 0.5;
        if (ems + w > max_ems + 1e-9) {
            if (last_break <= start) {
                return {};
            }
            pieces.emplace_back(line.substr(start, last_break - start));
            start = last_break;
            ems -= ems_at_break;
            if (ems + w > max_ems + 1e-9) {
                return {};
            }
        }
        ems += w;
        prev = ch;
        i += n;
    }
    if (start < line.size()) {
        pieces.emplace_back(line.substr(start));
    }
    return pieces;
}

} // namespace hanamori
