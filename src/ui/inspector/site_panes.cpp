#include "ui/inspector/site_panes.h"

#include <QCheckBox>
#include <QAbstractButton>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <climits>

#include "app/core/event_handler.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/smoothing.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
#include "model/render_state.h"
#include "scene/terrain.h"
#include "model/material_table.h"
#include "tools/site_tools.h"

namespace {

namespace rf = objfield::railing;
namespace pf = objfield::path;
namespace ff = objfield::fence;

const float kLow = Above(0.01f), kHigh = Below(10000);

bool IsRailing(const Objex* o) { return o->type == objtype::kRailing; }
bool IsPath(const Objex* o) { return o->type == objtype::kPath; }
bool IsFence(const Objex* o) { return o->type == objtype::kFence; }
bool IsCustomFence(const Objex* o) { return ff::kStyle(*o) == ff::kCustomStyle; }
bool IsTopography(const Objex* o) { return o->type == objtype::kTopography; }

bool HasSelectedPoint(const Objex* o) {
    for (const Poinz* p = o->firstPoint; p; p = p->next)
        if (p->selected) return true;
    return false;
}

const InspectorEditRow kRailRows[] = {
    {"railHeightText", FieldEntry::Length, kLow, kHigh, objtype::kRailing, EditWalk::TopLevel, false,
     [](const Objex* o) { return rf::kHeight(*o); }, [](Objex* o, float v) { rf::kHeight(*o) = v; },
     EditRebuild::ByType, "Handrail Height", UndoRule::WhenChanged, [](const DocState* d) { return d->railHeight; },
     [](DocState* d, float v) { d->railHeight = v; }},
    {"balusterSpacingText", FieldEntry::Length, kLow, kHigh, objtype::kRailing, EditWalk::TopLevel, false,
     [](const Objex* o) { return rf::kValueB(*o); }, [](Objex* o, float v) { rf::kValueB(*o) = v; },
     EditRebuild::ByType, "Baluster Spacing", UndoRule::WhenChanged, [](const DocState* d) { return d->railValueB; },
     [](DocState* d, float v) { d->railValueB = v; }},
};

// Railings with a selected point: each of those points stands a post or not, and the railing
// is rebuilt whatever its points held.
const InspectorEditRow kPostRow = [] {
    InspectorEditRow r{"includePostButton", FieldEntry::Integer, 0, 1, objtype::kRailing, EditWalk::TopLevel, false,
                       [](const Objex*) { return 0.f; },
                       [](Objex* o, float v) {
                           for (Poinz* p = o->firstPoint; p; p = p->next)
                               if (p->selected)
                                   rf::kPointFlags(*p) = v != 0 ? rf::kPointFlags(*p) | rf::kPostAtPoint
                                                                : rf::kPointFlags(*p) & ~rf::kPostAtPoint;
                       },
                       EditRebuild::ByType, "Handrail Posts", UndoRule::WhenChanged, nullptr, nullptr};
    r.onlyIf = HasSelectedPoint;
    r.countReached = true;
    return r;
}();

const InspectorEditRow kPathWidthRow{
    "pathWidthText", FieldEntry::Length, kLow, kHigh, objtype::kPath, EditWalk::TopLevel, false,
    [](const Objex* o) { return pf::kWidth(*o); }, [](Objex* o, float v) { pf::kWidth(*o) = v; }, EditRebuild::ByType,
    "Pathway Width", UndoRule::WhenChangedOrNotDefault, [](const DocState* d) { return d->pathWidth; },
    [](DocState* d, float v) { d->pathWidth = v; }};

// The style is the path's material, whose colours it takes as the path tool gives them.
const InspectorEditRow kPathStyleRow{
    "pathStyleButtons", FieldEntry::Integer, float(INT_MIN), float(INT_MAX), objtype::kPath, EditWalk::TopLevel, false,
    [](const Objex* o) { return float(pf::kStyle(*o)); },
    [](Objex* o, float v) {
        pf::kStyle(*o) = int32_t(v);
        o->fillColor = o->penColor = MaterialTableColor(int32_t(v));
    },
    EditRebuild::ByType, "Pathway Style", UndoRule::WhenChangedOrNotDefault,
    [](const DocState* d) { return float(d->pathStyle); }, [](DocState* d, float v) { d->pathStyle = int16_t(v); }};

// The curved style smooths the outline, any other straightens it, before the rebuild.
const InspectorEditRow kEdgingStyleRow{
    "edgingStyleButtons", FieldEntry::Integer, float(INT_MIN), float(INT_MAX), objtype::kEdging, EditWalk::TopLevel,
    false, [](const Objex* o) { return float(objfield::edging::kStyle(*o)); },
    [](Objex* o, float v) {
        objfield::edging::kStyle(*o) = int32_t(v);
        if (int32_t(v) == objfield::edging::kCurved) SmoothObject(o);
        else UnsmoothObject(o);
    },
    EditRebuild::ByType, "Edging Style", UndoRule::WhenChangedOrNotDefault,
    [](const DocState*) { return float(gEdgingStyleFlag); }, [](DocState*, float v) { gEdgingStyleFlag = uint8_t(v); }};

const InspectorEditRow kFenceStyleRow{
    "stylePopUpButton", FieldEntry::Integer, float(INT_MIN), float(INT_MAX), objtype::kFence, EditWalk::TopLevel, false,
    [](const Objex* o) { return float(ff::kStyle(*o)); }, [](Objex* o, float v) { ff::kStyle(*o) = int32_t(v); },
    EditRebuild::ByType, "Fence Style", UndoRule::WhenChanged, [](const DocState* d) { return float(d->fenceStyle); },
    [](DocState* d, float v) { d->fenceStyle = int16_t(v); }};

// I: the object's size; the default is the settings record's slot for it.
template <int I>
InspectorEditRow FenceSizeRow(const char* outlet, const char* undoName) {
    constexpr int S = ff::kSettingsSize[I];
    InspectorEditRow r{outlet, FieldEntry::Length, Above(0), kHigh, objtype::kFence, EditWalk::TopLevel, false,
                       [](const Objex* o) { return ff::kSize(I)(*o); }, [](Objex* o, float v) { ff::kSize(I)(*o) = v; },
                       EditRebuild::ByType, undoName, UndoRule::WhenChanged,
                       [](const DocState* d) { return d->fenceSizes[S]; }, [](DocState* d, float v) { d->fenceSizes[S] = v; }};
    r.onlyIf = IsCustomFence;
    return r;
}
const InspectorEditRow kFenceSizeRows[] = {
    FenceSizeRow<0>("spanLengthText", "Custom Fence Span Length"),
    FenceSizeRow<1>("spanHeightText", "Custom Fence Span Height"),
    FenceSizeRow<3>("postWidthText", "Custom Fence Post Width"),
    FenceSizeRow<2>("postHeightText", "Custom Fence Post Height"),
    FenceSizeRow<4>("gateHeightText", "Custom Fence Gate Height"),
};

const InspectorEditRow kGateRow = [] {
    InspectorEditRow r{"gateLengthText", FieldEntry::Length, Above(35.99f), Below(361), 0, EditWalk::TopLevel, false,
                       nullptr, nullptr, EditRebuild::None, "", UndoRule::Never,
                       [](const DocState* d) { return d->gateLength; }, [](DocState* d, float v) { d->gateLength = v; }};
    r.noRefresh = true;
    return r;
}();

// Elevations are held in plan units and typed in world units; an entry leaves the default.
const InspectorEditRow kTopoRow = [] {
    InspectorEditRow r{"elevationText", FieldEntry::Length, -10000, 10000, objtype::kTopography, EditWalk::TopLevel,
                       true, [](const Objex* o) { return objfield::topo_line::kHeight(*o); },
                       [](Objex* o, float v) { objfield::topo_line::kHeight(*o) = v; }, EditRebuild::None,
                       "Topography Elevation", UndoRule::WhenChanged,
                       [](const DocState* d) { return ConvertScreenToWorld(d->topoValue, d, 0); }, nullptr};
    r.noRefresh = true;
    return r;
}();

QPushButton* Button(const char* outlet, const QString& title, QWidget* parent) {
    auto* b = new QPushButton(title, parent);
    b->setObjectName(QLatin1String(outlet));
    return b;
}

// The matrix's cells in a grid of two columns, in the row after the fields.
TagMatrix* Matrix(QObject* owner, const char* outlet, QFormLayout* form, QWidget* view,
                  std::initializer_list<std::pair<const char*, int>> cells) {
    auto* matrix = new TagMatrix(outlet, owner);
    auto* grid = new QGridLayout;
    int i = 0;
    for (const auto& [title, tag] : cells) {
        grid->addWidget(matrix->addCellWithTag(QObject::tr(title), tag, view), i / 2, i % 2);
        ++i;
    }
    form->addRow(grid);
    return matrix;
}

bool CanEdit() { return CurrentDocState() && gCurDocument->itsCurLayer; }

}  // namespace

RailInspectorController::RailInspectorController()
    : FieldRowsPane({{&kRailRows[0], "Handrail height"}, {&kRailRows[1], "Baluster spacing"}}, IsRailing) {}

void RailInspectorController::buildMore(QFormLayout* form, QWidget* view) {
    includePostButton = addCheckBox("includePostButton", tr("Post at selected points"), view);
    adjustCurveButton = Button("adjustCurveButton", tr("Adjust Curve..."), view);
    straightenCurveButton = Button("straightenCurveButton", tr("Straighten"), view);
    for (QWidget* w : {static_cast<QWidget*>(includePostButton), static_cast<QWidget*>(adjustCurveButton),
                       static_cast<QWidget*>(straightenCurveButton)}) {
        form->addRow(w);
        addObjectOnly(w);
    }
    connect(includePostButton, &QCheckBox::clicked, this, &RailInspectorController::includePostButtonChanged);
    connect(adjustCurveButton, &QPushButton::clicked, this, [] { Win32EventHandler().smoothSelected(); });
    connect(straightenCurveButton, &QPushButton::clicked, this, [] { Win32EventHandler().unsmoothSelected(); });
}

void RailInspectorController::showObject(Objex* object, bool first) {
    if (!IsRailing(object)) return;
    FieldRowsPane::showObject(object, first);
    // The first railing's last selected point decides; any other point that differs clears it.
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p->selected) showCheck(includePostButton, (rf::kPointFlags(*p) & rf::kPostAtPoint) != 0, first);
}

void RailInspectorController::includePostButtonChanged() {
    if (CurrentDocState() && gCurDocument->itsCurLayer) ApplyInspectorValue(kPostRow, includePostButton->isChecked());
}

PathwayInspectorController::PathwayInspectorController() : FieldRowsPane({{&kPathWidthRow, "Width"}}, IsPath) {}

void PathwayInspectorController::buildMore(QFormLayout* form, QWidget* view) {
    pathStyleButtons = Matrix(this, "pathStyleButtons", form, view,
                              {{"Lawn", 0}, {"Soil", 1}, {"Mulch", 2}, {"Gravel", 3}, {"Sand", 4}, {"Concrete", 5},
                               {"Asphalt", 6}, {"Brick Pavers", 7}, {"Flagstone", 8}, {"Water", 9}, {"Wood Chips", 10},
                               {"Ground Cover", 11}, {"Crushed Stone", 12}, {"Clay", 13}, {"Snow", 14}, {"Rock", 15}});
    connect(pathStyleButtons, &TagMatrix::cellChosen, this, &PathwayInspectorController::pathStyleButtonsChanged);
}

void PathwayInspectorController::showToolDefaults() {
    FieldRowsPane::showToolDefaults();
    pathStyleButtons->selectCellWithTag(CurrentDocState()->pathStyle);
}

void PathwayInspectorController::showObject(Objex* object, bool first) {
    if (!IsPath(object)) return;
    FieldRowsPane::showObject(object, first);
    pathStyleButtons->mergeTag(pf::kStyle(*object), first);
}

void PathwayInspectorController::pathStyleButtonsChanged(int tag) {
    if (CanEdit()) ApplyInspectorValue(kPathStyleRow, float(tag));
}

void EdgingInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    edgingStyleButtons = Matrix(this, "edgingStyleButtons", form, view, {{"Curved", 0}, {"Straight", 1}});
    connect(edgingStyleButtons, &TagMatrix::cellChosen, this, &EdgingInspectorController::edgingStyleButtonsChanged);
}

void EdgingInspectorController::showToolDefaults() { edgingStyleButtons->selectCellWithTag(gEdgingStyleFlag); }

void EdgingInspectorController::showObject(Objex* object, bool first) {
    if (object->type == objtype::kEdging) edgingStyleButtons->mergeTag(objfield::edging::kStyle(*object), first);
}

void EdgingInspectorController::edgingStyleButtonsChanged(int tag) {
    if (CanEdit()) ApplyInspectorValue(kEdgingStyleRow, float(tag));
}

FenceInspectorController::FenceInspectorController()
    : FieldRowsPane({{&kFenceSizeRows[0], "Span length"},
                     {&kFenceSizeRows[1], "Span height"},
                     {&kFenceSizeRows[2], "Post width"},
                     {&kFenceSizeRows[3], "Post height"},
                     {&kFenceSizeRows[4], "Gate height"}},
                    IsFence) {}

void FenceInspectorController::buildMore(QFormLayout* form, QWidget* view) {
    stylePopUpButton = new TaggedPopUp("stylePopUpButton", view);
    stylePopUpButton->addItemWithTag(tr("Privacy Fence"), 703);
    stylePopUpButton->addItemWithTag(tr("Picket Fence"), 700);
    stylePopUpButton->addItemWithTag(tr("Ranch Fence"), 701);
    stylePopUpButton->addItemWithTag(tr("Rail Fence"), 702);
    form->insertRow(0, tr("Style"), stylePopUpButton);
    connect(stylePopUpButton, &QComboBox::activated, this, [this] { changeStylePopUpButton(); });
}

void FenceInspectorController::enableSizes(bool on) {
    for (const FieldRow& f : fields_) text(f.row->outlet)->setEnabled(on);
}

void FenceInspectorController::showToolDefaults() {
    shownStyle_ = CurrentDocState()->fenceStyle;
    stylePopUpButton->selectItemWithTag(shownStyle_);
    FieldRowsPane::showToolDefaults();
    enableSizes(shownStyle_ == ff::kCustomStyle);
}

void FenceInspectorController::showObject(Objex* object, bool first) {
    if (!IsFence(object)) return;
    const int32_t style = ff::kStyle(*object);
    if (first) {
        shownStyle_ = style;
        stylePopUpButton->selectItemWithTag(style);
        enableSizes(style == ff::kCustomStyle);
    } else if (style != shownStyle_) {
        shownStyle_ = -1;
        stylePopUpButton->selectItemWithTag(-1);
        enableSizes(false);
    }
    FieldRowsPane::showObject(object, first);
}

void FenceInspectorController::changeStylePopUpButton() {
    if (!CanEdit()) return;
    shownStyle_ = stylePopUpButton->selectedTag();
    enableSizes(shownStyle_ == ff::kCustomStyle);
    ApplyInspectorValue(kFenceStyleRow, float(shownStyle_));
}

GateToolInspectorController::GateToolInspectorController()
    : FieldRowsPane({{&kGateRow, "Gate length"}}, [](const Objex*) { return false; }) {}

TopoInspectorController::TopoInspectorController() : FieldRowsPane({{&kTopoRow, "Elevation"}}, IsTopography) {}

void TopoInspectorController::entryEnded(const InspectorEditRow&, EditResult result) {
    if (result != EditResult::Changed) return;
    SetLotElevation();
    gRefreshRender = 1;
    Refresh();
}
