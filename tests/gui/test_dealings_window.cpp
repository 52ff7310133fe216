// The dealings window on a few listings: filters, the overdue count in the title, the
// unreadable count, the CSV button's file, and a double-click opening the right listing
// on the bidder tab with the right bidder.

#include "core/app/helpers.h"
#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "gui/document/dealings_model.h"
#include "gui/document/dealings_window.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include <ctime>
#include <memory>

using namespace hanamori;
using namespace hanamori::test;

namespace {

CustomerRecord Bidder(const char* nickname, std::int32_t CustomerRecord::*tick,
                      std::string CustomerRecord::*date, int days_ago) {
    CustomerRecord c;
    c.nickname = nickname;
    c.name = Sj("落札 太郎");
    c.price = 1000;
    c.*tick = 1;
    c.*date = DaysAgo(days_ago);
    return c;
}

} // namespace

class DealingsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempInstall> m_install;
    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<CMainFrame> m_frame;

    void Put(const char* number, const char* name, std::initializer_list<CustomerRecord> bidders) {
        SaleMaster m;
        m.Reset(Settings());
        m.manage_no = number;
        m.product_name = Sj(name);
        for (const CustomerRecord& c : bidders) {
            m.customers.Append(c);
        }
        QVERIFY(WriteListing(m, ListingPath(InstallDir(), number)));
    }
    DealingsWindow* Open() {
        m_frame->CommandAction(cmd::kDealings)->trigger();
        auto* w = m_frame->findChild<DealingsWindow*>();
        if (w && !QTest::qWaitFor([w] { return !w->IsLoading(); }, 10000)) {
            return nullptr;
        }
        return w;
    }
    template <typename T> static T* Child(DealingsWindow* w, const char* name) {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    static QStringList Nicknames(DealingsWindow* w) {
        QStringList out;
        auto* model = Child<QTableView>(w, "dealingsTable")->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            out << model->index(r, DealingsModel::kNickname).data().toString();
        }
        return out;
    }

private slots:
    void init() {
        m_install = std::make_unique<TempInstall>(true);
        Settings() = UserSettings();
        m_host = std::make_unique<ScriptedHost>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        using C = CustomerRecord;
        Put("261201000000", "腕時計",
            {Bidder("taro", &C::notice_sent, &C::notice_sent_date, 10),
             Bidder("hana", &C::paid, &C::paid_date, 2)});
        Put("261202000000", "カメラ",
            {Bidder("jiro", &C::method_told, &C::method_told_date, 3),
             Bidder("ken", &C::shipped, &C::shipped_date, 1)});
        WriteFile(ListingPath(InstallDir(), "261203000000"), "broken");
        m_frame = std::make_unique<CMainFrame>(*m_host, *m_dialogs, Settings());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void cleanup() {
        m_frame.reset();
        m_dialogs.reset();
        m_host.reset();
        m_install.reset();
    }

    void filtersOverdueCountAndUnreadable() {
        DealingsWindow* w = Open();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(Nicknames(w), QStringList({"taro", "hana", "jiro", "ken"}));
        QCOMPARE(w->windowTitle(), Q("Hanamori - 取引一覧 - 入金遅れ 1件"));
        QCOMPARE(Child<QLabel>(w, "unreadableLabel")->text(), Q("読み込めないファイル: 1件"));

        Child<QRadioButton>(w, "paymentRadio")->click();
        QCOMPARE(Nicknames(w), QStringList({"taro", "jiro"}));
        Child<QRadioButton>(w, "shippingRadio")->click();
        QCOMPARE(Nicknames(w), QStringList({"hana"}));
        Child<QRadioButton>(w, "closingRadio")->click();
        QCOMPARE(Nicknames(w), QStringList({"ken"}));
        Child<QRadioButton>(w, "allRadio")->click();
        Child<QLineEdit>(w, "filterEdit")->setText(QStringLiteral("カメ"));
        QCOMPARE(Nicknames(w), QStringList({"jiro", "ken"}));
        Child<QLineEdit>(w, "filterEdit")->clear();
        QTest::keyClicks(Child<QLineEdit>(w, "filterEdit"), QStringLiteral("TARO"));
        QCOMPARE(Nicknames(w), QStringList({"taro"}));
        // The count in the title is over every dealing, not only those shown.
        Child<QSpinBox>(w, "overdueSpin")->setValue(2);
        QCOMPARE(w->windowTitle(), Q("Hanamori - 取引一覧 - 入金遅れ 2件"));
        QCOMPARE(Settings().hanamo.overdue_days, 2);
        Child<QLineEdit>(w, "filterEdit")->clear();
        auto* model = Child<QTableView>(w, "dealingsTable")->model();
        QVERIFY(model->index(2, 0).data(Qt::BackgroundRole).isValid());  // jiro, 3 days
        QVERIFY(!model->index(1, 0).data(Qt::BackgroundRole).isValid()); // hana, paid

        // The CSV button's file holds the rows shown.
        Child<QRadioButton>(w, "closingRadio")->click();
        const QString csv = QString::fromStdString(*m_install / "work/books.csv");
        QVERIFY(w->ExportCsv(csv));
        const std::string bytes = ReadFile(csv.toStdString());
        QVERIFY(bytes.rfind("\xEF\xBB\xBF", 0) == 0);
        QCOMPARE(std::count(bytes.begin(), bytes.end(), '\n'), 2L);
        QVERIFY(bytes.find(",ken,") != std::string::npos);
        QVERIFY(!w->ExportCsv(QString::fromStdString(*m_install / "missing/books.csv")));
        QCOMPARE(QString::fromStdString(m_host->MessagesUtf8().back()),
                 Q("CSVファイルの書き出しに失敗しました。"));
    }

    void doubleClickOpensTheListingOnItsBidder() {
        DealingsWindow* w = Open();
        QVERIFY(w);
        m_frame->doc().SetModified(true);
        m_host->yes_no_cancel_answers.push_back(Answer::No);

        auto* table = Child<QTableView>(w, "dealingsTable");
        const QRect cell = table->visualRect(table->model()->index(3, DealingsModel::kNickname));
        // The view takes a double-click on the item its press went to.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());

        QVERIFY(!m_host->messages.empty());
        QCOMPARE(QString::fromStdString(m_host->MessagesUtf8().back()),
                 Q("内容が更新されています。\n保存しますか？"));
        QCOMPARE(m_frame->doc().listing().manage_no, std::string("261202000000"));
        QCOMPARE(m_frame->view().CurrentTab(), 1);
        QCOMPARE(m_frame->doc().listing().customers_edit.current, 1);
        QCOMPARE(m_frame->findChild<QComboBox*>("bidderCombo")->currentText(),
                 QStringLiteral("ken"));
        QVERIFY(!m_frame->doc().IsModified());

        // Cancel at the save question keeps the open listing.
        m_frame->doc().SetModified(true);
        m_host->yes_no_cancel_answers.push_back(Answer::Cancel);
        w->OpenRow(0);
        QCOMPARE(m_frame->doc().listing().manage_no, std::string("261202000000"));

        // The first bidder of the other listing, by keyboard.
        m_frame->doc().SetModified(false);
        table->setFocus();
        table->setCurrentIndex(table->model()->index(0, 0));
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(m_frame->doc().listing().manage_no, std::string("261201000000"));
        QCOMPARE(m_frame->doc().listing().customers_edit.current, 0);
        QCOMPARE(m_frame->view().CurrentTab(), 1);
    }

    void reopeningReloadsAndClosingStopsTheLoad() {
        DealingsWindow* w = Open();
        QVERIFY(w);
        QCOMPARE(Nicknames(w).size(), 4);
        Put("261204000000", "花瓶",
            {Bidder("new", &CustomerRecord::notice_sent, &CustomerRecord::notice_sent_date, 0)});
        QCOMPARE(Open(), w);
        QCOMPARE(Nicknames(w).size(), 5);
        w->Reload();
        w->close(); // stops a load that is running
        QVERIFY(!w->IsLoading());
    }
};

QTEST_MAIN(DealingsWindowTest)
#include "test_dealings_window.moc"
