#include "core/app/shipped_data.h"

#include "core/app/atomic_file.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>

namespace hanamori {
namespace {

namespace fs = std::filesystem;

// Relative path -> hash of the content last shipped there.
using Manifest = std::map<std::string, std::string>;

// FNV-1a over the bytes: it only has to tell a seller's edit from the shipped text.
std::string ContentHash(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h = (h ^ c) * 1099511628211ull;
    }
    char hex[17];
    for (int i = 15; i >= 0; --i) {
        hex[i] = "0123456789abcdef"[h & 0xf];
        h >>= 4;
    }
    hex[16] = '\0';
    return hex;
}

// One line per file: the hash, a space, the relative path. Malformed lines are skipped.
Manifest ParseManifest(const std::string& text) {
    Manifest manifest;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        auto space = line.find(' ');
        if (space == 16 && space + 1 < line.size()) {
            manifest[line.substr(space + 1)] = line.substr(0, space);
        }
    }
    return manifest;
}

std::string FormatManifest(const Manifest& manifest) {
    std::string text;
    for (const auto& [path, hash] : manifest) {
        text += hash + ' ' + path + '\n';
    }
    return text;
}

// The regular files under `root`, relative to it, in a stable order.
bool ListFiles(const fs::path& root, std::vector<std::string>& files) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) {
            files.push_back(it->path().lexically_relative(root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return !ec;
}

} // namespace

ShippedDataReport LayOutShippedData(const std::string& shipped, const std::string& target) {
    ShippedDataReport report;
    std::vector<std::string> files;
    if (!ListFiles(shipped, files)) {
        report.error = shipped + ": cannot be read";
        return report;
    }
    const fs::path root(target);
    const std::string manifest_path = (root / kShippedManifestName).string();
    std::string manifest_text;
    const bool had_manifest = ReadWholeFile(manifest_path, manifest_text);
    const Manifest last = ParseManifest(manifest_text);
    Manifest next = last;

    for (const std::string& rel : files) {
        const fs::path source = fs::path(shipped) / rel;
        const fs::path dest = root / rel;
        std::string bytes;
        if (!ReadWholeFile(source.string(), bytes)) {
            report.error = source.string() + ": cannot be read";
            return report;
        }
        const std::string hash = ContentHash(bytes);
        std::string present;
        if (ReadWholeFile(dest.string(), present)) {
            const std::string present_hash = ContentHash(present);
            auto recorded = last.find(rel);
            const bool as_shipped =
                recorded != last.end() ? recorded->second == present_hash : !had_manifest;
            if (present_hash == hash) {
                next[rel] = hash;
                continue;
            }
            if (!as_shipped) {
                report.kept.push_back(rel);
                continue;
            }
        }
        std::error_code ec;
        fs::create_directories(dest.parent_path(), ec);
        if (!SaveBytesAtomically(dest.string(), bytes)) {
            report.error = dest.string() + ": cannot be written";
            return report;
        }
        next[rel] = hash;
    }
    // Shipped directories that hold no file yet (an empty folder of the data) come too.
    std::error_code ec;
    for (fs::recursive_directory_iterator it(shipped, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->is_directory(ec)) {
            fs::create_directories(root / it->path().lexically_relative(shipped), ec);
        }
    }
    if ((next != last || !had_manifest) &&
        !SaveBytesAtomically(manifest_path, FormatManifest(next))) {
        report.error = manifest_path + ": cannot be written";
    }
    return report;
}

} // namespace hanamori
