#pragma once
// The document's undo manager as the logic sees it: it only carries action names and shows the
// document's changed mark. `model` is the QMDDocumentModel the document owns.
#include <string>

namespace port {

class DocumentUndo {
public:
    virtual ~DocumentUndo() = default;
    virtual bool canUndo(const void* model) = 0;
    virtual bool canRedo(const void* model) = 0;
    virtual bool isUndoing(const void* model) = 0;
    virtual void setActionName(const void* model, const std::string& name) = 0;
    // A change made without a step (or a step with snapshots off): the document shows its
    // changed mark again, which it reads from the undo ring (files/undo.h).
    virtual void markChanged(const void* model) = 0;
};

DocumentUndo& documentUndo();
void setDocumentUndo(DocumentUndo* u);  // nullptr restores the built-in one (does nothing)

} // namespace port
