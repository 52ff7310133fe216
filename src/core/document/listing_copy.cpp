// Copying and deleting listing files.

#include "core/app/helpers.h"
#include "core/app/os.h"
#include "core/document/file_list.h"
#include "core/listing/listing_dir.h"
#include "core/listing/listing_file.h"
#include "core/listing/manage_no.h"
#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <cerrno>

namespace hanamori {
namespace {

// The product record of a copy: the page content, payment and shipping choices of
// the source (design_type through shipping_notes); the auction page address, the
// status flags with their dates and the memo stay those of the fresh listing.
AuctionRecord CopiedAuction(const AuctionRecord& source, const AuctionRecord& fresh) {
    AuctionRecord a = source;
    a.page_url = fresh.page_url;
    a.listed = fresh.listed;
    a.listed_date = fresh.listed_date;
    a.ended = fresh.ended;
    a.ended_date = fresh.ended_date;
    a.completed = fresh.completed;
    a.completed_date = fresh.completed_date;
    a.memo = fresh.memo;
    return a;
}

} // namespace

std::optional<FileRow> CopyListingFrom(const std::string& source_path, const std::string& datas_dir,
                                       const UserSettings& settings) {
    SaleMaster source;
    if (!ReadListingWithTimes(source_path, source, nullptr)) {
        return std::nullopt;
    }
    SaleMaster target;
    target.Reset(settings);
    target.product_name =
        FitField(FormatWith("ｺﾋﾟｰ ～ %s"_sj, source.product_name), kProductNameCapacity);
    target.auction = CopiedAuction(source.auction, target.auction);
    // The copy's file is claimed in `datas_dir` (which need not be the installation's),
    // so a copy never takes the file of another listing, even one made meanwhile.
    if (!SaveNewListing(target, datas_dir)) {
        return std::nullopt;
    }
    FileRow row;
    row.manage_no = target.manage_no;
    row.name = target.product_name;
    row.status = kStatusNotListed;
    row.created = kNoDateText;
    row.saved = kNoDateText;
    return row;
}

std::optional<FileRow> CopyListingFile(const std::string& datas_dir, const std::string& manage_no,
                                       const UserSettings& settings) {
    return CopyListingFrom(JoinDatasPath(datas_dir, manage_no + ".rks"), datas_dir, settings);
}

bool DeleteListingFile(const std::string& datas_dir, const std::string& manage_no) {
    const std::string path = JoinDatasPath(datas_dir, manage_no + ".rks");
    // Not while another program is changing it, which would bring it back.
    FileLock lock = LockListing(path);
    if (lock.busy()) {
        errno = EBUSY;
        return false;
    }
    if (IsWriteProtected(path)) {
        errno = EACCES;
        return false;
    }
    return RemoveFile(path);
}

} // namespace hanamori
