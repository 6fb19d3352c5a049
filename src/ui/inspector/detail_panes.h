#pragma once
// The panes of the detail plan: three tool panes that only set the defaults the drafting tools
// give their next shape (draw method, fill pattern, line style and width, multigon sides, edit
// level, automatic dimensions), and the pane of selected detail shapes, which edits them,
// writes the same defaults and converts them into building or site objects.
#include <QImage>

#include <functional>

#include "ui/core/detail_pane_rules.h"
#include "ui/inspector/inspector_pane.h"

class QCheckBox;
class QFormLayout;
class QPushButton;

// The picture of a fill pattern item, drawn from the plan's own hatch tiles.
QImage DetailPatternImage(int16_t code);
// The 84 x 12 preview of a line style: a black line stroked with the plan's dashes.
QImage LineStylePreview(int16_t code);

// The fill, line style, line width, edit level and automatic dimension controls every detail
// pane shows; each pane answers them in its own way.
class DetailStylePane : public InspectorPane {
public:
    TaggedPopUp* patternPopUpButton = nullptr;
    TaggedPopUp* lineStylePopUpButton = nullptr;
    QLineEdit* lineWidthText = nullptr;
    Stepper* lineWidthStepper = nullptr;
    TagMatrix* editLevelButtons = nullptr;
    QCheckBox* displayDimsButton = nullptr;

protected:
    struct StyleActions {
        std::function<void()> pattern, lineStyle, lineWidth;
        std::function<void(int)> editLevel;
        std::function<void()> displayDims;
    };
    // Adds the controls in this order; the pattern and dimension controls only where their
    // action is given.
    void buildStyleRows(QFormLayout* form, QWidget* view, const StyleActions& actions);
};

// The controls the tool panes share; each pane builds those it has.
class DetailToolPane : public DetailStylePane {
    Q_OBJECT
public:
    void changePatternPopUpButton();
    void changeLineStylePopUpButton();
    void changeLineWidthStepper();
    void changeEditLevelButtons(int tag);
    void changeDisplayDimsButton();
    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    // Adds the controls in this order; `pattern` and `dims` only where the pane has them.
    void buildShared(QFormLayout* form, QWidget* view, bool pattern, bool dims);
    void showEditLevel();
    void showDisplayDims(bool enabled);
};

// Rectangle, oval, line, polygon, arc and curve.
class DetailTool1InspectorController : public DetailToolPane {
    Q_OBJECT
public:
    TaggedPopUp* drawMethodPopUpButton = nullptr;
    void changeDrawMethodPopUpButton();
    // The current tool's methods, its remembered one chosen; empty for another tool.
    void loadDrawMethodItemsAndSelect();
    // Kept for the life of the application, across tools and documents.
    DrawMethods methods;

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
};

// Multigon.
class DetailTool2InspectorController : public DetailToolPane {
    Q_OBJECT
public:
    QLineEdit* multigonSidesText = nullptr;
    Stepper* multigonSidesStepper = nullptr;
    void changeMultigonSidesStepper();
    void controlTextDidEndEditing(QLineEdit* field) override;

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
};

// Circular arc.
class DetailTool3InspectorController : public DetailToolPane {
    Q_OBJECT
protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
};

class DetailObjectInspectorController : public DetailStylePane {
    Q_OBJECT
public:
    TaggedPopUp* conversionPopUpButton = nullptr;
    QPushButton* adjustCurveButton = nullptr;
    QPushButton* straightenCurveButton = nullptr;

    void patternPopUpButtonChanged();
    void lineStylePopUpButtonChanged();
    void lineWidthStepperChanged();
    void editLevelButtonsChanged(int tag);
    void displayDimsButtonChanged();
    void conversionPopUpButtonChanged();
    void adjustCurveButtonChanged();
    void straightenCurveButtonChanged();
    void controlTextDidEndEditing(QLineEdit* field) override;
    // The conversions the selected detail shapes allow, the title item chosen.
    void populateConversionPopUpButton();

protected:
    void buildView(QWidget* view) override;
    void showObject(Objex* object, bool first) override;
};
