#pragma once
// The user settings dialog without its window: the dialog's own copies of the five
// seller profiles, which one is shown, and which one is the default. Nothing reaches
// the settings before Apply.

#include "core/settings/user_settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace hanamori {

// The profile a dialog opened with `nickname` starts on: the first whose nickname
// equals it ignoring ASCII letter case; without a nickname or a match, the default
// profile (profile 0 when the stored default is out of range).
int FirstProfileShown(const UserSettings& settings, const std::optional<std::string>& nickname);

class ProfileEditor {
public:
    ProfileEditor(const UserSettings& settings, const std::optional<std::string>& nickname);

    int shown() const { return m_shown; }
    int defaultProfile() const { return m_default; }
    bool ShownIsDefault() const { return m_shown == m_default; }
    const SellerProfile& profile(int index) const;
    const SellerProfile& shownProfile() const { return profile(m_shown); }

    // Takes the fields of the shown profile (cut to the dialog's read limits); a ticked
    // "この設定をデフォルトとする" makes it the default, an unticked one changes nothing.
    void StoreShown(const SellerProfile& fields, bool default_ticked);
    // Shows another profile (0 to 4); false for any other index.
    bool Show(int index);
    // The five copies and the default number into the settings.
    void ApplyTo(UserSettings& settings) const;

    // A profile button's caption: its nickname, or "未設定" (CP932).
    std::string Caption(int index) const;

private:
    std::array<SellerProfile, kProfileCount> m_profiles;
    int m_default = 0;
    int m_shown = 0;
};

} // namespace hanamori
