// The preferences, plant details and vendor windows as a user reaches them: the menus of a
// document window of this process, clicks and typed keys on the virtual X server.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

#include "app/about_window.h"
#include "app/app_controller.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "content/content_provider_controller.h"
#include "files/content_folders.h"
#include "files/undo.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/plant_info.h"
#include "port/files.h"
#include "support/inspector_design.h"
#include "ui/preferences/preferences_controller.h"
#include "ui/sheets/plant_details_controller.h"
#include "window/window_support.h"

namespace {

QString gShot;
using namespace dvxtest;

class PreferenceWindows : public ::testing::Test {
protected:
    void SetUp() override {
        (w = OpenDocumentWindow())->document()->model()->itsDocState->zoomFactor = 1;
        ASSERT_TRUE(ShowFocused(w));
    }
    void TearDown() override { LiveViewController::destroyShared(), AppController::destroyShared(), ResetAllGlobals(); }

    template <class T>
    static T* Get(QWidget* in, const char* outlet) { return in->findChild<T*>(QString::fromLatin1(outlet)); }
    // Opens the preferences from the Help menu on the tab.
    PreferencesController* Preferences(int tab) {
        if (!ChooseMenuItem(w, "Help", "showPreferenceWindow")) return nullptr;
        PreferencesController* p = PreferencesController::shared();
        if (!QTest::qWaitFor([&] { return p->isVisible() && p->windowHandle()->isExposed(); })) return nullptr;
        QTabBar* bar = Get<QTabWidget>(p, "prefTabView")->tabBar();
        ClickAt(bar, bar->tabRect(tab).center());
        return QTest::qWaitFor([&] { return bar->currentIndex() == tab; }) ? p : nullptr;
    }
    static bool Ok(PreferencesController* p) {
        QPushButton* ok = Get<QPushButton>(p, "okButton");
        ClickAt(ok, ok->rect().center());
        return QTest::qWaitFor([&] { return !p->isVisible(); });
    }

    WindowTestServices services{"preferencewindows"};
    QMDWindowController* w = nullptr;
};

TEST_F(PreferenceWindows, OkPutsTheUnitsIntoNewPlansAndTheLevelsIntoTheUndoStack) {
    port::defaults().setInt(QMDMeasurementSystemKey, 3);
    PreferencesController* p = nullptr;
    ASSERT_TRUE(p = Preferences(2));
    QComboBox* units = Get<QComboBox>(p, "unitsPopUpButton");
    ClickAt(units, units->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return units->view()->isVisible(); }));
    XDo({"key", "Down", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return units->currentData().toInt() == 4 && Get<QComboBox>(p, "field3PopUpButton")->isHidden() &&
               !units->view()->isVisible();
    }));
    p->grab().save(gShot);  // the window as drawn, metric
    ASSERT_TRUE(Ok(p));
    EXPECT_EQ(AppController::shared()->documentController()->openUntitledDocument()->model()->itsDocState->units,
              kMetricUnits);

    ASSERT_TRUE(p = Preferences(0));
    QLineEdit* levels = Get<QLineEdit>(p, "undoLevelsText");
    ClickAt(levels, levels->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return levels->hasFocus(); }));
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", "30"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return levels->text() == "30"; }));
    ASSERT_TRUE(Ok(p));
    // The stack holds no more steps than the snapshot ring restores; the preference is kept as typed.
    EXPECT_EQ(std::tuple(w->document()->undoStack()->undoLimit(), port::defaults().getInt(QMDUndoLevelKey)),
              std::tuple(gTotalUndos - 1, int64_t{30}));
}

TEST_F(PreferenceWindows, PlantDetailsOpenFromThePlantsContextMenu) {
    InspectorDesign design = BuildInspectorDesign(w->document()->model());
    std::strcpy(design.plant->plantInfo->commonName, "Sugar Maple");
    design.plant->planBits = w->document()->model()->itsDocState->visiblePlans;
    Float3DRect& crown = design.plant->bounds3D;  // its model's bounds, found by the click
    crown.floatLeft = 490, crown.floatRight = 510, crown.floatBack = 40, crown.floatFront = 60;
    crown.floatTop = 0, crown.floatBottom = 120;
    w->docView()->scrollPoint({-60, -60}), w->docView()->update();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->isActiveWindow(); }));
    // The menu runs inside the press: a timer clicks its item.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            poll.stop();
            QAction* item = menu->findChild<QAction*>("showPlantDetails");
            item ? ClickAt(menu, menu->actionGeometry(item).center()) : void(menu->close());  // not the plant's
        }
    });
    poll.start(50);
    ClickObject(w, design.plant, 3);
    PlantDetailsController* details = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if ((details = qobject_cast<PlantDetailsController*>(top)) && details->isVisible()) return true;
        return false;
    })) << "no details window";
    EXPECT_EQ(Get<QLabel>(details, "commonNameText")->text(), "Sugar Maple");
    // Closed, it goes: none is left open for the next test.
    const QPointer<PlantDetailsController> open = details;
    details->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return open.isNull(); }));
}

TEST_F(PreferenceWindows, ContentProvidersListTheFoldersVendorsAndOpenTheirAddress) {
    const auto open = [&] {
        EXPECT_TRUE(ChooseMenuItem(w, "Window", "showContentProvidersWindow"));
        ContentProviderController* c = ContentProviderController::sharedContentProviderController();
        EXPECT_TRUE(QTest::qWaitFor([&] { return c->isVisible() && c->windowHandle()->isExposed(); }));
        return c;
    };
    ContentProviderController* c = open();
    EXPECT_EQ(Get<QLabel>(c, "vendorNameText")->text(), "No Vendors Found");
    c->close();
    ASSERT_FALSE(ContentProviderController::exists());  // the next opening reads the folder again

    const std::string dir = LocalDomainContentProviderPath();
    port::MakeFolder(dir.substr(0, dir.rfind('/'))), port::MakeFolder(dir);
    for (auto [name, text] : {std::pair("cedar.PPI", "Name=Cedar Works\nURL=example.com/x\nPhone=555-1\n"),
                              std::pair("alder.ppi", "Name=Alder\n")})
        port::WriteWholeFile(dir + "/" + name, ("[Provider]\n" + std::string(text)).data(), 11 + std::strlen(text));
    QStringList opened;
    QMDURLTextField::setOpener([&](const QUrl& u) { opened << u.toString(); });
    c = open();
    auto* list = Get<QListWidget>(c, "providerTableView");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(std::tuple(list->item(0)->text(), list->item(1)->text()), std::tuple(QString("Alder"), QString("Cedar Works")));
    auto* url = Get<QMDURLTextField>(c, "vendorURLText");
    ClickAt(url, url->rect().center());  // Alder gives no address
    ClickAt(list->viewport(), list->visualItemRect(list->item(1)).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Get<QLabel>(c, "contactInfoText")->text() == "Phone: 555-1\n"; }));
    c->layout()->activate();  // the address placed below the new texts
    ClickAt(url, url->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened == QStringList({"http://example.com/x"}); })) << opened.size();
}

// The same windows without a window manager and under twm, whose keyboard follows the pointer.
class PreferenceWindowsManaged : public PreferenceWindows, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            manager = std::make_unique<TwmOnScreen>(QString::fromStdString(services.folders.temporaryBase()) + "/twm");
            ASSERT_TRUE(manager->running());
        }
        PreferenceWindows::SetUp();
    }
    void TearDown() override { PreferenceWindows::TearDown(), manager.reset(); }
    std::unique_ptr<TwmOnScreen> manager;
};
INSTANTIATE_TEST_SUITE_P(WindowManagers, PreferenceWindowsManaged, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Twm" : "NoWindowManager"; });

// A window the program shows beside the document window, opened from its menu as a user opens
// it and ended by one click on its button (the live view by Ctrl+1 after a click in its picture,
// which is a window of its own): the next key, pressed at once, reaches the plan. No row gives the
// window the keyboard itself: the program does as it shows the window, or the click does.
TEST_P(PreferenceWindowsManaged, TheNextKeyAfterAWindowClosesReachesThePlan) {
    BuildInspectorDesign(w->document()->model());
    const auto shown = [](QWidget* window) {
        return window && QTest::qWaitFor([&] { return window->isVisible() && window->windowHandle()->isExposed(); }) ? window : nullptr;
    };
    // The window the menu item showed: the first visible top-level window of the class.
    const auto fromMenu = [&](const char* menu, const char* action, const char* className) -> QWidget* {
        if (!ChooseMenuItem(w, menu, action)) return nullptr;
        QWidget* found = nullptr;
        (void)QTest::qWaitFor([&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->inherits(className) && top->isVisible()) found = top;
            return found != nullptr;
        });
        return shown(found);
    };
    const struct Row {
        const char* what;
        std::function<QWidget*()> open;
        const char* button;  // none: the live view's picture, then Ctrl+1
    } rows[] = {
        {"Preferences OK", [&]() -> QWidget* { return Preferences(0); }, "okButton"},
        {"Preferences Cancel", [&]() -> QWidget* { return Preferences(0); }, "cancelButton"},
        {"Plant Details", [&] { return fromMenu("Plan", "showPlantDetails", "PlantDetailsController"); }, "dismissButton"},
        {"Live View", [&] {
             LiveViewController* c = LiveViewController::sharedLiveViewController();  // made at launch
             return ChooseMenuItem(w, "Window", "toggleLiveViewPanel", 14000) ? shown(c->window()) : nullptr;
         }, nullptr},
        {"About", [&] { return ChooseMenuItem(w, "Help", "showAboutWindow") ? shown(AboutWindowController::shared()->window()) : nullptr; },
         "closeButton"},
        {"Content Providers", [&] { return fromMenu("Window", "showContentProvidersWindow", "ContentProviderController"); },
         "closeButton"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QWidget* window = r.open();
        ASSERT_TRUE(window);
        QWidget* control = r.button ? window->findChild<QPushButton*>(QString::fromLatin1(r.button))
                                    : LiveViewController::sharedLiveViewController()->glSurface().container(window);
        ASSERT_TRUE(control);
        const auto at = [&] { return control->mapToGlobal(control->rect().center()); };
        // Its control moved, as a user may move the window, to a point of its own (a synchronous
        // move onto the pointer's place would wait for ever): without a window manager off the
        // program's other windows, where the keyboard would go to no window; under twm over
        // the plan, which the keyboard then follows.
        const int i = int(&r - rows);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QPoint spot = GetParam() ? w->docView()->parentWidget()->mapToGlobal(QPoint(100 + 25 * i, 120 + 10 * (i % 3))) : QPoint();
        for (int y = screen.bottom() - 20 - 4 * i; spot.isNull() && y > screen.top(); y -= 40)
            for (int x = screen.right() - 20 - 4 * i; spot.isNull() && x > screen.left(); x -= 40) {
                const QWidgetList tops = QApplication::topLevelWidgets();
                if (std::none_of(tops.begin(), tops.end(), [&](QWidget* t) {
                        return t != window && t->isVisible() && t->frameGeometry().adjusted(-4, -4, 4, 4).contains(QPoint(x, y));
                    }))
                    spot = QPoint(x, y);
            }
        ASSERT_FALSE(spot.isNull());
        window->move(window->pos() + spot - at());
        ASSERT_TRUE(QTest::qWaitFor([&] { return at() == spot; }));
        // Under twm the keyboard follows the pointer onto the window before the click; without a
        // window manager only the program or the click gives it.
        if (GetParam()) XDo({"windowfocus", "--sync", QString::number(window->winId())});
        QTest::qWait(200);
        const QPointer<QWidget> open = window;  // some go as they close
        ClickAt(control, control->rect().center());
        if (!r.button) QTest::qWait(300), XDo({"key", "ctrl+1"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return !open || !open->isVisible(); }));
        // Under twm the keyboard follows the pointer onto the plan once the window is gone: the
        // key is pressed once twm has moved it there, as a user sees twm mark the window.
        if (GetParam()) EXPECT_TRUE(QTest::qWaitFor([&] { return KeysGoTo(w); })) << "twm never gave the plan the keyboard";
        EXPECT_TRUE(KeyReaches(w->docView()));
    }
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_preferences <screenshot.png>"); }
