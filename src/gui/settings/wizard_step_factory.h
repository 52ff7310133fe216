#pragma once
// Makes the windows of the setup wizard's steps, a fresh one each time a step shows,
// so that each starts from the settings as they are then. Tests make their own.

#include <QDialog>

#include <memory>

namespace hanamori {

class Host;
class SettingsDialog;
struct UserSettings;

class WizardStepFactory {
public:
    virtual ~WizardStepFactory() = default;
    // The introduction (step 1) or the closing page (step 6).
    virtual std::unique_ptr<QDialog> MakePage(int step, QWidget* parent) = 0;
    // The settings dialog of step 2 to 5, not yet in wizard mode; nullptr for any other
    // step.
    virtual std::unique_ptr<SettingsDialog> MakeSettingsStep(int step, QWidget* parent) = 0;
};

// The program's own pages and settings dialogs, editing `settings`.
class QtWizardStepFactory final : public WizardStepFactory {
public:
    QtWizardStepFactory(Host& host, UserSettings& settings) : m_host(host), m_settings(settings) {}

    std::unique_ptr<QDialog> MakePage(int step, QWidget* parent) override;
    std::unique_ptr<SettingsDialog> MakeSettingsStep(int step, QWidget* parent) override;

private:
    Host& m_host;
    UserSettings& m_settings;
};

} // namespace hanamori
