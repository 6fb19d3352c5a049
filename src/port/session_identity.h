#pragma once
// Who writes a file: the host, its current boot, and the process with its start time. A save
// puts this into the name of the temporary it writes beside a design, so that whoever finds
// one later, on this host or another sharing the folder, can tell whether its writer is gone.
#include <cstdint>
#include <string>

namespace port {

struct SessionIdentity {
    // The host's name (letters, digits and '_' only) with '_' and eight hex digits of a digest
    // of the machine's identity and its process-number space: two hosts of one name, or two
    // containers of one host, stay apart.
    std::string host;
    // Sixteen hex digits of the boot's identity; all zeros when it cannot be read.
    std::string boot;
    long pid = 0;
    // When the process started, in clock ticks since boot; 0 when unknown.
    uint64_t start = 0;
    bool operator==(const SessionIdentity&) const = default;
};

// This process's identity, worked out once (and again in a forked child).
const SessionIdentity& ThisSession();
// "host-boot-pid-start", and back: false for anything else.
std::string SessionTag(const SessionIdentity& session);
bool ParseSessionTag(const std::string& tag, SessionIdentity& session);
// True only when the session certainly runs no more: it is of this host and of an earlier
// boot, or of this boot with its process gone or another one started under its number. A
// session of another host, or one that cannot be judged, is never gone.
bool SessionGone(const SessionIdentity& session);

}  // namespace port
