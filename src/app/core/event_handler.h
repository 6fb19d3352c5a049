#pragma once
#include <cstdint>

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

    void cutObjects();
    void copyObjects();
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

private:
    CommandWindow* window_ = nullptr;
};
