#pragma once
// Address labels laid out on a label sheet: one label per sale, from a chosen first
// label on, as many pages as needed. The window, its preview and the PDF file all draw
// this one layout.

#include "core/document/label_sheets.h"
#include "core/document/text_box.h"

#include <string>
#include <vector>

namespace hanamori {

struct CustomerRecord;
struct SellerProfile;

// What one label shows (CP932): the recipient, and who the sale is (for messages).
struct LabelAddress {
    std::string zip;
    std::string pref;
    std::string address; // its own line breaks are kept
    std::string name;
    std::string nickname;
};

// The label of a winning bidder: the name, or the nickname when the name is empty.
LabelAddress AddressOf(const CustomerRecord& bidder);
// The sender's block of a seller profile.
LabelAddress AddressOf(const SellerProfile& seller);
// "〒123-4567" for a postcode of seven digits (with or without the hyphen, ASCII or
// full-width), the stored text otherwise.
std::string PostcodeText(std::string_view zip);

struct LabelOptions {
    int start = 1;       // the first label to use, 1 = top left, row by row
    bool sender = false; // print `seller` at the bottom of each label
    double offset_x = 0; // printer calibration, millimetres
    double offset_y = 0;
};

struct PlacedLabel {
    int page = 0;
    double x = 0, y = 0, width = 0, height = 0; // the label's cell, offset included
    std::size_t first_text = 0;                 // its texts in the page's list
    std::size_t text_count = 0;
};

// The padding inside a label: top, right, bottom, left, in millimetres.
struct LabelPadding {
    double top, right, bottom, left;
};
LabelPadding PaddingOf(const LabelSheet& sheet);

// The smallest text a label is set in, in points.
inline constexpr double kMinLabelTextPt = 6.0;

struct LabelLayout {
    std::vector<LayoutPage> pages;
    std::vector<PlacedLabel> labels; // one per address, in order
    // Empty when laid out; otherwise why not (CP932), naming the bidder.
    std::string error;
};

// Lays out `addresses` on `sheet`. Each label holds the postcode, the prefecture and
// address, and the name followed by "　様" (larger), with the sender's block smaller
// below a rule when asked; its text is set at the label's natural size and made
// smaller until it fits, lines of the address broken at the width but never cut. A
// label that cannot fit at 6 pt, or an address without a prefecture and address,
// gives an error naming the bidder and no pages.
LabelLayout LayOutLabels(const LabelSheet& sheet, const std::vector<LabelAddress>& addresses,
                         const LabelAddress& seller, const LabelOptions& options);

} // namespace hanamori
