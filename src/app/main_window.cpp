#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

#include "app/app_controller.h"
#include "app/core/app_seams.h"
#include "app/document.h"
#include "model/document_model.h"

MainWindow::MainWindow(QMDDocument* document, QWidget* parent) : QMainWindow(parent), document_(document) {
    setWindowTitle(QStringLiteral("Untitled"));
    resize(900, 640);
    QMenu* file = menuBar()->addMenu(tr("&File"));
    saveAction_ = file->addAction(tr("Save"));
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAsAction_ = file->addAction(tr("Save As..."));
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    saveAction_->setEnabled(document_ != nullptr);
    saveAsAction_->setEnabled(document_ != nullptr);
    connect(saveAction_, &QAction::triggered, this, [this] {
        AppController::shared()->documentController()->saveDocument(document_);
    });
    connect(saveAsAction_, &QAction::triggered, this, [this] {
        AppController::shared()->documentController()->saveDocumentAs(document_);
    });
    file->addSeparator();
    printAction_ = file->addAction(tr("Print..."));
    printAction_->setShortcut(QKeySequence::Print);
    printAction_->setEnabled(document_ != nullptr);
    connect(printAction_, &QAction::triggered, this, [this] {
        if (document_) document_->printShowingPrintPanel(true);
    });
    file->addSeparator();
    quitAction_ = file->addAction(tr("&Quit"));
    quitAction_->setShortcut(QKeySequence::Quit);
    quitAction_->setMenuRole(QAction::QuitRole);
    connect(
        quitAction_, &QAction::triggered, this, [] { AppController::shared()->terminate(); },
        Qt::QueuedConnection);
    AppController::shared()->installMenuItems(this);
    if (document_) {
        document_->windowController = this;
        // Plain functions work on the model of the window in front.
        gCurDocument = document_->model();
        document_->setFileName(document_->fileName());
        // Quit asks the document window first, so unsaved changes are offered for saving.
        SetCloseDocumentWindowsHandler([this] { return close(); });
    }
}

MainWindow::~MainWindow() {
    if (document_) SetCloseDocumentWindowsHandler(nullptr);
    if (document_ && document_->windowController == this) document_->windowController = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (document_ && !document_->canCloseDocument()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
