#include "ui/inspector/skylight_pane.h"

#include <QFormLayout>
#include <QLineEdit>
#include <cstring>
#include <utility>

#include "app/widgets.h"
#include "content/core/content_selection_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/type_data.h"
#include "port/seam.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_edits.h"
#include "ui/core/light_values.h"
#include "ui/inspector/style_pictures.h"

int gSkylightStyleRow = -1;
static const port::GlobalReset kReset([] { gSkylightStyleRow = -1; });

namespace {

constexpr int16_t kSkylightTool = 7310;
constexpr int16_t kCustomStyle = 806;
// The content palette's custom-window section.
constexpr int16_t kCustomWindowCategory = 8;

RoofAttachmentRecord* Record(const Objex* o) { return o->typeData.roofAttachment; }
bool IsSkylight(const Objex* o) { return o->type == objtype::kSkylight && Record(o); }

// Above 0.01 and below 10000 inches.
constexpr float kLow = 0.010001f, kHigh = 9999.999f;
const InspectorEditRow kRows[] = {
    {"skylightWidthText", FieldEntry::Length, kLow, kHigh, -1, EditWalk::RoofChildren, true,
     [](const Objex* o) { return Record(o)->width; }, [](Objex* o, float v) { Record(o)->width = v; },
     EditRebuild::Roof, "Skylight Width", UndoRule::WhenChanged, [](const DocState* d) { return d->skylightWidth; },
     [](DocState* d, float v) { d->skylightWidth = v; }, IsSkylight},
    {"skylightHeightText", FieldEntry::Length, kLow, kHigh, -1, EditWalk::RoofChildren, true,
     [](const Objex* o) { return Record(o)->length; }, [](Objex* o, float v) { Record(o)->length = v; },
     EditRebuild::Roof, "Skylight Height", UndoRule::WhenChanged, [](const DocState* d) { return d->skylightLength; },
     [](DocState* d, float v) { d->skylightLength = v; }, IsSkylight},
    {"skylightTrimText", FieldEntry::Length, kLow, kHigh, -1, EditWalk::RoofChildren, true,
     [](const Objex* o) { return Record(o)->trimWidth; }, [](Objex* o, float v) { Record(o)->trimWidth = v; },
     EditRebuild::Roof, "Skylight Trim Width", UndoRule::WhenChanged, [](const DocState* d) { return d->skylightValue; },
     [](DocState* d, float v) { d->skylightValue = v; }, IsSkylight},
    {"skylightStyleTableView", FieldEntry::Integer, 0, 806, -1, EditWalk::RoofChildren, false,
     [](const Objex* o) { return float(Record(o)->style); }, [](Objex* o, float v) { Record(o)->style = int16_t(v); },
     EditRebuild::RoofReadingDefinition, "Skylight Style", UndoRule::WhenChanged,
     [](const DocState* d) { return float(d->skylightStyle); },
     [](DocState* d, float v) { d->skylightStyle = int16_t(v); }, IsSkylight},
};
const InspectorEditRow& kStyleRow = kRows[3];

}  // namespace

const InspectorEditRow* SkylightRow(const char* outlet) {
    for (const InspectorEditRow& r : kRows)
        if (std::strcmp(r.outlet, outlet) == 0) return &r;
    return nullptr;
}

void SkylightInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    skylightStyleTableView = new StyleTable("skylightStyleTableView", view);
    for (const char* name : {"SkylightStyle1", "SkylightStyle2", "SkylightStyle3", "SkylightStyle4"})
        skylightStyleTableView->addStyle(StylePicture(QString::fromLatin1(name)), QString());
    skylightStyleTableView->setFixedHeight(4 * 56);
    form->addRow(skylightStyleTableView);
    skylightWidthText = addTextField(kRows[0].outlet, view);
    skylightHeightText = addTextField(kRows[1].outlet, view);
    skylightTrimText = addTextField(kRows[2].outlet, view);
    form->addRow(tr("Width"), skylightWidthText);
    form->addRow(tr("Height"), skylightHeightText);
    form->addRow(tr("Trim Width"), skylightTrimText);
    connect(skylightStyleTableView, &QListWidget::itemSelectionChanged, this,
            &SkylightInspectorController::tableViewSelectionDidChange);
}

void SkylightInspectorController::showToolDefaults() {
    const DocState* ds = CurrentDocState();
    for (int i = 0; i < 3; ++i) ShowDefault(kRows[i], field(inspectorView()->findChild<QLineEdit*>(kRows[i].outlet)));
    skylightHeightText->setEnabled(SkylightHasHeight(ds->skylightStyle));
    mergeStyleRow(skylightStyleTableView, &gSkylightStyleRow, SkylightStyleRow(ds->skylightStyle), true);
}

void SkylightInspectorController::showObject(Objex* object, bool first) {
    if (!IsSkylight(object)) return;
    MergeObjectValue(kRows[0], field(skylightWidthText), object, first);
    MergeObjectValue(kRows[1], field(skylightHeightText), object, first);
    MergeObjectValue(kRows[2], field(skylightTrimText), object, first);
    const int16_t style = Record(object)->style;
    if (mergeStyleRow(skylightStyleTableView, &gSkylightStyleRow, SkylightStyleRow(style), first)) {
        if (first) enableForStyle(style);
        return;
    }
    for (QLineEdit* f : {skylightWidthText, skylightHeightText, skylightTrimText}) f->setEnabled(false);
}

void SkylightInspectorController::enableForStyle(int16_t style) {
    skylightWidthText->setEnabled(true);
    skylightTrimText->setEnabled(true);
    skylightHeightText->setEnabled(SkylightHasHeight(style));
}

void SkylightInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    for (int i = 0; i < 3; ++i)
        if (edit->objectName() == QLatin1String(kRows[i].outlet)) ApplyInspectorField(kRows[i], field(edit));
}

void SkylightInspectorController::tableViewSelectionDidChange() {
    if (!checkObjects_ || !CurrentDocState() || !gCurDocument->itsCurLayer) return;
    // A list left without a row (only the filling does that) chooses no style.
    if (skylightStyleTableView->selectedRow() < 0) return;
    gSkylightStyleRow = skylightStyleTableView->selectedRow();
    const int16_t style = SkylightStyleForRow(gSkylightStyleRow);
    if (style == kCustomStyle) {
        ContentPaletteSelectCategory(kCustomWindowCategory, true);
        ContentPaletteSetCategorySelectionAbility(gCurTool != kSkylightTool);
    } else {
        ContentPaletteSetCategorySelectionAbility(true);
    }
    if (ApplyInspectorValue(kStyleRow, float(style)) == EditResult::Declined) {
        // No skylight could take the style: the pane shows what they kept.
        ContentPaletteSetCategorySelectionAbility(true);
        showSelectedSkylights();
        return;
    }
    enableForStyle(style);
}

void SkylightInspectorController::showSelectedSkylights() {
    bool first = true;
    for (Objex* roof = gCurDocument->itsCurLayer->firstObject; roof; roof = roof->next) {
        if (!objtype::IsRoof(roof->type)) continue;
        for (Objex* c = roof->firstChild; c; c = c->next)
            if (IsSkylight(c) && IsObjectSelected(c)) updatePropertiesForObject(c, std::exchange(first, false));
    }
}
