#pragma once
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;
// The window a command's sheets open on: the shell's own window, opaque to the logic.
struct CommandWindow;

// The commands the document window and its documents share, on the current model. The view
// commands change the settings record and the view offsets; redrawing is the caller's.
class Win32EventHandler {
public:
    Win32EventHandler() = default;
    explicit Win32EventHandler(CommandWindow* window) : window_(window) {}
    CommandWindow* window() const { return window_; }

    // 100 %: the zoom factor and the zoom of the view being shown.
    void actualSize();
    // The view origin at the plan extents' right and top, the offsets cleared.
    void resetView();
    // The view origin's height and the vertical offset cleared; the working elevation from
    // the current floor.
    void updateViewingHeight();

    // --- editing, floors and plans ---

    // Whether an edit has something to work on: a top-level object of the current floor is
    // selected or has a selected child (the plan view asks the same before a delete).
    static bool shouldProceedWithEditEvent();
    // Whether a nudge has something to move: an object of a shown floor is selected.
    static bool isAnyObjectSelectedOnShownLayers();

    void cutObjects();
    // True when the scrap was written: something besides attachments was selected.
    bool copyObjects();
    // Outside the plan view the view turns to the plan first.
    void pasteObjects();
    // Selects what shows (the current floor only outside the plan view) and reads out its size.
    void selectAllObjects();
    // Refused on the top floor (up) or the bottom floor (down) with an alert.
    void copyObjectsToUpperFloor();
    void copyObjectsToLowerFloor();
    void moveObjectsToUpperFloor();
    void moveObjectsToLowerFloor();
    void moveObjectsToPlanUsingCommand(int32_t command);
    void moveToPlanUsingCommand(int32_t command);
    // Mirrors the selection about its centre in the axes of the plan or elevation shown; in any
    // other view nothing happens.
    void flipObjectsUsingCommand(int32_t command);
    void flipPlanUsingCommand(int32_t command);
    // 5008 left to right, 5138 top to bottom: a flipped copy of the selection, one undo step.
    void mirrorObjectsUsingCommand(int32_t command);
    // 5036-5039; an undo step only when something moved.
    void nudgeObjectsUsingCommand(int32_t command);
    void alterObjectPositionUsingCommand(int32_t command);
    void floatObjectAboveTopo();
    // 13000 interior, 13001 exterior, on the wall of the last context click.
    void convertWallTypeUsingCommand(int32_t command);
    void reverseStairDirection();
    // Groups the selection (nothing once too many groups are nested); no redraw, no undo step.
    void groupNoRedraw();
    void unsmoothSelected();

    // 5275-5277 work on a floor, 5278 shows every floor, 5279 only the working floor.
    void workOnFloorUsingCommand(int32_t command);
    // 5343-5350 and 5390: the plan's tab, when it is not the current plan.
    void workOnPlanUsingCommand(int32_t command);
    // 11000-11008 show or hide one plan.
    void setVisiblePlansUsingCommand(int32_t command);
    // 5300-5302: the exterior-wall area of a floor in the status text.
    void calculateFloorAreaUsingCommand(int32_t command);
    // The summed area of the selected regions of the current floor (cut-outs subtract).
    void calculateAndDisplayArea();

    // --- view, live view, trace image, files, plants and sheets ---
    // Zoom 0.6, the paper's frame with the plan's origin centred in the window.
    void resetPlanView();
    // Zoom 0.6 first, then the whole design fitted to the window.
    void fitToWindow();
    void refreshView();
    // Switches of the settings record; each redraws except snapping to the grid.
    void toggleGrid();
    void snapToGrid();
    void toggleDimensions();
    void toggleCallouts();
    void toggleTopographyLines();
    void toggleVirtualRuler();
    // The live view's framing view switched, its scene built again.
    void toggleFramingView();
    // The plan seen from above at the top view's zoom, on the current floor's drafting layer;
    // redraws only when that layer changes.
    void viewTop();

    // The floor-plan trace image: choosing the file, its scale sheet, showing and removing it.
    void loadFloorplanTraceImage();
    void resizeFloorplanTraceImageUsingWindow();
    void toggleFloorplanTraceImage();
    void removeFloorplanTraceImage();

    // The live view shown first (its scene rendered), then exported, printed or rendered.
    void exportLiveViewImage();
    void print3DLiveViewImage();
    void showLVAndRenderFinal();
    void showLVAndRenderShadows();
    // Files: the VRML save panel and the 3D object open panel.
    void exportVRMLUsingWindow();
    void import3DObjectUsingWindow();
    // Live-view menu commands; IDs outside each command's table change nothing.
    void setLVInteractionMethodUsingCommand(int32_t command);
    void setRenderStyleUsingCommand(int32_t command);
    // The camera 125 inches inside one edge of the plan extents, at mid-floor height.
    void setViewpointUsingCommand(int32_t command);
    // 5461-5464: the live view shown as orthographic elevation 1 to 4 (the lot's bottom, left,
    // top and right side); other commands change nothing.
    void setElevationViewUsingCommand(int32_t command);
    void setNavigationSpeedUsingCommand(int32_t command);
    void setRenderQualityUsingCommand(int32_t command);
    void setShadowQualityUsingCommand(int32_t command);

    // Plants: the fill sheet needs a plant selected in the content palette.
    void setPlantingAgeUsingWindow();
    void setPlantGrowthProjectionUsingWindow();
    void fillObjectWithPlantsUsingWindow();
    void showPlantDetailsWindow();

    // Sheets opened on the handler's window.
    void moveObjectsUsingWindow();
    void movePlanUsingWindow();
    void rotateObjectsUsingWindow();
    void rotatePlanUsingWindow();
    void setObjectElevationUsingWindow();
    void setPlanZoomUsingWindow();
    void setGridPropertiesUsingWindow();
    void setDimensionPropertiesUsingWindow();
    void setWorkingElevationUsingWindow();
    void setPlanScaleUsingWindow();
    void setMeasurementUnitsUsingWindow();
    void setTrueNorthAngleUsingWindow();
    void setCeilingHeightForLayer(Layer* layer);
    void setLotSizeUsingWindow();
    void editTextObjectUsingWindow();
    void showCeilingBuilderUsingWindow();
    // On the main document window, whichever window asks.
    void smoothSelected();

    // The PowerTool of the plug-in object under the context click.
    void launchObjectPowerTool();
    // The cabinet PowerTool on the selection, when it is loaded: a sheet says so when another
    // design holds it or it does not start.
    static void launchCabinetPowerTool();
    // The key-entry sheet for the segment start -> end of a wall or line being drawn.
    void keyEntrySheetForObject(Objex* object, Poinz* start, Poinz* end);

private:
    CommandWindow* window_ = nullptr;
};
