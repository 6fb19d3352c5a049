#pragma once
// The staircase pane (staircases and the staircase tools), the deck step pane (steps hung under
// decks, objects only), and the deck panes: the deck tools' defaults and selected decks with
// their selected segments and points.
#include "ui/inspector/inspector_pane.h"

class QPushButton;
struct InspectorEditRow;

class StairInspectorController : public InspectorPane {
    Q_OBJECT
public:
    QLineEdit* stairHeightText = nullptr;
    QLineEdit* stairWidthText = nullptr;
    QLineEdit* stepHeightText = nullptr;
    QLineEdit* stepDepthText = nullptr;
    QLineEdit* railHeightText = nullptr;
    QCheckBox* skirtWallsButton = nullptr;
    QCheckBox* openStepsButton = nullptr;
    QCheckBox* leftRailButton = nullptr;
    QCheckBox* rightRailButton = nullptr;
    QCheckBox* closedStringerButton = nullptr;
    QCheckBox* largeBaseButton = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
};

class DeckStepInspectorController : public InspectorPane {
    Q_OBJECT
public:
    QLineEdit* stepWidthText = nullptr;
    QLineEdit* stepHeightText = nullptr;
    QCheckBox* leftRailButton = nullptr;
    QCheckBox* rightRailButton = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    void buildView(QWidget* view) override;
    void showObject(Objex* object, bool first) override;
};

class DeckToolInspectorController : public InspectorPane {
    Q_OBJECT
public:
    QCheckBox* skirtingButton = nullptr;
    QLineEdit* deckHeightText = nullptr;
    QLineEdit* railHeightText = nullptr;
    QLineEdit* balusterSpacingText = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
};

class DeckObjectInspectorController : public InspectorPane {
    Q_OBJECT
public:
    QCheckBox* skirtingButton = nullptr;
    QCheckBox* displayDimsButton = nullptr;
    QCheckBox* includeRailsButton = nullptr;
    QCheckBox* includePostButton = nullptr;
    QCheckBox* openStepsButton = nullptr;
    QLineEdit* deckHeightText = nullptr;
    QLineEdit* railHeightText = nullptr;
    QLineEdit* balusterSpacingText = nullptr;
    QPushButton* insertStepsButton = nullptr;
    QPushButton* adjustCurveButton = nullptr;
    QPushButton* straightenCurveButton = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    void buildView(QWidget* view) override;
    void showObject(Objex* object, bool first) override;

private:
    // Whether a selected point or segment was shown since the first deck of this fill.
    bool pointShown_ = false;
    bool segmentShown_ = false;
};

// The row of a control of the staircase, deck step or deck object pane by outlet; null for none.
const InspectorEditRow* StairRow(const char* outlet);
const InspectorEditRow* DeckStepRow(const char* outlet);
const InspectorEditRow* DeckRow(const char* outlet);
