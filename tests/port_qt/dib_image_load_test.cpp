// Image files decoded by Qt into the record the texture loader takes.
#include "port/qt/platform.h"

#include "files/windows_records.h"
#include "port/files.h"
#include "support/doubles.h"
#include "support/fixture.h"

#include <QBuffer>
#include <QImage>

#include <string>
#include <vector>

namespace {

class DIBImageLoad : public dvxtest::ServicesTest {
protected:
    void SetUp() override {
        ServicesTest::SetUp();
        port::setImageDecoder(&decoder);
        dir = dvxtest::FreshTempFolder("images");
    }
    void TearDown() override {
        port::setImageDecoder(nullptr);
        ServicesTest::TearDown();
    }

    std::string save(const QImage& image, const std::string& name) {
        const std::string path = port::JoinPath(dir, name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        return path;
    }

    port::qt::QtImageDecoder decoder;
    std::string dir;
};

TEST_F(DIBImageLoad, EveryDepthBecomesThreeBytesAPixelBottomRowFirst) {
    QImage rgba(3, 2, QImage::Format_RGBA8888);
    rgba.fill(qRgba(0, 0, 0, 255));
    rgba.setPixel(0, 1, qRgba(10, 20, 30, 40));  // bottom left, partly transparent
    rgba.setPixel(2, 0, qRgba(200, 150, 100, 255));
    const auto image = ApplePortDIBImageLoad(save(rgba, "rgba.png").c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    ASSERT_EQ(image->pixels.size(), 18u);
    EXPECT_EQ(std::vector<uint8_t>(image->pixels.begin(), image->pixels.begin() + 3),
              (std::vector<uint8_t>{10, 20, 30}));  // alpha dropped
    EXPECT_EQ(std::vector<uint8_t>(image->pixels.begin() + 15, image->pixels.end()),
              (std::vector<uint8_t>{200, 150, 100}));  // top right comes last

    QImage rgb(5, 3, QImage::Format_RGB888);
    rgb.fill(Qt::red);
    const auto fromRGB = ApplePortDIBImageLoad(save(rgb, "rgb.png").c_str());
    ASSERT_NE(fromRGB, nullptr);
    EXPECT_EQ(fromRGB->pixels.size(), 5u * 3u * 3u);
    EXPECT_EQ(fromRGB->pixels[0], 255);

    QImage grey(4, 7, QImage::Format_Grayscale8);
    grey.fill(128);
    const auto fromGrey = ApplePortDIBImageLoad(save(grey, "grey.png").c_str());
    ASSERT_NE(fromGrey, nullptr);
    EXPECT_EQ(fromGrey->pixels.size(), 4u * 7u * 3u);
    EXPECT_EQ(fromGrey->pixels[4], 128);
}

TEST_F(DIBImageLoad, MissingDamagedOrCutFilesGiveNoImageAndNoCrash) {
    EXPECT_EQ(ApplePortDIBImageLoad(port::JoinPath(dir, "missing.png").c_str()), nullptr);
    const std::string junk = port::JoinPath(dir, "junk.png");
    ASSERT_TRUE(port::WriteWholeFile(junk, "\x89PNG\r\n\x1a\nnot really", 18));
    EXPECT_EQ(ApplePortDIBImageLoad(junk.c_str()), nullptr);

    QImage picture(6, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) picture.setPixel(x, y, qRgba(40 * x, 60 * y, 7, 128 + x));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "PNG"));

    const std::string cut = port::JoinPath(dir, "cut.png");
    int whole = 0;
    for (qsizetype n = 0; n <= bytes.size(); ++n) {
        ASSERT_TRUE(port::WriteWholeFile(cut, bytes.constData(), size_t(n)));
        const auto image = ApplePortDIBImageLoad(cut.c_str());
        if (!image) continue;
        EXPECT_EQ(image->pixels.size(), size_t(image->width) * size_t(image->height) * 3u);
        if (n == bytes.size()) ++whole;
    }
    EXPECT_EQ(whole, 1);
}

}  // namespace
