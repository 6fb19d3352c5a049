#include "ui/tool_palettes.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStackedWidget>
#include <QUndoStack>
#include <cmath>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document.h"
#include "app/input_gate.h"
#include "app/screen_frames.h"
#include "app/core/dialog_fields.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "app/core/startup.h"
#include "app/core/status_bar_seams.h"
#include "content/core/content_selection_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/qt/line_edit_field.h"
#include "render/core/live_view_seams.h"
#include "render/core/plant_growth.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "tracking/snap_modes.h"
#include "tracking/track_mouse.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/palette_rules.h"
#include "ui/core/palette_seams.h"
#include "ui/tool_pictures.h"
#include "ui/undo_keys.h"

namespace {

constexpr int kCellSize = 28;
constexpr int kPictureSize = 22;
// The edit palette stays as narrow as its first six tools: the rest go in rows below them.
constexpr int kEditCellsPerRow = 6;
ToolPaletteController* sEdit = nullptr;
PlanToolPaletteController* sPlan = nullptr;
SnapPaletteController* sSnap = nullptr;

QString Localized(const char* key) { return QString::fromStdString(LocalizedString(key)); }

}  // namespace

// --- cells ---

PaletteCellButton::PaletteCellButton(int tag, QWidget* parent) : QToolButton(parent), tag_(tag) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);  // cells never take the keyboard from the plan
    setFixedSize(kCellSize, kCellSize);
    setAutoRaise(true);
}

void PaletteCellButton::setImage(const QString& image) {
    setProperty("image", image);
    setIcon(ToolPicture(image));
    setIconSize(QSize(kPictureSize, kPictureSize));
}

void PaletteCellButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed(tag_, 1);
    event->accept();
}

void PaletteCellButton::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void PaletteCellButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed(tag_, 2);
    event->accept();
}

PaletteCells::PaletteCells(const std::vector<Cell>& cells, QWidget* parent, int perRow) : QWidget(parent) {
    const int across = perRow > 0 ? std::min(perRow, int(cells.size())) : int(cells.size());
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (const Cell& c : cells) {
        auto* b = new PaletteCellButton(c.tag, this);
        b->setToolTip(Localized(c.toolTip));
        b->setImage(QString::fromLatin1(c.image ? c.image : ""));
        // A cell without a picture names its tool.
        if (b->icon().isNull()) b->setText(Localized(c.toolTip).left(2));
        connect(b, &PaletteCellButton::pressed, this, &PaletteCells::clickCell);
        const int at = int(buttons_.size());
        grid->addWidget(b, at / across, at % across);
        buttons_.push_back(b);
    }
    const int rows = across ? (int(cells.size()) + across - 1) / across : 1;
    setFixedSize(kCellSize * across, kCellSize * rows);
}

int PaletteCells::selectedTag() const {
    for (PaletteCellButton* b : buttons_)
        if (b->isChecked()) return b->tag();
    return -1;
}

bool PaletteCells::hasTag(int tag) const { return cell(tag) != nullptr; }

PaletteCellButton* PaletteCells::cell(int tag) const {
    for (PaletteCellButton* b : buttons_)
        if (b->tag() == tag) return b;
    return nullptr;
}

void PaletteCells::selectCellWithTag(int tag) {
    for (PaletteCellButton* b : buttons_) b->setChecked(b->tag() == tag);
}

void PaletteCells::deselectAll() { selectCellWithTag(-1); }

void PaletteCells::clickCell(int tag, int clickCount) {
    PaletteCellButton* b = cell(tag);
    if (!b) return;
    if (b->isChecked() && clickCount < 2) b->setChecked(false);
    else selectCellWithTag(tag);
    emit toolSelected(selectedTag(), clickCount);
}

// --- shared palette behaviour ---

PaletteController::PaletteController(const char* title, const char* autoSaveName, void (*setFlag)(bool))
    : window_(new QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)), autoSaveName_(autoSaveName),
      setFlag_(setFlag), frame_(window_, std::string("NSWindow Frame ") + autoSaveName, false) {
    window_->setWindowTitle(Localized(title));
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    InputGate::markKeyOnlyIfNeeded(window_);
    window_->setObjectName(QString::fromLatin1(autoSaveName));
    window_->installEventFilter(this);
    MarkFloating(window_);
}

PaletteController::~PaletteController() { delete window_; }

bool PaletteController::isVisible() const { return window_->isVisible(); }

void PaletteController::showWindow() {
    setFlag_(true);
    if (!window_->isVisible()) frame_.beforeShow(AppController::shared()->framesKeptClearOf(window_));
    window_->show();
}

void PaletteController::close() { window_->close(); }

std::string PaletteController::frameKey() const { return frame_.key(); }

void PaletteController::setAutoSaveName() { frame_.restore(AppController::framesKeptClearOf(window_)); }

void PaletteController::windowWillClose() {
    frame_.save();
    setFlag_(false);
}

QUndoStack* PaletteController::windowWillReturnUndoManager() const {
    if (!AppController::exists()) return nullptr;
    QMDDocument* d = AppController::shared()->documentController()->currentDocument();
    return d ? d->undoStack() : nullptr;
}

void PaletteController::routeUndoKeys() {
    window_->installEventFilter(this);
    for (QWidget* w : window_->findChildren<QWidget*>()) w->installEventFilter(this);
}

bool PaletteController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close) windowWillClose();
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (override || event->type() == QEvent::KeyPress) {
        const int direction = UndoKeyDirection(static_cast<QKeyEvent*>(event));
        if (direction != 0 && !FieldTakesBackItsTyping(window_, direction)) {
            // Taken here rather than by the application's shortcut, and never by the field.
            if (override) {
                event->accept();
                return true;
            }
            QUndoStack* stack = windowWillReturnUndoManager();
            if (stack && !InputGate::commandsHeld()) direction < 0 ? stack->undo() : stack->redo();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- edit tools ---

ToolPaletteController* ToolPaletteController::shared() {
    if (!sEdit) sEdit = new ToolPaletteController();
    return sEdit;
}

ToolPaletteController::ToolPaletteController()
    : PaletteController("Editing Tools", "EditToolPanel",
                        [](bool v) { AppController::shared()->setEditToolsVisible(v); }) {
    toolButtons_ = new PaletteCells({{200, "Selection", "Arrow"}, {202, "Rotate", "Rotate"}, {203, "Zoom", "Zoom"},
                                     {204, "Pan", "Pan"}, {205, "View Point", "ViewPoint"}, {207, "Text", "Text"},
                                     {215, "Resize", "Resize"}, {201, "Key Entry", "KeyEntry"},
                                     {208, "Dimension Wall Tool", "DimensionWall"}, {209, "Dimension", "DimensionLine"},
                                     {210, "Offset Dimension", "OffsetDimension"}, {211, "Length Dimension", "LengthDimension"},
                                     {212, "Diameter Dimension", "DiameterDimension"},
                                     {213, "Leader Dimension", "LeaderDimension"}, {7900, "Insert Point", "InsertPoint"},
                                     {7901, "Remove Point", "RemovePoint"}, {7910, "Fillet", "Fillet"},
                                     {7911, "Inverted Fillet", "InvertedFillet"}, {7912, "Chamfer", "Chamfer"}},
                                    window_, kEditCellsPerRow);
    connect(toolButtons_, &PaletteCells::toolSelected, this, &ToolPaletteController::selectTool);
    window_->setFixedSize(toolButtons_->size());
    gCurTool = 200;
    toolButtons_->selectCellWithTag(200);
    routeUndoKeys();
}

void ToolPaletteController::selectTool(int t, int clickCount) {
    if (t != gCurTool) {
        if (t == -1) {
            toolButtons_->selectCellWithTag(gCurTool);
        } else {
            ResetTrackingState();  // a tracker's loop waiting for clicks ends with its tool
            gCurTool = int16_t(t);
            PlanToolPaletteController::shared()->removeToolSelection();
            InspectorUpdatePropertiesState(1);
            ContentPaletteSetCategorySelectionAbility(true);
        }
    }
    // While a sheet holds the design the tool is chosen, and no more: no second sheet, no
    // change of the selection or of the live view's camera.
    const bool reaches = InputGate::paletteCommandsAct();
    if (clickCount == 2 && reaches) OpenEditToolSheet(int16_t(t));
    if (t == 205 && reaches) {
        LiveViewFreeWalkThrough();
        if (!LiveViewIsVisible()) AppController::shared()->showLiveViewPanel();
    }
    AfterEditToolChosen(int16_t(t), reaches);
}

void ToolPaletteController::selectArrowTool() {
    toolButtons_->selectCellWithTag(200);
    ContentPaletteSetCategorySelectionAbility(true);
    PlanViewDocumentCursor(PlanCursor::Arrow);
}

void ToolPaletteController::removeToolSelection() { toolButtons_->deselectAll(); }

// --- plan tools ---

namespace {

const std::vector<std::vector<PaletteCells::Cell>>& PlanCells() {
    static const std::vector<std::vector<PaletteCells::Cell>> kPlans = {
        {{7000, "Foundation Perimeter", "FoundationPerimeter"}, {7001, "Stiffener Beam", "StiffenerBeam"}, {7002, "Foundation Pier", "FoundationPier"},
         {7003, "Post-Tension Strand", "PostTensionStrand"}, {7004, "Foundation Slope", "FoundationSlope"}},
        {{7050, "Exterior Wall", "ExteriorWall"}, {7052, "Interior Wall", "InteriorWall"}, {7055, "Wall Break", "WallBreak"},
         {7056, "Door", "Door"}, {7057, "Window", "Window"}, {7058, "Straight Stairway", "StraightStairway"},
         {7059, "Curved Stairway", "CurvedStairway"}, {7060, "Straight Railing", "StraightRailing"}, {7061, "Curved Railing", "CurvedRailing"},
         {7062, "Floor", "Floor"}, {7063, "Floor Cutout", "FloorCutout"}, {7065, "Fixture Lights", "FixtureLight"},
         {7064, "Accessory", "Accessory"}, {7051, "Exterior Wall by Typed Length", "ExteriorWallTyped"},
         {7053, "Interior Wall by Typed Length", "InteriorWallTyped"}, {7054, "Curved Wall", "CurvedWall"}},
        {{7100, "110v Receptacle", "Receptacle110"}, {7101, "Duplex/GFCI/Weather Proof Receptacle", "StyledReceptacle"}, {7102, "110v Floor/Ceiling Receptacle", "FloorReceptacle110"},
         {7103, "220v Receptacle", "Receptacle220"}, {7104, "220v Floor/Ceiling Receptacle", "FloorReceptacle220"},
         {7105, "Switch", "Switch"}, {7106, "3/4/5-Way Switch", "MultiWaySwitch"}, {7107, "Dimmer/Weather Proof Switch", "DimmerSwitch"},
         {7108, "Switch Connector", "SwitchConnector"}, {7109, "Fixture Light", "FixtureLight"}, {7110, "Flood Light", "FloodLight"},
         {7111, "Ceiling Fan", "CeilingFan"}, {7112, "Cable Outlet", "CableOutlet"}, {7113, "Phone Outlet", "PhoneOutlet"},
         {7114, "Smoke Detector", "SmokeDetector"}, {7115, "Thermostat", "Thermostat"}},
        {{7200, "Hose Bib", "HoseBib"}, {7201, "Gas Bib", "GasBib"}, {7202, "Floor Drain", "FloorDrain"},
         {7203, "Toilet", "Toilet"}, {7204, "Single Sink", "SingleSink"}, {7205, "Double Sink", "DoubleSink"},
         {7206, "Triple Sink", "TripleSink"}, {7207, "Oval Sink", "OvalSink"}, {7208, "Bath Tub", "BathTub"},
         {7209, "Spa Tub", "SpaTub"}, {7210, "Shower", "Shower"}, {7211, "Water Heater", "WaterHeater"}},
        {{7300, "Gable", "GableRoof"}, {7301, "Hip", "HipRoof"}, {7302, "Hip/Gable", "HipGableRoof"},
         {7303, "Gable Connector", "GableConnector"}, {7304, "Hip Connector", "HipConnector"}, {7305, "Cross Connector", "CrossConnector"},
         {7306, "Freehand Roof", "FreehandRoof"}, {7310, "Skylight", "Skylight"},
         {7307, "Four-Point Freehand Roof", "FourPointRoof"}, {7308, "Three-Point Freehand Roof", "ThreePointRoof"},
         {7309, "Dormer Cutout", "DormerCutout"}},
        {{7400, "Air Duct", "AirDuct"}, {7401, "Floor Register", "FloorRegister"}, {7402, "Ceiling Register", "CeilingRegister"},
         {7403, "Air Return", "AirReturn"}, {7404, "Furnace", "Furnace"}, {7405, "Air Conditioner", "AirConditioner"},
         {7406, "Heat Pump", "HeatPump"}, {7407, "Baseboard Heater", "BaseboardHeater"}},
        {{7600, "Deck with Railing", "DeckWithRailing"}, {7601, "Deck without Railing", "DeckWithoutRailing"},
         {7602, "Straight Railing", "StraightRailing"}, {7603, "Curved Railing", "CurvedRailing"}, {7604, "Straight Stairway", "StraightStairway"},
         {7605, "Curved Stairway", "CurvedStairway"}, {7606, "Deck Cutout", "DeckCutout"}},
        {{7500, "Property Line", "PropertyLine"}, {7501, "Ground Fill Region", "GroundFillRegion"}, {7502, "Pathway/Driveway", "Pathway"},
         {7503, "Fill", "Fill"}, {7504, "Edging", "Edging"}, {7505, "Fence", "Fence"}, {7506, "Gate", "Gate"},
         {7507, "Retaining Wall", "RetainingWall"}, {7508, "Sprinkler Head", "SprinklerHead"}, {7509, "Excavate Topography", "ExcavateTopography"},
         {7512, "Straight Topography", "StraightTopography"}, {7511, "Curved Topography", "CurvedTopography"}},
        {{7700, "Rectangle", "Rectangle"}, {7701, "Circle/Oval", "CircleOval"}, {7702, "Line", "Line"},
         {7703, "Polygon", "Polygon"}, {7704, "Arc", "Arc"}, {7705, "Circular Arc", "CircularArc"},
         {7706, "Multigon", "Multigon"}, {7707, "Curve", "Curve"}},
    };
    return kPlans;
}

const char* const kPlanNames[] = {"Foundation", "Floor", "Electrical", "Plumbing", "Roofing",
                                  "HVAC", "Deck", "Landscape", "Detail"};

}  // namespace

PlanToolPaletteController* PlanToolPaletteController::shared() {
    if (!sPlan) sPlan = new PlanToolPaletteController();
    return sPlan;
}

PlanToolPaletteController::PlanToolPaletteController()
    : PaletteController("Drawing Tools", "PlanToolPanel",
                        [](bool v) { AppController::shared()->setPlanToolsVisible(v); }) {
    auto* row = new QHBoxLayout(window_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    toolsetPopUp_ = new QComboBox(window_);
    toolsetPopUp_->setFixedWidth(110);
    toolsetPopUp_->setFocusPolicy(Qt::NoFocus);  // it reads no keys: they stay with the plan
    for (int i = 0; i < 9; ++i) toolsetPopUp_->addItem(Localized(kPlanNames[i]), i);
    superToolView_ = new QStackedWidget(window_);
    for (const auto& cells : PlanCells()) {
        auto* m = new PaletteCells(cells, superToolView_);
        connect(m, &PaletteCells::toolSelected, this, [this, m](int tag, int) { selectTool(m, tag); });
        superToolView_->addWidget(m);
        matrices_.push_back(m);
    }
    left_ = new QToolButton(window_);
    left_->setArrowType(Qt::LeftArrow);
    indicator_ = new QProgressBar(window_);
    indicator_->setTextVisible(false);
    indicator_->setFixedWidth(40);
    indicator_->setEnabled(false);
    right_ = new QToolButton(window_);
    right_->setArrowType(Qt::RightArrow);
    for (QWidget* w : {static_cast<QWidget*>(toolsetPopUp_), static_cast<QWidget*>(superToolView_),
                       static_cast<QWidget*>(left_), static_cast<QWidget*>(indicator_),
                       static_cast<QWidget*>(right_)})
        row->addWidget(w);
    row->addStretch();
    connect(toolsetPopUp_, &QComboBox::activated, this,
            [this](int index) { loadToolPaletteForPlan(int16_t(toolsetPopUp_->itemData(index).toInt())); });
    // The arrows read no keys: given none, a press held while the keyboard leaves the palette
    // (without a window manager the plan takes it back at once) still ends in a click.
    left_->setFocusPolicy(Qt::NoFocus);
    right_->setFocusPolicy(Qt::NoFocus);
    connect(left_, &QToolButton::clicked, this, &PlanToolPaletteController::plantGrowthLeftButtonChanged);
    connect(right_, &QToolButton::clicked, this, &PlanToolPaletteController::plantGrowthRightButtonChanged);
    SetUpdatePlantGrowthIndicatorLevelHandler([this] { updatePlantGrowthIndicatorLevel(); });
    loadToolPaletteForPlan(1);
    updateToolsetForPlan(1);
    routeUndoKeys();
}

void PlanToolPaletteController::loadToolPaletteForPlan(int16_t plan) {
    if (plan < 0 || plan >= int16_t(matrices_.size())) return;
    shownPlan_ = plan;
    superToolView_->setCurrentIndex(plan);
    superToolView_->setFixedWidth(matrices_[plan]->width());
    window_->setFixedSize(matrices_[plan]->width() + 204, 32);
}

void PlanToolPaletteController::updateToolsetForPlan(int16_t plan) {
    const int index = toolsetPopUp_->findData(int(plan));
    if (index >= 0) toolsetPopUp_->setCurrentIndex(index);
}

void PlanToolPaletteController::removeToolSelection() {
    if (shownPlan_ >= 0) matrices_[shownPlan_]->deselectAll();
}

void PlanToolPaletteController::selectTool(PaletteCells* matrix, int t) {
    if (t == gCurTool) return;
    if (t == -1) {
        // A click that deselected the current tool's cell selects it again.
        if (matrices_[shownPlan_]->hasTag(gCurTool)) matrices_[shownPlan_]->selectCellWithTag(gCurTool);
        return;
    }
    ResetTrackingState();
    gCurTool = int16_t(t);
    ToolPaletteController::shared()->removeToolSelection();
    removeToolSelection();
    matrix->selectCellWithTag(gCurTool);
    FollowPlanToolInContentPalette(gCurTool);
    AfterPlanToolChosen(InputGate::paletteCommandsAct());
}

void PlanToolPaletteController::updatePlantGrowthIndicatorLevel() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    const int maximum = gCurDocument->itsMaximumPlantAge;
    int level = int(ds->plantAge + 0.5f);
    if (level > 0) level = std::min(level, maximum);
    if (level <= 0) level = 1;
    indicator_->setRange(0, maximum);
    indicator_->setValue(level);
    // The bar repaints on a value change only when it judges the fill moved, reading what it
    // last painted under the old range: after a growth step or a restore it kept the old fill.
    indicator_->update();
    left_->setEnabled(level != 1);
    right_->setEnabled(level != maximum);
}

void PlanToolPaletteController::plantGrowthStep(int step) {
    const DocState* ds = CurrentDocState();
    if (!ds || !InputGate::paletteCommandsAct()) return;  // the plants grow in the design
    RealTimePlantGrowthD3D(int16_t(ds->plantAge + 0.5f), step);
    MainWindowStatusText(PlantGrowthStatusText(int(ds->plantAge)));
}

void PlanToolPaletteController::plantGrowthLeftButtonChanged() { plantGrowthStep(-1); }
void PlanToolPaletteController::plantGrowthRightButtonChanged() { plantGrowthStep(1); }

// --- snap modes ---

namespace {

const char* const kSnapImages[] = {"SPNone", "SPEndpoint", "SPSegmentCenter", "SPObjectCenter", "SPObjectCorner",
                                   "SPIntersection", "SPPerpendicular", "SPSegmentOffset", "SPOnSegment"};
bool HasSnapCell(int16_t mode) { return mode >= 500 && mode <= 508; }

}  // namespace

SnapPaletteController* SnapPaletteController::shared() {
    if (!sSnap) sSnap = new SnapPaletteController();
    return sSnap;
}

SnapPaletteController::SnapPaletteController()
    : PaletteController("Snap Tools", "SnapPanel", [](bool v) { AppController::shared()->setSnapToolsVisible(v); }) {
    static const char* const kTips[] = {"Snap Anywhere", "Snap to Endpoint", "Snap to Segment Center",
                                        "Snap to Object Center", "Snap to Object Corner", "Snap to Intersection",
                                        "Snap to Perpendicular", "Snap to Segment Offset", "Snap to On-Segment"};
    std::vector<PaletteCells::Cell> cells;
    for (int i = 0; i < 9; ++i) cells.push_back({500 + i, kTips[i], kSnapImages[i]});
    auto* row = new QHBoxLayout(window_);
    row->setContentsMargins(0, 0, 2, 0);
    toolButtons_ = new PaletteCells(cells, window_);
    offsetText_ = new QLineEdit(window_);
    offsetText_->setFixedWidth(70);
    offsetField_ = std::make_unique<port::qt::LineEditField>(offsetText_);
    row->addWidget(toolButtons_);
    row->addWidget(offsetText_);
    connect(toolButtons_, &PaletteCells::toolSelected, this, &SnapPaletteController::selectTool);
    connect(offsetText_, &QLineEdit::editingFinished, this, &SnapPaletteController::controlTextDidEndEditing);
    SetSnapPaletteSetSnapToolHandler([this](int16_t m) { setSnapTool(m); });
    SetUpdateSnapOffsetTextHandler([this] { updateSnapOffsetText(); });
    toolButtons_->selectCellWithTag(gCurSnap);
    offsetText_->setEnabled(gCurSnap == 507);
    setFirstFrame(FirstCorner);
    setAutoSaveName();
    routeUndoKeys();
}

SnapPaletteController::~SnapPaletteController() {
    SetSnapPaletteSetSnapToolHandler(nullptr);
    SetUpdateSnapOffsetTextHandler(nullptr);
    // The window goes after the field's adapter: its last loss of focus must reach nothing.
    offsetText_->disconnect(this);
}

void SnapPaletteController::showLock(int16_t mode, bool locked) {
    if (!HasSnapCell(mode)) return;
    QString image = QString::fromLatin1(kSnapImages[mode - 500]);
    if (locked) image += QStringLiteral("Lock");
    PaletteCellButton* b = toolButtons_->cell(mode);
    b->setImage(image);
    QFont f = b->font();
    f.setUnderline(locked);
    b->setFont(f);
}

void SnapPaletteController::selectTool(int t, int clickCount) {
    if (t == -1) {
        // A click that deselected the current mode's cell leaves that mode chosen.
        toolButtons_->selectCellWithTag(gCurSnap);
        return;
    }
    if (t != gCurSnap) {
        if (gSnapLocked) showLock(gCurSnap, false);
        gSnapLocked = 0;
        gCurSnap = int16_t(t);
        offsetText_->setEnabled(t == 507);
    } else if (clickCount == 2) {
        gSnapLocked = 1;
        showLock(gCurSnap, true);
    }
}

void SnapPaletteController::setSnapTool(int16_t m) {
    if (m != gCurSnap && gSnapLocked) {
        showLock(gCurSnap, false);
        showLock(m, true);
    }
    gCurSnap = m;
    toolButtons_->selectCellWithTag(m);
    offsetText_->setEnabled(m == 507);
}

void SnapPaletteController::resetSnapTool() { ResetSnapTool(); }

void SnapPaletteController::setSnapOffsetText(float offset) { SetFloatItem(offsetField_.get(), offset); }

void SnapPaletteController::updateSnapOffsetText() { ShowSnapOffset(offsetField_.get()); }

// Qt ends the editing at every loss of focus: only what the user typed is an entry, so a
// click elsewhere never rewrites the offset from the field's rounded text.
void SnapPaletteController::controlTextDidEndEditing() {
    if (!offsetText_->isModified()) return;
    offsetText_->setModified(false);
    StoreSnapOffset(offsetField_.get(), InputGate::paletteCommandsAct());  // the offset is the design's
}

void DestroySharedPalettes() {
    // Closing would store frames and flags: the windows just go.
    for (PaletteController* p : std::initializer_list<PaletteController*>{sEdit, sPlan, sSnap})
        if (p) p->window()->removeEventFilter(p);
    delete sEdit;
    delete sPlan;
    delete sSnap;
    sEdit = nullptr, sPlan = nullptr, sSnap = nullptr;
    SetUpdatePlantGrowthIndicatorLevelHandler(nullptr);
}
