// The detail tool panes, the detail shape pane and the photo pane on an offscreen document
// window: what each shows, what a control writes (the tool panes: defaults only, never a step
// or a redraw), which steps an edit stores, and the pictures of the pattern and line styles.
#include <QCheckBox>
#include <QToolButton>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

#include "app/core/dialog_fields.h"
#include "model/custom_texture_list.h"
#include "model/docstate.h"
#include "port/qt/line_edit_field.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/tool_defaults.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "port/images.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/core/photo_pane_rules.h"
#include "ui/inspector/detail_panes.h"
#include "ui/inspector/photo_pane.h"
#include "ui/sheets/roroz_erud_info_controller.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

namespace dsh = objfield::detail_shape;

class DetailPanes : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("detail_panes"); }
    template <class Pane>
    Pane* pane(const char* name) {
        return static_cast<Pane*>(InspectorPaneRegistry::sharedInspectorController(name));
    }
    static void choose(TaggedPopUp* popUp, int tag) {
        const int index = popUp->findData(tag);
        ASSERT_GE(index, 0) << popUp->objectName().toStdString() << " " << tag;
        popUp->setCurrentIndex(index);
        emit popUp->activated(index);
    }
    Objex* rectangle(float d, bool selected = true) {
        Objex* o = Shape(design.first, objtype::kDetail, {{0, d}, {40, d}, {40, d + 30}, {0, d + 30}}, true,
                         detailsubtype::kRectangle);
        if (selected) Make(o).select();
        return o;
    }
    Objex* photo(float d) { return Make(objtype::kPhoto).plan({{0, d}, {100, d}}).on(design.first); }
    float inches(float plan) { return ConvertScreenToWorld(plan, ds, 0); }
    // The text the field shows for a length, typed back as a user would.
    void typeLength(QLineEdit* field, float inchesValue) {
        port::qt::LineEditField f(field);
        SetFloatItem(&f, inchesValue);
        type(field, field->text());
    }
};

TEST_F(DetailPanes, ToolPanesSetOnlyTheToolsGlobalsAndTheDocumentsDefaults) {
    auto* t1 = pane<DetailTool1InspectorController>("DetailTool1InspectorController");
    auto* t2 = pane<DetailTool2InspectorController>("DetailTool2InspectorController");
    const int before = steps();
    refreshes = 0;

    // A new document's multigon pane: 6 sides, the whole-shape level, automatic dimensions hidden.
    refreshWith({}, 7706);
    EXPECT_EQ(t2->multigonSidesText->text(), QStringLiteral("6"));
    EXPECT_EQ(t2->multigonSidesStepper->value(), 6);
    EXPECT_EQ(t2->editLevelButtons->selectedTag(), 0);
    EXPECT_FALSE(t2->displayDimsButton->isChecked());
    type(t2->multigonSidesText, "2");
    EXPECT_EQ(ds->multigonSides, 3);  // the fewest a multigon can have
    t2->multigonSidesStepper->upButton()->click();
    EXPECT_EQ(ds->multigonSides, 4);
    EXPECT_EQ(t2->multigonSidesText->text(), QStringLiteral("4"));

    // Draw methods: each sets its tool's globals; open shapes take no pattern.
    const struct {
        int16_t tool;
        int tag;
        std::function<bool()> holds;
        bool pattern;
    } methods[] = {
        {7703, 11, [] { return gClosePolyTool == 0; }, false},
        {7703, 10, [] { return gClosePolyTool == 1; }, true},
        {7707, 15, [] { return gCloseSplineTool == 0; }, false},
        {7707, 14, [] { return gCloseSplineTool == 1; }, true},
        {7700, 3, [] { return gLockRectTool == 1 && gCenterRectTool == 1; }, true},
        {7700, 0, [] { return gLockRectTool == 0 && gCenterRectTool == 0; }, true},
        {7700, 2, [] { return gLockRectTool == 1 && gCenterRectTool == 0; }, true},
    };
    for (const auto& m : methods) {
        refreshWith({}, m.tool);
        choose(t1->drawMethodPopUpButton, m.tag);
        EXPECT_TRUE(m.holds()) << m.tag;
        EXPECT_EQ(t1->patternPopUpButton->isEnabled(), m.pattern) << m.tag;
    }
    // Rectangle to line and back: the rectangle's method last chosen.
    refreshWith({}, 7702);
    EXPECT_EQ(t1->drawMethodPopUpButton->count(), 2);
    EXPECT_EQ(t1->drawMethodPopUpButton->selectedTag(), 8);
    refreshWith({}, 7700);
    EXPECT_EQ(t1->drawMethodPopUpButton->selectedTag(), 2);

    // Oval, arc and curve disable the dimension box, which still shows the document's setting.
    ds->detailDisplayDims = 0;
    for (int16_t tool : {7701, 7704, 7707, 7700}) {
        refreshWith({}, tool);
        EXPECT_TRUE(t1->displayDimsButton->isChecked()) << tool;
        EXPECT_EQ(t1->displayDimsButton->isEnabled(), tool == 7700) << tool;
    }
    t1->displayDimsButton->click();
    EXPECT_EQ(ds->detailDisplayDims, 1);

    // The whole number of a typed width; pattern, style and level write their defaults.
    type(t1->lineWidthText, "2.7");
    EXPECT_EQ(ds->penWidth, 2);
    EXPECT_EQ(t1->lineWidthStepper->value(), 2);
    choose(t1->lineStylePopUpButton, 9);
    choose(t1->patternPopUpButton, 5);
    t1->editLevelButtons->cellWithTag(1)->click();
    EXPECT_EQ(ds->penStyle, 9);
    EXPECT_EQ(gPattern, 5);
    EXPECT_EQ(ds->editLevel, 1);
    // Shown again, a pane keeps what was last chosen in it, whatever the defaults now hold.
    ds->penWidth = 7, ds->penStyle = 13;
    refreshWith({}, 7700);
    EXPECT_EQ(t1->lineWidthText->text(), QStringLiteral("2"));
    EXPECT_EQ(t1->lineStylePopUpButton->selectedTag(), 9);
    EXPECT_EQ(t1->editLevelButtons->selectedTag(), 1);
    refreshWith({}, 7706);
    EXPECT_EQ(t2->lineWidthText->text(), QStringLiteral("1"));
    EXPECT_EQ(t2->lineStylePopUpButton->selectedTag(), 6);

    EXPECT_EQ(steps(), before);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(DetailPanes, ShapeEditsStoreAStepWhenAShapeChangedAndAlwaysWriteTheDefault) {
    auto* p = pane<DetailObjectInspectorController>("DetailObjectInspectorController");
    Objex *a = design.detail, *b = design.detail2;
    dsh::kFirstWord(*a) = dsh::kFirstWord(*b) = 0;
    const struct {
        const char* what;
        std::vector<Objex*> selected;
        std::function<void()> act;
        const char* undo;  // null: no step
        std::function<bool()> holds;
    } rows[] = {
        {"pattern, nothing selected", {}, [&] { choose(p->patternPopUpButton, 4); }, nullptr,
         [&] { return gPattern == 4 && a->fillPattern == 0; }},
        {"pattern", {a}, [&] { choose(p->patternPopUpButton, 3); }, "Object Pattern",
         [&] { return gPattern == 3 && a->fillPattern == 3 && b->fillPattern == 0; }},
        {"same pattern", {a}, [&] { choose(p->patternPopUpButton, 3); }, nullptr, [] { return true; }},
        {"line style", {a, b}, [&] { choose(p->lineStylePopUpButton, 12); }, "Object Line Style",
         [&] { return a->penStyle == 12 && b->penStyle == 12 && ds->penStyle == 12; }},
        {"typed width", {a, b}, [&] { type(p->lineWidthText, "2.5"); }, "Object Line Width",
         [&] {
             return a->penWidth == 2.5f && b->penWidth == 2.5f && ds->penWidth == 2 && p->lineWidthStepper->value() == 2 &&
                    p->lineWidthText->text() == QStringLiteral("2");
         }},
        {"refused width", {a}, [&] { type(p->lineWidthText, "-1"); }, nullptr,
         [&] { return a->penWidth == 2.5f && p->lineWidthText->text() == QStringLiteral("2"); }},
        {"stepped width", {a}, [&] { p->lineWidthStepper->upButton()->click(); }, "Object Line Width",
         [&] { return a->penWidth == 3 && b->penWidth == 2.5f && ds->penWidth == 3; }},
        {"edit level", {a, b}, [&] { p->editLevelButtons->cellWithTag(1)->click(); }, "Object Edit Level",
         [&] {
             return dsh::kSecondWord(*a) == 1 && dsh::kSecondWord(*b) == 1 && ds->editLevel == 1 &&
                    IsObjectSelected(a) && IsObjectSelected(b);
         }},
        // Already shown, the shape is written again and counts.
        {"dimensions already shown", {a}, [&] { p->displayDimsButton->setChecked(false), p->displayDimsButton->click(); },
         "Object Auto-Dimensions", [&] { return dsh::kFirstWord(*a) == 0 && (ds->detailDisplayDims & 1) == 0; }},
        {"dimensions hidden", {a}, [&] { p->displayDimsButton->click(); }, "Object Auto-Dimensions",
         [&] { return dsh::kFirstWord(*a) == 1 && (ds->detailDisplayDims & 1) == 1; }},
    };
    for (const auto& r : rows) {
        refreshWith(r.selected);
        const int before = steps(), redraws = refreshes;
        r.act();
        EXPECT_EQ(steps(), before + (r.undo ? 1 : 0)) << r.what;
        if (r.undo) {
            EXPECT_EQ(undoTitle(), QLatin1String(r.undo)) << r.what;
        }
        EXPECT_TRUE(r.holds()) << r.what;
        if (std::string(r.what) != "refused width") {
            EXPECT_EQ(refreshes, redraws + 1) << r.what;
        }
    }

    // Shown: differing levels leave no cell; an oval disables the box; the menu is the selection's.
    dsh::kSecondWord(*a) = 0, dsh::kSecondWord(*b) = 2;
    b->subtype = detailsubtype::kOval;
    refreshWith({a, b});
    EXPECT_EQ(p->editLevelButtons->selectedTag(), -1);
    EXPECT_FALSE(p->displayDimsButton->isEnabled());
    EXPECT_LT(p->conversionPopUpButton->findData(10054), 0);  // a two-point shape: no floor
    refreshWith({a});
    EXPECT_EQ(p->editLevelButtons->selectedTag(), 0);
    EXPECT_TRUE(p->displayDimsButton->isEnabled());
    EXPECT_GE(p->conversionPopUpButton->findData(10077), 0);  // "Open Polygon"
    EXPECT_LT(p->conversionPopUpButton->findData(10070), 0);
    EXPECT_EQ(p->conversionPopUpButton->currentText(), QStringLiteral("Convert Object To..."));
}

TEST_F(DetailPanes, AConversionTurnsEverySelectedShapeAndLeavesTheOthers) {
    auto* p = pane<DetailObjectInspectorController>("DetailObjectInspectorController");
    Objex *r1 = rectangle(400), *kept = rectangle(500, false), *r2 = rectangle(600);
    refreshWith({r1, r2});
    const int before = steps();
    choose(p->conversionPopUpButton, 10054);
    EXPECT_EQ(r1->type, objtype::kFloor);
    EXPECT_EQ(r2->type, objtype::kFloor);
    EXPECT_EQ(kept->type, objtype::kDetail);
    EXPECT_EQ(steps(), before + 2);
    EXPECT_EQ(undoTitle(), QStringLiteral("Convert to Floor"));
}

TEST_F(DetailPanes, PhotoSizesShadowFlipAndImageEditTheSelectedPhotos) {
    auto* p = pane<RorozErudInspectorController>("RorozErudInspectorController");
    Objex *one = photo(400), *two = photo(500), *three = photo(600);
    objfield::photo::kHeight(*two) = ConvertWorldToScreen(96, ds, 0);
    for (Objex* o : {one, two, three}) objfield::photo::kMirrored(*o) = 0;
    refreshWith({one});
    EXPECT_FLOAT_EQ(p->oldWidthValue, inches(100));
    EXPECT_TRUE(p->imageInfoButton->isEnabled() && p->setImageButton->isEnabled());

    const struct {
        const char* what;
        std::function<void()> act;
        const char* undo;
        std::function<bool()> holds;
    } rows[] = {
        {"width", [&] { typeLength(p->photoWidthText, inches(60)); }, "RorozErud Width",
         [&] {
             const Poinz *a = one->firstPoint, *b = a->next;
             return std::abs(a->position[0] - 20) < 1e-3f && std::abs(b->position[0] - 80) < 1e-3f &&
                    a->position[2] == 400 && b->position[2] == 400 && one->firstPart;
         }},
        {"width 0", [&] { type(p->photoWidthText, "0"); }, nullptr,
         [&] { return std::abs(PhotoBaseLength(one) - 60) < 1e-3f && p->photoWidthText->text() != QStringLiteral("0"); }},
        {"width 10000", [&] { type(p->photoWidthText, "10000"); }, nullptr,
         [&] { return std::abs(PhotoBaseLength(one) - 60) < 1e-3f; }},
        {"height", [&] { typeLength(p->photoHeightText, 120); }, "RorozErud Height",
         [&] { return objfield::photo::kHeight(*one) == ConvertWorldToScreen(120, ds, 0); }},
        {"height 10000", [&] { type(p->photoHeightText, "10000"); }, nullptr,
         [&] { return objfield::photo::kHeight(*one) == ConvertWorldToScreen(120, ds, 0); }},
        {"no shadow", [&] { p->castShadowsButton->setChecked(true), p->castShadowsButton->click(); }, "RorozErud Shadow",
         [&] { return objfield::no_shadow::kMark(*one) == 1; }},
        {"flip", [&] { p->flipImageButton->click(); }, "Flip RorozErud Image",
         [&] { return objfield::photo::kMirrored(*one) == 1 && objfield::photo::kMirrored(*two) == 0; }},
    };
    for (const auto& r : rows) {
        const int before = steps();
        r.act();
        EXPECT_EQ(steps(), before + (r.undo ? 1 : 0)) << r.what;
        if (r.undo) {
            EXPECT_EQ(undoTitle(), QLatin1String(r.undo)) << r.what;
        }
        EXPECT_TRUE(r.holds()) << r.what;
    }
    // The refused entries showed the last accepted values again.
    port::qt::LineEditField width(p->photoWidthText), height(p->photoHeightText);
    EXPECT_NEAR(GetFloatItem(&width), inches(60), 0.07f);
    EXPECT_NEAR(GetFloatItem(&height), 120, 0.07f);

    // Two photos: one at a time for the buttons; the widths and heights differ.
    refreshWith({one, two});
    EXPECT_FALSE(p->imageInfoButton->isEnabled() || p->setImageButton->isEnabled());
    EXPECT_TRUE(p->photoWidthText->text().isEmpty());
    EXPECT_TRUE(p->photoHeightText->text().isEmpty());
    // The information sheet is the first selected photo's, on the document window.
    p->imageInfoButtonChanged();
    auto* info = w->findChild<RorozErudInfoController*>();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->targetObject(), one);
    info->reject();

    // Flip with nothing selected still stores its step.
    refreshWith({});
    int before = steps();
    p->flipImageButtonChanged();
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Flip RorozErud Image"));

    // One image for three photos: each its own copy and its own texture; Cancel changes nothing.
    ScriptedFileDialogs dialogs;
    port::setFileDialogs(&dialogs);
    dialogs.choose("/pictures/front.png");
    refreshWith({one, two, three});
    gCurrentPhotoTextureID = 20005;
    before = steps();
    const int redraws = refreshes;
    p->setImageButtonChanged();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].extensions, port::imageDecoder().fileTypes());
    int32_t id = 20005;
    for (Objex* o : {one, two, three}) {
        ASSERT_EQ(o->typeData.kind, TypeDataKind::ImagePath);
        EXPECT_STREQ(o->typeData.imagePath, "/pictures/front.png");
        EXPECT_EQ(std::vector<int32_t>({o->texture2, o->texture3, o->texture4, o->firstPoint->texture1,
                                        o->firstPoint->texture2, o->firstPoint->next->texture1, o->firstPoint->next->texture2}),
                  std::vector<int32_t>(7, id));
        ++id;
    }
    EXPECT_NE(one->typeData.imagePath, two->typeData.imagePath);
    EXPECT_EQ(gCurrentPhotoTextureID, 20008);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Set RorozErud Image"));
    EXPECT_EQ(refreshes, redraws);
    p->setImageButtonChanged();  // nothing scripted: Cancel
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(gCurrentPhotoTextureID, 20008);
    EXPECT_STREQ(one->typeData.imagePath, "/pictures/front.png");
}

TEST(DetailPictures, PreviewsStrokeThePlansDashesAndPatternsTheirTiles) {
    const auto inked = [](const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 64; };
    const struct {
        int16_t code;
        std::vector<int> on, off;  // columns of row 5
    } styles[] = {
        {6, {0, 30, 82}, {}},
        {9, {0, 19, 26, 45}, {20, 25, 46, 51}},  // 20 on, 6 off
        {10, {0, 7, 14}, {8, 13, 22}},           // 8 on, 6 off
    };
    for (const auto& s : styles) {
        const QImage preview = LineStylePreview(s.code);
        EXPECT_EQ(preview.size(), QSize(84, 12));
        for (int x : s.on) EXPECT_TRUE(inked(preview, x, 5)) << s.code << " at " << x;
        for (int x : s.off) EXPECT_FALSE(inked(preview, x, 5)) << s.code << " at " << x;
        EXPECT_FALSE(inked(preview, 40, 2)) << s.code;
    }
    // Inside the frame: nothing, all ink, or the tile's lines with paper between.
    const auto inkInside = [&](const QImage& image) {
        int n = 0;
        for (int y = 2; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() - 2; ++x) n += inked(image, x, y);
        return n;
    };
    const QImage empty = DetailPatternImage(0), solid = DetailPatternImage(2), horizontal = DetailPatternImage(6);
    const int inside = (empty.width() - 4) * (empty.height() - 4);
    EXPECT_EQ(inkInside(empty), 0);
    EXPECT_EQ(inkInside(DetailPatternImage(1)), 0);
    EXPECT_EQ(inkInside(solid), inside);
    for (int16_t code = 3; code <= 8; ++code) {
        const int n = inkInside(DetailPatternImage(code));
        EXPECT_GT(n, 0) << code;
        EXPECT_LT(n, inside / 2) << code;
    }
    // Horizontal lines: a column crosses ink, a row of ink runs the whole width.
    bool fullRow = false;
    for (int y = 2; y < horizontal.height() - 2; ++y) {
        bool all = true;
        for (int x = 2; x < horizontal.width() - 2; ++x) all &= inked(horizontal, x, y);
        fullRow |= all;
    }
    EXPECT_TRUE(fullRow);
}

}  // namespace
}  // namespace dvxtest
