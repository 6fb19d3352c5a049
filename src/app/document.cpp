#include "app/document.h"

#include "app/app_controller.h"
#include "app/core/preference_keys.h"
#include "app/core/startup.h"
#include "files/design_file.h"
#include "files/symbol_lists.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "model/selection_ops.h"
#include "port/alerts.h"
#include "port/defaults.h"
#include "port/qt/platform.h"
#include "render/core/live_view_seams.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QThread>
#include <QUndoStack>

#include <algorithm>

namespace {

// One undo action name over one snapshot: undoing steps the ring back, redoing forward.
// The first redo() is Qt's push, when the snapshot is already the model: only the edit counts.
class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(QMDDocument* doc, const std::string& name)
        : QUndoCommand(QString::fromStdString(name)), doc_(doc) {}

    void undo() override {
        restore(&DoUndo);
        doc_->updateChangeCount(1);
    }
    void redo() override {
        if (pushed_) pushed_ = false;
        else restore(&DoRedo);
        doc_->updateChangeCount(0);
    }

private:
    void restore(void (*step)()) {
        QMDDocumentModel* model = doc_->model();
        CurrentDocumentScope scope(model);
        port::qt::QtDocumentUndo::setUndoing(model, true);
        step();
        port::qt::QtDocumentUndo::setUndoing(model, false);
    }

    QMDDocument* doc_;
    bool pushed_ = true;
};

void WarnIncompleteDesign() {
    port::Alert alert;
    alert.message = "The design file is incomplete.";
    alert.informative =
        "Only the part of the design that could be read was opened. Save it under a new name "
        "to keep the original file.";
    alert.buttons = {"OK"};
    port::alerts().beginSheet(alert, [](int) {});
}

} // namespace

QMDDocument::QMDDocument() : undoStack_(std::make_unique<QUndoStack>()) {}

QMDDocument* QMDDocument::create() {
    auto* doc = new QMDDocument();
    if (!doc->init()) {
        delete doc;
        return nullptr;
    }
    return doc;
}

bool QMDDocument::init() {
    AppController* app = AppController::shared();
    // Set before the model is built: its first snapshot is stored while it is built.
    gUndoActive = NewDocumentUndoEnabled() ? 1 : 0;
    // Only an empty stack takes a limit.
    undoStack_->setUndoLimit(int(std::max<int64_t>(0, port::defaults().getInt(QMDUndoLevelKey))));
    documentModel = QMDDocumentModel::alloc()->init();
    if (!documentModel) return false;
    connectUndo();
    const bool splash = app->shouldDisplaySplashScreen() && AppController::splashEnabled();
    if (splash) {
        app->beginSplashScreen();
        QThread::msleep(500);
        QThread::msleep(1000);
    }
    LoadSymbolListsIfEmpty();
    if (splash) app->endSplashScreen();
    if (app->documentController()->documents().empty()) app->restoreAllVisiblePanels();
    return true;
}

QMDDocument::~QMDDocument() {
    if (!documentModel) return;
    port::qt::QtDocumentUndo::disconnectStack(documentModel);
    undoStack_->clear();
    if (gCurDocument == documentModel) gCurDocument = nullptr;
    documentModel->dealloc();
}

void QMDDocument::connectUndo() {
    port::qt::QtDocumentUndo::connectStack(
        documentModel, undoStack_.get(),
        [this](const std::string& name) -> QUndoCommand* { return new SnapshotCommand(this, name); },
        [this] { updateChangeCount(0); });
}

bool QMDDocument::readFromFile(const std::string& path) {
    QMDDocumentModel* previous = gCurDocument;
    gCurDocument = documentModel;
    const int read = KeyFileRead(path.c_str());
    if (read == 0 || !documentModel->itsDocState) {
        // The model may be freed after a failed read: never leave it current unless it was.
        gCurDocument = previous;
        return false;
    }
    SelectAllLayers(documentModel->itsLayers, 2, 0);
    AppController::shared()->loadColorsForDocument(documentModel);
    InitializeUndo();
    undoStack_->clear();
    changeCount_ = 0;
    if (read == kKeyFileReadTruncated) {
        setFileName(std::string());
        WarnIncompleteDesign();
    } else {
        setFileName(path);
    }
    return true;
}

bool QMDDocument::writeToFile(const std::string& path) {
    bool written = false;
    {
        CurrentDocumentScope scope(documentModel);
        written = KeyFileWrite(path.c_str()) != 0;
    }
    if (!written) {
        port::Alert alert;
        alert.message = "The design could not be saved.";
        alert.informative = "The file \"" + QFileInfo(QString::fromStdString(path)).fileName().toStdString() +
                            "\" could not be written. Any earlier version of it is unchanged.";
        alert.buttons = {"OK"};
        alert.style = port::Alert::Style::Critical;
        port::alerts().runModal(alert);
    }
    return written;
}

bool QMDDocument::saveToFile(const std::string& path) {
    if (!writeToFile(path)) return false;
    setFileName(path);
    updateChangeCount(2);
    return true;
}

bool QMDDocument::canCloseDocument() {
    if (LiveViewIsVisible()) CloseLiveView();
    if (!isDocumentEdited()) return true;
    port::Alert alert;
    alert.message = "Do you want to save the changes you made in the document \"" + displayName() + "\"?";
    alert.informative = "Your changes will be lost if you don't save them.";
    alert.buttons = {"Save", "Cancel", "Don't Save"};
    switch (port::alerts().runModal(alert)) {
    case 0:
        return !fileName_.empty() && saveToFile(fileName_);
    case 2:
        return true;
    default:
        return false;
    }
}

void QMDDocument::updateChangeCount(int change) {
    if (change == 0) ++changeCount_;
    else if (change == 1) --changeCount_;
    else changeCount_ = 0;
    if (change == 2) undoStack_->setClean();
    refreshWindowTitle();
}

void QMDDocument::setFileName(const std::string& path) {
    fileName_ = path;
    refreshWindowTitle();
}

std::string QMDDocument::displayName() const {
    if (fileName_.empty()) return "Untitled";
    return QFileInfo(QString::fromStdString(fileName_)).fileName().toStdString();
}

void QMDDocument::refreshWindowTitle() {
    if (!windowController) return;
    windowController->setWindowTitle(QString::fromStdString(displayName()) + "[*]");
    windowController->setWindowModified(isDocumentEdited());
}

void QMDDocumentController::addDocument(QMDDocument* d) {
    if (d && std::find(documents_.begin(), documents_.end(), d) == documents_.end()) documents_.push_back(d);
}

void QMDDocumentController::removeDocument(QMDDocument* d) {
    documents_.erase(std::remove(documents_.begin(), documents_.end(), d), documents_.end());
}

QMDDocument* QMDDocumentController::currentDocument() const {
    if (!gCurDocument) return nullptr;
    for (QMDDocument* d : documents_)
        if (d && d->documentModel == gCurDocument) return d;
    return nullptr;
}
