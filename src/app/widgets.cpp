#include "app/widgets.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <QValidator>

#include "model/docstate.h"
#include "model/document_model.h"
#include "port/seam.h"

namespace {

QColor Color(const RGBColor& c) { return QColor::fromRgbF(c.red / 65535.0f, c.green / 65535.0f, c.blue / 65535.0f); }

// Refuses an edit that leaves the field longer than its length.
class LengthValidator : public QValidator {
public:
    explicit LengthValidator(const QMDTextField* field) : QValidator(const_cast<QMDTextField*>(field)), field_(field) {}
    State validate(QString& input, int&) const override {
        const int limit = field_->fieldLength();
        return limit && input.size() > limit ? Invalid : Acceptable;
    }

private:
    const QMDTextField* field_;
};

}  // namespace

void ButtonWithMenu::mousePressEvent(QMouseEvent* event) {
    if (!menu_ || event->button() != Qt::LeftButton) {
        QPushButton::mousePressEvent(event);
        return;
    }
    setDown(true);
    connect(menu_, &QMenu::aboutToHide, this, [this] { setDown(false); }, Qt::UniqueConnection);
    menu_->popup(mapToGlobal(QPoint(0, height() + 2)));
}

void ButtonWithMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (!menu_) QPushButton::mouseReleaseEvent(event);
    else setDown(false);
}

void ToolbarButtonWithMenu::setControlSize(int size) {
    const QSize side = size == 0 ? QSize(32, 32) : QSize(24, 24);
    setFixedSize(side);
    setIconSize(side);
}

GridStyleView::GridStyleView(QWidget* parent) : QWidget(parent) {
    const DocState* ds = CurrentDocState();
    gridStyle_ = ds ? ds->gridStyle : 1;
}

void GridStyleView::paintEvent(QPaintEvent* event) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    const QRect r = event->rect();
    QPainter p(this);
    p.fillRect(r, Qt::white);
    p.setPen(QPen(Color(ds->gridColor), 0));
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath path;
    if (gridStyle_ == 1) {
        for (int y = 7; y <= r.height(); y += 10) path.moveTo(0, y), path.lineTo(r.width(), y);
        for (int x = 8; x <= r.width(); x += 10) path.moveTo(x, 0), path.lineTo(x, r.height());
    } else if (gridStyle_ == 2) {
        for (int x = 8; x <= r.width(); x += 10)
            for (int y = 7; y <= r.height(); y += 10) path.moveTo(x, y), path.lineTo(x + 0.5, y);
    }
    p.drawPath(path);
}

ElevationSlider::ElevationSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void ElevationSlider::setShouldDrawKnob(bool draw) {
    if (draw == shouldDrawKnob_) return;
    shouldDrawKnob_ = draw;
    update();
}

void ElevationSlider::paintEvent(QPaintEvent* event) {
    if (shouldDrawKnob_) {
        QSlider::paintEvent(event);
        return;
    }
    // The track alone: no knob, and no part of it marked as lying before one.
    QStylePainter p(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove;
    option.sliderPosition = option.sliderValue = option.minimum;
    p.drawComplexControl(QStyle::CC_Slider, option);
}

bool ElevationSlider::event(QEvent* event) {
    // The press asked already; the window system's context-menu event for it would ask again.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse) {
        event->accept();
        return true;
    }
    return QSlider::event(event);
}

void ElevationSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier))) {
        event->accept();
        emit customContextMenuRequested(event->position().toPoint());
        return;
    }
    QSlider::mousePressEvent(event);
}

void ElevationSlider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ControlModifier)) emit released();
}

BaseImageView::BaseImageView(const QRect& frame, const QImage& image, QWidget* parent)
    : QWidget(parent), viewImage_(image) {
    setGeometry(frame);
    if (!viewImage_.isNull() && viewImage_.size() != frame.size())
        viewImage_ = viewImage_.scaled(frame.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void BaseImageView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    if (viewImage_.isNull()) return;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(rect(), viewImage_, viewImage_.rect());
}

QMDAutoClickElement::QMDAutoClickElement(POINT at) {
    const qreal x = at.x, y = at.y;
    highlightPath_.setFillRule(Qt::WindingFill);
    highlightPath_.addRect(x - 1, y - 9, 3, 17);
    highlightPath_.addRect(x - 8, y - 2, 17, 3);
    crosshairPath_.moveTo(x, y - 7);
    crosshairPath_.lineTo(x, y + 7);
    crosshairPath_.moveTo(x - 7, y);
    crosshairPath_.lineTo(x + 7, y);
}

void QMDAutoClickElement::drawAutoClickElement(QPainter& painter) const {
    painter.save();
    painter.fillPath(highlightPath_, Qt::white);
    painter.strokePath(crosshairPath_, QPen(Qt::black, 1));
    painter.restore();
}

QMDTextField::QMDTextField(QWidget* parent) : QLineEdit(parent) { setValidator(new LengthValidator(this)); }

void QMDContentView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(Qt::gray, 1));
    p.drawRect(QRectF(0, 0, width() - 2, height() - 1));
}

namespace {
QMDURLTextField::Opener sURLOpener;
const port::GlobalReset kURLOpenerReset([] { sURLOpener = nullptr; });
}  // namespace

QMDURLTextField::QMDURLTextField(QWidget* parent) : QLabel(parent) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
}

void QMDURLTextField::setOpener(Opener opener) { sURLOpener = std::move(opener); }

void QMDURLTextField::mousePressEvent(QMouseEvent* event) {
    // Taken here, not passed on to the label.
    event->accept();
    if (vendorURL_.isEmpty()) return;
    const QUrl url(QStringLiteral("http://") + vendorURL_);
    if (sURLOpener)
        sURLOpener(url);
    else
        QDesktopServices::openUrl(url);
}
