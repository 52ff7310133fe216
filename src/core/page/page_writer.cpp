#include "core/page/page_writer.h"

#include "core/page/page_builders.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <cstdarg>

namespace hanamori {

bool Put(std::ostream& out, std::string_view bytes) {
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool PutF(std::ostream& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = StrVPrintf(format, args);
    va_end(args);
    return Put(out, text);
}

bool AnyCarrierTicked(const AuctionRecord& a) {
    return a.use_yupack == 1 || a.use_yahoo_yupack == 1 || a.use_yamato == 1 || a.use_sagawa == 1 ||
           a.use_pelican == 1;
}

PageSections SectionsOf(const AuctionRecord& a) {
    PageSections s;
    s.title = !a.display_name.empty();
    s.description = a.use_description == 1 && !a.description.empty();
    s.quantity = a.use_quantity == 1;
    s.notes = a.use_notes == 1 && !a.notes.empty();
    s.other = a.use_other == 1 && !a.other.empty();
    // The costs play no part here: a ticked method without a cost still opens it.
    s.shipping = a.use_teikei == 1 || a.use_teikeigai == 1 || a.use_booklet == 1 ||
                 a.use_expack == 1 || a.use_kuroneko_mail == 1 || a.use_hikyaku_mail == 1 ||
                 (a.use_other_ship == 1 && !a.other_ship_name.empty()) || AnyCarrierTicked(a) ||
                 !a.shipping_notes.empty();
    s.payment = a.use_bank == 1 || a.use_postal == 1 || a.use_other_payment == 1;
    return s;
}

const std::string& BookletNote(std::int32_t chk_sassi_cod) {
    static const std::string none;
    return chk_sassi_cod != 0 ? "(着払可+20円)"_sj : none;
}

bool WriteTextBlock(std::ostream& out, std::string_view text) {
    // Made up in memory and written as one piece: texts are long and many-lined.
    std::string block;
    block.reserve(text.size() + text.size() / 8 + 8);
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            break;
        }
        block.append(text.substr(start, end - start));
        block.append("<br>");
        start = end + 2;
    }
    if (start < text.size()) {
        block.append(text.substr(start));
        block.append("<br>");
    }
    return Put(out, block);
}

} // namespace hanamori
