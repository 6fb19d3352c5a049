#include "port/qt/platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <deque>
#include <vector>

namespace port::qt {
namespace {

QString text(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

struct Box {
    QMessageBox* box;
    std::vector<QAbstractButton*> buttons;

    int chosen() const {
        const QAbstractButton* clicked = box->clickedButton();
        for (size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i] == clicked) return int(i);
        // Closed without a button: the last one, the least committing choice.
        return int(buttons.size()) - 1;
    }
};

Box makeBox(const Alert& alert, QWidget* parent) {
    Box b{new QMessageBox(parent), {}};
    QMessageBox* box = b.box;
    switch (alert.style) {
    case Alert::Style::Warning: box->setIcon(QMessageBox::Warning); break;
    case Alert::Style::Informational: box->setIcon(QMessageBox::Information); break;
    case Alert::Style::Critical: box->setIcon(QMessageBox::Critical); break;
    }
    box->setText(text(alert.message));
    if (!alert.informative.empty()) box->setInformativeText(text(alert.informative));
    std::vector<std::string> names = alert.buttons;
    if (names.empty()) names.push_back("OK");
    for (size_t i = 0; i < names.size(); ++i) {
        const QString name = text(names[i]);
        const bool cancel = name.compare(QStringLiteral("Cancel"), Qt::CaseInsensitive) == 0;
        const auto role = i == 0 ? QMessageBox::AcceptRole
                          : cancel ? QMessageBox::RejectRole
                                   : QMessageBox::ActionRole;
        QPushButton* button = box->addButton(name, role);
        if (i == 0) box->setDefaultButton(button);
        if (cancel) box->setEscapeButton(button);
        b.buttons.push_back(button);
    }
    return b;
}

std::function<QWidget*()> sSheetParentProvider;

struct HeldAlert {
    Alert alert;
    std::function<void(int)> onEnd;
    // Run modally: it shows application-modal, as it was run, only on the window.
    bool modal = false;
};
bool sHolding = false;
std::vector<HeldAlert> sHeld;

bool Holds(const Alert& alert) { return sHolding && alert.buttons.size() <= 1 && !QtAlerts::sheetParent(); }

void OpenSheet(const Alert& alert, QWidget* parent, std::function<void(int)> onEnd,
               Qt::WindowModality modality = Qt::WindowModal);

void ShowNextHeld() {
    if (sHeld.empty()) return;
    HeldAlert next = std::move(sHeld.front());
    sHeld.erase(sHeld.begin());
    std::function<void(int)> onEnd = [onEnd = std::move(next.onEnd)](int chosen) {
        if (onEnd) onEnd(chosen);
        ShowNextHeld();
    };
    if (QWidget* window = QtAlerts::sheetParent(); next.modal && window)
        OpenSheet(next.alert, window, std::move(onEnd), Qt::ApplicationModal);
    else
        alerts().beginSheet(next.alert, std::move(onEnd));
}

// Alert sheets waiting for the one open on their window to be answered, in the order begun.
struct WaitingSheet {
    Alert alert;
    std::function<void(int)> onEnd;
    QPointer<QWidget> parent;
};
std::deque<WaitingSheet> sWaiting;
const char* const kOpenSheet = "dvxAlertSheetOpen";

bool SheetOpenOn(const QWidget* parent) {
    for (const QMessageBox* box : parent->findChildren<QMessageBox*>(Qt::FindDirectChildrenOnly))
        if (box->property(kOpenSheet).toBool()) return true;
    return false;
}

// The next sheet waiting on the window, once none is open there; those of windows gone are
// dropped unanswered, as their open sheet was.
void ShowNextWaiting(QWidget* parent) {
    std::erase_if(sWaiting, [](const WaitingSheet& w) { return !w.parent; });
    if (!parent || SheetOpenOn(parent)) return;
    const auto next = std::find_if(sWaiting.begin(), sWaiting.end(),
                                   [parent](const WaitingSheet& w) { return w.parent == parent; });
    if (next == sWaiting.end()) return;
    WaitingSheet shown = std::move(*next);
    sWaiting.erase(next);
    OpenSheet(shown.alert, parent, std::move(shown.onEnd));
}

void OpenSheet(const Alert& alert, QWidget* parent, std::function<void(int)> onEnd, Qt::WindowModality modality) {
    Box b = makeBox(alert, parent);
    b.box->setWindowModality(modality);
    b.box->setProperty(kOpenSheet, true);
    QPointer<QWidget> window(parent);
    QObject::connect(b.box, &QDialog::finished, b.box, [b, window, onEnd = std::move(onEnd)] {
        if (!b.box->property(kOpenSheet).toBool()) return;
        b.box->setProperty(kOpenSheet, false);
        const int chosen = b.chosen();
        b.box->deleteLater();
        if (onEnd) onEnd(chosen);
        ShowNextWaiting(window);
    });
    // Deleted unanswered (its window closing): the next one on a window still there shows.
    QObject::connect(b.box, &QObject::destroyed, parent, [window] {
        if (window)
            QMetaObject::invokeMethod(window.data(), [window] { ShowNextWaiting(window); }, Qt::QueuedConnection);
    });
    // open() would make it window-modal.
    modality == Qt::WindowModal ? b.box->open() : b.box->show();
}

} // namespace

void QtAlerts::setSheetParentProvider(std::function<QWidget*()> provider) { sSheetParentProvider = std::move(provider); }

QWidget* QtAlerts::sheetParent() {
    if (QWidget* provided = sSheetParentProvider ? sSheetParentProvider() : nullptr)
        if (provided->isVisible()) return provided;
    if (auto* active = qobject_cast<QMainWindow*>(QApplication::activeWindow())) return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible()) return w;
    return nullptr;
}

void QtAlerts::holdUntilWindow(bool hold) {
    sHolding = hold;
    if (!hold) ShowNextHeld();
}

int QtAlerts::runModal(const Alert& alert) {
    if (Holds(alert)) {
        sHeld.push_back({alert, {}, true});
        return 0;
    }
    // On the window in use, or the document window when a panel that has just ended left none
    // active: the alert comes from it, and the keyboard goes back there.
    QWidget* active = QApplication::activeWindow();
    Box b = makeBox(alert, active ? active : sheetParent());
    b.box->exec();
    const int chosen = b.chosen();
    delete b.box;
    return chosen;
}

void QtAlerts::beginSheet(const Alert& alert, std::function<void(int)> onEnd) {
    if (Holds(alert)) {
        sHeld.push_back({alert, std::move(onEnd)});
        return;
    }
    QWidget* parent = sheetParent();
    if (!parent) {
        const int chosen = runModal(alert);
        if (onEnd) onEnd(chosen);
        return;
    }
    // A window shows one alert sheet at a time: the next waits until it is answered.
    if (SheetOpenOn(parent)) {
        sWaiting.push_back({alert, std::move(onEnd), parent});
        return;
    }
    OpenSheet(alert, parent, std::move(onEnd));
}

} // namespace port::qt
