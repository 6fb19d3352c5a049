// The virtual ruler painted into an offscreen image, and a line edit read as a text field.
#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "app/core/dialog_fields.h"
#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/base_2d_view.h"
#include "plan/virtual_ruler.h"
#include "port/qt/line_edit_field.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

class RulerPixels : public dvxtest::DocumentTest {
protected:
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(RulerPixels, YellowBodyWithBlackHandlesAndTicks) {
    dvxtest::SetPlanView();
    DocState* ds = doc->itsDocState;
    ds->zoomFactor = 1, ds->planScale = 36, ds->snapIncrement = {12, 12};
    doc->itsVRVisible = 1;
    doc->itsVRStartPt = {20, 60}, doc->itsVREndPt = {308, 60};
    SetMainWindowDocumentViewHandler([this] { return &view; });

    QImage image(330, 120, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 128));
    {
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        context.setAntialiasing(false);
        DrawVirtualRuler(nullptr);
    }
    const QRgb yellow = qRgb(255, 255, 0), black = qRgb(0, 0, 0);
    EXPECT_EQ(image.pixel(100, 60), yellow);        // body away from ticks and text edge
    EXPECT_EQ(image.pixel(34, 60), black);          // start handle's disc, 14 in
    EXPECT_EQ(image.pixel(294, 60), black);         // end handle's disc
    EXPECT_EQ(image.pixel(44, 37), black);          // first tick, short, at the top edge
    EXPECT_EQ(image.pixel(44, 42), yellow);         // ...shorter than the second
    EXPECT_EQ(image.pixel(68, 42), black);
    EXPECT_EQ(image.pixel(150, 20), qRgb(128, 128, 128));  // nothing beyond the hairs
}

TEST(LineEditField, CarriesMacRomanAcrossTheEdge) {
    QLineEdit edit;
    port::qt::LineEditField field(&edit);
    field.setText("30\xBC" "15");
    EXPECT_EQ(edit.text(), QString::fromUtf8("30º15"));
    edit.setText(QString::fromUtf8("30°15"));
    EXPECT_EQ(field.text(), "30\xA1" "15");
    EXPECT_FLOAT_EQ(GetFloatAngleItem(&field, false), 30.25f);
    field.setEnabled(false);
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_FALSE(field.isEnabled());
}

}  // namespace
