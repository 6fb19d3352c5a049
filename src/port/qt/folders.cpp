#include "port/qt/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace port::qt {

std::string QtFolders::applicationSupport(Domain domain) {
    if (domain == Domain::Local) return port::StockContentFolder();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("dovranix")).toStdString();
}

std::string QtFolders::temporaryBase() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime.toStdString();
    return QDir::tempPath().toStdString();
}

} // namespace port::qt
