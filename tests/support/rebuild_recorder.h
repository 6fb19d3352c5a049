#pragma once
// The rebuild table as a recorder, for tests that link no builder (the model's, the readers'):
// which objects had their type's rebuild run and which the scene was asked to render again
// (again, whole or anew), in order. One at a time; the destructor empties what it registered.
#include <cstdint>
#include <initializer_list>
#include <vector>

struct Objex;

namespace dvxtest {

class RebuildRecorder {
public:
    // Records the rebuild of each type listed (object scope) and every render asked for.
    explicit RebuildRecorder(std::initializer_list<int16_t> types = {});
    ~RebuildRecorder();
    RebuildRecorder(const RebuildRecorder&) = delete;
    RebuildRecorder& operator=(const RebuildRecorder&) = delete;

    bool Rebuilt(const Objex* o) const;
    bool Rendered(const Objex* o) const;
    void Clear() { rebuilt.clear(), rendered.clear(); }

    std::vector<const Objex*> rebuilt;
    std::vector<const Objex*> rendered;

private:
    std::vector<int16_t> types_;
};

}  // namespace dvxtest
