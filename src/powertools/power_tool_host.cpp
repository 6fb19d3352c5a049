#include "powertools/power_tool_host.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include "app/app_controller.h"
#include "app/window_controller.h"
#include "model/document_model.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/notification_channel.h"
#include "powertools/power_tool_launcher.h"

namespace {

bool StartDetached(const std::string& program, const std::vector<std::string>& environment) {
    const QFileInfo info(QString::fromStdString(program));
    if (!info.isFile() || !info.isExecutable()) return false;
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    process.setWorkingDirectory(info.absolutePath());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const std::string& variable : environment) {
        const QString text = QString::fromStdString(variable);
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals > 0) env.insert(text.left(equals), text.mid(equals + 1));
    }
    process.setProcessEnvironment(env);
    return process.startDetached();
}

bool EndSheetForDocument(const QMDDocumentModel* model) {
    if (!model || !AppController::exists()) return false;
    for (QMDDocument* d : AppController::shared()->documentController()->documents()) {
        if (!d || d->documentModel != model) continue;
        auto* window = qobject_cast<QMDWindowController*>(d->windowController);
        if (!window) return false;
        window->endPowerToolProgressSheet();
        return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<NotificationChannel> InstallPowerToolHost() {
    auto channel = std::make_unique<NotificationChannel>();
    // Without a channel tools still start; their answers cannot arrive.
    if (channel->listen(NotificationChannel::defaultName())) SetPowerToolNotificationChannel(channel.get());
    SetStartPowerToolProcessHandler(StartDetached);
    SetEndPowerToolProgressSheetForDocumentHandler(EndSheetForDocument);
    SetRunPowerToolLauncherHandler([] { PowerToolLauncherController::showModal(); });
    return channel;
}

void RemovePowerToolHost() {
    PowerToolLauncherController::destroyShared();
    SetStartPowerToolProcessHandler(nullptr);
    SetEndPowerToolProgressSheetForDocumentHandler(nullptr);
    SetRunPowerToolLauncherHandler(nullptr);
    SetPowerToolNotificationChannel(nullptr);
}
