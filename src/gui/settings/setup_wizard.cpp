#include "gui/settings/setup_wizard.h"

#include "core/app/host.h"
#include "core/settings/setup_wizard_flow.h"
#include "core/text/cp932.h"
#include "gui/settings/wizard_step_factory.h"
#include "gui/widgets/settings_dialog.h"

namespace hanamori {

bool SetupWizard::Run() {
    SetupWizardFlow flow;
    while (!flow.ended()) {
        if (flow.asking()) {
            flow.AnswerQuit(m_host.AskOkCancel(
                "まだ設定が完了していません。\n設定ウィザードを終了してよろしいですか？"_sj,
                MessageIcon::Exclamation));
            continue;
        }
        flow.Leave(ShowStep(flow.step()));
    }
    return flow.completed();
}

StepExit SetupWizard::ShowStep(int step) {
    if (step == kWizardIntroStep || step == kWizardClosingStep) {
        std::unique_ptr<QDialog> page = m_factory.MakePage(step, m_parent);
        return page->exec() == QDialog::Accepted ? StepExit::Ok : StepExit::Cancel;
    }
    std::unique_ptr<SettingsDialog> dialog = m_factory.MakeSettingsStep(step, m_parent);
    if (!dialog) {
        // No window for the step: treated like a window closed at once, so the seller
        // is asked rather than the step passed over.
        return StepExit::Cancel;
    }
    dialog->SetWizardMode(kWizardModeOpened);
    bool accepted = dialog->exec() == QDialog::Accepted;
    return SettingsStepExit(accepted, dialog->wizardMode());
}

bool RunSetupWizard(Host& host, UserSettings& settings, QWidget* parent) {
    QtWizardStepFactory factory(host, settings);
    return SetupWizard(host, factory, parent).Run();
}

} // namespace hanamori
