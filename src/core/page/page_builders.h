#pragma once
// The product description page: an HTML fragment written from the listing's product
// record in one of the five designs, followed by the booth banner. body.html holds the
// fragment alone; preview.html wraps it in a small HTML document.
//
// Every writer returns false as soon as one write is short and writes nothing more;
// the caller reports the failure. The listing is only read.

#include "core/app/host.h"
#include "core/listing/records.h"
#include "core/page/color_list.h"
#include "core/page/page_shipping.h"

#include <ostream>
#include <string>
#include <string_view>

namespace hanamori {

struct UserSettings;

// Everything a page is built from.
struct PageSources {
    const SaleMaster& listing;
    const UserSettings& settings; // shipping options and seller profiles
    const ColorList& colors;
    PageCostLists& shipping; // cost lists of the table designs
    Host& host;              // the unknown-design and unknown-colour messages
};

// work/preview.html: header, body, booth banner, footer, saved atomically. False when
// the file cannot be written or a part fails (the previous file is then kept).
bool WritePreviewFile(const PageSources& src, const std::string& design_name,
                      const std::string& color_name, const std::string& path);
// work/body.html: body and booth banner, saved atomically.
bool WriteBodyFile(const PageSources& src, const std::string& design_name,
                   const std::string& color_name, const std::string& path);

// The same two documents into a stream.
bool WritePreview(std::ostream& out, const PageSources& src, const std::string& design_name,
                  const std::string& color_name);
bool WriteBody(std::ostream& out, const PageSources& src, const std::string& design_name,
               const std::string& color_name);

// The head of the preview document, titled with the two names.
bool WritePreviewHeader(std::ostream& out, std::string_view design_name,
                        std::string_view color_name);
// The tail of the preview document.
bool WritePreviewFooter(std::ostream& out);

// Chooses the design and colour set by name and runs the design's builder. An unknown
// design is reported through the host and built as 簡易表示(カラー非対応); an unknown
// colour set is reported and the first set is used. With no colour set at all, a
// design that needs colours fails.
bool WritePageBody(std::ostream& out, const PageSources& src, std::string_view design_name,
                   std::string_view color_name);

// The paragraph that links to the seller's booth, or nothing when the listing's seller
// has no profile or the profile does not ask for one.
bool WriteBoothBanner(std::ostream& out, const PageSources& src, std::string_view design_name);

// The user's text with "<br>" after each CR LF-terminated line and after a non-empty
// last line; nothing in the text is escaped.
bool WriteTextBlock(std::ostream& out, std::string_view text);

// The five designs.
bool BuildDesign1(std::ostream& out, const PageSources& src, const ColorSet& colors);
bool BuildDesign2(std::ostream& out, const PageSources& src, const ColorSet& colors);
bool BuildDesign3(std::ostream& out, const PageSources& src, const ColorSet& colors);
bool BuildSimpleColor(std::ostream& out, const PageSources& src, const ColorSet& colors);
bool BuildSimplePlain(std::ostream& out, const PageSources& src, const ColorSet& colors);

// The messages of the design and colour look-ups.
const std::string& UnknownDesignMessage();
const std::string& UnknownColorMessage();

} // namespace hanamori
