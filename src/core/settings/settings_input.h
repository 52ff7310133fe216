#pragma once
// What the settings dialogs take from their fields: each text cut to the number of
// bytes the dialog reads from that field, never inside a double-byte character.

#include "core/settings/user_settings.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace hanamori {

// Bytes the user settings dialog reads from each field of a seller profile.
inline constexpr std::size_t kProfileNameRead = 127;
inline constexpr std::size_t kProfileNicknameRead = 127;
inline constexpr std::size_t kProfileMailRead = 255;
inline constexpr std::size_t kProfilePostRead = 30;
inline constexpr std::size_t kProfileAddressRead = 1022;
inline constexpr std::size_t kProfilePhoneRead = 30;
inline constexpr std::size_t kProfileCityRead = 31;
inline constexpr std::size_t kProfileBannerRead = 1023;

// Bytes the payment settings dialog reads from a single-line field and from the
// other-payment text.
inline constexpr std::size_t kPaymentFieldRead = 127;
inline constexpr std::size_t kOtherPaymentRead = 2047;

// The type lists of the payment settings dialog, in list order (CP932).
const std::string& BankTypeName(int index); // 普通, 当座, 貯蓄
inline constexpr int kBankTypeCount = 3;
const std::string& PostalTypeName(int index); // ぱるる, 一般振替口座
inline constexpr int kPostalTypeCount = 2;
// The booth styles of a seller profile (`mybooth_type` 0 to 2), in list order.
const std::string& BoothTypeName(int index); // バナー, ボックス, オリジナルバナー
inline constexpr int kBoothTypeCount = 3;
inline constexpr int kBoothTypeOwnBanner = 2;

// The first `max_bytes` bytes of `text`, shortened so no double-byte character is cut.
std::string ReadLimited(std::string_view text, std::size_t max_bytes);

// Cuts every text of a profile to what the user settings dialog reads.
void LimitProfileInput(SellerProfile& profile);
// Cuts every text of the accounts and the other payment to what the payment settings
// dialog reads.
void LimitPaymentInput(BankAccount& bank);
void LimitPaymentInput(PostalAccount& postal);
void LimitPaymentInput(OtherPayment& other);

} // namespace hanamori
