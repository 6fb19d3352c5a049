// The content palette's preview grid on a 2,000-entry category: a rebuild of its preview cache
// (every preview file decoded and scaled) and one paint of the visible grid, at preview sizes
// 70 and 128 ("PreviewSizeKey" 2 and 4). Beside each, a floor: the same files decoded with
// QImageReader, or the same number of images drawn with QPainter::drawImage, in a plain loop.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QScrollArea>

#include <memory>

#include "app/core/preference_keys.h"
#include "bench_support.h"
#include "content/content_view.h"
#include "content/core/content_category_item.h"
#include "model/content_types.h"
#include "model/document_model.h"
#include "port/defaults.h"

namespace {

constexpr int kEntries = 2000;
constexpr int kVisibleWidth = 258, kVisibleHeight = 600;

void EnsureApplication() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_window";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// 2,000 preview files of 96 x 96 under names that do not say PNG, written once.
const std::vector<QString>& PreviewFiles() {
    static std::vector<QString> files = [] {
        std::vector<QString> out;
        const QString folder = QDir::temp().filePath(QStringLiteral("dvx-content-bench"));
        QDir().mkpath(folder);
        QImage image(96, 96, QImage::Format_RGB32);
        for (int i = 0; i < kEntries; ++i) {
            out.push_back(folder + QStringLiteral("/OBJ%1.PPV").arg(i));
            if (QFile::exists(out.back())) continue;
            image.fill(QColor::fromHsv(i % 360, 200, 200));
            image.save(out.back(), "PNG");
        }
        return out;
    }();
    return files;
}

struct Grid {
    QScrollArea area;
    ContentView* view = new ContentView;
    std::unique_ptr<ContentCategoryItem> node =
        ContentCategoryItem::initWithName("Objects", "", nullptr, content::kObjectsCategory, content::kObject3DLibrary);
    Grid(int sizeValue) {
        if (!CurrentDocState()) QMDDocumentModel::alloc()->init();
        port::defaults().setInt(QMDPreviewSizeKey, sizeValue);
        int32_t n = 0;
        for (const QString& file : PreviewFiles())
            node->addSymEntryWithPreviewPath(file.toStdString().c_str(), "i", "d", "Object", ++n, symentry::kObject);
        area.setWidget(view);
        area.viewport()->resize(kVisibleWidth, kVisibleHeight);
        area.resize(kVisibleWidth, kVisibleHeight);
        area.show();
        view->invalidateCacheAndSetNewSource(node.get());
    }
    ~Grid() { view->invalidateCacheAndSetNewSource(nullptr); }
};

void BM_RebuildPreviewCache(benchmark::State& state) {
    EnsureApplication();
    Grid grid(int(state.range(0)));
    const double floor = dvxbench::BestSeconds(1, [] {
        for (const QString& file : PreviewFiles()) {
            QImageReader reader(file);
            reader.setDecideFormatFromContent(true);
            benchmark::DoNotOptimize(reader.read());
        }
    });
    dvxbench::Measured measured(state, "preview cache", floor);
    measured.start();
    for (auto _ : state) grid.view->rebuildPreviewCache();
    measured.report();
}

void BM_PaintVisibleGrid(benchmark::State& state) {
    EnsureApplication();
    Grid grid(int(state.range(0)));
    grid.view->rebuildPreviewCache();
    const int size = ContentView::previewSizeFromUserDefaults();
    const int shown = ((kVisibleWidth + size - 1) / size) * ((kVisibleHeight + size - 1) / size);
    QImage target(kVisibleWidth, kVisibleHeight, QImage::Format_ARGB32_Premultiplied);
    std::vector<QImage> images;
    for (int i = 0; i < shown && i < int(grid.view->previewCount()); ++i) images.push_back(grid.view->previewAt(size_t(i)));
    const double floor = dvxbench::BestSeconds(5, [&] {
        QPainter p(&target);
        for (size_t i = 0; i < images.size(); ++i) p.drawImage(QPointF(double(i % 3) * size, double(i / 3) * size), images[i]);
    });
    dvxbench::Measured measured(state, "grid paint", floor);
    measured.start();
    for (auto _ : state) grid.view->render(&target, QPoint(), QRegion(0, 0, kVisibleWidth, kVisibleHeight));
    measured.report();
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(2)->Arg(4)->ArgName("size_key")->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_RebuildPreviewCache)->Apply(Sizes);
BENCHMARK(BM_PaintVisibleGrid)->Apply(Sizes);
