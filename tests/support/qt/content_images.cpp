#include "support/qt/content_images.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>

#include "files/content_folders.h"
#include "support/content_library.h"
#include "support/records.h"

namespace dvxtest {

std::string WritePreviewImage(const std::string& path, QColor top, QColor bottom) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(bottom);
    for (int y = 0; y < 10; ++y) std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), 20, top.rgb());
    EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
    return path;
}

void WriteSmallContentLibrary() {
    const auto info = [](const char* key, const std::string& name) { return Ini().section("Description").key(key, name).text(); };
    const std::string brick = LocalDomainTexturePath() + "/Brick/BRICK", trees = LocalDomainPlantPath() + "/Trees/TREE";
    for (const std::string n : {"1", "2", "3"}) {
        WritePreviewImage(brick + n + ".PTX", Qt::red, QColor(128, 0, 0));
        WriteTextFile(brick + n + ".PTI", info("Name", n == "1" ? "Red Brick" : "Brick"));
    }
    for (const std::string n : {"1", "2"})
        WritePreviewImage(trees + n + ".PTX", Qt::black, Qt::green), WriteTextFile(trees + n + ".PTI", info("CommonName", "Oak"));
    WritePreviewImage(LocalDomainTexturePath() + "/BaseTrim/BASETRIM1.PPV", Qt::gray, Qt::gray);
    WriteTextFile(LocalDomainTexturePath() + "/BaseTrim/BASETRIM1.PTI", info("Name", "Cove"));

    const std::string zelt = LocalDomainUserSharedPath() + "/", table = LocalDomain3DObjectPath() + "/Tables/table";
    WriteTextFile(zelt + "ObjectCat.ini",
                  Ini().categories("Object", {"Chairs", "Tables"}).categories("Chairs", {"Dining", "Office"}).text());
    Bytes b = ObjectFileHeader(10000);
    ObjectFileRecord(b, {8, 1, -1, 0, {{0, 0, 0}, {360, 0, 0}, {360, 0, 180}, {0, 0, 180}}});
    b.i16(400), WriteTextFile(table + ".POB", std::string(b.data().begin(), b.data().end()));
    WriteTextFile(table + ".POD", Ini().section("Description").key("ObjectName", "Table").text());
    WritePreviewImage(table + ".PPV", Qt::blue, Qt::blue);
    WriteTextFile(zelt + "DoorCat.ini", Ini().categories("Door", {"Panel"}).text());
    const std::string oak = LocalDomainCustomDoorPath() + "/Panel/oak";
    WriteTextFile(oak + ".PTF", ""), WriteTextFile(oak + ".PTI", info("AttachmentName", "Oak"));
    WritePreviewImage(oak + ".PPV", Qt::yellow, Qt::yellow);
}

}  // namespace dvxtest
