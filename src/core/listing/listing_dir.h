#pragma once
// Walking the listing files of a Datas directory: the ".rks" names in file-name order,
// and reading one file with its times in as few system calls as we can.

#include "core/listing/listing_file.h"
#include "core/listing/records.h"

#include <ctime>
#include <string>
#include <vector>

namespace hanamori {

// The names of the entries of `datas_dir` that end in ".rks" and are not directories,
// sorted by their bytes (unsigned), so every listing of the directory comes in the
// same order whatever order the file system keeps. Empty when the directory cannot be
// opened.
std::vector<std::string> ListingFileNames(const std::string& datas_dir);

// "<datas_dir>/<file_name>".
std::string JoinDatasPath(const std::string& datas_dir, const std::string& file_name);

// The name without its ".rks".
std::string ListingStem(const std::string& file_name);

struct ListingFileTimes {
    bool known = false;
    std::time_t created = 0;
    std::time_t saved = 0;
};

// Reads the listing at `path` into a fresh `listing` (reset to empty records first,
// so nothing of an earlier file stays). With `times`, also fills in the file's
// creation and last-write times when the file can be examined. False when the file
// cannot be opened or is not a whole listing. `texts` chooses the texts decoded; the
// file is checked whole either way.
bool ReadListingWithTimes(const std::string& path, SaleMaster& listing, ListingFileTimes* times,
                          ListingTexts texts = ListingTexts::All);

// A time as the file list shows it: local time "%y/%m/%d %H:%M".
std::string FormatListTime(std::time_t t);

} // namespace hanamori
