#pragma once
// Pieces shared by the cost lists of the parcel carriers: breaks and emphasis per
// format, the origin note, the seller profile a list is written for, total lines.

#include <cstdint>
#include <string>

namespace hanamori {

struct SellerProfile;
struct UserSettings;

struct ListPieces {
    const char* br;  // B
    const char* br2; // B2: a second break in plain text only
    const char* bold_open;
    const char* bold_close;
    const char* small_open;
    const char* small_close;
};

// The pieces of format 0 (plain text), 1 (HTML) or 2 (HTML with emphasis); any other
// format is written as HTML.
const ListPieces& PiecesOf(int format);

// The profile whose nickname is `seller_id`, or nullptr.
const SellerProfile* SellerProfileOf(const UserSettings& settings, const std::string& seller_id);

// "<origin>より発送　" when the seller's profile asks for the prefecture; otherwise empty.
std::string OriginNote(const SellerProfile* profile, const std::string& origin);

// The "お支払総額" line of the region lists and of Yahoo!ゆうパック.
std::string RegionTotalLine(const ListPieces& pieces, std::int64_t total, int cost);
std::string YahooTotalLine(const ListPieces& pieces, std::int64_t total, int cost);

// `price` less 100 yen, never wrapping below the smallest int.
int LessHandIn(int price);

} // namespace hanamori
