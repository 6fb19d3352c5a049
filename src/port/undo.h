#pragma once
// The document's undo manager as the logic sees it: it only carries action names and the
// document's change count. `model` is the QMDDocumentModel the document owns.
#include <string>

namespace port {

class DocumentUndo {
public:
    virtual ~DocumentUndo() = default;
    virtual bool canUndo(const void* model) = 0;
    virtual bool canRedo(const void* model) = 0;
    virtual bool isUndoing(const void* model) = 0;
    virtual void setActionName(const void* model, const std::string& name) = 0;
    virtual void markChanged(const void* model) = 0;  // one change recorded
};

DocumentUndo& documentUndo();
void setDocumentUndo(DocumentUndo* u);  // nullptr restores the built-in one (does nothing)

} // namespace port
