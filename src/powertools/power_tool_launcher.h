#pragma once
// The PowerTool launcher: an application-modal window listing the registered tools, one row
// per entry (its picture, name, state and description), with Launch, Cancel and Close
// PowerTool. The rows are widgets in a list widget.
#include <QDialog>
#include <QWidget>
#include <vector>

#include "port/seam.h"

class PowerToolEntry;
class QLabel;
class QListWidget;
class QPushButton;

// One row: shows its entry and follows its lock.
class PowerToolEntryController : public QWidget {
    Q_OBJECT
public:
    // A row for `entry`, which then points back at it; null for a null entry.
    static PowerToolEntryController* newPowerToolEntryControllerUsingEntry(PowerToolEntry* entry);

    // "Running" or "Available", the name (or "Unknown"), the description and the picture.
    void updateControls();
    // White texts on the selection; otherwise black, the description grey.
    void highlightEntryText(bool highlight);
    PowerToolEntry* PTOwner() const { return owner_; }
    void setPTOwner(PowerToolEntry* entry) { owner_ = entry; }

    QLabel* ptImageView = nullptr;
    QLabel* ptNameText = nullptr;
    QLabel* ptStatusText = nullptr;
    QLabel* ptDescriptionText = nullptr;

private:
    PowerToolEntryController();
    PowerToolEntry* owner_ = nullptr;
};

class PowerToolLauncherController : public QDialog {
    Q_OBJECT
public:
    // The one launcher, made on first use with a row per entry registered then.
    static PowerToolLauncherController* sharedPowerToolLauncherController();
    // Forgets the launcher (tests, and the application's end).
    static void destroyShared();

    // Centred, run modally (through PowerToolLauncherRunModal), closed, then the main
    // document window is drawn again. The code the run ended with.
    static int showModal();

    const std::vector<PowerToolEntryController*>& ptEntryControllers() const { return ptEntryControllers_; }
    // Launch only for an available tool; Close only for a running one other than 109.
    void updateButtonStates();
    void launchButtonChanged();
    void doubleClickLaunchPowerTool();
    void cancelButtonChanged();
    void closePowerToolButtonChanged();

    QPushButton* launchButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* closePowerToolButton = nullptr;
    QListWidget* ptEntryTableView = nullptr;

private:
    PowerToolLauncherController();
    ~PowerToolLauncherController() override;
    void awakeFromNib();
    void selectionChanged(int previousRow, int row);
    // The selected row's entry when the row is in both the registry and the row list.
    PowerToolEntry* selectedEntry(bool alsoInRows) const;

    std::vector<PowerToolEntryController*> ptEntryControllers_;
    int highlightedRow_ = -1;
};

// Runs the launcher's window modally and answers the code it ended with; tests replace it.
DVX_SEAM_WITH_DEFAULT(PowerToolLauncherRunModal, "powertools", port::SeamKind::UserInterface,
                      [](PowerToolLauncherController* launcher) { return launcher->exec(); },
                      int(PowerToolLauncherController* launcher))
