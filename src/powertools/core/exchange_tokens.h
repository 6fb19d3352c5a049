#pragma once
// The object tokens that a whole exchange file and a tool's result share: 300 an object
// record, 302 and 303 a group's brackets, 306 and 307 a cabinet group's, up to 500 or the
// end of the data. Objects read inside brackets become the open group's last children;
// brackets with no group to open or close are ignored.
#include <cstdint>

#include "files/object_section.h"

struct Layer;
struct Objex;

class ExchangeTokenReader {
public:
    virtual ~ExchangeTokenReader() = default;
    void run();

protected:
    // The floor objects read outside groups are appended to.
    virtual Layer* target() = 0;
    // 200: a floor record (whole files only).
    virtual void floor() {}
    // Any token the loop does not know; false when it means nothing here.
    virtual bool otherToken(int16_t) { return false; }
    // After each object record, the object made of it (null when it was rejected).
    virtual void objectRead(Objex*) {}
    // A group (or cabinet group) opened by 302 or 306.
    virtual void groupOpened(Objex*) {}

    // The innermost open group, or null.
    Objex* openGroup() const { return group_.get(); }
    // Forgets the object just read when it leaves the design.
    void forgetLast(const Objex* o);

private:
    void closeGroup(bool fixedComponent);

    OpenSectionGroup group_;
    Objex* last_ = nullptr;
};
