#pragma once
// Walking the listing files of a Datas directory: the ".rks" names in file-name order,
// and reading one file with its times in as few system calls as we can.

#include "core/app/os.h"
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

// Reads the listing at `path` into `listing`, keeping nothing of what it held: every
// field is the file's, or on failure `listing` is empty records. With `times`, also fills in the
// file's creation and last-write times when the file can be examined. False when the file cannot be
// opened or is not a whole listing. `texts` chooses the texts decoded; the file is checked whole
// either way.
bool ReadListingWithTimes(const std::string& path, SaleMaster& listing, ListingFileTimes* times,
                          const ListingTexts& texts = ListingTexts::All());

// A Datas directory held open while its listings are read: each file is looked up by
// its name in the directory, not by its whole path again.
class ListingDirectory {
public:
    explicit ListingDirectory(const std::string& datas_dir);
    ListingDirectory(const ListingDirectory&) = delete;
    ListingDirectory& operator=(const ListingDirectory&) = delete;

    // ListingFileNames of the directory.
    std::vector<std::string> FileNames();
    // ReadListingWithTimes of the directory's file `file_name`.
    bool Read(const std::string& file_name, SaleMaster& listing, ListingFileTimes* times,
              const ListingTexts& texts) const;

private:
    FileDirectory m_dir;
};

// A time as the file list shows it: local time "%y/%m/%d %H:%M".
std::string FormatListTime(std::time_t t);

} // namespace hanamori
