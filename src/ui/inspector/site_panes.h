#pragma once
// The panes of line-like site objects: railings, paths, edgings, fences, the gate tool and
// topography lines. Each edits the selected objects of its type on the current floor, or the
// defaults of its tool.
#include "ui/inspector/field_rows_pane.h"

class QCheckBox;
class QPushButton;

class RailInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    RailInspectorController();
    QCheckBox* includePostButton = nullptr;
    QPushButton* adjustCurveButton = nullptr;
    QPushButton* straightenCurveButton = nullptr;
    void includePostButtonChanged();

protected:
    void buildMore(QFormLayout* form, QWidget* view) override;
    void showObject(Objex* object, bool first) override;
};

class PathwayInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    PathwayInspectorController();
    TagMatrix* pathStyleButtons = nullptr;
    void pathStyleButtonsChanged(int tag);

protected:
    void buildMore(QFormLayout* form, QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
};

class EdgingInspectorController : public InspectorPane {
    Q_OBJECT
public:
    TagMatrix* edgingStyleButtons = nullptr;
    void edgingStyleButtonsChanged(int tag);

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
};

// The style pop-up and the five sizes of custom fences, which only custom fences take.
class FenceInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    FenceInspectorController();
    TaggedPopUp* stylePopUpButton = nullptr;
    void changeStylePopUpButton();

protected:
    void buildMore(QFormLayout* form, QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;

private:
    void enableSizes(bool on);
    // The style shown: the custom style has no item; -1 for fences of several styles.
    int32_t shownStyle_ = -1;
};

// The length of the gates the gate tool places; no object is edited.
class GateToolInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    GateToolInspectorController();
};

class TopoInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    TopoInspectorController();

protected:
    void entryEnded(const InspectorEditRow& row, EditResult result) override;
};
