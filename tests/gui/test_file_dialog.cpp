// The file management dialog on a Datas directory of a few listings.

#include "core/app/helpers.h"
#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "gui/document/file_manager_dialog.h"
#include "gui_test_support.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace hanamori;
using namespace hanamori::test;

class FileDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempInstall> m_install;
    ScriptedHost m_host;
    std::string m_datas;

    void Write(const char* manage_no, const char* name, int status) {
        SaleMaster l;
        l.Reset(Settings());
        l.manage_no = manage_no;
        l.product_name = Sj(name);
        l.auction.listed = status >= 1;
        l.auction.ended = status >= 2;
        l.auction.completed = status >= 3;
        QVERIFY(WriteListing(l, ListingPath(InstallDir(), manage_no)));
    }
    static QTableWidget* Table(FileManagerDialog& d) {
        return d.findChild<QTableWidget*>(QStringLiteral("fileTable"));
    }
    static QStringList Column(FileManagerDialog& d, int column) {
        QStringList out;
        QTableWidget* t = Table(d);
        for (int r = 0; r < t->rowCount(); ++r) {
            out << t->item(r, column)->text();
        }
        return out;
    }
    static int RowOf(FileManagerDialog& d, const char* manage_no) {
        return Column(d, 4).indexOf(QString::fromLatin1(manage_no));
    }
    static std::size_t FileCount(const std::string& dir) {
        std::size_t n = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir)) {
            ++n;
        }
        return n;
    }

private slots:
    void init() {
        m_install = std::make_unique<TempInstall>(true);
        Settings() = UserSettings();
        m_host = ScriptedHost();
        m_datas = InstallDir() + "Datas";
        Write("240101000001", "さくら", 1);
        Write("240101000002", "あやめ", 3);
        Write("240101000003", "つばき", 0);
        WriteFile(ListingPath(InstallDir(), "240101000004"), "broken");
    }
    void cleanup() { m_install.reset(); }

    void openModeChoosesARow() {
        FileManagerDialog d(FileManagerDialog::Mode::Open, m_datas, Settings(), m_host);
        QCOMPARE(d.windowTitle(), Q("Hanamori - ファイルを開く"));
        QVERIFY(!d.findChild<QPushButton*>("copyButton")->isVisibleTo(&d));
        QVERIFY(!d.findChild<QPushButton*>("deleteButton")->isVisibleTo(&d));
        QCOMPARE(d.findChild<QPushButton*>("cancelButton")->text(), Q("ｷｬﾝｾﾙ"));
        QCOMPARE(Table(d)->rowCount(), 4);
        QStringList headers;
        for (int c = 0; c < 5; ++c) {
            headers << Table(d)->horizontalHeaderItem(c)->text();
        }
        QCOMPARE(headers,
                 QStringList({"", Q("商品名"), Q("最終保存日時"), Q("作成日時"), Q("管理No")}));

        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(QString::fromStdString(m_host.MessagesUtf8().back()),
                 Q("商品を選択してください。"));

        d.SelectRow(RowOf(d, "240101000002"));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.chosen().value(), std::string("240101000002"));
    }

    void rowsComeInFileNameOrderAndTheKeyboardChoosesOne() {
        Write("250101000000", "もも", 0);
        Write("230101000009", "うめ", 0);
        FileManagerDialog d(FileManagerDialog::Mode::Open, m_datas, Settings(), m_host);
        QCOMPARE(Column(d, 4), QStringList({"230101000009", "240101000001", "240101000002",
                                            "240101000003", "240101000004", "250101000000"}));

        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        // Keys go where the dialog put the focus, as they do for a seller.
        auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        QCOMPARE(d.SelectedRow(), -1);
        // The first Down selects the first row, the next one moves on.
        press(Qt::Key_Down);
        QCOMPARE(d.SelectedRow(), 0);
        press(Qt::Key_Down);
        QCOMPARE(d.SelectedRow(), 1);
        press(Qt::Key_Up);
        QCOMPARE(d.SelectedRow(), 0);
        // Narrowed in the filter field, Down goes on in the list of what it found.
        press(Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("filterEdit"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2401"));
        QCOMPARE(d.SelectedRow(), 1);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("01000003"));
        QCOMPARE(d.SelectedRow(), -1);
        press(Qt::Key_Down);
        QCOMPARE(d.SelectedRow(), 3);
        // Enter opens the selected row.
        press(Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.chosen().value(), std::string("240101000003"));
    }

    void rowsShowStatusColoursAndUnreadableFiles() {
        FileManagerDialog d(FileManagerDialog::Mode::Open, m_datas, Settings(), m_host);
        QTableWidget* t = Table(d);
        int listed = RowOf(d, "240101000001");
        int completed = RowOf(d, "240101000002");
        int plain = RowOf(d, "240101000003");
        int broken = RowOf(d, "240101000004");
        QCOMPARE(t->item(listed, 1)->background().color(), QColor(0xFF, 0xFF, 0xE0));
        QCOMPARE(t->item(completed, 2)->background().color(), QColor(0xE0, 0xE0, 0xFF));
        QCOMPARE(t->item(plain, 4)->background().color(), QColor(0xFF, 0xFF, 0xFF));
        QCOMPARE(t->item(broken, 1)->background().style(), Qt::NoBrush);
        QCOMPARE(t->item(broken, 1)->text(), QString());
        QVERIFY(!t->item(listed, 0)->icon().isNull());
        QVERIFY(t->item(broken, 0)->icon().isNull());
        QCOMPARE(t->item(listed, 1)->text(), Q("さくら"));
    }

    void headerClicksSortAndAlternate() {
        FileManagerDialog d(FileManagerDialog::Mode::Open, m_datas, Settings(), m_host);
        QHeaderView* header = Table(d)->horizontalHeader();
        emit header->sectionClicked(4);
        QCOMPARE(Column(d, 4),
                 QStringList({"240101000001", "240101000002", "240101000003", "240101000004"}));
        emit header->sectionClicked(4);
        QCOMPARE(Column(d, 4),
                 QStringList({"240101000004", "240101000003", "240101000002", "240101000001"}));
        // The third click sorts ascending again; names sort by their CP932 bytes and the
        // unreadable file's empty name comes first.
        emit header->sectionClicked(1);
        QCOMPARE(Column(d, 1), QStringList({"", Q("あやめ"), Q("さくら"), Q("つばき")}));
        // Selection and OK act on the row as now shown.
        d.SelectRow(1);
        d.accept();
        QCOMPARE(d.chosen().value(), std::string("240101000002"));
    }

    void selectionStaysWithItsFile() {
        FileManagerDialog d(FileManagerDialog::Mode::Manage, m_datas, Settings(), m_host);
        QHeaderView* header = Table(d)->horizontalHeader();
        emit header->sectionClicked(4);
        d.SelectRow(RowOf(d, "240101000001"));
        QCOMPARE(d.SelectedRow(), 0);
        // Sorting moves the selected row with its file, so delete acts on that file.
        emit header->sectionClicked(4);
        QCOMPARE(d.SelectedRow(), RowOf(d, "240101000001"));
        QCOMPARE(d.SelectedRow(), 3);
        m_host.yes_no_answers.push_back(true);
        d.DeleteSelected();
        QVERIFY(!FileExists(ListingPath(InstallDir(), "240101000001")));
        QVERIFY(FileExists(ListingPath(InstallDir(), "240101000002")));
        // No other row takes over the selection of the deleted one.
        QCOMPARE(d.SelectedRow(), -1);
        d.SelectRow(RowOf(d, "240101000003"));
        m_host.yes_no_answers.push_back(true);
        d.DeleteSelected();
        QCOMPARE(d.SelectedRow(), -1);
        QCOMPARE(Table(d)->rowCount(), 2);
    }

    void managementModeCopiesAndDeletes() {
        FileManagerDialog d(FileManagerDialog::Mode::Manage, m_datas, Settings(), m_host);
        QCOMPARE(d.windowTitle(), Q("Hanamori - ファイル管理"));
        QVERIFY(!d.findChild<QPushButton*>("okButton")->isVisibleTo(&d));
        QCOMPARE(d.findChild<QPushButton*>("cancelButton")->text(), Q("終了"));
        d.accept(); // a double-click in this mode does nothing
        QCOMPARE(d.result(), int(QDialog::Rejected));

        d.CopySelected();
        QCOMPARE(QString::fromStdString(m_host.MessagesUtf8().back()),
                 Q("商品を選択してください。"));

        std::size_t files = FileCount(m_datas);
        d.SelectRow(RowOf(d, "240101000001"));
        m_host.yes_no_answers.push_back(false);
        d.CopySelected();
        QCOMPARE(FileCount(m_datas), files);
        QCOMPARE(Table(d)->rowCount(), 4);

        m_host.yes_no_answers.push_back(true);
        d.CopySelected();
        QCOMPARE(FileCount(m_datas), files + 1);
        QCOMPARE(Table(d)->rowCount(), 5);
        QCOMPARE(Table(d)->item(4, 1)->text(), Q("ｺﾋﾟｰ ～ さくら"));
        QCOMPARE(Table(d)->item(4, 2)->text(), Q("--------"));
        QCOMPARE(Table(d)->item(4, 1)->background().color(), QColor(0xFF, 0xFF, 0xFF));
        // Appending the copy leaves the selection where it was.
        QCOMPARE(d.SelectedRow(), RowOf(d, "240101000001"));

        d.SelectRow(RowOf(d, "240101000003"));
        m_host.yes_no_answers.push_back(false);
        d.DeleteSelected();
        QVERIFY(FileExists(ListingPath(InstallDir(), "240101000003")));
        m_host.yes_no_answers.push_back(true);
        d.DeleteSelected();
        QVERIFY(!FileExists(ListingPath(InstallDir(), "240101000003")));
        QCOMPARE(RowOf(d, "240101000003"), -1);
        QCOMPARE(Table(d)->rowCount(), 4);
    }

    void filterFieldNarrowsByNameOrNumber() {
        FileManagerDialog d(FileManagerDialog::Mode::Manage, m_datas, Settings(), m_host);
        auto* filter = d.findChild<QLineEdit*>(QStringLiteral("filterEdit"));
        QVERIFY(filter);
        auto visible = [&] {
            QStringList out;
            for (int r = 0; r < Table(d)->rowCount(); ++r) {
                if (!Table(d)->isRowHidden(r)) {
                    out << Table(d)->item(r, 4)->text();
                }
            }
            out.sort();
            return out;
        };
        filter->setText(QStringLiteral("さく"));
        QCOMPARE(visible(), QStringList({"240101000001"}));
        filter->setText(QStringLiteral("０００４")); // full-width digits find the number
        QCOMPARE(visible(), QStringList({"240101000004"}));
        filter->clear();
        QCOMPARE(visible().size(), 4);

        // A row the filter hides is no longer the selected one, so Delete cannot hit it.
        d.SelectRow(RowOf(d, "240101000002"));
        filter->setText(QStringLiteral("つばき"));
        QCOMPARE(d.SelectedRow(), -1);
        // Sorting keeps the filter.
        d.SortByColumn(1);
        QCOMPARE(visible(), QStringList({"240101000003"}));
    }
};

QTEST_MAIN(FileDialogTest)
#include "test_file_dialog.moc"
