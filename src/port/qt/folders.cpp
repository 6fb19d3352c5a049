#include "port/qt/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace port::qt {
namespace {

std::string inData(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("dovranix")).toStdString();
}

} // namespace

std::string QtFolders::applicationSupport(Domain domain) {
    const QString mine = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (domain == Domain::User) return inData(mine);
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        if (dir != mine) return inData(dir);
    return "/usr/local/share/dovranix";
}

std::string QtFolders::usersFolder() { return "/home"; }

std::string QtFolders::temporaryBase() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime.toStdString();
    return QDir::tempPath().toStdString();
}

} // namespace port::qt
