#pragma once
// Management numbers and the listing files they name. A listing that has no file yet
// claims its number by giving its whole file that name, only when the name is free, so
// two processes (two CLI runs, or the CLI and the desktop program) never write the same
// new listing, and a number's file is never seen empty.

#include "core/listing/records.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace hanamori {

// Saves a listing that has no file yet under `listing.manage_no`, or when a file of
// that number exists (or this process handed the number to another listing) under the
// next free second after it; a number that is not a "%y%m%d%H%M%S" number moves on
// from the current time instead. `listing.manage_no` then holds the number its file
// has. False when the directory refuses new files or a write fails; nothing is left
// in `datas_dir` then.
bool SaveNewListing(SaleMaster& listing, const std::string& datas_dir);

// The local time a "%y%m%d%H%M%S" management number stands for; nullopt for any other
// text or an impossible date.
std::optional<std::time_t> ManageNoTime(std::string_view number);

// The management number of a local time.
std::string ManageNoAt(std::time_t t);

} // namespace hanamori
