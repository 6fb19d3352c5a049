#include "ui/inspector/inspector_controller.h"

#include <QEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "app/app_controller.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/inspector_tables.h"
#include "ui/inspector/inspector_pane.h"

namespace {

InspectorController* sShared = nullptr;

// The window whose document is the current one.
QMDWindowController* MainWindow() {
    if (!AppController::exists()) return nullptr;
    return qobject_cast<QMDWindowController*>(AppController::shared()->mainWindowController());
}

QWidget* FirstSubview(QWidget* area) {
    const QList<QWidget*> views = area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return views.isEmpty() ? nullptr : views.first();
}

// The pane as wide as the column shows it, so that its rows lay out in that width, or as its
// controls need when they need more; a pane taller than the column leaves the vertical scroll
// bar its room.
QSize PaneSizeIn(const QScrollArea* column, const QWidget* view) {
    const QSize room = column->maximumViewportSize();
    const int least = view->minimumSizeHint().width();
    const auto heightAt = [view](int width) {
        return std::max(view->hasHeightForWidth() ? view->heightForWidth(width) : view->sizeHint().height(),
                        view->minimumSizeHint().height());
    };
    int width = std::max(least, room.width());
    if (heightAt(width) > room.height())
        width = std::max(least, room.width() - column->verticalScrollBar()->sizeHint().width());
    return {width, heightAt(width)};
}

// What the column shows, sized for the column as it is now: a pane as PaneSizeIn gives it,
// the no-properties view over the column's visible part.
void FitToColumn(QScrollArea* column, QWidget* shown) {
    QWidget* area = column->widget();
    if (!area || !shown) return;
    if (auto* w = qobject_cast<QMDWindowController*>(column->window()); w && shown == w->noPropertiesView())
        shown->setGeometry(QRect(QPoint(0, 0), column->viewport()->size()));
    else
        shown->resize(PaneSizeIn(column, shown));
    area->resize(shown->size());
}

void FitToColumn(QScrollArea* column) {
    if (QWidget* area = column->widget()) FitToColumn(column, FirstSubview(area));
}

// Keeps what the column shows fitted to it whenever the column changes size (the window
// resized, the content library shown or hidden beside it) or the pane's rows change (a row
// shown or hidden for another tool). A pane's size depends on the column's room alone, and the
// no-properties view's never exceeds the part it fills, so neither can show a scroll bar whose
// room would fit it again.
class ColumnFit : public QObject {
public:
    void watch(QScrollArea* column, QWidget* shown) {
        column->viewport()->installEventFilter(this);
        shown->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Resize) {
            if (auto* column = qobject_cast<QScrollArea*>(widget->parentWidget()); column && column->viewport() == widget)
                FitToColumn(column);
        } else if (event->type() == QEvent::LayoutRequest) {
            // Once the pane's own layout has taken the request.
            QPointer<QWidget> pane = widget;
            QMetaObject::invokeMethod(this, [pane] {
                QWidget* area = pane ? pane->parentWidget() : nullptr;
                QWidget* viewport = area ? area->parentWidget() : nullptr;
                auto* column = viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
                if (column && FirstSubview(area) == pane) FitToColumn(column);
            }, Qt::QueuedConnection);
        }
        return false;
    }
};

ColumnFit* sColumnFit = nullptr;

}  // namespace

InspectorController* InspectorController::sharedInspectorController() {
    if (!sShared) sShared = new InspectorController;
    return sShared;
}

void InspectorController::destroyShared() {
    delete sShared;
    sShared = nullptr;
    delete sColumnFit;
    sColumnFit = nullptr;
    InspectorPaneRegistry::destroyAll();
}

void InspectorController::updatePropertiesState(bool useSelection) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !doc->itsDocState || !doc->itsCurLayer) return;
    gToolProperties = 0;
    gCurFentrixObject = nullptr;
    RefreshSelectionState40();

    if (useSelection) {
        gCurPropertiesObjectCount = 0;
        int32_t running = 0;
        bool result = false;
        for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next) {
            result = updatePropertiesObjectState(o, &running);
            if (!result) break;
            // A freehand roof's slope arrows and the like are its own business.
            if (running == objtype::kFreehandRoof) continue;
            // A wall, deck or roof chosen whole carries its openings, steps or skylights along:
            // they are not a second selection.
            const bool carrier = o->type == objtype::kWall || o->type == objtype::kDeck || o->type == objtype::kRoof;
            if (carrier && running == o->type && IsEntireObjectSelected(o)) continue;
            for (Objex* c = o->firstChild; c && result; c = c->next) result = updatePropertiesObjectState(c, &running);
            if (!result) break;
        }
        if (gCurPropertiesObjectCount > 0) {
            if (result) {
                swapCurrentViewWithInspectorView(loadInspectorView(running));
            } else {
                gCurPropertiesObjectCount = 0;
                swapCurrentViewWithInspectorView(nullptr);
            }
            return;
        }
    }

    const int32_t type = getToolPropertyType(gCurTool);
    QWidget* view = type ? loadInspectorView(type) : nullptr;
    swapCurrentViewWithInspectorView(view);
    if (view) updatePropertiesForObject(nullptr, true);
}

bool InspectorController::updatePropertiesObjectState(Objex* object, int32_t* selectedType) {
    if (!object || !selectedType || !IsRootObjectSelected(object)) return true;
    if (!objectHasProperties(object)) {
        *selectedType = 0;
        return false;
    }
    const int32_t t = ObjectPropertyType(object);
    if (*selectedType == 0) {
        *selectedType = t;
        if (loadInspectorView(t)) updatePropertiesForObject(object, true);
    } else if (!isCommonPropertyTypes(*selectedType, t)) {
        *selectedType = 0;
        return false;
    } else {
        updatePropertiesForObject(object, false);
    }
    if (object->type != objtype::kWall) ++gCurPropertiesObjectCount;
    return true;
}

QWidget* InspectorController::loadInspectorView(int32_t propertyType) {
    InspectorPane* pane =
        InspectorPaneRegistry::sharedInspectorController(PaneForPropertyType(propertyType, gToolProperties != 0));
    return pane ? pane->inspectorView() : nullptr;
}

void InspectorController::updatePropertiesForObject(Objex* object, bool initialize) {
    if (object) {
        if (InspectorPane* pane = InspectorPaneRegistry::sharedInspectorController(PaneForObject(object)))
            pane->updatePropertiesForObject(object, initialize);
        return;
    }
    const std::optional<ToolRoute> route = PaneForTool(gCurTool);
    if (!route) return;
    InspectorPane* pane = InspectorPaneRegistry::sharedInspectorController(route->pane);
    if (!pane) return;
    switch (route->message) {
    case ToolMessage::UpdateToolProperties: pane->updateToolProperties(); break;
    case ToolMessage::UpdateForNil: pane->updatePropertiesForObject(nullptr); break;
    case ToolMessage::UpdateForNilInitialize: pane->updatePropertiesForObject(nullptr, initialize); break;
    }
}

void InspectorController::swapCurrentViewWithInspectorView(QWidget* view) {
    QMDWindowController* w = MainWindow();
    if (!w) return;
    QWidget* area = w->parentInspectorView();
    QWidget* none = w->noPropertiesView();
    if (QWidget* first = FirstSubview(area); first && first != view) w->takeInspectorSubview(first);
    QWidget* shown = view ? view : none;
    shown->setParent(area);
    shown->move(0, 0);
    FitToColumn(w->inspectorScrollView(), shown);
    shown->show();
    if (!sColumnFit) sColumnFit = new ColumnFit;
    sColumnFit->watch(w->inspectorScrollView(), shown);
}

bool InspectorController::isVisible() {
    if (QMDWindowController* w = MainWindow()) return w->isInspectorShown();
    return gInspectorPanelVisible != 0;
}

void InspectorController::show() {
    gInspectorPanelVisible = 1;
    if (QMDWindowController* w = MainWindow()) w->setInspectorShown(true);
}

void InspectorController::close() {
    gInspectorPanelVisible = 0;
    if (QMDWindowController* w = MainWindow()) w->setInspectorShown(false);
}

void RegisterInspectorHandlers() {
    SetInspectorUpdatePropertiesStateHandler(
        [](int32_t state) { InspectorController::sharedInspectorController()->updatePropertiesState(state != 0); });
    SetInspectorIsVisibleHandler(InspectorController::isVisible);
    SetShowInspectorHandler(InspectorController::show);
    SetCloseInspectorHandler(InspectorController::close);
    SetInspectorShowEmptyPaneHandler(
        [] { InspectorController::sharedInspectorController()->swapCurrentViewWithInspectorView(nullptr); });
    RegisterInspectorPanes();
}

void ForgetInspectorHandlers() {
    SetInspectorUpdatePropertiesStateHandler(nullptr);
    SetInspectorIsVisibleHandler(nullptr);
    SetShowInspectorHandler(nullptr);
    SetCloseInspectorHandler(nullptr);
    SetInspectorShowEmptyPaneHandler(nullptr);
}
