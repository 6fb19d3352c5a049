#include "ui/inspector/structure_panes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "app/core/event_handler.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "tracking/tracking_state.h"

namespace {

namespace dsp = objfield::display;

const float kLow = Above(0.01f), kHigh = Below(10000), kFoundationHigh = Below(51);

bool IsFloorLike(const Objex* o) { return o->type == objtype::kFloor || o->type == objtype::kFloorCutout; }
bool IsCutout(const Objex* o) { return o->type == objtype::kFloorCutout; }

const InspectorEditRow kThicknessRow{
    "floorThicknessText", FieldEntry::Length, kLow, kHigh, objtype::kFloor, EditWalk::TopLevel, false,
    [](const Objex* o) { return objfield::floors::kThickness(*o); },
    [](Objex* o, float v) { objfield::floors::kThickness(*o) = v; }, EditRebuild::ByType, "Flooring Thickness",
    UndoRule::WhenChanged, [](const DocState* d) { return d->floorValue; }, [](DocState* d, float v) { d->floorValue = v; },
    IsCutout};

// Every selected floor takes the bit and counts: the step is stored whenever one is selected.
const InspectorEditRow kDisplayDimsRow = [] {
    InspectorEditRow r{"displayDimsButton", FieldEntry::Integer, 0, 1, objtype::kFloor, EditWalk::TopLevel, false,
                       [](const Objex* o) { return float(dsp::kWord(*o) & dsp::kAutomaticDimensions); },
                       [](Objex* o, float v) {
                           dsp::kWord(*o) = v != 0 ? dsp::kWord(*o) | dsp::kAutomaticDimensions
                                                   : dsp::kWord(*o) & ~dsp::kAutomaticDimensions;
                       },
                       EditRebuild::None, "Floor Auto-Dimensions", UndoRule::WhenChanged, nullptr, nullptr, IsCutout};
    r.countReached = true;
    return r;
}();

// A size kept in one of the object's parameters, in inches.
template <objfield::Param P>
InspectorEditRow SizeRow(const char* outlet, int16_t type, float high, const char* undoName,
                         float (*getDefault)(const DocState*), void (*setDefault)(DocState*, float)) {
    return {outlet, FieldEntry::Length, kLow, high, type, EditWalk::TopLevel, false,
            [](const Objex* o) { return P(*o); }, [](Objex* o, float v) { P(*o) = v; }, EditRebuild::None, undoName,
            UndoRule::WhenChangedOrNotDefault, getDefault, setDefault};
}

const InspectorEditRow kBeamRows[] = {
    SizeRow<objfield::beam::kWidth>("beamWidthText", objtype::kStiffenerBeam, kFoundationHigh, "Foundation Beam Width",
                [](const DocState* d) { return d->stiffenerBeamWidth; }, [](DocState* d, float v) { d->stiffenerBeamWidth = v; }),
    SizeRow<objfield::beam::kDepth>("beamDepthText", objtype::kStiffenerBeam, kFoundationHigh, "Foundation Beam Depth",
                [](const DocState* d) { return d->foundationBeamValue; },
                [](DocState* d, float v) { d->foundationBeamValue = v; }),
};
const InspectorEditRow kPierRow =
    SizeRow<objfield::pier::kWidth>("pierDiameterText", objtype::kFoundationPier, kFoundationHigh, "Foundation Pier Diameter",
                [](const DocState* d) { return d->pierDiameter; }, [](DocState* d, float v) { d->pierDiameter = v; });
const InspectorEditRow kDuctRows[] = {
    SizeRow<objfield::duct::kWidth>("ductWidthText", objtype::kAirDuct, kHigh, "HVAC Duct Width",
                [](const DocState* d) { return d->ductWidth; }, [](DocState* d, float v) { d->ductWidth = v; }),
    SizeRow<objfield::duct::kHeight>("ductDepthText", objtype::kAirDuct, kHigh, "HVAC Duct Depth",
                [](const DocState* d) { return d->ductHeight; }, [](DocState* d, float v) { d->ductHeight = v; }),
};

QPushButton* Button(const char* outlet, const QString& title, QWidget* parent) {
    auto* b = new QPushButton(title, parent);
    b->setObjectName(QLatin1String(outlet));
    return b;
}

}  // namespace

FloorInspectorController::FloorInspectorController() : FieldRowsPane({{&kThicknessRow, "Thickness"}}, IsFloorLike) {}

void FloorInspectorController::buildMore(QFormLayout* form, QWidget* view) {
    objectTypeLabel = new QLabel(tr("Floor Properties"), view);
    objectTypeLabel->setObjectName(QStringLiteral("objectTypeLabel"));
    form->insertRow(0, objectTypeLabel);
    displayDimsButton = addCheckBox("displayDimsButton", tr("Show dimensions"), view);
    adjustCurveButton = Button("adjustCurveButton", tr("Adjust Curve..."), view);
    straightenCurveButton = Button("straightenCurveButton", tr("Straighten"), view);
    for (QWidget* w : {static_cast<QWidget*>(displayDimsButton), static_cast<QWidget*>(adjustCurveButton),
                       static_cast<QWidget*>(straightenCurveButton)}) {
        form->addRow(w);
        addObjectOnly(w);
    }
    connect(displayDimsButton, &QCheckBox::clicked, this, &FloorInspectorController::displayDimsButtonChanged);
    connect(adjustCurveButton, &QPushButton::clicked, this, [] { Win32EventHandler().smoothSelected(); });
    connect(straightenCurveButton, &QPushButton::clicked, this, [] { Win32EventHandler().unsmoothSelected(); });
}

void FloorInspectorController::showToolDefaults() {
    // Another tool leaves the title the last floor tool gave it.
    switch (gCurTool) {
    case 7062: objectTypeLabel->setText(tr("Floor Properties")); break;
    case 7063: objectTypeLabel->setText(tr("Floor Cutout Properties")); break;
    case 7606: objectTypeLabel->setText(tr("Deck Cutout Properties")); break;
    default: break;
    }
    FieldRowsPane::showToolDefaults();
}

void FloorInspectorController::showObject(Objex* object, bool first) {
    if (!IsFloorLike(object)) return;
    FieldRowsPane::showObject(object, first);
    showCheck(displayDimsButton, (dsp::kWord(*object) & dsp::kAutomaticDimensions) != 0, first);
}

void FloorInspectorController::displayDimsButtonChanged() {
    if (CurrentDocState() && gCurDocument->itsCurLayer)
        ApplyInspectorValue(kDisplayDimsRow, displayDimsButton->isChecked() ? 1 : 0);
}

StiffenerBeamInspectorController::StiffenerBeamInspectorController()
    : FieldRowsPane({{&kBeamRows[0], "Width"}, {&kBeamRows[1], "Depth"}},
                    [](const Objex* o) { return o->type == objtype::kStiffenerBeam; }) {}

FoundationPierInspectorController::FoundationPierInspectorController()
    : FieldRowsPane({{&kPierRow, "Diameter"}}, [](const Objex* o) { return o->type == objtype::kFoundationPier; }) {}

AirDuctInspectorController::AirDuctInspectorController()
    : FieldRowsPane({{&kDuctRows[0], "Width"}, {&kDuctRows[1], "Depth"}},
                    [](const Objex* o) { return o->type == objtype::kAirDuct; }) {}
