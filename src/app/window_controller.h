#pragma once
// The document window: the plan view in its scroll view under the nine plan tabs, the toolbar
// with the floor pop-up, the status text and the elevation slider. While it is the main window
// its model is the current document and it answers the model's calls to the main window.
#include <QMainWindow>
#include <QPointer>
#include <string>

#include "app/context_menu_factory.h"

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QProgressBar;
class QScrollArea;
class QTabBar;
class QToolBar;
class CommandRouter;
class ContentPaletteController;
class ElevationSlider;
class QMDDocument;
class QMDDocumentScrollView;
class QMDDocumentView;
class QMDInspectorView;
struct SelectionState40;

class QMDWindowController : public QMainWindow {
    Q_OBJECT
public:
    // Placed beside the palettes and set up for the document's model, which becomes current.
    explicit QMDWindowController(QMDDocument* document);
    ~QMDWindowController() override;

    QMDDocument* document() const { return document_; }
    QToolBar* docToolbar() const { return docToolbar_; }
    QTabBar* docTabView() const { return docTabView_; }
    QComboBox* activeFloorTBPopUpButton() const { return activeFloorTBPopUpButton_; }
    QMDDocumentScrollView* docScrollView() const { return docScrollView_; }
    QMDDocumentView* docView() const { return docView_; }
    ElevationSlider* elevationSlider() const { return elevationSlider_; }
    QLabel* elevationText() const { return elevationText_; }
    QLabel* statusText() const { return statusText_; }
    // The inspector area in the side column: the pane on screen is its first subview.
    QMDInspectorView* parentInspectorView() const { return parentInspectorView_; }
    QScrollArea* inspectorScrollView() const { return inspectorScrollView_; }
    // What the area shows when nothing with properties is selected.
    QWidget* noPropertiesView() const { return noPropertiesView_; }
    // The side column holding the inspector area and, below it, the content palette; shown
    // while either of them is.
    QWidget* sideColumn() const { return sideColumn_; }
    ContentPaletteController* contentPaletteController() const { return contentPaletteController_; }
    // Takes a view out of the inspector area; a pane's view goes back to its pane unparented.
    void takeInspectorSubview(QWidget* view);
    bool isInspectorShown() const;
    void setInspectorShown(bool shown);
    bool isContentLibraryShown() const;
    void setContentLibraryShown(bool shown);
    QAction* quitAction() const { return quitAction_; }
    QAction* saveAction() const { return saveAction_; }
    QAction* saveAsAction() const { return saveAsAction_; }
    QAction* printAction() const { return printAction_; }
    // Sends the menu items of this window (its bar's and its context menus') to their targets.
    CommandRouter* commandRouter() const { return router_; }

    // Marks the plan view's visible part for display.
    void refreshDocumentVisibleView();
    void setElevationPane(const SelectionState40* selection);
    void updateElevationIndicatorTextWithValue(long value);
    void updatePlantGrowthIndicatorLevel();
    // After New or Open reused the model: the view, tools and floor pop-up start over.
    void reinitializeDocumentUI();
    // The sheet shown while a PowerTool holds the design, and the button on it that ends the tool.
    void beginPowerToolProgressSheet(const std::string& plugInName);
    void endPowerToolProgressSheet();
    void closeDocumentPowerToolButtonChanged();
    void clearStatusBar();
    // 8-bit Mac OS Roman, as the readouts make it.
    void setStatusBarText(const std::string& text);

    // Who validates the window's pop-up menus (the floor item's menu form, the visible-plan
    // pull-down, the slider's menu) and runs their choices.
    void setContextMenuHandlers(ContextMenuHandlers handlers) { menuHandlers_ = std::move(handlers); }
    // The same handlers answer the plan view's menus.
    const ContextMenuHandlers& contextMenuHandlers() const { return menuHandlers_; }

    // The floor chosen in the floor pop-up becomes the one worked on.
    void changeFloorTBPopUpButton();
    // The visible-plan pull-down under the button that asks for it.
    void setVisiblePlanUsingTBMenu(QWidget* sender);
    void elevationSliderChanged(int value);
    void elevationSliderReleased();
    // A right click or Control-click on the slider (slider coordinates).
    void elevationSliderRightMouseDown(QPoint at);
    void show3DViewButtonChanged();
    void tabViewDidSelectTabViewItem(int index);

    void windowDidBecomeMain();
    void windowDidMiniaturize();
    void windowDidDeminiaturize();
    void windowWillClose();

    // The save-before alert of New, Open and a given file (code 1 Save, 0 Don't Save, other
    // Cancel), and the save panel an untitled design asks first; each saves, then goes on
    // with the new design, the open panel or the given file. A failed save stops there.
    void saveBeforeCreateDocSheetDidEnd(int code);
    void saveBeforeOpenSheetDidEnd(int code);
    void saveBeforeShellOpenSheetDidEnd(int code);
    // Panel ends: the chosen path, empty when cancelled.
    void designCreateDocOpSavePanelDidEnd(const std::string& path);
    void designOpenOpSavePanelDidEnd(const std::string& path);
    void designShellOpenOpSavePanelDidEnd(const std::string& path);
    void floorplanTraceOpenPanelDidEnd(const std::string& path);
    void import3DObjectOpenPanelDidEnd(const std::string& path);
    void exportVRMLSavePanelDidEnd(const std::string& path);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildViews();
    QWidget* buildSideColumn();
    void showSideParts(bool inspector, bool contentLibrary);
    // Gives the pane shown in the inspector area back before the window goes.
    void releaseInspectorPane();
    void setupMenuBar();
    void setupToolbar();
    void placeWindow();
    void windowDidLoad();
    // Scrolls the plan so what shows is centred on the paper.
    void centrePlanOnPaper();
    // The live view shows the design now in the window: its scene built anew, its camera and
    // its cut-away slider.
    void showDesignInLiveView();
    void registerSeams();
    // Every handler this window registered goes back to its default (`all`: also the quit's).
    void releaseSeams(bool all);
    void selectFloorPopUpItem(int tag);
    void selectPlanTab(int32_t planBit);
    void closeSheet();
    // The save panel of the save-before roads; `end` gets the chosen path.
    void beginSaveBeforePanel(void (QMDWindowController::*end)(const std::string&));
    // Writes the design there; false after the "could not be saved as" alert.
    bool saveDesignBefore(const std::string& path);
    // The given file waiting for the save-before answer, read into the design.
    void readCandidateDesign();

    QMDDocument* document_;
    QToolBar* docToolbar_ = nullptr;
    QMDDocumentScrollView* docScrollView_ = nullptr;
    QMDDocumentView* docView_ = nullptr;
    QComboBox* activeFloorTBPopUpButton_ = nullptr;
    QTabBar* docTabView_ = nullptr;
    ElevationSlider* elevationSlider_ = nullptr;
    QLabel* elevationText_ = nullptr;
    QLabel* statusText_ = nullptr;
    QWidget* sideColumn_ = nullptr;
    QScrollArea* inspectorScrollView_ = nullptr;
    QMDInspectorView* parentInspectorView_ = nullptr;
    ContentPaletteController* contentPaletteController_ = nullptr;
    // Owned by the window, also while out of the area.
    QPointer<QWidget> noPropertiesView_;
    QDialog* powerToolProgressSheet_ = nullptr;
    QLabel* powerToolStatusText_ = nullptr;
    QProgressBar* powerToolProgressIndicator_ = nullptr;
    std::string powerToolName_;
    // The plan is centred and the design brought into view again once the window has its
    // size on screen.
    bool placedOnScreen_ = false;
    // A zoom changed between the set-up and the first show was chosen; it is kept.
    float zoomAtLoad_ = 0;
    CommandRouter* router_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* printAction_ = nullptr;
    ContextMenuHandlers menuHandlers_;
};
