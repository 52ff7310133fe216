#pragma once
// The listing overview "work/filelist.html": every listing of the Datas directory with
// its status, its winning bidders and their amounts, and the grand total, as one HTML
// page in CP932 without line breaks.

#include "core/app/host.h"

#include <ostream>
#include <string>

namespace hanamori {

class CSaleMasterDoc;

// Writes the overview of the listings in `datas_dir` to `out`, stamped with `now`
// ("%Y/%m/%d %H:%M"). Files that fail to read are left out. False at the first
// write that fails.
bool WriteOverview(const std::string& datas_dir, const std::string& now, std::ostream& out);

// Writes the overview to `path` (stamped with the current local time); on failure
// shows "ファイルリストの作成に失敗しました。" and returns false.
bool WriteOverviewFile(const std::string& datas_dir, const std::string& path, Host& host);

// The command ファイル一覧: offers to save a modified listing first (Cancel or a failed
// save stops), writes "<install>work/filelist.html" from "<install>Datas" and opens it.
bool ShowOverview(CSaleMasterDoc& doc, Host& host);

} // namespace hanamori
