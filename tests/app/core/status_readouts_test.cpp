// The status bar's texts as the window receives them, at a zoom other than 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/status_bar_seams.h"
#include "app/core/status_readouts.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "support/fixture.h"

namespace {

class StatusReadoutsTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->planScale = 36, ds->zoomFactor = 0.6f;
        SetMainWindowStatusTextHandler([this](const std::string& text) { shown.push_back(text); });
    }
    std::string Last() const { return shown.empty() ? "<none>" : shown.back(); }
    static std::string Inches(float inches) {
        char text[kReadoutSize] = "";
        ConvertInchesToStr(inches, text);
        return text;
    }
    DocState* ds = nullptr;
    std::vector<std::string> shown;
};

TEST_F(StatusReadoutsTest, ReadoutsLabelTheirValuesAndZeroClears) {
    char zero[kReadoutSize] = "";
    ConvertAngleToStr(0, zero);
    const struct {
        void (*call)();
        std::string text;
    } rows[] = {
        {[] { DrawAngle(32000.0f); }, ""},
        {[] { DrawAngle(0); }, std::string("Angle: ") + zero},
        {[] { DrawLength(0); }, ""},
        {[] { DrawLength(30); }, "Length: " + Inches(30)},
        {[] { DrawDiameter(30); }, "Diameter: " + Inches(30)},
        {[] { DrawViewLength(30); }, "View Distance: " + Inches(30)},
        {[] { UpdateRadius(0); }, ""},
        {[] { SetStatusBar(nullptr); }, ""},
        {[] { SetStatusBar("Ready"); }, "Ready"},
        {[] { ClearStatusBar(); }, ""},
        // Zoomed lengths read unzoomed: 72 zoomed units at 0.6 are 120.
        {[] { DrawWH(0, 0, 72); }, "Height: " + Inches(120)},
        {[] { DrawWH(72, -72, 72); }, "Width: " + Inches(120) + ", Depth: " + Inches(120) + ", Height: " + Inches(120)},
        {[] { DrawWH(0, 0.2f, 0.3f); }, ""},
    };
    for (const auto& row : rows) {
        row.call();
        EXPECT_EQ(Last(), row.text);
    }
    EXPECT_EQ(Inches(30), "2'-6\"");
}

TEST_F(StatusReadoutsTest, WorldLengthsWithTheZoomFlagReadTheirUnzoomedSize) {
    DrawWH(ConvertScreenToWorld(240, ds, 1), 0, 0);
    EXPECT_EQ(Last(), "Width: 10'-0\"");
}

TEST_F(StatusReadoutsTest, AreaReadsInWholeSquareFeetOrMetres) {
    DrawWHArea(240, 240);
    EXPECT_EQ(Last(), "Width: 10'-0\", Height: 10'-0\", Area: 100 sq.ft.");
    ds->units = kMetricUnits;
    DrawWHArea(2400, 2400);  // 1200 inches square: 30.48 m on a side
    const std::string text = Last();
    EXPECT_EQ(text.substr(text.rfind(", Area: ")), ", Area: 929 sq.m.");
    DrawWHArea(0, 0);
    EXPECT_EQ(Last(), "");
}

TEST_F(StatusReadoutsTest, NothingHappensWithoutTheWindowOrTheDocument) {
    MainWindowStatusText.Reset();
    DrawLength(30);
    DrawWHArea(240, 240);
    EXPECT_TRUE(shown.empty());

    SetMainWindowStatusTextHandler([this](const std::string& text) { shown.push_back(text); });
    CurrentDocumentScope none(nullptr);
    UpdateRadius(30);
    DrawWHArea(240, 240);
    EXPECT_TRUE(shown.empty());
}

}  // namespace
