#pragma once
// Saving files so that a failure never leaves a half-written file behind: the content
// goes to a temporary file in the same directory, which then replaces the old one.

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace hanamori {

// Calls `write` on a stream into a temporary file beside `path`; when `write` returns
// true and every byte reached the disk, renames the temporary file over `path`.
// Returns false (and removes the temporary file, keeping the old `path` whole) when
// the directory is missing or not writable, `write` fails, or any write is short.
bool SaveFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write);

// The same for the scratch files in work/ (pages, mails, the overview), which are
// rewritten at will: replaced whole, but not forced to the disk first.
bool SaveScratchFile(const std::string& path, const std::function<bool(std::ostream&)>& write);

// Writes `bytes` as the whole content of `path`, atomically.
bool SaveBytesAtomically(const std::string& path, std::string_view bytes);

// Reads at most `max_bytes` of a file; nullopt-like false when it cannot be opened.
bool ReadFilePrefix(const std::string& path, std::size_t max_bytes, std::string& out);
// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);

} // namespace hanamori
