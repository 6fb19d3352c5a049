// The detail tool, detail shape and photo panes on an offscreen window: what each shows, what a
// control writes (the tool panes: defaults only, no step, no redraw) and which steps edits store.
#include <QCheckBox>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

#include "app/core/dialog_fields.h"
#include "model/custom_texture_list.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/tool_defaults.h"
#include "model/transforms.h"
#include "plan/base_2d_view.h"
#include "port/images.h"
#include "port/path.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include "port/qt/line_edit_field.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/core/photo_pane_rules.h"
#include "ui/inspector/detail_panes.h"
#include "ui/inspector/photo_pane.h"
#include "ui/sheets/sheet_dialog.h"
#include "app/document_view.h"

namespace dvxtest {
namespace {

namespace dsh = objfield::detail_shape;
namespace ph = objfield::photo;

class DetailPanes : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("detail_panes"); }
    template <class Pane>
    Pane* pane(const char* name) {
        return static_cast<Pane*>(InspectorPaneRegistry::sharedInspectorController(name));
    }
    static void choose(TaggedPopUp* popUp, int tag) {
        popUp->setCurrentIndex(popUp->findData(tag)), emit popUp->activated(popUp->currentIndex());
    }
    float inches(float plan) { return ConvertScreenToWorld(plan, ds, 0); }
    // The length as the field writes it, typed back.
    void typeLength(QLineEdit* field, float value) {
        port::qt::LineEditField f(field);
        SetFloatItem(&f, value), type(field, field->text());
    }
    // One edit: the step it stores (none for a null name) and what must then hold.
    struct Edit {
        const char* what;
        std::vector<Objex*> selected;
        std::function<void()> act;
        const char* undo;
        std::function<bool()> holds;
    };
    void run(const Edit& e) {
        refreshWith(e.selected);
        const int before = steps(), redraws = refreshes;
        e.act();
        EXPECT_EQ(std::pair(steps(), e.holds()), std::pair(before + (e.undo ? 1 : 0), true)) << e.what;
        EXPECT_TRUE(!e.undo || undoTitle() == QLatin1String(e.undo)) << e.what << ": " << undoTitle().toStdString();
        lastRedraws = refreshes - redraws;
    }
    int lastRedraws = 0;
};

TEST_F(DetailPanes, ToolPanesSetOnlyTheToolsGlobalsAndTheDocumentsDefaults) {
    auto* t1 = pane<DetailTool1InspectorController>("DetailTool1InspectorController");
    auto* t2 = pane<DetailTool2InspectorController>("DetailTool2InspectorController");
    const int before = steps();
    // A new document's multigon pane: 6 sides, the whole-shape level, automatic dimensions hidden.
    refreshWith({}, 7706);
    EXPECT_EQ(std::tuple(t2->multigonSidesText->text(), t2->multigonSidesStepper->value(),
                         t2->editLevelButtons->selectedTag(), t2->displayDimsButton->isChecked()),
              std::tuple(QStringLiteral("6"), 6, 0, false));

    // Draw methods: each sets its tool's globals; open shapes take no pattern.
    for (const auto& [tool, tag, global, value] :
         {std::tuple<int16_t, int, uint8_t*, int>{7703, 11, &gClosePolyTool, 0}, {7703, 10, &gClosePolyTool, 1},
          {7707, 15, &gCloseSplineTool, 0}, {7707, 14, &gCloseSplineTool, 1}, {7700, 3, &gLockRectTool, 1},
          {7700, 0, &gLockRectTool, 0}}) {
        refreshWith({}, tool), choose(t1->drawMethodPopUpButton, tag);
        EXPECT_EQ(std::pair(int(*global), t1->patternPopUpButton->isEnabled()), std::pair(value, tag != 11 && tag != 15)) << tag;
        EXPECT_TRUE(tool != 7700 || gCenterRectTool == value) << tag;  // both rectangle globals
    }
    // Rectangle to line and back: the rectangle's method last chosen.
    choose(t1->drawMethodPopUpButton, 2);
    refreshWith({}, 7702);
    EXPECT_EQ(std::pair(t1->drawMethodPopUpButton->count(), t1->drawMethodPopUpButton->selectedTag()), std::pair(2, 8));
    refreshWith({}, 7700);
    EXPECT_EQ(t1->drawMethodPopUpButton->selectedTag(), 2);

    // Oval, arc and curve disable the dimension box, which still shows the document's setting.
    ds->detailDisplayDims = 0;
    for (int16_t tool : {7701, 7704, 7707, 7700}) {
        refreshWith({}, tool);
        EXPECT_EQ(std::pair(t1->displayDimsButton->isChecked(), t1->displayDimsButton->isEnabled()),
                  std::pair(true, tool == 7700)) << tool;
    }
    t1->displayDimsButton->click();
    type(t1->lineWidthText, "2.7");
    choose(t1->lineStylePopUpButton, 9);
    choose(t1->patternPopUpButton, 5);
    t1->editLevelButtons->cellWithTag(1)->click();
    EXPECT_EQ(std::tuple(ds->detailDisplayDims, ds->penWidth, t1->lineWidthStepper->value(), ds->penStyle, gPattern, ds->editLevel),
              std::tuple(1, int16_t(2), 2, int16_t(9), int16_t(5), 1));
    // Shown again, a pane keeps what was last chosen in it, whatever the defaults now hold.
    ds->penWidth = 7, ds->penStyle = 13;
    refreshWith({}, 7700);
    EXPECT_EQ(std::pair(t1->lineWidthText->text(), t1->lineStylePopUpButton->selectedTag()), std::pair(QStringLiteral("2"), 9));
    refreshWith({}, 7706);
    EXPECT_EQ(std::pair(t2->lineWidthText->text(), t2->lineStylePopUpButton->selectedTag()), std::pair(QStringLiteral("1"), 6));
    EXPECT_EQ(std::pair(steps(), refreshes), std::pair(before, 0));  // none since the design was opened
}

// The Fill pop-up's hatch pictures as the pane shows them, against a shape filled with the same
// hatch on the plan from the plan's origin: ink at exactly the same pixels, lines falling to
// the right for the forward diagonal and rising for the backward one.
TEST_F(DetailPanes, FillPicturesShowEachHatchAsThePlanDrawsIt) {
    auto* t1 = pane<DetailTool1InspectorController>("DetailTool1InspectorController");
    refreshWith({}, 7700);
    const RGBColor black{0, 0, 0}, white{65535, 65535, 65535};
    const auto dark = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    for (const auto& [code, title] : {std::pair{3, "Forward diagonal"}, {4, "Backward diagonal"}, {5, "Diagonal cross"}}) {
        QImage plan(64, 48, QImage::Format_RGB32);
        plan.fill(Qt::gray);
        {
            port::qt::QPainterContext context(&plan);
            port::DrawingScope scope(context);
            context.setAntialiasing(false);
            FakeViewHost host;
            Base2DView view(&host);
            port::Path shape;  // beyond the image: its outline is not in view
            shape.moveTo(-10, -10), shape.lineTo(74, -10), shape.lineTo(74, 58), shape.lineTo(-10, 58), shape.closePath();
            view.drawDetailPatternObject(&shape, int16_t(code), &black, &white, 1);
        }
        const int index = t1->patternPopUpButton->findData(code);
        ASSERT_GE(index, 0) << title;
        EXPECT_EQ(t1->patternPopUpButton->itemText(index).toStdString(), title);
        const QImage picture = t1->patternPopUpButton->itemIcon(index).pixmap(32, 16).toImage();
        ASSERT_EQ(picture.size(), QSize(32, 16)) << title;
        int ink = 0, differ = 0, falling = 0, rising = 0;
        for (int y = 1; y < 15; ++y)  // inside the picture's frame
            for (int x = 1; x < 31; ++x) {
                ink += dark(picture, x, y), differ += dark(picture, x, y) != dark(plan, x, y);
                if (dark(picture, x, y) && y > 1 && y < 14 && x < 30)
                    falling += dark(picture, x + 1, y + 1), rising += dark(picture, x + 1, y - 1);
            }
        EXPECT_EQ(differ, 0) << title;
        EXPECT_GT(ink, 30) << title;
        if (code == 3) {
            EXPECT_GT(falling, 5 * rising) << title;
        }
        if (code == 4) {
            EXPECT_GT(rising, 5 * falling) << title;
        }
    }
}

TEST_F(DetailPanes, ShapeEditsStoreAStepWhenAShapeChangedAndAlwaysRedrawAndWriteTheDefault) {
    auto* p = pane<DetailObjectInspectorController>("DetailObjectInspectorController");
    Objex *a = design.detail, *b = design.detail2;
    dsh::kFirstWord(*a) = dsh::kFirstWord(*b) = 0;
    const Edit edits[] = {
        {"pattern, nothing selected", {}, [&] { choose(p->patternPopUpButton, 4); }, nullptr,
         [&] { return gPattern == 4 && a->fillPattern == 0; }},
        {"pattern", {a}, [&] { choose(p->patternPopUpButton, 3); }, "Object Pattern",
         [&] { return a->fillPattern == 3 && b->fillPattern == 0; }},
        {"same pattern", {a}, [&] { choose(p->patternPopUpButton, 3); }, nullptr, [] { return true; }},
        {"line style", {a, b}, [&] { choose(p->lineStylePopUpButton, 12); }, "Object Line Style",
         [&] { return a->penStyle == 12 && b->penStyle == 12 && ds->penStyle == 12; }},
        {"typed width", {a, b}, [&] { type(p->lineWidthText, "2.5"); }, "Object Line Width",
         [&] {
             return a->penWidth == 2.5f && b->penWidth == 2.5f && ds->penWidth == 2 && p->lineWidthStepper->value() == 2 &&
                    p->lineWidthText->text() == QStringLiteral("2");
         }},
        {"focus leaves the rewritten field", {a, b}, [&] { w->docView()->setFocus(); }, nullptr,
         [&] { return a->penWidth == 2.5f; }},
        {"edit level", {a, b}, [&] { p->editLevelButtons->cellWithTag(1)->click(); }, "Object Edit Level",
         [&] { return dsh::kSecondWord(*a) == 1 && dsh::kSecondWord(*b) == 1 && IsObjectSelected(a) && IsObjectSelected(b); }},
        // Already shown, the shape is written again and counts.
        {"dimensions already shown", {a}, [&] { p->displayDimsButton->setChecked(false), p->displayDimsButton->click(); },
         "Object Auto-Dimensions", [&] { return dsh::kFirstWord(*a) == 0 && ds->detailDisplayDims == 0; }},
    };
    for (const Edit& e : edits) {
        run(e);
        EXPECT_EQ(lastRedraws, std::string(e.what).starts_with("focus") ? 0 : 1) << e.what;
    }

    // Shown: differing levels leave no cell and an oval disables the box.
    dsh::kSecondWord(*b) = 2, b->subtype = detailsubtype::kOval;
    refreshWith({a, b});
    EXPECT_EQ(std::pair(p->editLevelButtons->selectedTag(), p->displayDimsButton->isEnabled()), std::pair(-1, false));
    // The conversion menu, rebuilt for the selection (separators as "-").
    const auto menu = [&] {
        QString m = "|";
        for (int i = 0; i < p->conversionPopUpButton->count(); ++i)
            m += (p->conversionPopUpButton->itemText(i).isEmpty() ? "-" : p->conversionPopUpButton->itemText(i)) + "|";
        return m.toStdString();
    };
    refreshWith({a});  // closed, three points
    EXPECT_EQ(menu(), "|Convert Object To...|Interior Wall|Exterior Wall|-|Staircase|Railing|-|Floor|Floor Cutout|-|"
                      "Freehand Roof|-|Deck With Railing|Deck Without Railing|Deck Stairs|Deck Railing|Deck Cutout|-|"
                      "Property Line|Ground Fill Region|Edging|Fence|Retaining Wall|Topography|Topography Excavation|-|"
                      "Open Polygon|");
    Objex* open = Shape(design.first, objtype::kDetail, {{0, 700}, {40, 700}, {40, 730}}, false);
    const struct {
        std::vector<Objex*> selected;
        std::vector<const char*> offered, missing;
    } menus[] = {
        {{a, open}, {"|Floor|"}, {"Polygon|", "Pathway"}},           // open and closed
        {{b}, {"|Pathway/Driveway|"}, {"Polygon|", "|Floor|"}},       // two points
    };
    for (const auto& m : menus) {
        refreshWith(m.selected);
        for (const char* item : m.offered) EXPECT_NE(menu().find(item), std::string::npos) << item << menu();
        for (const char* item : m.missing) EXPECT_EQ(menu().find(item), std::string::npos) << item << menu();
    }
    PointAt(open, 1)->outTangent[2] = 5;  // curved
    refreshWith({open});
    EXPECT_EQ(menu().find("|Fence|"), std::string::npos);

    // Two selected rectangles become floors in one step (the ground computed and the scene
    // built once, after the last); the one between stays.
    Objex* r[3];
    for (int i = 0; i < 3; ++i) r[i] = Shape(design.first, objtype::kDetail, {{0, 400.f + 50 * i}, {40, 400}, {40, 430}}, true);
    const int before = steps();
    refreshWith({r[0], r[2]}), choose(p->conversionPopUpButton, 10054);
    EXPECT_EQ(std::tuple(r[0]->type, r[1]->type, r[2]->type, steps()), std::tuple(objtype::kFloor, objtype::kDetail, objtype::kFloor, before + 1));
}

TEST_F(DetailPanes, PhotoSizesShadowFlipAndImageEditTheSelectedPhotos) {
    auto* p = pane<RorozErudInspectorController>("RorozErudInspectorController");
    Objex* photos[3];
    for (int i = 0; i < 3; ++i) {
        photos[i] = Make(objtype::kPhoto).plan({{0, 400.f + 100 * i}, {100, 400.f + 100 * i}}).on(design.first);
        ph::kMirrored(*photos[i]) = 0;
    }
    Objex *one = photos[0], *two = photos[1];
    ph::kHeight(*two) = ConvertWorldToScreen(96, ds, 0);
    const auto length = [&] { return PhotoBaseLength(one); };
    const Edit edits[] = {
        {"width", {one}, [&] { typeLength(p->photoWidthText, inches(60)); }, "RorozErud Width",
         [&] {
             const Poinz *a = one->firstPoint, *b = a->next;
             return std::abs(a->position[0] - 20) < 1e-3f && std::abs(b->position[0] - 80) < 1e-3f &&
                    a->position[2] == 400 && b->position[2] == 400 && one->firstPart;
         }},
        {"width 0", {one}, [&] { type(p->photoWidthText, "0"); }, nullptr,
         [&] {
             port::qt::LineEditField shown(p->photoWidthText);
             return std::abs(length() - 60) < 1e-3f && std::abs(GetFloatItem(&shown) - inches(60)) < 0.07f;
         }},
        // Refused over two sizes, the field shows the last one again; that is no entry.
        {"focus leaves the field shown again", {one, two}, [&] { type(p->photoWidthText, "10000"), w->docView()->setFocus(); },
         nullptr, [&] { return std::abs(length() - 60) < 1e-3f; }},
        {"height", {one}, [&] { typeLength(p->photoHeightText, 120); }, "RorozErud Height",
         [&] { return ph::kHeight(*one) == ConvertWorldToScreen(120, ds, 0); }},
        {"flip", {one}, [&] { p->flipImageButton->click(); }, "Flip RorozErud Image",
         [&] { return ph::kMirrored(*one) == 1 && ph::kMirrored(*two) == 0; }},
        {"flip, nothing selected", {}, [&] { p->flipImageButtonChanged(); }, "Flip RorozErud Image", [] { return true; }},
    };
    for (const Edit& e : edits) run(e);

    // Two photos: one at a time for the buttons; the sizes differ.
    refreshWith({one, two});
    EXPECT_EQ(std::tuple(p->imageInfoButton->isEnabled(), p->setImageButton->isEnabled(), p->photoWidthText->text(),
                         p->photoHeightText->text()),
              std::tuple(false, false, QString(), QString()));

    // One image for three photos: each its own copy and texture, no redraw; Cancel changes nothing.
    ScriptedFileDialogs dialogs;
    port::setFileDialogs(&dialogs);
    dialogs.choose("/pictures/front.png");
    gCurrentPhotoTextureID = 20005;
    run({"image", {photos[0], photos[1], photos[2]}, [&] { p->setImageButtonChanged(), p->setImageButtonChanged(); },
         "Set RorozErud Image", [&] { return gCurrentPhotoTextureID == 20008 && one->typeData.imagePath != two->typeData.imagePath; }});
    EXPECT_EQ(lastRedraws, 0);
    EXPECT_EQ(dialogs.asked.at(0).extensions, port::imageDecoder().fileTypes());
    for (int32_t i = 0; i < 3; ++i) {
        const Objex* o = photos[i];
        const Poinz *a = o->firstPoint, *b = a->next;
        EXPECT_EQ(std::tuple(std::string(o->typeData.imagePath), o->texture2, o->texture3, o->texture4, a->texture1, a->texture2,
                             b->texture1, b->texture2),
                  std::tuple(std::string("/pictures/front.png"), 20005 + i, 20005 + i, 20005 + i, 20005 + i, 20005 + i,
                             20005 + i, 20005 + i));
    }
}

}  // namespace
}  // namespace dvxtest
