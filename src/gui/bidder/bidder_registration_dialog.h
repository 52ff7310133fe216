#pragma once
// 落札者の登録: the nickname, mail address, amount and quantity of a new winning bidder.

#include "core/listing/bidders.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class BidderRegistrationDialog;
}

namespace hanamori {

class Host;

class BidderRegistrationDialog final : public QDialog {
    Q_OBJECT
public:
    // `registered`: the bidders already in the listing, whose nicknames are refused.
    BidderRegistrationDialog(Host& host, const CustomerList& registered, QWidget* parent = nullptr);
    ~BidderRegistrationDialog() override;

    // Runs the dialog; the bidder to register, or nullopt when cancelled.
    std::optional<NewBidder> Run();
    // The bidder taken by the last accept.
    const NewBidder& bidder() const { return m_bidder; }

    // "登録": refuses an empty or already registered nickname (the dialog stays open).
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StepCount(int delta);

    std::unique_ptr<Ui::BidderRegistrationDialog> m_ui;
    Host& m_host;
    const CustomerList& m_registered;
    NewBidder m_bidder;
};

} // namespace hanamori
