#include "core/listing/listing_dir.h"

#include "core/listing/listing_file.h"
#include "core/listing/manage_no.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <string_view>

namespace hanamori {
namespace {

constexpr char kListingExtension[] = ".rks";
constexpr std::size_t kExtensionLength = sizeof kListingExtension - 1;

bool HasListingExtension(const char* name, std::size_t length) {
    return length >= kExtensionLength &&
           std::char_traits<char>::compare(name + length - kExtensionLength, kListingExtension,
                                           kExtensionLength) == 0;
}

// The first eight bytes of `name` from `from` on as one number that orders as they do
// (unsigned), a short name padded with zeros.
std::uint64_t EightBytesAt(const std::string& name, std::size_t from) {
    std::uint64_t bits = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        bits = (bits << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0U);
    }
    return bits;
}

// Sorts `names` by their bytes (unsigned), as std::string compares them. A Datas
// directory holds thousands of names of about sixteen bytes, so they are ordered by
// their first sixteen bytes held as two numbers, and only names that share those are
// compared whole.
void SortByBytes(std::vector<std::string>& names) {
    struct Key {
        std::uint64_t high;
        std::uint64_t low;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        keys.push_back({EightBytesAt(names[i], 0), EightBytesAt(names[i], 8), i});
    }
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.high != b.high) {
            return a.high < b.high;
        }
        if (a.low != b.low) {
            return a.low < b.low;
        }
        return names[a.index] < names[b.index];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const Key& key : keys) {
        sorted.push_back(std::move(names[key.index]));
    }
    names = std::move(sorted);
}

// The local time the management number of a listing file's name stands for.
std::optional<std::time_t> NumberedTime(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (HasListingExtension(name.data(), name.size())) {
        name.remove_suffix(kExtensionLength);
    }
    return ManageNoTime(name);
}

// A save replaces the file (write a new one, rename it over the old), so the creation
// time the file system gives is that of the last save. A listing's management number
// is the time it was created, which is never later than its first save: the earlier of
// the two is shown.
void TimesFromFacts(std::string_view path, const FileFacts& facts, ListingFileTimes& times) {
    times.known = true;
    times.saved = facts.saved;
    times.created = facts.created;
    if (auto numbered = NumberedTime(path); numbered && *numbered < times.created) {
        times.created = *numbered;
    }
}

constexpr std::size_t kKeptBufferBytes = std::size_t{4} << 20;

// Reads the listing file `path` (a name in `dir`, else a whole path) into `listing`
// through `buffer`, and its times when asked for; false when it cannot be opened, is
// not a regular file or is not a whole listing.
bool ReadListingFileAt(const FileDirectory* dir, const std::string& path, SaleMaster& listing,
                       ListingFileTimes* times, const ListingTexts& texts, std::string& buffer) {
    InputFile file = dir ? dir->Open(path) : InputFile(path);
    FileFacts facts;
    if (!file.is_open()) {
        // Unreadable (no permission, vanished): still show its times when we can.
        if (times && (dir ? dir->FactsOf(path, facts) : FileFactsOf(path, facts))) {
            TimesFromFacts(path, facts, *times);
        }
        return false;
    }
    if (!file.Facts(facts) || !facts.regular) {
        return false;
    }
    if (times) {
        TimesFromFacts(path, facts, *times);
    }
    return ReadListingFromFile(file, static_cast<std::size_t>(facts.size), listing, texts, buffer);
}

bool ReadListingAt(const FileDirectory* dir, const std::string& path, SaleMaster& listing,
                   ListingFileTimes* times, const ListingTexts& texts) {
    thread_local std::string buffer;
    const bool ok = ReadListingFileAt(dir, path, listing, times, texts, buffer);
    if (buffer.capacity() > kKeptBufferBytes) {
        std::string().swap(buffer); // a huge file does not pin its memory
    }
    if (ok) {
        // A read writes every field but the working copy of the bidders, which no file
        // holds.
        listing.customers_edit.Clear();
    } else {
        // Nothing half-read, and nothing of an earlier file, leaves this function.
        listing = SaleMaster();
    }
    return ok;
}

} // namespace

std::string JoinDatasPath(const std::string& datas_dir, const std::string& file_name) {
    if (!datas_dir.empty() && datas_dir.back() == '/') {
        return datas_dir + file_name;
    }
    return datas_dir + "/" + file_name;
}

std::string ListingStem(const std::string& file_name) {
    if (HasListingExtension(file_name.c_str(), file_name.size())) {
        return file_name.substr(0, file_name.size() - kExtensionLength);
    }
    return file_name;
}

std::vector<std::string> ListingFileNames(const std::string& datas_dir) {
    return ListingDirectory(datas_dir).FileNames();
}

bool ReadListingWithTimes(const std::string& path, SaleMaster& listing, ListingFileTimes* times,
                          const ListingTexts& texts) {
    return ReadListingAt(nullptr, path, listing, times, texts);
}

ListingDirectory::ListingDirectory(const std::string& datas_dir) : m_dir(datas_dir) {}

std::vector<std::string> ListingDirectory::FileNames() {
    std::vector<std::string> names = m_dir.FileNames();
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) {
                                   return !HasListingExtension(name.c_str(), name.size());
                               }),
                names.end());
    SortByBytes(names);
    return names;
}

bool ListingDirectory::Read(const std::string& file_name, SaleMaster& listing,
                            ListingFileTimes* times, const ListingTexts& texts) const {
    if (!m_dir.is_open()) {
        listing = SaleMaster();
        return false;
    }
    return ReadListingAt(&m_dir, file_name, listing, times, texts);
}

std::string FormatListTime(std::time_t t) {
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return std::string();
    }
    // As strftime's "%y/%m/%d %H:%M" writes it, digit by digit: strftime looks at the
    // time zone file on every call and snprintf costs more than the row's reading.
    auto two = [](char* at, int value) {
        at[0] = static_cast<char>('0' + value / 10 % 10);
        at[1] = static_cast<char>('0' + value % 10);
    };
    std::string out = "00/00/00 00:00";
    two(&out[0], (local.tm_year % 100 + 100) % 100);
    two(&out[3], local.tm_mon + 1);
    two(&out[6], local.tm_mday);
    two(&out[9], local.tm_hour);
    two(&out[12], local.tm_min);
    return out;
}

} // namespace hanamori
