// The digest the gesture runner compares: every change a gesture can leave changes it; the
// selection, the ID counters and generated data do not.
#include <gtest/gtest.h>

#include <functional>

#include "model/deletion.h"
#include "model/design_digest.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/type_data.h"
#include "support/build.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class Digest : public DocumentTest {};

TEST_F(Digest, ChangesWithTheDesignAndNotWithTheSelectionOrTheCounters) {
    struct Row {
        const char* what;
        std::function<void(Objex* wall, Objex* text)> change;
        bool differs;
    };
    const Row rows[] = {
        {"a point moved", [](Objex* w, Objex*) { PointAt(w, 1)->position[0] += 0.5f; }, true},
        {"two points' signs", [](Objex* w, Objex*) { PointAt(w, 0)->position[2] = PointAt(w, 1)->position[2] = -0.0f; }, true},
        {"a curve's tangent", [](Objex* w, Objex*) { PointAt(w, 0)->outTangent[2] = 3; }, true},
        {"an object added", [](Objex*, Objex*) { Wall(gCurDocument->itsCurLayer, {{0, 50}, {10, 50}}); }, true},
        {"an object deleted", [](Objex* w, Objex*) { DeleteObj(UnlinkObject(w)); }, true},
        {"a child added", [](Objex* w, Objex*) { Opening(w, objtype::kDoor, 1, 0); }, true},
        {"its thickness", [](Objex* w, Objex*) { w->penWidth = 8; }, true},
        {"the text", [](Objex*, Objex* t) { t->text[0] = 'X'; }, true},
        {"a stored setting", [](Objex*, Objex*) { gCurDocument->itsDocState->zoomFactor = 0.8f; }, true},
        {"the current floor", [](Objex*, Objex*) { gCurDocument->itsCurLayer = gCurDocument->itsLayers->next; }, true},
        {"a floor hidden", [](Objex*, Objex*) { gCurDocument->itsLayers->next->visible = 0; }, true},
        {"a point selected", [](Objex* w, Objex*) { PointAt(w, 0)->selected = 1; }, false},
        {"the selection summaries", [](Objex*, Objex*) {
             gCurDocument->itsDocState->ss40.ssBaseElevationValue = 12, gCurDocument->itsDocState->ss.ssStateFresh = 1; }, false},
        {"the ID counters", [](Objex*, Objex*) {
             ++gCurDocument->itsDocState->nextObjectID, ++gCurDocument->itsDocState->nextPointID; }, false},
        {"its bounds", [](Objex* w, Objex*) { w->bounds.floatRight += 40; }, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Objex* wall = Wall(doc->itsCurLayer, {{0, 0}, {100, 0}});
        Objex* text = Make(objtype::kText).on(doc->itsCurLayer).at({{0, 10, 0}});
        text->text = CopyString("Label");
        const uint64_t before = DesignDigest(doc);
        EXPECT_EQ(DesignDigest(doc), before);  // the same design, the same digest
        r.change(wall, text);
        EXPECT_EQ(DesignDigest(doc) != before, r.differs);
        while (Objex* o = doc->itsCurLayer->firstObject) DeleteObj(UnlinkObject(o));
        doc->itsCurLayer = doc->itsLayers;
    }
}

}  // namespace
