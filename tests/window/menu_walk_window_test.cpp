// Every item of the document window's menu bar and toolbar, chosen in turn with a design open
// (a wall selected among other objects, one edit made): each opens a window, sheet, panel or
// page, changes the design, the view or the panels, shows an alert, is disabled, or is a
// choice already made; the few that do nothing are listed below with the reason.
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QWidgetAction>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "files/copy_paste.h"
#include "files/design_file.h"
#include "model/design_digest.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/selection_roster.h"
#include "port/alerts.h"
#include "port/file_dialogs.h"
#include "render/core/live_view_seams.h"
#include "support/build.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;
using namespace dvxtest;

// Records every alert and answers "Cancel" where it is offered, so nothing is saved or lost.
class CancellingAlerts : public port::Alerts {
public:
    int runModal(const port::Alert& alert) override {
        shown.push_back(alert.message);
        for (size_t i = 0; i < alert.buttons.size(); ++i)
            if (alert.buttons[i] == "Cancel") return int(i);
        return 0;
    }
    void beginSheet(const port::Alert& alert, std::function<void(int)> onEnd) override {
        const int answer = runModal(alert);
        if (onEnd) onEnd(answer);
    }
    std::vector<std::string> shown;
};

// Pages the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened << url; }

public:
    QList<QUrl> opened;
};

// Items that do nothing in this design, with the reason.
const std::map<std::string, const char*> kNoOps = {
    {"launchManual", "the manual is not shipped: the item does nothing while it is missing"},
    {"refreshView", "draws the plan and the live view again from an unchanged design"},
};

// What a user could see change: the design, its settings, the selection, the view, the
// panels, the status line and the copy buffer.
struct Seen {
    uint64_t design = 0;
    std::vector<uint8_t> settings;
    int selected = 0;
    const Layer* floor = nullptr;
    bool edited = false, ruler = false;
    std::vector<bool> panels;
    QString status;
    const Layer* clipboard = nullptr;
    uint64_t clipboardDoc = 0;
    PlatformRect shown{};
    bool operator==(const Seen& o) const {
        return design == o.design && settings == o.settings && selected == o.selected && floor == o.floor &&
               edited == o.edited && ruler == o.ruler && panels == o.panels && status == o.status &&
               clipboard == o.clipboard && clipboardDoc == o.clipboardDoc && shown.x == o.shown.x &&
               shown.y == o.shown.y && shown.width == o.shown.width && shown.height == o.shown.height;
    }
};

class MenuWalk : public ::testing::Test {
protected:
    void SetUp() override {
        port::setAlerts(&alerts), port::setFileDialogs(&panels);
        w = OpenDocumentWindow(), d = w->document();
        LiveViewController::sharedLiveViewController();  // made at start-up, as the program does
        ASSERT_TRUE(ShowFocused(w));
        QDesktopServices::setUrlHandler("https", &urls, "open");
        QDesktopServices::setUrlHandler("http", &urls, "open");
        QDesktopServices::setUrlHandler("file", &urls, "open");
        // A wall between a floor and a detail shape, saved and listed as a recent file.
        Layer* first = gCurDocument->itsCurLayer;
        Objex* floor = Outline(objtype::kFloor, {{-200, -200}, {0, -200}, {0, -50}, {-200, -50}}).on(first);
        wall = Wall(first, {{-100, 40}, {140, 40}});
        Objex* shape = Shape(first, objtype::kDetail, {{60, -150}, {160, -150}, {160, -60}, {60, -60}}, true, 1);
        for (Objex* o : {floor, wall, shape}) o->planBits = gCurDocument->itsDocState->visiblePlans, StoreBoundsDeep(o);
        path = services.folders.temporaryBase() + "/walked.pro";
        other = services.folders.temporaryBase() + "/other.pro";
        ASSERT_NE(KeyFileWrite(other.c_str()), 0);
        ASSERT_NE(KeyFileWrite(path.c_str()), 0);
        AppController::shared()->documentController()->noteNewRecentDocument(other);
    }
    void TearDown() override {
        for (const char* scheme : {"https", "http", "file"}) QDesktopServices::unsetUrlHandler(scheme);
        port::setFileDialogs(nullptr);
        LiveViewController::destroyShared(), AppController::destroyShared(), ResetAllGlobals();
    }
    // The design read again, its wall alone selected and nudged (one step), the panels as at
    // the start.
    void fresh() {
        CloseLiveView();
        QApplication::processEvents();
        ASSERT_TRUE(AppController::shared()->documentController()->readDesignIntoDocument(d, path));
        Layer* first = gCurDocument->itsCurLayer;
        SelectAllLayers(gCurDocument->itsLayers, 2, 1);
        Objex* second = first->firstObject->next;
        for (Poinz* p = second->firstPoint; p; p = p->next) p->selected = 1;
        NoteSelectionUnknown();
        w->docView()->nudgeObjects(5039);
        ASSERT_EQ(d->undoStack()->count(), 1);
        for (PaletteController* p : palettes()) p->isVisible() ? void() : p->showWindow();
        w->setInspectorShown(true), w->setContentLibraryShown(true);
        QApplication::processEvents();
    }
    static std::vector<PaletteController*> palettes() {
        return {ToolPaletteController::shared(), SnapPaletteController::shared(), PlanToolPaletteController::shared()};
    }
    Seen seen() {
        Seen s;
        s.design = DesignDigest(gCurDocument);
        const auto* bytes = reinterpret_cast<const uint8_t*>(gCurDocument->itsDocState);
        s.settings.assign(bytes, bytes + sizeof(DocState));
        for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
            for (Objex* o = l->firstObject; o; o = o->next) s.selected += SelectedPointCount(o) * 3 + IsObjectSelected(o);
        s.floor = gCurDocument->itsCurLayer;
        s.edited = d->isDocumentEdited(), s.ruler = gCurDocument->itsVRVisible;
        for (PaletteController* p : palettes()) s.panels.push_back(p->isVisible());
        s.panels.push_back(w->isInspectorShown()), s.panels.push_back(w->isContentLibraryShown());
        s.panels.push_back(LiveViewIsVisible());
        s.status = w->statusText()->text();
        s.clipboard = gClipboardLayer, s.clipboardDoc = gClipboardDoc;
        s.shown = w->docView()->visibleRect();
        return s;
    }
    std::set<QWidget*> shownWindows() const {
        std::set<QWidget*> out;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->isVisible()) out.insert(t);
        return out;
    }
    // Chooses the item (validated first, as its menu would) and says what it did.
    std::string choose(QAction* a) {
        const bool checked = a->isCheckable() && a->isChecked();
        if (!a->isEnabled()) return "disabled";
        const std::set<QWidget*> before = shownWindows();
        const Seen was = seen();
        const size_t alertsBefore = alerts.shown.size(), urlsBefore = urls.opened.size(), panelsBefore = panels.asked.size();
        bool modal = false;
        // A dialog run in its own loop is seen and cancelled from inside it.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* m = QApplication::activeModalWidget(); m && !before.count(m)) modal = true, m->close();
        });
        closer.start(50);
        a->trigger();
        QTest::qWait(150);
        closer.stop();
        std::string what;
        if (modal) what += "opens a dialog ";
        for (QWidget* t : shownWindows())
            if (!before.count(t)) what += "opens " + t->objectName().toStdString() + " ";
        if (urls.opened.size() > urlsBefore) what += "opens a page ";
        if (panels.asked.size() > panelsBefore) what += "opens a file panel ";
        if (alerts.shown.size() > alertsBefore) what += "alerts \"" + alerts.shown.back() + "\" ";
        if (!(seen() == was)) what += "changes ";
        if (what.empty() && checked) what = "already chosen";
        // The recent file the window shows already stays shown.
        if (what.empty() && a->property("recentPath").toString().toStdString() == d->fileName()) what = "already open";
        // Whatever it opened goes before the next item.
        for (QWidget* t : shownWindows())
            if (!before.count(t)) t->close();
        QApplication::processEvents();
        return what;
    }

    CancellingAlerts alerts;
    ScriptedFileDialogs panels;
    WindowTestServices services{"menuwalk"};
    UrlCatcher urls;
    QMDWindowController* w = nullptr;
    QMDDocument* d = nullptr;
    Objex* wall = nullptr;
    std::string path, other;
};

void Leaves(QMenu* menu, std::vector<QAction*>& out) {
    emit menu->aboutToShow();  // fills lists made on opening (the recent files)
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) Leaves(a->menu(), out);
        else out.push_back(a);
    }
}

TEST_F(MenuWalk, EveryMenuAndToolbarItemDoesSomethingSeenOrIsDisabled) {
    port::setAlerts(&alerts);
    std::vector<QAction*> items;
    for (QAction* top : w->menuBar()->actions())
        if (top->menu()) Leaves(top->menu(), items);
    ASSERT_GT(items.size(), 150u);
    int walked = 0;
    std::set<std::string> quiet;
    for (QAction* a : items) {
        const std::string name = a->objectName().toStdString();
        const std::string label = name + " " + std::to_string(a->data().toInt()) + " (" + a->text().toStdString() + ")";
        if (name == "terminate") continue;  // last: it would end the walk
        fresh();
        if (HasFatalFailure()) return;
        // The item as its menu shows it.
        if (a->objectName() != "undo" && a->objectName() != "redo") CommandRouter::validateMenuItem(a);
        const std::string what = choose(a);
        ++walked;
        std::printf("%-60s %s\n", label.c_str(), what.c_str());
        if (what.empty()) {
            if (!kNoOps.count(name)) ADD_FAILURE() << label << " does nothing a user can see";
            quiet.insert(name);
        }
    }
    for (const auto& [name, why] : kNoOps) EXPECT_TRUE(quiet.count(name)) << name << " now does something: " << why;

    // The items that wait for the live view, chosen with it shown.
    for (QAction* a : items) {
        const int tag = a->data().toInt();
        if (!((tag >= 5151 && tag <= 5154) || (tag >= 5239 && tag <= 5241) || tag == 5253 || tag == 5416)) continue;
        fresh();
        AppController::shared()->showLiveViewPanel();
        ASSERT_TRUE(QTest::qWaitFor([] { return LiveViewIsVisible(); }));
        // Walked somewhere first, so a camera put back has somewhere to come from.
        gCurDocument->itsDocState->cameraHeading = 33, gCurDocument->itsDocState->cameraPosition = {17, -23};
        CommandRouter::validateMenuItem(a);
        const std::string what = choose(a);
        std::printf("%-60s %s (live view shown)\n", a->text().toStdString().c_str(), what.c_str());
        EXPECT_TRUE(!what.empty() && what != "disabled") << a->text().toStdString() << " with the live view shown: " << what;
        ++walked;
    }

    // The toolbar: the floor pop-up and the four items.
    QToolBar* bar = w->findChild<QToolBar*>();
    for (QAction* a : bar->actions()) {
        if (!a->objectName().startsWith("Document Toolbar")) continue;
        fresh();
        const std::string label = a->objectName().toStdString();
        if (auto* floors = w->activeFloorTBPopUpButton(); label.find("Active Floor") != std::string::npos) {
            const Seen was = seen();
            floors->setCurrentIndex(1), emit floors->activated(1);
            QApplication::processEvents();
            EXPECT_FALSE(seen() == was) << label;
            continue;
        }
        const std::string what = choose(a);
        std::printf("%-60s %s\n", label.c_str(), what.c_str());
        EXPECT_FALSE(what.empty()) << label << " does nothing a user can see";
        ++walked;
    }

    // Quit on an edited design asks first; cancelled, the window stays.
    fresh();
    QAction* quit = w->quitAction();
    CommandRouter::validateMenuItem(quit);
    EXPECT_EQ(choose(quit).rfind("alerts", 0), 0u) << "Quit did not ask about the changes";
    EXPECT_TRUE(w->isVisible());
    EXPECT_GT(walked, 150);
    w->repaint();
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_menu_walk <screenshot.png>"); }

#include "menu_walk_window_test.moc"
