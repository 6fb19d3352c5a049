#pragma once
// The electrical tools' style panes, the bath fixture panes and the wall dimension pane. The
// style panes only set what the next receptacle or switch placed will be; bath tubs, spa tubs,
// showers and wall dimensions hang under their walls and are edited there.
#include "ui/inspector/field_rows_pane.h"

struct DocState;

// A pop-up of the styles one electrical tool places, held in the settings record.
class ElectricalStylePane : public InspectorPane {
    Q_OBJECT
public:
    TaggedPopUp* stylePopUp() const { return popUp_; }

protected:
    struct Item {
        const char* title;
        int tag;
    };
    ElectricalStylePane(const char* outlet, int32_t DocState::*style, std::vector<Item> items)
        : outlet_(outlet), style_(style), items_(std::move(items)) {}
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    // No step and no redraw: only the tool's default changes.
    void styleChanged();

private:
    const char* outlet_;
    int32_t DocState::*style_;
    std::vector<Item> items_;
    TaggedPopUp* popUp_ = nullptr;
};

class Recept1InspectorController : public ElectricalStylePane {
    Q_OBJECT
public:
    Recept1InspectorController();
    void receptStylePopUpButtonChanged() { styleChanged(); }
};

class Recept2InspectorController : public ElectricalStylePane {
    Q_OBJECT
public:
    Recept2InspectorController();
    void receptStylePopUpButtonChanged() { styleChanged(); }
};

class Switch1InspectorController : public ElectricalStylePane {
    Q_OBJECT
public:
    Switch1InspectorController();
    void switchStylePopUpButtonChanged() { styleChanged(); }
};

class Switch2InspectorController : public ElectricalStylePane {
    Q_OBJECT
public:
    Switch2InspectorController();
    void switchStylePopUpButtonChanged() { styleChanged(); }
};

class BathTubInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    BathTubInspectorController();
};

class SpaTubInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    SpaTubInspectorController();
};

class ShowerInspectorController : public FieldRowsPane {
    Q_OBJECT
public:
    ShowerInspectorController();
};

class WallDimInspectorController : public InspectorPane {
    Q_OBJECT
public:
    TagMatrix* dimensionFromButtons = nullptr;
    void dimensionFromButtonsChanged(int tag);

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
};
