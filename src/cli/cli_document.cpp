#include "cli/cli_document.h"

#include "core/listing/listing_file.h"
#include "core/text/cp932.h"

namespace hanamori::cli {

CliDocument::CliDocument(Context& ctx) : m_ctx(ctx), m_doc(ctx.host, m_ui, ctx.settings) {}

bool CliDocument::Open(const std::string& id) {
    m_doc.Reset();
    const std::string path = ListingFileOf(m_ctx, id);
    if (!ReadListing(m_doc.listing(), path)) {
        FailToReadListing(path);
        return false;
    }
    return true;
}

} // namespace hanamori::cli
