// The virtual ruler painted offscreen, and a line edit read as a text field.
#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "app/core/dialog_fields.h"
#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/virtual_ruler.h"
#include "port/qt/line_edit_field.h"
#include "port/qt/painter_context.h"
#include "plan/base_2d_view.h"
#include "support/fixture.h"

namespace {

using RulerPixels = dvxtest::DocumentTest;

TEST_F(RulerPixels, YellowBodyWithBlackHandlesAndTicks) {
    doc->itsDocState->zoomFactor = 1, doc->itsDocState->planScale = 36, doc->itsDocState->snapIncrement = {12, 12};
    doc->itsVRVisible = 1, doc->itsVRStartPt = {20, 60}, doc->itsVREndPt = {308, 60};
    Base2DView view;
    SetMainWindowDocumentViewHandler([&] { return &view; });
    QImage image(330, 120, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 128));
    {
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        context.setAntialiasing(false);
        DrawVirtualRuler(nullptr);
    }
    const QRgb yellow = qRgb(255, 255, 0), black = qRgb(0, 0, 0);
    // The body, the handles 14 in, a short tick then a long one, nothing beyond the hairs.
    const std::tuple<int, int, QRgb> probes[] = {{100, 60, yellow}, {34, 60, black}, {294, 60, black}, {44, 37, black},
                                                 {44, 44, yellow}, {68, 44, black}, {150, 20, qRgb(128, 128, 128)}};
    for (const auto& [x, y, colour] : probes) EXPECT_EQ(image.pixel(x, y), colour) << x << "," << y;
}

TEST(LineEditField, CarriesMacRomanAcrossTheEdge) {
    QLineEdit edit;
    port::qt::LineEditField field(&edit);
    field.setText("30\xBC" "15");
    EXPECT_EQ(edit.text(), QString::fromUtf8("30º15"));
    edit.setText(QString::fromUtf8("30°15"));
    EXPECT_FLOAT_EQ(GetFloatAngleItem(&field, false), 30.25f);
    field.setEnabled(false);
    EXPECT_FALSE(edit.isEnabled());
}

}  // namespace
