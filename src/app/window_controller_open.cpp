// The roads of New and Open through an edited design: save it (after a save panel while it is
// untitled), then start the new design, show the open panel or read the given file.
#include "app/window_controller.h"

#include <QPointer>
#include <QUndoStack>

#include "app/app_controller.h"
#include "app/document.h"
#include "port/alerts.h"
#include "port/file_dialogs.h"

namespace {

constexpr int kSave = 1;
constexpr int kDontSave = 0;

QMDDocumentController* Documents() { return AppController::shared()->documentController(); }

// Clean, and with `forget` no undo step left to return to the design replaced.
void MarkClean(QMDDocument* d, bool forget) {
    d->updateChangeCount(2);
    if (forget) d->undoStack()->clear();
}

} // namespace

void QMDWindowController::beginSaveBeforePanel(void (QMDWindowController::*end)(const std::string&)) {
    port::FilePanel panel;
    panel.title = "Save";
    panel.fileName = "Untitled";
    panel.extensions = {"pro"};
    QPointer<QMDWindowController> self(this);
    port::fileDialogs().beginSavePanel(panel, [self, end](const std::string& path) {
        if (self) (self->*end)(path);
    });
}

bool QMDWindowController::saveDesignBefore(const std::string& path) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    if (d && d->writeToFile(path, false)) return true;
    const std::string name = DocumentBaseName(path);
    port::Alert alert;
    alert.message = "The document \"" + name + "\" could not be saved as \"" + name + "\".";
    alert.buttons = {"OK"};
    alert.style = port::Alert::Style::Critical;
    port::alerts().runModal(alert);
    return false;
}

void QMDWindowController::saveBeforeCreateDocSheetDidEnd(int code) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    if (!d || (code != kSave && code != kDontSave)) return;
    if (code == kSave) {
        if (d->fileName().empty()) return beginSaveBeforePanel(&QMDWindowController::designCreateDocOpSavePanelDidEnd);
        if (!saveDesignBefore(d->fileName())) return;
    }
    MarkClean(d, true);
    Documents()->newDocument();
}

void QMDWindowController::designCreateDocOpSavePanelDidEnd(const std::string& path) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    // Not renamed: the design is replaced at once.
    if (!d || path.empty() || !saveDesignBefore(path)) return;
    MarkClean(d, true);
    Documents()->newDocument();
}

void QMDWindowController::saveBeforeOpenSheetDidEnd(int code) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    if (!d) return;
    if (code == kDontSave) return Documents()->beginDesignOpenPanel();
    if (code != kSave) return;
    if (d->fileName().empty()) return beginSaveBeforePanel(&QMDWindowController::designOpenOpSavePanelDidEnd);
    if (!saveDesignBefore(d->fileName())) return;
    MarkClean(d, false);
    Documents()->beginDesignOpenPanel();
}

void QMDWindowController::designOpenOpSavePanelDidEnd(const std::string& path) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    if (!d || path.empty() || !saveDesignBefore(path)) return;
    MarkClean(d, false);
    d->setFileName(path);
    Documents()->beginDesignOpenPanel();
}

void QMDWindowController::saveBeforeShellOpenSheetDidEnd(int code) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    if (!d || (code != kSave && code != kDontSave)) return;
    if (code == kSave) {
        if (d->fileName().empty()) return beginSaveBeforePanel(&QMDWindowController::designShellOpenOpSavePanelDidEnd);
        if (!saveDesignBefore(d->fileName())) return;
        // Saved, whether or not the file asked for can then be read.
        MarkClean(d, false);
    }
    readCandidateDesign();
}

void QMDWindowController::designShellOpenOpSavePanelDidEnd(const std::string& path) {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    if (!d || path.empty() || !saveDesignBefore(path)) return;
    MarkClean(d, true);
    d->setFileName(path);
    readCandidateDesign();
}

void QMDWindowController::readCandidateDesign() {
    QMDDocument* d = AppController::shared()->mainWindowDocument();
    const std::string path = Documents()->candidatePath();
    // A design read is clean with an empty undo stack; one that fails stays as it was.
    if (d && !path.empty()) Documents()->readDesignIntoDocument(d, path);
}
