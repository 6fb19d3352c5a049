#pragma once
// Recorders for the seams of later subsystems: each installs handlers that log every call
// and puts the harmless defaults back when it goes away.
#include <string>
#include <vector>

#include "model/types.h"

struct Objex;

namespace dvxtest {

// The 3D rebuilds (tools and elements) and the scene's render calls.
class RebuildRecorder {
public:
    struct Call {
        std::string name;  // the seam's function name, e.g. "Update3DRoof"
        Objex* object = nullptr;
    };
    RebuildRecorder();
    ~RebuildRecorder();
    RebuildRecorder(const RebuildRecorder&) = delete;
    RebuildRecorder& operator=(const RebuildRecorder&) = delete;

    int count(const std::string& name) const;
    int count(const std::string& name, const Objex* object) const;
    // Names of the calls made for the object, in order.
    std::vector<std::string> callsFor(const Objex* object) const;

    std::vector<Call> calls;
};

// The attachments whose 3D frame was asked to be rebuilt, in call order.
class FrameRecorder {
public:
    FrameRecorder();
    ~FrameRecorder();
    FrameRecorder(const FrameRecorder&) = delete;
    FrameRecorder& operator=(const FrameRecorder&) = delete;

    int count(const Objex* attachment) const;

    std::vector<Objex*> built;
};

// The live view's status calls, each as one line ("start", "status:<text>", "reset").
class LiveViewRecorder {
public:
    LiveViewRecorder();
    ~LiveViewRecorder();
    LiveViewRecorder(const LiveViewRecorder&) = delete;
    LiveViewRecorder& operator=(const LiveViewRecorder&) = delete;

    std::vector<std::string> events;
};

// The trim planes asked of the trim geometry, each call with what it was handed: profiles
// and outlines are copied, since they live only for the call.
class TrimRecorder {
public:
    struct Call {
        std::string name;            // the seam's function name
        const void* record = nullptr;
        Objex* object = nullptr;     // skylight, cut-out or outline copy
        Objex* part = nullptr;       // a custom skylight's outline piece
        std::vector<Float3DPoint> profile, outline;
        float angle = 0, origin[3] = {}, halfThickness = 0, level = 0;  // level: a wall sweep's length
        int slot = 0, side = 0;
    };
    TrimRecorder();
    ~TrimRecorder();
    TrimRecorder(const TrimRecorder&) = delete;
    TrimRecorder& operator=(const TrimRecorder&) = delete;

    std::vector<const Call*> named(const std::string& name) const;

    std::vector<Call> calls;
};

}  // namespace dvxtest
