#include "core/settings/setup_wizard_flow.h"

namespace hanamori {

namespace {
constexpr int kModeBack = 3;
} // namespace

StepExit SettingsStepExit(bool accepted, int mode_value) {
    if (mode_value == kModeBack) {
        return StepExit::Back;
    }
    return accepted ? StepExit::Ok : StepExit::Cancel;
}

void SetupWizardFlow::Leave(StepExit exit) {
    if (ended() || m_asking) {
        return;
    }
    if (m_step == kWizardClosingStep) {
        // The closing page's OK is its back button; every other way out finishes.
        if (exit == StepExit::Ok || exit == StepExit::Back) {
            m_step = kWizardLastSettingsStep;
        } else {
            m_completed = true;
            m_step = 0;
        }
        return;
    }
    switch (exit) {
    case StepExit::Ok:
        ++m_step;
        break;
    case StepExit::Back:
        // The introduction has no back button; a back from it is just another close.
        if (m_step == kWizardIntroStep) {
            m_asking = true;
        } else {
            --m_step;
        }
        break;
    case StepExit::Cancel:
        m_asking = true;
        break;
    }
}

void SetupWizardFlow::AnswerQuit(bool ok) {
    if (!m_asking) {
        return;
    }
    m_asking = false;
    if (ok) {
        m_step = 0;
    }
}

} // namespace hanamori
