#pragma once
// The window and door panes: each shows its tool's defaults (no object) or the selected
// openings of the current floor's walls, and applies every accepted value to those openings
// and to the tool's defaults.
#include <QImage>
#include <QList>

#include "ui/core/inspector_edits.h"
#include "ui/core/opening_pane_rules.h"
#include "ui/inspector/inspector_pane.h"

class QLabel;
class QPushButton;

class WindowInspectorController : public InspectorPane {
    Q_OBJECT
public:
    WindowInspectorController();
    QList<QImage> windowStyleImageArray;
    QPushButton* flipHorizButton = nullptr;
    QPushButton* flipVertButton = nullptr;
    Stepper* horDivsStepper = nullptr;
    Stepper* verDivsStepper = nullptr;
    StyleTable* windowStyleTableView = nullptr;
    QLineEdit* windowWidthText = nullptr;
    QLineEdit* windowHeightText = nullptr;
    QLineEdit* windowElevationText = nullptr;
    QLineEdit* windowTrimText = nullptr;
    QLineEdit* horDivsText = nullptr;
    QLineEdit* verDivsText = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;
    void tableViewSelectionDidChange();

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;

private:
    void enableForCode(int16_t code, bool valuesOn);
    void dividersChanged(bool horizontal, int value);
};

class DoorInspectorController : public InspectorPane {
    Q_OBJECT
public:
    DoorInspectorController();
    float prevDoorSwingAngle = 0;
    QList<QImage> doorStyleImageArray;
    QPushButton* flipDoorButton = nullptr;
    StyleTable* doorStyleTableView = nullptr;
    QLineEdit* doorWidthText = nullptr;
    QLineEdit* doorHeightText = nullptr;
    QLineEdit* doorElevationText = nullptr;
    QLineEdit* doorTrimText = nullptr;
    QLabel* doorSwingLabel = nullptr;
    QLineEdit* doorSwingText = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;
    void tableViewSelectionDidChange();

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
};
