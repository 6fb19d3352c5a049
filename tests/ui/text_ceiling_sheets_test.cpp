// The text, ceiling builder, photo information and small value sheets on a document window of
// the offscreen platform, on the inspector fixture design: what each shows, what its OK stores
// and the undo steps it leaves.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include "app/core/event_handler.h"
#include "app/document_view.h"
#include "files/content_folders.h"
#include "files/copy_paste.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/inspector_panel.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_state.h"
#include "model/tool_defaults.h"
#include "plan/text_objects.h"
#include "support/drawing_doubles.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/core/sheet_seams.h"
#include "ui/sheets/font_selection.h"
#include "ui/sheets/roroz_erud_info_controller.h"
#include "ui/sheets/text_entry_controller.h"

namespace dvxtest {
namespace {

using W = Win32EventHandler;
using Typed = std::vector<std::pair<const char*, QString>>;

class TextCeilingSheets : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("text_ceiling_sheets"); }
    SheetDialog* sheet() {
        for (SheetDialog* s : w->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    template <class T = QLineEdit>
    T* find(const char* outlet) { return sheet()->findChild<T*>(QString::fromLatin1(outlet)); }
    std::string shown(const char* outlet) { return find(outlet)->text().toStdString(); }
    bool press(const char* button) {
        QPointer<SheetDialog> s = sheet();
        if (!s) return false;
        QTest::mouseClick(s->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return s.isNull(); })) return false;
        // The window, given the keyboard back, took the plan's redraws back too: counted again.
        SetRefreshHandler([this] { ++refreshes; });
        return true;
    }
    bool open(void (W::*opener)()) { return (W(AsCommandWindow(w)).*opener)(), sheet() != nullptr; }
    // Types into the fields (a check box's outlet: "1" ticks it) and presses OK.
    bool ok(const Typed& typed) {
        for (const auto& [outlet, text] : typed) {
            if (auto* box = find<QAbstractButton>(outlet)) box->setChecked(text == "1");
            else find(outlet)->setText(text);
        }
        return press("okButton");
    }
};

// The photo's file as it is named, found by its file name in the content folder, or nowhere;
// the object's own path is never rewritten.
TEST_F(TextCeilingSheets, PhotoInformationShowsTheFileFoundAndItsSize) {
    const std::string own = FreshTempFolder("photo_own") + "/porch.png", content = LocalDomainContentPath();
    QDir().mkpath(QString::fromStdString(content));
    EXPECT_TRUE(QImage(30, 20, QImage::Format_RGB32).save(QString::fromStdString(own), "PNG"));
    EXPECT_TRUE(QImage(12, 48, QImage::Format_RGB32).save(QString::fromStdString(content + "/moved.png"), "PNG"));
    const std::vector<std::string> rows[] = {
        {own, own, "30 pixels", "20 pixels"},
        {"/gone/away/moved.png", content + "/moved.png", "12 pixels", "48 pixels"},
        {"/gone/away/none.png", "Image not found.", "n/a", "n/a"},
    };
    for (const std::vector<std::string>& r : rows) {
        SCOPED_TRACE(r[0]);
        FreeString(design.photo->typeData.imagePath);
        design.photo->typeData = TypeData::OfImagePath(CopyString(r[0].c_str()));
        ASSERT_TRUE(RorozErudInfoController::newRorozErudInfoSheetForParent(w->centralWidget(), design.photo));
        EXPECT_EQ(std::tuple(sheet()->parentWidget(), sheet()->windowModality(), find<QLabel>("previewImageView")->pixmap().isNull()),
                  std::tuple(static_cast<QWidget*>(w), Qt::WindowModal, r[3] == "n/a"));
        auto text = [this](const char* o) { return find<QLabel>(o)->text().toStdString(); };
        EXPECT_EQ((std::vector{r[0], find<QPlainTextEdit>("pathTextView")->toPlainText().toStdString(), text("imageWidthText"),
                               text("imageHeightText")}), r);
        ASSERT_TRUE(press("okButton"));
        EXPECT_EQ(design.photo->typeData.imagePath, r[0]);
    }
    EXPECT_EQ(RorozErudInfoController::newRorozErudInfoSheetForParent(nullptr, design.photo), nullptr);
    EXPECT_EQ(RorozErudInfoController::newRorozErudInfoSheetForParent(w, nullptr), nullptr);
    EXPECT_EQ(std::tuple(sheet(), steps()), std::tuple(nullptr, 0));
}

// Text measures 7 units a character and 12 high here: "Kitchen" records 50 by 12. A rotated
// frame is laid out 20 square and then grown to the text.
struct TextRow {
    const char* name;
    int16_t type;  // of the text edited; 0 for new text
    const char *text, *angle;
    int tag, typeAfter;  // alignment chosen; the type after (0: none)
    std::vector<std::pair<float, float>> frame;
    float angleAfter;
    int16_t alignment;
    const char* undo;  // null: nothing stored
};
const std::vector<std::pair<float, float>> kOldBox = {{0, 0}, {100, 0}, {100, 40}, {0, 40}},
                                          kNewBox = {{200, 300}, {250, 300}, {250, 312}, {200, 312}};
const TextRow kTextRows[] = {
    {"ShorterKeepsTheBox", 145, "Kitchen", "0", 2, 145, kOldBox, 0, 2, "Edit Text"},
    {"LongerWidensTheBox", 145, "Kitchen and dining", "0", 0, 145, {{0, 0}, {130, 0}, {130, 40}, {0, 40}}, 0, 0, "Edit Text"},
    {"RotatedIsRefitted", 144, "Kitchen", "45", 0, 144, {{0, 0}, {50, 0}, {50, 20}, {0, 20}}, 45, 0, "Edit Text"},
    {"ClearedChangesNothing", 145, "", "0", 1, 145, kOldBox, 0, 0, nullptr},
    {"NewLeftAtNoAngleIsStandard", 0, "Kitchen", "0", 0, 145, kNewBox, 0, 0, "Insert Text"},
    {"NewAngledIsRotated", 0, "Kitchen", "30", 0, 144, kNewBox, 30, 0, "Insert Text"},
    {"NewCentredIgnoresTheAngle", 0, "Kitchen", "30", 1, 145, kNewBox, 0, 1, "Insert Text"},
    {"NewEmptyMakesNothing", 0, "", "0", 0, 0, {}, 0, 0, nullptr},
};

TEST_F(TextCeilingSheets, TextSheetEditsOrInsertsTextWithFramesFromItsMetrics) {
    RecordingContext metrics;
    port::DrawingScope measuring(metrics);
    // The plan is not drawn as the window takes the keyboard back: a draw would refit a rotated
    // text's frame to the screen's fonts.
    w->docView()->setUpdatesEnabled(false);
    gUpX = 200, gUpY = 10, gUpZ = 300, gEndMouse = {-5000, -5000};  // over no text
    QFont bold(QStringLiteral("Sans"), 20);
    bold.setBold(true);
    for (const TextRow& r : kTextRows) {
        SCOPED_TRACE(r.name);
        w->document()->undoStack()->clear();
        SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
        RefreshSelectionState40();  // nothing selected, counted
        const int before = CountObjects(design.first->firstObject), redrawn = refreshes;
        Objex* o = nullptr;
        if (r.type) o = Make(r.type).plan({{0, 0}, {100, 0}, {100, 40}, {0, 40}}).closed().text("Hi").on(design.first);
        NewTextEntrySheetForParent(AsCommandWindow(w), o);
        ASSERT_TRUE(sheet());
        find<QPlainTextEdit>("textView")->setPlainText(r.text);
        find<RadioMatrix>("alignmentButtons")->selectTag(r.tag);
        static_cast<TextEntryController*>(sheet())->fontSelection()->setSelectedFont(bold);
        ASSERT_TRUE(ok({{"angleText", r.angle}}));
        if (!o && CountObjects(design.first->firstObject) > before) o = ListOf(design.first->firstObject).back();
        EXPECT_EQ(std::tuple(steps(), undoTitle(), refreshes - redrawn), std::tuple(r.undo ? 1 : 0, QString(r.undo ? r.undo : ""), 1));
        ASSERT_EQ(o != nullptr, r.typeAfter != 0);
        // What the sheet left selected, new text or none, is what the selection's summary counts.
        const SelectionState40 left = ds->ss40;
        RefreshSelectionState40();
        EXPECT_EQ(std::tuple(left.ssStateFresh, left.ssBaseElevation, left.ssBaseElevationValue),
                  std::tuple(ds->ss40.ssStateFresh, ds->ss40.ssBaseElevation, ds->ss40.ssBaseElevationValue));
        if (!o) continue;
        const TextData* t = o->typeData.text;
        EXPECT_EQ(std::tuple(int(o->type), std::string(t->text), PlanPositions(o), objfield::text_object::kAngle(*o),
                             objfield::text_object::Alignment(*o)),
                  std::tuple(r.typeAfter, std::string(r.undo ? r.text : "Hi"), r.frame, r.angleAfter, r.alignment));
        if (r.undo) { EXPECT_EQ(std::tuple(t->font.lfHeight, t->font.lfWeight, t->hasFont), std::tuple(-20, 700, uint8_t(1))); }
        if (!r.type) { EXPECT_EQ(std::tuple(PointAt(o, 0)->position[1], o->planBits), std::tuple(10.0f, ds->currentPlanBit)); }
    }
}

// The angle field and its slider count from different places; only new text lets the
// alignment turn the angle off.
TEST_F(TextCeilingSheets, TextAngleFieldAndSliderFollowEachOther) {
    NewTextEntrySheetForParent(AsCommandWindow(w), nullptr);
    ASSERT_TRUE(sheet());
    QLineEdit* angle = find("angleText");
    auto* slider = find<QSlider>("angleSlider");
    for (const auto& [typed, text, value] : {std::tuple("400", "0", 90), std::tuple("-3", "0", 90),
                                             std::tuple("30", "30", 60), std::tuple("100", "100", 350)}) {
        angle->setText(typed);
        emit angle->editingFinished();
        EXPECT_EQ(std::pair(angle->text(), slider->value()), std::pair(QString(text), value)) << typed;
    }
    for (const auto& [value, text] : {std::pair(0, "90"), std::pair(180, "270"), std::pair(90, "0"), std::pair(91, "359")}) {
        slider->setValue(value);
        EXPECT_EQ(angle->text(), text) << value;
    }
    find<RadioMatrix>("alignmentButtons")->selectTag(1);
    EXPECT_FALSE(angle->isEnabled());
    ASSERT_TRUE(press("cancelButton"));
}

// A standard text keeps the alignment the sheet gave it wherever the text goes: read back from
// the design file, brought back by an undo, pasted. Seen as the plan draws it and as the sheet
// shows it on the text.
TEST_F(TextCeilingSheets, AStandardTextKeepsItsAlignmentThroughTheFileAnUndoAndAPaste) {
    static const char* const kTexts[] = {"Left", "Centred", "Right"};
    const auto findText = [this](const char* text, bool last) {
        Objex* found = nullptr;
        for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next)
            if (o->type == objtype::kEnhancedText && o->typeData.text && std::string(o->typeData.text->text) == text) {
                found = o;
                if (!last) break;
            }
        return found;
    };
    // Each text's alignment as drawn (0 left, 1 centred, 2 right) and as the sheet's choice.
    const auto seen = [&](bool pasted) {
        std::vector<std::pair<int, int>> out;
        for (const char* text : kTexts) {
            Objex* o = findText(text, pasted);
            if (!o) return out;
            RecordingContext drawn;
            {
                port::DrawingScope drawing(drawn);
                DrawTextStandardObject(nullptr, o);
            }
            int alignment = -1;
            for (const DrawnOp& op : drawn.ops)
                if (op.kind == DrawnOp::Kind::TextInRect) alignment = int(op.alignment);
            NewTextEntrySheetForParent(AsCommandWindow(w), o);
            const int tag = sheet() ? find<RadioMatrix>("alignmentButtons")->selectedTag() : -1;
            if (sheet()) press("cancelButton");
            out.emplace_back(alignment, tag);
        }
        return out;
    };
    ASSERT_EQ(int(port::TextAlignment::Center), 1);
    ASSERT_EQ(int(port::TextAlignment::Right), 2);
    const std::vector<std::pair<int, int>> given = {{0, 0}, {1, 1}, {2, 2}};
    gUndoActive = 1;
    InitializeUndo();
    gEndMouse = {-5000, -5000};  // over no text
    for (int tag = 0; tag < 3; ++tag) {
        gUpX = 300, gUpY = 0, gUpZ = 400.0f + 40 * tag;
        NewTextEntrySheetForParent(AsCommandWindow(w), nullptr);
        ASSERT_TRUE(sheet());
        find<QPlainTextEdit>("textView")->setPlainText(kTexts[tag]);
        find<RadioMatrix>("alignmentButtons")->selectTag(tag);
        ASSERT_TRUE(ok({{"angleText", "0"}}));
    }
    ASSERT_EQ(seen(false), given);

    // Another step, taken back: the texts come from the snapshot before it.
    Objex* more = Make(objtype::kPolygon).on(doc->itsCurLayer).closed().plan({{0, 0}, {10, 0}, {10, 10}});
    ASSERT_TRUE(more);
    StoreUndo("Polygon");
    ASSERT_TRUE(DoUndo());
    EXPECT_EQ(seen(false), given) << "after an undo";

    // Copied and pasted: the pasted texts come after the copied ones.
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    for (const char* text : kTexts) SelectObj(findText(text, false), selmode::kSelect, 0);
    DoCopyObjects();
    DoPasteObjects();
    ASSERT_NE(findText("Right", true), findText("Right", false));
    EXPECT_EQ(seen(true), given) << "pasted";

    const std::string path = folders->temporaryBase() + "/aligned.pro";
    ASSERT_NE(KeyFileWrite(path.c_str()), 0);
    ASSERT_NE(KeyFileRead(path.c_str()), 0);
    EXPECT_EQ(seen(false), given) << "read from the design file";
}

// Opens on one selected wall only; thicknesses, the soffit extension and the join confirmed
// come back, cancelled ones do not; OK is one step for all it built, deselects and redraws.
TEST_F(TextCeilingSheets, CeilingBuilderBuildsFromOneWallAsOneStep) {
    EXPECT_FALSE(open(&W::showCeilingBuilderUsingWindow));  // no wall selected
    Make(design.wall).select();
    ASSERT_TRUE(open(&W::showCeilingBuilderUsingWindow));
    EXPECT_EQ((std::vector{shown("soffitThicknessText"), shown("soffitExtensionText"), shown("floorThicknessText"),
                           shown("ceilingThicknessText")}),
              (std::vector<std::string>{"3\"", "1'-6\"", "1'-0\"", "1'-0\""}));
    ASSERT_TRUE(ok({{"buildSoffitsButton", "1"}, {"soffitThicknessText", "5"}, {"soffitExtensionText", "2'"},
                    {"joinSoffitsButton", "1"}, {"floorThicknessText", "7"}}));  // floors not asked: not kept
    Make(design.wall).select();
    ASSERT_TRUE(open(&W::showCeilingBuilderUsingWindow));
    EXPECT_EQ((std::vector{shown("soffitThicknessText"), shown("soffitExtensionText"), shown("floorThicknessText")}),
              (std::vector<std::string>{"5\"", "2'-0\"", "1'-0\""}));
    EXPECT_TRUE(find<QAbstractButton>("joinSoffitsButton")->isChecked());
    find("soffitThicknessText")->setText("9");
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(gSoffitThickness, 5.0f);

    const std::tuple<const char*, bool, Typed, int> rows[] = {
        {"NoBoxBuildsNothing", false, {}, 0},
        {"FloorsAndCeilings", false, {{"buildFloorsButton", "1"}, {"buildCeilingsButton", "1"}}, 2},
        {"SoffitsPerSegment", false, {{"buildSoffitsButton", "1"}, {"joinSoffitsButton", "0"}}, 4},
        // A straight wall: soffits need more than two points, and a floor's outline of two is
        // one a read throws away.
        {"NothingOnTwoPoints", true, {{"buildSoffitsButton", "1"}, {"buildFloorsButton", "1"}}, 0},
    };
    for (const auto& [name, twoPoints, boxes, made] : rows) {
        SCOPED_TRACE(name);
        w->document()->undoStack()->clear();
        Objex* wall = twoPoints ? Wall(design.first, {{0, 600}, {200, 600}}) : design.wall;
        Make(wall).select();
        const int before = CountObjects(design.first->firstObject), redrawn = refreshes;
        ASSERT_TRUE(open(&W::showCeilingBuilderUsingWindow));
        ASSERT_TRUE(ok(boxes));
        EXPECT_EQ(std::tuple(CountObjects(design.first->firstObject) - before, steps(), SelectedPointCount(wall), refreshes > redrawn),
                  std::tuple(made, made ? 1 : 0, 0, true));
        if (made) { EXPECT_EQ(undoTitle(), "Build Ceiling/Floor"); }
    }
    // Undo and Redo give what the step left: the wall deselected beside what it built.
    Make(design.wall).select();
    const uint32_t wallID = design.wall->objectID;
    const uint32_t firstNew = CurrentDocState()->nextObjectID;
    ASSERT_TRUE(open(&W::showCeilingBuilderUsingWindow));
    ASSERT_TRUE(ok({{"buildSoffitsButton", "0"}, {"buildFloorsButton", "1"}, {"buildCeilingsButton", "1"}}));
    w->document()->undoStack()->undo();
    w->document()->undoStack()->redo();
    Objex* wall = FindObjectWithID(wallID);
    ASSERT_TRUE(wall);
    int built = 0;
    for (const Objex* o = wall->layer->firstObject; o; o = o->next) built += o->objectID >= firstNew;
    EXPECT_EQ(std::tuple(built, SelectedPointCount(wall)), std::tuple(2, 0));
}

TEST_F(TextCeilingSheets, SmallSheetsStoreTheirValueClampedAndOneStepWhereDue) {
    Make(design.plant).select();
    auto age = [](Objex* plant) { return objfield::plant::kPlantingAge(*plant); };
    const std::tuple<const char*, void (W::*)(), Typed, const char*, std::function<bool()>> rows[] = {
        {"AgeAboveTwenty", &W::setPlantingAgeUsingWindow, {{"plantAgeText", "25"}}, "Planting Age",
         [&] { return age(design.plant) == 20 && age(design.plant2) == 0; }},
        {"AgeBelowZero", &W::setPlantingAgeUsingWindow, {{"plantAgeText", "-3"}}, "Planting Age",
         [&] { return age(design.plant) == 0; }},
        {"GrowthOne", &W::setPlantGrowthProjectionUsingWindow, {{"maxAgeText", "1"}}, "Plant Growth Projection",
         [&] { return doc->itsMaximumPlantAge == 5; }},
        {"GrowthShownAgain", &W::setPlantGrowthProjectionUsingWindow, {}, nullptr, [&] { return doc->itsMaximumPlantAge == 5; }},
        {"GrowthSixty", &W::setPlantGrowthProjectionUsingWindow, {{"maxAgeText", "60"}}, "Plant Growth Projection",
         [&] { return doc->itsMaximumPlantAge == 53; }},
        {"OpenDotArrow", &W::setDimensionPropertiesUsingWindow, {}, "Dimension Properties",
         [&] { return ds->dimensionStyle == 14 && ds->arrowStyleID == 5092 && (ds->dimensionFlags & 0x7f) == 64; }},
    };
    for (const auto& [name, opener, typed, undo, check] : rows) {
        SCOPED_TRACE(name);
        w->document()->undoStack()->clear();
        ASSERT_TRUE(open(opener));
        if (auto* arrows = find<QComboBox>("dimStylePopUpButton")) {
            EXPECT_EQ(arrows->currentText(), "Inward-Slant Arrow");
            arrows->setCurrentIndex(arrows->findText("Open Dot Arrow"));
        }
        if (typed.empty() && find("maxAgeText")) { EXPECT_EQ(shown("maxAgeText"), "2"); }
        ASSERT_TRUE(ok(typed));
        EXPECT_TRUE(check());
        EXPECT_EQ(std::tuple(steps(), undoTitle()), std::tuple(undo ? 1 : 0, QString(undo ? undo : "")));
    }
}

}  // namespace
}  // namespace dvxtest
