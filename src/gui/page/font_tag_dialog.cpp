#include "gui/page/font_tag_dialog.h"

#include "core/page/html_tags.h"
#include "core/text/cp932.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "ui_font_tag_dialog.h"

#include <QGridLayout>
#include <QPushButton>

namespace hanamori {
namespace {
constexpr std::size_t kColorCapacity = 128;
constexpr int kStandardSize = 1; // 標準
} // namespace

FontTagDialog::FontTagDialog(Host& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FontTagDialog>()) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    m_ui->colorEdit->setText(QStringLiteral("#000000"));
    GuardCp932Input(m_ui->colorEdit, host);
    m_ui->sizeCombo->setCurrentIndex(kStandardSize);

    auto* grid = new QGridLayout(m_ui->swatchArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    const auto& swatches = Swatches();
    QWidget* previous = m_ui->blueSpin;
    for (int i = 0; i < kSwatchCount; ++i) {
        const Swatch& s = swatches[static_cast<std::size_t>(i)];
        QString name = QString::fromStdString(ColorText(s.red, s.green, s.blue));
        auto* button = new QPushButton(m_ui->swatchArea);
        button->setObjectName(QStringLiteral("swatch%1").arg(i));
        button->setAccessibleName(name);
        button->setToolTip(name);
        button->setFixedSize(22, 22);
        button->setAutoDefault(false);
        button->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                           "#808080; } QPushButton:focus { border: 2px solid "
                           "palette(highlight); }")
                .arg(name));
        grid->addWidget(button, i / kSwatchesPerRow, i % kSwatchesPerRow);
        connect(button, &QPushButton::clicked, this, [this, i] { ClickSwatch(i); });
        setTabOrder(previous, button);
        previous = button;
        m_swatches[i] = button;
    }
    grid->setColumnStretch(kSwatchesPerRow, 1);

    for (QSpinBox* spin :
         {static_cast<QSpinBox*>(m_ui->redSpin), static_cast<QSpinBox*>(m_ui->greenSpin),
          static_cast<QSpinBox*>(m_ui->blueSpin)}) {
        connect(spin, &QSpinBox::textChanged, this, &FontTagDialog::UpdateColor);
    }
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    PaintSample(Qt::black);
    m_ready = true;
    setFixedSize(sizeHint());
}

FontTagDialog::~FontTagDialog() = default;

QPushButton* FontTagDialog::swatch(int index) const {
    return index >= 0 && index < kSwatchCount ? m_swatches[index] : nullptr;
}

void FontTagDialog::ClickSwatch(int index) {
    if (index < 0 || index >= kSwatchCount) {
        return;
    }
    const Swatch& s = Swatches()[static_cast<std::size_t>(index)];
    m_ui->redSpin->setValue(s.red);
    m_ui->greenSpin->setValue(s.green);
    m_ui->blueSpin->setValue(s.blue);
    // Setting a box to the value it already holds changes no text; the colour text
    // must follow the click all the same.
    UpdateColor();
}

void FontTagDialog::UpdateColor() {
    if (!m_ready) {
        return;
    }
    int r = ColorComponent(m_ui->redSpin->text().toStdString());
    int g = ColorComponent(m_ui->greenSpin->text().toStdString());
    int b = ColorComponent(m_ui->blueSpin->text().toStdString());
    m_ui->colorEdit->setText(QString::fromStdString(ColorText(r, g, b)));
    PaintSample(QColor(r, g, b));
}

void FontTagDialog::PaintSample(const QColor& color) {
    QPalette pal = m_ui->sampleLabel->palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::WindowText, color.lightness() < 128 ? Qt::white : Qt::black);
    m_ui->sampleLabel->setPalette(pal);
}

FontChoice FontTagDialog::choice() const {
    FontChoice c;
    int index = m_ui->sizeCombo->currentIndex();
    c.size = index < 0 ? 0 : index - 1;
    c.color = FitField(ToCp932Lossy(m_ui->colorEdit->text()), kColorCapacity);
    return c;
}

std::optional<FontChoice> FontTagDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return choice();
}

} // namespace hanamori
