#include "ui/inspector/inspector_pane.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QChildEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <string>

#include "app/core/dialog_fields.h"
#include "app/widgets.h"
#include "model/document_model.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/undo_keys.h"

namespace {

struct PaneClass {
    InspectorPaneRegistry::Factory factory;
    std::unique_ptr<InspectorPane> instance;
};

std::map<std::string, PaneClass>& Classes() {
    static std::map<std::string, PaneClass> classes;
    return classes;
}

// What every control of a pane does with the keyboard and the wheel, the controls a pane makes
// later included. A click leaves the keyboard with the plan, whose arrows, Delete and Tab a
// button, a check box or a list would keep until the plan is clicked again: only what takes
// typing takes the keyboard. The wheel scrolls the column rather than turning a pop-up, a spin
// box or a slider, whose turn would show a value its objects lack.
class PaneInput : public QObject {
public:
    static PaneInput& shared() {
        static PaneInput input;
        return input;
    }
    // Follows the view and whatever comes into it.
    void follow(QWidget* view) {
        view->installEventFilter(this);
        for (QWidget* w : view->findChildren<QWidget*>()) w->installEventFilter(this), keepKeyboardOff(w);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ChildAdded:
            // A control being made: its own focus policy is set by the time it is polished.
            if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType()) {
                child->installEventFilter(this);
                for (QWidget* w : child->findChildren<QWidget*>()) w->installEventFilter(this), keepKeyboardOff(w);
            }
            return false;
        case QEvent::Polish: keepKeyboardOff(static_cast<QWidget*>(watched)); return false;
        case QEvent::Wheel:
            if (!TurnedByTheWheel(watched) || !InThePane(static_cast<QWidget*>(watched))) return false;
            event->ignore();  // on to the column
            return true;
        default: return false;
        }
    }

private:
    static bool TakesTyping(const QWidget* w) {
        if (const auto* box = qobject_cast<const QComboBox*>(w)) return box->isEditable();
        return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
               qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
    }
    static bool TurnedByTheWheel(const QObject* o) {
        return qobject_cast<const QComboBox*>(o) || qobject_cast<const QAbstractSpinBox*>(o) ||
               (qobject_cast<const QAbstractSlider*>(o) && !qobject_cast<const QScrollBar*>(o));
    }
    // Not in a window of its own (a pop-up's list, which the keyboard still steps through).
    static bool InThePane(const QWidget* w) {
        for (; w; w = w->parentWidget()) {
            if (w->objectName() == QLatin1String("inspectorView")) return true;
            if (w->isWindow()) return false;
        }
        return false;
    }
    static void keepKeyboardOff(QWidget* w) {
        if (w->focusPolicy() != Qt::NoFocus && !TakesTyping(w) && InThePane(w)) w->setFocusPolicy(Qt::NoFocus);
    }
};

}  // namespace

TaggedPopUp::TaggedPopUp(const char* outlet, QWidget* parent) : QComboBox(parent) {
    setObjectName(QString::fromLatin1(outlet));
}

void TaggedPopUp::addItemWithTag(const QString& title, int tag) { addItem(title, tag); }

bool TaggedPopUp::selectItemWithTag(int tag) {
    const int index = findData(tag);
    setCurrentIndex(index);
    return index >= 0;
}

int TaggedPopUp::selectedTag() const { return currentIndex() < 0 ? -1 : currentData().toInt(); }

TagMatrix::TagMatrix(const char* outlet, QObject* parent) : QObject(parent), group_(new QButtonGroup(this)) {
    setObjectName(QString::fromLatin1(outlet));
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, &TagMatrix::cellChosen);
}

QAbstractButton* TagMatrix::addCellWithTag(const QString& title, int tag, QWidget* parent) {
    auto* cell = new QPushButton(title, parent);
    cell->setObjectName(objectName() + QString::number(group_->buttons().size()));
    cell->setCheckable(true);
    group_->addButton(cell, tag);
    return cell;
}

bool TagMatrix::selectCellWithTag(int tag) {
    if (QAbstractButton* cell = group_->button(tag)) {
        cell->setChecked(true);
        return true;
    }
    deselectAllCells();
    return false;
}

void TagMatrix::deselectAllCells() {
    QAbstractButton* chosen = group_->checkedButton();
    if (!chosen) return;
    group_->setExclusive(false);
    chosen->setChecked(false);
    group_->setExclusive(true);
}

void TagMatrix::mergeTag(int tag, bool first) {
    if (first) selectCellWithTag(tag);
    else if (selectedTag() != tag) deselectAllCells();
}

StyleTable::StyleTable(const char* outlet, QWidget* parent) : QListWidget(parent) {
    setObjectName(QString::fromLatin1(outlet));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(48, 48));
}

void StyleTable::addStyle(const QImage& image, const QString& title) {
    addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(image)), title));
}

void StyleTable::selectRow(int row) {
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    if (QListWidgetItem* it = item(row)) scrollToItem(it);
}

void StyleTable::deselectAll() {
    scrollToTop();
    clearSelection();
}

int StyleTable::selectedRow() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? -1 : row(chosen.first());
}

InspectorSlider::InspectorSlider(const char* outlet, int minimum, int maximum, QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
    setObjectName(QString::fromLatin1(outlet));
    setRange(minimum, maximum);
    setFocusPolicy(Qt::NoFocus);
}

void InspectorSlider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit released(value());
}

void InspectorSlider::wheelEvent(QWheelEvent* event) { event->ignore(); }

void InspectorSlider::keyPressEvent(QKeyEvent* event) { event->ignore(); }

InspectorPane::~InspectorPane() { delete view_.data(); }

QWidget* InspectorPane::inspectorView() {
    if (!view_) {
        view_ = new QWidget;
        view_->setObjectName(QStringLiteral("inspectorView"));
        PaneInput::shared().follow(view_);
        buildView(view_);
        view_->adjustSize();
    }
    return view_;
}

void InspectorPane::updateToolProperties() { fill(nullptr, true); }

void InspectorPane::updatePropertiesForObject(Objex* object, bool initialize) { fill(object, initialize); }

void InspectorPane::fill(Objex* object, bool initialize) {
    if (!CurrentDocState()) return;
    checkObjects_ = false;
    if (object) showObject(object, initialize);
    else showToolDefaults();
    showObjectOnlyControls(object != nullptr);
    checkObjects_ = true;
}

bool InspectorPane::mergeStyleRow(StyleTable* table, int* rowGlobal, int row, bool first) {
    if (first) {
        *rowGlobal = row;
        table->selectRow(row);
        return true;
    }
    if (row == *rowGlobal) return true;
    *rowGlobal = -1;
    table->deselectAll();
    return false;
}

void InspectorPane::controlTextDidEndEditing(QLineEdit*) {}

QMDTextField* InspectorPane::addTextField(const char* outlet, QWidget* parent) {
    auto* edit = new QMDTextField(parent);
    edit->setObjectName(QString::fromLatin1(outlet));
    fields_[edit] = std::make_unique<port::qt::LineEditField>(edit);
    // Return stores the entry as a step of the design, which Ctrl+Z then takes back.
    LeaveUndoKeysToTheWindow(edit);
    // Only what was typed is an entry: the end of editing also comes when the focus leaves a
    // field the pane rewrote (a refused entry shown refused, a value shown formatted), and that
    // text would be applied to whatever is selected then.
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        if (!edit->isModified()) return;
        controlTextDidEndEditing(edit);
        edit->setModified(false);
        if (const auto s = steppers_.find(edit); s != steppers_.end()) s->second->setValue(GetLongItem(field(edit)));
    });
    return edit;
}

port::TextField* InspectorPane::field(QLineEdit* edit) const {
    const auto it = fields_.find(edit);
    return it == fields_.end() ? nullptr : it->second.get();
}

Stepper* InspectorPane::addStepper(const char* outlet, QLineEdit* pair, int minimum, int maximum,
                                   std::function<void()> changed) {
    auto* stepper = new Stepper(outlet, minimum, maximum, pair->parentWidget());
    connect(stepper, &Stepper::valueChanged, this, [this, pair, changed = std::move(changed)](int value) {
        SetLongItem(field(pair), value);
        if (changed) changed();
    });
    steppers_[pair] = stepper;
    return stepper;
}

void InspectorPane::mergeInteger(QLineEdit* edit, int32_t value, bool initialize) {
    UpdatePropertiesLong(field(edit), value, initialize);
    const auto s = steppers_.find(edit);
    if (s == steppers_.end()) return;
    const bool blank = edit->text().isEmpty();
    s->second->setEnabled(!blank);
    if (!blank) s->second->setValue(value);
}

void InspectorPane::showObjectOnlyControls(bool shown) {
    for (QWidget* control : objectOnly_) control->setVisible(shown);
}

QCheckBox* InspectorPane::addCheckBox(const char* outlet, const QString& title, QWidget* parent) {
    auto* box = new QCheckBox(title, parent);
    box->setObjectName(QString::fromLatin1(outlet));
    box->setTristate(false);
    return box;
}

void InspectorPane::showCheck(QCheckBox* box, bool value, bool initialize) {
    const QSignalBlocker quiet(box);
    if (initialize) box->setChecked(value);
    else if (box->isChecked() != value) box->setChecked(false);
}

void InspectorPaneRegistry::registerPane(const char* className, Factory factory) {
    PaneClass& c = Classes()[className];
    c.factory = std::move(factory);
}

InspectorPane* InspectorPaneRegistry::sharedInspectorController(const char* className) {
    if (!className) return nullptr;
    const auto it = Classes().find(className);
    if (it == Classes().end() || !it->second.factory) return nullptr;
    PaneClass& c = it->second;
    if (!c.instance) {
        c.instance.reset(c.factory());
        if (c.instance) c.instance->inspectorView();
    }
    return c.instance.get();
}

InspectorPane* InspectorPaneRegistry::existing(const char* className) {
    const auto it = className ? Classes().find(className) : Classes().end();
    return it == Classes().end() ? nullptr : it->second.instance.get();
}

void InspectorPaneRegistry::destroyAll() { Classes().clear(); }
