#pragma once
// One mechanism for calls into a subsystem that registers itself later (a seam), and one list
// of the resets that put the program's globals back to their start-up state.
//
// A seam is declared where its owner's function will live, under the function's own name, so
// callers write `Update3DRoof(object)` whether a handler is registered or not:
//
//     DVX_SEAM(Update3DRoof, "tools", port::SeamKind::Temporary, void(Objex*))
//
// declares the callable `Update3DRoof` and `SetUpdate3DRoofHandler(handler)`. Without a handler
// the call does nothing and returns a value-initialised result; DVX_SEAM_WITH_DEFAULT gives a
// fallback instead. DVX_SEAM_GUARDED adds a guard: a call it refuses never reaches the handler
// and is answered as if none were registered (`port::NoNullPointer` refuses null pointer
// arguments, the usual case for seams that take an object). A `Temporary` seam stands for
// logic-library code: the issue that builds its owner deletes the declaration and defines the
// function itself. Seams to the user interface, the renderer and plug-ins stay.
//
// A file that owns globals registers one reset beside them:
//
//     static const port::GlobalReset kReset([] { gFoo = nullptr; gBar = 0; });
#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace port {

enum class SeamKind {
    Temporary,      // logic-library code not built yet; removed when its owner lands
    UserInterface,  // the Qt shell, inspectors, palettes, sheets
    Renderer,       // GL renderer and live view
    PlugIn,         // external plug-in tools
};

class SeamBase {
public:
    SeamBase(const char* name, const char* owner, SeamKind kind);
    SeamBase(const SeamBase&) = delete;
    SeamBase& operator=(const SeamBase&) = delete;
    virtual ~SeamBase() = default;

    const char* name() const { return name_; }
    const char* owner() const { return owner_; }
    SeamKind kind() const { return kind_; }
    virtual bool IsSet() const = 0;
    virtual void Reset() = 0;

private:
    const char* name_;
    const char* owner_;
    SeamKind kind_;
};

// Every seam of the process, in construction order.
const std::vector<SeamBase*>& AllSeams();
// Forgets every registered handler.
void ResetEverySeam();

template <class Signature>
class Seam;

// A guard that lets a call through only when none of its pointer arguments is null.
template <class... A>
bool NoNullPointer(const A&... args) {
    auto present = [](const auto& arg) {
        if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(arg)>>) return arg != nullptr;
        else return true;
    };
    return (present(args) && ...);
}

template <class R, class... Args>
class Seam<R(Args...)> final : public SeamBase {
public:
    using Handler = std::function<R(Args...)>;
    // Sees the arguments before the handler does; false sends the call to the fallback.
    using Guard = bool (*)(const std::remove_cvref_t<Args>&...);

    Seam(const char* name, const char* owner, SeamKind kind, Handler fallback = {}, Guard guard = nullptr)
        : SeamBase(name, owner, kind), fallback_(std::move(fallback)), guard_(guard) {}

    R operator()(Args... args) const {
        if (handler_ && (!guard_ || guard_(args...))) return handler_(std::forward<Args>(args)...);
        if (fallback_) return fallback_(std::forward<Args>(args)...);
        if constexpr (!std::is_void_v<R>) return R{};
    }

    void Set(Handler handler) { handler_ = std::move(handler); }
    bool IsSet() const override { return static_cast<bool>(handler_); }
    void Reset() override { handler_ = nullptr; }

private:
    Handler handler_;
    Handler fallback_;
    Guard guard_;
};

using ResetFunction = void (*)();

// Registers `reset` in the process-wide list of global resets (construct one at namespace scope).
class GlobalReset {
public:
    explicit GlobalReset(ResetFunction reset);
};

// Runs every registered global reset, in registration order.
void ResetEveryGlobal();
// How many global resets are registered.
std::size_t GlobalResetCount();

}  // namespace port

#define DVX_SEAM(Name, Owner, Kind, ...)                                                  \
    inline ::port::Seam<__VA_ARGS__> Name{#Name, Owner, Kind};                            \
    inline void Set##Name##Handler(::port::Seam<__VA_ARGS__>::Handler handler) {          \
        Name.Set(std::move(handler));                                                     \
    }

// Like DVX_SEAM, with `Fallback` called while no handler is registered.
#define DVX_SEAM_WITH_DEFAULT(Name, Owner, Kind, Fallback, ...)                           \
    inline ::port::Seam<__VA_ARGS__> Name{#Name, Owner, Kind, Fallback};                  \
    inline void Set##Name##Handler(::port::Seam<__VA_ARGS__>::Handler handler) {          \
        Name.Set(std::move(handler));                                                     \
    }

// Like DVX_SEAM_WITH_DEFAULT (`Fallback` may be nullptr), with calls refused by `Guard` answered
// by the fallback even while a handler is registered.
#define DVX_SEAM_GUARDED(Name, Owner, Kind, Guard, Fallback, ...)                         \
    inline ::port::Seam<__VA_ARGS__> Name{#Name, Owner, Kind, Fallback, Guard};           \
    inline void Set##Name##Handler(::port::Seam<__VA_ARGS__>::Handler handler) {          \
        Name.Set(std::move(handler));                                                     \
    }
