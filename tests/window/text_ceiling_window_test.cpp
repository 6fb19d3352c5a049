// The text sheet, the ceiling builder and the small value sheets in a document window of this
// process on the virtual X server: opened by a click of the text tool, a double click on text
// and the menus, filled with the server's keys and closed by a click on OK.
#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <optional>

#include "app/app_controller.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/selection_ops.h"
#include "model/transforms.h"
#include "plan/annotations/text_geometry.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "tracking/tracking_state.h"
#include "ui/core/plan_scale_actions.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

using namespace dvxtest;

class TextCeilingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        port::setDefaultDrawingContext(&measuring);  // text is measured as the program measures it
        w = OpenDocumentWindow();
        doc = w->document()->model(), ds = doc->itsDocState;
        ds->zoomFactor = 1;  // plan view points are the plan's (H, D)
        ASSERT_TRUE(ShowFocused(w));
    }
    void TearDown() override {
        gCurTool = toolid::kSelect;
        LiveViewController::destroyShared(), AppController::destroyShared(), ResetAllGlobals();
        port::setDefaultDrawingContext(nullptr);
    }
    // The sheet up on `on` (the document window when null), once it shows.
    SheetDialog* sheet(QWidget* on = nullptr) {
        SheetDialog* up = nullptr;
        // Callers check the sheet returned, null when none came.
        (void)QTest::qWaitFor([&] {
            for (SheetDialog* s : (on ? on : w)->findChildren<SheetDialog*>())
                if (s->isVisible() && s->windowHandle()->isExposed()) up = s;
            return up != nullptr;
        });
        return up;
    }
    // Clicks the field (a line or a text view), replaces its text with typed keys.
    bool type(const char* outlet, const QString& text, QWidget* on = nullptr) {
        auto* f = sheet(on)->findChild<QWidget*>(QString::fromLatin1(outlet));
        ClickAt(f, f->rect().center());
        if (!QTest::qWaitFor([&] { return f->hasFocus(); })) return false;
        XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", text});
        return QTest::qWaitFor([&] { return f->property(qobject_cast<QLineEdit*>(f) ? "text" : "plainText") == text; });
    }
    bool press(const char* button, QWidget* on = nullptr) {
        QPointer<SheetDialog> s = sheet(on);
        auto* b = s ? s->findChild<QPushButton*>(QString::fromLatin1(button)) : nullptr;
        return b && (ClickAt(b, b->rect().center()), QTest::qWaitFor([&] { return s.isNull(); }));
    }
    bool fromMenu(const char* menu, const char* action, int tag = 0, QWidget* on = nullptr) {
        return ChooseMenuItem(w, menu, action, tag) && sheet(on);
    }
    int steps() { return w->document()->undoStack()->count(); }
    QString undoTitle() { return w->commandRouter()->action("undo")->text(); }
    QImage plan(QRect r) {
        const QPoint at = w->docView()->mapToGlobal(r.topLeft());
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), r.width(), r.height()).toImage();
    }
    QPoint onView(float ph, float pd) {
        const PlatformPoint o = w->docView()->boundsOrigin();
        return QPoint(int(std::lround(ph - o.x)), int(std::lround(pd - o.y)));
    }

    WindowTestServices services{"textceilingwindow"};
    port::qt::QtMeasuringContext measuring;
    QMDWindowController* w = nullptr;
    QMDDocumentModel* doc = nullptr;
    DocState* ds = nullptr;
};

// A click of the text tool opens the sheet on the window; the text typed shows on the plan
// where the click was, one step "Insert Text"; a double click on it edits it ("Edit Text").
TEST_F(TextCeilingWindow, TextToolClickInsertsTextAndADoubleClickEditsIt) {
    const PlatformRect shown = w->docView()->visibleRect();
    const QPoint click = onView(std::round(shown.x + 60), std::round(shown.y + 60));
    // The click snaps to the grid, up to a foot (24 points) up and left.
    const QRect near(click - QPoint(24, 24), QSize(90, 48));
    w->docView()->update();
    QTest::qWait(200);
    const QImage before = plan(near);
    gCurTool = toolid::kText;
    ClickAt(w->docView(), click);
    ASSERT_TRUE(sheet());
    EXPECT_EQ(sheet()->objectName(), "TextEntrySheet");
    ASSERT_TRUE(type("textView", "Kitchen"));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(steps(), undoTitle()), std::tuple(1, QString("Undo Insert Text")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return plan(near) != before; })) << "no text near the click";

    gCurTool = toolid::kSelect;
    const QPoint in = onView(gUpX + 8, gUpZ + 6), at = w->docView()->mapToGlobal(in);
    XDo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "--repeat", "2", "--delay",
         "80", "1"});
    ASSERT_TRUE(sheet()) << "a double click on the text opened nothing";
    EXPECT_EQ(sheet()->findChild<QWidget*>(QStringLiteral("textView"))->property("plainText"), "Kitchen");
    ASSERT_TRUE(type("textView", "Dining room"));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(steps(), undoTitle()), std::tuple(2, QString("Undo Edit Text")));
    QTest::qWait(300);  // the screen without the sheet
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
}

// A paste into each kind of field or box takes what is on the clipboard as text, or nothing,
// and the program goes on: the clipboard held by no application, by one that quit, or by one
// that offers a picture, text, or no format a field reads; by Ctrl+V, Shift+Insert and the
// middle button (which pastes the selection).
TEST_F(TextCeilingWindow, APasteIntoAnyFieldOrBoxTakesTheClipboardsTextOrNothing) {
    QByteArray png;
    {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QBuffer out(&png);
        out.open(QIODevice::WriteOnly);
        picture.save(&out, "PNG");
    }
    struct Held {
        const char* what;
        std::optional<OtherApplicationClipboard::Targets> offered;  // none: nobody holds it
        bool quits = false;
        const char* pasted = "";
    };
    const Held helds[] = {{"nothing", std::nullopt},
                          {"an application that quit", OtherApplicationClipboard::Targets{{"UTF8_STRING", "42"}}, true},
                          {"no format a field reads", OtherApplicationClipboard::Targets{}},
                          {"a picture", OtherApplicationClipboard::Targets{{"image/png", png}}},
                          {"text", OtherApplicationClipboard::Targets{{"UTF8_STRING", "42"}}, false, "42"}};
    const char* gestures[] = {"ctrl+v", "shift+Insert", "the middle button"};
    // Each paste into the emptied control, then a 1 typed: once the 1 shows, the paste typed
    // before it has been taken.
    const auto pastes = [&](QWidget* control) -> ::testing::AssertionResult {
        const char* property = qobject_cast<QLineEdit*>(control) ? "text" : "plainText";
        const auto text = [&] { return control->property(property).toString(); };
        // A move onto where the pointer already is would wait for ever: it comes from beside.
        const auto click = [control](int button) {
            const QPoint centre = control->rect().center(), beside = control->mapToGlobal(centre + QPoint(4, 0));
            XDo({"mousemove", QString::number(beside.x()), QString::number(beside.y())});
            ClickAt(control, centre, button);
        };
        for (const char* gesture : gestures)
            for (const Held& held : helds) {
                click(1);
                if (!QTest::qWaitFor([&] { return control->hasFocus(); }))
                    return ::testing::AssertionFailure() << "it took no click";
                XDo({"key", "ctrl+a", "BackSpace"});
                if (!QTest::qWaitFor([&] { return text().isEmpty(); })) return ::testing::AssertionFailure() << "not emptied";
                std::optional<OtherApplicationClipboard> other;
                // Ctrl+A in a box puts what it selects on the selection, as X programs do.
                if (!held.offered)
                    for (const auto mode : {QClipboard::Clipboard, QClipboard::Selection}) QGuiApplication::clipboard()->clear(mode);
                if (held.offered) {
                    other.emplace(*held.offered);
                    if (!other->holds()) return ::testing::AssertionFailure() << "the other application holds nothing";
                    if (held.quits) other.reset();
                }
                if (gesture == gestures[2]) click(2);
                else XDo({"key", gesture});
                XDo({"type", "1"});
                const QString wanted = QString::fromLatin1(held.pasted) + "1";
                if (!QTest::qWaitFor([&] { return text() == wanted; }))
                    return ::testing::AssertionFailure() << gesture << " with " << held.what << " on the clipboard: \""
                                                         << text().toStdString() << '"';
            }
        return ::testing::AssertionSuccess();
    };
    // The text sheet's box and its angle field.
    const PlatformRect shown = w->docView()->visibleRect();
    gCurTool = toolid::kText;
    ClickAt(w->docView(), onView(std::round(shown.x + 60), std::round(shown.y + 60)));
    ASSERT_TRUE(sheet());
    for (const char* outlet : {"textView", "angleText"}) {
        SCOPED_TRACE(outlet);
        EXPECT_TRUE(pastes(sheet()->findChild<QWidget*>(QLatin1String(outlet))));
    }
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(steps(), 0);
    // A field of the inspector (the wall tool's pane) and the snap offset field.
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    QWidget* height = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        height = w->parentInspectorView()->findChild<QLineEdit*>(QStringLiteral("wallHeightText"));
        return height && height->isVisible();
    }));
    EXPECT_TRUE(pastes(height)) << "the inspector's field";
    SnapPaletteController* snap = SnapPaletteController::shared();
    snap->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(snap->window()));
    QWidget* offsetCell = snap->toolButtons()->cell(507);
    ASSERT_TRUE(QTest::qWaitFor([&] { return StandsWhereQtHasIt(snap->window()); }));
    ClickAt(offsetCell, offsetCell->rect().center());
    auto* offset = snap->window()->findChild<QLineEdit*>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return offset->isEnabled(); }));
    EXPECT_TRUE(pastes(offset)) << "the snap offset field";
    // The content palette's search by name.
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(ChoosePaletteAction(p, "findPlantByName"));
    ASSERT_TRUE(sheet());
    EXPECT_TRUE(pastes(sheet()->findChild<QLineEdit*>(QStringLiteral("nameText")))) << "the search";
    ASSERT_TRUE(press("cancelButton"));
}

// Three standard texts of two typed lines, left, centred and right, typed at one zoom: at 20,
// 46, 100 and 150 % the ink of each is as wide as its widest line in the font drawn (none
// wrapped) and as tall as both lines (none cut off).
TEST_F(TextCeilingWindow, AStandardTextShowsEveryTypedLineWholeAtEveryZoom) {
    ds->showGrid = 0;
    const PlatformRect shown = w->docView()->visibleRect();
    std::vector<Objex*> texts;
    for (int16_t alignment : {0, 1, 2}) {
        gCurTool = toolid::kText;
        ClickAt(w->docView(), onView(std::round(shown.x + 60 + alignment * 260), std::round(shown.y + 60)));
        ASSERT_TRUE(type("textView", "ROT RIGHT"));
        XDo({"key", "Return"}), XDo({"type", "--", "second"});
        QWidget* typed = sheet()->findChild<QWidget*>(QStringLiteral("textView"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return typed->property("plainText") == "ROT RIGHT\nsecond"; }));
        QAbstractButton* cell = sheet()->findChild<RadioMatrix*>(QStringLiteral("alignmentButtons"))->cell(alignment);
        ClickAt(cell, QPoint(8, cell->height() / 2));
        ASSERT_TRUE(QTest::qWaitFor([&] { return cell->isChecked(); }));
        ASSERT_TRUE(press("okButton"));
        texts.push_back(doc->itsCurLayer->lastObject);
        SelectObj(texts.back(), selmode::kDeselect, 0);
    }
    gCurTool = toolid::kSelect;
    for (float percent : {20.0f, 46.0f, 100.0f, 150.0f})
        for (Objex* text : texts) {
            SetPlanZoomPercent(percent);
            LOGFONT font = text->typeData.text->font;
            font.lfHeight = plantext::ScaledFontHeight(float(font.lfHeight));
            const PlatformSize lines = w->docView()->textMetricsForString(text->typeData.text->text, &font);
            const Poinz *p = PointAt(text, 0), *q = PointAt(text, 2);
            const PlatformPoint a = plantext::ProjectAnchor(p->position[0], p->position[2]);
            const PlatformPoint b = plantext::ProjectAnchor(q->position[0], q->position[2]);
            const float margin = 2 + lines.width / 4;  // clear of the next text at 20 %
            const PlatformRect around{a.x - margin, a.y - 10, b.x - a.x + 2 * margin, b.y - a.y + lines.height + 10};
            w->docView()->scrollRectToVisible(around);
            w->docView()->update();
            QRect ink;
            const bool whole = QTest::qWaitFor([&] {
                const QImage image = plan(QRect(onView(around.x, around.y), QSize(around.width, around.height)));
                ink = QRect();
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        if (PixelGrey(image.pixel(x, y)) < 160) ink |= QRect(x, y, 1, 1);
                return ink.width() >= 0.9 * lines.width - 1 && ink.height() >= 0.7 * lines.height - 1;
            });
            EXPECT_TRUE(whole) << percent << "%, alignment " << objfield::text_object::Alignment(*text) << ": ink "
                               << ink.width() << " x " << ink.height() << " for lines " << lines.width << " x "
                               << lines.height;
        }
}

// The plan menu's ceiling builder on the selected wall, the dimension, planting age and plant
// growth sheets: one step each.
TEST_F(TextCeilingWindow, PlanMenuSheetsChangeTheDesignInOneStepEach) {
    Objex* wall = Wall(doc->itsCurLayer, {{0, 0}, {240, 0}, {240, 240}, {0, 240}}, true);
    Objex* plant = Make(objtype::kPlant).plan({{400, 50}}).plant(10, 120).on(doc->itsCurLayer);
    Make(wall).select();
    const int objects = CountObjects(doc->itsCurLayer->firstObject);
    ASSERT_TRUE(fromMenu("Plan", "showCeilingBuilder"));
    auto* floors = sheet()->findChild<QWidget*>(QStringLiteral("buildFloorsButton"));
    ClickAt(floors, QPoint(8, floors->height() / 2));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(CountObjects(doc->itsCurLayer->firstObject) - objects, steps(), undoTitle()),
              std::tuple(1, 1, QString("Undo Build Ceiling/Floor")));

    ASSERT_TRUE(fromMenu("View", "setDimensionProperties"));
    auto* arrows = sheet()->findChild<QComboBox*>(QStringLiteral("dimStylePopUpButton"));
    ClickAt(arrows, arrows->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrows->view()->window()->isVisible(); })) << "no arrow list";
    XDo({"key", "Down", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !arrows->view()->window()->isVisible(); }));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->dimensionStyle, ds->arrowStyleID, steps(), undoTitle()),
              std::tuple(int16_t(12), int16_t(5090), 2, QString("Undo Dimension Properties")));

    SelectObj(plant, selmode::kSelect, 1);
    for (const auto& [action, field, undo] : {std::tuple("setPlantingAge", "plantAgeText", "Undo Planting Age"),
                                              std::tuple("setPlantGrowthProjection", "maxAgeText", "Undo Plant Growth Projection")}) {
        ASSERT_TRUE(fromMenu("Plan", action)) << action;
        ASSERT_TRUE(type(field, "7")) << action;
        ASSERT_TRUE(press("okButton")) << action;
        EXPECT_EQ(undoTitle(), undo);
    }
    EXPECT_EQ(std::tuple(objfield::plant::kPlantingAge(*plant), doc->itsMaximumPlantAge, steps()), std::tuple(int16_t(7), int16_t(10), 4));
}

// With the live view shown (Ctrl+1) its menu's walk and fly sheets open on its window, bring
// it forward on Cancel and store their heights with no step on OK, or on Return after a
// height typed as they open.
TEST_F(TextCeilingWindow, WalkAndFlySheetsOpenOnTheLiveView) {
    XDo({"key", "ctrl+1"});
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->isVisible(); })) << "Ctrl+1 opened no live view";
    QWidget* lv = c->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(lv));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();  // clear of the menu bar
    lv->move(screen.width() - lv->frameGeometry().width(), screen.height() - lv->frameGeometry().height());
    for (const auto& [action, field, tag, value] : {std::tuple("setLVWalkThroughElevation", "elevationText", 5240, &DocState::eyeHeight),
                                                    std::tuple("setLVFlyAroundAltitude", "altitudeText", 5241, &DocState::flyAltitude)}) {
        SCOPED_TRACE(action);
        ASSERT_TRUE(fromMenu("LiveView", action, tag, lv));
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        ASSERT_TRUE(press("cancelButton", lv));
        EXPECT_TRUE(QTest::qWaitFor([&] { return lv->isActiveWindow(); })) << "the live view stayed behind";
        ASSERT_TRUE(fromMenu("LiveView", action, tag, lv));
        ASSERT_TRUE(type(field, "8'", lv));
        ASSERT_TRUE(press("okButton", lv));
        EXPECT_FLOAT_EQ(ds->*value, ConvertWorldToScreen(96, ds, 0));
        // Typed as the sheet opens, in place of the height shown, and entered with Return.
        ASSERT_TRUE(fromMenu("LiveView", action, tag, lv));
        QWidget* f = sheet(lv)->findChild<QLineEdit*>(QString::fromLatin1(field));
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->hasFocus(); })) << "the field has no keyboard";
        XDo({"type", "--", "10'"}), XDo({"key", "Return"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return ds->*value == ConvertWorldToScreen(120, ds, 0); })) << ds->*value;
    }
    EXPECT_EQ(steps(), 0);
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }
