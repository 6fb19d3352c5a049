#include "app/about_window.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/app_controller.h"
#include "app/screen_frames.h"

namespace {
AboutWindowController* sAbout = nullptr;

QRect VisibleFrame() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}
}  // namespace

AppSplashScreen::AppSplashScreen(QSize size) : QWidget(nullptr, Qt::FramelessWindowHint | Qt::SplashScreen) {
    setAttribute(Qt::WA_TranslucentBackground);
    const QRect v = VisibleFrame();
    setGeometry(v.x() + (v.width() - size.width()) / 2, v.y() + (v.height() - size.height()) / 2, size.width(),
                size.height());
}

void AppSplashScreen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 64, 136));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(rect(), 16, 16);
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(28);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Dovranix"));
}

AboutWindowController* AboutWindowController::shared() {
    if (!sAbout) sAbout = new AboutWindowController();
    return sAbout;
}

bool AboutWindowController::exists() { return sAbout != nullptr; }

AboutWindowController::AboutWindowController() : window_(new QWidget(nullptr, Qt::Window)) {
    window_->setWindowTitle(QObject::tr("About Dovranix"));
    window_->setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(window_);
    auto* name = new QLabel(QStringLiteral("<h2>Dovranix</h2><p>House and lot design.</p>"), window_);
    name->setAlignment(Qt::AlignCenter);
    column->addWidget(name);
    // Closed by one click: without a window manager no close box is drawn.
    auto* close = new QPushButton(QObject::tr("Close"), window_);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, window_, &QWidget::close);
    column->addWidget(close, 0, Qt::AlignRight);
    window_->resize(320, 180);
    // A closed window is dropped, so the next request loads it afresh.
    connect(window_, &QObject::destroyed, this, [this] {
        window_ = nullptr;
        if (sAbout == this) sAbout = nullptr;
        deleteLater();
    });
}

AboutWindowController::~AboutWindowController() {
    if (sAbout == this) sAbout = nullptr;
    if (window_) {
        disconnect(window_, nullptr, this, nullptr);
        delete window_;
    }
}

void AboutWindowController::showWindow() {
    // Centred across, high on the screen, where no palette covers it.
    if (!window_->isVisible())
        PlaceAtProgramsFrame(window_, AppController::framesKeptClearOf(window_), [w = window_] {
            const QRect v = VisibleFrame();
            return QPoint(v.x() + (v.width() - w->width()) / 2,
                          int(v.y() + v.height() - (v.height() - w->height()) / 1.2 - w->height()));
        });
    window_->show();
    window_->raise();
    window_->activateWindow();
}
