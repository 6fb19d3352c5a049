#pragma once
#include <QMainWindow>

class QAction;

// The document window. At this stage it is an empty window with the application menu.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    QAction* quitAction() const { return quitAction_; }

private:
    QAction* quitAction_ = nullptr;
};
