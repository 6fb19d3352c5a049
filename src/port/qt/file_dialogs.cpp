#include "port/qt/platform.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace port::qt {
namespace {

QString text(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

void run(QFileDialog::AcceptMode mode, const FilePanel& panel, std::function<void(const std::string&)> onEnd) {
    QWidget* parent = QtAlerts::sheetParent();
    auto* dialog = new QFileDialog(parent, text(panel.title), text(panel.directory));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!panel.extensions.empty()) {
        QStringList patterns;
        for (const std::string& e : panel.extensions) patterns << "*." + text(e);
        dialog->setNameFilter(patterns.join(' '));
        dialog->setDefaultSuffix(text(panel.extensions.front()));
    }
    if (!panel.fileName.empty()) dialog->selectFile(text(panel.fileName));
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    // Exactly one end, whichever way the panel goes.
    auto done = std::make_shared<bool>(false);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, onEnd, done](int result) {
        if (*done) return;
        *done = true;
        const QStringList files = dialog->selectedFiles();
        const std::string path = result == QDialog::Accepted && !files.isEmpty()
                                     ? files.front().toUtf8().toStdString()
                                     : std::string();
        if (onEnd) onEnd(path);
    });
    dialog->open();
}

} // namespace

void QtFileDialogs::beginOpenPanel(const FilePanel& panel, std::function<void(const std::string&)> onEnd) {
    run(QFileDialog::AcceptOpen, panel, std::move(onEnd));
}

void QtFileDialogs::beginSavePanel(const FilePanel& panel, std::function<void(const std::string&)> onEnd) {
    run(QFileDialog::AcceptSave, panel, std::move(onEnd));
}

} // namespace port::qt
