#pragma once
// 送料計算ツール: what a parcel costs by each of the eleven methods between two
// prefectures and by each of today's services (現在の発送方法), the cost lists of the
// parcel carriers, and in bidder mode the charge (and a service's name) handed back to
// the bidder tab. The tool reads its own rate tables and service files each time it
// opens.

#include "core/shipping/services/service_catalogue.h"
#include "core/shipping/shipping_tool.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class ShippingToolDialog;
}

namespace hanamori {

class Host;
struct UserSettings;

class ShippingToolDialog final : public QDialog {
    Q_OBJECT
public:
    // Prepares the tool for `request` (reading the rate tables, with their messages).
    // Shipping options are read from `settings` at each calculation.
    ShippingToolDialog(Host& host, const UserSettings& settings, const ShippingToolRequest& request,
                       QWidget* parent = nullptr);
    ~ShippingToolDialog() override;

    // Runs the tool; in bidder mode the accepted charge (0 or more) and method after OK,
    // otherwise nullopt.
    std::optional<ShippingToolResult> Run();
    int charge() const { return m_charge; }

    // "料金計算": the eleven costs and the current services' costs; nothing without
    // weight, origin and destination.
    void Calculate();
    // "送料一覧" of a parcel carrier.
    void ShowList(ShippingMethod method);
    // "送る": the method's calculated cost into "送料", when there is one to send.
    void Send(ShippingMethod method);

    // OK: in bidder mode only with a charge of 0 or more in "送料".
    void accept() override;

private:
    struct Row {
        QLineEdit* cost;
        QPushButton* send;
        QLabel* cheap;
    };

    void Prepare();
    void Fill();
    void FillServices(const std::vector<ServiceQuote>& quotes);
    void OnServiceChosen();
    void SendService();
    void OnSideEdited(QLineEdit* side);
    int SideValue(const QLineEdit* side) const;
    Row& RowOf(ShippingMethod method) { return m_rows[static_cast<std::size_t>(method)]; }

    std::unique_ptr<Ui::ShippingToolDialog> m_ui;
    Host& m_host;
    const UserSettings& m_settings;
    ShippingToolRequest m_request;
    ShippingEngine m_engine;
    std::array<Row, kShippingMethodCount> m_rows{};
    ServiceCatalogue m_services;
    ToolCosts m_costs = UncalculatedCosts();
    std::vector<ServiceQuote> m_quotes; // of the last calculation; empty before it
    int m_charge = -1;
    bool m_filling = false;
};

} // namespace hanamori
