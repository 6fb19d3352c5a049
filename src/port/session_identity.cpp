#include "port/session_identity.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace port {
namespace {

constexpr size_t kHostNameLength = 32;
constexpr size_t kBootLength = 16;
const std::string kUnknownBoot(kBootLength, '0');

// A small file's text (a /proc entry or an identity file); empty when it cannot be read.
std::string ReadText(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    char buf[1024];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    ::close(fd);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

bool AllOf(const std::string& s, int (*kind)(int)) {
    for (const char c : s)
        if (!kind(static_cast<unsigned char>(c))) return false;
    return !s.empty();
}
int IsHostChar(int c) { return std::isalnum(c) || c == '_'; }
int IsDigit(int c) { return c >= '0' && c <= '9'; }
int IsLowerHex(int c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); }

uint64_t Digest(const std::string& text) {
    uint64_t h = 1469598103934665603ull;
    for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

std::string HostToken() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) name[0] = 0;
    std::string host;
    for (const char* c = name; *c && host.size() < kHostNameLength; ++c)
        host += IsHostChar(static_cast<unsigned char>(*c)) ? *c : '_';
    if (host.empty()) host = "host";
    std::string machine = ReadText("/etc/machine-id");
    if (machine.empty()) machine = ReadText("/var/lib/dbus/machine-id");
    // Without the machine's identity two hosts of one name cannot be told apart, nor this one
    // from itself before a restart: each boot then counts as a host of its own.
    if (machine.empty()) machine = ReadText("/proc/sys/kernel/random/boot_id");
    char space[256];
    const ssize_t n = ::readlink("/proc/self/ns/pid", space, sizeof space);
    if (n > 0) machine += "|" + std::string(space, static_cast<size_t>(n));
    char digest[16];
    std::snprintf(digest, sizeof digest, "%08x", static_cast<unsigned>(Digest(machine) & 0xffffffffu));
    return host + "_" + digest;
}

std::string BootToken() {
    std::string hex;
    for (const char c : ReadText("/proc/sys/kernel/random/boot_id"))
        if (std::isxdigit(static_cast<unsigned char>(c)) && hex.size() < kBootLength)
            hex += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return hex.size() == kBootLength ? hex : kUnknownBoot;
}

// The process's start in clock ticks since boot (the 22nd field of its stat); 0 when unknown.
uint64_t StartOf(long pid) {
    const std::string stat = ReadText(("/proc/" + std::to_string(pid) + "/stat").c_str());
    // The command name, in parentheses, may hold spaces: fields are counted after it.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    size_t at = close + 1;
    for (int field = 3; field <= 22; ++field) {
        while (at < stat.size() && stat[at] == ' ') ++at;
        const size_t end = stat.find(' ', at);
        if (field == 22) return std::strtoull(stat.substr(at, end - at).c_str(), nullptr, 10);
        if (end == std::string::npos) return 0;
        at = end;
    }
    return 0;
}

std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : s)
        if (c == separator) parts.emplace_back();
        else parts.back() += c;
    return parts;
}

}  // namespace

const SessionIdentity& ThisSession() {
    static SessionIdentity self;
    // Worked out again in a child process, which is a session of its own.
    if (self.pid != static_cast<long>(::getpid())) {
        self.host = HostToken();
        self.boot = BootToken();
        self.pid = static_cast<long>(::getpid());
        self.start = StartOf(self.pid);
    }
    return self;
}

std::string SessionTag(const SessionIdentity& session) {
    return session.host + "-" + session.boot + "-" + std::to_string(session.pid) + "-" + std::to_string(session.start);
}

bool ParseSessionTag(const std::string& tag, SessionIdentity& session) {
    const std::vector<std::string> parts = Split(tag, '-');
    if (parts.size() != 4) return false;
    const std::string &host = parts[0], &boot = parts[1], &pid = parts[2], &start = parts[3];
    if (!AllOf(host, IsHostChar) || host.size() > kHostNameLength + 9) return false;
    if (boot.size() != kBootLength || !AllOf(boot, IsLowerHex)) return false;
    if (pid.size() > 9 || start.size() > 20 || !AllOf(pid, IsDigit) || !AllOf(start, IsDigit)) return false;
    session.host = host, session.boot = boot;
    session.pid = std::strtol(pid.c_str(), nullptr, 10);
    session.start = std::strtoull(start.c_str(), nullptr, 10);
    return session.pid > 0;
}

bool SessionGone(const SessionIdentity& session) {
    const SessionIdentity& self = ThisSession();
    if (session.host != self.host || session.boot == kUnknownBoot || self.boot == kUnknownBoot) return false;
    if (session.boot != self.boot) return true;
    if (session.pid <= 0) return false;
    if (::kill(static_cast<pid_t>(session.pid), 0) != 0 && errno == ESRCH) return true;
    // Running under that number: the writer only when it started when the writer did.
    const uint64_t start = StartOf(session.pid);
    return session.start != 0 && start != 0 && start != session.start;
}

}  // namespace port
