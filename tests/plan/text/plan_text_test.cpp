// Plan labels, text objects, rubber-band labels and door and window callouts: where their
// boxes fall, how they turn and how large they are, against the recording context's metrics
// (7 units a character by 12).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "plan/base_2d_view.h"
#include "plan/plan_objects.h"
#include "plan/text/plan_text.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

using dvxtest::DrawnOp;

class PlanTextTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1.0f;
        ds->font.lfHeight = -16;
        ds->penColor = {0, 65535, 0};
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    void Zoom(float z) { ds->zoomFactor = z; }
    // The one text drawn: its centre, its turn on screen (degrees, clockwise positive).
    const DrawnOp& Drawn() const {
        EXPECT_EQ(context.ops.size(), 1u);
        return context.ops.back();
    }
    static std::pair<double, double> Centre(const DrawnOp& op) { return {op.state.matrix.tx, op.state.matrix.ty}; }
    const QMDDynamicDimElement& Element() const { return *view.dynamicDrawEngine->dynamicDimArray.back(); }
    static std::string Readout(float plan) {
        char out[kReadoutSize] = {};
        ConvertInchesToStr(ConvertScreenToWorld(plan, CurrentDocState(), 0), out);
        return out;
    }

    DocState* ds = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    Base2DView view;
};

TEST_F(PlanTextTest, BoxesStandOffTheirAnchors) {
    // "ab" measures 14 x 12: a 20 x 12 box, 6 units off the anchor toward angle - 90.
    const struct { float angle; std::pair<double, double> centre; double turn; } rows[] = {
        {0, {100, 106}, 0}, {90, {106, 100}, -90}, {180, {100, 94}, -180}};
    for (const auto& row : rows) {
        context.ops.clear();
        DrawNormalTextNoOrientation(nullptr, "ab", 100, 100, row.angle);
        EXPECT_EQ(Centre(Drawn()), row.centre) << row.angle;
        EXPECT_NEAR(Drawn().angle, row.turn, 1e-9) << row.angle;
        EXPECT_EQ(Drawn().state.fill, (port::Color{0, 1, 0, 1}));
    }

    context.ops.clear();
    const FloatRect box{10, 20, 50, 120};
    LOGFONT font = ds->font;
    font.lfOrientation = 450;
    DrawStandardText(nullptr, "std", &box, &font, 1);
    EXPECT_EQ(Drawn().kind, DrawnOp::Kind::TextInRect);
    EXPECT_EQ(std::tuple(Drawn().rect.x, Drawn().rect.y, Drawn().rect.width, Drawn().rect.height),
              std::tuple(20.0, 10.0, 100.0, 45.0));  // 5 taller than the box
    EXPECT_EQ(std::pair(Drawn().alignment, Drawn().angle), std::pair(port::TextAlignment::Center, 0.0));

    context.ops.clear();
    DrawDynamicText(nullptr, "ab", 100, 100, 0);
    EXPECT_TRUE(context.ops.empty());
    ASSERT_EQ(view.dynamicDrawEngine->dynamicDimArray.size(), 1u);
    const PlatformRect r = Element().textRect;
    EXPECT_EQ(std::tuple(r.x, r.y, r.width, r.height), std::tuple(90.f, 87.f, 20.f, 12.f));  // 7 above
    EXPECT_FALSE(Element().backingPath);

    SetMainWindowDocumentViewHandler(nullptr);
    DrawNormalText(nullptr, "ab", 0, 0, 0);
    DrawDynamicText(nullptr, "ab", 0, 0, 0);
    EXPECT_EQ(view.dynamicDrawEngine->dynamicDimArray.size(), 1u);
    EXPECT_TRUE(context.ops.empty());
}

TEST_F(PlanTextTest, LabelsReadUprightAndPrintedTextTurnsATenth) {
    for (auto [angle, tenths] : {std::pair(180.f, 3600), {270.f, 4500}, {90.f, 900}, {271.f, 2710}}) {
        DrawDynamicText(nullptr, "x", 0, 0, angle);
        EXPECT_EQ(std::pair(Element().textFontInfo.lfEscapement, Element().textFontInfo.lfOrientation),
                  std::pair(tenths, tenths)) << angle;
    }
    LOGFONT font = ds->font;
    DrawRotatedText(nullptr, "r", 0, 0, 90, &font);
    EXPECT_NEAR(Drawn().angle, -90, 1e-9);
    gPrinting = 1;
    context.ops.clear();
    DrawRotatedText(nullptr, "r", 0, 0, 90, &font);
    EXPECT_NEAR(Drawn().angle, -90.1, 1e-9);  // escapement 901
}

TEST_F(PlanTextTest, HeightsFollowZoomButStayReadable) {
    const struct { float zoom; int32_t tracking; } rows[] = {{0.6f, -12}, {0.25f, -10}, {2, -40}};
    for (const auto& row : rows) {
        Zoom(row.zoom);
        DrawDynamicText(nullptr, "x", 0, 0, 0);
        EXPECT_EQ(Element().textFontInfo.lfHeight, row.tracking) << row.zoom;
        EXPECT_EQ(Element().textFontInfo.lfItalic, 1);
    }
    ds->font.lfHeight = -1;
    Zoom(0.3f);
    DrawNormalText(nullptr, "n", 0, 0, 0);
    EXPECT_EQ(Drawn().height, 1);  // zero becomes -1
    context.ops.clear();
    ApplePortDrawPseudoDynamicText("elev", 0, 0, 0);
    EXPECT_EQ(Drawn().state.fill, (port::Color{0, 0, 1, 1}));
}

TEST_F(PlanTextTest, CalloutsNameDoorKindsAndStandOffTheWall) {
    AttachmentRecord record;
    record.width = 72, record.height = 144;
    const struct { int16_t owner, style; const char* suffix; } rows[] = {
        {16, 508, " Fr"}, {16, 500, " CO"}, {16, 503, " OHD"}, {16, 501, ""}, {16, 512, ""}, {17, 508, ""}};
    for (const auto& row : rows) {
        context.ops.clear();
        record.ownerType = row.owner, record.style = row.style;
        DrawAttachmentCalloutText(nullptr, &record, 0, 100, 200, 100, 100, 100, 1, 10);
        EXPECT_EQ(Drawn().text, Readout(72) + " x " + Readout(144) + row.suffix) << row.style;
    }
    EXPECT_EQ(Centre(Drawn()), std::pair(100.0, 82.0));  // offset + 8 to the left of the run

    context.ops.clear();
    SetLocalizedStringHandler([](const char* key) { return std::string(key) == "%s x %s" ? "%d %s by %s %s" : key; });
    Zoom(2);
    DrawAttachmentCalloutText(nullptr, &record, 200, 100, 0, 100, 100, 100, 1, 10);
    EXPECT_EQ(Drawn().text, "%d " + Readout(72) + " by " + Readout(144) + " ");
    EXPECT_EQ(Centre(Drawn()), std::pair(200.0, 236.0));  // running left: its left is below
    EXPECT_NEAR(std::remainder(Drawn().angle, 360), 0, 1e-9);  // 180 reads as 360

    context.ops.clear();
    ds->showCallouts = 0;
    DrawAttachmentCalloutText(nullptr, &record, 0, 100, 200, 100, 100, 100, 1, 10);
    EXPECT_TRUE(context.ops.empty());
}

}  // namespace
