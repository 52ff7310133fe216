#pragma once
// The setup wizard's course through its six steps: the introduction, the user,
// listing, payment and shipping settings, and the closing page. The windows report how
// each step was left; this decides what shows next, without any window.

namespace hanamori {

inline constexpr int kWizardIntroStep = 1;
inline constexpr int kWizardFirstSettingsStep = 2;
inline constexpr int kWizardLastSettingsStep = 5;
inline constexpr int kWizardClosingStep = 6;
inline constexpr int kWizardStepCount = 6;

// How a step's window was left.
enum class StepExit {
    Ok,     // the page's OK: "　次へ >>" on steps 1 to 5, "<< 戻る　" on the closing page
    Back,   // "<< 戻る　" of a settings step (its mode/result value 3)
    Cancel, // anything else: "後で設定する", "設定終了", the close box, the escape key
};

// How a settings step (2 to 5) was left, from its close result and mode/result value:
// a back value wins over the close result.
StepExit SettingsStepExit(bool accepted, int mode_value);

class SetupWizardFlow {
public:
    // The step on screen (1 to 6), or 0 once the wizard has ended.
    int step() const { return m_step; }
    bool ended() const { return m_step == 0; }
    // True while the quit question is waiting for its answer.
    bool asking() const { return m_asking; }
    // True when the wizard ended through the closing page, false when it was quit.
    bool completed() const { return m_completed; }

    // The step on screen was left with `exit`. Either the next step is on screen, the
    // wizard has ended, or the quit question is to be asked.
    void Leave(StepExit exit);
    // The quit question was answered: OK ends the wizard, Cancel shows the same step again.
    void AnswerQuit(bool ok);

private:
    int m_step = kWizardIntroStep;
    bool m_asking = false;
    bool m_completed = false;
};

} // namespace hanamori
