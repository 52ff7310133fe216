#pragma once
// Bringing the data a build or a package ships (rate files, templates, help) into an
// installation directory without ever overwriting what the seller changed there.

#include <string>
#include <vector>

namespace hanamori {

// The file in an installation directory that records, per shipped file, a hash of the
// content last shipped into it.
inline constexpr const char* kShippedManifestName = ".shipped";

struct ShippedDataReport {
    // Shipped files left as they were because they no longer hold what was shipped
    // last (the seller edited them), relative to the installation directory.
    std::vector<std::string> kept;
    // Empty on success; otherwise the path that could not be read or written.
    std::string error;
};

// Copies every file under `shipped` (recursively) to the same place under `target`,
// creating the directories it needs, when the file is missing there or still holds what
// was last shipped into `target`; a file whose content the seller changed stays and is
// reported in `kept`. A directory laid out before the manifest existed has its shipped
// files taken as shipped (they were overwritten on every build then). Each file and the
// manifest are saved atomically; on a failure the files done so far stay done.
ShippedDataReport LayOutShippedData(const std::string& shipped, const std::string& target);

} // namespace hanamori
