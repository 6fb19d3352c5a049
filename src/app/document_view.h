#pragma once
// The plan view of a document window and the scroll view around it. The plan view is a
// widget of the plan's paper size whose coordinates plus its bounds origin are plan view
// coordinates (the paper's centre is the plan's origin); the clip view (the scroll area's
// viewport) keeps it centred while it is smaller than the window and within its edges when
// larger; Ctrl and the wheel zoom about the mouse. Its mouse road (app/core/plan_mouse) is fed
// by a PlanGesture; content dragged from the palette drops onto it.
#include <QAbstractScrollArea>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "app/context_menu_factory.h"
#include "app/core/main_window_seams.h"
#include "app/core/plan_mouse.h"
#include "app/plan_gesture.h"
#include "plan/base_2d_view.h"

class QMDDocument;
class QMDDocumentModel;
class QMDDocumentClipView;
class QMDDocumentScrollView;
class Win32EventHandler;
class QPainter;
class QRegion;

class QMDDocumentView : public QWidget, public Base2DViewHost, public Base2DView, public PlanMouseView {
    Q_OBJECT
public:
    // `document` (may be null) is made current while the view draws and takes the drops.
    explicit QMDDocumentView(QMDDocument* document = nullptr, QWidget* parent = nullptr);
    ~QMDDocumentView() override;

    // Base2DViewHost, in plan view coordinates.
    PlatformRect visibleRect() const override;
    PlatformSize frameSize() const override;
    PlatformPoint boundsOrigin() const override { return boundsOrigin_; }
    void scrollRectToVisible(const PlatformRect& rect) override;
    void setFrameSize(const PlatformSize& size) override;
    void setBoundsOrigin(const PlatformPoint& origin) override;
    // Under a drag's feedback, as feedbackChanged.
    void setNeedsDisplay() override;
    void setNeedsDisplayInRect(const PlatformRect& rect) override;
    bool needsToDrawRect(const PlatformRect& rect) const override;

    // The part of the widget shown through the clip view, in widget coordinates.
    QRect visibleWidgetRect() const;
    // Scrolls so that the plan view point is the visible rectangle's origin (as far as the
    // clip view allows).
    void scrollPoint(const PlatformPoint& point);

    // The camera marker under a view point: 0 none, 1 the heading triangle (walking only),
    // 2 the camera's (or, flying, the target's) square.
    int16_t ptInViewPoint(POINT point);
    // While the live view navigates the plan is a snapshot with the marker drawn over it.
    void initializeDynamicViewPointSystem() override;
    void resetDynamicViewPointSystem() override;
    bool drawsViewPointDynamically() const { return drawViewPointDynamically_; }

    // The draw of one rectangle of plan view coordinates. Outside a paint of the view it
    // always draws the whole frame (printing and tests draw so).
    void drawRect(const PlatformRect& rect) override;

    // While a press's feedback shows, the plan under it is drawn once into a kept image and
    // each move paints that image and the feedback over it. The image is drawn again when
    // what it shows changed (an edit, a scroll, a zoom, a resize) and dropped when the
    // feedback goes.
    // The times the plan under a drag's feedback was drawn into the kept image.
    int keptPlanDraws() const { return keptPlanDraws_; }
    // The feedback changed: repaints the old and the new feedback's area when both are
    // known and the kept image still holds, else the visible part.
    void feedbackChanged();
    // The design changed in a way the plan's hooks may not see: the kept image goes and the
    // visible part is drawn again.
    void planChanged();
    // Beside a repaint of only part of the view: what was drawn that a whole frame would not
    // draw again (a drag's feedback, the wall clearances drawn once) is repainted too.
    void updateLeftovers();

    // --- keys (Delete, Tab and the arrows reach these) ---
    // Deletes the selection when the current floor has one; one undo step.
    void deleteBackward();
    // Steps the snap mode, backward with Shift.
    void insertBacktab(bool shift);
    // Nudge the selection; an undo step only when something on a shown floor is selected.
    void moveUp();
    void moveDown();
    void moveLeft();
    void moveRight();

    // --- the mouse road ---
    PlanMouse& planMouse() { return mouse_; }
    // The press being handled (from the press to the end of its gesture), else empty.
    const std::optional<PlanMouseEvent>& mouseEvent() const { return mouse_.mouseEvent(); }
    // A press is being handled: the wheel, menus and shortcuts wait.
    bool gestureBusy() const { return gesture_.busy(); }

    // PlanMouseView
    Base2DViewHost* viewHost() override { return this; }
    CommandWindow* commandWindow() override;
    int16_t cameraMarkerAt(POINT where) override { return ptInViewPoint(where); }
    // Runs the menu at the press (validated and dispatched by the window's handlers) and returns
    // once it closed.
    void popUpContextMenu(PlanContextMenu menu, const ClickInfo* click) override;
    void setDocumentCursor(PlanMouseCursor cursor) override;
    void makeWindowKey() override;
    std::optional<POINT> pointerNow() override;

    // The menu actions (document_view_actions.cpp): each hands the item's tag, or this view's
    // window for the sheets, to the command layer or the controller that answers it.
    void import3DObject(int32_t tag);
    void exportLiveViewImage(int32_t tag);
    void exportVRML(int32_t tag);
    void printToScale(int32_t tag);
    void print3DLiveView(int32_t tag);
    void cut(int32_t tag);
    void copy(int32_t tag);
    void paste(int32_t tag);
    void del(int32_t tag);  // `delete`
    void selectAll(int32_t tag);
    void copyObjectsToFloor(int32_t tag);
    void moveObjectsToFloor(int32_t tag);
    void moveObjectsToPlan(int32_t tag);
    void flipObjects(int32_t tag);
    void flipPlan(int32_t tag);
    void mirrorObjects(int32_t tag);
    void nudgeObjects(int32_t tag);
    void moveObjects(int32_t tag);
    void movePlan(int32_t tag);
    void rotateObjects(int32_t tag);
    void rotatePlan(int32_t tag);
    void setObjectElevation(int32_t tag);
    void floatObjectAboveTopo(int32_t tag);
    void resetPlanView(int32_t tag);
    void setPlanZoom(int32_t tag);
    void fitToWindow(int32_t tag);
    void refreshView(int32_t tag);
    void setGridProperties(int32_t tag);
    void toggleGrid(int32_t tag);
    void snapToGrid(int32_t tag);
    void setFloorView(int32_t tag);
    void setVisiblePlans(int32_t tag);
    void setDimensionProperties(int32_t tag);
    void toggleDimensions(int32_t tag);
    void toggleCallouts(int32_t tag);
    void toggleTopographyLines(int32_t tag);
    void toggleVirtualRuler(int32_t tag);
    void toggleFramingView(int32_t tag);
    void setWorkingElevation(int32_t tag);
    void setPlanScale(int32_t tag);
    void setMeasurementUnits(int32_t tag);
    void setTrueNorthAngle(int32_t tag);
    void workOnPlan(int32_t tag);
    void workOnFloor(int32_t tag);
    void setCeilingHeight(int32_t tag);
    void calculateFloorArea(int32_t tag);
    void setPlantingAge(int32_t tag);
    void setPlantGrowthProjection(int32_t tag);
    void loadFloorplanTraceImage(int32_t tag);
    void resizeFloorplanTraceImage(int32_t tag);
    void toggleFloorplanTraceImage(int32_t tag);
    void removeFloorplanTraceImage(int32_t tag);
    void showPowerToolLauncher(int32_t tag);
    void setLotSize(int32_t tag);
    void resetLV3DView(int32_t tag);
    void setLVInteractionMethod(int32_t tag);
    void setLVWalkThroughElevation(int32_t tag);
    void setLVFlyAroundAltitude(int32_t tag);
    void setRenderStyle(int32_t tag);
    void setRenderQuality(int32_t tag);
    void showLVAndRenderFinal(int32_t tag);
    void setShadowQuality(int32_t tag);
    void showLVAndRenderShadows(int32_t tag);
    void showLVRenderProperties(int32_t tag);
    void showLVLightProperties(int32_t tag);
    void setViewpoint(int32_t tag);
    void setElevationView(int32_t tag);
    void setLVNavigationSpeed(int32_t tag);
    void moveToPlan(int32_t tag);
    void convertWallType(int32_t tag);
    void reverseStairDirection(int32_t tag);
    void fillObjectWithPlants(int32_t tag);
    void locatePlant(int32_t tag);
    void showPlantDetails(int32_t tag);
    void alterObjectPosition(int32_t tag);
    void editTextObject(int32_t tag);
    void showCeilingBuilder(int32_t tag);
    void calculateAndDisplayArea(int32_t tag);
    void launchObjectPowerTool(int32_t tag);

public slots:
    // Sent by the PowerTool launcher once it holds the design for the photo tool: the image
    // open panel, whose end inserts the photo and lets the design go.
    void launchRorozErud();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab step the snap mode rather than the focus.
    bool focusNextPrevChild(bool) override { return false; }
    // Drags declaring the palette's 2D type; the record is read under the 3D one.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QMDDocumentClipView* clipView() const;
    QMDDocumentScrollView* scrollView() const;
    void nudge(int32_t command, const char* undoName);
    // The command layer working on this view's window.
    Win32EventHandler commands();
    ContextMenuHandlers menuHandlers() const;

    // What a kept image was drawn from; another value means the image no longer shows it.
    struct KeptPlanState {
        const void* model = nullptr;
        const void* layers = nullptr;
        uint64_t edits = 0;
        // The settings record as bytes: a tracker may turn the camera or change a setting live.
        std::vector<uint8_t> settings;
        QRect shown;  // the visible widget rectangle
        QSize size;
        float originX = 0, originY = 0, zoom = 0, xAngle = 0, yAngle = 0;
        qreal ratio = 1;
        uint8_t perspective = 0, dynamicDrawing = 0, transformationDrawing = 0, realTimeDraw = 0;
        bool handles = false;
        bool operator==(const KeptPlanState&) const = default;
    };
    // The window's own design, whichever is current.
    QMDDocumentModel* ownModel() const;
    KeptPlanState keptPlanState() const;
    // The visible part drawn into `keptPlan_`: the whole frame, or only what lies under the
    // feedback.
    void keepPlan(bool underFeedback);
    void dropKeptPlan();
    // The kept image's part under the rectangle (plan view coordinates), copied as it is.
    void drawKeptPlan(const PlatformRect& r);
    bool feedbackShows() const;
    // Before a paint: keeps, draws again or drops the image under a drag's feedback.
    void keepPlanForFeedback(const QRegion& painted);
    QRect toWidget(const PlatformRect& r) const;

    QMDDocument* document_;
    PlatformPoint boundsOrigin_;
    bool drawViewPointDynamically_ = false;
    // The plan as drawn, for the camera marker (kept until the live view lets go) or under a
    // drag's feedback (while `keptUnderFeedback_`).
    QImage keptPlan_;
    QRect keptPlanArea_;  // the widget rectangle it shows
    KeptPlanState keptPlanFrom_;
    bool keptUnderFeedback_ = false;
    int keptPlanDraws_ = 0;
    // The widget area of the feedback last painted over the kept image, while known.
    std::optional<QRect> feedbackOnScreen_;
    // The wall clearances were painted and no whole frame has covered them since.
    bool clearancesOnScreen_ = false;
    QPainter* painter_ = nullptr;       // while painting
    const QRegion* painting_ = nullptr;  // the widget region being painted
    PlanMouse mouse_{this};
    PlanGesture gesture_{this, &mouse_};
};

// The scroll area's viewport. Its bounds origin is where the plan view's top left lies,
// negative on an axis where the plan is smaller than the window (then centred).
class QMDDocumentClipView : public QWidget {
    Q_OBJECT
public:
    explicit QMDDocumentClipView(QWidget* parent = nullptr);
    void setDocumentView(QMDDocumentView* view);
    QMDDocumentView* documentView() const { return documentView_; }
    QPoint boundsOrigin() const { return origin_; }

    // Centred on an axis where the plan is smaller, else the origin kept.
    void centerDocument();
    // The origin the clip view may scroll to: centred where the plan is smaller, else within
    // 0 .. the plan's overflow; whole numbers, halves away from zero.
    QPoint constrainScrollPoint(QPointF proposed) const;
    void scrollToPoint(QPointF proposed);
    // The document view changed its size.
    void viewFrameChanged() { centerDocument(); }

private:
    QMDDocumentView* documentView_ = nullptr;
    QPoint origin_;
};

class QMDDocumentScrollView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit QMDDocumentScrollView(QWidget* parent = nullptr);
    QMDDocumentClipView* clipView() const { return clip_; }
    QMDDocumentView* documentView() const { return clip_->documentView(); }
    void setDocumentView(QMDDocumentView* view) { clip_->setDocumentView(view); }
    // The scroll bars follow the clip view's origin and the plan's size.
    void syncScrollBars();
    // One wheel step of `delta` notches about the point of the plan view (widget coordinates):
    // the zoom changes by delta / 40 within the lot's minimum and 3.01, and the point stays put.
    void zoomAbout(QPointF widgetPoint, double delta);
    void setDocumentCursor(PlanCursor cursor);

protected:
    bool viewportEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QMDDocumentClipView* clip_;
};
