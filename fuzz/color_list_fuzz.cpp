// The colour list parser on arbitrary bytes.

#include "core/page/color_list.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace hanamori;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ColorList list;
    bool ok = ParseColorList(fuzz::AsText(data, size), list);
    if (!ok && !list.empty()) {
        std::abort(); // a failed parse leaves nothing behind
    }
    for (const ColorSet& set : list.sets()) {
        if (set.name.size() >= kColorNameCapacity || set.color1.size() > kColorValueLength ||
            set.color4.size() > kColorValueLength) {
            std::abort();
        }
        if (FindColorSet(list, set.name) < 0) {
            std::abort();
        }
    }
    return 0;
}
