#pragma once
#include <QMainWindow>

class QAction;
class QMDDocument;

// The document window. At this stage it shows no plan yet: its title follows the document,
// and the File menu saves, prints and quits.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QMDDocument* document = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;
    QAction* quitAction() const { return quitAction_; }
    QAction* saveAction() const { return saveAction_; }
    QAction* saveAsAction() const { return saveAsAction_; }
    QAction* printAction() const { return printAction_; }
    QMDDocument* document() const { return document_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMDDocument* document_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* printAction_ = nullptr;
};
