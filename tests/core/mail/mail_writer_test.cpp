#include "core/mail/mail_template_list.h"
#include "core/mail/mail_writer.h"
#include "mail_fixture.h"

#include <gtest/gtest.h>
#include <sstream>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

class MailWriter : public ::testing::Test, public test::MailFixture {
protected:
    test::TempInstall install;
    MailTemplateList templates;

    void WriteTemplates(const std::string& list_utf8) {
        test::WriteFile(install / "template/template.lst", Sj(list_utf8));
        ASSERT_TRUE(templates.LoadMailTemplates(TemplateDirectory(install.dir())));
    }
};

TEST_F(MailWriter, BodyAndTitleFilesHoldTheExpandedTexts) {
    WriteTemplates("お礼[\t]thanks.txt[\t]【<<@商品名>>】<<@落札者名>>様へ\r\n"
                   "お礼[\t]other.txt[\t]second of the same name\r\n");
    test::WriteFile(install / "template/thanks.txt",
                    Sj("<<@落札者名>> 様\r\n<<@出品者苗字>>です。\r\n合計<<@合計金額>>円"));
    std::string body_path = MailBodyPath(install.dir());
    std::string title_path = MailTitlePath(install.dir());
    ASSERT_TRUE(WriteMailBody(templates, Sj("お礼"), body_path, Context()));
    ASSERT_TRUE(WriteMailTitle(templates, Sj("お礼"), title_path, Context()));
    EXPECT_EQ(Utf8(test::ReadFile(body_path)), "佐藤 一郎 様\r\n山田です。\r\n合計2800円");
    EXPECT_EQ(Utf8(test::ReadFile(title_path)), "【木製カトラリーセット】佐藤 一郎様へ");
}

TEST_F(MailWriter, FailuresKeepThePreviousFiles) {
    WriteTemplates("a[\t]a.txt[\t]A\r\nmissing[\t]nothing.txt[\t]M\r\n");
    test::WriteFile(install / "template/a.txt", "body");
    std::string body_path = MailBodyPath(install.dir());
    test::WriteFile(body_path, "previous mail");

    EXPECT_FALSE(WriteMailBody(templates, "b", body_path, Context())); // no such template
    EXPECT_FALSE(WriteMailTitle(templates, "b", body_path, Context()));
    EXPECT_FALSE(WriteMailBody(templates, "missing", body_path, Context())); // no body file
    EXPECT_EQ(test::ReadFile(body_path), "previous mail");

    // A directory that does not exist cannot take the file.
    EXPECT_FALSE(WriteMailBody(templates, "a", install / "nowhere/mail.txt", Context()));

    // The stream form stops at the first refused write.
    test::LimitedBuffer buffer(2);
    std::ostream limited(&buffer);
    EXPECT_FALSE(WriteMailBody(templates, "a", limited, Context()));
    EXPECT_EQ(buffer.data, "bo");
}

// Every shipped template builds for a realistic listing, uses only known placeholders
// and keeps the CR LF line ends of its file.
TEST_F(MailWriter, ShippedTemplatesBuildForARealisticListing) {
    MailTemplateList shipped;
    ASSERT_TRUE(shipped.LoadMailTemplates(test::SourceDir() + "/data/template"));
    ASSERT_GE(shipped.count(), 5u);
    test::ScriptedHost host;
    ASSERT_TRUE(engine->LoadAll(test::SourceDir() + "/data/CostData", host));
    listing.auction.use_teikeigai = 1;
    listing.auction.teikeigai_cost = 510;
    listing.auction.use_yupack = 1;
    listing.mail.bank1 = 1;
    for (const MailTemplate& t : shipped.entries()) {
        std::ostringstream body;
        std::ostringstream title;
        ASSERT_TRUE(WriteMailBody(shipped, t.name, body, Context())) << Utf8(t.name);
        ASSERT_TRUE(WriteMailTitle(shipped, t.name, title, Context())) << Utf8(t.name);
        EXPECT_EQ(body.str().find("<<@"), std::string::npos) << Utf8(t.name);
        EXPECT_EQ(title.str().find("<<@"), std::string::npos) << Utf8(t.name);
        EXPECT_NE(Utf8(title.str()).find("木製カトラリーセット"), std::string::npos);
        EXPECT_EQ(Utf8(body.str()).rfind("佐藤 一郎 様\r\n", 0), 0u) << Utf8(t.name);
        EXPECT_EQ(Utf8(body.str()).find("\uFFFD"), std::string::npos); // valid CP932 only
        std::string text = body.str();
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << Utf8(t.name) << " at " << i;
            }
        }
    }
}

} // namespace
} // namespace hanamori
