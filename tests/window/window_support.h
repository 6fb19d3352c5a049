#pragma once
// What the in-process window tests share: xdotool on the virtual X server, a document window
// of the test's own process, and its menu bar chosen with the server's mouse.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include <utility>

#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"

class QComboBox;
class QProcess;
class QWidget;
class QImage;
class QMDDocumentView;
class QMDWindowController;
class ContentPaletteController;
class LiveViewController;
class SheetDialog;
struct Objex;

// Runs xdotool with the arguments; its standard output, trimmed.
QString XDo(const QStringList& args);

// Mesa's GL driver is unloaded when the display closes, before the leak checker of a
// sanitizer build reports; its process-lifetime allocations would then have no module to be
// suppressed by. Keeping the loaded drivers in memory lets scripts/lsan.supp name them.
void KeepGLDriversLoaded();
// A window test program's main: the application, then every test (the GL drivers they loaded
// kept loaded), with the screenshot path from the first argument in `shot`. With `usage`, a
// missing path is refused (exit 2) with that line; without, `shot` keeps its default.
int RunWindowTests(int argc, char** argv, QString* shot, const char* usage = nullptr);
// The shown window with exactly this title: its id, or empty.
QString ShownWindow(const QString& title);
// The window's frame on the screen, by its id.
QRect WindowFrame(const QString& id);
// Moves the server's pointer onto the widget's point and clicks the button (1 left, 3 right).
void ClickAt(QWidget* w, QPoint at, int button = 1);
// Moves the server's pointer where none of the program's windows is; false when they cover the
// screen.
bool MovePointerOffWindows();
// Presses Shift with the server's keyboard, wherever the pointer is: true once the widget, or a
// widget in it, has it.
bool KeyReaches(QWidget* w);
// Whether a key typed now goes to the window (or a window inside it), as the X server holds its
// focus: its focus window, or under PointerRoot the window under the pointer. Under twm, what a
// user waits for before typing once the pointer has moved (twm moves the keyboard with it).
bool KeysGoTo(QWidget* window);
// Whether the X server shows the window where Qt has it and at its size: what the program last
// asked for has been taken (by a window manager too), so a click at a control lands on it.
bool StandsWhereQtHasIt(QWidget* window);
// Clicks the tool's cell as a user picks a tool: the edit palette's, or else the plan palette's,
// the plan's set (`plan`, or the first that holds the tool) shown first; true once it is the
// current tool.
bool ChooseToolCell(int16_t tool, int16_t plan = -1);
// Opens Window > PowerTools... with the server's mouse and, once the launcher is on the screen,
// notes its first row in `row` ("name|picture", or "name|status|picture" with `withStatus`),
// calls `shown`, clicks the row and then Launch; gives the launcher up after 20 s. False when
// the menu item could not be chosen or Launch was never clicked.
bool LaunchFirstPowerTool(QMDWindowController* w, QString* row, bool withStatus,
                          const std::function<void()>& shown = {});
// Chooses the pop-up's item of this title with the server's mouse: the pop-up clicked, the item
// clicked once its list is on the screen and follows the pointer; true once the list is gone
// and the item taken.
bool ChoosePopUpItem(QComboBox* box, const QString& title);
// twm on the test's own screen while this stands (`running` once it manages the screen): the
// keyboard follows the pointer, as with many Linux window managers; a new window is placed at
// random, since twm's interactive placement and moves grab the server (windows are moved by
// configure requests); a document window's title bar has its close box at the left end.
class TwmOnScreen {
public:
    // `more`: lines added to the twmrc (NoTitleFocus: twm gives no window the keyboard, which
    // goes to the window under the pointer).
    explicit TwmOnScreen(const QString& folder, const QByteArray& more = {});
    ~TwmOnScreen();
    bool running() const { return running_; }

private:
    QProcess* twm_;
    bool running_ = false;
};
// Presses the window's close box: twm's, with the server's mouse; where no window manager runs,
// the window system is asked to close the window as a window manager's close box asks it.
void PressCloseBox(QWidget* window);
// Leaves the keyboard to no window (PointerRoot), as a window manager whose keyboard follows
// the pointer does when the pointer rests on the bare desktop.
void LeaveKeyboardToNoWindow();
// The window manager's frame around the shown window (its parent on the X server), by its id.
QString WindowFrameId(QWidget* window);
// A window of another application while this stands: a client of the X server of its own (a
// connection apart from the program's), shown at `frame`'s place as a user's placing is kept.
// It sets no WM_HINTS, as xev does: twm gives it the keyboard only where it is left to the window
// under the pointer; with `takesInput` it asks for the keyboard as most applications do
// (xmessage), and twm gives it the keyboard as the pointer comes onto it.
class OtherApplicationWindow {
public:
    explicit OtherApplicationWindow(QRect frame, bool takesInput = false);
    ~OtherApplicationWindow();
    // The window system shows it (a window manager has framed and mapped it).
    bool shown() const;
    // Its id, for xdotool.
    QString id() const { return QString::number(window_); }
    // The keys it has received so far.
    int keysReceived();
    // Leaves the keyboard to the window under the pointer (PointerRoot), as any application may.
    void leaveKeyboardToPointer();

private:
    struct xcb_connection_t* c_ = nullptr;
    uint32_t window_ = 0;
    int keys_ = 0;
};
// The clipboard and the selection held by another application while this stands: a client of
// the X server of its own that answers every request for them from a thread, naming `targets`
// (X atom names: "UTF8_STRING", "image/png", ...) beside TARGETS and TIMESTAMP and giving each
// its bytes. With none it names no format of its own. Gone, it leaves both to no application.
class OtherApplicationClipboard {
public:
    using Targets = std::vector<std::pair<QByteArray, QByteArray>>;
    explicit OtherApplicationClipboard(Targets targets);
    ~OtherApplicationClipboard();
    // Whether X names it the owner of both.
    bool holds() const;

private:
    void serve();
    struct xcb_connection_t* c_ = nullptr;
    uint32_t window_ = 0;
    std::vector<std::pair<uint32_t, QByteArray>> targets_;
    std::thread serving_;
};
// Fresh globals, then the services a window test records: its own folders (named `folder`),
// alerts and undo names.
struct WindowTestServices {
    explicit WindowTestServices(const char* folder);
    dvxtest::TempFolders folders;
    dvxtest::RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
};
// A document window of this process on an untitled design; the caller has set the services.
QMDWindowController* OpenDocumentWindow();
// A document window of this process on a copy of the design file, made in the test's
// temporary folder (the repository's file stays as it is); null when it could not be read.
QMDWindowController* OpenDesignWindow(const std::string& design, WindowTestServices& services);
// Shows the window, waits until the server exposes it and gives it the keyboard; false when it
// never showed.
bool ShowFocused(QWidget* w);
// Opens the named menu of the bar with the server's mouse and clicks the action's item (the
// one with the tag, when not 0); `submenu` names a menu of that menu to go through first.
bool ChooseMenuItem(QMDWindowController* w, const char* menuName, const char* action, int tag = 0,
                    const char* submenu = nullptr);

// The mean of a pixel's three channels.
int PixelGrey(QRgb c);
// The first and last columns of the row that differ from the sky at its left end (by more than
// 6 grey levels): a wall's span in the live view; (-1, -1) when the row is all sky.
std::pair<int, int> SpanOffSky(const QImage& image, int row);
// Moves the server's pointer onto a point of the plan (plan view coordinates) and lets the
// view see it; never waits for the move, which would wait for ever onto the pointer's place.
void MovePointerToPlan(QMDDocumentView* view, QPoint at);
// A drag of the left button in the plan from `from` through the points, with the server's
// mouse; false when the view never took the press or never ended the gesture.
bool DragInPlan(QMDDocumentView* view, QPoint from, std::initializer_list<QPoint> through);

// Clicks the object's first point in the window's plan (zoom 1: plan units are pixels).
void ClickObject(QMDWindowController* w, const Objex* object, int button = 1);
// Clicks the named field of the pane in the window's inspector area, types the text over what
// it holds and presses Return; false when the field is missing or never took the keyboard.
bool TypeIntoPaneField(QMDWindowController* w, const char* outlet, const QString& text);

// The widget as the server shows it.
QImage OnScreen(QWidget* w);
// How often the widgets are resized or asked to lay out again while the test waits `ms`
// milliseconds: 0 once they have settled.
int ResizesWithin(std::initializer_list<QWidget*> widgets, int ms);
// The live view panel's picture as the screen shows it (its GL view inside its window).
QImage LiveViewOnScreen(const LiveViewController* c);
// The window's shown sheet, or null.
SheetDialog* ShownSheet(QWidget* window);
// Clicks the shown sheet's button with the server's mouse and waits until the sheet is gone.
bool PressSheetButton(QWidget* window, const char* button);
// Chooses the item of the palette's actions pull-down with the server's mouse.
bool ChoosePaletteAction(ContentPaletteController* p, const char* action);
// Find Plant by Name... from the palette's actions: the text typed into its sheet with the
// server's keyboard and Search clicked; true once the sheet is gone.
bool FindPlantByName(QMDWindowController* w, ContentPaletteController* p, const char* text);
// Drags with the server's mouse from one point of the screen to another, in steps, the first
// `firstStep` from the press (where the drag begins); a drag and drop runs its own loop, so the
// gesture goes on from timers inside it.
void DragOnScreen(QPoint from, QPoint to, QPoint firstStep = QPoint(10, 10));
