// receipt: a 領収書 for one sale as a one-page PDF.

#include "cli/command.h"
#include "cli/sale_refs.h"
#include "core/document/pdf_writer.h"
#include "core/document/receipt_layout.h"
#include "core/text/cp932.h"

namespace hanamori::cli {
namespace {

int RunReceipt(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    std::optional<std::string> out_arg = TakeOption(args, "-o", missing);
    if (missing) {
        return UsageError("receipt", "-o: missing value");
    }
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("receipt", problem);
    }
    std::vector<SaleRef> sales;
    if (!AddSales(ctx, args[0], sales)) {
        return kExitFailure;
    }
    const SaleRef& sale = sales.front(); // the first bidder when no nickname is given
    const SellerProfile& seller = ctx.settings.CurrentProfile();
    ReceiptContent receipt;
    receipt.buyer = sale.bidder.name.empty() ? sale.bidder.nickname : sale.bidder.name;
    receipt.amount = sale.bidder.Total();
    receipt.product_name = sale.product_name;
    receipt.date = ParseStageDate(sale.bidder.paid_date).value_or(LocalToday());
    receipt.number = sale.manage_no;
    receipt.seller_name = seller.name;
    receipt.seller_zip = seller.post;
    receipt.seller_address = seller.address1 + seller.address2 + seller.address;
    const std::string path = out_arg.value_or(ctx.dir + "work/receipt.pdf");
    if (!WriteOutput(path,
                     [&](std::ostream& out) { return WritePdf({LayOutReceipt(receipt)}, out); })) {
        return FailAbout("ファイルの保存に失敗しました。"_sj, path);
    }
    return kExitOk;
}

const CommandRegistration kReceipt("receipt", "receipt ID[:NICK] [-o FILE]", RunReceipt);

} // namespace
} // namespace hanamori::cli
