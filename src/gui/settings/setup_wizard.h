#pragma once
// The setup wizard: the introduction, the user, listing, payment and shipping
// settings dialogs in wizard mode, and the closing page, one after the other as the
// seller goes forward and back. It keeps no settings of its own: each step stores into
// the settings in memory as its "　次へ >>" is pressed.

class QWidget;

namespace hanamori {

class Host;
class WizardStepFactory;
struct UserSettings;
enum class StepExit;

class SetupWizard {
public:
    // Step windows are modal on `parent` (none at a first start).
    SetupWizard(Host& host, WizardStepFactory& factory, QWidget* parent = nullptr)
        : m_host(host), m_factory(factory), m_parent(parent) {}

    // Runs the wizard until it ends; true when it ended on the closing page, false when
    // the seller quit it early.
    bool Run();

private:
    StepExit ShowStep(int step);

    Host& m_host;
    WizardStepFactory& m_factory;
    QWidget* m_parent;
};

// The wizard with the program's own pages and settings dialogs on `settings`; true
// when it ended on the closing page.
bool RunSetupWizard(Host& host, UserSettings& settings, QWidget* parent = nullptr);

} // namespace hanamori
