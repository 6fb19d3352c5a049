// The text, ceiling builder and small value sheets on a document window of the offscreen
// platform, on the inspector fixture design: what each shows, what its OK stores and the undo
// steps it leaves.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cstring>

#include "app/core/event_handler.h"
#include "files/content_folders.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/tool_defaults.h"
#include "model/transforms.h"
#include "port/drawing.h"
#include "support/drawing_doubles.h"
#include "model/type_data.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/core/sheet_seams.h"
#include "ui/sheets/roroz_erud_info_controller.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/sheets/font_selection.h"
#include "ui/sheets/text_entry_controller.h"

namespace dvxtest {
namespace {

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
    bool press(const char* button) {
        QPointer<SheetDialog> s = sheet();
        if (!s) return false;
        QTest::mouseClick(s->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        return QTest::qWaitFor([&] { return s.isNull(); });
    }
    // A picture of `width` x `height` pixels written at `path`.
    static std::string Picture(const std::string& path, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(QFile::decodeName(path.c_str()), "PNG"));
        return path;
    }
    void open(void (Win32EventHandler::*opener)()) { (Win32EventHandler(AsCommandWindow(w)).*opener)(); }
    // Types into the fields (an outlet of a check box: "1" ticks it) and presses OK.
    bool ok(const std::vector<std::pair<const char*, QString>>& typed) {
        if (!sheet()) return false;
        for (const auto& [outlet, text] : typed) {
            if (auto* box = find<QAbstractButton>(outlet)) box->setChecked(text == "1");
            else find(outlet)->setText(text);
        }
        return press("okButton");
    }
    void setPhotoPath(const std::string& path) {
        FreeString(design.photo->typeData.imagePath);
        design.photo->typeData = TypeData::OfImagePath(CopyString(path.c_str()));
    }
};

// The photo's file as it is named, found by its file name in the content folder, or nowhere.
TEST_F(TextCeilingSheets, PhotoInformationShowsTheFileFoundAndItsSize) {
    const std::string own = Picture(FreshTempFolder("photo_own") + "/porch.png", 30, 20);
    const std::string content = LocalDomainContentPath();
    QDir().mkpath(QFile::decodeName(content.c_str()));
    Picture(content + "/moved.png", 12, 48);
    struct Row {
        std::string path, shown, width, height;
        bool preview;
    };
    const Row rows[] = {
        {own, own, "30 pixels", "20 pixels", true},
        {"/gone/away/moved.png", content + "/moved.png", "12 pixels", "48 pixels", true},
        {"/gone/away/none.png", "Image not found.", "n/a", "n/a", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        setPhotoPath(r.path);
        ASSERT_TRUE(RorozErudInfoController::newRorozErudInfoSheetForParent(w->centralWidget(), design.photo));
        EXPECT_EQ(std::tuple(sheet()->objectName(), sheet()->parentWidget(), sheet()->windowModality()),
                  std::tuple(QString("RorozErudInfoSheet"), static_cast<QWidget*>(w), Qt::WindowModal));
        EXPECT_EQ(find<QPlainTextEdit>("pathTextView")->toPlainText().toStdString(), r.shown);
        EXPECT_EQ(std::tuple(find<QLabel>("imageWidthText")->text().toStdString(),
                             find<QLabel>("imageHeightText")->text().toStdString(),
                             !find<QLabel>("previewImageView")->pixmap().isNull()),
                  std::tuple(r.width, r.height, r.preview));
        ASSERT_TRUE(press(r.preview ? "okButton" : "cancelButton"));
    }
    // The lookup never rewrites the object's own path; nothing was stored.
    EXPECT_STREQ(design.photo->typeData.imagePath, "/gone/away/none.png");
    setPhotoPath("/gone/away/moved.png");
    ASSERT_TRUE(RorozErudInfoController::newRorozErudInfoSheetForParent(w, design.photo));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(std::string(design.photo->typeData.imagePath), steps()),
              std::tuple(std::string("/gone/away/moved.png"), 0));

    EXPECT_EQ(RorozErudInfoController::newRorozErudInfoSheetForParent(nullptr, design.photo), nullptr);
    EXPECT_EQ(RorozErudInfoController::newRorozErudInfoSheetForParent(w, nullptr), nullptr);
    EXPECT_EQ(sheet(), nullptr);
}

const std::string Plain(const Objex* o) {
    return o && o->typeData.kind == TypeDataKind::Text && o->typeData.text ? o->typeData.text->text : "";
}
// The frame's corners, H and D of points one to four.
std::vector<float> Frame(const Objex* o) {
    std::vector<float> f;
    for (const Poinz* p = o->firstPoint; p; p = p->next) f.push_back(p->position[0]), f.push_back(p->position[2]);
    return f;
}

// Text measures 7 units a character and 12 high here: "Kitchen" records 50 by 12. A rotated
// frame is laid out 20 square and then grown to the text.
struct TextRow {
    const char* name;
    int16_t type;     // of the text edited; 0 for new text
    const char* text;
    int tag;          // alignment chosen
    const char* angle;
    int16_t typeAfter;
    std::vector<float> frame;
    float angleAfter;
    int alignment;
    const char* undo;  // null: nothing stored
};

TEST_F(TextCeilingSheets, TextSheetEditsOrInsertsTextWithFramesFromItsMetrics) {
    RecordingContext metrics;
    port::DrawingScope measuring(metrics);
    const TextRow rows[] = {
        {"ShorterKeepsTheBox", 145, "Kitchen", 2, "0", 145, {0, 0, 100, 0, 100, 40, 0, 40}, 0, 2, "Edit Text"},
        {"LongerWidensTheBox", 145, "Kitchen and dining", 0, "0", 145, {0, 0, 130, 0, 130, 40, 0, 40}, 0, 0, "Edit Text"},
        {"RotatedIsRefitted", 144, "Kitchen", 0, "45", 144, {0, 0, 50, 0, 50, 20, 0, 20}, 45, 0, "Edit Text"},
        {"ClearedChangesNothing", 145, "", 1, "0", 145, {0, 0, 100, 0, 100, 40, 0, 40}, 0, 0, nullptr},
        {"NewLeftAtNoAngleIsStandard", 0, "Kitchen", 0, "0", 145, {200, 300, 250, 300, 250, 312, 200, 312}, 0, 0, "Insert Text"},
        {"NewAngledIsRotated", 0, "Kitchen", 0, "30", 144, {200, 300, 250, 300, 250, 312, 200, 312}, 30, 0, "Insert Text"},
        {"NewCentredIgnoresTheAngle", 0, "Kitchen", 1, "30", 145, {200, 300, 250, 300, 250, 312, 200, 312}, 0, 1, "Insert Text"},
        {"NewEmptyMakesNothing", 0, "", 0, "0", 0, {}, 0, 0, nullptr},
    };
    gUpX = 200, gUpY = 10, gUpZ = 300;
    gEndMouse = {-5000, -5000};  // over no text
    for (const TextRow& r : rows) {
        SCOPED_TRACE(r.name);
        w->document()->undoStack()->clear();
        const int before = CountObjects(design.first->firstObject), redrawn = refreshes;
        Objex* target = nullptr;
        if (r.type) target = Make(r.type).plan({{0, 0}, {100, 0}, {100, 40}, {0, 40}}).closed().text("Hi").on(design.first);
        NewTextEntrySheetForParent(AsCommandWindow(w), target);
        ASSERT_TRUE(sheet());
        find<QPlainTextEdit>("textView")->setPlainText(QString::fromUtf8(r.text));
        find<RadioMatrix>("alignmentButtons")->selectTag(r.tag);
        find("angleText")->setText(r.angle);
        QFont bold(QStringLiteral("Sans"), 20);
        bold.setBold(true);
        static_cast<TextEntryController*>(sheet())->fontSelection()->setSelectedFont(bold);
        ASSERT_TRUE(press("okButton"));

        Objex* o = target ? target : CountObjects(design.first->firstObject) > before ? ListOf(design.first->firstObject).back() : nullptr;
        EXPECT_EQ(std::tuple(steps(), undoTitle(), refreshes - redrawn),
                  std::tuple(r.undo ? 1 : 0, QString(r.undo ? r.undo : ""), 1));
        if (!r.typeAfter) {
            EXPECT_EQ(o, nullptr);
            continue;
        }
        ASSERT_TRUE(o);
        EXPECT_EQ(std::tuple(o->type, Plain(o), Frame(o)),
                  std::tuple(r.typeAfter, std::string(r.undo ? r.text : "Hi"), r.frame));
        EXPECT_EQ(std::tuple(objfield::text_object::kAngle(*o), objfield::text_object::Alignment(*o)),
                  std::tuple(r.angleAfter, int16_t(r.alignment)));
        if (!r.undo) continue;
        const LOGFONT& lf = o->typeData.text->font;
        EXPECT_EQ(std::tuple(lf.lfHeight, lf.lfWeight, o->typeData.text->hasFont), std::tuple(-20, 700, uint8_t(1)));
        if (!target) {
            EXPECT_EQ(std::tuple(PointAt(o, 0)->position[1], o->planBits), std::tuple(10.0f, ds->currentPlanBit));
        }
    }
}

// The angle field and its slider, which count from different places.
TEST_F(TextCeilingSheets, TextAngleFieldAndSliderFollowEachOther) {
    NewTextEntrySheetForParent(AsCommandWindow(w), nullptr);
    ASSERT_TRUE(sheet());
    QLineEdit* angle = find("angleText");
    auto* slider = find<QSlider>("angleSlider");
    const std::pair<const char*, std::pair<const char*, int>> typed[] = {
        {"400", {"0", 90}}, {"-3", {"0", 90}}, {"30", {"30", 60}}, {"100", {"100", 350}}};
    for (const auto& [text, shown] : typed) {
        angle->setText(text);
        emit angle->editingFinished();
        EXPECT_EQ(std::pair(angle->text().toStdString(), slider->value()), std::pair(std::string(shown.first), shown.second)) << text;
    }
    for (const auto& [value, text] : {std::pair(0, "90"), std::pair(180, "270"), std::pair(90, "0"), std::pair(91, "359")}) {
        slider->setValue(value);
        EXPECT_EQ(angle->text(), text) << value;
    }
    // Only new text lets the alignment turn the angle off.
    find<RadioMatrix>("alignmentButtons")->selectTag(1);
    EXPECT_FALSE(angle->isEnabled());
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(steps(), 0);
}

TEST_F(TextCeilingSheets, CeilingBuilderBuildsFromOneWallAsOneStep) {
    using W = Win32EventHandler;
    open(&W::showCeilingBuilderUsingWindow);  // nothing selected
    EXPECT_EQ(sheet(), nullptr);
    Make(design.wall).select();
    open(&W::showCeilingBuilderUsingWindow);
    ASSERT_TRUE(sheet());
    const auto shown = [this](const char* f) { return find(f)->text().toStdString(); };
    const std::vector<std::string> first = {shown("soffitThicknessText"), shown("soffitExtensionText"),
                                            shown("floorThicknessText"), shown("ceilingThicknessText")};
    EXPECT_EQ(first, (std::vector<std::string>{"3\"", "1'-6\"", "1'-0\"", "1'-0\""}));
    ASSERT_TRUE(ok({{"buildSoffitsButton", "1"}, {"soffitThicknessText", "5"}, {"soffitExtensionText", "2'"},
                    {"joinSoffitsButton", "1"}, {"floorThicknessText", "7"}}));  // floors not asked: not kept
    Make(design.wall).select();
    open(&W::showCeilingBuilderUsingWindow);
    EXPECT_EQ(std::tuple(shown("soffitThicknessText"), shown("soffitExtensionText"), shown("floorThicknessText"),
                         find<QAbstractButton>("joinSoffitsButton")->isChecked()),
              std::tuple(std::string("5\""), std::string("2'-0\""), std::string("1'-0\""), true));
    find("soffitThicknessText")->setText("9");
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(gSoffitThickness, 5.0f);

    struct Row {
        const char* name;
        bool shortWall;
        std::vector<std::pair<const char*, QString>> boxes;
        int made;
    };
    const Row rows[] = {
        {"NoBoxBuildsNothing", false, {}, 0},
        {"FloorsAndCeilings", false, {{"buildFloorsButton", "1"}, {"buildCeilingsButton", "1"}}, 2},
        {"SoffitsPerSegment", false, {{"buildSoffitsButton", "1"}, {"joinSoffitsButton", "0"}}, 4},
        {"NoSoffitsOnTwoPoints", true, {{"buildSoffitsButton", "1"}, {"buildFloorsButton", "1"}}, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        w->document()->undoStack()->clear();
        Objex* wall = r.shortWall ? Wall(design.first, {{0, 600}, {200, 600}}) : design.wall;
        Make(wall).select();
        const int before = CountObjects(design.first->firstObject) - (r.shortWall ? 1 : 0), redrawn = refreshes;
        open(&W::showCeilingBuilderUsingWindow);
        ASSERT_TRUE(ok(r.boxes));
        EXPECT_EQ(std::tuple(CountObjects(design.first->firstObject) - (r.shortWall ? 1 : 0) - before, steps(),
                             SelectedPointCount(wall), refreshes > redrawn),
                  std::tuple(r.made, r.made ? 1 : 0, 0, true));
        if (r.made) EXPECT_EQ(undoTitle(), "Build Ceiling/Floor");
    }
}

TEST_F(TextCeilingSheets, SmallSheetsStoreTheirValueClampedAndOneStepWhereDue) {
    using W = Win32EventHandler;
    Make(design.plant).select();
    struct Row {
        const char* name;
        void (W::*opener)();
        std::vector<std::pair<const char*, QString>> typed;
        const char* undo;
        std::function<bool()> check;
    };
    const Row rows[] = {
        {"AgeAboveTwenty", &W::setPlantingAgeUsingWindow, {{"plantAgeText", "25"}}, "Planting Age",
         [&] { return objfield::plant::kPlantingAge(*design.plant) == 20 && objfield::plant::kPlantingAge(*design.plant2) == 0; }},
        {"AgeBelowZero", &W::setPlantingAgeUsingWindow, {{"plantAgeText", "-3"}}, "Planting Age",
         [&] { return objfield::plant::kPlantingAge(*design.plant) == 0; }},
        {"GrowthOne", &W::setPlantGrowthProjectionUsingWindow, {{"maxAgeText", "1"}}, "Plant Growth Projection",
         [&] { return doc->itsMaximumPlantAge == 5; }},
        {"GrowthShownAgain", &W::setPlantGrowthProjectionUsingWindow, {}, nullptr,
         [&] { return doc->itsMaximumPlantAge == 5; }},
        {"GrowthSixty", &W::setPlantGrowthProjectionUsingWindow, {{"maxAgeText", "60"}}, "Plant Growth Projection",
         [&] { return doc->itsMaximumPlantAge == 53; }},
        {"OpenDotArrow", &W::setDimensionPropertiesUsingWindow, {}, "Dimension Properties",
         [&] { return ds->dimensionStyle == 14 && ds->arrowStyleID == 5092 && (ds->dimensionFlags & 0x7f) == 64; }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        w->document()->undoStack()->clear();
        open(r.opener);
        ASSERT_TRUE(sheet());
        if (auto* arrows = find<QComboBox>("dimStylePopUpButton")) {
            EXPECT_EQ(arrows->currentText(), "Inward-Slant Arrow");
            arrows->setCurrentIndex(arrows->findText("Open Dot Arrow"));
        }
        if (r.typed.empty() && find("maxAgeText")) EXPECT_EQ(find("maxAgeText")->text(), "2");
        ASSERT_TRUE(ok(r.typed));
        EXPECT_TRUE(r.check());
        EXPECT_EQ(std::tuple(steps(), undoTitle()), std::tuple(r.undo ? 1 : 0, QString(r.undo ? r.undo : "")));
    }
}

// On the live view's window: the camera heights in plan units, no step, the window forward
// whichever button closed the sheet.
TEST_F(TextCeilingSheets, WalkAndFlySheetsSetTheCameraOnTheLiveViewWindow) {
    QWidget liveView;
    liveView.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&liveView));
    struct Row {
        std::function<void(CommandWindow*)> opener;
        const char* field;
        float DocState::*value;
    };
    for (const Row& r : {Row{[](CommandWindow* p) { NewWalkElevationSheetForParent(p); }, "elevationText", &DocState::eyeHeight},
                         Row{[](CommandWindow* p) { NewFlyAltitudeSheetForParent(p); }, "altitudeText", &DocState::flyAltitude}}) {
        SCOPED_TRACE(r.field);
        for (const char* button : {"cancelButton", "okButton"}) {
            r.opener(AsCommandWindow(&liveView));
            SheetDialog* s = liveView.findChild<SheetDialog*>();
            ASSERT_TRUE(s && s->isVisible());
            s->findChild<QLineEdit*>(r.field)->setText("10'");
            w->activateWindow();
            QPointer<SheetDialog> up = s;
            QTest::mouseClick(s->findChild<QPushButton*>(button), Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return up.isNull(); }));
            EXPECT_TRUE(QTest::qWaitFor([&] { return liveView.isActiveWindow(); }));
        }
        EXPECT_FLOAT_EQ(ds->*r.value, ConvertWorldToScreen(120, ds, 0));
    }
    EXPECT_EQ(steps(), 0);
}

}  // namespace
}  // namespace dvxtest
