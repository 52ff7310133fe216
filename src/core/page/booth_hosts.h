#pragma once
// Where the auction site keeps sellers' booth pages and its booth banner images. The
// booth banner of a product page links to the one and shows an image from the other.

namespace hanamori {

// Booth page of a seller: kBoothPageBase followed by the seller's nickname.
inline constexpr const char* kBoothPageBase = "http://auctions.yahoo.co.jp/jp/booth/";
// The site's own banner images (a profile's banner type 0 and 1).
inline constexpr const char* kBoothBannerImage = "http://img.auctions.yahoo.co.jp/banner.gif";
inline constexpr const char* kBoothButtonImage = "http://img.auctions.yahoo.co.jp/button.gif";

} // namespace hanamori
