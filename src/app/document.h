#pragma once
// A design document: one model, its undo stack, the file it was read from or saved to, and
// the window that shows it.
#include <memory>
#include <string>
#include <vector>

class QMainWindow;
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

    // Reads a design into this document's model. A damaged file opens with what it held,
    // with a warning, and stays untitled so the original is not overwritten unasked.
    bool readFromFile(const std::string& path);
    // Writes this document's design; the old file is kept when the write fails, with an alert.
    bool writeToFile(const std::string& path);
    // writeToFile, then the document is clean and named after the file.
    bool saveToFile(const std::string& path);
    // Closes the live view, then asks to save changes. False when the user cancels or the
    // save fails.
    bool canCloseDocument();

    // 0 one change done, 1 one undone, 2 cleared.
    void updateChangeCount(int change);
    bool isDocumentEdited() const { return changeCount_ != 0; }
    // Empty while untitled.
    const std::string& fileName() const { return fileName_; }
    void setFileName(const std::string& path);
    // The file's name without its folder, or "Untitled".
    std::string displayName() const;

    QMDDocumentModel* documentModel = nullptr;
    QMainWindow* windowController = nullptr;  // null while it has no window
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

    std::unique_ptr<QUndoStack> undoStack_;
    std::string fileName_;
    int changeCount_ = 0;
};

// The shared list of open documents.
class QMDDocumentController {
public:
    std::vector<QMDDocument*>& documents() { return documents_; }
    void addDocument(QMDDocument* d);
    void removeDocument(QMDDocument* d);
    // The document of the current model, or null.
    QMDDocument* currentDocument() const;

private:
    std::vector<QMDDocument*> documents_;
};
