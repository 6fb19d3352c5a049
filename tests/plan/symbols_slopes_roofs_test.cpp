// Wall components with their symbols, slope arrows, point labels and roofs as drawn into the
// recording context (text 7 x 12 a character), seen from above at zoom 1 and scale 72: a plan
// point (h, d) is the view point (h, d), an inch a plan unit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/symbol_lists.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/readouts.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_frame.h"
#include "plan/plan_symbols.h"
#include "plan/roofs.h"
#include "plan/slope_arrows.h"
#include "support/build.h"
#include "support/drawing_doubles.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Make;
using dvxtest::PointAt;
using Seg = std::vector<double>;  // x1, y1, x2, y2
const RECT kAnywhere{-1000, -1000, 1000, 1000};

class SymbolsSlopesRoofs : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dvxtest::SetPlanView();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->curveSegments = 10, ds->showDimensions = 1, ds->units = 3;
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    void TearDown() override {
        FreeSymbolLists();
        DocumentTest::TearDown();
    }
    // Lines stroked one at a time, and every path of several lines as its own lines.
    std::vector<Seg> Lines(bool single = true) const {
        std::vector<Seg> out;
        for (const DrawnOp& op : context.ops) {
            const auto& e = op.path.elements();
            if (op.kind != DrawnOp::Kind::Stroke || (e.size() == 2) != single) continue;
            for (size_t i = 0; i + 1 < e.size(); i += 2) out.push_back({e[i].p[0], e[i].p[1], e[i + 1].p[0], e[i + 1].p[1]});
        }
        return out;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const DrawnOp& op : context.ops)
            if (op.kind == DrawnOp::Kind::TextAt) out.push_back(op.text);
        return out;
    }
    static double Length(const Seg& s) { return std::hypot(s[2] - s[0], s[3] - s[1]); }
    // Coordinates are made whole by adding 0.5 and truncating toward zero.
    // A tub's symbol: one line across its back, optionally curved by an out-tangent.
    void TubSymbol(float tangent = 0, int16_t rows = 1) {
        gSymbol2DList = Make(95);
        Make(objtype::kLine).rows(rows).at({{-30, 0, -15, {}, {tangent, 0, 0}}, {30, 0, -15}}).in(gSymbol2DList);
    }
    // A 60 x 30 component of the subtype on a 4-inch wall from (0, 0) to (400, 0).
    Objex* Tub(int32_t subtype = 95, float width = 60, uint8_t side = 0) {
        Objex* wall = Make(objtype::kWall).on(doc->itsCurLayer).plan({{0, 0}, {400, 0}});
        wall->penWidth = 4;
        Objex* c = dvxtest::Attach(wall, objtype::kComponent, PointAt(wall, 0), PointAt(wall, 1));
        Make(c).plan({{100, 0}, {160, 0}});
        c->subtype = subtype, c->visible = 1, c->planBits = 2;
        c->typeData.attachment->width = width, c->typeData.attachment->height = 30, c->typeData.attachment->sideFlag = side;
        return c;
    }
    void Draw(Objex* o) {
        context.ops.clear();
        DrawObject(nullptr, o, &kAnywhere, 1, nullptr);
    }
    Objex* Roof(int32_t style, float depth = 200, bool fifth = false) {
        Objex* roof = Make(objtype::kRoof).on(doc->itsCurLayer).shown().closed().plan({{0, 0}, {400, 0}, {400, depth}, {0, depth}});
        if (fifth) Make(roof).plan({{200, 900}});
        objfield::roof::kStyle(*roof) = style, objfield::roof::kPitch(*roof) = 6;
        return roof;
    }

    DocState* ds = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(SymbolsSlopesRoofs, ComponentsStandAgainstTheirWallFaceScaledToTheirSize) {
    struct Row { float tangent; int16_t rows; int32_t subtype; float width; uint8_t side; Seg line; size_t lines, texts; };
    for (const Row& row : {Row{0, 1, 95, 60, 0, {100, -12.5, 160, -12.5}, 1, 2}, Row{0, 1, 95, 72, 0, {94, -12.5, 166, -12.5}, 1, 2},
                           Row{0, 1, 95, 60, 1, {160, 12.5, 100, 12.5}, 1, 2}, Row{0, 1, 99, 60, 0, {100, -12.5, 160, -12.5}, 1, 0},
                           Row{0, 1, 56, 60, 0, {}, 0, 0}, Row{0, 2, 95, 60, 0, {}, 0, 2}, Row{40, 1, 95, 60, 0, {}, 8, 2}}) {
        FreeSymbolLists();
        TubSymbol(row.tangent, row.rows);
        if (row.subtype == 99) gSymbol2DList->type = 99;
        Draw(Tub(row.subtype, row.width, row.side));
        const std::vector<Seg> lines = Lines();
        ASSERT_EQ(lines.size(), row.lines) << row.subtype << " " << row.width;
        if (!row.line.empty()) EXPECT_TRUE(dvxtest::Near({lines[0][0], lines[0][1], lines[0][2], lines[0][3]},
                                                         {row.line[0], row.line[1], row.line[2], row.line[3]}, 0.51));
        const std::vector<std::string> texts = Texts();
        ASSERT_EQ(texts.size(), row.texts);
        if (row.texts) EXPECT_TRUE(texts[0].find("Lx") != std::string::npos && texts[0].back() == 'W') << texts[0];
        if (row.texts) EXPECT_EQ(texts[1], "Tub/Shower");
    }
}

TEST_F(SymbolsSlopesRoofs, SlopeArrowsHaveTheirBarbsBarsAndTexts) {
    struct Row { int16_t type; int16_t units; uint8_t dimensions; size_t lines; double barb; std::vector<std::string> texts; };
    const std::string descent = std::string("Descent: 5") + static_cast<char>(0xBC);
    char pitch[kReadoutSize] = {};
    for (const Row& row : {Row{objtype::kSlopeArrow, 3, 1, 3, 30, {"", "12"}}, Row{objtype::kSlopeArrow, 1, 1, 3, 30, {"", "10"}},
                           Row{objtype::kEntireLot, 3, 1, 4, 150, {"Elevation=0", descent}},
                           Row{objtype::kSlopeLot, 3, 0, 5, 75, {"Elevation=0", descent}},
                           Row{objtype::kFoundationSlope, 3, 1, 3, 50, {"Slope"}}}) {
        ds->units = row.units;
        ConvertPitchToStr(6, pitch);
        Objex* arrow = Make(row.type).on(doc->itsCurLayer).shown().plan({{0, 0}, {400, 0}});
        objfield::lot_point::Descent(*arrow->firstPoint) = 5, objfield::roof::kPitch(*arrow) = 6;
        ds->showDimensions = row.dimensions;
        context.ops.clear();
        (row.type == objtype::kSlopeArrow ? DrawRoofSlopeDirectionArrow : row.type == objtype::kEntireLot ? DrawTopoSlopeDirectionArrow
         : row.type == objtype::kSlopeLot ? DrawTopoMultiSlopeDirectionArrow : DrawFoundationSlope)(nullptr, arrow);
        const std::vector<Seg> lines = Lines();
        ASSERT_EQ(lines.size(), row.lines) << row.type;
        for (const Seg& barb : {lines[1], lines[2]}) {  // back from the tip at 45 (roofs) or 30 degrees
            EXPECT_NEAR(Length(barb), row.barb, 1.5) << row.type;
            const double across = std::fabs(barb[1] - barb[3]) / Length(barb);
            EXPECT_NEAR(across, row.type == objtype::kSlopeArrow ? std::sqrt(0.5) : 0.5, 0.02) << row.type;
        }
        if (row.type == objtype::kEntireLot) EXPECT_NEAR(Length(lines[3]), 400, 1);
        std::vector<std::string> want = row.texts;
        if (want[0].empty()) want[0] = pitch;
        EXPECT_EQ(Texts(), want) << row.type;
    }
}

TEST_F(SymbolsSlopesRoofs, PointLabelsReadTheirHeights) {
    Objex* topo = Make(objtype::kTopography).plan({{0, 0}, {10, 0}});
    objfield::topo_line::kHeight(*topo) = 0;
    DrawTopoLineElevation(nullptr, topo, topo->firstPoint);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].rfind("Descend: ", 0), 0u);

    Objex* slab = Make(objtype::kPanelSlab).at({{0, -24, 0}, {10, -12, 0}});
    Objex* roof = Make(objtype::kFreehandRoof).panels(slab).plan({{0, 0}, {10, 0}, {10, 10}});
    roof->elevation = 100;
    char below[kReadoutSize] = {}, above[kReadoutSize] = {};
    ConvertInchesToStr(76, below);
    ConvertInchesToStr(124, above);
    for (int16_t downward : {1, 0}) {
        objfield::freehand_roof::kHeightsDownward(*roof) = downward;
        context.ops.clear();
        for (int i = 0; i < 3; ++i) DrawRoofPointElevation(nullptr, roof, PointAt(roof, i));
        ASSERT_EQ(Texts().size(), 2u);  // the record has two points
        EXPECT_EQ(Texts()[0], std::string("Elev: ") + (downward ? below : above));
    }

    Objex* lot = Make(objtype::kEntireLot).plan({{0, 0}, {10, 0}});
    objfield::lot_point::Descent(*lot->firstPoint) = 7;
    DrawTopoSlopeElevation(nullptr, lot, lot->firstPoint);
    ASSERT_FALSE(view.dynamicDrawEngine->dynamicDimArray.empty());
    EXPECT_EQ(std::string(view.dynamicDrawEngine->dynamicDimArray.back()->dimensionText.get()),
              std::string("Descent: 7") + static_cast<char>(0xA1));
}

TEST_F(SymbolsSlopesRoofs, RoofsDrawTheirEdgesRidgeReadoutsAndArrows) {
    struct Row { int32_t style; float depth; uint8_t dimensions; size_t lines; Seg ridge; size_t readouts; std::vector<Seg> arrows; };
    for (const Row& row : {
             Row{2, 200, 1, 9, {0, 100, 400, 100}, 7, {{200, 110, 200, 190}, {200, 90, 200, 10}}},
             Row{1, 200, 1, 9, {100, 100, 300, 100}, 9, {{200, 110, 200, 190}, {200, 90, 200, 10}, {90, 100, 10, 100}, {310, 100, 390, 100}}},
             Row{6, 200, 1, 7, {-99, 100, 500, 100}, 7, {{200, 110, 200, 190}, {200, 90, 200, 10}}},
             Row{2, 100, 1, 9, {0, 50, 400, 50}, 7, {{200, 35, 200, 115}, {200, 65, 200, -14}}},
             Row{2, 200, 0, 9, {0, 100, 400, 100}, 0, {{200, 110, 200, 190}, {200, 90, 200, 10}}},
             Row{0, 200, 1, 7, {0, 100, 400, 100}, 7, {}}}) {
        for (bool fifth : {false, true}) {
            ds->showDimensions = row.dimensions;
            Draw(Roof(row.style, row.depth, fifth));
            const std::vector<Seg> lines = Lines(false), arrows = Lines();
            ASSERT_EQ(lines.size(), row.lines) << row.style;
            EXPECT_EQ(lines.back(), row.ridge) << row.style;
            const std::vector<std::string> texts = Texts();
            ASSERT_EQ(texts.size(), row.readouts + 2 * row.arrows.size()) << row.style;
            size_t ridgeLabels = 0;
            for (const std::string& t : texts) ridgeLabels += t.find(", RidgeHt=") != std::string::npos;
            EXPECT_EQ(ridgeLabels, row.dimensions ? 1u : 0u);
            ASSERT_EQ(arrows.size(), 3 * row.arrows.size()) << row.style;
            for (size_t i = 0; i < row.arrows.size(); ++i) EXPECT_EQ(arrows[3 * i], row.arrows[i]) << row.style << " " << i;
        }
    }
    Objex* panel = Make(objtype::kRoofPanel).closed().plan({{0, 0}, {300, 0}, {300, 200}, {0, 200}});
    std::vector<size_t> counts;
    for (int32_t flag : {0, 1}) {
        panel->firstPoint->segmentFlags = flag;
        context.ops.clear();
        Draw2DRoofPanel(nullptr, panel);
        counts.push_back(Texts().size());
    }
    EXPECT_EQ(counts, (std::vector<size_t>{4, 3}));
}

}  // namespace
