// The whole rate directory load with one rate file replaced by arbitrary bytes (the
// first input byte chooses which), then every method priced and every list written.

#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

#include <filesystem>

using namespace hanamori;

namespace {

constexpr const char* kRateFiles[] = {"yupack.dat", "yupack2.dat", "yubin.dat",
                                      "yamato.dat", "sagawa.dat",  "nittu.dat"};

const std::string& CostDir() {
    static const std::string dir = [] {
        std::string d = fuzz::ScratchDir() + "CostData";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string& dir = CostDir();
    // The shipped files stay in place; only the one replaced last time is put back.
    static std::size_t last_replaced = std::size(kRateFiles);
    const std::size_t replaced = data[0] % std::size(kRateFiles);
    for (std::size_t i = 0; i < std::size(kRateFiles); ++i) {
        std::string path = dir + "/" + kRateFiles[i];
        if (i == replaced) {
            fuzz::PutFile(path, fuzz::AsText(data + 1, size - 1));
        } else if (i == last_replaced || last_replaced == std::size(kRateFiles)) {
            fuzz::CopyFile(fuzz::ShippedDataDir() + "CostData/" + kRateFiles[i], path);
        }
    }
    last_replaced = replaced;
    static const UserSettings settings;
    static const std::string prefectures[] = {"東京都"_sj, "沖縄県"_sj, "北海道"_sj, "nowhere"};
    fuzz::QuietHost host;
    ShippingEngine engine(settings);
    engine.LoadAll(dir, host);
    const int weight = data[size - 1] * 97;
    engine.SetParcel(data[size - 1] % 200, 20, 10, weight);
    engine.SetTotalBasis(1000, 2, 300);
    engine.SetOrigin(prefectures[data[0] / 8 % 4]);
    for (int m = 0; m < kShippingMethodCount; ++m) {
        for (const std::string& to : prefectures) {
            (void)engine.Cost(static_cast<ShippingMethod>(m), prefectures[0], to);
        }
    }
    for (int format : {kListPlain, kListHtmlEmphasis}) {
        engine.List(ShippingMethod::YuPack, format, true);
        engine.List(ShippingMethod::YahooYuPack, format, false);
        engine.List(ShippingMethod::Yamato, format, true);
        engine.List(ShippingMethod::Sagawa, format, false);
        engine.List(ShippingMethod::Pelican, format, true);
    }
    return 0;
}
