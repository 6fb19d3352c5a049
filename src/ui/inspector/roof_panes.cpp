#include "ui/inspector/roof_panes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

#include "app/core/dialog_fields.h"
#include "app/widgets.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "tools/roof_panels.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_edits.h"
#include "ui/sheets/sheet_dialog.h"

namespace {

namespace fr = objfield::freehand_roof;

constexpr float kMaxPitch = 1000;
constexpr float kMaxAngle = 89.3125f;
constexpr int kStepperMax = 24;

float DefaultPitch(const DocState* d) { return d->roofPitch; }
// The copy is saved with the document beside the default and always equals it.
void SetDefaultPitch(DocState* d, float v) { d->roofPitch = d->roofValue = v; }

InspectorEditRow PitchRow(int16_t type, float (*get)(const Objex*), void (*set)(Objex*, float)) {
    return {"pitchRatioText", FieldEntry::Pitch, 0, kMaxPitch, type, EditWalk::TopLevel, false, get, set,
            EditRebuild::ByType, "Roof Pitch", UndoRule::WhenChangedOrNotDefault, DefaultPitch, SetDefaultPitch};
}

// Imperial pitches are rounded to the input precision as they are read: a plain number typed
// past the limit is refused as typed, not taken as the limit.
bool TypedPast(const QLineEdit* edit, float limit) {
    bool number = false;
    const float typed = edit->text().trimmed().toFloat(&number);
    return number && typed > limit;
}

bool HaveFloor() { return CurrentDocState() && gCurDocument->itsCurLayer; }

}  // namespace

const InspectorEditRow& RoofPitchRow() {
    static const InspectorEditRow r =
        PitchRow(objtype::kRoof, [](const Objex* o) { return objfield::roof::kPitch(*o); },
                 [](Objex* o, float v) { objfield::roof::kPitch(*o) = v; });
    return r;
}

// A panel's slope arrow keeps the panel's pitch.
const InspectorEditRow& PanelPitchRow() {
    static const InspectorEditRow r = PitchRow(objtype::kFreehandRoof, [](const Objex* o) { return fr::kPitch(*o); },
                                               [](Objex* o, float v) {
                                                   fr::kPitch(*o) = v;
                                                   if (Objex* arrow = FindSlopeDirectionArrowObject(o)) fr::kPitch(*arrow) = v;
                                               });
    return r;
}

const InspectorEditRow& PanelElevationRow() {
    static const InspectorEditRow r{"elevationButtons", FieldEntry::Integer, -32768, 32767, objtype::kFreehandRoof,
                                    EditWalk::TopLevel, false,
                                    [](const Objex* o) { return float(fr::kHeightsDownward(*o)); },
                                    [](Objex* o, float v) { fr::kHeightsDownward(*o) = int16_t(v); },
                                    EditRebuild::ByType, "Roof Elevation", UndoRule::WhenChangedOrNotDefault,
                                    [](const DocState* d) { return float(d->roofElevationChoice); },
                                    [](DocState* d, float v) { d->roofElevationChoice = int16_t(v); }};
    return r;
}

const InspectorEditRow& SoffitDepthRow() {
    static const InspectorEditRow r = [] {
        InspectorEditRow row{"soffitDepthText", FieldEntry::Length, JustAbove(0.01f), JustBelow(10000), objtype::kFreehandRoof,
                             EditWalk::TopLevel, false, nullptr, nullptr, EditRebuild::None, "", UndoRule::Never,
                             [](const DocState* d) { return d->roofSoffitValue; },
                             [](DocState* d, float v) { d->roofSoffitValue = v; }};
        row.noRefresh = true;
        return row;
    }();
    return r;
}

void RoofPane::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    pitchRatioText = addTextField("pitchRatioText", view);
    pitchRunText = new QLabel(view);
    pitchRunText->setObjectName(QStringLiteral("pitchRunText"));
    pitchRatioStepper = new Stepper("pitchRatioStepper", 0, kStepperMax, view);
    connect(pitchRatioStepper, &Stepper::valueChanged, this, [this] { pitchStepperChanged(); });
    auto* ratio = new QHBoxLayout;
    ratio->addWidget(pitchRatioText);
    ratio->addWidget(pitchRunText);
    ratio->addWidget(pitchRatioStepper);
    form->addRow(tr("Pitch"), ratio);
    pitchAngleText = addTextField("pitchAngleText", view);
    form->addRow(tr("Angle"), pitchAngleText);
    buildMore(view, form);
}

void RoofPane::showPitch(float pitch) {
    SetFloatPitchItem(field(pitchRatioText), pitch);
    SetFloatPitchAngleItem(field(pitchAngleText), pitch);
    pitchRatioStepper->setValue(int(std::lround(pitch)));
    pitchRatioStepper->setEnabled(true);
    pitchAngleText->setEnabled(true);
}

void RoofPane::showToolDefaults() {
    const DocState* ds = CurrentDocState();
    pitchRunText->setText(ds->units == kImperialUnits ? QStringLiteral(": 12") : QStringLiteral(": 10"));
    showPitch(ds->roofPitch);
}

void RoofPane::showObject(Objex* object, bool first) {
    if (object->type != pitchRow_.type) return;
    const DocState* ds = CurrentDocState();
    pitchRunText->setText(ds->units == kImperialUnits ? QStringLiteral(": 12") : QStringLiteral(": 10"));
    const float pitch = pitchRow_.get(object);
    if (first) showPitch(pitch);
    UpdatePropertiesFloatPitch(field(pitchRatioText), pitch, first);
    if (pitchRatioText->text().isEmpty()) {
        field(pitchAngleText)->setText("");
        pitchRatioStepper->setEnabled(false);
        pitchAngleText->setEnabled(false);
    }
    showMore(object, first);
}

void RoofPane::controlTextDidEndEditing(QLineEdit* edit) {
    const DocState* ds = CurrentDocState();
    // Only what the user typed: the angle the pane shows reads back as another pitch.
    if (!HaveFloor() || (edit != pitchRatioText && edit != pitchAngleText) || !edit->isModified()) return;
    if (edit == pitchRatioText) {
        const float pitch = GetFloatPitchItem(field(edit));
        const bool past = ds->units == kImperialUnits && TypedPast(edit, kMaxPitch);
        if (!HoldsNumber(field(edit)) || past || !(pitch >= 0 && pitch <= kMaxPitch)) {
            showPitch(ds->roofPitch);
            return;
        }
        applyPitch(pitch, Source::Ratio);
        return;
    }
    const float degrees = GetFloatAngleItem(field(edit), false);
    if (!HoldsNumber(field(edit)) || !(degrees >= 0 && degrees <= kMaxAngle)) {
        SetFloatPitchAngleItem(field(pitchAngleText), ds->roofPitch);
        return;
    }
    applyPitch(ConvertAngleToPitch(degrees), Source::Angle);
}

void RoofPane::pitchStepperChanged() {
    if (HaveFloor()) applyPitch(float(pitchRatioStepper->value()), Source::Stepper);
}

void RoofPane::applyPitch(float pitch, Source source) {
    ApplyInspectorValue(pitchRow_, pitch, source == Source::Ratio);
    SetFloatPitchItem(field(pitchRatioText), pitch);
    SetFloatPitchAngleItem(field(pitchAngleText), pitch);
    if (source != Source::Stepper) pitchRatioStepper->setValue(int(std::lround(pitch)));
    if (source == Source::Ratio) {
        pitchRatioStepper->setEnabled(true);
        pitchAngleText->setEnabled(true);
    }
}

Roof1InspectorController::Roof1InspectorController() : RoofPane(RoofPitchRow()) {}

Roof2InspectorController::Roof2InspectorController() : RoofPane(PanelPitchRow()) {}

void Roof2InspectorController::buildMore(QWidget* view, QFormLayout* form) {
    elevationButtons = new RadioMatrix("elevationButtons", {tr("Lowest point at elevation"), tr("Highest point at elevation")},
                                       {0, 1}, view);
    // The choices beside their label would be wider than the column: they go under it.
    form->addRow(new QLabel(tr("Elevation"), view));
    form->addRow(elevationButtons);
    connect(elevationButtons, &RadioMatrix::changed, this, [this](int tag) {
        if (checkObjects_) elevationButtonsChanged(tag);
    });
    soffitBox = new QFrame(view);
    soffitBox->setObjectName(QStringLiteral("soffitBox"));
    auto* box = new QFormLayout(soffitBox);
    soffitLabel = new QLabel(tr("Soffits"), soffitBox);
    includeSoffitsButton = addCheckBox("includeSoffitsButton", tr("Include soffits"), soffitBox);
    baseSoffitButton = addCheckBox("baseSoffitButton", tr("Base"), soffitBox);
    leftSoffitButton = addCheckBox("leftSoffitButton", tr("Left"), soffitBox);
    rightSoffitButton = addCheckBox("rightSoffitButton", tr("Right"), soffitBox);
    soffitDepthLabel = new QLabel(tr("Depth"), soffitBox);
    soffitDepthText = addTextField("soffitDepthText", soffitBox);
    box->addRow(soffitLabel);
    box->addRow(includeSoffitsButton);
    box->addRow(soffitDepthLabel, soffitDepthText);
    box->addRow(baseSoffitButton);
    box->addRow(leftSoffitButton);
    box->addRow(rightSoffitButton);
    form->addRow(soffitBox);
    connect(includeSoffitsButton, &QCheckBox::clicked, this, [this] { includeSoffitsButtonChanged(); });
    // The sides only write their flags: no object changes, no undo, no redraw.
    const auto side = [this](QCheckBox* button, uint8_t DocState::*flag) {
        connect(button, &QCheckBox::clicked, this, [flag](bool on) {
            if (DocState* ds = CurrentDocState()) ds->*flag = on ? 1 : 0;
        });
    };
    side(baseSoffitButton, &DocState::soffitBase);
    side(leftSoffitButton, &DocState::soffitLeft);
    side(rightSoffitButton, &DocState::soffitRight);
}

void Roof2InspectorController::showToolDefaults() {
    const DocState* ds = CurrentDocState();
    elevationButtons->selectTag(ds->roofElevationChoice);
    layOutSoffits(gCurTool);
    enableSoffitSides(ds->soffitInclude != 0);
    ShowDefault(SoffitDepthRow(), field(soffitDepthText));
    showCheck(includeSoffitsButton, ds->soffitInclude != 0, true);
    showCheck(baseSoffitButton, ds->soffitBase != 0, true);
    showCheck(leftSoffitButton, ds->soffitLeft != 0, true);
    showCheck(rightSoffitButton, ds->soffitRight != 0, true);
    RoofPane::showToolDefaults();
}

void Roof2InspectorController::showMore(Objex* object, bool first) {
    const int16_t reference = fr::kHeightsDownward(*object);
    if (first) elevationButtons->selectTag(reference);
    else if (elevationButtons->selectedTag() != reference) elevationButtons->deselectAllCells();
    layOutSoffits(0);
}

void Roof2InspectorController::layOutSoffits(int16_t tool) {
    const bool soffits = tool == 7307 || tool == 7308;
    for (QWidget* w : {static_cast<QWidget*>(soffitLabel), static_cast<QWidget*>(includeSoffitsButton),
                       static_cast<QWidget*>(soffitDepthLabel), static_cast<QWidget*>(soffitDepthText),
                       static_cast<QWidget*>(baseSoffitButton)})
        w->setVisible(soffits);
    // The three-point roof has no left and right sides.
    leftSoffitButton->setVisible(tool == 7307);
    rightSoffitButton->setVisible(tool == 7307);
    soffitBox->setFrameShape(soffits ? QFrame::Box : QFrame::NoFrame);
}

void Roof2InspectorController::enableSoffitSides(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(soffitDepthText), static_cast<QWidget*>(baseSoffitButton),
                       static_cast<QWidget*>(leftSoffitButton), static_cast<QWidget*>(rightSoffitButton)})
        w->setEnabled(on);
}

void Roof2InspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (edit == soffitDepthText && edit->isModified()) ApplyInspectorField(SoffitDepthRow(), field(edit));
    else RoofPane::controlTextDidEndEditing(edit);
}

void Roof2InspectorController::elevationButtonsChanged(int tag) {
    if (HaveFloor() && tag >= 0) ApplyInspectorValue(PanelElevationRow(), float(tag));
}

void Roof2InspectorController::includeSoffitsButtonChanged() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ds->soffitInclude = includeSoffitsButton->isChecked() ? 1 : 0;
    enableSoffitSides(ds->soffitInclude != 0);
}
