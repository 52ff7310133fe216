#pragma once
// Helpers for the desktop program's tests: dialogs answered from a script and small
// conversions.

#include "core/text/cp932.h"
#include "gui/app/window_dialogs.h"
#include "support/test_support.h"

#include <QString>

#include <deque>
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

    std::optional<std::string> AskProductName(const std::string& current) override {
        name_requests.push_back(current);
        return Next(names);
    }
    std::optional<std::string> ChooseListingToOpen(const std::string&) override {
        return Next(choices);
    }
    void ManageFiles(const std::string&) override { ++manage_calls; }
    std::optional<std::string> AskPageUrl(const std::string&) override { return Next(urls); }
    void ShowAbout() override { ++about_calls; }
    void EditListingSettings() override { ++listing_settings_calls; }
    void RunSetupWizard() override { ++wizard_calls; }
    void EditShippingOptions() override { ++shipping_options_calls; }

private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& q) {
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

} // namespace hanamori::test
