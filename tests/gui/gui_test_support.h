#pragma once
// Helpers for the desktop program's tests: dialogs answered from a script and small
// conversions.

#include "core/text/cp932.h"
#include "gui/widgets/window_dialogs.h"
#include "support/test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QString>
#include <QTest>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hanamori::test {

class ScriptedDialogs final : public WindowDialogs {
public:
    std::deque<std::optional<std::string>> names; // CP932 answers of the name dialog
    std::deque<std::optional<std::string>> choices;
    std::deque<std::optional<std::string>> urls;
    std::vector<std::string> name_requests; // the name each dialog opened with
    int manage_calls = 0;
    int about_calls = 0;
    int listing_settings_calls = 0;
    int wizard_calls = 0;
    int shipping_options_calls = 0;
    std::deque<std::optional<NewBidder>> new_bidders;
    std::deque<std::optional<ShippingToolResult>> tool_results;
    std::vector<ShippingToolRequest> tool_requests; // what each tool opened with

    std::optional<std::string> AskProductName(const std::string& current) override {
        name_requests.push_back(current);
        return Next(names);
    }
    std::optional<std::string> ChooseListingToOpen(const std::string&) override {
        return Next(choices);
    }
    std::vector<std::string> managed_open; // the open listing each management dialog got
    void ManageFiles(const std::string&, const std::string& open_manage_no) override {
        ++manage_calls;
        managed_open.push_back(open_manage_no);
    }
    std::optional<std::string> AskPageUrl(const std::string&) override { return Next(urls); }
    void ShowAbout() override { ++about_calls; }
    void EditListingSettings() override { ++listing_settings_calls; }
    std::function<void()> on_wizard; // runs in place of the wizard when set
    void RunSetupWizard() override {
        ++wizard_calls;
        if (on_wizard) {
            on_wizard();
        }
    }
    void EditShippingOptions() override { ++shipping_options_calls; }
    std::optional<NewBidder> AskNewBidder(const CustomerList&) override {
        return Next(new_bidders);
    }
    std::optional<ShippingToolResult> RunShippingTool(const ShippingToolRequest& request) override {
        tool_requests.push_back(request);
        return Next(tool_results);
    }

    // Settings dialogs and the mail dialog: what they were opened with, and scripted
    // answers. `on_*` run in place of the dialog when set (a test may open the real one).
    std::vector<std::optional<std::string>> user_settings_requests;
    std::vector<std::string> profile_choice_requests;
    std::deque<std::optional<int>> profile_choices;
    int payment_calls = 0;
    std::function<void(const std::function<void()>&)> on_payment;
    struct MailRequest {
        std::string name, nickname, mail;
    };
    std::vector<MailRequest> mail_requests;
    std::function<void(const MailRequest&)> on_mail;

    void EditUserSettings(const std::optional<std::string>& nickname) override {
        user_settings_requests.push_back(nickname);
    }
    std::optional<int> ChooseSellerProfile(const std::string& nickname) override {
        profile_choice_requests.push_back(nickname);
        if (profile_choices.empty()) {
            return std::nullopt;
        }
        auto v = profile_choices.front();
        profile_choices.pop_front();
        return v;
    }
    void EditPaymentSettings(const std::function<void()>& stored) override {
        ++payment_calls;
        if (on_payment) {
            on_payment(stored);
        }
    }
    void ShowMail(const std::string& name, const std::string& nickname,
                  const std::string& mail) override {
        mail_requests.push_back({name, nickname, mail});
        if (on_mail) {
            on_mail(mail_requests.back());
        }
    }

private:
    template <typename T> static std::optional<T> Next(std::deque<std::optional<T>>& q) {
        if (q.empty()) {
            return std::nullopt;
        }
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

inline QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Text as a Japanese input method hands it to the field with the focus: committed whole.
inline void CommitInput(QWidget* field, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(field, &event);
}

// Puts `text` on the clipboard and pastes it into `field` with Ctrl+V.
inline void PasteInto(QWidget* field, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

} // namespace hanamori::test
