#pragma once
// The panes of flat and foundation objects: floors with their cut-outs, stiffener beams,
// foundation piers and HVAC ducts. Beams, piers and ducts are sizes only: nothing is rebuilt.
#include "ui/inspector/field_rows_pane.h"

class QCheckBox;
class QLabel;
class QPushButton;

class FloorInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    FloorInspectorController();
    QCheckBox* displayDimsButton = nullptr;
    QPushButton* straightenCurveButton = nullptr;
    QPushButton* adjustCurveButton = nullptr;
    QLabel* objectTypeLabel = nullptr;
    void displayDimsButtonChanged();

protected:
    void buildMore(QFormLayout* form, QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
};

class StiffenerBeamInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    StiffenerBeamInspectorController();
};

class FoundationPierInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    FoundationPierInspectorController();
};

class AirDuctInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    AirDuctInspectorController();
};
