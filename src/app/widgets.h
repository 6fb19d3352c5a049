#pragma once
// Small widgets of the document window and its sheets: buttons that pop up a menu, the grid
// style preview, the elevation slider, an image view, the live view's auto-click marker, a
// text field with a length limit, a web address and two plain views.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "port/winrecords.h"

class QAction;

// Pops its menu up just below itself on a press, held down while the menu is open.
class ButtonWithMenu : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    void setPopUpMenu(QMenu* menu) { menu_ = menu; }
    QMenu* popUpMenu() const { return menu_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QMenu* menu_ = nullptr;  // not owned
};

// A toolbar button that sizes itself and its image by the toolbar's control size.
class ToolbarButtonWithMenu : public QPushButton {
    Q_OBJECT
public:
    ToolbarButtonWithMenu(QAction* item, QWidget* parent = nullptr) : QPushButton(parent), toolbarItem_(item) {}
    QAction* toolbarItem() const { return toolbarItem_; }
    QWidget* view() { return this; }
    // 0 regular (32 x 32), anything else small (24 x 24).
    void setControlSize(int size);

private:
    QAction* toolbarItem_;  // not owned
};

// The grid settings sheet's preview: lines (style 1) or dots (style 2) 10 apart in the
// design's grid colour on white.
class GridStyleView : public QWidget {
    Q_OBJECT
public:
    explicit GridStyleView(QWidget* parent = nullptr);
    int gridStyle() const { return gridStyle_; }
    void setGridStyle(int style) { gridStyle_ = style; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int gridStyle_;
};

// The elevation slider: its knob is hidden while no elevation applies; Control-click and a
// right click ask for its context menu (customContextMenuRequested) without moving it.
class ElevationSlider : public QSlider {
    Q_OBJECT
public:
    explicit ElevationSlider(QWidget* parent = nullptr);
    bool shouldDrawKnob() const { return shouldDrawKnob_; }
    void setShouldDrawKnob(bool draw);

signals:
    // The mouse let go of the slider (after a drag or a click on its track).
    void released();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool shouldDrawKnob_ = true;
};

// Shows one image scaled to the view over white (the live view prints through it).
class BaseImageView : public QWidget {
    Q_OBJECT
public:
    explicit BaseImageView(QWidget* parent = nullptr) : QWidget(parent) {}
    // The view at the frame with the image, scaled to the frame's size.
    BaseImageView(const QRect& frame, const QImage& image, QWidget* parent = nullptr);
    const QImage& viewImage() const { return viewImage_; }
    // Does not redisplay.
    void setViewImage(const QImage& image) { viewImage_ = image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage viewImage_;
};

// The plus the live view draws where an auto-click lands: white bars under a black cross.
class QMDAutoClickElement {
public:
    explicit QMDAutoClickElement(POINT at);
    void drawAutoClickElement(QPainter& painter) const;

private:
    QPainterPath crosshairPath_;
    QPainterPath highlightPath_;
};

// A line edit that refuses typing beyond its length (0 or a negative length: no limit).
class QMDTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit QMDTextField(QWidget* parent = nullptr);
    int fieldLength() const { return fieldLength_; }
    void setFieldLength(int length) { fieldLength_ = length < 0 ? 0 : length; }

private:
    int fieldLength_ = 0;
};

// A web address shown underlined; a click opens "http://" + the address (never when empty)
// through the opener, the desktop's browser unless a test set another.
class QMDURLTextField : public QLabel {
    Q_OBJECT
public:
    using Opener = std::function<void(const QUrl&)>;
    explicit QMDURLTextField(QWidget* parent = nullptr);
    void setVendorURL(const QString& url) { vendorURL_ = url; }
    const QString& vendorURL() const { return vendorURL_; }
    // Null puts the desktop's opener back.
    static void setOpener(Opener opener);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString vendorURL_;
};

// The inspector's pane holder.
class QMDInspectorView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// White with a grey frame.
class QMDContentView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};
