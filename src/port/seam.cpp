#include "port/seam.h"

namespace port {
namespace {
std::vector<SeamBase*>& SeamList() {
    static std::vector<SeamBase*> list;
    return list;
}
std::vector<ResetFunction>& ResetList() {
    static std::vector<ResetFunction> list;
    return list;
}
}  // namespace

SeamBase::SeamBase(const char* name, const char* owner, SeamKind kind)
    : name_(name), owner_(owner), kind_(kind) {
    SeamList().push_back(this);
}

const std::vector<SeamBase*>& AllSeams() { return SeamList(); }

void ResetEverySeam() {
    for (SeamBase* seam : SeamList()) seam->Reset();
}

GlobalReset::GlobalReset(ResetFunction reset) {
    if (reset) ResetList().push_back(reset);
}

void ResetEveryGlobal() {
    for (ResetFunction reset : ResetList()) reset();
}

std::size_t GlobalResetCount() { return ResetList().size(); }

}  // namespace port
