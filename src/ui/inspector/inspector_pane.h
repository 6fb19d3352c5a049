#pragma once
// An inspector pane: one instance per pane class for the whole application, created on first
// use, owning a view built in code that the host places in the main window's inspector area.
// The host hands it the tool or the selected objects; its controls, named after their outlets,
// apply what the user does through the rows of ui/core/inspector_edits.
//
// A pane's view is never deleted by a window: the area gives it back (setParent(nullptr))
// before it goes, and the pane deletes its view when the pane itself goes.
#include <QButtonGroup>
#include <QComboBox>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <QSlider>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "port/qt/line_edit_field.h"

class QCheckBox;
class QLineEdit;
class QMDTextField;
class Stepper;
struct Objex;

// A pop-up whose items carry a tag (a code the model stores).
class TaggedPopUp : public QComboBox {
    Q_OBJECT
public:
    TaggedPopUp(const char* outlet, QWidget* parent);
    void addItemWithTag(const QString& title, int tag);
    // False, with nothing chosen, for a tag no item has.
    bool selectItemWithTag(int tag);
    int selectedTag() const;
};

// A matrix of radio cells, each carrying a tag. It may be left with no cell chosen (a mixed
// selection); a click on a cell reports its tag.
class TagMatrix : public QObject {
    Q_OBJECT
public:
    TagMatrix(const char* outlet, QObject* parent);
    // A checkable cell, named after the outlet and its index.
    QAbstractButton* addCellWithTag(const QString& title, int tag, QWidget* parent);
    // False, with no cell chosen, for a tag no cell has.
    bool selectCellWithTag(int tag);
    void deselectAllCells();
    int selectedTag() const { return group_->checkedId(); }
    QAbstractButton* cellWithTag(int tag) const { return group_->button(tag); }
    // Selects the tag (`first`), or leaves no cell chosen when it differs from the chosen one.
    void mergeTag(int tag, bool first);

signals:
    void cellChosen(int tag);

private:
    QButtonGroup* group_;
};

// The table of a pane's style pictures, one row a style. Choosing a row by hand or by code
// both report a change; a pane ignores those that come while it is being filled.
class StyleTable : public QListWidget {
    Q_OBJECT
public:
    StyleTable(const char* outlet, QWidget* parent);
    void addStyle(const QImage& image, const QString& title);
    void selectRow(int row);
    void deselectAll();
    int selectedRow() const;
};

// A slider that applies on release of the left button only and takes no keyboard focus nor
// wheel, so what its label shows and what the model holds never part.
class InspectorSlider : public QSlider {
    Q_OBJECT
public:
    InspectorSlider(const char* outlet, int minimum, int maximum, QWidget* parent);

signals:
    void released(int value);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class InspectorPane : public QObject {
    Q_OBJECT
public:
    ~InspectorPane() override;

    // Its view, built on first use (the nib's load).
    QWidget* inspectorView();

    // Fills the controls from the tool defaults (tool-only panes).
    virtual void updateToolProperties();
    // Shows (first) or merges an object; nil shows the tool defaults with the object-only
    // controls hidden. Nothing without a document; `checkObjects` is NO meanwhile.
    virtual void updatePropertiesForObject(Objex* object, bool initialize);
    // The one-argument form a few tools are given.
    virtual void updatePropertiesForObject(Objex* object) { updatePropertiesForObject(object, true); }
    // A field of the pane ended editing after the user typed into it (Return, or the focus
    // leaving).
    virtual void controlTextDidEndEditing(QLineEdit* field);

    // NO while the pane is being filled: its style table's changes are then ignored.
    bool checkObjects() const { return checkObjects_; }

protected:
    InspectorPane() = default;
    // Lays the controls out in the view.
    virtual void buildView(QWidget* view) = 0;
    // What a pane shows: every control from the settings record's defaults, or one object
    // (`first`: set every control; otherwise merge, blanking what differs).
    virtual void showToolDefaults() {}
    virtual void showObject(Objex* object, bool first) { (void)object, (void)first; }

    // The style row of the object in the pane family's row global: the first object selects
    // and shows it; a later one with another row leaves no row chosen (global -1, table at
    // its top). False when the rows differ, so style-bound controls can be disabled.
    static bool mergeStyleRow(StyleTable* table, int* rowGlobal, int row, bool first);

    // A text field whose end of editing reaches controlTextDidEndEditing when the user typed
    // into it (no validator or mask: refused input is the pane's to answer).
    QMDTextField* addTextField(const char* outlet, QWidget* parent);
    // The field as the dialog-field functions read and write it.
    port::TextField* field(QLineEdit* edit) const;
    // A stepper beside its text field: a step copies its value into the field and calls
    // `changed`; the field's end of editing copies what it then shows back into the stepper.
    Stepper* addStepper(const char* outlet, QLineEdit* pair, int minimum, int maximum, std::function<void()> changed);
    // Shows (first) or merges a whole number in a field; a blanked field disables its stepper.
    void mergeInteger(QLineEdit* edit, int32_t value, bool initialize);
    // Controls that only apply to objects: hidden while the tool's defaults are shown.
    void addObjectOnly(QWidget* control) { objectOnly_.push_back(control); }
    void showObjectOnlyControls(bool shown);
    // A two-state check box; `mixed` (objects disagree) shows it off.
    static QCheckBox* addCheckBox(const char* outlet, const QString& title, QWidget* parent);
    static void showCheck(QCheckBox* box, bool value, bool initialize);

    bool checkObjects_ = true;

private:
    friend class InspectorPaneRegistry;
    void fill(Objex* object, bool initialize);
    QPointer<QWidget> view_;
    std::map<QLineEdit*, std::unique_ptr<port::qt::LineEditField>> fields_;
    std::map<QLineEdit*, Stepper*> steppers_;
    std::vector<QWidget*> objectOnly_;
};

// The pane classes that exist, by class name, and their one instance each.
class InspectorPaneRegistry {
public:
    using Factory = std::function<InspectorPane*()>;
    static void registerPane(const char* className, Factory factory);
    // The instance, created (and its view built) on first call; null for a class not registered.
    static InspectorPane* sharedInspectorController(const char* className);
    // The instance if one was made.
    static InspectorPane* existing(const char* className);
    // Frees every instance and forgets every class.
    static void destroyAll();
};

// The pane classes built so far, registered at start-up.
void RegisterInspectorPanes();
