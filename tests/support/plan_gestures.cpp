#include "support/plan_gestures.h"

#include "app/core/main_window_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "tools/tool_trackers.h"
#include "tracking/drafting_trackers.h"

namespace dvxtest {

void PlanGestureTest::SetUp() {
    FileTest::SetUp();
    ASSERT_TRUE(MakeApplicationTemporaryFolder());
    port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
    ds = doc->itsDocState;
    ds->zoomFactor = 1, ds->planScale = 72, ds->snapToGrid = 0, ds->viewKind = 2;
    SetPlanView();
    SetMainWindowDocumentViewHandler([this] { return &view; });
    SetResetStandardToolHandler([this](uint8_t) { ++resets; });
    RegisterDraftingTrackers(), RegisterToolTrackers();
}

void PlanGestureTest::TearDown() { port::setDocumentUndo(nullptr), FileTest::TearDown(); }

Objex* PlanGestureTest::Last() {
    Objex* o = doc->itsCurLayer->firstObject;
    while (o && o->next) o = o->next;
    return o;
}

Objex* PlanGestureTest::Drag(std::vector<POINT> path, uint32_t modifiers) {
    g.press(path.front(), modifiers);
    for (size_t i = 1; i < path.size(); ++i) g.drag(path[i], modifiers);
    g.release(path.back(), modifiers);
    return Last();
}

}  // namespace dvxtest
