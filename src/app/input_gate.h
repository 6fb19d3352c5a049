#pragma once
// The one gate between the user's input and what runs modally: a loop that owns the event
// stream from its press to its end (a plan gesture of any kind, the live view's walk and fly
// drag, the cut-away slider's drag), a render, a sheet. Qt would let the rest of the program
// act meanwhile; one application event filter sorts each press, key and shortcut that lands
// outside what runs and does what one table (`InputGate::kTable`) says. Nothing else filters
// the program's input for a loop, a render or a sheet. What else would change the design or
// the scene, or draw a frame, meanwhile (a plug-in tool's answer, the live view's step timer)
// comes through the same table. Where a key goes is one rule, whatever the window manager's
// focus rule: a modal dialog that ends gives the keyboard back to a window it held, a
// window the program closes to the window the user last worked in, as a loop's window gets it
// back after a press outside; a palette keeps only the keys its controls take.
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QKeyEvent;
class QTimer;
class QWidget;

// A loop the gate keeps the input for, from its press to its end.
class GateLoop {
public:
    virtual ~GateLoop() = default;
    // The receiver's events are the loop's own and reach it as usual (the plan view).
    virtual bool owns(const QObject* receiver) const = 0;
    // The loop reads key downs now: keys are its; otherwise they wait for its end.
    virtual bool readsKeys() const = 0;
    // A press outside the loop, taken from its control: a loop a press ends ends; another
    // goes on, and the press adds nothing to it.
    virtual void pressOutside() = 0;
    // A key pressed elsewhere while the loop reads keys: the loop reads it, or nothing does.
    virtual void key(QKeyEvent* event) = 0;
    // Events the loop follows wherever they land (a drag's moves and release); true: taken.
    virtual bool follow(QObject* receiver, QEvent* event) = 0;
    // The window that keeps the keyboard while the loop runs.
    virtual QWidget* loopWindow() const = 0;
    // Another application has the keyboard, found while the loop's window did not hold it (the
    // gate asks meanwhile): the loop ends as a deactivation the gate cannot hold ends it.
    virtual void keyboardTaken() = 0;
};

class InputGate : public QObject {
public:
    // What runs, innermost first: a render, an application-modal alert (one run modally, an
    // alert of the launch), a sheet of the live-view panel that runs alone, any other sheet,
    // the progress sheet of a running plug-in tool (which the tool's answer ends), a loop
    // reading keys, a loop taking none.
    enum class Runs : uint8_t { Nothing, KeyLoop, KeylessLoop, Render, Sheet, PanelSheet, ToolSheet, Alert };
    // What lands outside it: a press (its release and drag go with it), a key, Escape, a menu
    // command's shortcut, the wheel, the loop window's deactivation (the keyboard gone to
    // another of the program's windows, by a press or with the pointer, or left to no window
    // with the pointer on the bare desktop), a window's close (the
    // user's close box; during a render any close), and what a palette reaches beyond choosing
    // a tool or a snap mode (a sheet it opens, a change of the design); and what is no one's
    // input: a plug-in tool's answer over its channel, the tick of a timer that steps the design
    // or draws a frame (`markDesignTimer`), and the keyboard leaving a widget as the window
    // system moves it (a field then ends its editing); a pointer's other events (a context-menu
    // request, a tablet or touch, a drag over a window) and an object's deferred deletion.
    enum class Input : uint8_t {
        Press, Key, Escape, Shortcut, Wheel, Deactivation, ToolAnswer, Timer, FocusOut, OtherPointer, Deletion, Close,
        PaletteCommand
    };
    enum class Does : uint8_t {
        Acts,         // as if nothing ran
        EndsLoop,     // the loop's: handed to it as a press outside; the control runs nothing
        ToLoop,       // read by the loop, or by nothing
        Waits,        // held, and delivered in the order pressed once nothing holds it (a
                      // wheel's turn where it turned; a timer's tick comes at its next
                      // interval then: missed ticks merge)
        Interrupts,   // breaks the render off
        Dropped,      // nothing runs
        DesignHeld,   // dropped in a document window or the live-view panel; acts in a palette
        KeepsWindow,  // the loop's window is made active again and the loop goes on
    };
    struct Row {
        Runs runs;
        Input input;
        Does does;
    };
    static const Row kTable[];
    static Does decide(Runs runs, Input input);

    static InputGate& shared();
    // The gate if it was made and still stands (for what ends as the application goes).
    static InputGate* existing();

    // A loop begins, changes what it reads, ends. Keys that waited go on once it reads keys or
    // has ended, the wheel's turns once it has ended.
    void runLoop(GateLoop* loop);
    void endLoop(GateLoop* loop);
    // A render runs between these; `escape` hears each Escape.
    void beginRender(std::function<void()> escape);
    void endRender();
    // Forgets the keys and wheel turns waiting for a loop's or a render's end.
    void dropHeldInput() { heldInput_.clear(); }
    // A plug-in tool's answer: runs now, or, where its row says it waits, once nothing holds it,
    // after what is running has returned, in the order the answers came.
    void admit(Input input, std::function<void()> run);
    // The sheet runs alone: nothing outside it acts while it is up.
    static void runAlone(QWidget* sheet);
    // The window's presses and keys are the design's (the live-view panel; document windows
    // are so by their kind).
    static void markDesignWindow(QWidget* window);
    // The sheet stands while a plug-in tool runs; the tool's answer ends it.
    static void awaitsTool(QWidget* sheet);
    // The timer's ticks step the design or draw a frame: they are the table's `Timer`.
    static void markDesignTimer(QTimer* timer);
    // The window takes the keyboard only for a control that reads keys (a palette: its cells
    // leave the keyboard where it was).
    static void markKeyOnlyIfNeeded(QWidget* window);

    Runs runs() const;
    // No menu command runs now (a loop, a render or a sheet holds shortcuts back), nor while
    // the tracking engine tracks.
    static bool commandsHeld();
    // What a palette reaches beyond choosing a tool may run now: no sheet holds it.
    static bool paletteCommandsAct();
    // The loop's window lost the keyboard, and the loop goes on: to another of the program's
    // windows, by a press or not, the loop's window is made active again; to no application's
    // window (the keys going with the pointer to the bare desktop, a frame's border or a gap)
    // the program takes nothing, and the gate asks again while the loop runs, until the keyboard
    // is the program's again or another application's, which ends the loop
    // (`GateLoop::keyboardTaken`). False when another application has the keyboard (under
    // PointerRoot, its window under the pointer) or the window is hidden: the loop ends.
    bool keepsLoopWindow(const GateLoop* loop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputGate();
    // A key pressed, or the wheel turned (`wheel`, the event as it came to its window).
    struct HeldInput {
        QPointer<QObject> receiver;
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
        std::shared_ptr<QEvent> wheel;
    };
    bool mouse(QObject* watched, QEvent* event);
    bool windowClose(QObject* watched, QEvent* event);
    bool keyboard(QObject* watched, QEvent* event, Runs runs);
    bool keyboardDecides(QObject* watched, QEvent* event, Runs runs);
    bool apply(Does does, QObject* watched, QEvent* event);
    void deliverHeldInput();
    void deliverHeldInputLater();
    void deliverLater(bool& posted, void (InputGate::*deliver)());
    void deliverHeldCallsLater();
    void deliverHeldCalls();
    // Who has the keyboard, asked again while a loop runs and its window does not have it.
    void askWhoHasTheKeyboard();
    bool keyToItsReceiver(QObject* watched, QEvent* event);

    std::vector<GateLoop*> loops_;
    int renders_ = 0;
    std::function<void()> escape_;
    std::vector<QPointer<QObject>> heldDeletes_;
    std::vector<HeldInput> heldInput_;
    struct HeldCall {
        Input input;
        std::function<void()> run;
    };
    std::vector<HeldCall> heldCalls_;
    bool callsPosted_ = false;
    bool inputPosted_ = false;
    bool delivering_ = false;
    // The key the gate let through last and the widget it reached, which Qt may hand it on
    // to the parents of.
    const QEvent* passedKey_ = nullptr;
    QPointer<QWidget> passedTo_;
    // The window whose press the gate took, until its release.
    QPointer<QObject> takenWindow_;
    QTimer* keyboardAsked_ = nullptr;
    // The keyboard given back to a window as a dialog or a window went, until the user goes on.
    void keyboardBack(QObject* watched, QEvent* event);
    bool keyBeforeKeyboardBack(QObject* watched, QEvent* event);
    void giveKeyboardBackAgain();
    bool keyboardLeftToNoWindow() const;
    QPointer<QWidget> keyboardBack_;
    int keyboardBackTries_ = 0;
    // The keyboard given back was left to the pointer, not given to `keyboardBack_`.
    bool keyboardBackToPointer_ = false;
};
