// LoadAll: order, the message of the calculator that failed, and what is priced after.

#include "core/settings/user_settings.h"
#include "core/shipping/rate_fixture.h"
#include "core/shipping/shipping_engine.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {
using test::RateFixture;
using test::Sj;
using test::Utf8;

struct Breakage {
    std::string RateFixture::*file;
    const char* section; // its end marker is broken
    const char* label;   // the message's bracketed name
    ShippingMethod method;
};

TEST(ShippingEngine, LoadAllStopsAtTheFirstFailureWithItsMessage) {
    const Breakage cases[] = {
        {&RateFixture::yupack2, "yupack2_cost", "ゆうパック", ShippingMethod::YuPack},
        {&RateFixture::yupack, "yupack_sub", "Yahoo!ゆうパック", ShippingMethod::YahooYuPack},
        {&RateFixture::yubin, "teikei_yubin_cost", "定型郵便", ShippingMethod::Teikei},
        {&RateFixture::yubin, "teikeigai_yubin_cost", "定形外郵便", ShippingMethod::Teikeigai},
        {&RateFixture::yubin, "sassi_kodutumi_cost", "冊子小包", ShippingMethod::Sassi},
        {&RateFixture::yubin, "expack500_cost", "エクスパック500", ShippingMethod::Expack},
        {&RateFixture::yamato, "kuroneko_mail_cost", "クロネコメール便", ShippingMethod::Kuroneko},
        {&RateFixture::sagawa, "hikyaku_mail_cost", "飛脚メール便", ShippingMethod::Hikyaku},
        {&RateFixture::yamato, "yamato_sub", "ヤマト急便", ShippingMethod::Yamato},
        {&RateFixture::sagawa, "sagawa_cost", "佐川急便", ShippingMethod::Sagawa},
        {&RateFixture::nittu, "perikan_sub", "ペリカン便", ShippingMethod::Pelican},
    };
    for (const Breakage& c : cases) {
        SCOPED_TRACE(c.section);
        test::TempDir dir;
        RateFixture fixture;
        std::string end = std::string("@end_") + c.section + "\r\n";
        std::string& text = fixture.*(c.file);
        text.replace(text.find(end), end.size(), "@end\r\n");
        fixture.WriteAll(dir.path());

        UserSettings settings;
        ShippingEngine engine(settings);
        test::ScriptedHost host;
        EXPECT_FALSE(engine.LoadAll(dir.path(), host));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.MessagesUtf8()[0],
                  std::string("料金データの読み込みが出来ません。\n[") + c.label + "]");
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Stop);
        // Loading order: ゆうパック, Yahoo!ゆうパック, the postal kinds, ヤマト, 佐川, ペリカン.
        const ShippingMethod order[] = {
            ShippingMethod::YuPack,    ShippingMethod::YahooYuPack, ShippingMethod::Teikei,
            ShippingMethod::Teikeigai, ShippingMethod::Sassi,       ShippingMethod::Expack,
            ShippingMethod::Kuroneko,  ShippingMethod::Hikyaku,     ShippingMethod::Yamato,
            ShippingMethod::Sagawa,    ShippingMethod::Pelican};
        bool before = true;
        for (ShippingMethod m : order) {
            before = before && m != c.method;
            EXPECT_EQ(engine.Calculator(m).IsLoaded(), before) << static_cast<int>(m);
        }
    }
}

TEST(ShippingEngine, MissingDirectoryAndReload) {
    test::TempDir dir;
    UserSettings settings;
    ShippingEngine engine(settings);
    test::ScriptedHost host;
    EXPECT_FALSE(engine.LoadAll(dir / "nothing", host));
    EXPECT_EQ(host.MessagesUtf8(),
              std::vector<std::string>{"料金データの読み込みが出来ません。\n[ゆうパック]"});

    RateFixture().WriteAll(dir.path());
    EXPECT_TRUE(engine.LoadAll(dir.path(), host));
    engine.SetParcel(20, 20, 20, 1000);
    EXPECT_EQ(engine.Cost(ShippingMethod::Pelican, Sj("北海道"), Sj("北海道")), 3000);

    // A reload that stops early leaves the later calculators pricing nothing.
    RateFixture broken;
    RateFixture::Replace(broken.yubin, "@start_teikei_yubin_cost", "@start_other");
    broken.WriteAll(dir.path());
    EXPECT_FALSE(engine.LoadAll(dir.path(), host));
    EXPECT_EQ(engine.Cost(ShippingMethod::YuPack, Sj("北海道"), Sj("北海道")), 1000);
    EXPECT_EQ(engine.Cost(ShippingMethod::Pelican, Sj("北海道"), Sj("北海道")), -1);
    engine.SetOrigin(Sj("北海道"));
    EXPECT_FALSE(engine.List(ShippingMethod::Pelican, 0, false));
}

TEST(ShippingEngine, RequestTextsAndTotals) {
    UserSettings settings;
    ShippingEngine engine(settings);
    engine.SetOrigin(std::string(200, 'a'));
    EXPECT_EQ(engine.Origin().size(), 127u);
    engine.SetTotalBasis(2000000000, 3, 5);
    EXPECT_EQ(engine.TotalBase(), 6000000005LL);
    EXPECT_EQ(Utf8(ShippingMethodName(ShippingMethod::Expack)), "EXPACK500");
    EXPECT_EQ(Utf8(ShippingMethodName(ShippingMethod::YahooYuPack)), "Yahoo!ゆうパック");
}

} // namespace
} // namespace hanamori
