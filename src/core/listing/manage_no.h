#pragma once
// Management numbers and the listing files they name. A listing that has no file yet
// claims its number by creating the file exclusively, so two processes (two CLI runs,
// or the CLI and the desktop program) never write the same new listing.

#include "core/listing/records.h"

#include <ctime>
#include <optional>
#include <string>

namespace hanamori {

enum class ClaimResult { Claimed, Taken, Failed };

// Creates "<datas_dir>/<number>.rks" as an empty file, exclusively. Taken when
// anything of that name exists already; Failed when the directory refuses the file.
ClaimResult ClaimListingFile(const std::string& datas_dir, const std::string& number);

// Claims `first`, or when it is taken the next second after it that no file in
// `datas_dir` uses and this process has not handed out to another listing. A `first`
// that is not a "%y%m%d%H%M%S" number moves on from the current time instead. nullopt
// when the directory refuses new files.
std::optional<std::string> ClaimManageNo(const std::string& datas_dir, const std::string& first);

// Saves a listing that has no file yet: claims a number as ClaimManageNo does from
// `listing.manage_no` (which then holds the number claimed) and writes the listing
// over the claimed file atomically. When the write fails, the claim is given back.
// False when no number could be claimed or the write failed.
bool SaveNewListing(SaleMaster& listing, const std::string& datas_dir);

// The local time a "%y%m%d%H%M%S" management number stands for; nullopt for any other
// text or an impossible date.
std::optional<std::time_t> ManageNoTime(const std::string& number);

// The management number of a local time.
std::string ManageNoAt(std::time_t t);

} // namespace hanamori
