// Textures by ID in an OSMesa context: the first bind of a 640 x 480 custom photo (decode,
// frame, scale to 512 x 512, upload) and of a 512 x 512 stock image, each beside its floor
// (glTexImage2D of a ready buffer of the uploaded size), and the bind of a loaded texture.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "files/content_folders.h"
#include "model/document_model.h"
#include "osmesa_context.h"
#include "port/folders.h"
#include "port/images.h"
#include "files/custom_textures.h"
#include "render/gl.h"
#include "render/renderer_startup.h"
#include "render/texture_load.h"
#include "support/doubles.h"
#include "support/fixture.h"

namespace {

constexpr int32_t kStockID = 1500;  // WOOD/WOOD1.PTX

uint32_t Noise(int x, int y) { return uint32_t(x * 2654435761u ^ y * 40503u); }

// A context, folders holding the two images, and a document listing the photo; each bench
// makes them current for its own run and puts back what the others use.
struct TextureBench {
    TextureBench()
        : gl(64, 64), folders(dvxtest::FreshTempFolder("texture-bench")), doc(QMDDocumentModel::alloc()->init()) {
        StartRenderer();
        Enter();
        dvxtest::WritePpm(LocalDomainCustomTexturePath() + "/photo.ppm", dvxtest::RgbImage(640, 480, Noise));
        dvxtest::WritePpm(LocalDomainTexturePath() + "/WOOD/WOOD1.PTX", dvxtest::RgbImage(512, 512, Noise));
        char photo[] = "photo.ppm";
        customID = NewCustomTextureID(photo);
    }
    void Enter() {
        gl.makeCurrent();
        previousDocument = gCurDocument;
        gCurDocument = doc;
        previousFolders = &port::folders();
        port::setFolders(&folders);
        previousDecoder = &port::imageDecoder();
        port::setImageDecoder(&decoder);
    }
    void Leave() {
        gCurDocument = previousDocument;
        port::setFolders(previousFolders);
        port::setImageDecoder(previousDecoder);
    }

    dvxtest::OffscreenGL gl;
    dvxtest::TempFolders folders;
    dvxtest::PpmImageDecoder decoder;
    QMDDocumentModel* doc;
    int32_t customID = 0;
    QMDDocumentModel* previousDocument = nullptr;
    port::Folders* previousFolders = nullptr;
    port::ImageDecoder* previousDecoder = nullptr;
};

TextureBench& Bench() {
    static TextureBench bench;
    bench.Enter();
    return bench;
}

// glTexImage2D of a ready buffer, as the loader's last step.
double UploadFloor(GLint components, GLenum format) {
    const std::vector<uint8_t> pixels(512u * 512u * size_t(components), 0x80);
    const GLuint name = 15999;
    return dvxbench::BestSeconds(20, [&] {
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, components, 512, 512, 0, format, GL_UNSIGNED_BYTE, pixels.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glDeleteTextures(1, &name);
        glFinish();
    });
}

void FirstBind(benchmark::State& state, int32_t id, double floor, const char* family) {
    dvxbench::Measured measured(state, family, floor);
    measured.start();
    for (auto _ : state) {
        const GLuint name = GLuint(id);
        glDeleteTextures(1, &name);
        StartTextureFrame();
        if (!BindGLTexture(id)) state.SkipWithError("the texture did not load");
        glFinish();
    }
    measured.report();
}

void BM_FirstBindCustom640x480(benchmark::State& state) {
    TextureBench& b = Bench();
    FirstBind(state, b.customID, UploadFloor(4, GL_RGBA), "texture_custom_first_bind");
    b.Leave();
}
BENCHMARK(BM_FirstBindCustom640x480)->Arg(640 * 480)->Unit(benchmark::kMillisecond);

void BM_FirstBindStock512(benchmark::State& state) {
    TextureBench& b = Bench();
    FirstBind(state, kStockID, UploadFloor(3, GL_RGB), "texture_stock_first_bind");
    b.Leave();
}
BENCHMARK(BM_FirstBindStock512)->Arg(512 * 512)->Unit(benchmark::kMillisecond);

// A loaded texture: the floor is the plain glBindTexture a renderer could call instead.
void BM_BindLoaded(benchmark::State& state) {
    TextureBench& b = Bench();
    BindGLTexture(kStockID);
    dvxbench::Measured measured(state, "texture_bind_loaded", dvxbench::BestSeconds(20, [] {
        for (int i = 0; i < 1000; ++i) glBindTexture(GL_TEXTURE_2D, kStockID);
    }) / 1000);
    measured.start();
    for (auto _ : state) benchmark::DoNotOptimize(BindGLTexture(kStockID));
    measured.report();
    b.Leave();
}
BENCHMARK(BM_BindLoaded)->Arg(1)->Unit(benchmark::kNanosecond);

}  // namespace
