#pragma once
// Puts a value back when the scope ends, however it ends (return, early return, exception).
// Temporary changes of settings and flags build on it so none of them outlives its use.
namespace dvx {

template <typename T>
class Restore {
public:
    explicit Restore(T& value) : value_(value), saved_(value) {}
    Restore(T& value, T now) : Restore(value) { value_ = now; }
    ~Restore() { value_ = saved_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

    const T& saved() const { return saved_; }

private:
    T& value_;
    T saved_;
};

}  // namespace dvx
