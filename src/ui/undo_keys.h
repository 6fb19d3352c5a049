#pragma once
// Ctrl+Z and Ctrl+Shift+Z where a text field has the keyboard: the field takes back typing of
// its own not yet entered; otherwise the keys are the design's Undo and Redo, as anywhere else
// in its windows.
class QKeyEvent;
class QLineEdit;
class QWidget;

// Which of Undo (-1) and Redo (1) the key is; 0 for any other.
int UndoKeyDirection(const QKeyEvent* key);

// Whether the focus widget, a field of `window`, takes the key of that direction for its own
// typing: Undo while it holds typing not yet entered (Return or leaving the field enters it),
// Redo while it has typing it took back.
bool FieldTakesBackItsTyping(const QWidget* window, int direction);

// The field leaves the design's Undo and Redo to its window's menu items, which take their
// keys once the field no longer claims them.
void LeaveUndoKeysToTheWindow(QLineEdit* field);
