#pragma once
// Laid-out pages as a PDF file, written by the program itself (no library): the text in
// a Japanese CID font of the Adobe-Japan1 collection that the file names but does not
// embed, so that every viewer sets it in an installed Japanese face. Each character's
// advance is declared as the layout measured it (text_box.h), and a ToUnicode map
// lets text be searched and copied.

#include "core/document/text_box.h"

#include <ostream>
#include <string>
#include <vector>

namespace hanamori {

// Writes `pages` as one PDF document; false when the stream failed.
bool WritePdf(const std::vector<LayoutPage>& pages, std::ostream& out);
// The same, saved atomically to `path`; false when it could not be written.
bool WritePdf(const std::vector<LayoutPage>& pages, const std::string& path);

} // namespace hanamori
