// The include order of src/, read from the sources themselves. Inside the core each
// folder uses only the folders below it in this list: text; app; settings; listing;
// shipping; page and mail (side by side, neither using the other); document. The core
// knows nothing of cli/, gui/ or Qt; the CLI and the desktop program know nothing of
// each other. A line that runs against the order fails the test, named by file and line.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace hanamori::test {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> kCoreLevels = {
    {"text", 0},     {"app", 1},  {"settings", 2}, {"listing", 3},
    {"shipping", 4}, {"page", 5}, {"mail", 5},     {"document", 6},
};

// "core/page" for "core/page/html.h", "cli" for "cli/command.h", "" for anything else.
std::string AreaOf(const std::string& path) {
    const auto first = path.find('/');
    if (first == std::string::npos) {
        return {};
    }
    const std::string top = path.substr(0, first);
    if (top != "core") {
        return top == "cli" || top == "gui" ? top : std::string();
    }
    const auto second = path.find('/', first + 1);
    return second == std::string::npos ? std::string() : path.substr(0, second);
}

// Why `from` may not include `to` (both areas as AreaOf gives them), or "" when it may.
std::string Refusal(const std::string& from, const std::string& to, bool qt) {
    const bool from_core = from.rfind("core/", 0) == 0;
    if (from_core && qt) {
        return "the core uses no Qt";
    }
    if (to.empty() || to == from) {
        return {};
    }
    if (from_core) {
        if (to.rfind("core/", 0) != 0) {
            return "the core knows nothing of " + to + "/";
        }
        const int from_level = kCoreLevels.at(from.substr(5));
        const int to_level = kCoreLevels.at(to.substr(5));
        if (to_level >= from_level) {
            return to + " is not below " + from;
        }
        return {};
    }
    if ((from == "cli" && to == "gui") || (from == "gui" && to == "cli")) {
        return "the CLI and the desktop program know nothing of each other";
    }
    return {};
}

// Every include under `src` that runs against the order, as "file:line: include (why)".
std::vector<std::string> IncludesAgainstTheOrder(const fs::path& src) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::vector<std::string> wrong;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".in")) {
            continue;
        }
        const std::string file = fs::relative(entry.path(), src).generic_string();
        const std::string from = AreaOf(file);
        if (from.empty() || (from.rfind("core/", 0) == 0 && !kCoreLevels.count(from.substr(5)))) {
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch m;
            if (!std::regex_search(line, m, include)) {
                continue;
            }
            const std::string target = m[2];
            const bool qt = m[1] == "<" && target.size() > 1 && target[0] == 'Q' &&
                            std::isupper(static_cast<unsigned char>(target[1]));
            const std::string why = Refusal(from, AreaOf(target), qt);
            if (!why.empty()) {
                wrong.push_back(file + ":" + std::to_string(number) + ": " + target + " (" + why +
                                ")");
            }
        }
    }
    return wrong;
}

TEST(Layers, EveryIncludeRunsDownTheOrder) {
    const auto wrong = IncludesAgainstTheOrder(fs::path(HANAMORI_SOURCE_DIR) / "src");
    std::string listed;
    for (const std::string& w : wrong) {
        listed += w + "\n";
    }
    EXPECT_TRUE(wrong.empty()) << listed;
}

TEST(Layers, TheRulesThemselves) {
    EXPECT_EQ(Refusal("core/document", "core/text", false), "");
    EXPECT_NE(Refusal("core/text", "core/listing", false), "");
    EXPECT_NE(Refusal("core/page", "core/mail", false), "");
    EXPECT_NE(Refusal("core/app", "gui", false), "");
    EXPECT_NE(Refusal("core/text", "", true), "");
    EXPECT_NE(Refusal("cli", "gui", false), "");
    EXPECT_EQ(Refusal("gui", "core/document", true), "");
}

} // namespace
} // namespace hanamori::test
