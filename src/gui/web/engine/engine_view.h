#pragma once
// The engine view behind every browser window of the program, with the rules of the
// pages it shows: the program's own pages run no scripts, come from their own profile
// which reads no local file outside the page's folder, and fetch remote images as the
// auction site would show them.

#include "gui/web/web_engine.h"

#include <QWebEngineView>

namespace hanamori {

class EngineViewImpl final : public QWebEngineView, public EngineView {
    Q_OBJECT
public:
    EngineViewImpl(PageTrust trust, QWidget* parent, std::function<void(bool)> loaded);
    ~EngineViewImpl() override;

    QWidget* Widget() override { return this; }
    void Load(const QUrl& url) override;
    void ShowFile(const QString& path) override;
    QUrl Url() const override { return url(); }
    QString Title() const override { return title(); }

protected:
    void childEvent(QChildEvent* event) override;

private:
    // The host of this view's own pages; empty for a view of the auction site.
    QString m_ownPageHost;
};

} // namespace hanamori
