#include "core/settings/profile_editor.h"

#include "core/settings/settings_input.h"
#include "core/text/cp932.h"

namespace hanamori {
namespace {
bool ValidProfile(int index) {
    return index >= 0 && index < kProfileCount;
}
} // namespace

int FirstProfileShown(const UserSettings& settings, const std::optional<std::string>& nickname) {
    if (nickname) {
        int found = settings.ProfileIndexOfNickname(*nickname);
        if (found >= 0) {
            return found;
        }
    }
    return ValidProfile(settings.def_pers) ? settings.def_pers : 0;
}

ProfileEditor::ProfileEditor(const UserSettings& settings,
                             const std::optional<std::string>& nickname)
    : m_profiles(settings.personal), m_default(settings.def_pers),
      m_shown(FirstProfileShown(settings, nickname)) {}

const SellerProfile& ProfileEditor::profile(int index) const {
    return m_profiles[static_cast<std::size_t>(ValidProfile(index) ? index : 0)];
}

void ProfileEditor::StoreShown(const SellerProfile& fields, bool default_ticked) {
    SellerProfile& p = m_profiles[static_cast<std::size_t>(m_shown)];
    p = fields;
    LimitProfileInput(p);
    if (default_ticked) {
        m_default = m_shown;
    }
}

bool ProfileEditor::Show(int index) {
    if (!ValidProfile(index)) {
        return false;
    }
    m_shown = index;
    return true;
}

void ProfileEditor::ApplyTo(UserSettings& settings) const {
    settings.personal = m_profiles;
    settings.def_pers = m_default;
}

std::string ProfileEditor::Caption(int index) const {
    const std::string& nickname = profile(index).nickname;
    return nickname.empty() ? "未設定"_sj : nickname;
}

} // namespace hanamori
