#include "core/text/cp932.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace hanamori {
namespace {

std::size_t Utf8CharLength(unsigned char c) {
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1;
}

} // namespace

std::size_t Utf8CharSize(std::string_view in) {
    std::size_t n = Utf8CharLength(static_cast<unsigned char>(in[0]));
    if (n > in.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(in[i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return n;
}

namespace {

constexpr std::uint16_t kNone = 0xFFFF;
#include "core/text/cp932_table.inc"

// The code point of the well-formed UTF-8 character that starts `in` (neither an
// overlong form, nor a surrogate, nor beyond U+10FFFF), with its length; false for
// anything else.
bool DecodeUtf8(std::string_view in, char32_t& cp, std::size_t& length) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(in[i]); };
    length = Utf8CharSize(in);
    switch (length) {
    case 1:
        cp = b(0);
        return cp < 0x80;
    case 2:
        cp = (char32_t{b(0)} & 0x1F) << 6 | (b(1) & 0x3F);
        return cp >= 0x80;
    case 3:
        cp = (char32_t{b(0)} & 0x0F) << 12 | (char32_t{b(1)} & 0x3F) << 6 | (b(2) & 0x3F);
        return cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF);
    default:
        cp = (char32_t{b(0)} & 0x07) << 18 | (char32_t{b(1)} & 0x3F) << 12 |
             (char32_t{b(2)} & 0x3F) << 6 | (b(3) & 0x3F);
        return cp >= 0x10000 && cp <= 0x10FFFF;
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The CP932 code of every BMP code point (a single byte below 0x100), or kNone: the
// sorted table spread out once, so that a character costs one look-up.
const std::uint16_t* CodesByCodePoint() {
    static const std::vector<std::uint16_t> codes = [] {
        std::vector<std::uint16_t> all(0x10000, kNone);
        for (const EncodeEntry& e : kEncode) {
            all[e.code_point] = e.code;
        }
        return all;
    }();
    return codes.data();
}

// The code point of the CP932 character that starts `in`, with its length; kNone with
// length 1 for a byte that starts none.
std::uint16_t CodePointAt(std::string_view in, std::size_t& length) {
    const unsigned char lead = static_cast<unsigned char>(in[0]);
    length = 1;
    if (!IsLeadByte(lead) || in.size() < 2) {
        return kSingleByte[lead];
    }
    const unsigned char trail = static_cast<unsigned char>(in[1]);
    if (trail < 0x40 || trail > 0xFC) {
        return kNone;
    }
    const std::uint16_t cp =
        kDoubleByte[lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31][trail - 0x40];
    if (cp != kNone) {
        length = 2;
    }
    return cp;
}

// UTF-8 to CP932; an unconvertible character (or a byte that is not UTF-8) makes the
// result nullopt, or with `lossy` is left out.
std::optional<std::string> Encode(std::string_view in, bool lossy) {
    const std::uint16_t* codes = CodesByCodePoint();
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        char32_t cp = 0;
        std::size_t length = 1;
        const bool well_formed = DecodeUtf8(in.substr(i), cp, length);
        i += length;
        const std::uint16_t code = !well_formed || cp > 0xFFFF ? kNone : cp < 0x80 ? cp : codes[cp];
        if (code == kNone) {
            if (!lossy) {
                return std::nullopt;
            }
            continue;
        }
        if (code > 0xFF) {
            out += static_cast<char>(code >> 8);
        }
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

// The characters that CP932 holds only in another form, with the UTF-8 of the form it
// holds. They are settled here rather than left to the converter's table, so that the
// rule reads where it is kept.
struct Equivalent {
    std::string_view from, to;
};
constexpr Equivalent kEquivalents[] = {
    {"〜", "～"}, {"−", "－"}, {"—", "―"},  {"‖", "∥"}, {"¢", "￠"},
    {"£", "￡"},  {"¬", "￢"}, {"¥", "\\"}, {"‾", "~"},
};

// How the UTF-8 character `ch` goes to the converter: as it is, as its equivalent, or
// not at all (nullopt) for a character CP932 never holds: U+0000, which no terminated
// field can carry, and the tag characters U+E0000 to U+E007F, which the converter would
// drop without a word.
std::optional<std::string_view> SettledChar(std::string_view ch) {
    if (ch.size() == 1) {
        return ch[0] == '\0' ? std::nullopt : std::optional<std::string_view>(ch);
    }
    if (ch.size() == 4 && ch[0] == '\xF3' && ch[1] == '\xA0' &&
        (ch[2] == '\x80' || ch[2] == '\x81')) {
        return std::nullopt;
    }
    for (const Equivalent& e : kEquivalents) {
        if (ch == e.from) {
            return e.to;
        }
    }
    return ch;
}

// `utf8` as the converter takes it: every equivalent in the form CP932 holds, and the
// characters CP932 never holds left out with `lossy`; otherwise nullopt when there is
// one. The result views `utf8` itself when nothing changes, else `storage`.
std::optional<std::string_view> Settle(std::string_view utf8, std::string& storage, bool lossy) {
    bool copied = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8CharSize(utf8.substr(i));
        const std::string_view ch = utf8.substr(i, n);
        i += n;
        const std::optional<std::string_view> settled = SettledChar(ch);
        if (!settled && !lossy) {
            return std::nullopt;
        }
        if (!copied && settled && *settled == ch) {
            continue; // unchanged so far
        }
        if (!copied) {
            storage.assign(utf8.substr(0, i - n));
            copied = true;
        }
        if (settled) {
            storage += *settled;
        }
    }
    return copied ? std::string_view(storage) : utf8;
}

} // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    std::string storage;
    const std::optional<std::string_view> settled = Settle(utf8, storage, false);
    if (!settled) {
        return std::nullopt;
    }
    return Encode(*settled, false);
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
    std::string storage;
    return *Encode(*Settle(utf8, storage, true), true);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    for (std::size_t i = 0; i < cp932.size();) {
        std::size_t length = 1;
        const std::uint16_t cp = CodePointAt(cp932.substr(i), length);
        i += length;
        AppendUtf8(out, cp == kNone ? char32_t{0xFFFD} : char32_t{cp});
    }
    return out;
}

std::string FirstUnencodableChar(std::string_view utf8) {
    std::vector<std::string> chars = UnencodableChars(utf8);
    return chars.empty() ? std::string() : std::move(chars.front());
}

std::vector<std::string> UnencodableChars(std::string_view utf8) {
    std::vector<std::string> found;
    if (Utf8ToCp932(utf8)) {
        return found;
    }
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8CharSize(utf8.substr(i));
        const std::string_view ch = utf8.substr(i, n);
        i += n;
        if (!Utf8ToCp932(ch) && std::find(found.begin(), found.end(), ch) == found.end()) {
            found.emplace_back(ch);
        }
    }
    return found;
}

std::size_t SafeCutLength(std::string_view text, std::size_t max_bytes) {
    if (text.size() <= max_bytes) {
        return text.size();
    }
    std::size_t i = 0;
    while (i < max_bytes) {
        std::size_t n = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + n > max_bytes) {
            break;
        }
        i += n;
    }
    return i;
}

std::string FitField(std::string_view text, std::size_t capacity) {
    if (capacity == 0) {
        return {};
    }
    return std::string(text.substr(0, SafeCutLength(text, capacity - 1)));
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(x)) {
            if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
            continue;
        }
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) {
            return false;
        }
    }
    return true;
}

namespace detail {
std::string ConvertSourceLiteral(std::string_view utf8) {
    auto converted = Utf8ToCp932(utf8);
    if (!converted) {
        std::fprintf(stderr, "hanamori: source literal not representable in CP932: %.*s\n",
                     static_cast<int>(utf8.size()), utf8.data());
        std::abort();
    }
    return *converted;
}
} // namespace detail

} // namespace hanamori
