#include "ui/inspector/light_panes.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "ui/core/inspector_edits.h"
#include "ui/core/light_values.h"
#include "ui/inspector/style_pictures.h"

namespace {

using namespace objfield::light;

float GetOff(const Objex* o) { return float(kOff(*o)); }
void SetOff(Objex* o, float v) { kOff(*o) = int32_t(v); }
float GetGlow(const Objex* o) { return kGlow(*o); }
void SetGlow(Objex* o, float v) { kGlow(*o) = v; }
float GetAmbient(const Objex* o) { return float(kAmbient(*o)); }
// A group's field holds its light type: only the pieces take the flag.
void SetAmbient(Objex* o, float v) {
    if (o->type != objtype::kGroup) kAmbient(*o) = int32_t(v);
}
float GetDimmer(const Objex* o) { return float(kDimmer(*o)); }
void SetDimmer(Objex* o, float v) { kDimmer(*o) = int32_t(v); }
float GetRadius(const Objex* o) { return kBeamWidth(*o); }
void SetRadius(Objex* o, float v) { kBeamWidth(*o) = v; }
float GetFalloff(const Objex* o) { return kFalloff(*o); }
void SetFalloff(Objex* o, float v) { kFalloff(*o) = v; }

bool IsFloodLight(const Objex* o) { return o->type == objtype::kComponent && o->subtype == 83; }

struct ControlRow {
    const char* outlet;
    float (*get)(const Objex*);
    void (*set)(Objex*, float);
    const char* undoName;
    float (*getDefault)(const DocState*);
    void (*setDefault)(DocState*, float);
    EditRedraw redraw;
};
// Defaults keep "on" where the objects keep "off".
const ControlRow kControls[] = {
    {"lightOnButton", GetOff, SetOff, "Light Switch On/Off", [](const DocState* d) { return d->lightOn ? 0.0f : 1.0f; },
     [](DocState* d, float v) { d->lightOn = v == 0; }, EditRedraw::LiveView},
    {"glowButton", GetGlow, SetGlow, "Light Switch Glow On/Off",
     [](const DocState* d) { return d->lightGlow ? 0.0f : 1.0f; }, [](DocState* d, float v) { d->lightGlow = v == 0; },
     EditRedraw::PlanAndLiveView},
    {"ambientButton", GetAmbient, SetAmbient, "Ambient Light On/Off",
     [](const DocState* d) { return float(d->lightAmbient); }, [](DocState* d, float v) { d->lightAmbient = v != 0; },
     EditRedraw::LiveView},
    {"dimmerSlider", GetDimmer, SetDimmer, "Light Dimmer", [](const DocState* d) { return float(d->lightDimmer); },
     [](DocState* d, float v) { d->lightDimmer = int32_t(v); }, EditRedraw::LiveView},
    {"radiusSlider", GetRadius, SetRadius, "Light Radius", [](const DocState* d) { return float(d->lightRadius); },
     [](DocState* d, float v) { d->lightRadius = int32_t(v); }, EditRedraw::LiveView},
    {"falloffSlider", GetFalloff, SetFalloff, "Light Falloff", [](const DocState* d) { return float(d->lightFalloff); },
     [](DocState* d, float v) { d->lightFalloff = int32_t(v); }, EditRedraw::LiveView},
};

InspectorEditRow MakeRow(const ControlRow& c, int16_t type, EditWalk walk, bool (*also)(const Objex*)) {
    return {c.outlet, FieldEntry::Integer, -1e9f, 1e9f, type, walk, false, c.get, c.set, EditRebuild::RenderFlag,
            c.undoName, UndoRule::Always, c.getDefault, c.setDefault, also, c.redraw};
}

template <class Make>
const InspectorEditRow& RowOf(LightPane::Control control, Make make) {
    static const std::vector<InspectorEditRow> rows = [&] {
        std::vector<InspectorEditRow> r;
        for (const ControlRow& c : kControls) r.push_back(make(c));
        return r;
    }();
    return rows[size_t(control)];
}

void ShowSlider(InspectorSlider* slider, int value, bool first) {
    if (first || slider->value() == value) slider->setValue(value);
    else slider->setValue(0);
}

bool HaveFloor() { return CurrentDocState() && gCurDocument->itsCurLayer; }

}  // namespace

const InspectorEditRow& LightObjectRow(LightPane::Control control) {
    return RowOf(control, [](const ControlRow& c) { return MakeRow(c, objtype::kGroup, EditWalk::LightGroups, nullptr); });
}

const InspectorEditRow& FloodLightRow(LightPane::Control control) {
    return RowOf(control, [](const ControlRow& c) { return MakeRow(c, -1, EditWalk::Attachments, IsFloodLight); });
}

void LightPane::buildView(QWidget* view) {
    auto* column = new QVBoxLayout(view);
    lightOnButton = addCheckBox("lightOnButton", tr("Light On"), view);
    glowButton = addCheckBox("glowButton", tr("Glow"), view);
    column->addWidget(lightOnButton);
    column->addWidget(glowButton);
    connect(lightOnButton, &QCheckBox::clicked, this, [this](bool on) { apply(LightOn, on ? 0 : 1); });
    connect(glowButton, &QCheckBox::clicked, this, [this](bool on) { apply(Glow, on ? 0 : 1); });
    if (hasAmbient_) {
        ambientButton = addCheckBox("ambientButton", tr("Ambient"), view);
        column->addWidget(ambientButton);
        connect(ambientButton, &QCheckBox::clicked, this, [this](bool on) { apply(Ambient, on ? 1 : 0); });
    }
    auto slider = [&](const char* outlet, const char* labelName, const QString& title, int high, Control control,
                      QString (*format)(int), InspectorSlider** s, QLabel** l) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(title, view));
        *s = new InspectorSlider(outlet, 0, high, view);
        *l = new QLabel(view);
        (*l)->setObjectName(QString::fromLatin1(labelName));
        (*l)->setMinimumWidth(40);
        row->addWidget(*s);
        row->addWidget(*l);
        column->addLayout(row);
        QLabel* label = *l;
        connect(*s, &QSlider::valueChanged, label, [label, format](int v) { label->setText(format(v)); });
        label->setText(format(0));
        connect(*s, &InspectorSlider::released, this, [this, control](int v) { sliderReleased(control, v); });
    };
    slider("dimmerSlider", "dimmerPercentLabel", tr("Dimmer"), 100, Dimmer,
           [](int v) { return QStringLiteral("%1 %").arg(v); }, &dimmerSlider, &dimmerPercentLabel);
    slider("radiusSlider", "radiusValueLabel", tr("Radius"), 200, Radius, [](int v) { return QString::number(v); },
           &radiusSlider, &radiusValueLabel);
    slider("falloffSlider", "falloffValueLabel", tr("Falloff"), 4, Falloff, [](int v) { return QString::number(v); },
           &falloffSlider, &falloffValueLabel);
    buildExtra(view, column);
}

void LightPane::sliderReleased(Control control, int value) {
    switch (control) {
    case Dimmer: apply(control, float(PercentToDimmer(float(value)))); break;
    case Radius: apply(control, float(SliderToRadius(float(value)))); break;
    case Falloff: apply(control, float(SliderToFalloff(float(value)))); break;
    default: break;
    }
}

void LightPane::showValues(int32_t lightOff, float glowOff, int32_t ambient, int32_t dimmer, float radius,
                           float falloff, bool first) {
    showCheck(lightOnButton, lightOff == 0, first);
    showCheck(glowButton, glowOff == 0.0f, first);
    if (ambientButton) showCheck(ambientButton, ambient != 0, first);
    ShowSlider(dimmerSlider, DimmerToPercent(dimmer), first);
    ShowSlider(radiusSlider, RadiusToSlider(radius), first);
    ShowSlider(falloffSlider, FalloffToSlider(falloff), first);
}

void LightPane::showDefaults(const DocState* ds) {
    showValues(ds->lightOn ? 0 : 1, ds->lightGlow ? 0.0f : 1.0f, ds->lightAmbient, ds->lightDimmer,
               float(ds->lightRadius), float(ds->lightFalloff), true);
}

void LightPane::enableForType(int32_t lightType, bool first) {
    const LightEnabling e = LightEnablingForType(lightType);
    auto enable = [first](QWidget* w, bool on) {
        if (w && (first || !on)) w->setEnabled(on);
    };
    enable(radiusSlider, e.radiusAndFalloff);
    enable(falloffSlider, e.radiusAndFalloff);
    if (e.glowDecided) enable(glowButton, e.glow);
    enable(ambientButton, e.ambient);
}

void LightToolInspectorController::buildExtra(QWidget* view, QVBoxLayout* column) {
    lightStyleTableView = new StyleTable("lightStyleTableView", view);
    for (const char* name : {"LightStyle1", "LightStyle10", "LightStyle11"})
        lightStyleTableView->addStyle(StylePicture(QString::fromLatin1(name)), QString());
    lightStyleTableView->setFixedHeight(3 * 56);
    connect(lightStyleTableView, &QListWidget::itemSelectionChanged, this,
            &LightToolInspectorController::tableViewSelectionDidChange);
    column->addWidget(lightStyleTableView);
}

void LightToolInspectorController::showToolDefaults() {
    const DocState* ds = CurrentDocState();
    showDefaults(ds);
    enableForType(ds->lightStyle, true);
    lightStyleTableView->selectRow(LightStyleRow(ds->lightStyle));
}

void LightToolInspectorController::tableViewSelectionDidChange() {
    if (!checkObjects_ || !HaveFloor()) return;
    DocState* ds = CurrentDocState();
    ds->lightStyle = LightStyleForRow(lightStyleTableView->selectedRow());
    enableForType(ds->lightStyle, true);
}

void LightToolInspectorController::apply(Control control, float stored) {
    // The tool's defaults only: no object, no undo step.
    if (!HaveFloor()) return;
    LightObjectRow(control).setDefault(CurrentDocState(), stored);
}

void LightObjectInspectorController::showObject(Objex* object, bool first) {
    if (!gCurDocument->itsCurLayer) return;
    const bool group = object->type == objtype::kGroup;
    const int32_t type = group ? kSymbolType(*object) : object->type;
    if (!IsLightTypeCode(type)) return;
    // A group's ambient flag is on its pieces.
    const Objex* ambientHolder = group && object->firstChild ? object->firstChild : object;
    showValues(kOff(*object), kGlow(*object), group && !object->firstChild ? 0 : kAmbient(*ambientHolder),
               kDimmer(*object), kBeamWidth(*object), kFalloff(*object), first);
    enableForType(type, first);
}

void LightObjectInspectorController::apply(Control control, float stored) {
    ApplyInspectorValue(LightObjectRow(control), stored);
}

void FloodLightInspectorController::showToolDefaults() { showDefaults(CurrentDocState()); }

void FloodLightInspectorController::showObject(Objex* object, bool first) {
    if (!IsFloodLight(object)) return;
    showValues(kOff(*object), kGlow(*object), 0, kDimmer(*object), kBeamWidth(*object), kFalloff(*object), first);
}

void FloodLightInspectorController::apply(Control control, float stored) {
    ApplyInspectorValue(FloodLightRow(control), stored);
}
