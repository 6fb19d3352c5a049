// The light, skylight, imported object, accessory and plant panes on a document window of the
// offscreen platform: what each shows for the tool and for one or several objects, and what
// its controls do to the objects, the undo list and the tool defaults; and the pictures of
// every style list of the panes and sheets.
#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/event_handler.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "content/core/content_selection_seams.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/tool_defaults.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "plan/refresh_seams.h"
#include "port/qt/platform.h"
#include "model/render_state.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/inspector_design.h"
#include "support/qt/inspector_window_fixture.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/inspector_tables.h"
#include "ui/inspector/light_panes.h"
#include "ui/inspector/object_panes.h"
#include "ui/inspector/skylight_pane.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

namespace lf = objfield::light;

class InspectorPanes : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("inspector_panes"); }

    void refreshWith(const std::vector<Objex*>& objects, int16_t tool = toolid::kSelect) {
        InspectorWindowTest::refreshWith(objects, tool, objects.empty() ? 0 : 1);
    }
    template <class Pane> Pane* pane(const char* name) {
        return static_cast<Pane*>(InspectorPaneRegistry::sharedInspectorController(name));
    }
    QLineEdit* edit(InspectorPane* p, const char* outlet) {
        return p->inspectorView()->findChild<QLineEdit*>(QString::fromLatin1(outlet));
    }
    // A fixture light: a group of two pieces holding its type code.
    Objex* lightGroup(int32_t code, float x) {
        Objex* a = Make(objtype::kLine).plan({{x, 400}, {x + 10, 400}}).on(design.first);
        Objex* b = Make(objtype::kLine).plan({{x, 410}, {x + 10, 410}}).on(design.first);
        Objex* g = Group(design.first, {a, b});
        lf::kSymbolType(*g) = code;
        return g;
    }

};

TEST_F(InspectorPanes, LightToolShowsAndSetsTheDefaultsOnly) {
    refreshWith({}, 7109);
    auto* p = pane<LightToolInspectorController>("LightToolInspectorController");
    EXPECT_EQ(p->lightStyleTableView->selectedRow(), 0);
    EXPECT_EQ(p->dimmerPercentLabel->text(), QStringLiteral("75 %"));
    EXPECT_EQ(p->radiusValueLabel->text(), QStringLiteral("20"));
    EXPECT_EQ(p->falloffValueLabel->text(), QStringLiteral("2"));
    EXPECT_TRUE(p->lightOnButton->isChecked() && p->glowButton->isChecked());
    EXPECT_FALSE(p->ambientButton->isChecked());

    p->lightStyleTableView->selectRow(2);
    EXPECT_EQ(ds->lightStyle, 151);
    EXPECT_TRUE(p->radiusSlider->isEnabled() && p->glowButton->isEnabled() && p->ambientButton->isEnabled());

    // The label follows a drag; the default is written on release, with no step.
    const int before = steps();
    p->radiusSlider->setValue(30);
    EXPECT_EQ(p->radiusValueLabel->text(), QStringLiteral("30"));
    EXPECT_EQ(ds->lightRadius, 80);
    emit p->radiusSlider->released(30);
    EXPECT_EQ(ds->lightRadius, 90);
    p->lightOnButton->click();
    EXPECT_EQ(ds->lightOn, 0);
    EXPECT_EQ(steps(), before);
}

TEST_F(InspectorPanes, LightObjectsMergeEnableAndTakeEditsInGroupsAndPieces) {
    auto* p = pane<LightObjectInspectorController>("LightObjectInspectorController");
    struct Row {
        int16_t type;
        bool radius, glow, ambient;
    };
    const Row rows[] = {{147, true, false, false}, {149, true, true, false}, {79, false, true, false}};
    for (const Row& r : rows) {
        Objex* light = Make(r.type).plan({{60, 60}}).on(design.first);
        p->glowButton->setEnabled(true);
        p->updatePropertiesForObject(light, true);
        EXPECT_EQ(p->radiusSlider->isEnabled(), r.radius) << r.type;
        EXPECT_EQ(p->glowButton->isEnabled(), r.glow) << r.type;
        EXPECT_EQ(p->ambientButton->isEnabled(), r.ambient) << r.type;
    }
    // Dimmers 63 and 0 differ: slider and label at 0; a later 80 never enables ambient again.
    lf::kDimmer(*design.light79) = 63, lf::kDimmer(*design.light150) = 0;
    refreshWith({design.light79, design.light150});
    EXPECT_EQ(p->dimmerSlider->value(), 0);
    EXPECT_EQ(p->dimmerPercentLabel->text(), QStringLiteral("0 %"));
    EXPECT_FALSE(p->ambientButton->isEnabled());

    // Light off on two groups: both groups and every piece, one step, the default off.
    Objex* g1 = lightGroup(150, 700);
    Objex* g2 = lightGroup(80, 760);
    refreshWith({g1->firstChild, g2->firstChild});
    int before = steps();
    p->lightOnButton->setChecked(true);
    p->lightOnButton->click();
    for (Objex* g : {g1, g2}) {
        EXPECT_EQ(lf::kOff(*g), 1);
        EXPECT_EQ(g->needsRebuild, 1);
        for (Objex* c = g->firstChild; c; c = c->next) EXPECT_EQ(lf::kOff(*c), 1);
    }
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Light Switch On/Off"));
    EXPECT_EQ(ds->lightOn, 0);
    EXPECT_EQ(gRefreshRender, 1);
    // Ambient reaches the pieces only: the group keeps its type code.
    p->ambientButton->setEnabled(true);
    p->ambientButton->setChecked(false);
    p->ambientButton->click();
    EXPECT_EQ(lf::kSymbolType(*g1), 150);
    EXPECT_EQ(lf::kAmbient(*g1->firstChild), 1);

    // Nothing selected: the step is stored all the same.
    refreshWith({});
    before = steps();
    emit p->dimmerSlider->released(50);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Light Dimmer"));
    EXPECT_EQ(ds->lightDimmer, 127);
}

TEST_F(InspectorPanes, FloodLightFalloffReachesTheSelectedFloodLightsAndTheDefault) {
    Objex* flood = Attach(design.wall, objtype::kComponent, PointAt(design.wall, 0), PointAt(design.wall, 1), 50, 350);
    flood->subtype = 83;
    flood->layer = design.first;
    Make(flood).plan({{50, 0}});
    refreshWith({flood});
    auto* p = pane<FloodLightInspectorController>("FloodLightInspectorController");
    EXPECT_EQ(p->ambientButton, nullptr);
    const int before = steps();
    emit p->falloffSlider->released(1);
    EXPECT_EQ(lf::kFalloff(*flood), 3);
    EXPECT_EQ(ds->lightFalloff, 3);
    EXPECT_EQ(design.wall->needsRebuild, 1);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Light Falloff"));
}

TEST_F(InspectorPanes, SkylightFieldsRefuseMergeAndRefit) {
    doc->itsCurLayer = design.third;
    auto* p = pane<SkylightInspectorController>("SkylightInspectorController");
    RoofAttachmentRecord* r = design.skylight->typeData.roofAttachment;
    r->style = 800;
    refreshWith({design.skylight});
    ASSERT_TRUE(p->skylightWidthText->isEnabled());

    struct Row {
        const char* name;
        QLineEdit* field;
        QString typed;
        int steps;
    };
    const float trim = ConvertScreenToWorld(r->trimWidth, ds, 0);
    // Refused input shows the default, which the new width has become (leaving a field
    // applies what it shows).
    const Row rows[] = {
        {"the same trim", p->skylightTrimText, QString::number(trim), 0},
        {"a new width", p->skylightWidthText, QStringLiteral("30"), 1},
        {"zero refused", p->skylightWidthText, QStringLiteral("0"), 0},
        {"20000 refused", p->skylightWidthText, QStringLiteral("20000"), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int before = steps();
        type(row.field, row.typed);
        EXPECT_EQ(steps(), before + row.steps);
    }
    EXPECT_FLOAT_EQ(r->width, ConvertWorldToScreen(30, ds, 0));
    EXPECT_FLOAT_EQ(ds->skylightWidth, 30);
    EXPECT_EQ(undoTitle(), QStringLiteral("Skylight Width"));
    EXPECT_EQ(p->skylightWidthText->text(), QStringLiteral("2'-6\""));

    // Octagonal has no height.
    p->skylightStyleTableView->selectRow(1);
    EXPECT_EQ(r->style, 801);
    EXPECT_FALSE(p->skylightHeightText->isEnabled());
    EXPECT_EQ(undoTitle(), QStringLiteral("Skylight Style"));

    // Styles 800 and 802 together: no row, every field disabled.
    Objex* second = nullptr;
    RoofWithSkylight(design.third, 802, &second);
    p->skylightStyleTableView->selectRow(0);
    refreshWith({design.skylight, second});
    EXPECT_EQ(p->skylightStyleTableView->selectedRow(), -1);
    EXPECT_EQ(gSkylightStyleRow, -1);
    EXPECT_FALSE(p->skylightWidthText->isEnabled() || p->skylightHeightText->isEnabled() ||
                 p->skylightTrimText->isEnabled());

    // Custom, with the skylight tool current: section 8's first entry, its pop-up disabled.
    // With no custom window to build from, both skylights keep their style and outline, no
    // step is stored, the pane shows them again and the tool default is the first one's style.
    std::vector<std::pair<int, bool>> palette;
    SetContentPaletteSelectCategoryHandler([&](int16_t c, bool first) { palette.emplace_back(c, first); });
    SetContentPaletteSetCategorySelectionAbilityHandler([&](bool on) { palette.emplace_back(-1, on); });
    const auto outline = [](const Objex* o) {
        std::vector<float> at;
        for (const Poinz* q = o->firstPoint; q; q = q->next) at.insert(at.end(), q->position, q->position + 3);
        return at;
    };
    const std::vector<float> firstOutline = outline(design.skylight), secondOutline = outline(second);
    ASSERT_FALSE(firstOutline.empty() || secondOutline.empty());
    const int before = steps();
    gCurTool = 7310;
    p->skylightStyleTableView->selectRow(3);
    EXPECT_EQ(palette, (std::vector<std::pair<int, bool>>{{8, true}, {-1, false}, {-1, true}}));
    EXPECT_EQ(std::tuple(r->style, second->typeData.roofAttachment->style, steps()), std::tuple(800, 802, before));
    EXPECT_EQ(outline(design.skylight), firstOutline);
    EXPECT_EQ(outline(second), secondOutline);
    EXPECT_EQ(ds->skylightStyle, 800);
    EXPECT_EQ(p->skylightStyleTableView->selectedRow(), -1);
    EXPECT_FALSE(alerts.shown.empty()) << "no word of the missing definition";

    // One skylight alone: its own row again.
    refreshWith({second}, 7310);
    p->skylightStyleTableView->selectRow(3);
    EXPECT_EQ(std::tuple(second->typeData.roofAttachment->style, ds->skylightStyle, gSkylightStyleRow, steps()),
              std::tuple(802, 802, 2, before));
    EXPECT_EQ(p->skylightStyleTableView->selectedRow(), 2);
    EXPECT_TRUE(p->skylightWidthText->isEnabled() && !p->skylightHeightText->isEnabled());
    SetContentPaletteSelectCategoryHandler(nullptr);
    SetContentPaletteSetCategorySelectionAbilityHandler(nullptr);
}

TEST_F(InspectorPanes, PlantAgesAreBoundedAndChangeOnlyWhatDiffers) {
    auto* p = pane<PlantInspectorController>("PlantInspectorController");
    objfield::plant::kPlantingAge(*design.plant) = 5;
    objfield::plant::kPlantingAge(*design.plant2) = 3;
    refreshWith({design.plant, design.plant2});
    QLineEdit* age = edit(p, "plantAgeText");
    EXPECT_EQ(age->text(), QString());
    EXPECT_EQ(p->prevAgeValue, 5);
    for (const char* refused : {"21", "-1"}) {
        const int before = steps();
        type(age, QString::fromLatin1(refused));
        EXPECT_EQ(age->text(), QStringLiteral("5")) << refused;
        EXPECT_EQ(steps(), before) << refused;
    }
    const int before = steps();
    type(age, QStringLiteral("5"));
    EXPECT_EQ(objfield::plant::kPlantingAge(*design.plant2), 5);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Age Planted"));
}

TEST_F(InspectorPanes, AccessoryLengthsTransparencyAndDefaults) {
    Objex* acc = Attach(design.wall, objtype::kAccessory, PointAt(design.wall, 2), PointAt(design.wall, 3), 200, 200);
    acc->layer = design.first;
    Make(acc).plan({{200, 300}, {180, 300}});
    acc->typeData.attachment->width = 20, acc->typeData.attachment->height = 20;
    objfield::accessory::kTranslucency(*acc) = 128;
    refreshWith({acc});
    auto* p = pane<AccessoryInspectorController>("AccessoryInspectorController");
    EXPECT_EQ(gdsAccessoryTranslucency, 128);
    EXPECT_EQ(p->transPercentLabel->text(), QStringLiteral("50 %"));

    ds->planScale = ds->planScale * 2;  // another drawing scale leaves the offset in inches
    type(edit(p, "accessoryOffsetText"), QStringLiteral("4"));
    EXPECT_FLOAT_EQ(acc->typeData.attachment->swingOrOffset, 4);
    type(edit(p, "accessoryWidthText"), QStringLiteral("30"));
    EXPECT_FLOAT_EQ(acc->typeData.attachment->width, ConvertWorldToScreen(30, ds, 0));
    EXPECT_EQ(undoTitle(), QStringLiteral("Accessory Width"));

    // Released with nothing selected: only the default, no step, no plan redraw.
    refreshWith({});
    const int before = steps(), redraws = refreshes;
    emit p->transparencySlider->released(100);
    EXPECT_EQ(gdsAccessoryTranslucency, 255);
    EXPECT_FLOAT_EQ(objfield::accessory::kTranslucency(*acc), 128);
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(refreshes, redraws);
}

TEST_F(InspectorPanes, ShadowsOffReachAGroupAndItsImportedObject) {
    Objex* solid = Make(objtype::kFentrix).plan({{700, 700}, {720, 720}}).on(design.first);
    Objex* group = Group(design.first, {solid});
    refreshWith({solid});
    auto* p = pane<ObjectInspectorController>("ObjectInspectorController");
    gCurFentrixObject = nullptr;
    p->updatePropertiesForObject(solid, true);
    EXPECT_EQ(gCurFentrixObject, group);
    ASSERT_TRUE(p->castShadowsButton->isChecked());
    const int before = steps();
    p->castShadowsButton->click();
    EXPECT_EQ(objfield::fentrix::kShadowOff(*group), 1);
    EXPECT_EQ(objfield::fentrix::kShadowOff(*solid), 1);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Fentrix Shadow"));
}

TEST_F(InspectorPanes, NamesGoToSelectedTopLevelObjectsOfEveryFloor) {
    refreshWith({design.plant, design.roof});
    AssignStringToSelectedObjects("");
    EXPECT_EQ(design.plant->text, nullptr);
    AssignStringToSelectedObjects("Maple");
    EXPECT_STREQ(design.plant->text, "Maple");
    EXPECT_STREQ(design.roof->text, "Maple");
    EXPECT_EQ(design.plant2->text, nullptr);
}

// The pictures of a style list's rows as the list shows them.
std::vector<QImage> RowPictures(const QListWidget* list) {
    std::vector<QImage> pictures;
    for (int r = 0; r < list->count(); ++r) pictures.push_back(list->item(r)->icon().pixmap(48, 48).toImage());
    return pictures;
}

// Each row has a drawing of its own: none blank, none the same as another.
::testing::AssertionResult DistinctDrawings(const std::vector<QImage>& pictures) {
    for (size_t i = 0; i < pictures.size(); ++i) {
        const QImage& a = pictures[i];
        int ink = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) ink += qGray(a.pixel(x, y)) < 128 && qAlpha(a.pixel(x, y)) > 128;
        // The stand-in for a missing picture is a bare frame: 4 x 47 dark pixels.
        if (ink <= 4 * 47) return ::testing::AssertionFailure() << "row " << i << " has no drawing";
        for (size_t j = 0; j < i; ++j)
            if (pictures[j] == a) return ::testing::AssertionFailure() << "rows " << j << " and " << i << " look alike";
    }
    return ::testing::AssertionSuccess();
}

TEST_F(InspectorPanes, TheLightAndSkylightStyleListsShowADrawingPerStyle) {
    refreshWith({}, 7109);
    auto* light = pane<LightToolInspectorController>("LightToolInspectorController");
    EXPECT_EQ(light->lightStyleTableView->count(), 3);
    EXPECT_TRUE(DistinctDrawings(RowPictures(light->lightStyleTableView)));

    doc->itsCurLayer = design.third;
    auto* skylight = pane<SkylightInspectorController>("SkylightInspectorController");
    refreshWith({design.skylight});
    EXPECT_EQ(skylight->skylightStyleTableView->count(), 4);
    EXPECT_TRUE(DistinctDrawings(RowPictures(skylight->skylightStyleTableView)));
}

// The pictures of a list's rows or a pop-up's items as the control shows them: each icon at
// the control's icon size over the control's base colour.
std::vector<QImage> ShownPictures(const QWidget* control) {
    std::vector<QIcon> icons;
    QSize size;
    if (const auto* list = qobject_cast<const QListWidget*>(control)) {
        for (int r = 0; r < list->count(); ++r) icons.push_back(list->item(r)->icon());
        size = list->iconSize();
    } else if (const auto* popUp = qobject_cast<const QComboBox*>(control)) {
        for (int r = 0; r < popUp->count(); ++r) icons.push_back(popUp->itemIcon(r));
        size = popUp->iconSize();
    }
    std::vector<QImage> shown;
    for (const QIcon& icon : icons) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(control->palette().color(QPalette::Base));
        QPainter painter(&image);
        icon.paint(&painter, image.rect());
        shown.push_back(image);
    }
    return shown;
}

// Pictures a user tells apart: none like another (a few pixels of clearly other grey at least)
// and, where `drawn`, each with ink inside its edge (a missing picture shows as a bare frame).
::testing::AssertionResult DistinctAsShown(const std::vector<QImage>& pictures, QColor base, bool drawn) {
    const auto differing = [](const QImage& a, const QImage& b, QRect in) {
        int n = 0;
        for (int y = in.top(); y <= in.bottom(); ++y)
            for (int x = in.left(); x <= in.right(); ++x) n += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 40;
        return n;
    };
    for (size_t i = 0; i < pictures.size(); ++i) {
        const QImage& a = pictures[i];
        QImage blank(a.size(), QImage::Format_RGB32);
        blank.fill(base);
        if (drawn && differing(a, blank, a.rect().adjusted(2, 2, -2, -2)) < 4)
            return ::testing::AssertionFailure() << "item " << i << " shows no picture";
        for (size_t j = 0; j < i; ++j)
            if (differing(pictures[j], a, a.rect()) < 4)
                return ::testing::AssertionFailure() << "items " << j << " and " << i << " look alike";
    }
    return ::testing::AssertionSuccess();
}

// Every style list and pop-up of the panes and sheets that shows a picture per style: each
// style has a picture of its own, as the control shows it.
TEST_F(InspectorPanes, EveryStyleListShowsADistinctPicturePerStyle) {
    const auto inPane = [this](int16_t tool, const char* name, const char* outlet) {
        return [this, tool, name, outlet]() -> QWidget* {
            refreshWith({}, tool);
            InspectorPane* p = pane<InspectorPane>(name);
            return p ? p->inspectorView()->findChild<QWidget*>(QString::fromLatin1(outlet)) : nullptr;
        };
    };
    struct Row {
        const char* what;
        std::function<QWidget*()> control;
        int count;
        bool drawn = true;  // every picture has ink of its own (the white of "Solid background" has none)
    };
    const Row rows[] = {
        {"wall styles", inPane(7050, "WallToolInspectorController", "wallStyleTableView"), 2},
        {"window styles", inPane(7057, "WindowInspectorController", "windowStyleTableView"), 2},
        {"door styles", inPane(7056, "DoorInspectorController", "doorStyleTableView"), 4},
        {"light styles", inPane(7109, "LightToolInspectorController", "lightStyleTableView"), 3},
        {"skylight styles", inPane(7310, "SkylightInspectorController", "skylightStyleTableView"), 4},
        {"fill patterns", inPane(7700, "DetailTool1InspectorController", "patternPopUpButton"), 9, false},
        {"line styles", inPane(7700, "DetailTool1InspectorController", "lineStylePopUpButton"), 8},
        {"dimension arrows", [this]() -> QWidget* {
             Win32EventHandler(AsCommandWindow(w)).setDimensionPropertiesUsingWindow();
             for (SheetDialog* s : w->findChildren<SheetDialog*>())
                 if (s->isVisible()) return s->findChild<QComboBox*>(QStringLiteral("dimStylePopUpButton"));
             return nullptr;
         }, 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QWidget* control = r.control();
        ASSERT_NE(control, nullptr);
        const std::vector<QImage> pictures = ShownPictures(control);
        EXPECT_EQ(int(pictures.size()), r.count);
        EXPECT_TRUE(DistinctAsShown(pictures, control->palette().color(QPalette::Base), r.drawn));
    }
}

}  // namespace
}  // namespace dvxtest
