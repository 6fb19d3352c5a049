#include "ui/sheets/plant_details_controller.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_controller.h"
#include "app/core/localization_seams.h"
#include "app/screen_frames.h"
#include "model/command_globals.h"
#include "ui/core/plant_details.h"

namespace {

struct Row {
    const char* outlet;
    const char* title;
};
// In the order of PlantDetail.
constexpr Row kRows[] = {
    {"commonNameText", "Common Name:"},     {"botanicalNameText", "Botanical Name:"},
    {"flowerColorText", "Flower Color:"},   {"textureText", "Texture:"},
    {"fruitTypeText", "Fruit:"},            {"foliageTypeText", "Foliage:"},
    {"foliageChangeText", "Foliage Change:"}, {"usageText", "Usage:"},
    {"plantShapeText", "Shape:"},           {"propagationText", "Propagation:"},
    {"sunlightText", "Sunlight:"},          {"waterText", "Water:"},
    {"soilText", "Soil:"},                  {"temperatureText", "Temperature:"},
    {"zoneText", "Hardiness Zones:"},       {"agePlantedText", "Age Planted:"},
    {"currentHeightText", "Current Height:"}, {"matureHeightText", "Mature Height:"},
};
static_assert(std::size(kRows) == static_cast<size_t>(PlantDetail::count));

QString Localized(const char* key) { return QString::fromStdString(LocalizedString(key)); }

}  // namespace

PlantDetailsController* PlantDetailsController::newPlantDetailsWindow() {
    auto* w = new PlantDetailsController();
    w->initializeControlStates();
    PlaceAtProgramsFrame(w, AppController::framesKeptClearOf(w));
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

PlantDetailsController::PlantDetailsController() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("PlantDetailsSheet"));
    setWindowTitle(Localized("Plant Details"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* form = new QFormLayout;
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLabel(QStringLiteral("-"), this);
        fields_[i]->setObjectName(QString::fromLatin1(kRows[i].outlet));
        fields_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(Localized(kRows[i].title), fields_[i]);
    }
    auto* done = new QPushButton(Localized("OK"), this);
    done->setObjectName(QStringLiteral("dismissButton"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &PlantDetailsController::dismissWindow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(done);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
}

void PlantDetailsController::initializeControlStates() {
    const PlantDetails details = ReadPlantDetails(gContextFoundObj);
    for (size_t i = 0; i < fields_.size(); ++i)
        if (details[i]) fields_[i]->setText(QString::fromStdString(*details[i]));
}

void PlantDetailsController::dismissWindow() { close(); }
