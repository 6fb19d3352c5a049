#include "files/undo.h"

#include "model/document_model.h"

void InitializeUndo() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return;
    doc->itsFirstUndo = -1;
    doc->itsLastUndo = -1;
    doc->itsCurrentUndo = -1;
}
