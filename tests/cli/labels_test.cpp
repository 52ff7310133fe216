// hanamori-cli labels, run as a process: the PDF it writes is read back by a PDF reader,
// which finds each bidder's name and postcode inside the label's cell.

#include "core/document/label_layout.h"
#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <regex>

namespace hanamori::test {
namespace {

std::string CommandOutput(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) {
            out.append(buf, n);
        }
        pclose(p);
    }
    return out;
}

TEST(CliLabels, NamesAndPostcodesReadBackInsideTheirCells) {
    TempInstall inst(true);
    const std::string number = "261207153000";
    SaleMaster m;
    m.manage_no = number;
    m.product_name = Sj("腕時計");
    const char* names[] = {"山田太郎", "佐藤花子", "鈴木一郎"};
    for (int i = 0; i < 3; ++i) {
        CustomerRecord c;
        c.nickname = "nick" + std::to_string(i);
        c.name = Sj(names[i]);
        c.zip = "100000" + std::to_string(i + 1);
        c.pref = Sj("東京都");
        c.address = Sj("千代田区千代田1-1");
        m.customers.Append(c);
    }
    ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), number)));
    const std::string pdf = inst.dir() + "labels.pdf";
    CliResult r = RunCli(inst.dir(), {"labels", number, "--start", "4", "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err;

    const std::string bbox = CommandOutput("pdftotext -bbox '" + pdf + "' -");
    const auto sheets = LoadLabelSheets(inst.dir() + kLabelSheetsFile);
    const LabelSheet* found_sheet = sheets.Find(Sj("A4 12面"));
    ASSERT_NE(found_sheet, nullptr);
    const LabelSheet& sheet = *found_sheet;
    const double mm = 25.4 / 72;
    for (int i = 0; i < 3; ++i) {
        const int cell = 3 + i;
        for (std::string word : {std::string(names[i]), "〒100-000" + std::to_string(i + 1)}) {
            std::smatch found;
            std::regex re(
                "xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" +
                word + "<");
            ASSERT_TRUE(std::regex_search(bbox, found, re)) << word << "\n" << bbox;
            EXPECT_GE(std::stod(found[1]) * mm, sheet.LabelX(cell) - 0.5) << word;
            EXPECT_GE(std::stod(found[2]) * mm, sheet.LabelY(cell) - 0.5) << word;
            EXPECT_LE(std::stod(found[3]) * mm, sheet.LabelX(cell) + sheet.width + 0.5) << word;
            EXPECT_LE(std::stod(found[4]) * mm, sheet.LabelY(cell) + sheet.height + 0.5) << word;
        }
    }
}

} // namespace
} // namespace hanamori::test
