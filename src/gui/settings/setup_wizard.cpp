#include "gui/settings/setup_wizard.h"

#include "core/app/host.h"
#include "core/settings/setup_wizard_flow.h"
#include "core/text/cp932.h"
#include "core/text/format.h"
#include "gui/settings/settings_dialog.h"
#include "gui/settings/wizard_step_factory.h"

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
        StepExit exit = ShowStep(flow.step());
        m_goingBack =
            exit == StepExit::Back || (flow.step() == kWizardClosingStep && exit == StepExit::Ok);
        flow.Leave(exit);
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
        // Said out loud rather than skipped: the seller knows a step is missing.
        m_host.ShowMessage(
            StrPrintf("Step %d/6 の設定画面はありません。\n%s"_sj.c_str(), step,
                      (m_goingBack ? "前のステップに戻ります。"_sj : "次のステップに進みます。"_sj)
                          .c_str()),
            MessageIcon::Information);
        return m_goingBack ? StepExit::Back : StepExit::Ok;
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
