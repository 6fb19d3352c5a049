#include "ui/inspector/detail_panes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <cstdlib>
#include <string>

#include "app/core/dialog_fields.h"
#include "app/core/event_handler.h"
#include "app/widgets.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "model/tool_defaults.h"
#include "plan/hatch_patterns.h"
#include "port/path.h"
#include "port/qt/painter_context.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_edits.h"
#include "ui/sheets/sheet_dialog.h"

namespace {

namespace ds_ = objfield::detail_shape;

// The widest pen the steppers and the shape pane's field take, in whole points.
constexpr int kMaxLineWidth = 100;
// The multigon builder refuses fewer than three sides.
constexpr int kMinSides = 3, kMaxSides = 100;
constexpr int16_t kFirstStyle = 6;
constexpr int kFirstWidth = 1;

// --- pictures ---

port::HatchTile TileOf(int16_t code) {
    switch (code) {
    case 3: return FdwDiagPatternCallback();
    case 4: return BackDiagPatternCallback();
    case 5: return DiagCrossPatternCallback();
    case 6: return HorizLinePatternCallback();
    case 7: return VertLinePatternCallback();
    default: return CrossPatternCallback();
    }
}

// --- the object pane's rows ---

bool Hidden(int32_t word) { return (word & kDimsHidden) != 0; }
int32_t WithHidden(int32_t word, bool hidden) { return hidden ? word | kDimsHidden : word & ~kDimsHidden; }

InspectorEditRow ObjectRow(const char* outlet, float (*get)(const Objex*), void (*set)(Objex*, float),
                           const char* undoName, float (*getDefault)(const DocState*),
                           void (*setDefault)(DocState*, float)) {
    return InspectorEditRow{outlet, FieldEntry::Integer, -1e9f, 1e9f, objtype::kDetail, EditWalk::TopLevel, false,
                            get, set, EditRebuild::None, undoName, UndoRule::WhenChanged, getDefault, setDefault};
}

const InspectorEditRow kPatternRow = ObjectRow(
    "patternPopUpButton", [](const Objex* o) { return float(o->fillPattern); },
    [](Objex* o, float v) { o->fillPattern = int16_t(v); }, "Object Pattern",
    [](const DocState*) { return float(gPattern); }, [](DocState*, float v) { gPattern = int16_t(v); });

const InspectorEditRow kLineStyleRow = ObjectRow(
    "lineStylePopUpButton", [](const Objex* o) { return float(o->penStyle); },
    [](Objex* o, float v) { o->penStyle = int16_t(v); }, "Object Line Style",
    [](const DocState* d) { return float(d->penStyle); }, [](DocState* d, float v) { d->penStyle = int16_t(v); });

// Objects keep fractions of a point; the default is the whole number.
const InspectorEditRow kLineWidthRow = [] {
    InspectorEditRow r = ObjectRow(
        "lineWidthText", [](const Objex* o) { return o->penWidth; }, [](Objex* o, float v) { o->penWidth = v; },
        "Object Line Width", [](const DocState* d) { return float(d->penWidth); },
        [](DocState* d, float v) { d->penWidth = int16_t(v); });
    r.low = 0, r.high = kMaxLineWidth;
    return r;
}();

// The shape is taken out of the selection while its level changes, so what is selected of it
// follows the new level.
const InspectorEditRow kEditLevelRow = ObjectRow(
    "editLevelButtons", [](const Objex* o) { return float(ds_::kSecondWord(*o)); },
    [](Objex* o, float v) {
        SelectObj(o, selmode::kDeselect, 0);
        ds_::kSecondWord(*o) = int32_t(v);
        SelectObj(o, selmode::kSelect, 0);
    },
    "Object Edit Level", [](const DocState* d) { return float(d->editLevel); },
    [](DocState* d, float v) { d->editLevel = int32_t(v); });

// Every selected shape is written and counts, so the step is stored whenever one is selected.
const InspectorEditRow kDisplayDimsRow = [] {
    InspectorEditRow r = ObjectRow(
        "displayDimsButton", [](const Objex* o) { return float(ds_::kFirstWord(*o) & kDimsHidden); },
        [](Objex* o, float v) { ds_::kFirstWord(*o) = WithHidden(ds_::kFirstWord(*o), v != 0); },
        "Object Auto-Dimensions", [](const DocState* d) { return float(d->detailDisplayDims & kDimsHidden); },
        [](DocState* d, float v) { d->detailDisplayDims = WithHidden(d->detailDisplayDims, v != 0); });
    r.countReached = true;
    return r;
}();

// --- controls ---

TaggedPopUp* PatternPopUp(QWidget* view) {
    auto* popUp = new TaggedPopUp("patternPopUpButton", view);
    popUp->setIconSize(QSize(32, 16));  // the swatches at their own size, not squeezed to a square
    for (const FillPatternItem& item : FillPatterns()) {
        popUp->addItemWithTag(QObject::tr(item.title), item.code);
        popUp->setItemIcon(popUp->count() - 1, QIcon(QPixmap::fromImage(DetailPatternImage(item.code))));
    }
    popUp->selectItemWithTag(0);
    return popUp;
}

TaggedPopUp* LineStylePopUp(QWidget* view) {
    auto* popUp = new TaggedPopUp("lineStylePopUpButton", view);
    popUp->setIconSize(QSize(84, 12));
    for (const LineStyleItem& item : LineStyles()) {
        popUp->addItemWithTag(QObject::tr(item.title), item.code);
        popUp->setItemIcon(popUp->count() - 1, QIcon(QPixmap::fromImage(LineStylePreview(item.code))));
    }
    popUp->selectItemWithTag(kFirstStyle);
    return popUp;
}

TagMatrix* EditLevelMatrix(QObject* owner, QFormLayout* form, QWidget* view) {
    auto* matrix = new TagMatrix("editLevelButtons", owner);
    auto* row = new QHBoxLayout;
    row->addWidget(matrix->addCellWithTag(QObject::tr("Shape"), 0, view));
    row->addWidget(matrix->addCellWithTag(QObject::tr("Points"), 1, view));
    form->addRow(QObject::tr("Edit"), row);
    return matrix;
}

QPushButton* Button(const char* outlet, const QString& title, QWidget* parent) {
    auto* b = new QPushButton(title, parent);
    b->setObjectName(QLatin1String(outlet));
    return b;
}

// The whole number a text starts with, as a stepper holds it; text without a number leaves
// the stepper's value.
int StepperTakes(Stepper* stepper, port::TextField* field) {
    if (HoldsNumber(field)) stepper->setValue(GetLongItem(field));
    SetLongItem(field, stepper->value());
    return stepper->value();
}

bool HasFloor() { return CurrentDocState() && gCurDocument->itsCurLayer; }

// Only what was typed is taken: the end of editing also comes when the focus leaves a field
// the pane itself rewrote (a whole number shown for a fraction, a step), and that text would
// overwrite the shapes selected by then.
bool TypedInto(QLineEdit* edit) {
    const bool typed = edit->isModified();
    edit->setModified(false);
    return typed;
}

}  // namespace

QImage DetailPatternImage(int16_t code) {
    constexpr int kW = 32, kH = 16;
    QImage image(kW, kH, QImage::Format_ARGB32_Premultiplied);
    image.fill(code == 0 ? Qt::transparent : code == 2 ? Qt::black : Qt::white);
    QPainter p(&image);
    if (code >= 3 && code <= 8) {
        p.save();
        {
            // Through the plan's own hatch fill, tiles and all, so each picture shows its
            // pattern the way round the plan draws it.
            port::qt::QPainterContext context(p);
            context.setAntialiasing(false);
            port::Path whole;
            whole.moveTo(0, 0), whole.lineTo(kW, 0), whole.lineTo(kW, kH), whole.lineTo(0, kH);
            whole.closePath();
            const port::HatchPattern hatch(TileOf(code));
            context.fillPathWithPattern(whole, hatch, port::Color{0, 0, 0, 1}, {0, 0});
        }
        p.restore();
    }
    // "No fill" shows through to what lies behind; its stroke tells it from the white of
    // "Solid background".
    if (code == 0) {
        p.setPen(QPen(Qt::red, 1));
        p.drawLine(QLineF(1, kH - 1, kW - 1, 1));
    }
    p.setPen(Qt::black);
    p.drawRect(0, 0, kW - 1, kH - 1);
    return image;
}

QImage LineStylePreview(int16_t code) {
    QImage image(84, 12, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
    const std::vector<float> dashes = LineStyleDashes(code);
    if (!dashes.empty()) {
        // A dash pattern in Qt is in pen widths; the pen is 1 wide.
        QList<qreal> pattern;
        for (float d : dashes) pattern.append(d);
        if (pattern.size() % 2) pattern.append(0);
        pen.setDashPattern(pattern);
        pen.setDashOffset(0);
    }
    p.setPen(pen);
    p.drawLine(QPointF(0, 5.5), QPointF(83, 5.5));
    return image;
}

// --- tool panes ---

void DetailStylePane::buildStyleRows(QFormLayout* form, QWidget* view, const StyleActions& actions) {
    // The pop-ups' pictures and names are wide: a row that would not fit the column puts its
    // control under its label.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    if (actions.pattern) {
        patternPopUpButton = PatternPopUp(view);
        form->addRow(tr("Fill"), patternPopUpButton);
        connect(patternPopUpButton, &QComboBox::activated, this, actions.pattern);
    }
    lineStylePopUpButton = LineStylePopUp(view);
    form->addRow(tr("Line style"), lineStylePopUpButton);
    connect(lineStylePopUpButton, &QComboBox::activated, this, actions.lineStyle);
    lineWidthText = addTextField("lineWidthText", view);
    lineWidthStepper = addStepper("lineWidthStepper", lineWidthText, 0, kMaxLineWidth, actions.lineWidth);
    lineWidthStepper->setValue(kFirstWidth);
    SetLongItem(field(lineWidthText), kFirstWidth);
    auto* width = new QHBoxLayout;
    width->addWidget(lineWidthText);
    width->addWidget(lineWidthStepper);
    form->addRow(tr("Line width"), width);
    editLevelButtons = EditLevelMatrix(this, form, view);
    connect(editLevelButtons, &TagMatrix::cellChosen, this, actions.editLevel);
    if (actions.displayDims) {
        displayDimsButton = addCheckBox("displayDimsButton", tr("Show automatic dimensions"), view);
        form->addRow(displayDimsButton);
        connect(displayDimsButton, &QCheckBox::clicked, this, actions.displayDims);
    }
}

void DetailToolPane::buildShared(QFormLayout* form, QWidget* view, bool pattern, bool dims) {
    StyleActions actions;
    if (pattern) actions.pattern = [this] { changePatternPopUpButton(); };
    actions.lineStyle = [this] { changeLineStylePopUpButton(); };
    actions.lineWidth = [this] { changeLineWidthStepper(); };
    actions.editLevel = [this](int tag) { changeEditLevelButtons(tag); };
    if (dims) actions.displayDims = [this] { changeDisplayDimsButton(); };
    buildStyleRows(form, view, actions);
}

void DetailToolPane::showEditLevel() { editLevelButtons->selectCellWithTag(CurrentDocState()->editLevel); }

void DetailToolPane::showDisplayDims(bool enabled) {
    showCheck(displayDimsButton, !Hidden(CurrentDocState()->detailDisplayDims), true);
    displayDimsButton->setEnabled(enabled);
}

void DetailToolPane::changePatternPopUpButton() { gPattern = int16_t(patternPopUpButton->selectedTag()); }

void DetailToolPane::changeLineStylePopUpButton() {
    if (DocState* ds = CurrentDocState()) ds->penStyle = int16_t(lineStylePopUpButton->selectedTag());
}

void DetailToolPane::changeLineWidthStepper() {
    if (DocState* ds = CurrentDocState()) ds->penWidth = int16_t(lineWidthStepper->value());
}

void DetailToolPane::changeEditLevelButtons(int tag) {
    if (DocState* ds = CurrentDocState()) ds->editLevel = tag;
}

void DetailToolPane::changeDisplayDimsButton() {
    if (DocState* ds = CurrentDocState())
        ds->detailDisplayDims = WithHidden(ds->detailDisplayDims, !displayDimsButton->isChecked());
}

void DetailToolPane::controlTextDidEndEditing(QLineEdit* edit) {
    if (edit != lineWidthText || !TypedInto(edit)) return;
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ds->penWidth = int16_t(StepperTakes(lineWidthStepper, field(lineWidthText)));
}

void DetailTool1InspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    drawMethodPopUpButton = new TaggedPopUp("drawMethodPopUpButton", view);
    form->addRow(tr("Draw"), drawMethodPopUpButton);
    connect(drawMethodPopUpButton, &QComboBox::activated, this, [this] { changeDrawMethodPopUpButton(); });
    buildShared(form, view, true, true);
    methods = DrawMethods{};
}

void DetailTool1InspectorController::loadDrawMethodItemsAndSelect() {
    const QSignalBlocker quiet(drawMethodPopUpButton);
    drawMethodPopUpButton->clear();
    const int32_t* remembered = methods.forTool(gCurTool);
    for (const DrawMethodItem& item : DrawMethodItems(gCurTool)) drawMethodPopUpButton->addItemWithTag(tr(item.title), item.tag);
    if (!remembered) return;
    drawMethodPopUpButton->selectItemWithTag(*remembered);
    // An open polygon or curve still chosen keeps its shapes unfilled.
    patternPopUpButton->setEnabled(DrawMethodTakesPattern(*remembered));
}

void DetailTool1InspectorController::showToolDefaults() {
    loadDrawMethodItemsAndSelect();
    showEditLevel();
    showDisplayDims(DetailToolOffersDims(gCurTool));
}

void DetailTool1InspectorController::changeDrawMethodPopUpButton() {
    int32_t* remembered = methods.forTool(gCurTool);
    const int32_t tag = drawMethodPopUpButton->selectedTag();
    if (!remembered || ToolOfDrawMethod(tag) != gCurTool) return;
    *remembered = tag;
    SetDrawMethodGlobals(tag);
    patternPopUpButton->setEnabled(DrawMethodTakesPattern(tag));
}

void DetailTool2InspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    buildShared(form, view, true, true);
    multigonSidesText = addTextField("multigonSidesText", view);
    multigonSidesStepper = addStepper("multigonSidesStepper", multigonSidesText, kMinSides, kMaxSides,
                                      [this] { changeMultigonSidesStepper(); });
    auto* sides = new QHBoxLayout;
    sides->addWidget(multigonSidesText);
    sides->addWidget(multigonSidesStepper);
    form->insertRow(0, tr("Sides"), sides);
}

void DetailTool2InspectorController::showToolDefaults() {
    const int16_t sides = CurrentDocState()->multigonSides;
    multigonSidesStepper->setValue(sides);
    SetLongItem(field(multigonSidesText), sides);
    showEditLevel();
    showDisplayDims(true);
}

void DetailTool2InspectorController::changeMultigonSidesStepper() {
    if (DocState* ds = CurrentDocState()) ds->multigonSides = int16_t(multigonSidesStepper->value());
}

void DetailTool2InspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (edit != multigonSidesText) return DetailToolPane::controlTextDidEndEditing(edit);
    if (!TypedInto(edit)) return;
    if (DocState* ds = CurrentDocState())
        ds->multigonSides = int16_t(StepperTakes(multigonSidesStepper, field(multigonSidesText)));
}

void DetailTool3InspectorController::buildView(QWidget* view) { buildShared(new QFormLayout(view), view, false, false); }

void DetailTool3InspectorController::showToolDefaults() { showEditLevel(); }

// --- detail object pane ---

void DetailObjectInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    buildStyleRows(form, view,
                   {[this] { patternPopUpButtonChanged(); }, [this] { lineStylePopUpButtonChanged(); },
                    [this] { lineWidthStepperChanged(); }, [this](int tag) { editLevelButtonsChanged(tag); },
                    [this] { displayDimsButtonChanged(); }});
    conversionPopUpButton = new TaggedPopUp("conversionPopUpButton", view);
    form->addRow(conversionPopUpButton);
    connect(conversionPopUpButton, &QComboBox::activated, this, [this] { conversionPopUpButtonChanged(); });
    adjustCurveButton = Button("adjustCurveButton", tr("Adjust Curve..."), view);
    straightenCurveButton = Button("straightenCurveButton", tr("Straighten"), view);
    auto* curves = new QHBoxLayout;
    curves->addWidget(adjustCurveButton);
    curves->addWidget(straightenCurveButton);
    form->addRow(curves);
    connect(adjustCurveButton, &QPushButton::clicked, this, [this] { adjustCurveButtonChanged(); });
    connect(straightenCurveButton, &QPushButton::clicked, this, [this] { straightenCurveButtonChanged(); });
}

void DetailObjectInspectorController::populateConversionPopUpButton() {
    const QSignalBlocker quiet(conversionPopUpButton);
    conversionPopUpButton->clear();
    const Layer* floor = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    for (const ConversionItem& item : ConversionMenuItems(WorkOutConversionFacts(floor))) {
        if (item.title) conversionPopUpButton->addItemWithTag(tr(item.title), item.tag);
        else conversionPopUpButton->insertSeparator(conversionPopUpButton->count());
    }
    conversionPopUpButton->setCurrentIndex(0);
}

void DetailObjectInspectorController::showObject(Objex* object, bool first) {
    if (object->type != objtype::kDetail) return;
    populateConversionPopUpButton();
    const bool shown = !Hidden(ds_::kFirstWord(*object));
    const bool offers = DetailShapeOffersDims(object->subtype);
    editLevelButtons->mergeTag(ds_::kSecondWord(*object), first);
    showCheck(displayDimsButton, shown, first);
    if (first) displayDimsButton->setEnabled(offers);
    else if (!offers) displayDimsButton->setEnabled(false);
}

void DetailObjectInspectorController::patternPopUpButtonChanged() {
    ApplyInspectorValue(kPatternRow, float(patternPopUpButton->selectedTag()));
}

void DetailObjectInspectorController::lineStylePopUpButtonChanged() {
    ApplyInspectorValue(kLineStyleRow, float(lineStylePopUpButton->selectedTag()));
}

void DetailObjectInspectorController::lineWidthStepperChanged() {
    ApplyInspectorValue(kLineWidthRow, float(lineWidthStepper->value()));
}

void DetailObjectInspectorController::editLevelButtonsChanged(int tag) {
    ApplyInspectorValue(kEditLevelRow, float(tag));
}

void DetailObjectInspectorController::displayDimsButtonChanged() {
    ApplyInspectorValue(kDisplayDimsRow, displayDimsButton->isChecked() ? 0.f : 1.f);
}

void DetailObjectInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (edit != lineWidthText || !TypedInto(edit) || !HasFloor()) return;
    const std::string text = edit->text().toStdString();
    char* end = nullptr;
    const float width = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || !(width >= kLineWidthRow.low && width <= kLineWidthRow.high)) {
        SetLongItem(field(edit), CurrentDocState()->penWidth);
        return;
    }
    ApplyInspectorValue(kLineWidthRow, width);
    lineWidthStepper->setValue(int(width));
    lineWidthStepper->setEnabled(true);
    SetLongItem(field(edit), int32_t(width));
}

void DetailObjectInspectorController::conversionPopUpButtonChanged() {
    const int32_t command = conversionPopUpButton->selectedTag();
    if (command <= 0 || !HasFloor()) return;
    if (!ConvertSelectedDetailObjects(gCurDocument->itsCurLayer, command)) conversionPopUpButton->setCurrentIndex(0);
}

void DetailObjectInspectorController::adjustCurveButtonChanged() { Win32EventHandler().smoothSelected(); }

void DetailObjectInspectorController::straightenCurveButtonChanged() { Win32EventHandler().unsmoothSelected(); }
