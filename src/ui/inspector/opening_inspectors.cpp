#include "ui/inspector/opening_inspectors.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstring>
#include <limits>

#include "app/core/dialog_fields.h"
#include "app/widgets.h"
#include "content/core/content_selection_seams.h"
#include "files/custom_definitions.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "tracking/tracking_state.h"
#include "ui/core/palette_rules.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_pictures.h"

namespace {

AttachmentRecord* Rec(const Objex* o) { return o->typeData.attachment; }
bool HasRecord(const Objex* o) { return Rec(o) != nullptr; }
float Above(float v) { return std::nextafter(v, std::numeric_limits<float>::infinity()); }
float Below(float v) { return std::nextafter(v, -std::numeric_limits<float>::infinity()); }
constexpr float kAnyInteger = 1e9f;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;

using Get = float (*)(const Objex*);
using Set = void (*)(Objex*, float);
using GetDefault = float (*)(const DocState*);
using SetDefault = void (*)(DocState*, float);

InspectorEditRow Opening(const char* outlet, FieldEntry entry, float low, float high, int16_t type, bool plan, Get get,
                         Set set, const char* undo, GetDefault getDefault, SetDefault setDefault) {
    InspectorEditRow r{outlet, entry, low, high, type, EditWalk::Attachments, plan, get, set, EditRebuild::Wall,
                       undo, UndoRule::WhenChanged, getDefault, setDefault};
    r.onlyIf = HasRecord;
    return r;
}

// The window row a style choice applies: its code and the companions it sets.
int sWindowRowChosen = 0;

const std::vector<InspectorEditRow>& WindowRows() {
    static const std::vector<InspectorEditRow> rows = [] {
        std::vector<InspectorEditRow> v = {
            Opening("windowWidthText", FieldEntry::Length, Above(0.01f), Below(10000), objtype::kWindow, true,
                    [](const Objex* o) { return Rec(o)->width; }, [](Objex* o, float x) { Rec(o)->width = x; },
                    "Window Width", [](const DocState* d) { return d->windowWidth; },
                    [](DocState* d, float x) { d->windowWidth = x; }),
            Opening("windowHeightText", FieldEntry::Length, Above(0.01f), Below(10000), objtype::kWindow, true,
                    [](const Objex* o) { return Rec(o)->height; }, [](Objex* o, float x) { Rec(o)->height = x; },
                    "Window Height", [](const DocState* d) { return d->windowHeight; },
                    [](DocState* d, float x) { d->windowHeight = x; }),
            Opening("windowElevationText", FieldEntry::Length, Above(-1201), Below(10000), objtype::kWindow, true,
                    [](const Objex* o) { return Rec(o)->elevation; }, [](Objex* o, float x) { Rec(o)->elevation = x; },
                    "Window Elevation", [](const DocState* d) { return d->windowElevation; },
                    [](DocState* d, float x) { d->windowElevation = x; }),
            Opening("windowTrimText", FieldEntry::Length, Above(0.01f), Below(10000), objtype::kWindow, false,
                    [](const Objex* o) { return Rec(o)->trimWidth; }, [](Objex* o, float x) { Rec(o)->trimWidth = x; },
                    "Window Trim Width", [](const DocState* d) { return d->windowValue; },
                    [](DocState* d, float x) { d->windowValue = x; }),
            Opening("horDivsText", FieldEntry::Integer, -kAnyInteger, kAnyInteger, objtype::kWindow, false,
                    [](const Objex* o) { return float(Rec(o)->reserved); },
                    [](Objex* o, float x) { Rec(o)->reserved = int16_t(x); }, "Horizontal Window Dividers",
                    [](const DocState* d) { return float(d->windowDivisions.y); },
                    [](DocState* d, float x) { d->windowDivisions.y = int16_t(x); }),
            Opening("verDivsText", FieldEntry::Integer, -kAnyInteger, kAnyInteger, objtype::kWindow, false,
                    [](const Objex* o) { return float(Rec(o)->frameFlag); },
                    [](Objex* o, float x) { Rec(o)->frameFlag = int16_t(x); }, "Vertical Window Dividers",
                    [](const DocState* d) { return float(d->windowDivisions.x); },
                    [](DocState* d, float x) { d->windowDivisions.x = int16_t(x); }),
        };
        // Dividers reach windows of style 600 only.
        for (int i = 4; i < 6; ++i)
            v[i].onlyIf = [](const Objex* o) { return HasRecord(o) && WindowDividersApply(Rec(o)->style); };
        return v;
    }();
    return rows;
}

const InspectorEditRow& WindowRow(const char* outlet) {
    for (const InspectorEditRow& r : WindowRows())
        if (std::strcmp(r.outlet, outlet) == 0) return r;
    return WindowRows().front();
}

InspectorEditRow Toggle(const char* outlet, int16_t type, Get get, Set set, const char* undo) {
    InspectorEditRow r = Opening(outlet, FieldEntry::Integer, 0, 1, type, false, get, set, undo, nullptr, nullptr);
    r.toggles = true;
    return r;
}

const InspectorEditRow kFlipHoriz = Toggle("flipHorizButton", objtype::kWindow,
    [](const Objex* o) { return float(Rec(o)->sideFlag); }, [](Objex* o, float x) { Rec(o)->sideFlag = uint8_t(x); },
    "Flip Window Horizontally");
const InspectorEditRow kFlipVert = Toggle("flipVertButton", objtype::kWindow,
    [](const Objex* o) { return float(Rec(o)->directionFlag); },
    [](Objex* o, float x) { Rec(o)->directionFlag = int16_t(x); }, "Flip Window Vertically");
const InspectorEditRow kFlipDoor = Toggle("flipDoorButton", objtype::kDoor,
    [](const Objex* o) { return float(Rec(o)->sideFlag); }, [](Objex* o, float x) { Rec(o)->sideFlag = uint8_t(x); },
    "Flip Door");

// Every selected window takes the row's code and companions, counted as changed.
const InspectorEditRow kWindowStyle = [] {
    InspectorEditRow r = Opening("windowStyleTableView", FieldEntry::Integer, 0, 1000, objtype::kWindow, false,
        [](const Objex* o) { return float(Rec(o)->style); },
        [](Objex* o, float code) {
            AttachmentRecord* a = Rec(o);
            a->style = int16_t(code);
            if (WindowHeightTied(a->style)) a->height = a->width;
            if (sWindowRowChosen == 0) a->frameFlag = 0, a->reserved = 1;
            if (sWindowRowChosen == 1 && a->frameFlag == 0 && a->reserved == 1) a->frameFlag = 2, a->reserved = 2;
            if (sWindowRowChosen == kCustomWindowRow) ReadCustomWindowDoorFile(o);
        },
        "Window Style", nullptr, nullptr);
    r.countReached = true;
    return r;
}();

const std::vector<InspectorEditRow>& DoorRows() {
    static const std::vector<InspectorEditRow> rows = {
        Opening("doorWidthText", FieldEntry::Length, Above(0.01f), Below(10000), objtype::kDoor, true,
                [](const Objex* o) { return Rec(o)->width; }, [](Objex* o, float x) { Rec(o)->width = x; },
                "Door Width", [](const DocState* d) { return d->doorWidth; },
                [](DocState* d, float x) { d->doorWidth = x; }),
        Opening("doorHeightText", FieldEntry::Length, Above(0.01f), Below(10000), objtype::kDoor, true,
                [](const Objex* o) { return Rec(o)->height; }, [](Objex* o, float x) { Rec(o)->height = x; },
                "Door Height", [](const DocState* d) { return d->doorHeight; },
                [](DocState* d, float x) { d->doorHeight = x; }),
        Opening("doorElevationText", FieldEntry::Length, Above(-1201), Below(10000), objtype::kDoor, true,
                [](const Objex* o) { return Rec(o)->elevation; }, [](Objex* o, float x) { Rec(o)->elevation = x; },
                "Door Elevation", [](const DocState* d) { return d->doorValueB; },
                [](DocState* d, float x) { d->doorValueB = x; }),
        // The lower bound follows the style row shown (DoorTrimAllowed).
        Opening("doorTrimText", FieldEntry::Length, -std::numeric_limits<float>::max(), Below(10000), objtype::kDoor,
                false, [](const Objex* o) { return Rec(o)->trimWidth; },
                [](Objex* o, float x) { Rec(o)->trimWidth = x; }, "Door Trim Width",
                [](const DocState* d) { return d->doorValue; }, [](DocState* d, float x) { d->doorValue = x; }),
        // Typed in degrees, kept in radians with the side the angle opens to.
        Opening("doorSwingText", FieldEntry::Angle, -360, 360, objtype::kDoor, false,
                [](const Objex* o) { return float(Rec(o)->swingOrOffset * kDegreesPerRadian); },
                [](Objex* o, float degrees) {
                    Rec(o)->swingOrOffset = float(degrees * kRadiansPerDegree);
                    Rec(o)->directionFlag = DoorSwingSideCode(degrees);
                },
                "Door Swing Angle", nullptr, nullptr),
    };
    return rows;
}

const InspectorEditRow& DoorRow(const char* outlet) {
    for (const InspectorEditRow& r : DoorRows())
        if (std::strcmp(r.outlet, outlet) == 0) return r;
    return DoorRows().front();
}

const InspectorEditRow kDoorStyle = Opening("doorStyleTableView", FieldEntry::Integer, 0, 1000, objtype::kDoor, false,
    [](const Objex* o) { return float(Rec(o)->style); }, [](Objex* o, float x) { Rec(o)->style = int16_t(x); },
    "Door Style", [](const DocState* d) { return float(d->doorStyle); },
    [](DocState* d, float x) { d->doorStyle = int16_t(x); });

bool HasFloor() { return CurrentDocState() && gCurDocument->itsCurLayer; }

QList<QImage> Pictures(std::initializer_list<const char*> names) {
    QList<QImage> list;
    for (const char* n : names) list.push_back(RenderToolPicture(QString::fromLatin1(n), 48, Qt::black));
    return list;
}

StyleTable* Table(const char* outlet, const QList<QImage>& pictures, QWidget* view) {
    auto* table = new StyleTable(outlet, view);
    for (int r = 0; r < int(pictures.size()); ++r) table->addStyle(pictures[r], QObject::tr("Style %1").arg(r + 1));
    table->setFixedHeight(112);
    return table;
}

}  // namespace

// Windows.

WindowInspectorController::WindowInspectorController()
    : windowStyleImageArray(Pictures({"WindowStyle1", "WindowStyle2"})) {}

void WindowInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    windowStyleTableView = Table("windowStyleTableView", windowStyleImageArray, view);
    connect(windowStyleTableView, &QListWidget::itemSelectionChanged, this,
            &WindowInspectorController::tableViewSelectionDidChange);
    form->addRow(windowStyleTableView);
    const auto text = [&](QLineEdit** e, const char* outlet, const QString& label) {
        *e = addTextField(outlet, view);
        form->addRow(label, *e);
    };
    text(&windowWidthText, "windowWidthText", tr("Width"));
    text(&windowHeightText, "windowHeightText", tr("Height"));
    text(&windowElevationText, "windowElevationText", tr("Elevation"));
    text(&windowTrimText, "windowTrimText", tr("Trim width"));
    text(&horDivsText, "horDivsText", tr("Horizontal dividers"));
    horDivsStepper = addStepper("horDivsStepper", horDivsText, 0, 20, [this] { dividersChanged(true, horDivsStepper->value()); });
    form->addRow(QString(), horDivsStepper);
    text(&verDivsText, "verDivsText", tr("Vertical dividers"));
    verDivsStepper = addStepper("verDivsStepper", verDivsText, 0, 20, [this] { dividersChanged(false, verDivsStepper->value()); });
    form->addRow(QString(), verDivsStepper);
    flipHorizButton = new QPushButton(tr("Flip Horizontally"), view);
    flipHorizButton->setObjectName(QStringLiteral("flipHorizButton"));
    flipVertButton = new QPushButton(tr("Flip Vertically"), view);
    flipVertButton->setObjectName(QStringLiteral("flipVertButton"));
    connect(flipHorizButton, &QPushButton::clicked, this, [] { if (HasFloor()) ApplyInspectorValue(kFlipHoriz, 0); });
    connect(flipVertButton, &QPushButton::clicked, this, [] { if (HasFloor()) ApplyInspectorValue(kFlipVert, 0); });
    form->addRow(flipHorizButton);
    form->addRow(flipVertButton);
    addObjectOnly(flipHorizButton);
    addObjectOnly(flipVertButton);
}

void WindowInspectorController::enableForCode(int16_t code, bool valuesOn) {
    windowWidthText->setEnabled(valuesOn);
    windowElevationText->setEnabled(valuesOn);
    windowTrimText->setEnabled(valuesOn);
    windowHeightText->setEnabled(valuesOn && !WindowHeightTied(code));
    const bool dividers = valuesOn && WindowDividersApply(code);
    for (QWidget* w : std::initializer_list<QWidget*>{horDivsText, verDivsText, horDivsStepper, verDivsStepper})
        w->setEnabled(dividers);
    flipHorizButton->setEnabled(valuesOn && WindowFlipsApply(code));
    flipVertButton->setEnabled(valuesOn && WindowFlipsApply(code));
}

void WindowInspectorController::showToolDefaults() {
    const DocState* ds = CurrentDocState();
    for (const char* f : {"windowWidthText", "windowHeightText", "windowElevationText", "windowTrimText"})
        ShowDefault(WindowRow(f), field(inspectorView()->findChild<QLineEdit*>(QString::fromLatin1(f))));
    mergeInteger(horDivsText, ds->windowDivisions.y, true);
    mergeInteger(verDivsText, ds->windowDivisions.x, true);
    const int row = WindowCodeRow(ds->windowStyle, ds->windowDivisions.x, ds->windowDivisions.y);
    if (row >= 0) mergeStyleRow(windowStyleTableView, &gWindowPropertiesStyle, row, true);
    windowStyleTableView->selectRow(ShownStyleRow(gWindowPropertiesStyle, kWindowStyleRows));
    enableForCode(ds->windowStyle, true);
}

void WindowInspectorController::showObject(Objex* object, bool first) {
    const AttachmentRecord* a = object->type == objtype::kWindow ? Rec(object) : nullptr;
    if (!a) return;
    for (const char* f : {"windowWidthText", "windowHeightText", "windowElevationText", "windowTrimText"})
        MergeObjectValue(WindowRow(f), field(inspectorView()->findChild<QLineEdit*>(QString::fromLatin1(f))), object, first);
    mergeInteger(horDivsText, a->reserved, first);
    mergeInteger(verDivsText, a->frameFlag, first);
    int row = WindowCodeRow(a->style, a->frameFlag, a->reserved);
    if (row < 0) row = 0;
    if (first) {
        gWindowPropertiesStyle = row;
        windowStyleTableView->selectRow(ShownStyleRow(row, kWindowStyleRows));
        enableForCode(a->style, true);
    } else if (row != gWindowPropertiesStyle) {
        gWindowPropertiesStyle = -1;
        windowStyleTableView->deselectAll();
        enableForCode(a->style, false);
    }
}

void WindowInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (!HasFloor()) return;
    for (const InspectorEditRow& r : WindowRows()) {
        if (edit->objectName() != QLatin1String(r.outlet)) continue;
        if (r.entry == FieldEntry::Integer) {
            if (!HoldsNumber(field(edit))) {
                ShowRefused(r, field(edit));
                return;
            }
            // Dividers: the stepper follows, the field is not shown again.
            const float v = float(GetLongItem(field(edit)));
            ApplyInspectorValue(r, v);
            Stepper* s = edit == horDivsText ? horDivsStepper : verDivsStepper;
            s->setValue(int(v)), s->setEnabled(true);
        } else {
            ApplyInspectorField(r, field(edit));
        }
    }
}

void WindowInspectorController::dividersChanged(bool horizontal, int value) {
    if (HasFloor()) ApplyInspectorValue(WindowRow(horizontal ? "horDivsText" : "verDivsText"), float(value));
}

void WindowInspectorController::tableViewSelectionDidChange() {
    DocState* ds = CurrentDocState();
    const int row = windowStyleTableView->selectedRow();
    if (!checkObjects_ || !HasFloor() || row < 0) return;
    gWindowPropertiesStyle = row;
    const int16_t code = WindowRowCode(row);
    ds->windowStyle = code;
    if (code < kCustomWindowCode) {
        ContentPaletteSetCategorySelectionAbility(true);
    } else {
        ContentPaletteSelectCategory(8, true);
        ContentPaletteSetCategorySelectionAbility(ContentCategoryForPlanTool(gCurTool) < 0);
    }
    sWindowRowChosen = row;
    ApplyInspectorValue(kWindowStyle, float(code));
    if (row == 0 || row == 1) {
        ds->windowDivisions = row == 0 ? ShortPoint{0, 1} : ShortPoint{2, 2};
        mergeInteger(horDivsText, ds->windowDivisions.y, true);
        mergeInteger(verDivsText, ds->windowDivisions.x, true);
    }
    enableForCode(ds->windowStyle, true);
}

// Doors.

DoorInspectorController::DoorInspectorController()
    : doorStyleImageArray(Pictures({"DoorStyle1", "DoorStyle4", "DoorStyle11", "DoorStyle12"})) {}

void DoorInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    doorStyleTableView = Table("doorStyleTableView", doorStyleImageArray, view);
    connect(doorStyleTableView, &QListWidget::itemSelectionChanged, this,
            &DoorInspectorController::tableViewSelectionDidChange);
    form->addRow(doorStyleTableView);
    const auto text = [&](QLineEdit** e, const char* outlet, const QString& label) {
        *e = addTextField(outlet, view);
        form->addRow(label, *e);
    };
    text(&doorWidthText, "doorWidthText", tr("Width"));
    text(&doorHeightText, "doorHeightText", tr("Height"));
    text(&doorElevationText, "doorElevationText", tr("Elevation"));
    text(&doorTrimText, "doorTrimText", tr("Trim width"));
    doorSwingLabel = new QLabel(tr("Swing angle"), view);
    doorSwingText = addTextField("doorSwingText", view);
    form->addRow(doorSwingLabel, doorSwingText);
    flipDoorButton = new QPushButton(tr("Flip Door"), view);
    flipDoorButton->setObjectName(QStringLiteral("flipDoorButton"));
    connect(flipDoorButton, &QPushButton::clicked, this, [] { if (HasFloor()) ApplyInspectorValue(kFlipDoor, 0); });
    form->addRow(flipDoorButton);
    for (QWidget* w : std::initializer_list<QWidget*>{doorSwingLabel, doorSwingText, flipDoorButton}) addObjectOnly(w);
}

void DoorInspectorController::showToolDefaults() {
    for (const char* f : {"doorWidthText", "doorHeightText", "doorElevationText", "doorTrimText"})
        ShowDefault(DoorRow(f), field(inspectorView()->findChild<QLineEdit*>(QString::fromLatin1(f))));
    gDoorPropertiesStyle = DoorCodeRow(CurrentDocState()->doorStyle);
    doorStyleTableView->selectRow(ShownStyleRow(gDoorPropertiesStyle, kDoorStyleRows));
}

void DoorInspectorController::showObject(Objex* object, bool first) {
    const AttachmentRecord* a = object->type == objtype::kDoor ? Rec(object) : nullptr;
    if (!a) return;
    for (const char* f : {"doorWidthText", "doorHeightText", "doorElevationText", "doorTrimText", "doorSwingText"})
        MergeObjectValue(DoorRow(f), field(inspectorView()->findChild<QLineEdit*>(QString::fromLatin1(f))), object, first);
    const int row = DoorCodeRow(a->style);
    if (first) {
        prevDoorSwingAngle = FieldValueOf(DoorRow("doorSwingText"), object);
        gDoorPropertiesStyle = row;
        doorStyleTableView->selectRow(ShownStyleRow(row, kDoorStyleRows));
        for (QLineEdit* e : {doorWidthText, doorHeightText, doorElevationText, doorTrimText}) e->setEnabled(true);
        doorSwingText->setEnabled(DoorSwingEnabled(a->style));
        flipDoorButton->setEnabled(DoorFlipEnabled(a->style));
    } else if (row != gDoorPropertiesStyle) {
        gDoorPropertiesStyle = -1;
        doorStyleTableView->deselectAll();
        for (QLineEdit* e : {doorWidthText, doorHeightText, doorElevationText, doorTrimText, doorSwingText})
            e->setEnabled(false);
        flipDoorButton->setEnabled(false);
    }
}

void DoorInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (!HasFloor()) return;
    for (const InspectorEditRow& r : DoorRows()) {
        if (edit->objectName() != QLatin1String(r.outlet)) continue;
        if (edit == doorTrimText &&
            (!HoldsNumber(field(edit)) || !DoorTrimAllowed(gDoorPropertiesStyle, ReadEntry(r.entry, field(edit))))) {
            ShowRefused(r, field(edit));
            return;
        }
        if (edit == doorSwingText) {
            if (ApplyInspectorField(r, field(edit), &prevDoorSwingAngle) != EditResult::Refused)
                prevDoorSwingAngle = ReadEntry(r.entry, field(edit));
            return;
        }
        ApplyInspectorField(r, field(edit));
    }
}

void DoorInspectorController::tableViewSelectionDidChange() {
    const int row = doorStyleTableView->selectedRow();
    if (!checkObjects_ || !HasFloor() || row < 0) return;
    gDoorPropertiesStyle = row;
    const int16_t code = DoorRowCode(row);
    ContentPaletteSetCategorySelectionAbility(true);
    for (QLineEdit* e : {doorWidthText, doorHeightText, doorElevationText, doorTrimText}) e->setEnabled(true);
    doorSwingText->setEnabled(DoorSwingEnabled(code));
    flipDoorButton->setEnabled(DoorFlipEnabled(code));
    ApplyInspectorValue(kDoorStyle, float(code));
}
