#pragma once
// ユーザ設定: the five seller profiles and which one is the default. The dialog edits
// its own copies; the settings held in memory change only when it applies.

#include "core/settings/profile_editor.h"
#include "gui/widgets/settings_dialog.h"

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class UserSettingsDialog;
}

class QAbstractButton;

namespace hanamori {

class Host;
struct UserSettings;

class UserSettingsDialog final : public SettingsDialog {
    Q_OBJECT
public:
    UserSettingsDialog(Host& host, UserSettings& settings, QWidget* parent = nullptr);
    ~UserSettingsDialog() override;

    // Before the dialog runs: start on the profile with this nickname (ASCII letter
    // case ignored) instead of the default profile.
    void SetNickname(const std::string& nickname);
    // Selection mode: every field read-only, OK captioned "選択", 適用 disabled; OK then
    // closes without applying and selectedProfile() tells which profile was shown.
    void SetSelectionMode(bool on);
    int selectedProfile() const { return m_editor.shown(); }
    const ProfileEditor& editor() const { return m_editor; }

signals:
    // The profiles were copied into the settings (OK, 適用 or 次へ).
    void sellerSettingsChanged();

protected:
    bool Store() override;
    void OnWizardModeShown() override;

private:
    QAbstractButton* ProfileButton(int index) const;
    void ShowProfile();
    void StoreShownProfile();
    void SwitchTo(int index);
    void UpdateBannerUrl();

    std::unique_ptr<Ui::UserSettingsDialog> m_ui;
    UserSettings& m_settings;
    ProfileEditor m_editor;
    bool m_selecting = false;
};

} // namespace hanamori
