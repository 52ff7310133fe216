// The rate-file section reader on arbitrary text, for each section name the rate
// files use and a row and field count chosen by the input.

#include "core/shipping/rate_file.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace hanamori;

namespace {
constexpr std::string_view kSections[] = {
    "yupack_sub",         "yupack2_sub",          "yupack2_cost",        "yahoo_yupack_cost",
    "teikei_yubin_cost",  "teikeigai_yubin_cost", "sassi_kodutumi_cost", "expack500_cost",
    "kuroneko_mail_cost", "hikyaku_mail_cost",    "yamato_cost",         "yamato_sub",
    "sagawa_cost",        "sagawa_sub",           "perikan_cost",        "perikan_sub",
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    std::string_view name = kSections[data[0] % std::size(kSections)];
    int rows = data[1] % 64;
    int fields = data[2] % 64;
    std::string_view text = fuzz::AsText(data + 3, size - 3);
    int seen = 0;
    bool ok = ReadSection(text, name, rows, fields, [&](int index, const RateRow& row) {
        if (index != seen++ || row.fields.size() < static_cast<std::size_t>(fields)) {
            std::abort();
        }
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < row.fields.size(); ++i) {
            if (row.fields[i].size() > 127) {
                std::abort();
            }
            sum += row.Int(i);
        }
        return sum % 7 != 3 || index % 2 == 0; // refuse some rows
    });
    if (ok && seen != rows) {
        std::abort();
    }
    (void)RateInt(text.substr(0, 32));
    return 0;
}
