#include "gui/web/web_engine_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace hanamori {
namespace {
const QString kPluginName = QStringLiteral("hanamori_web");

QString PluginFileName() {
    return QStringLiteral("lib%1.so").arg(kPluginName);
}
} // namespace

QStringList WebEnginePluginCandidates() {
    // Set by the tests and by developers running a program from outside its build tree.
    const QString chosen = qEnvironmentVariable("HANAMORI_WEB_PLUGIN");
    if (!chosen.isEmpty()) {
        return {chosen};
    }
    const QDir exe(QCoreApplication::applicationDirPath());
    return {exe.filePath(QStringLiteral("plugins/") + PluginFileName()),
            QDir::cleanPath(exe.filePath(QStringLiteral("../lib/hanamori/") + PluginFileName())),
            kPluginName};
}

WebEngineFactory* LoadWebEngine(QString* error) {
    static WebEngineFactory* loaded = nullptr;
    if (loaded) {
        return loaded;
    }
    QStringList reasons;
    for (const QString& candidate : WebEnginePluginCandidates()) {
        if (candidate.contains(QLatin1Char('/')) && !QFileInfo::exists(candidate)) {
            continue;
        }
        // The loader stays loaded for the rest of the run: views outlive any one window.
        auto* loader = new QPluginLoader(candidate, QCoreApplication::instance());
        loaded = qobject_cast<WebEngineFactory*>(loader->instance());
        if (loaded) {
            return loaded;
        }
        reasons << (loader->errorString().isEmpty() ? candidate : loader->errorString());
        loader->deleteLater();
    }
    if (error) {
        *error = reasons.isEmpty() ? QStringLiteral("%1 が見つかりません。").arg(PluginFileName())
                                   : reasons.join(QLatin1Char('\n'));
    }
    return nullptr;
}

QString WebEngineMissingMessage(const QString& reason) {
    return QStringLiteral("ブラウザの部品を読み込めないため、ページを表示できません。\n%1")
        .arg(reason);
}

} // namespace hanamori
