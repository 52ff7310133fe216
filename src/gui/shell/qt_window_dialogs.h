#pragma once
// The real dialogs of the main window, modal on the window they are given.

#include "gui/widgets/window_dialogs.h"

class QWidget;

namespace hanamori {

class Host;
class SettingsDialog;

// The real dialogs, modal on `parent`.
class QtWindowDialogs final : public WindowDialogs {
public:
    explicit QtWindowDialogs(Host& host) : m_host(host) {}
    void SetParentWidget(QWidget* parent) { m_parent = parent; }

    std::optional<std::string> AskProductName(const std::string& current) override;
    std::optional<std::string> ChooseListingToOpen(const std::string& datas_dir) override;
    void ManageFiles(const std::string& datas_dir, const std::string& open_manage_no) override;
    std::optional<std::string> AskPageUrl(const std::string& current) override;
    void ShowAbout() override;
    void EditListingSettings() override;
    void RunSetupWizard() override;
    void EditShippingOptions() override;
    void EditUserSettings(const std::optional<std::string>& nickname) override;
    std::optional<int> ChooseSellerProfile(const std::string& nickname) override;
    void EditPaymentSettings(const std::function<void()>& stored) override;
    void ShowMail(const std::string& name, const std::string& nickname,
                  const std::string& mail) override;
    std::optional<NewBidder> AskNewBidder(const CustomerList& registered) override;
    std::optional<ShippingToolResult> RunShippingTool(const ShippingToolRequest& request) override;

private:
    // OK and 適用 write the settings (a failure is shown to the seller).
    void WriteWhenStored(SettingsDialog& dialog);

    Host& m_host;
    QWidget* m_parent = nullptr;
};

} // namespace hanamori
