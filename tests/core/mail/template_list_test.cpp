#include "core/mail/mail_template_list.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::Sj;

TEST(MailTemplateList, ParsesLinesUpToTheLastCrLf) {
    MailTemplateList list;
    std::string bytes = Sj("お礼[\t]thanks.txt[\t]お礼(<<@商品名>>)\r\n") +
                        "b[\t]b.txt[\t]title [\t] with [\t] separators\r\n" +
                        "c[\t]c.txt[\t]no line end";
    ASSERT_TRUE(list.Parse(bytes));
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.entries()[0].name, Sj("お礼"));
    EXPECT_EQ(list.entries()[0].body_file, "thanks.txt");
    EXPECT_EQ(list.entries()[0].title, Sj("お礼(<<@商品名>>)"));
    // The title is everything after the second separator.
    EXPECT_EQ(list.entries()[1].title, "title [\t] with [\t] separators");
    EXPECT_EQ(list.Find("c"), nullptr);

    // Empty fields are allowed; an LF-only file has no line at all.
    EXPECT_TRUE(list.Parse("[\t][\t]\r\n"));
    EXPECT_EQ(list.count(), 1u);
    EXPECT_TRUE(list.Parse("a[\t]b[\t]c\nd[\t]e[\t]f\n"));
    EXPECT_EQ(list.count(), 0u);
}

TEST(MailTemplateList, AnyMalformedLineRejectsTheWholeList) {
    const std::string good = "a[\t]a.txt[\t]A\r\n";
    const std::string bad_lines[] = {
        "one[\t]separator only\r\n",
        "\r\n", // an empty line has no separator
        "tab\tonly\tnot bracketed\r\n",
        std::string(256, 'n') + "[\t]b.txt[\t]t\r\n", // name field holds 255 bytes
        "n[\t]" + std::string(260, 'b') + "[\t]t\r\n",
        "n[\t]b.txt[\t]" + std::string(256, 't') + "\r\n",
    };
    for (const std::string& bad : bad_lines) {
        MailTemplateList list;
        ASSERT_TRUE(list.Parse(good + good));
        EXPECT_FALSE(list.Parse(good + bad + good)) << bad.substr(0, 40);
        EXPECT_EQ(list.count(), 0u);
    }
    // The longest fields that fit are taken whole.
    MailTemplateList list;
    std::string line = std::string(255, 'n') + "[\t]" + std::string(259, 'b') + "[\t]" +
                       std::string(255, 't') + "\r\n";
    ASSERT_TRUE(list.Parse(line));
    EXPECT_EQ(list.entries()[0].name.size(), 255u);
    EXPECT_EQ(list.entries()[0].body_file.size(), 259u);
    EXPECT_EQ(list.entries()[0].title.size(), 255u);
}

TEST(MailTemplateList, LoadsFromTheTemplateDirectoryAndFindsTheFirstMatch) {
    test::TempDir dir;
    MailTemplateList list;
    EXPECT_FALSE(list.LoadMailTemplates(dir.path())); // no template.lst

    test::WriteFile(dir / "template.lst", "A[\t]first.txt[\t]1\r\nB[\t]b.txt[\t]2\r\n"
                                          "A[\t]second.txt[\t]3\r\n");
    ASSERT_TRUE(list.LoadMailTemplates(dir.path().substr(0, dir.path().size() - 1)));
    ASSERT_EQ(list.count(), 3u);
    ASSERT_NE(list.Find("A"), nullptr);
    EXPECT_EQ(list.Find("A")->body_file, "first.txt");
    EXPECT_EQ(list.Find("a"), nullptr); // names compare byte for byte
    EXPECT_EQ(list.BodyPath(*list.Find("B")), dir / "b.txt");

    // A failed reload leaves nothing of the earlier list.
    test::WriteFile(dir / "template.lst", "A[\t]a.txt\r\n");
    EXPECT_FALSE(list.LoadMailTemplates(dir.path()));
    EXPECT_EQ(list.count(), 0u);
}

TEST(MailTemplateList, BodyFileNamesInCp932AndBackslashesReachTheFileSystem) {
    test::TempDir dir;
    MailTemplateList list;
    // ソ ends in 0x5C: it must stay one character, not become a separator.
    test::WriteFile(dir / "template.lst", Sj("x[\t]sub\\ソース.txt[\t]t\r\n"));
    ASSERT_TRUE(list.LoadMailTemplates(dir.path()));
    EXPECT_EQ(list.BodyPath(list.entries()[0]), dir / "sub/ソース.txt");
}

} // namespace
} // namespace hanamori
