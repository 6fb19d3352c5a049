// The polygon builders: rows as laid, nothing left behind when one fails (their style is tested
// with the shape builders').
#include <gtest/gtest.h>

#include "model/document_model.h"
#include "support/build.h"
#include "model/poly_builders.h"

namespace {

const Float3DPoint kFirst[3] = {{0, 0, 0}, {50, 0, 0}, {50, 0, 50}}, kSecond[3] = {{0, -8, 0}, {50, -8, 0}, {50, -8, 50}}, kZero[3] = {};

using PolyBuilders = dvxtest::DocumentTest;

TEST_F(PolyBuilders, RowsCountWhatWasLaidAndFailuresLeaveNothing) {
    Layer* layer = doc->itsCurLayer;
    for (auto [in, out, rows] : {std::tuple{kZero, (const Float3DPoint*)nullptr, 1}, {nullptr, nullptr, 1}, {kZero, kZero, 2}}) {
        Objex* o = BuildClosedPoly(kFirst, kSecond, kZero, kZero, in, out, 3, layer, 0);
        ASSERT_TRUE(o && o->type == 8 && o->closed && o->layer == layer);
        EXPECT_EQ(o->rows, rows);
        EXPECT_EQ(o->pointCount, 3 * rows);
        EXPECT_FLOAT_EQ(o->bounds.floatRight, 50);
    }
    EXPECT_EQ(BuildOpenPoly(kFirst, nullptr, kZero, kZero, nullptr, nullptr, 3, layer, 0)->type, 9);
    EXPECT_EQ(dvxtest::CountObjects(layer->firstObject), 4);
    EXPECT_EQ(BuildClosedPoly(kFirst, nullptr, kZero, kZero, nullptr, nullptr, 3, nullptr, 0), nullptr);
    EXPECT_EQ(BuildClosedPoly(kFirst, nullptr, nullptr, kZero, nullptr, nullptr, 3, layer, 0), nullptr);
    gCurDocument = nullptr;  // no point can be made: the object made first goes too
    EXPECT_EQ(BuildGeneralPoly(kFirst, kSecond, kZero, kZero, kZero, kZero, 3, layer, 1, 8, 1, 1), nullptr);
    gCurDocument = doc;
    EXPECT_EQ(dvxtest::CountObjects(layer->firstObject), 4);
}

}  // namespace
