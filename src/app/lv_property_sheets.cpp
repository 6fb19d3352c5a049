#include "app/lv_property_sheets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "app/core/main_window_seams.h"
#include "app/input_gate.h"
#include "app/live_view_controller.h"
#include "render/core/live_view_seams.h"
#include "ui/tool_pictures.h"

namespace {

// The sliders' ranges (the stored values they show are in lv_property_values.h).
constexpr int kMaxSpeedSlider = 4;  // speeds 6 .. 10
constexpr int kMaxFOVSlider = 4;
constexpr int kMaxOpacitySlider = 4;
constexpr int kMinQuality = 1, kMaxQuality = 16;
constexpr int kMaxDirection = 359, kMaxOverhead = 90;
constexpr int kMinShadowQuality = 1, kMaxShadowQuality = 10;

const QColor kSunInk(255, 170, 0);
constexpr int kSunPixels = 16;

// On the panel while it shows, else on the main document window.
CommandWindow* SheetParent() {
    if (LiveViewController::exists() && LiveViewController::sharedLiveViewController()->isVisible())
        return AsCommandWindow(LiveViewController::sharedLiveViewController()->window());
    return MainWindowCommandWindow();
}

void DrawCentred(QPainter& p, const QImage& image, QPointF at) {
    p.drawImage(at - QPointF(image.width() / 2.0, image.height() / 2.0), image);
}

}  // namespace

void RegisterLVPropertySheets() {
    // Each runs alone: nothing outside it acts while it is up.
    SetLiveViewShowRenderPropertiesHandler(
        [] { InputGate::runAlone(SheetDialog::begin<LVGeneralPropertiesController>(SheetParent())); });
    SetLiveViewShowLightPropertiesHandler(
        [] { InputGate::runAlone(SheetDialog::begin<LVLightPropertiesController>(SheetParent())); });
}

void ForgetLVPropertySheets() {
    SetLiveViewShowRenderPropertiesHandler(nullptr);
    SetLiveViewShowLightPropertiesHandler(nullptr);
}

// --- render properties ---

LVGeneralPropertiesController::LVGeneralPropertiesController(QWidget* parent)
    : SheetDialog(parent, "LVGeneralProperties", localized("Render Properties")) {
    static const char* const kBoxes[][2] = {
        {"renderDoorsButton", "Doors and windows"}, {"renderObjectsButton", "Objects"},
        {"renderPlantsButton", "Plants"},           {"renderRoofsButton", "Roofs"},
        {"renderMaterialsButton", "Materials"},     {"renderTopographyButton", "Topography"},
        {"animateBackgroundButton", "Animate background"}, {"renderElectricalButton", "Electrical"},
        {"renderPlumbingButton", "Plumbing"},       {"renderHVACButton", "HVAC"},
    };
    auto* grid = new QWidget(this);
    auto* columns = new QHBoxLayout(grid);
    columns->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* column = nullptr;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        if (i % 5 == 0) columns->addLayout(column = new QVBoxLayout);
        boxes_[i] = new QCheckBox(localized(kBoxes[i][1]), grid);
        boxes_[i]->setObjectName(QString::fromLatin1(kBoxes[i][0]));
        column->addWidget(boxes_[i]);
    }
    addRow(localized("Show:"), grid);
    navigationSpeedSlider_ = slider("navigationSpeedSlider", localized("Navigation speed:"), 0, kMaxSpeedSlider);
    FOVSlider_ = slider("FOVSlider", localized("Field of view:"), 0, kMaxFOVSlider);
    CVOpacitySlider_ = slider("CVOpacitySlider", localized("ClearView opacity:"), 0, kMaxOpacitySlider);
    qualitySliders_ = {
        slider("winDoorQualitySlider", localized("Window and door quality:"), kMinQuality, kMaxQuality),
        slider("winDoorTrimQualitySlider", localized("Window and door trim quality:"), kMinQuality, kMaxQuality),
        slider("baseCrownTrimQualitySlider", localized("Base and crown trim quality:"), kMinQuality, kMaxQuality),
        slider("objectQualitySlider", localized("Object quality:"), kMinQuality, kMaxQuality),
    };
    addButtons();
}

QSlider* LVGeneralPropertiesController::slider(const char* outlet, const QString& label, int minimum, int maximum) {
    auto* s = new QSlider(Qt::Horizontal, this);
    s->setObjectName(QString::fromLatin1(outlet));
    s->setRange(minimum, maximum);
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(1);
    addRow(label, s);
    return s;
}

void LVGeneralPropertiesController::initializeControlStates() {
    if (const auto c = CurrentRenderSheetControls()) {
        for (size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(c->drawn[i]);
        navigationSpeedSlider_->setValue(c->navigationSpeedSlider);
        FOVSlider_->setValue(c->fovSlider);
        CVOpacitySlider_->setValue(c->opacitySlider);
        for (size_t i = 0; i < qualitySliders_.size(); ++i) qualitySliders_[i]->setValue(c->quality[i]);
    }
}

RenderSheetControls LVGeneralPropertiesController::controlStates() const {
    RenderSheetControls c;
    for (size_t i = 0; i < boxes_.size(); ++i) c.drawn[i] = boxes_[i]->isChecked();
    c.navigationSpeedSlider = navigationSpeedSlider_->value();
    c.fovSlider = FOVSlider_->value();
    c.opacitySlider = CVOpacitySlider_->value();
    for (size_t i = 0; i < qualitySliders_.size(); ++i) c.quality[i] = qualitySliders_[i]->value();
    return c;
}

void LVGeneralPropertiesController::applyValues() { ConfirmRenderSheet(controlStates()); }

// --- the sun's views ---

LVDirectionAngleView::LVDirectionAngleView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("directionAngleView"));
    setFixedSize(130, 130);
}

void LVDirectionAngleView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    const QPointF c = center();
    DrawCentred(p, RenderToolPicture(QStringLiteral("LVViewDirAngle"), 100, ink), c);
    const double direction = dirAngleViewParentController ? dirAngleViewParentController->directionAngle() : 0;
    // Counter-clockwise from east, y up: north is 90.
    const double a = qDegreesToRadians(450.0 - direction);
    const QPointF unit(std::cos(a), -std::sin(a));
    p.setPen(QPen(ink, 1));
    p.drawLine(c, c + unit * kLineRadius);
    DrawCentred(p, RenderToolPicture(QStringLiteral("LVViewSun"), kSunPixels, kSunInk), c + unit * kSunRadius);
}

LVOverheadAngleView::LVOverheadAngleView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("overheadAngleView"));
    setFixedSize(110, 110);
}

void LVOverheadAngleView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The picture's arc has radius 20 of its 24 units round (1.5, 22.5).
    constexpr double kUnit = kArcRadius / 20.0;
    const QPointF o = pivot();
    p.drawImage(o - QPointF(1.5, 22.5) * kUnit,
                RenderToolPicture(QStringLiteral("LVViewOvrAngle"), int(24 * kUnit), palette().color(QPalette::WindowText)));
    const double overhead = ovrAngleViewParentController ? ovrAngleViewParentController->overheadAngle() : 0;
    const double a = qDegreesToRadians(overhead);
    // The picture's lower left corner stands off the arc point, right and down.
    const QImage sun = RenderToolPicture(QStringLiteral("LVViewSun"), kSunPixels, kSunInk);
    const QPointF corner = o + QPointF(std::cos(a), -std::sin(a)) * kArcRadius + kSunOffset;
    p.drawImage(corner - QPointF(0, sun.height()), sun);
}

// --- light properties ---

LVLightPropertiesController::LVLightPropertiesController(QWidget* parent)
    : SheetDialog(parent, "LVLightProperties", localized("Light Properties")),
      directionAngleView_(new LVDirectionAngleView(this)),
      overheadAngleView_(new LVOverheadAngleView(this)) {
    directionAngleView_->dirAngleViewParentController = this;
    overheadAngleView_->ovrAngleViewParentController = this;
    sunlightOnButton_ = box("sunlightOnButton", localized("Sunlight"));
    auto* views = new QWidget(this);
    auto* row = new QHBoxLayout(views);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(directionAngleView_);
    row->addWidget(overheadAngleView_);
    addRow(QString(), views);
    direction_ = angleRow("directionAngle", localized("Direction:"), kMaxDirection, directionAngleView_);
    overhead_ = angleRow("overheadAngle", localized("Overhead:"), kMaxOverhead, overheadAngleView_);
    sunBrightnessSlider_ = slider("sunBrightnessSlider", localized("Sun brightness:"), 0, 100);
    sunShadowQualitySlider_ =
        slider("sunShadowQualitySlider", localized("Shadow quality:"), kMinShadowQuality, kMaxShadowQuality);
    optimalQualityButton_ = box("optimalQualityButton", localized("Optimal"));
    lightIntensitySlider_ = slider("lightIntensitySlider", localized("Light intensity:"), 0, 100);
    lightBrightnessSlider_ = slider("lightBrightnessSlider", localized("Brightness:"), 0, 100);
    backgroundLightingButton_ = box("backgroundLightingButton", localized("Background lighting"));
    addButtons();

    connect(direction_.slider, &QSlider::valueChanged, this, &LVLightPropertiesController::trackingDirectionAngleSlider);
    connect(overhead_.slider, &QSlider::valueChanged, this, &LVLightPropertiesController::trackingOverheadAngleSlider);
    connect(direction_.stepper, &Stepper::valueChanged, this, &LVLightPropertiesController::changingDirectionAngleStepper);
    connect(overhead_.stepper, &Stepper::valueChanged, this, &LVLightPropertiesController::changingOverheadAngleStepper);
    for (QLineEdit* field : {direction_.text, overhead_.text})
        connect(field, &QLineEdit::editingFinished, this, [this, field] { controlTextDidEndEditing(field); });
    connect(optimalQualityButton_, &QCheckBox::toggled, this, &LVLightPropertiesController::changingOptimalQualityButton);
}

QSlider* LVLightPropertiesController::slider(const char* outlet, const QString& label, int minimum, int maximum) {
    auto* s = new QSlider(Qt::Horizontal, this);
    s->setObjectName(QString::fromLatin1(outlet));
    s->setRange(minimum, maximum);
    addRow(label, s);
    return s;
}

QCheckBox* LVLightPropertiesController::box(const char* outlet, const QString& title) {
    auto* b = new QCheckBox(title, this);
    b->setObjectName(QString::fromLatin1(outlet));
    addRow(QString(), b);
    return b;
}

LVLightPropertiesController::AngleControls LVLightPropertiesController::angleRow(const char* name, const QString& label,
                                                                                  int maximum, QWidget* view) {
    const QString base = QString::fromLatin1(name);
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    AngleControls c{new QSlider(Qt::Horizontal, holder), new Stepper("", 0, maximum, holder), new QLineEdit(holder), view};
    c.slider->setObjectName(base + QStringLiteral("Slider"));
    c.slider->setRange(0, maximum);
    c.stepper->setObjectName(base + QStringLiteral("Stepper"));
    c.text->setObjectName(base + QStringLiteral("TextField"));
    c.text->setMaximumWidth(60);
    row->addWidget(c.slider, 1);
    row->addWidget(c.text);
    row->addWidget(c.stepper);
    addRow(label, holder);
    return c;
}

void LVLightPropertiesController::showAngle(const AngleControls& row, int degrees) {
    {
        const QSignalBlocker quiet(row.slider);
        row.slider->setValue(degrees);
    }
    row.stepper->setValue(degrees);
    row.text->setText(QString::number(row.stepper->value()));
    row.view->update();
}

void LVLightPropertiesController::initializeControlStates() {
    if (const auto c = CurrentLightSheetControls()) {
        sunlightOnButton_->setChecked(c->sunOn);
        showAngle(direction_, c->directionAngle);
        showAngle(overhead_, c->overheadAngle);
        sunBrightnessSlider_->setValue(c->sunBrightnessSlider);
        optimalQualityButton_->setChecked(c->optimalQuality);
        sunShadowQualitySlider_->setValue(c->shadowQualitySlider);
        lightIntensitySlider_->setValue(c->intensitySlider);
        lightBrightnessSlider_->setValue(c->brightnessSlider);
        backgroundLightingButton_->setChecked(c->backgroundLighting);
    }
    changingOptimalQualityButton();
    opened_ = controlStates();
}

LightSheetControls LVLightPropertiesController::controlStates() const {
    LightSheetControls c;
    c.sunOn = sunlightOnButton_->isChecked();
    c.directionAngle = direction_.stepper->value();
    c.overheadAngle = overhead_.stepper->value();
    c.sunBrightnessSlider = sunBrightnessSlider_->value();
    c.optimalQuality = optimalQualityButton_->isChecked();
    c.shadowQualitySlider = sunShadowQualitySlider_->value();
    c.intensitySlider = lightIntensitySlider_->value();
    c.brightnessSlider = lightBrightnessSlider_->value();
    c.backgroundLighting = backgroundLightingButton_->isChecked();
    return c;
}

int LVLightPropertiesController::directionAngle() const { return direction_.slider->value(); }
int LVLightPropertiesController::overheadAngle() const { return overhead_.slider->value(); }

void LVLightPropertiesController::trackingDirectionAngleSlider() { showAngle(direction_, direction_.slider->value()); }
void LVLightPropertiesController::trackingOverheadAngleSlider() { showAngle(overhead_, overhead_.slider->value()); }
void LVLightPropertiesController::changingDirectionAngleStepper() { showAngle(direction_, direction_.stepper->value()); }
void LVLightPropertiesController::changingOverheadAngleStepper() { showAngle(overhead_, overhead_.stepper->value()); }

void LVLightPropertiesController::controlTextDidEndEditing(QLineEdit* field) {
    const AngleControls& row = field == direction_.text ? direction_ : overhead_;
    bool number = false;
    const double typed = field->text().trimmed().toDouble(&number);
    // Something that is no number puts back what the stepper holds.
    showAngle(row, number ? int(std::lround(typed)) : row.stepper->value());
}

void LVLightPropertiesController::changingOptimalQualityButton() {
    sunShadowQualitySlider_->setEnabled(!optimalQualityButton_->isChecked());
}

void LVLightPropertiesController::applyValues() { ConfirmLightSheet(opened_, controlStates()); }
