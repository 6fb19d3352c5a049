// Any bytes as an image file, through the Qt decoder as in the program: the texture loader
// and the trace image loader must get either nothing or whole rows of the size they report.
#include "files/trace_image.h"
#include "files/windows_records.h"
#include "fuzz_support.h"
#include "port/qt/platform.h"

#include <QImageReader>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static port::qt::QtImageDecoder decoder;
    static bool once = [] {
        port::setImageDecoder(&decoder);
        // A small image is enough to find faults; bigger ones only cost time.
        QImageReader::setAllocationLimit(16);
        return true;
    }();
    (void)once;
    const char* path = fuzz::WriteInputFile("fuzz_images", data, size);
    if (!path) return 0;
    if (std::unique_ptr<DIBImage> image = ApplePortDIBImageLoad(path))
        if (image->width <= 0 || image->height <= 0 ||
            image->pixels.size() != size_t(image->width) * size_t(image->height) * 3)
            std::abort();
    if (TraceImage* trace = LoadTraceImage(path)) {
        const port::DecodedImage& i = trace->image;
        if (i.width <= 0 || i.height <= 0 || i.rgb.size() != size_t(i.width) * size_t(i.height) * 3) std::abort();
        delete trace;
    }
    return 0;
}
