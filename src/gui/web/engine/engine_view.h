#pragma once
// The engine view behind every browser window of the program, with the rules of the
// pages it shows: the program's own pages run no scripts and read no local file outside
// their own folder, and fetch remote images as the auction site would show them.

#include "gui/web/web_engine.h"

#include <QWebEngineView>

namespace hanamori {

class FolderGuard;

class EngineViewImpl final : public QWebEngineView, public EngineView {
    Q_OBJECT
public:
    EngineViewImpl(PageTrust trust, QWidget* parent, std::function<void(bool)> loaded);
    ~EngineViewImpl() override;

    QWidget* Widget() override { return this; }
    void Load(const QUrl& url) override;
    void SetContent(const QByteArray& html, const QString& mime, const QUrl& base) override;
    QUrl Url() const override { return url(); }
    QString Title() const override { return title(); }

private:
    void AllowFolderOf(const QUrl& page);

    FolderGuard* m_guard = nullptr;
};

} // namespace hanamori
