#include "app/screen_frames.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QEvent>
#include <QMoveEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMargins>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "app/x_server.h"
#include "port/defaults.h"

namespace {

// The decoration as the widget has it from Qt.
QMargins QtDecoration(const QWidget* w) {
    const QRect f = w->frameGeometry(), g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

class FrameKeeper;
// The keepers setting a frame now, oldest first, and the one asking where its window goes.
std::vector<FrameKeeper*> sKeepers;
FrameKeeper* sAsking = nullptr;
// Placements in the order they were asked: a window's last one is kept on it.
long sPlacements = 0;
constexpr const char* kPlacementAsked = "dvxPlacementAsked";

// The place being asked depends on what is read of another window's frame; `follow`: it is
// asked again as a placement of that window ends, even one asked later.
void NoteFrameRead(const QWidget* w, bool follow = false);
// A placement of the window asked after `order` is under way.
bool LaterPlacementUnderWay(const QWidget* w, long order);

// Whether the shown window's frame is still to come for a placement asked as `order`: a
// placement of it asked before is still under way, or a window manager is still to frame it
// (where X tells that one runs).
bool AwaitsFrame(const QWidget* w, long order);

// The window's decoration; before a window manager has framed it, the decoration it drew around
// a shown window of the same kind. Known beforehand, a frame set is the frame the window first
// shows with: the window is not shown at one first and moved to the other as it is framed
// (which a busy program may do long after).
QMargins ExpectedDecoration(const QWidget* w) {
    NoteFrameRead(w);
    const QMargins own = WindowDecoration(w);
    const QWindow* handle = w->windowHandle();
    if (!own.isNull() || (w->isVisible() && handle && handle->isExposed())) return own;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        const QWindow* h = other->windowHandle();
        if (other == w || !other->isVisible() || !h || !h->isExposed() || other->windowType() != w->windowType())
            continue;
        if (const QMargins m = WindowDecoration(other); !m.isNull()) return m;
    }
    return own;
}

QSize ClientSize(const QWidget* w, const QSize& frame) {
    const QMargins m = ExpectedDecoration(w);
    return QSize(frame.width() - m.left() - m.right(), frame.height() - m.top() - m.bottom())
        .expandedTo(w->minimumSize())
        .boundedTo(w->maximumSize());
}

// Sets the frame until the window shows with it: on each move, resize and expose until then.
// A window manager that will not take it is asked a few times only. A place read from other
// windows' frames is asked again as a window manager frames one of them (what was read before
// lacked the decoration), until every one is framed: a busy program hears of a framing late,
// and a place must not depend on when.
class FrameKeeper : public QObject {
public:
    FrameKeeper(QWidget* window, std::function<QRect()> place, bool resize,
                std::function<void(const QRect&)> settled)
        : QObject(window), window_(window), place_(std::move(place)), settled_(std::move(settled)), resize_(resize) {
        // The last frame asked for wins.
        for (QObject* child : window->children())
            if (auto* older = dynamic_cast<FrameKeeper*>(child); older && older != this) older->retire();
        sKeepers.push_back(this);
        window->setProperty(kPlacementAsked, qlonglong(order_));
        window->installEventFilter(this);
        watchHandle();
        settle();
    }
    ~FrameKeeper() override { forget(); }

    const QWidget* window() const { return window_; }
    // The frame being set, while it is (settled, the window shows at its frame).
    std::optional<QRect> target() const { return waiting_ ? std::nullopt : target_; }
    long order() const { return order_; }
    // Shown at its frame, it waits only for later placements of windows it follows: it is no
    // longer awaited, or two would wait for each other.
    bool followsOnly() const {
        return waiting_ && std::none_of(awaited_.begin(), awaited_.end(), [this](const QPointer<QWidget>& w) {
                   return w && AwaitsFrame(w, order_);
               });
    }

    // A window the place was read from may have its frame now.
    void recheck() {
        if (retired_) return;
        const auto framed = [this](const QPointer<QWidget>& w) { return !w || !awaits(w); };
        if (std::none_of(awaited_.begin(), awaited_.end(), framed)) return announce();
        std::erase_if(awaited_, framed);
        if (waiting_) {
            // Moved meanwhile by the user, it stays where the user put it.
            if (ShownFrame(window_) != shown_) return retire();
            waiting_ = false, tries_ = 0, checks_ = 0, announced_ = false;
        }
        settleSoon();
    }

    void dependOn(const QWidget* w, bool follow) {
        if (w == window_ || retired_) return;
        if (follow && std::find(followed_.begin(), followed_.end(), w) == followed_.end())
            followed_.emplace_back(const_cast<QWidget*>(w));
        if (std::find(read_.begin(), read_.end(), w) != read_.end()) return;
        auto* other = const_cast<QWidget*>(w);
        read_.emplace_back(other);
        other->installEventFilter(this);
        if (QWindow* h = other->windowHandle()) h->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ && watched != handle_) {
            readWindowChanged(watched, event->type());
            return false;
        }
        if (waiting_) return false;  // settled: the user may move it
        switch (event->type()) {
        case QEvent::Show:
            watchHandle();
            [[fallthrough]];
        case QEvent::Move:
        case QEvent::Resize:
            // After the events queued with this one: a framing comes as several.
            settleSoon();
            break;
        case QEvent::Expose:
            // Framed by now: settled at once, before anything else may set the frame.
            if (watched == handle_ && handle_->isExposed()) exposed_ = true, takeDecoration(), settle();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void watchHandle() {
        if (handle_ || !window_->windowHandle()) return;
        handle_ = window_->windowHandle();
        handle_->installEventFilter(this);
    }

    void settleSoon() {
        if (!pending_) pending_ = true, QTimer::singleShot(0, this, [this] { pending_ = false, settle(); });
    }

    // A window the place was read from: once one awaited has its frame, the place is asked
    // again, after the events queued with this one (its own keeper's among them).
    void readWindowChanged(QObject* watched, QEvent::Type type) {
        if (type == QEvent::Show && watched->isWidgetType())
            if (QWindow* h = static_cast<QWidget*>(watched)->windowHandle()) h->installEventFilter(this);
        if (type == QEvent::Expose || type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) recheck();
    }

    // A window framed where it stood gets no move, and its widget goes on without the
    // decoration its window now knows: a move where it stands hands that on.
    void takeDecoration() {
        if (handle_->frameMargins() == QtDecoration(window_)) return;
        QMoveEvent here(handle_->position(), handle_->position());
        QCoreApplication::sendEvent(handle_, &here);
    }

    void forget() {
        if (sAsking == this) sAsking = nullptr;
        sKeepers.erase(std::remove(sKeepers.begin(), sKeepers.end(), this), sKeepers.end());
    }

    void retire() {
        forget();
        retired_ = true;
        // Its placement done: those that read its frame and await it take it now.
        for (FrameKeeper* k : std::vector<FrameKeeper*>(sKeepers)) k->recheck();
        window_->removeEventFilter(this);
        if (handle_) handle_->removeEventFilter(this);
        for (const QPointer<QWidget>& w : read_) {
            if (!w) continue;
            w->removeEventFilter(this);
            if (QWindow* h = w->windowHandle()) h->removeEventFilter(this);
        }
        deleteLater();
    }

    void settle() {
        if (retired_ || waiting_) return;
        FrameKeeper* const outer = sAsking;
        sAsking = this;
        const QRect target = place_();
        sAsking = outer;
        target_ = target;
        const QMargins m = ExpectedDecoration(window_);
        const QPoint corner = target.topLeft() + QPoint(m.left(), m.top());
        const QSize size = ClientSize(window_, target.size());
        const bool moved = window_->geometry().topLeft() != corner, sized = resize_ && window_->size() != size;
        if (moved || sized) {
            if (++tries_ > kTries) return finish();
            // In one request: moved and sized apart, a window manager may show it half set.
            if (sized) window_->setGeometry(QRect(corner, size));
            else window_->move(corner - (window_->geometry().topLeft() - window_->frameGeometry().topLeft()));
        } else if (exposed_ || (handle_ && handle_->isExposed())) {
            // Qt takes the frame asked as the window's at once; X may not have it yet, or never
            // (a window manager busy framing it may drop the request): done once X shows it.
            const std::optional<QRect> onServer = FrameOnServer(handle_);
            if (!onServer || *onServer == ShownFrame(window_) || ++checks_ > kChecks) return finish();
            if (checks_ > 1) AskGeometryAgain(handle_, window_->geometry());
            QTimer::singleShot(kCheckMs, this, [this] { settle(); });
        }
    }

    bool awaits(const QWidget* w) const {
        return AwaitsFrame(w, order_) ||
               (std::find(followed_.begin(), followed_.end(), w) != followed_.end() && LaterPlacementUnderWay(w, order_));
    }

    // Shown with its frame: done, unless a window its place was read from is still to be framed.
    void finish() {
        awaited_.clear();
        for (const QPointer<QWidget>& w : read_)
            if (w && awaits(w)) awaited_.push_back(w);
        shown_ = ShownFrame(window_);
        if (settled_) settled_(shown_);
        if (awaited_.empty()) return retire();
        waiting_ = true, announced_ = false;
        announce();
    }

    // Once it only follows others, those awaiting it go on.
    void announce() {
        if (announced_ || !followsOnly()) return;
        announced_ = true;
        for (FrameKeeper* k : std::vector<FrameKeeper*>(sKeepers))
            if (k != this) k->recheck();
    }

    static constexpr int kTries = 6, kChecks = 20, kCheckMs = 100;
    const long order_ = ++sPlacements;
    QWidget* window_;
    QWindow* handle_ = nullptr;
    std::function<QRect()> place_;
    std::function<void(const QRect&)> settled_;
    bool resize_;
    std::optional<QRect> target_;
    // The windows the place was read from, those of them still to be framed, and the frame the
    // window showed with when it settled.
    std::vector<QPointer<QWidget>> read_, awaited_, followed_;
    QRect shown_;
    bool pending_ = false, exposed_ = false, retired_ = false, waiting_ = false, announced_ = false;
    int tries_ = 0, checks_ = 0;
};

void NoteFrameRead(const QWidget* w, bool follow) {
    if (sAsking) sAsking->dependOn(w, follow);
}

bool LaterPlacementUnderWay(const QWidget* w, long order) {
    return std::any_of(sKeepers.begin(), sKeepers.end(),
                       [w, order](const FrameKeeper* k) { return k->window() == w && k->order() > order; });
}

bool AwaitsFrame(const QWidget* w, long order) {
    if (!w->isVisible()) return false;
    // Only an earlier placement is awaited, and not one shown at its frame that waits only to
    // follow later ones: two never wait for each other.
    for (const FrameKeeper* k : sKeepers)
        if (k->window() == w && k->order() < order && !k->followsOnly()) return true;
    const QWindow* handle = w->windowHandle();
    return handle && !FrameExtents(handle) && WindowManagerRuns().value_or(false);
}

}  // namespace

namespace {

constexpr const char* kFloating = "dvxFloating";

// Keeps the floating windows over a window shown after them: once that window is on the screen
// (a window manager maps it later than the program shows it), they are raised again; and over a
// window raised again while shown (a window chosen again from its menu).
class FloatingKeeper : public QObject {
public:
    static void install() {
        static FloatingKeeper* keeper = nullptr;
        if (!keeper) keeper = new FloatingKeeper(), keeper->setParent(qApp), qApp->installEventFilter(keeper);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (Covers(w) && w->windowHandle()) shown_.push_back(w->windowHandle());
        } else if (event->type() == QEvent::ZOrderChange && watched->isWidgetType()) {
            if (auto* w = static_cast<QWidget*>(watched); w->isVisible() && Covers(w)) raiseSoon();
        } else if (event->type() == QEvent::Expose && watched->isWindowType()) {
            const auto at = std::find_if(shown_.begin(), shown_.end(), [watched](const QPointer<QWindow>& h) { return h.data() == watched; });
            if (at != shown_.end() && static_cast<QWindow*>(watched)->isExposed()) {
                shown_.erase(at);
                raiseSoon();
            }
        } else if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            if (QWindow* h = static_cast<QWidget*>(watched)->windowHandle())
                std::erase_if(shown_, [h](const QPointer<QWindow>& s) { return !s || s.data() == h; });
        }
        return false;
    }

private:
    void raiseSoon() {
        if (!posted_) posted_ = true, QTimer::singleShot(0, this, [this] { posted_ = false, RaiseFloatingWindows(); });
    }

    // A window of the program's own that may cover a floating one: not a floating one itself, a
    // pop-up, a tool tip or the splash, nor an alert or a sheet, which stay over them.
    static bool Covers(const QWidget* w) {
        if (!w->isWindow() || IsFloating(w)) return false;
        const Qt::WindowType type = w->windowType();
        if (type != Qt::Window && type != Qt::Tool && type != Qt::Dialog) return false;
        return !(qobject_cast<const QDialog*>(w) && w->windowModality() != Qt::NonModal);
    }

    std::vector<QPointer<QWindow>> shown_;
    bool posted_ = false;
};

}  // namespace

void MarkFloating(QWidget* window) {
    window->setProperty(kFloating, true);
    FloatingKeeper::install();
}

bool IsFloating(const QWidget* window) { return window->property(kFloating).toBool(); }

void RaiseFloatingWindows() {
    std::vector<QWidget*> dialogs;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        if (IsFloating(w)) w->raise();
        else if (qobject_cast<QDialog*>(w) && w->windowModality() != Qt::NonModal) dialogs.push_back(w);
    }
    // An alert on a sheet stays over the sheet: outer ones first.
    const auto depth = [](const QWidget* w) {
        int n = 0;
        for (; w; w = w->parentWidget()) ++n;
        return n;
    };
    std::stable_sort(dialogs.begin(), dialogs.end(), [&](QWidget* a, QWidget* b) { return depth(a) < depth(b); });
    for (QWidget* d : dialogs) d->raise();
    // A menu open stays over everything.
    if (QWidget* menu = QApplication::activePopupWidget()) menu->raise();
}

QMargins WindowDecoration(const QWidget* w) {
    if (const QWindow* handle = w->windowHandle(); handle && w->isVisible())
        if (const std::optional<QMargins> framed = FrameExtents(handle)) return *framed;
    return QtDecoration(w);
}

QRect ShownFrame(const QWidget* window) {
    // Shown and not framed yet, it will be as a window of its kind is.
    return window->geometry().marginsAdded(window->isVisible() ? ExpectedDecoration(window) : WindowDecoration(window));
}

QRect FrameWithin(const QRect& frame, const QRect& visible, const QSize& minimum) {
    QRect f = frame;
    if (f.width() > visible.width()) f.setWidth(std::max(visible.width(), minimum.width()));
    if (f.height() > visible.height()) f.setHeight(std::max(visible.height(), minimum.height()));
    // A frame still larger than the area keeps its top left corner (its title bar) in it.
    f.moveLeft(std::max(std::min(f.left(), visible.right() + 1 - f.width()), visible.left()));
    f.moveTop(std::max(std::min(f.top(), visible.bottom() + 1 - f.height()), visible.top()));
    return f;
}

QRect VisibleAreaUnder(const QRect& frame) {
    QScreen* best = nullptr;
    long most = 0;
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect common = s->geometry().intersected(frame);
        const long area = long(common.width()) * common.height();
        if (area > most) most = area, best = s;
    }
    if (!best) best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : frame;
}

void PlaceWindowFrame(QWidget* window, std::function<QRect()> place, bool resize,
                      std::function<void(const QRect&)> settled) {
    new FrameKeeper(window, std::move(place), resize, std::move(settled));
}

namespace {
constexpr const char* kFrameDue = "dvxFrameDue";
}  // namespace

FrameDue::FrameDue(QWidget* window) : window_(window) { window_->setProperty(kFrameDue, true); }
FrameDue::~FrameDue() { window_->setProperty(kFrameDue, QVariant()); }

namespace {

// Where a window stands, for another placed beside it or clear of it: where X has it once a window
// manager has framed it. Qt's place may lag: a window manager's notice of where the window stood,
// taken before the program's move reached X, can reach the widget after that move.
QRect FrameStanding(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    if (handle && window->isVisible() && FrameExtents(handle))
        if (const std::optional<QRect> onServer = FrameOnServer(handle)) return *onServer;
    return ShownFrame(window);
}

}  // namespace

std::optional<QRect> FrameToKeepClearOf(const QWidget* window) {
    if (window->property(kFrameDue).toBool()) return std::nullopt;
    // Placed after the one asking, even if done since: that placement keeps clear of this one
    // instead, so two never chase each other and neither depends on when the other ended.
    if (sAsking && window->property(kPlacementAsked).toLongLong() > sAsking->order()) return std::nullopt;
    NoteFrameRead(window);
    for (const FrameKeeper* k : sKeepers)
        if (k->window() == window && k->target()) return *k->target();
    return FrameStanding(window);
}

QRect FrameComing(const QWidget* window) {
    NoteFrameRead(window, true);
    for (const FrameKeeper* k : sKeepers)
        if (k->window() == window && k->target()) return *k->target();
    return FrameStanding(window);
}

void RestoreWindowFrame(QWidget* window, const QRect& saved, bool resize,
                        std::function<FramesKeptClear()> keptClear, std::function<void(const QRect&)> settled) {
    PlaceWindowFrame(
        window,
        [window, saved, resize, keptClear = std::move(keptClear)] {
            const QMargins m = ExpectedDecoration(window);
            const QRect frame = resize ? saved : FrameAt(window, saved.topLeft());
            const QSize least = resize ? window->minimumSize().grownBy(m) : frame.size();
            const QRect visible = VisibleAreaUnder(frame);
            const QRect within = FrameWithin(frame, visible, least);
            // A frame the screen holds stays where the user left it; one pulled in, from a larger
            // screen, is no place the user chose, and goes clear of the menu titles and of the
            // others, as a window the program places does.
            if (within == frame || !keptClear) return within;
            return FrameClearOf(within, keptClear(), visible);
        },
        resize, std::move(settled));
}

QRect FrameAt(const QWidget* window, const QPoint& topLeft) {
    QSize size = window->size();
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized) && window->sizeHint().isValid())
        size = window->sizeHint();
    return QRect(topLeft, size.grownBy(ExpectedDecoration(window)));
}

QPoint FirstCorner() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().topLeft() + QPoint(5, 0) : QPoint(5, 0);
}

QRect TitleAndMenuBar(const QMainWindow* window) {
    const QRect f = ShownFrame(window);
    int bottom = window->geometry().top() - 1;
    // Measured within the window, as its frame is: its place as X last told it may differ for a
    // moment from the frame the program reads (moved since, the widget not yet told), and the
    // row would then be cut or grown by the difference.
    if (const QWidget* menu = window->menuWidget(); menu && menu->isVisible())
        bottom = window->geometry().top() + menu->mapTo(window, QPoint(0, menu->height() - 1)).y();
    return QRect(f.left(), f.top(), f.width(), std::max(bottom - f.top() + 1, 0));
}

namespace {

long Overlap(const QRect& a, const std::vector<QRect>& rects) {
    long area = 0;
    for (const QRect& r : rects) {
        const QRect common = a.intersected(r);
        if (!common.isEmpty()) area += long(common.width()) * common.height();
    }
    return area;
}

}  // namespace

QRect FrameClearOf(const QRect& frame, const FramesKeptClear& clear, const QRect& visible) {
    constexpr int kGap = 5;
    const QRect start = FrameWithin(frame, visible, frame.size());
    const QSize size = start.size();
    std::vector<QRect> floating = clear.titles, rest = clear.windows;
    floating.insert(floating.end(), clear.palettes.begin(), clear.palettes.end());
    std::vector<QRect> everything = floating;
    everything.insert(everything.end(), rest.begin(), rest.end());
    std::vector<QRect> shown = clear.palettes;
    shown.insert(shown.end(), rest.begin(), rest.end());
    // Clear of everything, the nearest; else clear of the titles and the palettes, which float
    // over the rest, covering the least of the other windows; else clear of the titles, covering
    // the least of the windows shown. Ties go to the nearer place, then the higher, then the
    // one further left.
    struct Pass {
        const std::vector<QRect>* avoid;
        const std::vector<QRect>* least;
    };
    const std::vector<QRect> none;
    for (const Pass& pass : {Pass{&everything, &none}, Pass{&floating, &rest}, Pass{&clear.titles, &shown}}) {
        // The places worth trying across the whole area: where the frame starts, against each
        // edge of the area, 5 off each side of what it keeps clear of, and where it begins or
        // ends covering what it may cover (the least covered lies at one of these).
        std::vector<int> xs{start.left(), visible.left(), visible.right() + 1 - size.width()},
            ys{start.top(), visible.top(), visible.bottom() + 1 - size.height()};
        for (const std::vector<QRect>* rects : {pass.avoid, pass.least})
            for (const QRect& r : *rects) {
                xs.insert(xs.end(), {r.left() - kGap - size.width(), r.right() + 1 + kGap});
                ys.insert(ys.end(), {r.top() - kGap - size.height(), r.bottom() + 1 + kGap});
            }
        for (const QRect& r : *pass.least) {
            xs.insert(xs.end(), {r.left() - size.width(), r.left(), r.right() + 1 - size.width(), r.right() + 1});
            ys.insert(ys.end(), {r.top() - size.height(), r.top(), r.bottom() + 1 - size.height(), r.bottom() + 1});
        }
        const auto isClear = [&pass](const QRect& f) {
            return std::none_of(pass.avoid->begin(), pass.avoid->end(), [&f](const QRect& r) { return r.intersects(f); });
        };
        std::optional<std::tuple<long, long, int, int>> best;
        for (int y : ys) {
            for (int x : xs) {
                const QRect f(QPoint(x, y), size);
                if (!visible.contains(f) || !isClear(f)) continue;
                const std::tuple<long, long, int, int> score{
                    Overlap(f, *pass.least), std::labs(long(x) - start.left()) + std::labs(long(y) - start.top()), y, x};
                if (!best || score < *best) best = score;
            }
        }
        if (best) return QRect(QPoint(std::get<3>(*best), std::get<2>(*best)), size);
    }
    return start;
}

ChosenFrame::ChosenFrame(QWidget* window, std::string key, bool resize)
    : window_(window), key_(std::move(key)), resize_(resize) {}

void ChosenFrame::restore(std::function<FramesKeptClear()> keptClear) {
    int x, y, w, h;
    const std::string saved = port::defaults().getString(key_);
    const bool read = std::sscanf(saved.c_str(), "%d %d %d %d", &x, &y, &w, &h) == 4 && w > 0 && h > 0;
    const QRect frame = read ? QRect(x, y, w, h) : QRect();
    // A window never shown stands at Qt's first frame.
    const bool neverShown = frame == QRect(0, 0, 640, 480);
    usersSaved_ = read && !neverShown && !(first_ && frame.topLeft() == first_());
    restored_.reset(), saved_.reset();
    if (usersSaved_) {
        placed_.reset();
        // Saved, perhaps, on another screen (a larger one): kept where it can be reached. A
        // window not shown is placed again as it shows: that placement comes after those of
        // the windows shown meanwhile, and keeps clear of them.
        if (!window_->isVisible()) saved_ = frame;
        restoreSaved(frame, std::move(keptClear));
    } else if (first_ && window_->isVisible()) {
        place({});
    }
}

bool ChosenFrame::usersFrame() const {
    if (placed_) return ShownFrame(window_) != *placed_;
    return usersSaved_;
}

void ChosenFrame::restoreSaved(const QRect& frame, std::function<FramesKeptClear()> keptClear) {
    RestoreWindowFrame(window_, frame, resize_, std::move(keptClear), [this](const QRect& f) { restored_ = f; });
}

void ChosenFrame::beforeShow(const std::function<FramesKeptClear()>& keptClear) {
    shown_ = true;
    if (const std::optional<QRect> frame = std::exchange(saved_, std::nullopt)) return restoreSaved(*frame, keptClear);
    if (first_ && !usersFrame()) place(keptClear);
}

namespace {

QRect ProgramFrame(const QWidget* window, const QPoint& first, const std::function<FramesKeptClear()>& keptClear) {
    const QRect frame = FrameAt(window, first);
    return FrameClearOf(frame, keptClear ? keptClear() : FramesKeptClear{}, VisibleAreaUnder(frame));
}

}  // namespace

void ChosenFrame::place(std::function<FramesKeptClear()> keptClear) {
    placed_.reset();
    PlaceWindowFrame(
        window_,
        [window = window_, first = first_, keptClear = std::move(keptClear)] {
            return ProgramFrame(window, first(), keptClear);
        },
        false, [this](const QRect& frame) { placed_ = frame; });
}

void PlaceAtProgramsFrame(QWidget* window, std::function<FramesKeptClear()> keptClear, std::function<QPoint()> first) {
    PlaceWindowFrame(
        window,
        [window, keptClear = std::move(keptClear), first = std::move(first)] {
            return ProgramFrame(window, first(), keptClear);
        },
        false);
}

void ChosenFrame::save() {
    if (!usersFrame()) {
        port::defaults().remove(key_);
        return;
    }
    // The user's frame read but never shown stays as it was saved, and so does one the program
    // only pulled onto this screen.
    if (!shown_ && !placed_) return;
    const QRect f = ShownFrame(window_);
    if (restored_ && f == *restored_) return;
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d", f.x(), f.y(), f.width(), f.height());
    port::defaults().setString(key_, text);
}
