#include "ui/inspector/stair_deck_panes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/core/dialog_fields.h"
#include "app/widgets.h"
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "ui/core/deck_pane_rules.h"
#include "ui/core/inspector_edits.h"

namespace {

namespace df = objfield::deck;

bool HaveFloor() { return CurrentDocState() && gCurDocument->itsCurLayer; }

QString Outlet(const QObject* control) { return control->objectName(); }

// The row of a field the user typed into; leaving a field that shows a refused entry's default
// applies nothing.
const InspectorEditRow* TypedRow(QLineEdit* edit, const InspectorEditRow* (*rowOf)(const char*)) {
    return edit->isModified() ? rowOf(Outlet(edit).toLatin1().constData()) : nullptr;
}

// A check box applying its row with its state (1 on, 0 off).
void ConnectBox(InspectorPane* pane, QCheckBox* box, const InspectorEditRow* (*rowOf)(const char*),
                float (*stored)(bool on) = nullptr) {
    QObject::connect(box, &QCheckBox::clicked, pane, [box, rowOf, stored](bool on) {
        const InspectorEditRow* row = rowOf(Outlet(box).toLatin1().constData());
        if (row && HaveFloor()) ApplyInspectorValue(*row, stored ? stored(on) : (on ? 1.0f : 0.0f));
    });
}

}  // namespace

// --- Staircases ---

void StairInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    const auto text = [&](QLineEdit** edit, const char* outlet, const QString& label) {
        *edit = addTextField(outlet, view);
        form->addRow(label, *edit);
    };
    text(&stairHeightText, "stairHeightText", tr("Total height"));
    text(&stairWidthText, "stairWidthText", tr("Width"));
    text(&stepHeightText, "stepHeightText", tr("Step height"));
    text(&stepDepthText, "stepDepthText", tr("Step depth"));
    text(&railHeightText, "railHeightText", tr("Handrail height"));
    const auto box = [&](QCheckBox** b, const char* outlet, const QString& title) {
        *b = addCheckBox(outlet, title, view);
        form->addRow(*b);
        ConnectBox(this, *b, StairRow);
    };
    box(&skirtWallsButton, "skirtWallsButton", tr("Skirt walls"));
    box(&openStepsButton, "openStepsButton", tr("Open steps"));
    box(&leftRailButton, "leftRailButton", tr("Left handrail"));
    box(&rightRailButton, "rightRailButton", tr("Right handrail"));
    box(&closedStringerButton, "closedStringerButton", tr("Closed stringers"));
    box(&largeBaseButton, "largeBaseButton", tr("Long stringer base"));
}

void StairInspectorController::showToolDefaults() {
    const DocState* ds = CurrentDocState();
    for (QLineEdit* e : {stairHeightText, stairWidthText, stepHeightText, stepDepthText, railHeightText})
        ShowDefault(*StairRow(Outlet(e).toLatin1().constData()), field(e));
    for (QCheckBox* b : {skirtWallsButton, openStepsButton, leftRailButton, rightRailButton, closedStringerButton,
                         largeBaseButton})
        showCheck(b, StairRow(Outlet(b).toLatin1().constData())->getDefault(ds) != 0, true);
}

void StairInspectorController::showObject(Objex* object, bool first) {
    if (object->type != objtype::kStaircase) return;
    for (QLineEdit* e : {stairHeightText, stairWidthText, stepHeightText, stepDepthText, railHeightText})
        MergeObjectValue(*StairRow(Outlet(e).toLatin1().constData()), field(e), object, first);
    // The last staircase shown decides the boxes.
    for (QCheckBox* b : {skirtWallsButton, openStepsButton, leftRailButton, rightRailButton, closedStringerButton,
                         largeBaseButton})
        showCheck(b, StairRow(Outlet(b).toLatin1().constData())->get(object) != 0, true);
}

void StairInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (const InspectorEditRow* row = TypedRow(edit, StairRow)) ApplyInspectorField(*row, field(edit));
}

// --- Deck steps ---

void DeckStepInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    stepWidthText = addTextField("stepWidthText", view);
    stepHeightText = addTextField("stepHeightText", view);
    form->addRow(tr("Step width"), stepWidthText);
    form->addRow(tr("Total height"), stepHeightText);
    leftRailButton = addCheckBox("leftRailButton", tr("Left handrail"), view);
    rightRailButton = addCheckBox("rightRailButton", tr("Right handrail"), view);
    form->addRow(leftRailButton);
    form->addRow(rightRailButton);
    ConnectBox(this, leftRailButton, DeckStepRow);
    ConnectBox(this, rightRailButton, DeckStepRow);
}

void DeckStepInspectorController::showObject(Objex* object, bool first) {
    if (object->type != objtype::kDeckSteps || !AttachmentRecordOf(object)) return;
    for (QLineEdit* e : {stepWidthText, stepHeightText})
        MergeObjectValue(*DeckStepRow(Outlet(e).toLatin1().constData()), field(e), object, first);
    for (QCheckBox* b : {leftRailButton, rightRailButton})
        showCheck(b, DeckStepRow(Outlet(b).toLatin1().constData())->get(object) != 0, first);
}

void DeckStepInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (const InspectorEditRow* row = TypedRow(edit, DeckStepRow)) ApplyInspectorField(*row, field(edit));
}

// --- Decks ---

namespace {

QFormLayout* DeckFields(QWidget* view, QLineEdit** height, QLineEdit** rail, QLineEdit** baluster,
                        const std::function<QMDTextField*(const char*)>& add) {
    auto* form = new QFormLayout(view);
    *height = add("deckHeightText");
    *rail = add("railHeightText");
    *baluster = add("balusterSpacingText");
    form->addRow(InspectorPane::tr("Deck height"), *height);
    form->addRow(InspectorPane::tr("Handrail height"), *rail);
    form->addRow(InspectorPane::tr("Baluster spacing"), *baluster);
    return form;
}

}  // namespace

void DeckToolInspectorController::buildView(QWidget* view) {
    QFormLayout* form = DeckFields(view, &deckHeightText, &railHeightText, &balusterSpacingText,
                                   [&](const char* outlet) { return addTextField(outlet, view); });
    skirtingButton = addCheckBox("skirtingButton", tr("Skirting"), view);
    form->addRow(skirtingButton);
    connect(skirtingButton, &QCheckBox::clicked, this, [](bool on) {
        if (DocState* ds = CurrentDocState()) ds->deckSkirting = on ? 1 : 0;
    });
}

void DeckToolInspectorController::showToolDefaults() {
    for (QLineEdit* e : {deckHeightText, railHeightText, balusterSpacingText})
        ShowDefault(*DeckRow(Outlet(e).toLatin1().constData()), field(e));
    showCheck(skirtingButton, CurrentDocState()->deckSkirting != 0, true);
}

// The tool's defaults only: no deck changes, no undo, no redraw.
void DeckToolInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    DocState* ds = CurrentDocState();
    const InspectorEditRow* row = TypedRow(edit, DeckRow);
    if (!ds || !row) return;
    const float v = ReadEntry(row->entry, field(edit));
    if (!HoldsNumber(field(edit)) || !(v >= row->low && v <= row->high)) {
        ShowRefused(*row, field(edit));
        return;
    }
    row->setDefault(ds, v);
    ShowEntry(row->entry, field(edit), v);
}

void DeckObjectInspectorController::buildView(QWidget* view) {
    QFormLayout* form = DeckFields(view, &deckHeightText, &railHeightText, &balusterSpacingText,
                                   [&](const char* outlet) { return addTextField(outlet, view); });
    const auto box = [&](QCheckBox** b, const char* outlet, const QString& title) {
        *b = addCheckBox(outlet, title, view);
        form->addRow(*b);
    };
    box(&skirtingButton, "skirtingButton", tr("Skirting"));
    box(&includeRailsButton, "includeRailsButton", tr("Railing"));
    box(&includePostButton, "includePostButton", tr("Post"));
    box(&displayDimsButton, "displayDimsButton", tr("Show dimensions"));
    box(&openStepsButton, "openStepsButton", tr("Open steps"));
    for (QCheckBox* b : {skirtingButton, includeRailsButton, includePostButton, displayDimsButton})
        ConnectBox(this, b, DeckRow);
    // On for open steps: a riser flag of 0.
    ConnectBox(this, openStepsButton, DeckRow, [](bool on) { return on ? 0.0f : 1.0f; });
    const auto button = [&](QPushButton** b, const char* outlet, const QString& title, void (*action)()) {
        *b = new QPushButton(title, view);
        (*b)->setObjectName(QString::fromLatin1(outlet));
        form->addRow(*b);
        connect(*b, &QPushButton::clicked, this, [action] { action(); });
    };
    button(&insertStepsButton, "insertStepsButton", tr("Insert Steps"), [] { InsertDeckSteps(); });
    button(&adjustCurveButton, "adjustCurveButton", tr("Adjust Curve"), [] { AdjustDeckCurve(); });
    button(&straightenCurveButton, "straightenCurveButton", tr("Straighten"), StraightenDeckCurve);
}

void DeckObjectInspectorController::showObject(Objex* object, bool first) {
    if (object->type != objtype::kDeck) return;
    MergeObjectValue(*DeckRow("deckHeightText"), field(deckHeightText), object, first);
    MergeObjectValue(*DeckRow("balusterSpacingText"), field(balusterSpacingText), object, first);
    showCheck(openStepsButton, df::kStepStyle(*object) == 0, first);
    showCheck(displayDimsButton, (objfield::display::kWord(*object) & objfield::display::kAutomaticDimensions) != 0,
              first);
    if (first) {
        // Nothing selected on the outline: nothing to show for points and segments.
        pointShown_ = segmentShown_ = false;
        for (QCheckBox* b : {includePostButton, skirtingButton, includeRailsButton}) showCheck(b, false, true);
        field(railHeightText)->setText("");
    }
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        if (!p->selected) continue;
        showCheck(includePostButton, (df::kEdgeFlags(*p) & df::kPostCorner) != 0, !pointShown_);
        pointShown_ = true;
    }
    ForEachSelectedDeckSegment(object, [this](Poinz* p) {
        const int32_t bits = df::kEdgeFlags(*p);
        showCheck(skirtingButton, (bits & df::kSkirtingEdge) != 0, !segmentShown_);
        showCheck(includeRailsButton, (bits & df::kHandrailEdge) != 0, !segmentShown_);
        UpdatePropertiesFloat(field(railHeightText), df::kHandrailHeight(*p), !segmentShown_);
        segmentShown_ = true;
    });
}

void DeckObjectInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (const InspectorEditRow* row = TypedRow(edit, DeckRow)) ApplyInspectorField(*row, field(edit));
}
