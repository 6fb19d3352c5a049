#pragma once
// The preferences window: one non-modal window with tabs editing the user defaults. Nothing
// is stored before OK; OK stores and has open documents, the live view and the content
// palettes take the new values up. Each opening refills the controls from the store.
#include <QColor>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QColorDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QTabWidget;
class RadioMatrix;

// A button showing a colour; a click opens the shared colour panel on it.
class ColorWell : public QPushButton {
    Q_OBJECT
public:
    ColorWell(const char* outlet, QWidget* parent);
    QColor color() const { return color_; }
    void setColor(const QColor& c);

private:
    QColor color_;
};

class PreferencesController : public QWidget {
    Q_OBJECT
public:
    // The one controller, made on first use; `forget` drops it (tests, quitting).
    static PreferencesController* shared();
    static void forget();

    // Refills the controls when the window is hidden, then shows it.
    void showWindow();

    void initializeControls();
    void loadField1ItemsAndSelect();
    void loadField2ItemsAndSelect();
    void loadField3ItemsAndSelect();
    void setFieldVisibility();
    void saveIntermediateValues();

    // The colour stored under the key; invalid for a null or missing key.
    static QColor colorForKey(const char* key);
    // The packed colour of the well; none for a null sender.
    static std::optional<int64_t> archivedColorForSender(const ColorWell* sender);

    void tabViewDidSelectTabViewItem(int index);
    void enableUndoButtonChanged();
    void resetColorsButtonChanged();
    void unitsPopUpButtonChanged();
    void field2PopUpButtonChanged();
    // OK has tag 1 and stores and applies; Cancel (0) only closes.
    void dismissWindow(int tag);

    // The shared colour panel, made on first use.
    static QColorDialog* colorPanel();

private:
    PreferencesController();
    void applyUndoSettings();

    int16_t measurementSystem = 3;
    int16_t angleFormat = 2;
    int16_t imperialFormat = 112;
    int16_t metricFormat = 1;
    QPushButton* resetColorsButton_;
    QTabWidget* prefTabView_;
    QCheckBox* enableUndoButton_;
    QCheckBox* showGeneralToolsButton_;
    QCheckBox* showSnapToolsButton_;
    QCheckBox* showPlanToolsButton_;
    QCheckBox* showInspectorPanelButton_;
    QCheckBox* showContentPanelButton_;
    QLineEdit* undoLevelsText_;
    std::array<ColorWell*, 16> wells_{};
    QCheckBox* forcePlanDefaultsButton_;
    RadioMatrix* readoutFormatMatrix_;
    QComboBox* unitsPopUpButton_;
    QComboBox* field1PopUpButton_;
    QComboBox* field2PopUpButton_;
    QComboBox* field3PopUpButton_;
    QLabel* field2Label_;
    QLabel* field3Label_;
    QLineEdit* searchResultsText_;
    QSlider* previewSizeSlider_;
};

// The undo levels typed in the field: its leading whole number held to 5..500 (none: 5).
int32_t ClampedUndoLevels(const QString& text);
