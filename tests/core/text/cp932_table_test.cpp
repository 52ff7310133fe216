// The compiled-in CP932 tables against the system's iconv, over every byte, every byte
// pair and every code point; and a digest of all of it that a build for another system
// must give too.

#include "core/text/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#ifndef _WIN32
#include <cerrno>
#include <iconv.h>
#endif

namespace hanamori::test {
namespace {

std::string Utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
    } else if (cp < 0x10000) {
        s += {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
              static_cast<char>(0x80 | (cp & 0x3F))};
    } else {
        s += {static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
              static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    }
    return s;
}

bool Settled(char32_t cp) { // refused before any table is asked
    return cp == 0 || (cp >= 0xE0000 && cp <= 0xE007F);
}

// Every code point's encoding and every byte pair's decoding in one text.
std::uint64_t DigestOfEverything() {
    std::uint64_t hash = 14695981039346656037ULL;
    const auto add = [&](const std::string& bytes) {
        for (char c : bytes) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        }
        hash = (hash ^ 0x100) * 1099511628211ULL;
    };
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp < 0xD800 || cp > 0xDFFF) {
            add(Utf8ToCp932(Utf8Of(cp)).value_or("-"));
        }
    }
    for (int pair = 0; pair < 0x10000; ++pair) {
        add(Cp932ToUtf8(std::string{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)}));
    }
    return hash;
}

TEST(Cp932Table, EveryConversionIsTheSameOnEverySystem) {
    EXPECT_EQ(DigestOfEverything(), 5534467962520129060ULL);
}

#ifndef _WIN32
// glibc's converter as the program used it before the tables: a byte it cannot decode
// becomes U+FFFD and one byte is skipped.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(m_cd); }
    std::optional<std::string> Convert(std::string_view in, bool replace) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        char buffer[64];
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        while (left > 0) {
            char* dst = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t r = iconv(m_cd, &src, &left, &dst, &room);
            out.append(buffer, dst);
            if (r != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            if (!replace) {
                return std::nullopt;
            }
            out += "\xEF\xBF\xBD";
            ++src;
            --left;
        }
        return out;
    }

private:
    iconv_t m_cd;
};

TEST(Cp932Table, EveryCodePointEncodesAsIconvDoes) {
    Iconv iconv_encode("CP932", "UTF-8");
    int differences = 0;
    for (char32_t cp = 0; cp <= 0x10FFFF && differences < 10; ++cp) {
        if ((cp >= 0xD800 && cp <= 0xDFFF) || Settled(cp)) {
            continue;
        }
        const std::string utf8 = Utf8Of(cp);
        const auto expected = iconv_encode.Convert(utf8, false);
        if (Utf8ToCp932(utf8) != expected) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<std::uint32_t>(cp);
            ++differences;
        }
    }
    EXPECT_FALSE(Utf8ToCp932("\xC0\x80")); // overlong, a surrogate, beyond U+10FFFF, cut off
    EXPECT_FALSE(Utf8ToCp932("\xED\xA0\x80"));
    EXPECT_FALSE(Utf8ToCp932("\xF4\x90\x80\x80"));
    EXPECT_EQ(Utf8ToCp932Lossy("a\xE3\x81"
                               "b\xFF"
                               "c"),
              "abc");
}

TEST(Cp932Table, EveryByteAndBytePairDecodesAsIconvDoes) {
    Iconv iconv_decode("UTF-8", "CP932");
    int differences = 0;
    for (int pair = 0; pair < 0x10000 && differences < 10; ++pair) {
        const std::string both{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
        for (const std::string& bytes : {both, both.substr(0, 1)}) {
            if (Cp932ToUtf8(bytes) != iconv_decode.Convert(bytes, true)) {
                ADD_FAILURE() << "bytes " << std::hex << pair << " (" << bytes.size() << ")";
                ++differences;
            }
        }
    }
}
#endif

} // namespace
} // namespace hanamori::test
