#pragma once
// The borderless start-up splash and the about window.
#include <QWidget>

// A transparent borderless window centred on the main screen's visible area, at the normal
// window level; only its picture shows.
class AppSplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit AppSplashScreen(QSize size);

protected:
    void paintEvent(class QPaintEvent* event) override;
};

class AboutWindowController : public QObject {
    Q_OBJECT
public:
    static AboutWindowController* shared();
    // True while an about window exists (it is dropped when closed).
    static bool exists();
    QWidget* window() const { return window_; }
    void showWindow();

private:
    AboutWindowController();
    ~AboutWindowController() override;
    QWidget* window_;
};
