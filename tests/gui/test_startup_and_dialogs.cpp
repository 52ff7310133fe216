// Start-up and shut-down around the main window, and the small dialogs on their own.

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"
#include "gui/document/product_name_dialog.h"
#include "gui/shell/app_fonts.h"
#include "gui/shell/app_lifecycle.h"
#include "gui/shell/qt_host.h"
#include "gui/shell/qt_translations.h"
#include "gui/widgets/deferred_icon_style.h"
#include "gui/widgets/icons.h"
#include "gui/widgets/picture_icon_engine.h"
#include "gui/widgets/qt_text.h"
#include "gui_test_support.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QTimer>
#include <QtTest>

using namespace hanamori;
using namespace hanamori::test;

class StartupAndDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartCreatesTheMainIni() {
        TempInstall inst(true);
        UserSettings& s = Settings() = UserSettings(); // the record the keeper holds on to
        ScriptedHost host;
        QVERIFY(!FileExists(inst / "hanamo.ini"));
        QVERIFY(StartUpSettings(host, s, inst.dir()));
        std::string ini = ReadFile(inst / "hanamo.ini");
        QVERIFY(ini.find("[HANAMO_SETTING]") != std::string::npos);
        QVERIFY(ini.find("page_type") != std::string::npos);
        QVERIFY(ini.find("page_color") != std::string::npos);
        // Present, even empty: no first start.
        WriteFile(inst / "hanamo.ini", "");
        QVERIFY(!StartUpSettings(host, s, inst.dir()));
        QVERIFY(host.messages.empty());
    }

    void shutDownSavesSettingsAndRemovesScratchFiles() {
        TempInstall inst(true);
        for (const char* name : kScratchFiles) {
            WriteFile(inst / (std::string("work/") + name), "x");
        }
        WriteFile(inst / "work/keep.txt", "keep");
        UserSettings& s = Settings() = UserSettings(); // the record the keeper holds on to
        ScriptedHost host;
        StartUpSettings(host, s, inst.dir());
        s.hanamo.page_type = "simple";
        QVERIFY(ShutDown(host, inst.dir()));
        for (const char* name : kScratchFiles) {
            QVERIFY(!FileExists(inst / (std::string("work/") + name)));
        }
        QVERIFY(FileExists(inst / "work/keep.txt"));
        QVERIFY(ReadFile(inst / "hanamo.ini").find("simple") != std::string::npos);
    }

    void productNameDialog() {
        ScriptedHost host;
        ProductNameDialog d(host, Sj("前の名前"), nullptr);
        QCOMPARE(d.windowTitle(), Q("Hanamori - 商品名の設定"));
        auto* edit = d.findChild<QLineEdit*>("nameEdit");
        QCOMPARE(edit->text(), Q("前の名前"));
        QCOMPARE(edit->property("controlId").toInt(), 5010);

        edit->clear();
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(host.messages.back().text, "商品管理名を入力してください。"_sj);
        QCOMPARE(host.messages.back().icon, MessageIcon::Exclamation);

        // At most 259 bytes are taken, never half a character.
        edit->setText(QString(200, QChar(0x3042)));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.name().size(), std::size_t(258));
        QCOMPARE(d.name().substr(0, 2), Sj("あ"));
    }

    void standardDialogsSpeakJapanese() {
        QVERIFY(LoadQtTranslations());
        QFileDialog save(nullptr, Q("CSVに書き出す"));
        save.setAcceptMode(QFileDialog::AcceptSave);
        save.setOption(QFileDialog::DontUseNativeDialog);
        save.show();
        auto* buttons = save.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QStringList captions;
        for (QAbstractButton* b : buttons->buttons()) {
            captions << b->text();
        }
        QVERIFY2(captions.contains(Q("保存(&S)")) && captions.contains(Q("キャンセル")),
                 qPrintable(captions.join(u'|')));
    }

    // 上書き and 読み込み直す both throw something away: Enter and Escape answer キャンセル.
    void overwriteQuestionDefaultsToCancel() {
        QtHost host;
        auto answerWith = [](int key, const char* button) {
            QTimer::singleShot(0, [key, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                QCOMPARE(box->findChild<QPushButton*>("overwriteButton")->text(), Q("上書き(&O)"));
                QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
                if (button) {
                    box->findChild<QPushButton*>(button)->click();
                } else {
                    QTest::keyClick(box, static_cast<Qt::Key>(key));
                }
            });
        };
        answerWith(Qt::Key_Return, nullptr);
        QCOMPARE(host.AskOverwrite("x", MessageIcon::Exclamation), OverwriteAnswer::Cancel);
        answerWith(Qt::Key_Escape, nullptr);
        QCOMPARE(host.AskOverwrite("x", MessageIcon::Exclamation), OverwriteAnswer::Cancel);
        answerWith(0, "reloadButton");
        QCOMPARE(host.AskOverwrite("x", MessageIcon::Exclamation), OverwriteAnswer::Reload);
        answerWith(0, "overwriteButton");
        QCOMPARE(host.AskOverwrite("x", MessageIcon::Exclamation), OverwriteAnswer::Overwrite);
    }

    void textConversion() {
        QCOMPARE(ToQt(Sj("ｺﾋﾟｰ ～ 品")), Q("ｺﾋﾟｰ ～ 品"));
        QCOMPARE(ToCp932(Q("商品")).value(), Sj("商品"));
        QVERIFY(!ToCp932(QString::fromUcs4(U"a\U0001F600")).has_value());
        QCOMPARE(ToCp932Lossy(QString::fromUcs4(U"a\U0001F600b")), std::string("ab"));
        QCOMPARE(PageAddress("https://x.example/a"), Q("https://x.example/a"));
        QCOMPARE(PageAddress("/opt/hanamori/help.html"), Q("file:///opt/hanamori/help.html"));
    }

    // The pictures the build stores are the drawings, pixel for pixel and channel for
    // channel.
    void storedIconPicturesAreTheirDrawings() {
        InitGuiResources();
        const struct {
            const char* picture;
            const char* drawing;
            int side;
        } icons[] = {{":/window_icon/hanamori-16.rgba", "hanamori", 16},
                     {":/window_icon/hanamori-64.rgba", "hanamori", 64},
                     {":/tool_icons/save-24.rgba", "save", 24},
                     {":/tool_icons/dealings-48.rgba", "dealings", 48}};
        for (const auto& icon : icons) {
            QImage drawn(icon.side, icon.side, QImage::Format_ARGB32_Premultiplied);
            drawn.fill(Qt::transparent);
            QPainter painter(&drawn);
            QSvgRenderer(QStringLiteral(HANAMORI_ICON_DIR "/%1.svg").arg(icon.drawing))
                .render(&painter);
            painter.end();
            const QImage stored = StoredPicture(QString::fromLatin1(icon.picture), icon.side);
            QCOMPARE(stored.convertToFormat(QImage::Format_ARGB32_Premultiplied), drawn);
        }
        QVERIFY(StoredPicture(QStringLiteral(":/tool_icons/save-24.rgba"), 20).isNull());
        QVERIFY(StoredPicture(QStringLiteral(":/tool_icons/none-24.rgba"), 24).isNull());
    }

    // The bars' extension icons come later, but they are the style's own.
    void deferredExtensionIconsAreTheStylesOwn() {
        DeferredIconStyle style;
        QStyle* base = style.baseStyle();
        for (const auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                QStyle::SP_ToolBarVerticalExtensionButton}) {
            for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
                QStyleOption option;
                option.direction = direction;
                const QIcon deferred = style.standardIcon(icon, &option);
                QVERIFY(!deferred.isNull());
                QCOMPARE(deferred.pixmap(16).toImage(),
                         base->standardIcon(icon, &option).pixmap(16).toImage());
            }
        }
        QCOMPARE(style.standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32).toImage(),
                 base->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32).toImage());
    }

    // Naming the font the alias stands for changes the name, not the font.
    void windowsFontIsNamedItselfWithoutChangingIt() {
        const QFont before = QApplication::font();
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
        const QString shown = QFontInfo(QApplication::font()).family();
        NameTheWindowsFontItself();
        QCOMPARE(QApplication::font().families(), QStringList{shown});
        QCOMPARE(QApplication::font().pointSize(), 9);
        QCOMPARE(QFontInfo(QApplication::font()).family(), shown);
        // A font named itself stays as it is.
        NameTheWindowsFontItself();
        QCOMPARE(QApplication::font().families(), QStringList{shown});
        QApplication::setFont(before);
    }
};

QTEST_MAIN(StartupAndDialogsTest)
#include "test_startup_and_dialogs.moc"
