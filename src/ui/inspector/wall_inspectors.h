#pragma once
// The wall panes: the wall tools' defaults (WallToolInspectorController) and the selected walls
// with their selected segments (WallObjectInspectorController). Both lay out the same controls;
// the tool pane adds the curved wall's segment length, the object pane the dimension controls
// and the ceiling builder button.
#include <QImage>
#include <QList>

#include "ui/core/inspector_edits.h"
#include "ui/core/wall_pane_rules.h"
#include "ui/inspector/inspector_pane.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;

class WallPane : public InspectorPane {
    Q_OBJECT
public:
    QList<QImage> wallStyleImageArray;
    QCheckBox* autoFlooringButton = nullptr;
    QCheckBox* foundationButton = nullptr;
    QCheckBox* displayDimsButton = nullptr;
    QCheckBox* displayCalloutsButton = nullptr;
    Stepper* wallThicknessStepper = nullptr;
    StyleTable* wallStyleTableView = nullptr;
    QLabel* wallPitchALabel = nullptr;
    QLabel* wallPitchBLabel = nullptr;
    QLineEdit* wallHeightText = nullptr;
    QLineEdit* wallPitchAText = nullptr;
    QLineEdit* wallPitchBText = nullptr;
    QLineEdit* wallHeightCText = nullptr;
    QLineEdit* wallHeightDText = nullptr;
    QLineEdit* wallThicknessText = nullptr;
    QLineEdit* studSpacingText = nullptr;
    QLineEdit* floorDepthText = nullptr;
    QLineEdit* foundationWidthText = nullptr;

    int numberOfRowsInTableView() const { return int(wallStyleImageArray.size()); }

protected:
    WallPane();
    // The controls both panes share, in a column of the view.
    void buildWallControls(QWidget* view);
    void setPitchLabels();
    // Enables the height and pitch fields the style uses (the wall height field only when
    // `withHeight`).
    void applyStyleEnabling(int32_t style, bool withHeight);
    // Whether the typed value keeps the heights in order against those the other fields show.
    bool heightRuleHolds(QLineEdit* edited, float value) const;
    // The row of the field; null for a field the pane does not know.
    const InspectorEditRow* rowOf(QLineEdit* edit) const;
    // Reads the field; false (the default shown again) for text without a number or a value
    // outside the row's limits or the height rule.
    bool readAccepted(const InspectorEditRow& row, QLineEdit* edit, float* value);
    void showThickness(float inches);

    virtual void styleRowChosen(int row) = 0;
    virtual void thicknessStepped(int value) = 0;
    virtual void buttonChanged(QCheckBox* button) = 0;
};

class WallToolInspectorController : public WallPane {
    Q_OBJECT
public:
    QLineEdit* wallSegmentLengthText = nullptr;

    void updateToolProperties() override;
    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    void buildView(QWidget* view) override;
    void styleRowChosen(int row) override;
    void thicknessStepped(int value) override;
    void buttonChanged(QCheckBox* button) override;
};

class WallObjectInspectorController : public WallPane {
    Q_OBJECT
public:
    QCheckBox* flipDimensionsButton = nullptr;
    QPushButton* ceilingBuilderButton = nullptr;
    QButtonGroup* dimensionButtons = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
    void styleRowChosen(int row) override;
    void thicknessStepped(int value) override;
    void buttonChanged(QCheckBox* button) override;

private:
    void dimensionButtonsChanged(int tag);
    void flipDimensionsButtonChanged();
    void ceilingBuilderButtonChanged();
};

// The tags of the dimension matrix cells, in cell order.
inline constexpr int16_t kWallDimensionTags[] = {0, 1, 2};
