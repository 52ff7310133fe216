#pragma once
// The modal dialogs the main window runs, behind one interface so that tests can
// answer them without a display.

#include "core/listing/bidders.h"
#include "core/shipping/shipping_tool.h"

#include <functional>
#include <optional>
#include <string>

namespace hanamori {

class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;
    // The product-name dialog on `current`; nullopt when cancelled.
    virtual std::optional<std::string> AskProductName(const std::string& current) = 0;
    // The file management dialog in open mode; the chosen management number.
    virtual std::optional<std::string> ChooseListingToOpen(const std::string& datas_dir) = 0;
    // The file management dialog in management mode; it refuses to delete
    // `open_manage_no`, the listing open in the window (empty when it has no file).
    virtual void ManageFiles(const std::string& datas_dir, const std::string& open_manage_no) = 0;
    // The auction page address; nullopt when cancelled.
    virtual std::optional<std::string> AskPageUrl(const std::string& current) = 0;
    virtual void ShowAbout() = 0;
    // 出品設定: the listing defaults of the settings in memory.
    virtual void EditListingSettings() = 0;
    // The setup wizard on the settings in memory.
    virtual void RunSetupWizard() = 0;
    // 発送オプション設定 on the program-wide settings.
    virtual void EditShippingOptions() = 0;
    // ユーザ設定, starting on the profile with `nickname` when one is given.
    virtual void EditUserSettings(const std::optional<std::string>& nickname) = 0;
    // ユーザ設定 in selection mode; the profile shown when "選択" was pressed, or nullopt.
    virtual std::optional<int> ChooseSellerProfile(const std::string& nickname) = 0;
    // 支払い設定; `stored` runs whenever the dialog has stored its values.
    virtual void EditPaymentSettings(const std::function<void()>& stored) = 0;
    // The guidance mail just built, for the bidder with these texts (CP932).
    virtual void ShowMail(const std::string& name, const std::string& nickname,
                          const std::string& mail) = 0;
    // 落札者の登録 beside the bidders already registered; nullopt when cancelled.
    virtual std::optional<NewBidder> AskNewBidder(const CustomerList& registered) = 0;
    // The shipping calculation tool; in bidder mode the charge and method accepted with OK.
    virtual std::optional<ShippingToolResult>
    RunShippingTool(const ShippingToolRequest& request) = 0;
};

} // namespace hanamori
