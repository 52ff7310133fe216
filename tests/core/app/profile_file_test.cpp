#include "core/app/profile_file.h"
#include "core/text/cp932.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

ProfileFile Parsed(const std::string& text) {
    ProfileFile f;
    f.Parse(text);
    return f;
}

TEST(ProfileFile, NamesIgnoreCaseAndBlanksAroundNamesAndValuesAreTrimmed) {
    auto f = Parsed("[Personal]\r\n  Name  =  Hanako Sato  \r\n\tmail\t=\ta@b.jp\t\r\n");
    EXPECT_EQ(f.GetString("PERSONAL", "name", "x", 128), "Hanako Sato");
    EXPECT_EQ(f.GetString("personal", "MAIL", "x", 128), "a@b.jp");
    EXPECT_EQ(f.GetString("personal", "phone", "fallback", 128), "fallback");
    EXPECT_EQ(f.GetString("other", "name", "fallback", 128), "fallback");
}

TEST(ProfileFile, OnePairOfMatchingQuotesIsRemoved) {
    auto f = Parsed("[s]\na=\"quoted\"\nb='single'\nc=\"mismatched'\nd=\"\"inner\"\"\ne=\"\n");
    EXPECT_EQ(f.GetString("s", "a", "", 128), "quoted");
    EXPECT_EQ(f.GetString("s", "b", "", 128), "single");
    EXPECT_EQ(f.GetString("s", "c", "", 128), "\"mismatched'");
    EXPECT_EQ(f.GetString("s", "d", "", 128), "\"inner\"");
    EXPECT_EQ(f.GetString("s", "e", "", 128), "\"");
}

TEST(ProfileFile, FirstMatchingSectionAndKeyWin) {
    auto f = Parsed("[s]\nk=first\nk=second\n[S]\nk=third\nonly=later\n");
    EXPECT_EQ(f.GetString("s", "k", "", 128), "first");
    // A key that only a later duplicate section holds is not found.
    EXPECT_EQ(f.GetString("s", "only", "none", 128), "none");
}

TEST(ProfileFile, ValueIsCutToBufferSizeMinusOne) {
    auto f = Parsed("[s]\nk=abcdefgh\nj=" + "表表"_sj + "\n");
    EXPECT_EQ(f.GetString("s", "k", "", 5), "abcd");
    EXPECT_EQ(f.GetString("s", "k", "", 1), "");
    // Never inside a double-byte character.
    EXPECT_EQ(f.GetString("s", "j", "", 4), "表"_sj);
}

TEST(ProfileFile, IntegerReadingFollowsTheProfileRules) {
    auto f = Parsed("[s]\nempty=\ndec=42\nneg=-17\nplus=+5\ntail=12abc\nnone=abc\n"
                    "hex=0x1F\noct=0o17\nbin=0b101\nbadhex=0xZ\nwrap=4294967297\n"
                    "blank=  7  \nquoted=\"9\"\n"
                    "upperhex=0X10\nupperoct=-0O7\nupperbin=0B1\n");
    EXPECT_EQ(f.GetInt("s", "missing", 33), 33);
    EXPECT_EQ(f.GetInt("s", "empty", 33), 33);
    EXPECT_EQ(f.GetInt("s", "dec", 0), 42);
    EXPECT_EQ(f.GetInt("s", "neg", 0), -17);
    EXPECT_EQ(f.GetInt("s", "plus", 0), 5);
    EXPECT_EQ(f.GetInt("s", "tail", 0), 12);
    EXPECT_EQ(f.GetInt("s", "none", 33), 0);
    EXPECT_EQ(f.GetInt("s", "hex", 0), 31);
    EXPECT_EQ(f.GetInt("s", "oct", 0), 15);
    EXPECT_EQ(f.GetInt("s", "bin", 0), 5);
    EXPECT_EQ(f.GetInt("s", "badhex", 33), 0);
    EXPECT_EQ(f.GetInt("s", "wrap", 0), 1);
    EXPECT_EQ(f.GetInt("s", "blank", 0), 7);
    EXPECT_EQ(f.GetInt("s", "quoted", 0), 9);
    // Prefixes are lower case only: the upper-case letter ends the decimal "0".
    EXPECT_EQ(f.GetInt("s", "upperhex", 33), 0);
    EXPECT_EQ(f.GetInt("s", "upperoct", 33), 0);
    EXPECT_EQ(f.GetInt("s", "upperbin", 33), 0);
}

TEST(ProfileFile, WritesReplaceInPlaceAndKeepEveryOtherLine) {
    auto f = Parsed("; seller settings\n[a]\nx=1\n; note\nunknown=keep\n\n[b]\ny=2\n[a]\nx=dup\n");
    f.SetString("A", "X", "  new value  ");
    f.SetString("a", "added", "3");
    f.SetString("c", "z", "4");
    EXPECT_EQ(f.Text(), "; seller settings\r\n[a]\r\nx=new value\r\n; note\r\nunknown=keep\r\n"
                        "added=3\r\n\r\n[b]\r\ny=2\r\n[a]\r\nx=dup\r\n[c]\r\nz=4\r\n");
}

TEST(ProfileFile, WriteCreatesAMissingFileAndReadsBackAfterLfOnlyInput) {
    test::TempDir dir;
    std::string path = dir / "new.ini";
    ASSERT_TRUE(WriteProfileString(path, "SEC", "key", "value"));
    ASSERT_TRUE(WriteIniInt(path, "SEC", "num", -12));
    EXPECT_EQ(test::ReadFile(path), "[SEC]\r\nkey=value\r\nnum=-12\r\n");
    EXPECT_EQ(ReadProfileInt(path, "sec", "NUM", 0), -12);
    EXPECT_EQ(ReadProfileString(path, "sec", "key", "", 128), "value");
    EXPECT_FALSE(WriteProfileString(dir / "missing-dir/x.ini", "s", "k", "v"));
}

} // namespace
} // namespace hanamori
