#include "app/document.h"

#include "app/app_controller.h"
#include "app/core/preference_keys.h"
#include "app/core/startup.h"
#include "app/window_controller.h"
#include "files/design_file.h"
#include "files/symbol_lists.h"
#include "files/trace_image.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_ops.h"
#include "port/alerts.h"
#include "port/defaults.h"
#include "port/file_dialogs.h"
#include "port/macroman.h"
#include "port/qt/platform.h"
#include "render/core/live_view_seams.h"
#include "render/core/texture_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QThread>
#include <QUndoStack>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// One undo action name over one snapshot: undoing steps the ring back, redoing forward.
// The first redo() is Qt's push, when the snapshot is already the model: only the edit counts.
class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(QMDDocument* doc, const std::string& name)
        : QUndoCommand(QString::fromStdString(port::MacRomanToUtf8(name))), doc_(doc) {}

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
        QCoreApplication::processEvents();
        QThread::msleep(500);
        QThread::msleep(1000);
    }
    LoadSymbolListsIfEmpty();
    if (splash) app->endSplashScreen();
    if (app->documentController()->documents().empty()) app->restoreAllVisiblePanels();
    return true;
}

QMDDocument::~QMDDocument() {
    // The window goes before the model it shows.
    delete windowController;
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
    loadTraceImage();
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
        AppController::shared()->documentController()->noteNewRecentDocument(path);
    }
    return true;
}

void QMDDocument::loadTraceImage() {
    DocState* ds = documentModel->itsDocState;
    delete documentModel->itsTraceImage;
    documentModel->itsTraceImage = nullptr;
    if (!ds->traceImagePath[0]) return;
    // A design moved with its image into the content folder finds it there.
    char path[512];
    std::memcpy(path, ds->traceImagePath, sizeof path);
    path[sizeof path - 1] = 0;
    Validate512Pathname(path);
    documentModel->itsTraceImage = LoadTraceImage(path);
    if (documentModel->itsTraceImage) {
        std::memcpy(ds->traceImagePath, path, sizeof path);
        return;
    }
    port::Alert alert;
    alert.message = "FloorPlan trace image could not be found.";
    alert.informative = "Please make sure the file exists and you have adequate permissions to access it.";
    alert.buttons = {"OK"};
    port::alerts().runModal(alert);
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
    AppController::shared()->documentController()->noteNewRecentDocument(path);
    return true;
}

bool QMDDocument::canCloseDocument() {
    if (LiveViewIsVisible()) CloseLiveView();
    if (!isDocumentEdited()) return true;
    const bool untitled = fileName_.empty();
    port::Alert alert;
    alert.message = untitled ? std::string("Do you want to save the changes you made in the document Untitled?")
                             : "Do you want to save the changes you made in the document \"" +
                                   DocumentBaseName(fileName_) + "\"?";
    alert.informative = "Your changes will be lost if you don't save them.";
    alert.buttons = {untitled ? "Save..." : "Save", "Don't Save", "Cancel"};
    switch (port::alerts().runModal(alert)) {
    case 0:
        if (!untitled) return saveToFile(fileName_);
        {
            // A panel that answers later closes the window itself once the design is saved.
            enum { Pending, Saved, NotSaved, Later };
            auto state = std::make_shared<int>(Pending);
            AppController::shared()->documentController()->saveDocumentAs(this, [state, this](bool ok) {
                if (*state == Pending) *state = ok ? Saved : NotSaved;
                else if (ok && windowController) windowController->close();
            });
            if (*state == Pending) *state = Later;
            return *state == Saved;
        }
    case 1:
        return true;
    default:
        return false;
    }
}

void QMDDocument::makeWindowControllers() {
    if (!windowController) new QMDWindowController(this);
}

void QMDDocument::showWindows() {
    if (windowController) windowController->show();
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

std::string DocumentBaseName(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
}

QMDDocumentController::~QMDDocumentController() {
    for (QMDDocument* d : documents_) delete d;
}

QMDDocument* QMDDocumentController::openUntitledDocument() {
    QMDDocument* d = QMDDocument::create();
    addDocument(d);
    return d;
}

QMDDocument* QMDDocumentController::openDocumentWithContentsOfFile(const std::string& path) {
    QMDDocument* d = QMDDocument::create();
    if (!d) return nullptr;
    if (d->readFromFile(path)) {
        addDocument(d);
        return d;
    }
    delete d;
    port::Alert alert;
    alert.message = "The document \"" + DocumentBaseName(path) + "\" could not be loaded.";
    alert.buttons = {"OK"};
    alert.style = port::Alert::Style::Critical;
    port::alerts().runModal(alert);
    return nullptr;
}

QMDDocument* QMDDocumentController::openAtLaunch(const std::vector<std::string>& arguments) {
    for (const std::string& a : arguments) {
        if (a.empty() || a[0] == '-') continue;
        if (QMDDocument* d = openDocumentWithContentsOfFile(a)) return d;
        break;
    }
    return openUntitledDocument();
}

void QMDDocumentController::saveDocument(QMDDocument* d) {
    if (!d) return;
    if (d->fileName().empty()) saveDocumentAs(d);
    else d->saveToFile(d->fileName());
}

void QMDDocumentController::saveDocumentAs(QMDDocument* d, std::function<void(bool)> done) {
    if (!d) return;
    port::FilePanel panel;
    panel.title = "Save As";
    panel.extensions = {"pro"};
    if (d->fileName().empty()) {
        panel.fileName = "Untitled.pro";
    } else {
        const QFileInfo info(QString::fromStdString(d->fileName()));
        panel.directory = info.absolutePath().toStdString();
        panel.fileName = info.fileName().toStdString();
    }
    port::fileDialogs().beginSavePanel(panel, [this, d, done](const std::string& path) {
        // The document may have closed while the panel was up.
        const bool open = std::find(documents_.begin(), documents_.end(), d) != documents_.end();
        const bool saved = open && !path.empty() && d->saveToFile(path);
        if (done) done(saved);
    });
}

namespace {
constexpr const char* kRecentDocumentsKey = "RecentDocuments";
constexpr size_t kRecentDocumentsKept = 10;
} // namespace

void QMDDocumentController::noteNewRecentDocument(const std::string& path) {
    const std::string absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    std::vector<std::string> recent = recentDocuments();
    recent.erase(std::remove(recent.begin(), recent.end(), absolute), recent.end());
    recent.insert(recent.begin(), absolute);
    if (recent.size() > kRecentDocumentsKept) recent.resize(kRecentDocumentsKept);
    std::string joined;
    for (const std::string& r : recent) joined += r + '\n';
    port::defaults().setString(kRecentDocumentsKey, joined);
}

std::vector<std::string> QMDDocumentController::recentDocuments() const {
    std::vector<std::string> out;
    const std::string joined = port::defaults().getString(kRecentDocumentsKey);
    size_t from = 0;
    for (size_t at; (at = joined.find('\n', from)) != std::string::npos; from = at + 1)
        if (at > from) out.push_back(joined.substr(from, at - from));
    return out;
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
