// The lot at 800 x 600: the shaped ground over a 100 x 100 grid with five excavations beside
// the same grid as plain quads in one colour, and the textured flat ground beside one textured
// quad of the lot's size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "files/content_folders.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/view_layers.h"
#include "osmesa_context.h"
#include "port/folders.h"
#include "port/images.h"
#include "render/gl.h"
#include "render/lot_renderers.h"
#include "render/renderer_startup.h"
#include "render/texture_load.h"
#include "model/topo_grid.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kCells = 100;
constexpr float kSpacing = 72;
constexpr float kLotSize = kCells * kSpacing;
constexpr int32_t kStockID = 1500;  // WOOD/WOOD1.PTX

uint32_t Noise(int x, int y) { return uint32_t(x * 2654435761u ^ y * 40503u); }

// A document of its own with a rolling 100 x 100 grid read as from a file, five excavations
// and a stock texture in its folders.
struct LotBench {
    LotBench() : gl(kWidth, kHeight), folders(dvxtest::FreshTempFolder("lot-bench")), doc(QMDDocumentModel::alloc()->init()) {
        StartRenderer();
        Enter();
        dvxtest::WritePpm(LocalDomainTexturePath() + "/WOOD/WOOD1.PTX", dvxtest::RgbImage(256, 256, Noise));
        DocState* ds = doc->itsDocState;
        ds->renderMode = 5;
        ds->renderValue = 0;
        std::strcpy(ds->topoFilePath, "rolling.topo");
        for (int i = 0; i < 5; ++i) {
            const float h = 600 + i * 1300.0f, d = 900 + i * 1200.0f;
            dvxtest::Outline(objtype::kExcavation, {{h, d}, {h + 500, d}, {h + 500, d + 400}, {h, d + 400}}, true,
                             objsubtype::kExcavation)
                .on(GetFirstFloorLayer());
        }
    }
    void Enter() {
        gl.makeCurrent();
        previousDocument = gCurDocument;
        gCurDocument = doc;
        previousFolders = &port::folders();
        port::setFolders(&folders);
        previousDecoder = &port::imageDecoder();
        port::setImageDecoder(&decoder);
        // The grid is a global every document shares.
        doc->itsDocState->lotRect = {0, 0, kLotSize, kLotSize};
        doc->itsDocState->topoGridSpacing = kSpacing;
        SetupTopoGrid();
        if (gTopographyGrid.size() != size_t(kCells + 1) * (kCells + 1)) return;
        for (int r = 0; r <= kCells; ++r)
            for (int c = 0; c <= kCells; ++c)
                gTopographyGrid[size_t(r) * (kCells + 1) + size_t(c)] = 40 * std::sin(r * 0.3f) * std::cos(c * 0.2f);
        gTopoGridFromFile = 1;
    }
    void Leave() {
        gTopographyGrid.clear(), gTopoRowCnt = gTopoColumnCnt = 0, gTopoGridFromFile = 0;
        gCurDocument = previousDocument;
        port::setFolders(previousFolders);
        port::setImageDecoder(previousDecoder);
    }
    // Looking down on the whole lot.
    void Frame() {
        glViewport(0, 0, kWidth, kHeight);
        glEnable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kLotSize, -kLotSize, 0, -1e5, 1e5);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(90, 1, 0, 0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    dvxtest::OffscreenGL gl;
    dvxtest::TempFolders folders;
    dvxtest::PpmImageDecoder decoder;
    QMDDocumentModel* doc;
    QMDDocumentModel* previousDocument = nullptr;
    port::Folders* previousFolders = nullptr;
    port::ImageDecoder* previousDecoder = nullptr;
};

LotBench& Bench() {
    static LotBench bench;
    bench.Enter();
    return bench;
}

void BM_RenderGLLot(benchmark::State& state) {
    LotBench& b = Bench();
    b.doc->itsDocState->lotTexture = 0;
    std::vector<float> quads;
    for (int r = 0; r < kCells; ++r)
        for (int c = 0; c < kCells; ++c) {
            const float x0 = c * kSpacing, x1 = x0 + kSpacing, z0 = r * kSpacing, z1 = z0 + kSpacing;
            quads.insert(quads.end(), {x0, 0, z0, x1, 0, z0, x1, 0, z1, x0, 0, z1});
        }
    dvxbench::Measured measured(state, "lot_terrain", dvxbench::BestSeconds(5, [&] {
        b.Frame();
        glColor3ub(120, 160, 80);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, quads.data());
        glDrawArrays(GL_QUADS, 0, GLsizei(quads.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
    }));
    measured.start();
    for (auto _ : state) {
        b.Frame();
        RenderGLLot();
        glFinish();
    }
    measured.report();
    b.Leave();
}
BENCHMARK(BM_RenderGLLot)->Arg(kCells)->Unit(benchmark::kMillisecond);

void BM_RenderGLFlatLotTextured(benchmark::State& state) {
    LotBench& b = Bench();
    b.doc->itsDocState->lotTexture = kStockID;
    b.doc->itsDocState->lotTextureScale = {100, 100};
    gTopographyGrid.clear(), gTopoRowCnt = gTopoColumnCnt = 0;
    dvxbench::Measured measured(state, "lot_flat", dvxbench::BestSeconds(5, [&] {
        b.Frame();
        BindGLTexture(kStockID);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex3f(0, 0, 0);
        glTexCoord2f(1, 0), glVertex3f(kLotSize, 0, 0);
        glTexCoord2f(1, 1), glVertex3f(kLotSize, 0, kLotSize);
        glTexCoord2f(0, 1), glVertex3f(0, 0, kLotSize);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glFinish();
    }));
    measured.start();
    for (auto _ : state) {
        b.Frame();
        RenderGLFlatLot();
        glFinish();
    }
    measured.report();
    b.Leave();
}
BENCHMARK(BM_RenderGLFlatLotTextured)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
