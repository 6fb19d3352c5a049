#include "app/document.h"

#include "app/app_controller.h"
#include "app/core/preference_keys.h"
#include "app/core/startup.h"
#include "app/window_controller.h"
#include "app/x_server.h"
#include "files/design_file.h"
#include "files/symbol_lists.h"
#include "files/trace_image.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "powertools/core/plugin_list_seams.h"
#include "model/selection_ops.h"
#include "port/alerts.h"
#include "port/defaults.h"
#include "port/file_dialogs.h"
#include "port/macroman.h"
#include "port/qt/platform.h"
#include "render/core/live_view_seams.h"
#include "ui/core/plan_scale_actions.h"
#include "files/texture_files.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
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
        if (!pushed_) restore(&DoRedo);
        pushed_ = false;
        doc_->updateChangeCount(0);
    }

private:
    void restore(bool (*step)()) {
        QMDDocumentModel* model = doc_->model();
        CurrentDocumentScope scope(model);
        const float zoom = model->itsDocState ? model->itsDocState->zoomFactor : 0.0f;
        port::qt::QtDocumentUndo::setUndoing(model, true);
        step();
        port::qt::QtDocumentUndo::setUndoing(model, false);
        // A step over a plan scale change takes the zoom with it: the view is framed again as
        // the scale change framed it.
        if (model->itsDocState && model->itsDocState->zoomFactor != zoom)
            ReframePlanView(Reframe::AfterScaleOrZoom);
    }
    QMDDocument* doc_;
    bool pushed_ = true;
};

// Whether to save an edited design before it is closed or replaced.
port::Alert SaveBeforeAlert(const QMDDocument* d, bool fullStop) {
    port::Alert alert;
    const bool untitled = d->fileName().empty();
    alert.message = untitled ? std::string("Do you want to save the changes you made in the document Untitled?")
                             : "Do you want to save the changes you made in the document \"" +
                                   DocumentBaseName(d->fileName()) + "\"?";
    alert.informative = fullStop ? "Your changes will be lost if you don't save them."
                                 : "Your changes will be lost if you don't save them";
    alert.buttons = {untitled ? "Save..." : "Save", "Don't Save", "Cancel"};
    return alert;
}

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
    undoStack_->setUndoLimit(UndoManagerLevels(port::defaults().getInt(QMDUndoLevelKey)));
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
    // A tool still working on this design is told to stop; its lock must not outlive it.
    PowerToolForceQuitOwnedByDocument(documentModel);
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
    // Read aside: a file that fails half way must not leave a half-read design here.
    QMDDocumentModel* fresh = QMDDocumentModel::alloc()->init();
    if (!fresh) {
        gCurDocument = previous;
        return false;
    }
    const int read = KeyFileRead(path.c_str());
    if (read == 0 || !fresh->itsDocState) {
        fresh->dealloc();
        // Never leave a freed model current.
        gCurDocument = previous;
        return false;
    }
    documentModel->takeDesignOf(fresh);
    loadTraceImage();
    SelectAllLayers(documentModel->itsLayers, 2, 0);
    AppController::shared()->loadColorsForDocument(documentModel);
    // The first snapshot is the design as it opens: a selection saved with it never returns on Undo.
    InitializeUndo();
    // The undo names of the design replaced would step through the new one's snapshots.
    undoStack_->clear();
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

bool QMDDocument::writeToFile(const std::string& path, bool alertOnFailure) {
    bool written = false;
    {
        CurrentDocumentScope scope(documentModel);
        written = KeyFileWrite(path.c_str()) != 0;
    }
    if (!written && alertOnFailure) {
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
    EndFieldEditing();
    if (LiveViewIsVisible()) CloseLiveView();
    if (!isDocumentEdited()) return true;
    const bool untitled = fileName_.empty();
    switch (port::alerts().runModal(SaveBeforeAlert(this, true))) {
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
    if (!windowController) return;
    windowController->show();
    // The window shown becomes main and takes the keyboard; without a window manager nothing
    // else would give it.
    if (WindowManagerRuns() == false) windowController->activateWindow();
}

void QMDDocument::updateChangeCount(int change) {
    if (change == 2) {
        NoteDesignSaved(documentModel);
        undoStack_->setClean();
    }
    refreshWindowTitle();
}

bool QMDDocument::isDocumentEdited() const { return DesignChangedSinceSave(documentModel); }

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
    AlertDesignNotLoaded(path);
    return nullptr;
}

void AlertDesignNotLoaded(const std::string& path) {
    port::Alert alert;
    alert.message = "The document \"" + DocumentBaseName(path) + "\" could not be loaded.";
    alert.buttons = {"OK"};
    alert.style = port::Alert::Style::Critical;
    port::alerts().runModal(alert);
}

int SaveBeforeReturnCode(int buttonIndex) {
    return buttonIndex == 0 ? 1 : buttonIndex == 1 ? 0 : -1;
}

void EndFieldEditing() {
    // Each window's field keeps its focus: only what was typed there ends as Return ends it.
    // Without a window manager a palette's field may hold typing while another window is active.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* edit = qobject_cast<QLineEdit*>(window->focusWidget());
        if (edit && edit->isModified() && edit->isEnabled()) emit edit->editingFinished();
    }
}

namespace {

// The one document window of the current design, or null.
QMDWindowController* MainWindow() {
    return qobject_cast<QMDWindowController*>(AppController::shared()->mainWindowController());
}

// The same file: on Linux two names that differ in case are two files.
bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    auto canonical = [](const std::string& p) {
        const QFileInfo info(QString::fromStdString(p));
        const QString c = info.canonicalFilePath();
        return c.isEmpty() ? info.absoluteFilePath() : c;
    };
    return canonical(a) == canonical(b);
}

} // namespace

QMDDocument* QMDDocumentController::openInNewWindow(QMDDocument* d) {
    if (d) {
        d->makeWindowControllers();
        d->showWindows();
    }
    return d;
}

void QMDDocumentController::newDocument() {
    EndFieldEditing();
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    QMDWindowController* w = MainWindow();
    if (!d || !w) {
        openInNewWindow(openUntitledDocument());
        return;
    }
    if (d->isDocumentEdited()) {
        QPointer<QMDWindowController> window(w);
        port::alerts().beginSheet(SaveBeforeAlert(d, false), [window](int button) {
            if (window) window->saveBeforeCreateDocSheetDidEnd(SaveBeforeReturnCode(button));
        });
        return;
    }
    d->model()->reinitializeDocumentModel();
    d->undoStack()->clear();
    w->reinitializeDocumentUI();
}

void QMDDocumentController::openDocument() {
    EndFieldEditing();
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    QMDWindowController* w = MainWindow();
    if (!d || !w) {
        port::FilePanel panel;
        panel.title = "Open";
        panel.extensions = {"pro"};
        port::fileDialogs().beginOpenPanel(panel, [this](const std::string& path) {
            if (!path.empty()) openInNewWindow(openDocumentWithContentsOfFile(path));
        });
        return;
    }
    if (d->isDocumentEdited()) {
        QPointer<QMDWindowController> window(w);
        port::alerts().beginSheet(SaveBeforeAlert(d, true), [window](int button) {
            if (window) window->saveBeforeOpenSheetDidEnd(SaveBeforeReturnCode(button));
        });
        return;
    }
    beginDesignOpenPanel();
}

void QMDDocumentController::beginDesignOpenPanel() {
    port::FilePanel panel;
    panel.title = "Open";
    panel.extensions = {"pro"};
    port::fileDialogs().beginOpenPanel(panel, [this](const std::string& path) { designFileOpenPanelDidEnd(path); });
}

void QMDDocumentController::designFileOpenPanelDidEnd(const std::string& path) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    if (!d || path.empty()) return;
    readDesignIntoDocument(d, path);
}

bool QMDDocumentController::readDesignIntoDocument(QMDDocument* d, const std::string& path) {
    if (!d) return false;
    if (!d->readFromFile(path)) {
        AlertDesignNotLoaded(path);
        return false;
    }
    if (auto* w = qobject_cast<QMDWindowController*>(d->windowController)) w->reinitializeDocumentUI();
    return true;
}

QMDDocument* QMDDocumentController::openDocumentWithContentsOfURL(const std::string& path) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    QMDWindowController* w = MainWindow();
    if (!d || !w) return openInNewWindow(openDocumentWithContentsOfFile(path));
    if (SameFile(d->fileName(), path)) return d;
    EndFieldEditing();
    if (!d->isDocumentEdited()) return readDesignIntoDocument(d, path) ? d : nullptr;
    candidatePath_ = path;
    QPointer<QMDWindowController> window(w);
    port::alerts().beginSheet(SaveBeforeAlert(d, true), [window](int button) {
        if (window) window->saveBeforeShellOpenSheetDidEnd(SaveBeforeReturnCode(button));
    });
    return d;
}

void QMDDocumentController::revertDocumentToSaved(QMDDocument* d) {
    EndFieldEditing();
    if (!d || d->fileName().empty() || !d->isDocumentEdited()) return;
    port::Alert alert;
    alert.message = "Do you want to revert to the most recently saved version of the document \"" +
                    DocumentBaseName(d->fileName()) + "\"?";
    alert.informative = "Your current changes will be lost.";
    alert.buttons = {"Revert", "Cancel"};
    port::alerts().beginSheet(alert, [this, d](int button) {
        // The document may have closed while the sheet was up.
        if (button != 0 || std::find(documents_.begin(), documents_.end(), d) == documents_.end()) return;
        const std::string path = d->fileName();
        readDesignIntoDocument(d, path);
    });
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
    // What is saved is what the user sees, a value typed and not yet entered included.
    EndFieldEditing();
    if (d->fileName().empty()) saveDocumentAs(d);
    else d->saveToFile(d->fileName());
}

void QMDDocumentController::saveDocumentAs(QMDDocument* d, std::function<void(bool)> done) {
    if (!d) return;
    EndFieldEditing();
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
