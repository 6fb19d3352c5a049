// The bytes a plug-in tool sends over the channel, cut into frames by the reader: no frame
// may overrun, a decoded message must encode back to the same frame, and the reader must end
// every stream in a message, a wait for more or a refusal.
#include "powertools/core/power_tool_message.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PowerToolMessageReader reader;
    // Fed in two pieces, so frames that straddle an arrival are read too.
    const size_t half = size / 2;
    reader.append(data, half);
    PowerToolMessage message;
    for (int step = 0; step < 2; ++step) {
        if (step == 1) reader.append(data + half, size - half);
        for (;;) {
            const auto result = reader.next(&message);
            if (result != PowerToolMessageReader::Result::Message) break;
            const std::vector<uint8_t> again = EncodePowerToolMessage(message);
            PowerToolMessage back;
            if (again.size() < 4 || !DecodePowerToolMessage(again.data() + 4, again.size() - 4, &back) ||
                back.name != message.name || back.values.size() != message.values.size())
                std::abort();
            (void)message.integerValue(kAuxDictUserIDKey);
            (void)message.floatValue(kAuxDictGSPSunLotAngleKey);
            (void)message.textValue(kAuxDictTopographyKey);
        }
    }
    return 0;
}
