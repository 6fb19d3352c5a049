// The stock materials, plants and trims the generator writes: the same bytes on every run and
// as the build made them, each file read back by the program's own readers (the palette's
// entry builders, the texture loader's names and sizes, the plant records, the searches), the
// textures tiling, the plants keyed for their billboards, the trims in both unit systems.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/core/builtin_libraries.h"
#include "content/core/content_library_manager.h"
#include "content/core/content_searches.h"
#include "contentgen.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "files/plant_info_files.h"
#include "files/texture_files.h"
#include "files/windows_records.h"
#include "model/content_types.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/plant_info.h"
#include "plants_draw.h"
#include "port/files.h"
#include "port/images.h"
#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/stock_root.h"

namespace fs = std::filesystem;

namespace {

bool WriteMine(const std::string& root) {
    return contentgen::WriteMaterials(root) && contentgen::WritePlants(root) && contentgen::WriteTrims(root);
}

class StockTextures : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        // One generated set for the cases a process runs, in the first case's own folder (ctest
        // runs cases side by side, each in a process of its own).
        if (generated_.empty()) {
            generated_ = dvxtest::FreshTempFolder("generated");
            ASSERT_TRUE(WriteMine(generated_));
        }
        DocumentTest::SetUp();
        dvxtest::UseStockRoot(generated_);
        port::setImageDecoder(&decoder_);
    }
    void TearDown() override {
        port::setImageDecoder(nullptr);
        DocumentTest::TearDown();
    }
    static std::vector<std::unique_ptr<ContentCategoryItem>> Tree(int16_t category) {
        ContentCategoryList list;
        content::BuildBuiltInLibrary(category, list);
        for (auto& node : list) ContentLibraryManager::sharedContentLibraryManager().rebuildSymEntryListForItem(node.get());
        return list;
    }
    static QImage Load(const std::string& path) {
        const auto image = LoadGLDIBImage(path.c_str());
        if (!image) return {};
        QImage out(image->width, image->height, QImage::Format_RGB32);
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) {
                const uint8_t* p = &image->pixels[(size_t(image->height - 1 - y) * size_t(image->width) + size_t(x)) * 3];
                out.setPixel(x, y, qRgb(p[0], p[1], p[2]));
            }
        return out;
    }

    static std::string generated_;
    port::qt::QtImageDecoder decoder_;
};
std::string StockTextures::generated_;

// The fewest black rows or columns between the drawing and the picture's sides or top (the
// plant stands on the bottom edge).
int MarginOf(const QImage& image) {
    int margin = std::max(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0) margin = std::min({margin, x, y, image.width() - 1 - x});
    return margin;
}

// The lowest drawn row of the picture, where the plant's foot is; -1 when nothing is drawn.
int FootRow(const QImage& image) {
    int lowest = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0) lowest = y;
    return lowest;
}

// Brightness alone: a JPEG's colour is sampled coarser and smoothed inside the picture but not
// across its edges.
double Difference(QRgb a, QRgb b) {
    const auto luma = [](QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); };
    return std::fabs(luma(a) - luma(b));
}

// How much the image changes across the seam between its last and first column, against the
// most it changes between two neighbouring columns inside; the same for rows.
struct Seams {
    double across = 0, worstInsideAcross = 0, down = 0, worstInsideDown = 0;
};
Seams SeamsOf(const QImage& image) {
    Seams s;
    const int w = image.width(), h = image.height();
    for (int x = 0; x < w; ++x) {
        double sum = 0;
        for (int y = 0; y < h; ++y) sum += Difference(image.pixel(x, y), image.pixel((x + 1) % w, y));
        if (x == w - 1) s.across = sum / h;
        else s.worstInsideAcross = std::max(s.worstInsideAcross, sum / h);
    }
    for (int y = 0; y < h; ++y) {
        double sum = 0;
        for (int x = 0; x < w; ++x) sum += Difference(image.pixel(x, y), image.pixel(x, (y + 1) % h));
        if (y == h - 1) s.down = sum / w;
        else s.worstInsideDown = std::max(s.worstInsideDown, sum / w);
    }
    return s;
}

QByteArray Digest(const QImage& image) {
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()), QCryptographicHash::Md5);
}

// Run twice, the writers give the same files, byte for byte, and the build's stock root holds
// the same; the whole of this part stays well below its share of the set's size.
TEST(StockTextureFiles, TheSameBytesOnEveryRunAndInTheBuild) {
    const std::string first = dvxtest::FreshTempFolder("first"), second = dvxtest::FreshTempFolder("second");
    ASSERT_TRUE(WriteMine(first) && WriteMine(second));
    const auto a = dvxtest::FilesBelow(first), b = dvxtest::FilesBelow(second);
    ASSERT_GT(a.size(), 300u);
    EXPECT_TRUE(a == b);
    size_t bytes = 0;
    for (const auto& [path, content] : a) {
        bytes += content.size();
        std::vector<uint8_t> built;
        EXPECT_TRUE(port::ReadWholeFile(std::string(DVX_STOCK_DIR) + "/" + path, built) && built == content) << path;
    }
    EXPECT_LT(bytes, 8u << 20);
    // Nothing goes into the user's own trim folder.
    EXPECT_FALSE(fs::exists(first + "/Components"));
}

// Every materials category lists at least three textures (the sky's range holds two); each is a
// 256-pixel square the loader finds by its ID, repeats without a seam (the sky across only)
// and has a name and a size in inches. The textures the program's tools and documents use
// by default all exist.
TEST_F(StockTextures, MaterialsAreFoundByThePaletteAndByTheLoaderAndTile) {
    const auto materials = Tree(content::kMaterialsCategory);
    ASSERT_EQ(materials.size(), 18u);
    std::set<QByteArray> pictures;
    for (const auto& node : materials) {
        SCOPED_TRACE(node->categoryName());
        EXPECT_GE(node->numberOfSymEntries(), std::min(3u, node->textureCount()));
        for (const SymEntryInfo& e : node->symEntries()) {
            SCOPED_TRACE(e.objectData);
            char name[kTexturePathBufferSize] = {};
            GetTextureFileNameFromID(e.textureID, name);
            const std::string loaded = LocalDomainTexturePath() + "/" + name;
            EXPECT_EQ(fs::canonical(loaded), fs::canonical(e.objectData)) << "the loader and the palette disagree";
            const QImage image = Load(loaded);
            ASSERT_EQ(image.size(), QSize(256, 256));
            pictures.insert(Digest(image));
            const Seams s = SeamsOf(image);
            EXPECT_LE(s.across, s.worstInsideAcross * 1.2 + 4) << "a seam across";
            if (node->categoryName() != "Sky") {
                EXPECT_LE(s.down, s.worstInsideDown * 1.2 + 4) << "a seam down";
            }
            int32_t width = 0, height = 0;
            LoadTextureWH(e.textureID, &width, &height);
            EXPECT_TRUE(width > 0 && height > 0 && !(width == 100 && height == 100)) << width << " x " << height;
            EXPECT_NE(e.objectDescription, "No description");
        }
    }
    EXPECT_GE(pictures.size(), 70u) << "materials drawn alike";

    for (int32_t id : {1, 2, 4, 850, 1103, 1115, 1150, 1151, 1158, 1255, 1301, 1550, 1700, 2200, 2202, 2203, 2206, 2207,
                       2210, 2212, 2213, 2218, 2300}) {
        char name[kTexturePathBufferSize] = {};
        GetTextureFileNameFromID(id, name);
        EXPECT_FALSE(Load(LocalDomainTexturePath() + "/" + name).isNull()) << id;
    }
}

// At least 24 plants across the folders, each with its preview and its own picture: black
// around it (the billboard's key) with a margin at the sides and the top, so no edge of the
// drawing is cut, standing on the bottom edge, which the billboard sets on the plant's ground
// point; their records read their names and growth; the wire-frame outlines exist.
TEST_F(StockTextures, PlantsAreKeyedPicturesWithTheirRecords) {
    const auto plants = Tree(content::kPlantsCategory);
    ASSERT_EQ(plants.size(), 12u);
    size_t count = 0;
    std::set<QByteArray> pictures;
    for (const auto& node : plants) {
        SCOPED_TRACE(node->categoryName());
        EXPECT_GE(node->numberOfSymEntries(), 1u);
        for (const SymEntryInfo& e : node->symEntries()) {
            SCOPED_TRACE(e.objectDescription);
            ++count;
            EXPECT_FALSE(Load(e.objectPreview).isNull());
            // The billboard's picture, where the renderer looks for it.
            char name[kTexturePathBufferSize] = {};
            GetTextureFileNameFromID(e.textureID, name);
            const QImage image = Load(SharedFile(LocalDomainUserSharedTexturePath() + "/" + name));
            ASSERT_EQ(image.size(), QSize(256, 256));
            pictures.insert(Digest(image));
            int drawn = 0;
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x)
                    if ((image.pixel(x, y) & 0xFFFFFFu) != 0) ++drawn;
            EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFFu, 0u);
            EXPECT_TRUE(drawn > 256 * 256 / 20 && drawn < 256 * 256 * 95 / 100) << drawn;
            EXPECT_EQ(FootRow(image), 255) << "it floats above the ground";
            EXPECT_GE(MarginOf(image), contentgen::plants::kPlantMargin) << "drawn up to the picture's edge";

            std::unique_ptr<PlantInfo, void (*)(PlantInfo*)> info(CreatePlantInfo(e.textureID), DeletePlantInfo);
            ASSERT_TRUE(info);
            EXPECT_EQ(std::string(info->commonName), e.objectDescription);
            EXPECT_GT(std::strlen(info->botanicalName), 4u);
            EXPECT_TRUE(info->maximumGrowthHeight >= 6 && info->annualGrowthRate > 0 && info->sunLight >= 1 && info->water >= 1);
        }
    }
    EXPECT_GE(count, 24u);
    EXPECT_EQ(pictures.size(), count) << "plants drawn alike";
    for (int32_t id = 14060; id <= 14071; ++id) {
        char name[kTexturePathBufferSize] = {};
        GetTextureFileNameFromID(id, name);
        EXPECT_FALSE(Load(LocalDomainTexturePath() + "/" + name).isNull()) << name;
    }
}

// Every form drawn wider and taller than the picture is shrunk about its foot into it, the
// margin kept at the sides and the top, its foot still on the bottom row; a small one stands
// there too.
TEST(PlantPictures, EveryFormStaysInsideItsPictureWithAMargin) {
    using contentgen::plants::Form;
    using contentgen::plants::kPlantMargin;
    const auto look = [](Form form, double size) {
        contentgen::plants::Look l;
        l.form = form, l.width = size, l.crown = size, l.flowers = 30;
        l.dark = {40, 82, 30}, l.mid = {70, 130, 46}, l.light = {130, 180, 70}, l.flower = {250, 200, 40};
        return l;
    };
    for (int f = 0; f <= static_cast<int>(Form::Corn); ++f) {
        const QImage large = contentgen::plants::DrawPlant(look(static_cast<Form>(f), 1.4));
        EXPECT_GE(MarginOf(large), kPlantMargin) << "form " << f;
        EXPECT_EQ(FootRow(large), large.height() - 1) << "form " << f;
    }
    const QImage cypress = contentgen::plants::DrawPlant(look(Form::Columnar, 0.3));
    EXPECT_EQ(FootRow(cypress), cypress.height() - 1);
}

// "oak" finds the oaks by their common names, "quercus" by their botanical ones; a search by
// growing conditions finds plants that take dry soil in zone 10, the saguaro among them.
TEST_F(StockTextures, PlantSearchesFindByNameAndByTraits) {
    const ContentCategoryList none;
    auto results = ContentCategoryItem::initWithName("", nullptr, nullptr, 5, content::kSearchResultsLibrary);
    const auto found = [&] {
        std::set<std::string> names;
        for (const SymEntryInfo& e : results->symEntries()) names.insert(e.objectDescription);
        return names;
    };
    for (const char* text : {"oak", "QUERCUS"}) {
        content::SearchPlantsUsingName(results.get(), none, text, 0xFFF, true, false, 100);
        EXPECT_EQ(found(), (std::set<std::string>{"Red Oak", "White Oak"})) << text;
    }
    content::PlantConditions dryAndWarm;
    dryAndWarm.water = 1, dryAndWarm.zone = 1u << 9;
    content::SearchPlantsUsingZoneFilter(results.get(), none, dryAndWarm, true, false, 100);
    const auto names = found();
    EXPECT_TRUE(names.count("Saguaro") && !names.count("Weeping Willow") && !names.count("Sugar Maple"));
    for (const SymEntryInfo& e : results->symEntries()) {
        SCOPED_TRACE(e.objectDescription);
        EXPECT_EQ(GetPrivateProfileInt("Description", "Water", 0, e.objectInfo.c_str()), 1);
        EXPECT_EQ(GetPrivateProfileInt("Description", "Zone10", 0, e.objectInfo.c_str()), 1);
    }
}

// Nothing is written that no reader finds: every file is an entry's data, info or preview in
// the palette (trims in either unit system) or a wire-frame plant the renderer names.
TEST_F(StockTextures, EveryFileWrittenIsOneTheReadersFind) {
    std::set<std::string> found;
    const auto add = [&found](const std::string& path) {
        if (!path.empty()) found.insert(fs::canonical(path).string());
    };
    const int16_t imperialUnits = doc->itsDocState->units;
    for (int16_t units : {imperialUnits, kMetricUnits}) {
        doc->itsDocState->units = units;
        for (int16_t category : {content::kMaterialsCategory, content::kTrimCategory, content::kPlantsCategory})
            for (const auto& node : Tree(category))
                for (const SymEntryInfo& e : node->symEntries()) add(e.objectData), add(e.objectInfo), add(e.objectPreview);
    }
    for (int32_t id = 14060; id <= 14071; ++id) {
        char name[kTexturePathBufferSize] = {};
        GetTextureFileNameFromID(id, name);
        add(LocalDomainTexturePath() + "/" + name);
    }
    std::set<std::string> written;
    for (const auto& [path, bytes] : dvxtest::FilesBelow(generated_)) written.insert(fs::canonical(generated_ + "/" + path).string());
    EXPECT_EQ(found, written);
}

// Each trim category lists five previews, in inches and, in a metric document, in centimetres,
// with texture IDs the 3D view's mouldings take (base 100-104 ...), named by their heights.
TEST_F(StockTextures, TrimsListInBothUnitSystems) {
    const std::vector<std::vector<std::string>> imperial = {
        {"Base Trim, 3\"", "Base Trim, 4\"", "Base Trim, 6\"", "Base Trim, 8\"", "No Base Trim"},
        {"Crown Trim, 3\"", "Crown Trim, 4\"", "Crown Trim, 6\"", "Crown Trim, 8\"", "No Crown Trim"},
        {"Library Paneling, 36\"", "Library Paneling, 42\"", "Library Paneling, 48\"", "Library Paneling, 60\"", "No Paneling"},
        {"Wainscot, 36\"", "Wainscot, 42\"", "Wainscot, 48\"", "Wainscot, 60\"", "No Wainscot"}};
    const std::vector<std::string> metricFirst = {"Base Trim, 8 cm", "Crown Trim, 8 cm", "Library Paneling, 90 cm", "Wainscot, 90 cm"};
    const int32_t bases[] = {100, 400, 200, 300};
    const int16_t imperialUnits = doc->itsDocState->units;
    for (bool metric : {false, true}) {
        doc->itsDocState->units = metric ? kMetricUnits : imperialUnits;
        const auto trims = Tree(content::kTrimCategory);
        ASSERT_EQ(trims.size(), 4u);
        std::set<QByteArray> pictures;
        for (size_t k = 0; k < trims.size(); ++k) {
            SCOPED_TRACE(trims[k]->categoryName() + (metric ? " metric" : ""));
            ASSERT_EQ(trims[k]->numberOfSymEntries(), 5u);
            std::vector<std::string> names;
            for (const SymEntryInfo& e : trims[k]->symEntries()) {
                names.push_back(e.objectDescription);
                EXPECT_EQ(e.textureID, bases[k] + int32_t(names.size()) - 1);
                EXPECT_EQ(e.objectPreview.find("M.PPV") != std::string::npos, metric);
                const QImage preview = Load(e.objectPreview);
                EXPECT_EQ(preview.size(), QSize(128, 128));
                pictures.insert(Digest(preview));
            }
            if (metric) EXPECT_EQ(names[0], metricFirst[k]);
            else EXPECT_EQ(names, imperial[k]);
        }
        EXPECT_GE(pictures.size(), 17u) << "every height its own preview";
    }
}

}  // namespace
