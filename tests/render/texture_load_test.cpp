// Textures by ID in a real GL context: images written by the test under its own folders,
// bound through the one binding rule and read back with glGetTexImage.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/content_folders.h"
#include "files/palettes.h"
#include "model/document_model.h"
#include "port/files.h"
#include "render/accum_buffer.h"
#include "files/custom_textures.h"
#include "render/gl.h"
#include "render/texture_load.h"
#include "render_fixture.h"
#include "support/doubles.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

class TextureLoad : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        port::setImageDecoder(&decoder);
    }
    static std::string Stock(const std::string& name) { return LocalDomainTexturePath() + "/" + name; }
    static std::string Custom(const std::string& name) { return LocalDomainCustomTexturePath() + "/" + name; }

    // Level 0 of texture `id` as GL keeps it, rows packed, `format` GL_RGB or GL_RGBA.
    static std::vector<uint8_t> ReadBack(int32_t id, GLenum format, int* width = nullptr, int* height = nullptr) {
        GLint w = 0, h = 0;
        glBindTexture(GL_TEXTURE_2D, GLuint(id));
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        if (width) *width = w, *height = h;
        std::vector<uint8_t> pixels(size_t(w) * size_t(h) * (format == GL_RGBA ? 4 : 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        return pixels;
    }
    static GLint Bound() {
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        return bound;
    }

    PpmImageDecoder decoder;
};

uint32_t Pattern(int x, int y) { return uint32_t(x * 13 + y) << 16 | uint32_t(y * 29) << 8 | uint32_t(x ^ y); }

TEST_F(TextureLoad, StockImagesUploadAsTheyAreUnderTheirIDs) {
    const port::DecodedImage sky = RgbImage(16, 8, Pattern), ground = RgbImage(7, 5, Pattern),
                             skyOne = RgbImage(2, 2, Pattern);
    WritePpm(Stock("SKY/SKY2.PTX"), sky);
    WritePpm(Stock("GROUND/GROUND1.PTX"), ground);
    WritePpm(Stock("SKY/SKY1.PTX"), skyOne);
    // A final render's own buffers are textures too; they must not take a texture ID's name.
    glViewport(0, 0, 64, 48);
    AccumBuffer sum(AccumBuffer::Path::Framebuffer);
    sum.clear();
    ASSERT_TRUE(sum.ok());
    PaletteList* entry = GetPaletteEntryFromRefID(3);
    ASSERT_NE(entry, nullptr);
    entry->kind = kPaletteTexture, entry->textureID = 2;

    struct Row {
        int32_t bind, id;
        const port::DecodedImage* image;
    };
    // 1551 is SKY2; a 7-pixel row is 21 bytes, not a multiple of 4; -1003 links to ID 2.
    for (const Row& r : {Row{1551, 1551, &sky}, Row{2, 2, &ground}, Row{-1003, 2, &ground}, Row{1, 1, &skyOne}}) {
        SCOPED_TRACE(r.bind);
        glDisable(GL_TEXTURE_2D);
        ASSERT_TRUE(BindGLTexture(r.bind));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(Bound(), r.id);
        GLint unpack = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
        EXPECT_EQ(unpack, 4) << "the alignment is put back";
        int w = 0, h = 0;
        EXPECT_EQ(ReadBack(r.id, GL_RGB, &w, &h), r.image->rgb);
        EXPECT_TRUE(w == r.image->width && h == r.image->height);
    }
}

// A 640 x 480 photo: red grows along x, green along y.
uint32_t Ramp(int x, int y) {
    return uint32_t(std::lround(x * 255.0 / 639)) << 16 | uint32_t(std::lround(y * 255.0 / 479)) << 8 | 100u;
}

TEST_F(TextureLoad, CustomImagesAreFramedScaledTo512SquareAndBlackKeyedOnRequest) {
    WritePpm(Custom("Photos/wide.ppm"), RgbImage(640, 480, Ramp));
    const port::DecodedImage square = RgbImage(512, 512, Pattern);
    WritePpm(Custom("Photos/square.ppm"), square);
    // The same image keyed by its info file: black where x and y are both even.
    WritePpm(Custom("Photos/keyed.ppm"),
             RgbImage(512, 512, [](int x, int y) { return x % 2 == 0 && y % 2 == 0 ? 0u : Pattern(x, y) | 1u; }));
    port::WriteWholeFile(Custom("Photos/keyed.PTI"), "[Opacity]\nAlpha=1\n", 18);
    char wide[] = "Photos/wide.ppm", sq[] = "Photos\\square.ppm", keyed[] = "Photos/keyed.ppm";
    const int32_t wideID = NewCustomTextureID(wide), squareID = NewCustomTextureID(sq),
                  keyedID = NewCustomTextureID(keyed);
    std::vector<uint8_t> px;
    auto at = [&](int x, int y) { return &px[(size_t(y) * 512 + size_t(x)) * 4]; };

    int w = 0, h = 0;
    ASSERT_TRUE(BindGLTexture(wideID));
    px = ReadBack(wideID, GL_RGBA, &w, &h);
    ASSERT_TRUE(w == 512 && h == 512);
    // The cleared frame is cut by the renderers' alpha test (alpha above half stays); inside,
    // a box resample of the ramp: its value at each texel's centre.
    int opaqueEdge = 0, worst = 0;
    for (int i = 0; i < 512; ++i) opaqueEdge += (at(i, 0)[3] | at(i, 511)[3] | at(0, i)[3] | at(511, i)[3]) >= 128;
    for (int y = 3; y < 509; ++y)
        for (int x = 3; x < 509; ++x) {
            const double sx = (x + 0.5) * 640 / 512 - 0.5, sy = (y + 0.5) * 480 / 512 - 0.5;
            const uint8_t* p = at(x, y);
            worst = std::max({worst, std::abs(p[0] - int(std::lround(sx * 255 / 639))),
                              std::abs(p[1] - int(std::lround(sy * 255 / 479))), std::abs(p[2] - 100), 255 - p[3]});
        }
    EXPECT_EQ(opaqueEdge, 0);
    EXPECT_LE(worst, 2);

    // 512 x 512 goes up untouched, frame included; the keyed one loses exactly its black.
    ASSERT_TRUE(BindGLTexture(squareID));
    px = ReadBack(squareID, GL_RGBA);
    int wrong = 0;
    for (size_t i = 0; i < 512u * 512u; ++i)
        wrong += px[i * 4] != square.rgb[i * 3] || px[i * 4 + 1] != square.rgb[i * 3 + 1] ||
                 px[i * 4 + 2] != square.rgb[i * 3 + 2] || px[i * 4 + 3] != 255;
    ASSERT_TRUE(BindGLTexture(keyedID));
    px = ReadBack(keyedID, GL_RGBA);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) wrong += at(x, y)[3] != (x % 2 == 0 && y % 2 == 0 ? 0 : 255);
    EXPECT_EQ(wrong, 0);

    // 15000-19999 name nothing: no load, no file, the binding stays.
    port::ResetFileProbeCount();
    EXPECT_FALSE(BindGLTexture(17000));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsTexture(17000));
    EXPECT_EQ(Bound(), keyedID);
    EXPECT_EQ(port::FileProbeCount(), 0u);
    EXPECT_FALSE(BindGLTexture(wideID + 100));  // a custom ID the document does not list
}

// Where a missing file is looked for is the file layer's business; here, that a failed load
// binds nothing and is tried once a frame.
TEST_F(TextureLoad, AMissingImageBindsNothingAndIsLookedForOncePerFrame) {
    StartTextureFrame();
    port::ResetFileProbeCount();
    const size_t decodes = decoder.requested.size();
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_FALSE(BindGLTexture(810));
    EXPECT_FALSE(glIsTexture(810));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    const uint64_t once = port::FileProbeCount();
    EXPECT_GT(once, 0u);
    for (int face = 1; face < 50; ++face) EXPECT_FALSE(BindGLTexture(810));
    EXPECT_EQ(port::FileProbeCount(), once);
    EXPECT_EQ(decoder.requested.size(), decodes);

    // The next frame looks again and finds the placeholder.
    WritePpm(Custom("na.ptx"), RgbImage(1, 1, [](int, int) { return 0xAA0000u; }));
    StartTextureFrame();
    EXPECT_TRUE(BindGLTexture(810));
    EXPECT_EQ(ReadBack(810, GL_RGB)[0], 0xAA);

    // A frame whose textures are all in the context reads nothing.
    StartTextureFrame();
    port::ResetFileProbeCount();
    EXPECT_TRUE(BindGLTexture(810));
    EXPECT_EQ(port::FileProbeCount(), 0u);
}

TEST_F(TextureLoad, ClosingADocumentsCustomTexturesDeletesOnlyThoseInTheLiveViewsContext) {
    WritePpm(Stock("WOOD/WOOD1.PTX"), RgbImage(4, 4, Pattern));
    WritePpm(Custom("a.ppm"), RgbImage(8, 8, Pattern));
    char a[] = "a.ppm";
    const int32_t ia = NewCustomTextureID(a);
    for (int32_t id : {1500, ia}) ASSERT_TRUE(BindGLTexture(id)) << id;

    // Closed while another context is current: the live view's textures go all the same.
    LiveViewHostRecorder host(gl.get());
    OffscreenGL other(8, 8);
    DeleteCustomTextureList();
    gl->makeCurrent();
    EXPECT_TRUE(glIsTexture(1500));
    EXPECT_FALSE(glIsTexture(GLuint(ia)));
    EXPECT_EQ(doc->itsCustomTextureList, nullptr);
    EXPECT_FALSE(BindGLTexture(ia));  // gone from the document too
}

}  // namespace
