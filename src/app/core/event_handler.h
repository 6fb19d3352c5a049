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
    void smoothSelected();

    // The PowerTool of the plug-in object under the context click.
    void launchObjectPowerTool();
    // The key-entry sheet for the segment start -> end of a wall or line being drawn.
    void keyEntrySheetForObject(Objex* object, Poinz* start, Poinz* end);

private:
    CommandWindow* window_ = nullptr;
};
