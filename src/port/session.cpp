#include "port/session.h"

#include <unistd.h>

namespace port {
namespace {
long sOverride = 0;
}

long LoginSessionID() { return sOverride != 0 ? sOverride : static_cast<long>(::getuid()); }
void SetLoginSessionID(long id) { sOverride = id; }

} // namespace port
