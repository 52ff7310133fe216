#include "gui/shell/about_dialog.h"

#include "core/app/version.h"
#include "gui/widgets/icons.h"
#include "ui_about_dialog.h"

namespace hanamori {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>()) {
    m_ui->setupUi(this);
    m_ui->versionLabel->setText(QStringLiteral("Hanamori Version %1").arg(QLatin1String(kVersion)));
    m_ui->iconLabel->setPixmap(ProgramIcon().pixmap(32, 32));
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

AboutDialog::~AboutDialog() = default;

} // namespace hanamori
