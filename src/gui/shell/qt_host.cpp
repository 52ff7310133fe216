#include "gui/shell/qt_host.h"

#include "core/document/sale_master_doc.h"
#include "gui/widgets/qt_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <memory>

namespace hanamori {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

int RunBox(QWidget* parent, const std::string& text, MessageIcon icon,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape) {
    std::unique_ptr<QMessageBox> box(NewMessageBox(parent, text, icon, buttons));
    box->setEscapeButton(escape);
    return box->exec();
}

} // namespace

QMessageBox* NewMessageBox(QWidget* parent, const std::string& text, MessageIcon icon,
                           QMessageBox::StandardButtons buttons) {
    auto* box = new QMessageBox(ToQtIcon(icon), QString::fromLatin1(kAppTitle), ToQt(text), buttons,
                                parent);
    if (auto* b = box->button(QMessageBox::Yes)) {
        b->setText(QStringLiteral("はい(&Y)"));
    }
    if (auto* b = box->button(QMessageBox::No)) {
        b->setText(QStringLiteral("いいえ(&N)"));
    }
    if (auto* b = box->button(QMessageBox::Cancel)) {
        b->setText(QStringLiteral("キャンセル"));
    }
    return box;
}

void QtHost::ShowMessage(const std::string& text, MessageIcon icon) {
    RunBox(m_parent, text, icon, QMessageBox::Ok, QMessageBox::Ok);
}

void QtHost::ShowUtf8Message(const std::string& utf8, MessageIcon icon) {
    std::unique_ptr<QMessageBox> box(NewMessageBox(m_parent, {}, icon, QMessageBox::Ok));
    box->setText(QString::fromStdString(utf8));
    box->exec();
}

Answer QtHost::AskYesNoCancel(const std::string& text, MessageIcon icon) {
    switch (RunBox(m_parent, text, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                   QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtHost::AskYesNo(const std::string& text, MessageIcon icon) {
    return RunBox(m_parent, text, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtHost::AskOkCancel(const std::string& text, MessageIcon icon) {
    return RunBox(m_parent, text, icon, QMessageBox::Ok | QMessageBox::Cancel,
                  QMessageBox::Cancel) == QMessageBox::Ok;
}

QMessageBox* NewOverwriteBox(QWidget* parent, const std::string& text, MessageIcon icon) {
    QMessageBox* box = NewMessageBox(parent, text, icon, QMessageBox::Cancel);
    box->addButton(QStringLiteral("上書き(&O)"), QMessageBox::DestructiveRole)
        ->setObjectName(QStringLiteral("overwriteButton"));
    box->addButton(QStringLiteral("読み込み直す(&R)"), QMessageBox::ResetRole)
        ->setObjectName(QStringLiteral("reloadButton"));
    // Either of the others throws something away: Enter must not.
    box->setDefaultButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

OverwriteAnswer QtHost::AskOverwrite(const std::string& text, MessageIcon icon) {
    std::unique_ptr<QMessageBox> box(NewOverwriteBox(m_parent, text, icon));
    box->exec();
    const QString chosen = box->clickedButton() ? box->clickedButton()->objectName() : QString();
    if (chosen == QLatin1String("overwriteButton")) {
        return OverwriteAnswer::Overwrite;
    }
    if (chosen == QLatin1String("reloadButton")) {
        return OverwriteAnswer::Reload;
    }
    return OverwriteAnswer::Cancel;
}

bool QtHost::AskRetryOrQuitWithoutSaving(const std::string& text, MessageIcon icon) {
    std::unique_ptr<QMessageBox> box(NewMessageBox(m_parent, text, icon, QMessageBox::NoButton));
    QPushButton* retry = box->addButton(QStringLiteral("再試行(&R)"), QMessageBox::AcceptRole);
    QPushButton* quit =
        box->addButton(QStringLiteral("保存せずに終了(&Q)"), QMessageBox::DestructiveRole);
    retry->setObjectName(QStringLiteral("retryButton"));
    quit->setObjectName(QStringLiteral("quitWithoutSavingButton"));
    box->setDefaultButton(retry);
    box->setEscapeButton(quit);
    box->exec();
    return box->clickedButton() == retry;
}

bool QtHost::SetClipboardText(const std::string& text) {
    // The window system may refuse to hand the clipboard over; what it holds afterwards
    // tells whether the copy took.
    const QString qt_text = ToQt(text);
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(qt_text);
    return clipboard->text() == qt_text;
}

QString PageAddress(const std::string& path_or_url) {
    QString s = ToQt(path_or_url);
    QUrl url(s);
    if (!url.scheme().isEmpty() && url.scheme().size() > 1) {
        return s;
    }
    return QUrl::fromLocalFile(s).toString();
}

void QtHost::OpenPage(const std::string& path_or_url) {
    QDesktopServices::openUrl(QUrl(PageAddress(path_or_url)));
}

} // namespace hanamori
