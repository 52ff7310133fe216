#pragma once
// The desktop's style, except that the bars' extension buttons (the » a tool bar or menu
// bar shows once it runs out of room) get icons that read their pictures only when first
// painted. Every bar makes its extension button as it is built, and the first picture Qt
// reads makes it look through all its image format plugins: a cost each start would pay
// for a button that rarely shows.

#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>

#include <functional>

namespace hanamori {

// An icon made by `make` when it is first painted or asked for its sizes.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    const QIcon& Icon();

    std::function<QIcon()> m_make;
    QIcon m_icon;
    bool m_made = false;
};

class DeferredIconStyle final : public QProxyStyle {
    Q_OBJECT
public:
    // Over the desktop's style (or the one named with -style or QT_STYLE_OVERRIDE).
    DeferredIconStyle() = default;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace hanamori
