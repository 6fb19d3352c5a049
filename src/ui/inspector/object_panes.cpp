#include "ui/inspector/object_panes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <cstring>

#include "app/core/dialog_fields.h"
#include "app/widgets.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plant_bounds.h"
#include "model/tool_defaults.h"
#include "model/type_data.h"
#include "ui/core/inspector_edits.h"
#include "ui/core/inspector_tables.h"
#include "ui/core/light_values.h"

namespace {

using objfield::fentrix::kShadowOff;

bool IsFentrixGroup(const Objex* o) {
    return o->type == objtype::kGroup && o->firstChild && o->firstChild->type == objtype::kFentrix;
}
bool IsFentrixOrGroup(const Objex* o) { return o->type == objtype::kFentrix || IsFentrixGroup(o); }

// A group and its object count as holding the flag only when both do.
float GetShadowOff(const Objex* o) {
    if (IsFentrixGroup(o) && kShadowOff(*o) != kShadowOff(*o->firstChild)) return -1;
    return float(kShadowOff(*o));
}
void SetShadowOff(Objex* o, float v) {
    kShadowOff(*o) = int32_t(v);
    if (IsFentrixGroup(o)) kShadowOff(*o->firstChild) = int32_t(v);
}

const InspectorEditRow kShadowRow{"castShadowsButton", FieldEntry::Integer, 0, 1, -1, EditWalk::TopLevel, false,
                                  GetShadowOff, SetShadowOff, EditRebuild::Render, "Fentrix Shadow",
                                  UndoRule::WhenChanged, nullptr, nullptr, IsFentrixOrGroup};

AttachmentRecord* Record(const Objex* o) { return o->typeData.attachment; }
bool IsAccessory(const Objex* o) { return o->type == objtype::kAccessory && Record(o); }

// Above 0.01 and below 10000 inches.
constexpr float kLow = 0.010001f, kHigh = 9999.999f;
const InspectorEditRow kAccessoryRows[] = {
    {"accessoryHeightText", FieldEntry::Length, kLow, kHigh, -1, EditWalk::Attachments, true,
     [](const Objex* o) { return Record(o)->height; }, [](Objex* o, float v) { Record(o)->height = v; },
     EditRebuild::Wall, "Accessory Height", UndoRule::WhenChanged, [](const DocState*) { return gdsAccessoryHeight; },
     [](DocState*, float v) { gdsAccessoryHeight = v; }, IsAccessory},
    {"accessoryWidthText", FieldEntry::Length, kLow, kHigh, -1, EditWalk::Attachments, true,
     [](const Objex* o) { return Record(o)->width; }, [](Objex* o, float v) { Record(o)->width = v; },
     EditRebuild::Wall, "Accessory Width", UndoRule::WhenChanged, [](const DocState*) { return gdsAccessoryWidth; },
     [](DocState*, float v) { gdsAccessoryWidth = v; }, IsAccessory},
    {"accessoryElevationText", FieldEntry::Length, kLow, kHigh, -1, EditWalk::Attachments, true,
     [](const Objex* o) { return Record(o)->elevation; }, [](Objex* o, float v) { Record(o)->elevation = v; },
     EditRebuild::Wall, "Accessory Elevation", UndoRule::WhenChanged,
     [](const DocState*) { return gdsAccessoryElevation; }, [](DocState*, float v) { gdsAccessoryElevation = v; },
     IsAccessory},
    // The wall offset is held in inches.
    {"accessoryOffsetText", FieldEntry::Length, kLow, kHigh, -1, EditWalk::Attachments, false,
     [](const Objex* o) { return Record(o)->swingOrOffset; }, [](Objex* o, float v) { Record(o)->swingOrOffset = v; },
     EditRebuild::Wall, "Accessory Wall Offset", UndoRule::WhenChanged,
     [](const DocState*) { return gdsAccessoryWallOffset; }, [](DocState*, float v) { gdsAccessoryWallOffset = v; },
     IsAccessory},
    {"transparencySlider", FieldEntry::Integer, 0, 255, -1, EditWalk::Attachments, false,
     [](const Objex* o) { return objfield::accessory::kTranslucency(*o); },
     [](Objex* o, float v) { objfield::accessory::kTranslucency(*o) = v; }, EditRebuild::Wall,
     "Accessory Transparency", UndoRule::WhenChanged, [](const DocState*) { return float(gdsAccessoryTranslucency); },
     [](DocState*, float v) { gdsAccessoryTranslucency = int16_t(v); }, IsAccessory, EditRedraw::LiveView},
};
const InspectorEditRow& kTransparencyRow = kAccessoryRows[4];

const InspectorEditRow kAgeRow{"plantAgeText", FieldEntry::Integer, 0, 20, objtype::kPlant, EditWalk::TopLevel, false,
                               [](const Objex* o) { return float(objfield::plant::kPlantingAge(*o)); },
                               [](Objex* o, float v) {
                                   objfield::plant::kPlantingAge(*o) = int16_t(v);
                                   // Grows or shrinks it to its age and renders it again.
                                   GetPlantBounds(o, nullptr, nullptr, 1);
                               },
                               EditRebuild::None, "Age Planted", UndoRule::WhenChanged, nullptr, nullptr};

QString Percent(int v) { return QStringLiteral("%1 %").arg(v); }

}  // namespace

const InspectorEditRow* AccessoryRow(const char* outlet) {
    for (const InspectorEditRow& r : kAccessoryRows)
        if (std::strcmp(r.outlet, outlet) == 0) return &r;
    return nullptr;
}

void ObjectInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    castShadowsButton = addCheckBox("castShadowsButton", tr("Cast Shadows"), view);
    form->addRow(castShadowsButton);
    connect(castShadowsButton, &QCheckBox::clicked, this, &ObjectInspectorController::castShaddowsButtonChanged);
}

void ObjectInspectorController::showObject(Objex* object, bool) {
    // The first object is told by the host's pass, not by the flag.
    Objex* root = object->type == objtype::kFentrix ? GetRootObject(object) : nullptr;
    if (!root) return;
    if (!gCurFentrixObject) {
        gCurFentrixObject = root;
        showCheck(castShadowsButton, kShadowOff(*root) == 0, true);
    } else {
        showCheck(castShadowsButton, kShadowOff(*root) == 0, false);
    }
}

void ObjectInspectorController::castShaddowsButtonChanged() {
    ApplyInspectorValue(kShadowRow, castShadowsButton->isChecked() ? 0 : 1);
}

void AccessoryInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    const char* titles[] = {"Height", "Width", "Elevation", "Wall Offset"};
    for (int i = 0; i < 4; ++i) form->addRow(tr(titles[i]), addTextField(kAccessoryRows[i].outlet, view));
    auto* row = new QHBoxLayout;
    transparencySlider = new InspectorSlider("transparencySlider", 0, 100, view);
    transPercentLabel = new QLabel(Percent(0), view);
    transPercentLabel->setObjectName(QStringLiteral("transPercentLabel"));
    row->addWidget(transparencySlider);
    row->addWidget(transPercentLabel);
    form->addRow(tr("Transparency"), row);
    connect(transparencySlider, &QSlider::valueChanged, transPercentLabel,
            [this](int v) { transPercentLabel->setText(Percent(v)); });
    connect(transparencySlider, &InspectorSlider::released, this,
            &AccessoryInspectorController::transparencySliderChanged);
}

void AccessoryInspectorController::showToolDefaults() {
    if (!gCurDocument->itsCurLayer) return;
    for (int i = 0; i < 4; ++i)
        ShowDefault(kAccessoryRows[i], field(inspectorView()->findChild<QLineEdit*>(kAccessoryRows[i].outlet)));
    transparencySlider->setValue(TranslucencyToPercent(gdsAccessoryTranslucency));
}

void AccessoryInspectorController::showObject(Objex* object, bool first) {
    if (!gCurDocument->itsCurLayer || !IsAccessory(object)) return;
    for (int i = 0; i < 4; ++i)
        MergeObjectValue(kAccessoryRows[i], field(inspectorView()->findChild<QLineEdit*>(kAccessoryRows[i].outlet)),
                         object, first);
    const float translucency = objfield::accessory::kTranslucency(*object);
    const int percent = TranslucencyToPercent(translucency);
    if (first) {
        transparencySlider->setValue(percent);
        // The next accessory placed looks like the one shown.
        gdsAccessoryTranslucency = int16_t(translucency);
    } else if (transparencySlider->value() != percent) {
        transparencySlider->setValue(0);
    }
}

void AccessoryInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    for (int i = 0; i < 4; ++i)
        if (edit->objectName() == QLatin1String(kAccessoryRows[i].outlet)) ApplyInspectorField(kAccessoryRows[i], field(edit));
}

void AccessoryInspectorController::transparencySliderChanged(int percent) {
    ApplyInspectorValue(kTransparencyRow, PercentToTranslucency(float(percent)));
}

void PlantInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    form->addRow(tr("Age Planted"), addTextField(kAgeRow.outlet, view));
    prevAgeValue = 0;
}

void PlantInspectorController::showObject(Objex* object, bool first) {
    if (object->type != objtype::kPlant) return;
    const int16_t age = objfield::plant::kPlantingAge(*object);
    mergeInteger(inspectorView()->findChild<QLineEdit*>(kAgeRow.outlet), age, first);
    if (first) prevAgeValue = age;
}

void PlantInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    const float remembered = prevAgeValue;
    const EditResult r = ApplyInspectorField(kAgeRow, field(edit), &remembered);
    if (r == EditResult::Changed || r == EditResult::Unchanged) prevAgeValue = int16_t(GetLongItem(field(edit)));
}
