#pragma once
// The application delegate: what lives as long as the program (session, support folder,
// document list, palettes' remembered visibility) and the commands that show the panels.
#include <QObject>
#include <QCursor>
#include <functional>
#include <memory>
#include <vector>

#include "app/core/preference_keys.h"
#include "app/document.h"

class QAction;
class QMainWindow;
struct FramesKeptClear;
class QWidget;
class Base2DView;
class NotificationChannel;
struct QMDDocumentModel;

class AppController : public QObject {
    Q_OBJECT
public:
    // Registers the preference defaults (the current locale picks the unit system).
    static void initialize();
    // The delegate of the run; created by the first call.
    static AppController* shared();
    // Whether the delegate was made (asking `shared` would make it).
    static bool exists();
    // Forgets the delegate (tests); the next shared() runs `init` again.
    static void destroyShared();

    // Whether the 1.5 s splash is shown (off for tests).
    static void setSplashEnabled(bool enabled);
    static bool splashEnabled();

    int32_t sessionID() const { return sessionID_; }
    QMDDocumentController* documentController() { return &documentController_; }
    const QCursor& zoomCursor();

    QMDDocument* mainWindowDocument() const;
    QMainWindow* mainWindowController() const;
    Base2DView* mainWindowDocumentView() const;
    int deMiniaturizedDocumentWindowCount() const;

    void loadNewPlanReadoutState();
    void loadWindowVisibilityState();
    void loadColorsForDocument(QMDDocumentModel*) {}

    void setEditToolsVisible(bool v) { visible_.editTools = v; }
    void setSnapToolsVisible(bool v) { visible_.snapTools = v; }
    void setPlanToolsVisible(bool v) { visible_.planTools = v; }
    void setInspectorVisible(bool v) { visible_.inspector = v; }
    void setContentLibraryVisible(bool v) { visible_.contentLibrary = v; }
    const WindowVisibility& visibility() const { return visible_; }

    void closeVisiblePanelsAndSaveState();
    void restoreAllVisiblePanels();
    // The main window's inspector column shown or hidden as the inspector's flag says.
    void showInspectorAsRemembered();
    void setInitialWindowPositionsAndAutoSaveNames();
    // What `shown`, about to show at a frame of the program's, keeps clear of: the document
    // windows and the program's other windows shown, asked anew at each call.
    static std::function<FramesKeptClear()> framesKeptClearOf(const QWidget* shown);

    bool applicationDidLaunch() const { return applicationDidLaunch_; }
    bool shouldDisplaySplashScreen() const { return shouldDisplaySplashScreen_; }
    void beginSplashScreen();
    void endSplashScreen();

    void resetStandardTool(bool force);

    void toggleLiveViewPanel();
    void toggleToolPalettePanel();
    void toggleSnapPalettePanel();
    void togglePlanToolPalettePanel();
    void toggleInspectorPanel();
    void showLiveViewPanel();
    // Shows or hides the main window's content library (remembered in the visibility flags).
    void toggleContentLibraryPanel();
    void showContentProvidersWindow();
    void showPowerToolLauncherWindow();
    void showPreferenceWindow();
    void showAboutWindow();
    void launchManual();
    void visitKestoHomePage();

    void applicationDidFinishLaunching();
    // Enables (and for 14000-14004 titles) an item whose target is the delegate.
    bool validateMenuItem(QAction* item) const;
    // Closes the live view, then the document windows; quits unless one of them refused.
    bool terminate();

protected:
    // Before the program takes an input: what the user set since without a step is noted.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppController();
    ~AppController() override;
    void init();

    bool initialWindowPositionsSet_ = false;
    bool applicationDidLaunch_ = false;
    bool shouldDisplaySplashScreen_ = false;
    WindowVisibility visible_;
    int32_t sessionID_ = 0;
    std::unique_ptr<QCursor> zoomCursor_;
    QMDDocumentController documentController_;
    QWidget* splashWindow_ = nullptr;
    // What plug-in tools talk to; installed before the start-up has the dispatcher hear it.
    std::unique_ptr<NotificationChannel> powerToolChannel_;
};
