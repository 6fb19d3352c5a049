// A light fixture's switches and settings survive a design file write and read through the
// fields the object field table names for lights.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "files/design_file.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/view_layers.h"
#include "support/build.h"
#include "support/records.h"

using namespace dvxtest;

namespace {

class LightFields : public FileTest {
protected:
    LightFields() : FileTest("lights") {}
};

TEST_F(LightFields, ALightKeepsItsSettingsThroughAFile) {
    Objex* group = Make(objtype::kGroup).on(GetFirstFloorLayer());
    Objex* lamp = Make(80).in(group).at({{10, 0, 20}});
    lamp->layer = group->layer;
    namespace light = objfield::light;
    light::kGlow(*lamp) = 1.0f;
    light::kDimmer(*lamp) = 128;
    light::kBeamWidth(*lamp) = 95.0f;
    light::kFalloff(*lamp) = 3.0f;
    light::kOff(*lamp) = 1;
    light::kAmbient(*lamp) = 1;
    const uint32_t id = lamp->objectID;
    const std::string path = dir + "/light.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);

    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_EQ(KeyFileRead(path.c_str()), 1);
    const Objex* back = nullptr;
    for (const Objex* o = other->itsLayers->firstObject; o && !back; o = o->next)
        for (const Objex* c = o->firstChild; c; c = c->next)
            if (c->objectID == id) back = c;
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::tuple(light::kGlow(*back), light::kDimmer(*back), light::kBeamWidth(*back), light::kFalloff(*back),
                         light::kOff(*back), light::kAmbient(*back)),
              std::tuple(1.0f, 128, 95.0f, 3.0f, 1, 1));
    other->dealloc();
}

}  // namespace
