#include "port/qt/platform.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

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
    // The dialog gives a selected row of its list before the name in the field, and drops the
    // proposed file's row on an edit only while the field holds the keyboard focus: keys that
    // reach a panel its window manager left inactive would leave it, and the panel would answer
    // with that file. A row the field no longer names is dropped here.
    // The field holds what the user typed. While it lacks the focus, the dialog also selects the
    // row a typed name and the suffix make and writes that row's name back into the field
    // ("insub" becomes "insub.pro" and the next key lands after it); its completer would write
    // the name it offers. The completer goes, and a write made while a typed edit is handled is
    // taken back.
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (field && list) {
        field->setCompleter(nullptr);
        const auto dropUnnamedRows = [dialog, list, field] {
            QItemSelectionModel* rows = list->selectionModel();
            const QString named = QDir::cleanPath(dialog->directory().absoluteFilePath(field->text()));
            for (const QModelIndex& row : rows->selectedRows())
                if (QDir::cleanPath(row.data(QFileSystemModel::FilePathRole).toString()) != named)
                    rows->select(row, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        };
        // The text and cursor of the edit being handled; its own change comes after those the
        // dialog makes inside it.
        auto typed = std::make_shared<std::optional<std::pair<QString, int>>>();
        QObject::connect(field, &QLineEdit::textEdited, dialog,
                         [typed, field](const QString& name) { *typed = std::pair(name, field->cursorPosition()); });
        QObject::connect(field, &QLineEdit::textChanged, dialog, [typed, field, dropUnnamedRows](const QString& name) {
            if (*typed && name != (*typed)->first) return;
            if (*typed) {
                const auto [was, at] = **typed;
                typed->reset();
                if (field->text() != was) {
                    const QSignalBlocker quiet(field);
                    field->setText(was), field->setCursorPosition(at);
                }
            }
            dropUnnamedRows();
        });
    }
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
