// The status bar's texts as the window receives them, at zoom 0.6 and scale 1:36.
#include <gtest/gtest.h>

#include <functional>

#include "app/core/status_bar_seams.h"
#include "plan/status_readouts.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/transforms.h"
#include "support/fixture.h"

namespace {

using StatusReadouts = dvxtest::DocumentTest;

TEST_F(StatusReadouts, ReadoutsLabelTheirValuesUnzoomedAndZeroClears) {
    DocState* ds = doc->itsDocState;
    ds->planScale = 36, ds->zoomFactor = 0.6f;
    std::string shown = "<none>";
    SetMainWindowStatusTextHandler([&](const std::string& text) { shown = text; });
    const std::string ten = "10'-0\"";
    const struct { std::function<void()> call; std::string text; } rows[] = {
        {[] { DrawAngle(32000.0f); }, ""},
        {[] { DrawAngle(0); }, "Angle: 0\xBC"},
        {[] { DrawLength(120); }, "Length: " + ten},
        {[] { DrawLength(0); }, ""},
        {[] { DrawViewLength(120); }, "View Distance: " + ten},
        {[] { DrawWH(0, 0, 72); }, "Height: " + ten},  // 72 zoomed units are 120
        {[&] { DrawWH(ConvertScreenToWorld(240, ds, 1), -72, 72); }, "Width: " + ten + ", Depth: " + ten + ", Height: " + ten},
        {[] { DrawWH(0, 0.2f, 0.3f); }, ""},
        {[] { DrawWHArea(240, 240); }, "Width: " + ten + ", Height: " + ten + ", Area: 100 sq.ft."},
        {[&] { ds->units = kMetricUnits, DrawWHArea(2400, 2400); }, "Width: 30.4801 m, Height: 30.4801 m, Area: 929 sq.m."},
    };
    for (const auto& row : rows) {
        row.call();
        EXPECT_EQ(shown, row.text);
    }
    MainWindowStatusText.Reset();
    DrawLength(30);  // no window: nothing shown
    EXPECT_EQ(shown, rows[9].text);
}

}  // namespace
