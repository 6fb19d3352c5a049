#pragma once
// The sheets: window-modal dialogs on the window the command layer was given, made by their
// class's opener, filled from the design, closed by their OK (tag 1) or Cancel button through
// `dismissSheet`, which applies on OK, and freed on closing. A sheet changes the design only
// on OK; closing it any other way (Escape, the window asking for its place) is a Cancel.
// Controls are named after their outlets (`angleText`), the dialog after its role
// ("CompassSheet").
#include <QDialog>
#include <QWidget>

#include "app/command_router.h"

class QAbstractButton;
class QButtonGroup;
class QFormLayout;
class QLabel;
class QLineEdit;
class QToolButton;

// A column of radio buttons whose ids are their tags.
class RadioMatrix : public QWidget {
    Q_OBJECT
public:
    RadioMatrix(const char* outlet, const QStringList& titles, QWidget* parent);
    // Cells tagged by `tags` in order instead of 0, 1, ...; the first is chosen.
    RadioMatrix(const char* outlet, const QStringList& titles, const QList<int>& tags, QWidget* parent);
    int selectedTag() const;
    void selectTag(int tag);
    // No cell chosen (an inspector showing objects that disagree); no signal.
    void deselectAllCells();
    QAbstractButton* cell(int tag) const;

signals:
    // Another tag was chosen.
    void changed(int tag);

private:
    QButtonGroup* group_;
};

// Up and down arrows stepping a whole number within bounds.
class Stepper : public QWidget {
    Q_OBJECT
public:
    Stepper(const char* outlet, int minimum, int maximum, QWidget* parent);
    int value() const { return value_; }
    // Held to the bounds; no signal.
    void setValue(int value);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void valueChanged(int value);

private:
    void step(int by);
    int minimum_, maximum_, value_;
    QToolButton* up_;
    QToolButton* down_;
};

class SheetDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the sheet on the window, with the opener's further arguments handed to the sheet
    // before its controls are filled. Nothing without a window, nor while the window has a
    // sheet up (a palette, being a window of its own, can still ask).
    template <class Sheet, class... Args>
    static Sheet* begin(CommandWindow* parent, Args... args) {
        QWidget* window = FromCommandWindow(parent);
        if (!window || hasSheetUp(window)) return nullptr;
        auto* sheet = new Sheet(window, args...);
        static_cast<SheetDialog*>(sheet)->awakeFromNib();
        static_cast<SheetDialog*>(sheet)->takeTyping();
        sheet->open();
        return sheet;
    }

    // OK (tag 1) closes the sheet and applies what it shows; any other tag only closes it.
    virtual void dismissSheet(QObject* sender);

    // The tag of OK.
    static constexpr int kOK = 1;
    static int tagOf(const QObject* sender);
    static bool hasSheetUp(const QWidget* window);

protected:
    // The sheet of the role: "Compass" makes "CompassSheet", titled `title`.
    SheetDialog(QWidget* parent, const char* role, const QString& title);

    virtual void awakeFromNib() { initializeControlStates(); }
    // Copies the design's current values into the controls.
    virtual void initializeControlStates() = 0;
    // What OK does once the sheet has closed.
    virtual void applyValues() {}

    // Closes the sheet; it is freed once control returns to the event loop.
    void endSheet();

    // A row of the sheet's form: a labelled text field, or any control.
    QLineEdit* addField(const char* outlet, const QString& label);
    void addRow(const QString& label, QWidget* control);
    // The OK and Cancel buttons under the form (OK the default); call once, last.
    void addButtons();
    QFormLayout* form() const { return form_; }
    static QLabel* label(const char* outlet, const QString& text, QWidget* parent);
    // The localised text of the key, as the sheet shows it.
    static QString localized(const char* key);

    // The field as the dialog-field functions read and write it: lengths in inches, angles
    // in degrees.
    static float lengthOf(QLineEdit* field);
    static void showLength(QLineEdit* field, float inches);
    static float angleOf(QLineEdit* field, bool decimalOnly);
    static void showAngle(QLineEdit* field, float degrees, bool noMark);
    static int32_t wholeNumberOf(QLineEdit* field);
    // The number the text starts with, 0 when none.
    static float floatValueOf(QLineEdit* field);

private:
    // What has the keyboard as the sheet opens: the first field or text box of the form that
    // takes typing (enabled, shown, editable); null leaves the choice to the window.
    QWidget* initialFirstResponder() const;
    // Gives the first responder the keyboard, a field's text selected so that what is typed
    // replaces the value shown. Once the controls are filled.
    void takeTyping();

    QFormLayout* form_;
};
