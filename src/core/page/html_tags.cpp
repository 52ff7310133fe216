#include "core/page/html_tags.h"

#include "core/text/cp932.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace hanamori {

bool TagCommandFromNumber(int number, TagCommand& command) {
    if (number < static_cast<int>(TagCommand::Link) ||
        number > static_cast<int>(TagCommand::Center)) {
        return false;
    }
    command = static_cast<TagCommand>(number);
    return true;
}

bool NeedsSelection(TagCommand command) {
    return command != TagCommand::Image;
}

const std::string& NoSelectionMessage(TagCommand command) {
    static const std::string kBold =
        "文字が選択されていません。\n太字にしたい文字を１文字以上選択してください。"_sj;
    static const std::string kItalic =
        "文字が選択されていません。\n斜体にしたい文字を１文字以上選択してください。"_sj;
    static const std::string kCenter =
        "文字が選択されていません。\n中央揃えにしたい文字を１文字以上選択してください。"_sj;
    static const std::string kFont =
        "文字が選択されていません。\nフォントを変更したい文字を１文字以上選択してください。"_sj;
    static const std::string kLink =
        "文字が選択されていません。\nリンクにしたい文字を１文字以上選択してください。"_sj;
    static const std::string kNone;
    switch (command) {
    case TagCommand::Bold:
        return kBold;
    case TagCommand::Italic:
        return kItalic;
    case TagCommand::Center:
        return kCenter;
    case TagCommand::Font:
        return kFont;
    case TagCommand::Link:
        return kLink;
    case TagCommand::Image:
        break;
    }
    return kNone;
}

std::string WrapTag(TagCommand command, std::string_view selected) {
    std::string_view open, close;
    switch (command) {
    case TagCommand::Bold:
        open = "<b>", close = "</b>";
        break;
    case TagCommand::Italic:
        open = "<i>", close = "</i>";
        break;
    case TagCommand::Center:
        open = "<center>", close = "</center>";
        break;
    default:
        break;
    }
    std::string out;
    out.reserve(open.size() + selected.size() + close.size());
    out.append(open).append(selected).append(close);
    return out;
}

std::string FontSizePart(int size) {
    if (size >= 1 && size <= 6) {
        return "size=\"+" + std::to_string(size) + "\" ";
    }
    if (size == -1) {
        return "size=\"-1\" ";
    }
    return {};
}

std::string FontTag(int size, std::string_view color, std::string_view selected) {
    std::string out = "<font " + FontSizePart(size) + "color=\"";
    out.append(color).append("\">").append(selected).append("</font>");
    return out;
}

std::string LinkTag(std::string_view url, int target, std::string_view selected) {
    std::string out = "<a href=\"";
    out.append(url).append("\"");
    if (target == kLinkNewWindow) {
        out += " target=\"_blank\"";
    }
    out.append(">").append(selected).append("</a>");
    return out;
}

std::string ImageTag(std::string_view url, int width, int height, int border) {
    std::string out = "<img src=\"";
    out.append(url).append("\"");
    if (width > 0) {
        out += " width=\"" + std::to_string(width) + "\"";
    }
    if (height > 0) {
        out += " height=\"" + std::to_string(height) + "\"";
    }
    if (border > 0) {
        out += " border=\"" + std::to_string(border) + "\"";
    }
    out += ">";
    return out;
}

TextReplacement ReplaceSelection(std::string_view text, std::size_t start, std::size_t end,
                                 std::string_view insert) {
    if (start > end) {
        std::swap(start, end);
    }
    start = std::min(start, text.size());
    end = std::min(end, text.size());
    TextReplacement r;
    r.text.reserve(text.size() - (end - start) + insert.size());
    r.text.append(text.substr(0, start)).append(insert).append(text.substr(end));
    r.caret = start + insert.size();
    return r;
}

int ColorComponent(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = (value * 10 + (c - '0')) % 256;
    }
    return value;
}

std::string ColorText(int red, int green, int blue) {
    auto mod = [](int v) { return ((v % 256) + 256) % 256; };
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", mod(red), mod(green), mod(blue));
    return buf;
}

const std::array<Swatch, kSwatchCount>& Swatches() {
    static const std::array<Swatch, kSwatchCount> kSwatches = {{
        {0x00, 0x00, 0x00}, {0x80, 0x80, 0x80}, {0x80, 0x00, 0x00}, {0x80, 0x80, 0x00},
        {0x00, 0x80, 0x00}, {0x00, 0x80, 0x80}, {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80},
        {0x80, 0x80, 0x40}, {0x40, 0x80, 0x40}, {0x40, 0x80, 0x80}, {0x40, 0x40, 0x80},
        {0x80, 0x20, 0x40}, {0x80, 0x60, 0x40}, {0xFF, 0xFF, 0xFF}, {0xC0, 0xC0, 0xC0},
        {0xFF, 0x00, 0x00}, {0xFF, 0xFF, 0x00}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
        {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x80}, {0x80, 0xFF, 0x80},
        {0x80, 0xFF, 0xFF}, {0x80, 0x80, 0xFF}, {0xFF, 0x40, 0x80}, {0xFF, 0xC0, 0x80},
    }};
    return kSwatches;
}

bool IsAsciiDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int DigitsValue(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

} // namespace hanamori
