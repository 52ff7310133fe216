#include "core/settings/setup_wizard_flow.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

// A flow walked forward with OK to `step`.
SetupWizardFlow At(int step) {
    SetupWizardFlow flow;
    while (flow.step() < step) {
        flow.Leave(StepExit::Ok);
    }
    return flow;
}

TEST(SetupWizardFlow, OkWalksForwardThroughAllSixStepsAndTheClosingPageGoesBack) {
    SetupWizardFlow flow;
    EXPECT_EQ(flow.step(), 1);
    for (int expected = 2; expected <= 6; ++expected) {
        flow.Leave(StepExit::Ok);
        EXPECT_EQ(flow.step(), expected);
        EXPECT_FALSE(flow.asking());
    }
    // On the closing page OK is "<< 戻る　": back to the shipping options.
    flow.Leave(StepExit::Ok);
    EXPECT_EQ(flow.step(), 5);
    EXPECT_FALSE(flow.ended());
}

TEST(SetupWizardFlow, BackFromEachSettingsStepShowsThePreviousOne) {
    for (int step = 2; step <= 5; ++step) {
        SetupWizardFlow flow = At(step);
        flow.Leave(StepExit::Back);
        EXPECT_EQ(flow.step(), step - 1) << "from step " << step;
        EXPECT_FALSE(flow.asking());
    }
    // From step 2 the introduction comes back; its OK shows step 2 again.
    SetupWizardFlow flow = At(2);
    flow.Leave(StepExit::Back);
    flow.Leave(StepExit::Ok);
    EXPECT_EQ(flow.step(), 2);
}

TEST(SetupWizardFlow, ClosingPageEndsCompletedOnEveryOtherExit) {
    // "設定終了", the close box and the escape key: no question, the wizard is done.
    SetupWizardFlow flow = At(6);
    flow.Leave(StepExit::Cancel);
    EXPECT_TRUE(flow.ended());
    EXPECT_TRUE(flow.completed());
    EXPECT_FALSE(flow.asking());
    SetupWizardFlow back = At(6);
    back.Leave(StepExit::Back);
    EXPECT_EQ(back.step(), 5);
}

TEST(SetupWizardFlow, CancelOnStepsOneToFiveAsksAndOkQuits) {
    for (int step = 1; step <= 5; ++step) {
        SetupWizardFlow flow = At(step);
        flow.Leave(StepExit::Cancel);
        EXPECT_TRUE(flow.asking()) << "step " << step;
        EXPECT_EQ(flow.step(), step);
        flow.AnswerQuit(true);
        EXPECT_TRUE(flow.ended());
        EXPECT_FALSE(flow.completed());
        EXPECT_FALSE(flow.asking());
    }
}

TEST(SetupWizardFlow, CancelAnsweredWithCancelShowsTheSameStepAgain) {
    for (int step = 1; step <= 5; ++step) {
        SetupWizardFlow flow = At(step);
        flow.Leave(StepExit::Cancel);
        flow.AnswerQuit(false);
        EXPECT_EQ(flow.step(), step);
        EXPECT_FALSE(flow.asking());
        // The step is live again and carries on as usual.
        flow.Leave(StepExit::Ok);
        EXPECT_EQ(flow.step(), step + 1);
    }
}

TEST(SetupWizardFlow, BackFromTheIntroductionIsAnotherClose) {
    SetupWizardFlow flow;
    flow.Leave(StepExit::Back);
    EXPECT_TRUE(flow.asking());
    EXPECT_EQ(flow.step(), 1);
}

TEST(SetupWizardFlow, NothingMovesWhileAskingOrAfterTheEnd) {
    SetupWizardFlow asking = At(3);
    asking.Leave(StepExit::Cancel);
    asking.Leave(StepExit::Ok);
    EXPECT_TRUE(asking.asking());
    EXPECT_EQ(asking.step(), 3);

    SetupWizardFlow ended = At(6);
    ended.Leave(StepExit::Cancel);
    ended.Leave(StepExit::Ok);
    ended.AnswerQuit(false);
    EXPECT_TRUE(ended.ended());

    // An answer with no question pending changes nothing.
    SetupWizardFlow idle = At(4);
    idle.AnswerQuit(true);
    EXPECT_EQ(idle.step(), 4);
}

TEST(SetupWizardFlow, SettingsStepExitReadsTheBackValueFirst) {
    EXPECT_EQ(SettingsStepExit(true, 2), StepExit::Ok);
    EXPECT_EQ(SettingsStepExit(false, 3), StepExit::Back);
    EXPECT_EQ(SettingsStepExit(true, 3), StepExit::Back);
    // Closed by the close box or escape: the value is still the 1 the wizard set.
    EXPECT_EQ(SettingsStepExit(false, 1), StepExit::Cancel);
    EXPECT_EQ(SettingsStepExit(false, 2), StepExit::Cancel);
}

} // namespace
} // namespace hanamori
