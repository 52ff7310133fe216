// The profile (INI) reader on arbitrary text: every key it finds reads as text and as
// an integer, and a value written into the file reads back.

#include "core/app/profile_file.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace hanamori;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = fuzz::AsText(data, size);
    ProfileFile file;
    file.Parse(text);
    (void)ParseProfileInt(text.substr(0, 64));
    // Section and key names taken from the text itself, so the look-ups hit.
    std::string section = "s";
    int lookups = 0;
    for (std::string_view rest = text; !rest.empty() && lookups < 64;) {
        auto nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        if (!line.empty() && line.front() == '[') {
            section = std::string(line.substr(1, line.find(']') - 1)); // npos: to the end
            continue;
        }
        auto eq = line.find('=');
        if (eq == std::string_view::npos) {
            continue;
        }
        ++lookups;
        std::string key(line.substr(0, eq));
        (void)file.GetString(section, key, "fallback", 1 + line.size() % 300);
        (void)file.GetInt(section, key, 7);
    }
    file.SetString(section, "written", "value");
    file.SetInt("new section", "n", -42);
    ProfileFile again;
    again.Parse(file.Text());
    if (again.GetString("new section", "n", "", 64) != "-42" ||
        again.GetInt("new section", "n", 0) != -42) {
        std::abort();
    }
    return 0;
}
