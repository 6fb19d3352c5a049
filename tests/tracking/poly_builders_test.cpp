// The polygon builders: rows as laid, the drawing style, and nothing left behind when a
// build fails.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/tool_defaults.h"
#include "support/fixture.h"
#include "support/build.h"
#include "tracking/poly_builders.h"

namespace {

class PolyBuilders : public dvxtest::DocumentTest {
protected:
    const Float3DPoint first[3] = {{0, 0, 0}, {50, 0, 0}, {50, 0, 50}};
    const Float3DPoint second[3] = {{0, -8, 0}, {50, -8, 0}, {50, -8, 50}};
    const Float3DPoint zero[3] = {};
};

TEST_F(PolyBuilders, TheSecondRowIsLaidOnlyWithItsTangentsAndRowsCountWhatWasLaid) {
    Layer* layer = doc->itsCurLayer;
    struct Row { const Float3DPoint *in, *out; int16_t rows; int32_t points; };
    for (const Row& row : {Row{nullptr, nullptr, 1, 3}, Row{zero, nullptr, 1, 3}, Row{zero, zero, 2, 6}}) {
        Objex* o = BuildClosedPoly(first, second, zero, zero, row.in, row.out, 3, layer, 0);
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->type, 8);
        EXPECT_EQ(o->closed, 1);
        EXPECT_EQ(o->rows, row.rows);
        EXPECT_EQ(o->pointCount, row.points);
        EXPECT_EQ(o->pointCount % o->rows, 0);
        EXPECT_EQ(o->layer, layer);
        EXPECT_FLOAT_EQ(o->bounds.floatRight, 50);
    }
    Objex* open = BuildOpenPoly(first, nullptr, zero, zero, nullptr, nullptr, 3, layer, 0);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->type, 9);
    EXPECT_EQ(open->closed, 0);
    EXPECT_EQ(dvxtest::CountObjects(layer->firstObject), 4);
}

TEST_F(PolyBuilders, FailedBuildsGiveNullAndLeaveNothing) {
    Layer* layer = doc->itsCurLayer;
    EXPECT_EQ(BuildClosedPoly(first, nullptr, zero, zero, nullptr, nullptr, 3, nullptr, 0), nullptr);
    EXPECT_EQ(BuildClosedPoly(first, nullptr, nullptr, zero, nullptr, nullptr, 3, layer, 0), nullptr);
    EXPECT_EQ(BuildOpenPoly(nullptr, nullptr, zero, zero, nullptr, nullptr, 3, layer, 0), nullptr);
    // Without a document no point can be made: the object made first goes too.
    gCurDocument = nullptr;
    EXPECT_EQ(BuildGeneralPoly(first, second, zero, zero, zero, zero, 3, layer, 1, 8, 1, 1), nullptr);
    gCurDocument = doc;
    EXPECT_EQ(layer->firstObject, nullptr);
}

TEST_F(PolyBuilders, PlainStyleIgnoresTheDocumentAndDocumentStyleTakesIt) {
    DocState* ds = doc->itsDocState;
    ds->fillColor = {1, 2, 3}, ds->penColor = {4, 5, 6}, ds->penWidth = 3, ds->penStyle = 9;
    gPattern = 4;
    Objex* plain = BuildOpenPoly(first, nullptr, zero, zero, nullptr, nullptr, 3, doc->itsCurLayer, 0);
    Objex* styled = BuildOpenPoly(first, nullptr, zero, zero, nullptr, nullptr, 3, doc->itsCurLayer, 1);
    ASSERT_TRUE(plain && styled);
    EXPECT_EQ(plain->fillColor, (RGBColor{65535, 65535, 65535}));
    EXPECT_EQ(plain->penColor, (RGBColor{0, 0, 0}));
    EXPECT_EQ(plain->penWidth, 1.0f);
    EXPECT_EQ(plain->penStyle, 6);
    EXPECT_EQ(plain->fillPattern, 0);
    EXPECT_EQ(styled->fillColor, (RGBColor{1, 2, 3}));
    EXPECT_EQ(styled->penColor, (RGBColor{4, 5, 6}));
    EXPECT_EQ(styled->penWidth, 3.0f);
    EXPECT_EQ(styled->penStyle, 9);
    EXPECT_EQ(styled->fillPattern, 4);
}

}  // namespace
