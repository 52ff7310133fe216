#pragma once
// The document as the CLI uses it: the same reset as the desktop program (colour list,
// mail templates and rate tables reloaded, each failure reported on standard error and
// passed over), then one listing read into it.

#include "cli/command.h"
#include "core/document/listing_resources.h"
#include "core/document/sale_master_doc.h"

namespace hanamori::cli {

class CliDocument {
public:
    explicit CliDocument(Context& ctx);
    // Resets the document and reads listing `id` (see ListingFileOf). False after the
    // read failure has been reported.
    bool Open(const std::string& id);

    SaleMaster& listing() { return m_doc.listing(); }
    ListingResources& resources() { return m_doc.resources(); }

private:
    // The CLI has no dialogs and no window title.
    struct NoDialogs final : DocumentUi {
        std::optional<std::string> AskProductName(const std::string&) override { return {}; }
        std::optional<std::string> ChooseListingToOpen(const std::string&) override { return {}; }
        void ManageFiles(const std::string&) override {}
        void SetTitle(const std::string&) override {}
    };

    Context& m_ctx;
    NoDialogs m_ui;
    CSaleMasterDoc m_doc;
};

} // namespace hanamori::cli
