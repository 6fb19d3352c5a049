#include "ui/undo_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Claims nothing of the design's keys for its field: the shortcut of the window's menu item
// takes them, and a key the item lets through (nothing to undo) reaches no field's history.
class UndoKeysLeft : public QObject {
public:
    explicit UndoKeysLeft(QLineEdit* field) : QObject(field), field_(field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool override = event->type() == QEvent::ShortcutOverride;
        if (watched != field_ || !(override || event->type() == QEvent::KeyPress)) return false;
        const int direction = UndoKeyDirection(static_cast<QKeyEvent*>(event));
        if (direction == 0 || FieldTakesBackItsTyping(field_->window(), direction)) return false;
        event->ignore();
        return true;
    }

private:
    QLineEdit* field_;
};

}  // namespace

int UndoKeyDirection(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Undo)) return -1;
    if (key->matches(QKeySequence::Redo)) return 1;
    return 0;
}

bool FieldTakesBackItsTyping(const QWidget* window, int direction) {
    const auto* field = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
    if (!field || field->window() != window || field->isReadOnly()) return false;
    return direction < 0 ? field->isModified() && field->isUndoAvailable() : field->isRedoAvailable();
}

void LeaveUndoKeysToTheWindow(QLineEdit* field) {
    if (field) new UndoKeysLeft(field);
}
