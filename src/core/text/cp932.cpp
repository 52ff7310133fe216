#include "core/text/cp932.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>

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

// One converter for each direction and thread, opened on first use and kept: opening
// one looks up and loads the character set module, which would otherwise be paid by each
// of the thousands of texts a start or a file list converts.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (Opened()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Opened() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // Back in its initial state, whatever the last conversion left.
    iconv_t Fresh() {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

Converter& ToCp932() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& FromCp932() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

// iconv in one go; returns nullopt at the first unconvertible sequence unless
// `replacement` is given, in which case that sequence is replaced and skipped:
// `bad_step` bytes of it, or one UTF-8 character when `bad_step` is 0.
std::optional<std::string> Convert(Converter& converter, std::string_view in,
                                   const char* replacement, std::size_t bad_step) {
    if (!converter.Opened()) {
        return std::nullopt;
    }
    iconv_t cd = converter.Fresh();
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    std::size_t used = 0;
    bool ok = true;
    while (src_left > 0) {
        char* dst = out.data() + used;
        std::size_t dst_left = out.size() - used;
        std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
        used = out.size() - dst_left;
        if (r != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (!replacement) {
            ok = false;
            break;
        }
        out.resize(used);
        out += replacement;
        used = out.size();
        out.resize(used + src_left * 2 + 16);
        std::size_t step =
            bad_step ? std::min(bad_step, src_left) : Utf8CharSize(std::string_view(src, src_left));
        src += step;
        src_left -= step;
    }
    if (!ok) {
        return std::nullopt;
    }
    out.resize(used);
    return out;
}

// The characters that CP932 holds only in another form, with the UTF-8 of the form it
// holds. They are settled here rather than left to the system's tables, so that a text
// is stored alike wherever the program runs.
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
    return Convert(ToCp932(), *settled, nullptr, 1);
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
    std::string storage;
    return Convert(ToCp932(), *Settle(utf8, storage, true), "", 0).value_or(std::string());
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert(FromCp932(), cp932, "\xEF\xBF\xBD", 1).value_or(std::string());
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
