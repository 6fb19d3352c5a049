#include "powertools/power_tool_launcher.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#include "app/app_controller.h"
#include "app/core/app_seams.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "app/core/plan_mouse.h"
#include "port/alerts.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"

namespace {

PowerToolLauncherController* sShared = nullptr;

QString Localized(const char* key) { return QString::fromStdString(LocalizedString(key)); }

std::string WithName(const char* key, const std::string& name) {
    return Localized(key).replace(QStringLiteral("%@"), QString::fromStdString(name)).toStdString();
}

PowerToolDispatcher* Dispatcher() { return PowerToolDispatcher::sharedPowerToolDispatcher(); }

// The decoded preview (RGB, bottom row first) as a pixmap.
QPixmap PreviewPixmap(const port::DecodedImage* image) {
    if (!image || image->width <= 0 || image->height <= 0 ||
        image->rgb.size() < size_t(image->width) * size_t(image->height) * 3)
        return {};
    QImage out(image->width, image->height, QImage::Format_RGB888);
    const size_t row = size_t(image->width) * 3;
    for (int y = 0; y < image->height; ++y)
        std::memcpy(out.scanLine(image->height - 1 - y), image->rgb.data() + row * size_t(y), row);
    return QPixmap::fromImage(out);
}

// A style sheet, so the colour holds over the list's own styling of its rows.
void SetTextColour(QLabel* label, const QColor& colour) {
    label->setStyleSheet(QStringLiteral("color: %1").arg(colour.name()));
}

}  // namespace

// --- a row ---

PowerToolEntryController::PowerToolEntryController() {
    ptImageView = new QLabel(this);
    ptImageView->setFixedSize(48, 48);
    ptImageView->setScaledContents(true);
    ptNameText = new QLabel(this);
    QFont bold = ptNameText->font();
    bold.setBold(true);
    ptNameText->setFont(bold);
    ptStatusText = new QLabel(this);
    ptDescriptionText = new QLabel(this);
    ptDescriptionText->setWordWrap(true);
    auto* texts = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(ptNameText, 1);
    top->addWidget(ptStatusText);
    texts->addLayout(top);
    texts->addWidget(ptDescriptionText);
    auto* row = new QHBoxLayout(this);
    row->addWidget(ptImageView);
    row->addLayout(texts, 1);
}

PowerToolEntryController* PowerToolEntryController::newPowerToolEntryControllerUsingEntry(PowerToolEntry* entry) {
    if (!entry) return nullptr;
    auto* row = new PowerToolEntryController();
    entry->setPlugInViewController(row);
    row->setPTOwner(entry);
    row->updateControls();
    return row;
}

void PowerToolEntryController::updateControls() {
    if (!owner_) return;
    ptStatusText->setText(Localized(owner_->plugInAvailable() ? "Available" : "Running"));
    ptNameText->setText(owner_->plugInName().empty() ? Localized("Unknown")
                                                      : QString::fromStdString(owner_->plugInName()));
    ptDescriptionText->setText(QString::fromStdString(owner_->plugInDescription()));
    ptImageView->setPixmap(PreviewPixmap(owner_->plugInPreview().get()));
}

void PowerToolEntryController::highlightEntryText(bool highlight) {
    const QColor description = highlight ? Qt::white : QColor::fromRgbF(1.0 / 3, 1.0 / 3, 1.0 / 3, 1);
    SetTextColour(ptNameText, highlight ? Qt::white : Qt::black);
    SetTextColour(ptStatusText, highlight ? Qt::white : Qt::black);
    SetTextColour(ptDescriptionText, description);
}

// --- the launcher ---

PowerToolLauncherController* PowerToolLauncherController::sharedPowerToolLauncherController() {
    if (!sShared) sShared = new PowerToolLauncherController();
    return sShared;
}

void PowerToolLauncherController::destroyShared() {
    delete sShared;
    sShared = nullptr;
}

PowerToolLauncherController::PowerToolLauncherController() {
    setWindowTitle(Localized("PowerTools"));
    setWindowModality(Qt::ApplicationModal);
    ptEntryTableView = new QListWidget(this);
    ptEntryTableView->setSelectionMode(QAbstractItemView::SingleSelection);
    launchButton = new QPushButton(Localized("Launch"), this);
    cancelButton = new QPushButton(Localized("Cancel"), this);
    closePowerToolButton = new QPushButton(Localized("Close PowerTool"), this);
    launchButton->setDefault(true);
    // Nothing is chosen until a row is.
    launchButton->setEnabled(false);
    closePowerToolButton->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(closePowerToolButton);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(launchButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(ptEntryTableView, 1);
    column->addLayout(buttons);
    resize(460, 360);
    connect(launchButton, &QPushButton::clicked, this, &PowerToolLauncherController::launchButtonChanged);
    connect(cancelButton, &QPushButton::clicked, this, &PowerToolLauncherController::cancelButtonChanged);
    connect(closePowerToolButton, &QPushButton::clicked, this,
            &PowerToolLauncherController::closePowerToolButtonChanged);
    connect(ptEntryTableView, &QListWidget::currentRowChanged, this,
            [this](int row) { selectionChanged(highlightedRow_, row); });
    connect(ptEntryTableView, &QListWidget::itemDoubleClicked, this,
            &PowerToolLauncherController::doubleClickLaunchPowerTool);
    awakeFromNib();
    SetPowerToolEntryUpdateControlsHandler([](PowerToolEntry* entry) {
        if (entry && entry->plugInViewController()) entry->plugInViewController()->updateControls();
    });
    SetPowerToolLauncherUpdateButtonStatesHandler([this] { updateButtonStates(); });
}

PowerToolLauncherController::~PowerToolLauncherController() {
    SetPowerToolEntryUpdateControlsHandler(nullptr);
    SetPowerToolLauncherUpdateButtonStatesHandler(nullptr);
    // Through the live registry: an entry a row once showed may be gone already.
    for (const auto& entry : Dispatcher()->pluginList())
        if (std::find(ptEntryControllers_.begin(), ptEntryControllers_.end(), entry->plugInViewController()) !=
            ptEntryControllers_.end())
            entry->setPlugInViewController(nullptr);
}

void PowerToolLauncherController::awakeFromNib() {
    for (const auto& entry : Dispatcher()->pluginList()) {
        PowerToolEntryController* row = PowerToolEntryController::newPowerToolEntryControllerUsingEntry(entry.get());
        if (!row) continue;
        ptEntryControllers_.push_back(row);
        auto* item = new QListWidgetItem(ptEntryTableView);
        item->setSizeHint(row->sizeHint());
        ptEntryTableView->setItemWidget(item, row);
        row->highlightEntryText(false);
    }
    // The first row starts chosen, its text highlighted and the buttons set for it.
    if (ptEntryControllers_.empty()) return;
    ptEntryTableView->setCurrentRow(0);
    // The list may have made the first row current as it was added, before its colours were set.
    selectionChanged(-1, 0);
}

void PowerToolLauncherController::selectionChanged(int previousRow, int row) {
    if (previousRow >= 0 && previousRow < int(ptEntryControllers_.size()))
        ptEntryControllers_[size_t(previousRow)]->highlightEntryText(false);
    if (row >= 0 && row < int(ptEntryControllers_.size())) ptEntryControllers_[size_t(row)]->highlightEntryText(true);
    highlightedRow_ = row;
    updateButtonStates();
}

PowerToolEntry* PowerToolLauncherController::selectedEntry(bool alsoInRows) const {
    const int row = ptEntryTableView->currentRow();
    const auto& registry = Dispatcher()->pluginList();
    if (row < 0 || row >= int(registry.size())) return nullptr;
    if (alsoInRows && row >= int(ptEntryControllers_.size())) return nullptr;
    return registry[size_t(row)].get();
}

void PowerToolLauncherController::updateButtonStates() {
    const PowerToolEntry* entry = selectedEntry(false);
    if (!entry) return;
    launchButton->setEnabled(entry->plugInAvailable());
    closePowerToolButton->setEnabled(!entry->plugInAvailable() && entry->plugInID() != kPowerToolRorozErud);
}

void PowerToolLauncherController::launchButtonChanged() {
    PowerToolEntry* entry = selectedEntry(true);
    if (!entry) return;
    const std::string name = entry->plugInName();
    if (!Dispatcher()->launchPowerTool(entry)) {
        port::Alert alert;
        alert.message = WithName("Unable to launch %@", name);
        alert.informative = LocalizedString("Please make sure the PowerTool is installed correctly.");
        alert.buttons = {LocalizedString("OK")};
        port::alerts().beginSheet(alert, [](int) {});
        return;
    }
    done(1);
    hide();
    updateButtonStates();
    if (PowerToolEntryController* row = entry->plugInViewController()) row->updateControls();
    CloseVisiblePanelsAndSaveState();
    if (entry->plugInID() == kPowerToolRorozErud) LaunchRorozErud();
    else BeginPowerToolProgressSheet(name);
}

void PowerToolLauncherController::doubleClickLaunchPowerTool() {
    const PowerToolEntry* entry = selectedEntry(true);
    if (entry && entry->plugInAvailable()) launchButtonChanged();
}

void PowerToolLauncherController::cancelButtonChanged() { done(-1); }

void PowerToolLauncherController::closePowerToolButtonChanged() {
    PowerToolEntry* entry = selectedEntry(false);
    if (!entry) return;
    port::Alert alert;
    alert.message = WithName("Are you sure you want to close '%@'?", entry->plugInName());
    alert.informative = LocalizedString("You will lose all unsaved settings in this PowerTool if you choose to close it.");
    alert.buttons = {LocalizedString("Close PowerTool"), LocalizedString("Cancel")};
    if (port::alerts().runModal(alert) != 0) return;
    const QMDDocumentModel* owner = entry->plugInOwnerDocument();
    EndPowerToolProgressSheetForDocument(owner);
    Dispatcher()->forceQuitPowerToolOwnedByDocument(owner);
    RestoreAllVisiblePanels();
}

int PowerToolLauncherController::showModal() {
    PowerToolLauncherController* launcher = sharedPowerToolLauncherController();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        launcher->move(area.center() - launcher->rect().center());
    }
    const int code = PowerToolLauncherRunModal(launcher);
    launcher->hide();
    if (QMainWindow* window = AppController::exists() ? AppController::shared()->mainWindowController() : nullptr)
        window->update();
    return code;
}
