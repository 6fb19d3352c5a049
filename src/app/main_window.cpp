#include "app/main_window.h"

#include <QApplication>

#include "app/app_controller.h"
#include <QMenuBar>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Untitled"));
    resize(900, 640);
    QMenu* file = menuBar()->addMenu(tr("&File"));
    quitAction_ = file->addAction(tr("&Quit"));
    quitAction_->setShortcut(QKeySequence::Quit);
    quitAction_->setMenuRole(QAction::QuitRole);
    connect(
        quitAction_, &QAction::triggered, this, [] { AppController::shared()->terminate(); },
        Qt::QueuedConnection);
    AppController::shared()->installMenuItems(this);
}
