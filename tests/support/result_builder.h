#pragma once
// The result file a plug-in tool hands back, written token by token: its header, then object
// records (as the exchange writer writes them, from objects the test builds), group and cabinet
// brackets, floor names, replacements by object ID, the end token and a data block.
#include <cstdint>
#include <string>
#include <vector>

#include "support/records.h"

struct Objex;

namespace dvxtest {

class ResultBuilder {
public:
    explicit ResultBuilder(int32_t tool, int32_t version = 11000);

    // 300 and the object's record (info, points, type data) at the builder's version; a group's
    // members follow in their brackets.
    ResultBuilder& object(Objex* object);
    // 300, the object's info and points, then `typeData` as given (a record the program no
    // longer writes, or a damaged one).
    ResultBuilder& record(Objex* object, const Bytes& typeData);
    ResultBuilder& token(int16_t token);
    ResultBuilder& floorName(const std::string& name);     // 308
    ResultBuilder& replace(uint32_t objectID);             // 309: on its floor
    ResultBuilder& replaceHere(uint32_t objectID);         // 310: on the current floor
    ResultBuilder& end();                                  // 500
    ResultBuilder& block(const std::string& data);         // 600, size, bytes, 601
    ResultBuilder& raw(const Bytes& bytes);

    const std::vector<uint8_t>& data() const { return bytes_.data(); }
    // Stored at `path`; the path.
    std::string save(const std::string& path) const;

private:
    int32_t version_;
    Bytes bytes_;
};

}  // namespace dvxtest
