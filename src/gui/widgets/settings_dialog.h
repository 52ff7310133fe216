#pragma once
// The common side of the settings dialogs that the setup wizard strings together
// (user, listing, payment and shipping options): storing on OK, and the wizard mode
// with its mode/result value and its two buttons in place of OK, ｷｬﾝｾﾙ and 適用.

#include <QDialog>

#include <functional>

class QDialogButtonBox;
class QPushButton;

namespace hanamori {

// The mode/result value a settings dialog carries.
enum WizardModeValue : int {
    kWizardModeOff = 0,    // opened outside the wizard
    kWizardModeOpened = 1, // the wizard set it before opening (any value above 0)
    kWizardModeNext = 2,   // left with "　次へ >>"
    kWizardModeBack = 3,   // left with "<< 戻る　"
};

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Before the dialog runs: a value above 0 puts it in wizard mode, where the wizard
    // buttons replace the dialog's own.
    void SetWizardMode(int mode);
    // 0 outside the wizard; after a wizard run, 2 for "　次へ >>" and 3 for "<< 戻る　".
    int wizardMode() const { return m_wizardMode; }
    bool inWizard() const { return m_wizardMode > 0; }

    QPushButton* backButton() const { return m_backButton; }
    QPushButton* nextButton() const { return m_nextButton; }

    // What runs each time the values were stored outside the wizard (OK, 適用): the
    // program writes the settings there. The wizard writes them at its end instead.
    void SetWriteAfterStore(std::function<void()> write) { m_write = std::move(write); }

    // Stores the values (Store()) and closes as OK; stays open when Store() refuses.
    void accept() override;

protected:
    // The dialog's own buttons (OK, ｷｬﾝｾﾙ and, where the box has it, 適用): captioned and
    // wired here (適用 stores without closing). Hidden in wizard mode, where the two
    // wizard buttons take their place in the same box.
    void SetButtonBox(QDialogButtonBox* box);
    // Takes the controls' values into the settings; false keeps the dialog open (the
    // dialog has said why).
    virtual bool Store() = 0;
    // Called when the wizard buttons are shown (wizard titles are the dialog's own).
    virtual void OnWizardModeShown() {}

private:
    void GoBack();
    void GoNext();
    bool StoreAndWrite();

    QDialogButtonBox* m_buttonBox = nullptr;
    QPushButton* m_backButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    int m_wizardMode = kWizardModeOff;
    std::function<void()> m_write;
};

} // namespace hanamori
