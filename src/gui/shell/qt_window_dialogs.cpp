#include "gui/shell/qt_window_dialogs.h"

#include "core/settings/settings_keeper.h"
#include "gui/bidder/bidder_registration_dialog.h"
#include "gui/document/file_manager_dialog.h"
#include "gui/document/product_name_dialog.h"
#include "gui/mail/mail_dialog.h"
#include "gui/settings/listing_settings_dialog.h"
#include "gui/settings/payment_settings_dialog.h"
#include "gui/settings/setup_wizard.h"
#include "gui/settings/user_settings_dialog.h"
#include "gui/shell/about_dialog.h"
#include "gui/shipping/shipping_options_dialog.h"
#include "gui/shipping/shipping_tool_dialog.h"
#include "gui/web/auction_page_dialog.h"
#include "gui/web/web_engine_loader.h"

namespace hanamori {

void QtWindowDialogs::WriteWhenStored(SettingsDialog& dialog) {
    dialog.SetWriteAfterStore([this] { WriteSettingsChanges(m_host); });
}

std::optional<std::string> QtWindowDialogs::AskProductName(const std::string& current) {
    ProductNameDialog dialog(m_host, current, m_parent);
    return dialog.Run();
}

std::optional<std::string> QtWindowDialogs::ChooseListingToOpen(const std::string& datas_dir) {
    FileManagerDialog dialog(FileManagerDialog::Mode::Open, datas_dir, Settings(), m_host,
                             m_parent);
    return dialog.Run();
}

void QtWindowDialogs::ManageFiles(const std::string& datas_dir, const std::string& open_manage_no) {
    FileManagerDialog dialog(FileManagerDialog::Mode::Manage, datas_dir, Settings(), m_host,
                             m_parent);
    dialog.SetOpenListing(open_manage_no);
    dialog.Run();
}

std::optional<std::string> QtWindowDialogs::AskPageUrl(const std::string& current) {
    QString engineError;
    WebEngineFactory* engine = LoadWebEngine(&engineError);
    AuctionPageDialog dialog(m_host, engine, current, m_parent, engineError);
    return dialog.Run();
}

void QtWindowDialogs::ShowAbout() {
    AboutDialog dialog(m_parent);
    dialog.exec();
}

void QtWindowDialogs::EditListingSettings() {
    ListingSettingsDialog dialog(m_host, Settings(), m_parent);
    WriteWhenStored(dialog);
    dialog.exec();
}

void QtWindowDialogs::RunSetupWizard() {
    hanamori::RunSetupWizard(m_host, Settings(), m_parent);
    WriteSettingsChanges(m_host);
}

void QtWindowDialogs::EditShippingOptions() {
    ShippingOptionsDialog dialog(m_host, Settings(), m_parent);
    WriteWhenStored(dialog);
    dialog.exec();
}

void QtWindowDialogs::EditUserSettings(const std::optional<std::string>& nickname) {
    UserSettingsDialog dialog(m_host, Settings(), m_parent);
    WriteWhenStored(dialog);
    if (nickname) {
        dialog.SetNickname(*nickname);
    }
    dialog.exec();
}

std::optional<int> QtWindowDialogs::ChooseSellerProfile(const std::string& nickname) {
    UserSettingsDialog dialog(m_host, Settings(), m_parent);
    dialog.SetNickname(nickname);
    dialog.SetSelectionMode(true);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedProfile();
}

void QtWindowDialogs::EditPaymentSettings(const std::function<void()>& stored) {
    PaymentSettingsDialog dialog(m_host, Settings(), m_parent);
    WriteWhenStored(dialog);
    if (stored) {
        QObject::connect(&dialog, &PaymentSettingsDialog::settingsStored, stored);
    }
    dialog.exec();
}

void QtWindowDialogs::ShowMail(const std::string& name, const std::string& nickname,
                               const std::string& mail) {
    MailDialog dialog(m_host, name, nickname, mail, m_parent);
    dialog.exec();
}

std::optional<NewBidder> QtWindowDialogs::AskNewBidder(const CustomerList& registered) {
    BidderRegistrationDialog dialog(m_host, registered, m_parent);
    return dialog.Run();
}

std::optional<ShippingToolResult>
QtWindowDialogs::RunShippingTool(const ShippingToolRequest& request) {
    ShippingToolDialog dialog(m_host, Settings(), request, m_parent);
    return dialog.Run();
}

} // namespace hanamori
