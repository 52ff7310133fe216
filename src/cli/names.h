#pragma once
// Names typed on the command line: prefectures (full or short form, with suggestions
// for a near miss) and the width-folded look-up of designs, colour sets, templates and
// carriers.

#include <optional>
#include <string>
#include <vector>

namespace hanamori::cli {

// The prefecture (CP932, one of the 47 names) that `utf8` names: a full name, or its
// short form without 都, 府 or 県 (東京, 大阪, 京都, 神奈川). nullopt when it is none.
std::optional<std::string> PrefectureArg(const std::string& utf8);
// Up to three prefecture names (UTF-8) closest to `utf8`, for the usage message.
std::vector<std::string> ClosestPrefectures(const std::string& utf8);

// The entry of `names` (CP932) that the argument `utf8` names after width folding, or
// nullopt (also when the argument cannot be written in CP932).
std::optional<std::string> FindNameArg(const std::vector<std::string>& names,
                                       const std::string& utf8);
// "a, b, c" in UTF-8, for messages and help.
std::string NameList(const std::vector<std::string>& names_cp932);

} // namespace hanamori::cli
