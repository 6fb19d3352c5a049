#pragma once
// A design document: one model, its undo stack, the file it was read from or saved to, and
// the window that shows it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMainWindow;
class QPagedPaintDevice;
class QPainter;
class QSizeF;
class QUndoStack;
class Base2DView;
struct QMDDocumentModel;

class QMDDocument {
public:
    // A new untitled design, or null when its model cannot be built.
    static QMDDocument* create();
    ~QMDDocument();
    QMDDocument(const QMDDocument&) = delete;
    QMDDocument& operator=(const QMDDocument&) = delete;

    QMDDocumentModel* model() const { return documentModel; }
    QUndoStack* undoStack() const { return undoStack_.get(); }

    // Reads a design into this document's model object, which stays the same object: the file
    // is read aside and its design taken only once read, so a file that cannot be read leaves
    // the design as it was. The document is then clean, with an empty undo stack. A damaged
    // file opens with what it held, with a warning, and stays untitled so the original is not
    // overwritten unasked.
    bool readFromFile(const std::string& path);
    // Writes this document's design; the old file is kept when the write fails, with an alert
    // unless the caller tells the user itself.
    bool writeToFile(const std::string& path, bool alertOnFailure = true);
    // writeToFile, then the document is clean and named after the file.
    bool saveToFile(const std::string& path);
    // Closes the live view, then asks to save changes. False when the user cancels or the
    // save fails.
    bool canCloseDocument();

    // Prints the plan fitted to one page, or at the plan scale on as many pages as it covers,
    // after the print dialog (the flag is not consulted). Without a design, nothing.
    void printShowingPrintPanel(bool showPanel = true);
    void printToScaleShowingPrintPanel();
    // The print itself, on any paged device; answers the number of pages drawn. The view
    // state is as before afterwards.
    int printTo(QPagedPaintDevice& device, bool toScale);
    // The same on an open painter whose transform maps points to the device; `newPage` starts
    // each page after the first (false stops).
    int printPages(QPainter& painter, const QSizeF& printable, bool toScale, const std::function<bool()>& newPage);

    // Creates the document's window (owned; freed before the model).
    void makeWindowControllers();
    void showWindows();

    // 2: the design is now what its file holds (saved); 0 and 1 (a change done or undone)
    // only show the mark again. Nothing is counted: the mark is read from the undo ring.
    void updateChangeCount(int change);
    // What Save would write differs from the file last saved or read (`DesignChangedSinceSave`).
    bool isDocumentEdited() const;
    // Empty while untitled.
    const std::string& fileName() const { return fileName_; }
    void setFileName(const std::string& path);
    // The file's name without its folder, or "Untitled".
    std::string displayName() const;

    QMDDocumentModel* documentModel = nullptr;
    QMainWindow* windowController = nullptr;  // owned; null while it has no window
    Base2DView* docView = nullptr;

    // The view's zooms, kept while printing.
    float savedZoom = 1.0f;
    float savedTopZoom = 1.0f;
    float saved3DZoom = 1.0f;

private:
    QMDDocument();
    bool init();
    void connectUndo();
    void refreshWindowTitle();
    void runPrint(bool toScale);
    // The saved trace image, found again in the content folder when moved; an alert when gone.
    void loadTraceImage();

    std::unique_ptr<QUndoStack> undoStack_;
    std::string fileName_;
};

// The print of the current document's plan on an open painter, as QMDDocument::printPages
// draws it; the view state is as before afterwards.
int PrintCurrentPlan(QPainter& painter, const QSizeF& printable, bool toScale, const std::function<bool()>& newPage);

// The open documents (owned), opening at launch, saving under a chosen name, recent files.
// New and Open reuse the document window there is: its design is replaced in place, after
// the user was asked whether to save an edited one.
class QMDDocumentController {
public:
    QMDDocumentController() = default;
    ~QMDDocumentController();
    QMDDocumentController(const QMDDocumentController&) = delete;
    QMDDocumentController& operator=(const QMDDocumentController&) = delete;

    std::vector<QMDDocument*>& documents() { return documents_; }
    void addDocument(QMDDocument* d);
    // Forgets the document; the caller owns it again.
    void removeDocument(QMDDocument* d);
    // The document of the current model, or null.
    QMDDocument* currentDocument() const;

    QMDDocument* openUntitledDocument();
    // A new document holding the design; null after the "could not be loaded" alert.
    QMDDocument* openDocumentWithContentsOfFile(const std::string& path);
    // The first argument that is not an option names a design to open; without one, or when
    // it cannot be read, an untitled document.
    QMDDocument* openAtLaunch(const std::vector<std::string>& arguments);

    // Writes to the document's file; an untitled document asks for a name first.
    void saveDocument(QMDDocument* d);
    // Asks for a name, then writes there. `done` (optional) hears whether it was saved.
    void saveDocumentAs(QMDDocument* d, std::function<void(bool)> done = {});

    void noteNewRecentDocument(const std::string& path);
    std::vector<std::string> recentDocuments() const;

    // A file asked to be opened while the design had unsaved changes, until it is answered.
    const std::string& candidatePath() const { return candidatePath_; }
    // In the document window there is: a new design, or the open panel; an edited design is
    // offered for saving first. Without a window, a new document and window.
    void newDocument();
    void openDocument();
    // A given file (the command line, Open Recent): the document already showing it, else the
    // window's design replaced by it, asking first when edited (the document is returned, the
    // file read once answered). Null with an alert when it cannot be read; the design stays.
    QMDDocument* openDocumentWithContentsOfURL(const std::string& path);
    // The open panel's end: the chosen path, empty when cancelled.
    void designFileOpenPanelDidEnd(const std::string& path);
    // The design open panel on the document window.
    void beginDesignOpenPanel();
    // Reads the file into the document in place and starts its window over; false with the
    // "could not be loaded" alert, the design unchanged.
    bool readDesignIntoDocument(QMDDocument* d, const std::string& path);
    // Reads the document's file again, after asking when the design was edited.
    void revertDocumentToSaved(QMDDocument* d);

private:
    QMDDocument* openInNewWindow(QMDDocument* d);

    std::vector<QMDDocument*> documents_;
    std::string candidatePath_;
};


// The save-before alert's button (0 Save, 1 Don't Save, other Cancel) as the code its end
// handles: 1 save, 0 do not, -1 cancel.
int SaveBeforeReturnCode(int buttonIndex);
// Ends the editing of the field being typed in, as a press elsewhere does, so that what was
// typed and not yet entered is entered before Close, Quit, Open, New or Revert asks, and
// before Save or Save As writes.
void EndFieldEditing();
// The "could not be loaded" alert for the path.
void AlertDesignNotLoaded(const std::string& path);

// The base name of a path without its folder and extension, as alerts name a document.
std::string DocumentBaseName(const std::string& path);
