#include "ui/inspector/fixture_panes.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QGridLayout>
#include <climits>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/type_data.h"

namespace {

constexpr int16_t kWallDimension = 138;
const float kLow = Above(0.01f), kHigh = Below(10000);

AttachmentRecord* Record(const Objex* o) { return o->typeData.attachment; }

template <int16_t Subtype>
bool IsFixture(const Objex* o) {
    return o->type == objtype::kComponent && o->subtype == Subtype && Record(o);
}

bool IsWallDimension(const Objex* o) {
    return o->type == objtype::kComponent && o->subtype == kWallDimension && o->firstPoint;
}

// A fixture's length runs along its wall (the record's width), its width away from it (the
// record's height); both in plan units, typed in inches.
template <int16_t Subtype, float AttachmentRecord::*Size, float DocState::*Default>
InspectorEditRow FixtureRow(const char* outlet, const char* undoName) {
    return {outlet, FieldEntry::Length, kLow, kHigh, -1, EditWalk::Attachments, true,
            [](const Objex* o) { return Record(o)->*Size; }, [](Objex* o, float v) { Record(o)->*Size = v; },
            EditRebuild::WallAttachments, undoName, UndoRule::WhenChangedOrNotDefault,
            [](const DocState* d) { return d->*Default; }, [](DocState* d, float v) { d->*Default = v; },
            IsFixture<Subtype>};
}
using AR = AttachmentRecord;
using DS = DocState;
const InspectorEditRow kTubRows[] = {FixtureRow<95, &AR::width, &DS::bathTubSize>("tubLengthText", "Bath Tub Length"),
                                     FixtureRow<95, &AR::height, &DS::bathTubSizeB>("tubWidthText", "Bath Tub Width")};
const InspectorEditRow kSpaRows[] = {FixtureRow<96, &AR::width, &DS::spaTubSize>("spaLengthText", "Spa Tub Length"),
                                     FixtureRow<96, &AR::height, &DS::spaTubSizeB>("spaWidthText", "Spa Tub Width")};
const InspectorEditRow kShowerRows[] = {
    FixtureRow<97, &AR::width, &DS::showerSize>("showerLengthText", "Shower Length"),
    FixtureRow<97, &AR::height, &DS::showerSizeB>("showerWidthText", "Shower Width")};

// Every selected dimension takes the method in all its points and is measured again.
const InspectorEditRow kMethodRow = [] {
    InspectorEditRow r{"dimensionFromButtons", FieldEntry::Integer, float(INT_MIN), float(INT_MAX), -1,
                       EditWalk::Attachments, false, [](const Objex* o) { return float(o->firstPoint->dimensionMethod); },
                       [](Objex* o, float v) {
                           for (Poinz* p = o->firstPoint; p; p = p->next) p->dimensionMethod = int16_t(v);
                       },
                       EditRebuild::AttachedDimension, "Wall Dimension Method", UndoRule::WhenChangedOrNotDefault,
                       [](const DocState* d) { return float(d->wallDimensionFrom); },
                       [](DocState* d, float v) { d->wallDimensionFrom = int16_t(v); }, IsWallDimension};
    r.countReached = true;
    return r;
}();

}  // namespace

void ElectricalStylePane::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    popUp_ = new TaggedPopUp(outlet_, view);
    for (const Item& i : items_) popUp_->addItemWithTag(tr(i.title), i.tag);
    form->addRow(tr("Style"), popUp_);
    connect(popUp_, &QComboBox::activated, this, [this] { styleChanged(); });
}

void ElectricalStylePane::showToolDefaults() { popUp_->selectItemWithTag(CurrentDocState()->*style_); }

void ElectricalStylePane::styleChanged() {
    if (DocState* ds = CurrentDocState(); ds && popUp_->selectedTag() >= 0) ds->*style_ = popUp_->selectedTag();
}

// The tags are the styles the electrical tools turn into their symbols.
Recept1InspectorController::Recept1InspectorController()
    : ElectricalStylePane("receptStylePopUpButton", &DocState::receptacleStyle,
                          {{"Duplex Receptacle", 8}, {"GFCI Receptacle", 9}, {"Weather Proof Receptacle", 10}}) {}

Recept2InspectorController::Recept2InspectorController()
    : ElectricalStylePane("receptStylePopUpButton", &DocState::receptacleStyle2,
                          {{"Floor Receptacle", 8}, {"Ceiling Receptacle", 9}}) {}

Switch1InspectorController::Switch1InspectorController()
    : ElectricalStylePane("switchStylePopUpButton", &DocState::switchStyle,
                          {{"3-Way Switch", 8}, {"4-Way Switch", 9}, {"5-Way Switch", 10}}) {}

Switch2InspectorController::Switch2InspectorController()
    : ElectricalStylePane("switchStylePopUpButton", &DocState::switchStyle2,
                          {{"Dimmer Switch", 8}, {"Weather Proof Switch", 9}}) {}

BathTubInspectorController::BathTubInspectorController()
    : FieldRowsPane({{&kTubRows[0], "Length"}, {&kTubRows[1], "Width"}}, IsFixture<95>) {}

SpaTubInspectorController::SpaTubInspectorController()
    : FieldRowsPane({{&kSpaRows[0], "Length"}, {&kSpaRows[1], "Width"}}, IsFixture<96>) {}

ShowerInspectorController::ShowerInspectorController()
    : FieldRowsPane({{&kShowerRows[0], "Length"}, {&kShowerRows[1], "Width"}}, IsFixture<97>) {}

void WallDimInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    // Both cells beside the label are wider than the column: they go under it.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    dimensionFromButtons = new TagMatrix("dimensionFromButtons", this);
    auto* cells = new QGridLayout;
    cells->addWidget(dimensionFromButtons->addCellWithTag(tr("Wall Centers"), 0, view), 0, 0);
    cells->addWidget(dimensionFromButtons->addCellWithTag(tr("Wall Surfaces"), 1, view), 0, 1);
    form->addRow(tr("Measure to"), cells);
    connect(dimensionFromButtons, &TagMatrix::cellChosen, this, &WallDimInspectorController::dimensionFromButtonsChanged);
}

void WallDimInspectorController::showToolDefaults() {
    dimensionFromButtons->selectCellWithTag(CurrentDocState()->wallDimensionFrom);
}

void WallDimInspectorController::showObject(Objex* object, bool first) {
    if (IsWallDimension(object)) dimensionFromButtons->mergeTag(object->firstPoint->dimensionMethod, first);
}

void WallDimInspectorController::dimensionFromButtonsChanged(int tag) {
    if (CurrentDocState() && gCurDocument->itsCurLayer) ApplyInspectorValue(kMethodRow, float(tag));
}
