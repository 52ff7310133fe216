// The include order of src/, read from the sources themselves. Inside the core each
// folder uses only the folders below it in this list: text; app; settings; listing;
// shipping; page and mail (side by side, neither using the other); document. The core
// knows nothing of cli/, gui/ or Qt; the CLI and the desktop program know nothing of
// each other. Inside gui/ the same holds for: widgets; web, document, bidder, mail and
// shipping; page and settings; shell; main.cpp on top. A line that runs against the
// order fails the test, named by file and line.

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

const std::map<std::string, int> kLevels = {
    {"core/text", 0},     {"core/app", 1},     {"core/settings", 2}, {"core/listing", 3},
    {"core/shipping", 4}, {"core/page", 5},    {"core/mail", 5},     {"core/document", 6},
    {"gui/widgets", 0},   {"gui/web", 1},      {"gui/document", 1},  {"gui/bidder", 1},
    {"gui/mail", 1},      {"gui/shipping", 1}, {"gui/page", 2},      {"gui/settings", 2},
    {"gui/shell", 3},     {"gui", 4},
};

// "core/page" for "core/page/html.h", "gui/web" for "gui/web/engine/view.h", "gui" for
// "gui/main.cpp", "cli" for "cli/command.h", "" for anything else.
std::string AreaOf(const std::string& path) {
    const auto first = path.find('/');
    if (first == std::string::npos) {
        return {};
    }
    const std::string top = path.substr(0, first);
    if (top == "cli") {
        return top;
    }
    if (top != "core" && top != "gui") {
        return {};
    }
    const auto second = path.find('/', first + 1);
    if (second == std::string::npos) {
        return top == "gui" ? top : std::string();
    }
    return path.substr(0, second);
}

std::string TopOf(const std::string& area) {
    return area.substr(0, area.find('/'));
}

// Why `from` may not include `to` (both areas as AreaOf gives them), or "" when it may.
std::string Refusal(const std::string& from, const std::string& to, bool qt) {
    const std::string from_top = TopOf(from);
    const std::string to_top = TopOf(to);
    if (from_top == "core" && qt) {
        return "the core uses no Qt";
    }
    if (to.empty() || to == from) {
        return {};
    }
    if (from_top == "core" && to_top != "core") {
        return "the core knows nothing of " + to_top + "/";
    }
    if ((from_top == "cli" && to_top == "gui") || (from_top == "gui" && to_top == "cli")) {
        return "the CLI and the desktop program know nothing of each other";
    }
    if (from_top != to_top || from_top == "cli") {
        return {};
    }
    const auto from_level = kLevels.find(from);
    const auto to_level = kLevels.find(to);
    if (from_level == kLevels.end() || to_level == kLevels.end()) {
        return (from_level == kLevels.end() ? from : to) + " has no place in the order";
    }
    if (to_level->second >= from_level->second) {
        return to + " is not below " + from;
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
        if (from.empty()) {
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

// Every include of a system header (POSIX, Windows, iconv) outside the platform seam,
// core/app, and the build-time tools, as "file:line: header".
std::vector<std::string> SystemHeadersOutsideTheSeam(const fs::path& src) {
    static const std::regex system(
        R"(^\s*#\s*include\s*<(unistd\.h|fcntl\.h|dirent\.h|pwd\.h|poll\.h|spawn\.h|iconv\.h|)"
        R"(signal\.h|sys/[^>]+|windows\.h|io\.h|direct\.h|shlobj\.h|[a-z]+api\.h)>)",
        std::regex::icase);
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string file = fs::relative(entry.path(), src).generic_string();
        if (!entry.is_regular_file() || file.rfind("core/app/", 0) == 0 ||
            file.rfind("tools/", 0) == 0) {
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch m;
            if (std::regex_search(line, m, system)) {
                found.push_back(file + ":" + std::to_string(number) + ": " + m[1].str());
            }
        }
    }
    return found;
}

TEST(Layers, OnlyThePlatformSeamIncludesSystemHeaders) {
    std::string listed;
    for (const std::string& f :
         SystemHeadersOutsideTheSeam(fs::path(HANAMORI_SOURCE_DIR) / "src")) {
        listed += f + "\n";
    }
    EXPECT_TRUE(listed.empty()) << listed;
}

TEST(Layers, TheRulesThemselves) {
    EXPECT_EQ(Refusal("core/document", "core/text", false), "");
    EXPECT_NE(Refusal("core/text", "core/listing", false), "");
    EXPECT_NE(Refusal("core/page", "core/mail", false), "");
    EXPECT_NE(Refusal("core/app", "gui", false), "");
    EXPECT_NE(Refusal("core/text", "", true), "");
    EXPECT_NE(Refusal("cli", "gui", false), "");
    EXPECT_EQ(Refusal("gui/page", "core/document", true), "");
    EXPECT_NE(Refusal("gui/widgets", "gui/shell", false), "");
    EXPECT_NE(Refusal("gui/mail", "gui/bidder", false), "");
    EXPECT_EQ(Refusal("gui/shell", "gui/page", false), "");
    EXPECT_NE(Refusal("gui/newfolder", "gui/widgets", false), "");
}

} // namespace
} // namespace hanamori::test
