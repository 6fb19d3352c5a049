#include "content/content_view.h"

#include <QCursor>
#include <QDrag>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

#include "app/core/preference_keys.h"
#include "plan/status_readouts.h"
#include "content/content_drag.h"
#include "content/core/content_category_item.h"
#include "model/content_types.h"
#include "model/trim_placement.h"
#include "files/content_folders.h"
#include "files/custom_definitions.h"
#include "commands/custom_attachment_commands.h"
#include "files/ini.h"
#include "model/document_model.h"
#include "port/defaults.h"
#include "port/files.h"
#include "port/macroman.h"

namespace {

QString Path(const std::string& path) { return QString::fromStdString(port::MacRomanToUtf8(path)); }
QString InFolder(const std::string& folder, const std::string& relative) {
    return relative.empty() ? QString() : Path(SharedFile(port::JoinPath(folder, relative)));
}

// Library files carry their own extensions: the format is told by the content.
QImage Decode(const QString& path) {
    if (path.isEmpty()) return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage Sized(const QImage& image, int size) {
    if (image.isNull()) return image;
    return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Plant and cut-out textures are black where transparent; a light blue-grey reads better.
QImage WithBlackReplaced(const QImage& texture, int size) {
    if (texture.isNull()) return texture;
    QImage bitmap = texture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            if ((line[x] & 0x00ffffffu) == 0) line[x] = qRgba(157, 172, 193, qAlpha(line[x]));
    }
    return Sized(bitmap, size);
}

bool IsImageLibrary(int16_t type) { return type == 0 || (type >= 10 && type <= 26); }

}  // namespace

ContentView::ContentView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("contentView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void ContentView::invalidateCacheAndSetNewSource(ContentCategoryItem* item) {
    previewCache_.clear();
    cacheSource_ = item;
}

int ContentView::previewSizeFromUserDefaults() {
    const port::UserDefaults& d = port::defaults();
    return content::PreviewSizeForValue(d.has(QMDPreviewSizeKey) ? d.getInt(QMDPreviewSizeKey) : 2);
}

bool ContentView::hasEntries() const {
    return cacheSource_ && cacheSource_->numberOfChildren() == 0 && cacheSource_->numberOfSymEntries() > 0;
}

QScrollArea* ContentView::enclosingScrollArea() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w)) return area;
    return nullptr;
}

QRectF ContentView::visibleRect() const {
    if (QScrollArea* area = enclosingScrollArea()) {
        const QPoint origin = mapFrom(area->viewport(), QPoint(0, 0));
        return QRectF(origin, QSizeF(area->viewport()->size()));
    }
    return QRectF(rect());
}

content::GridSize ContentView::optimalViewSize() const {
    const bool shown = cacheSource_ && cacheSource_->numberOfChildren() == 0;
    const size_t entries = shown ? cacheSource_->numberOfSymEntries() : 0;
    const auto grid = [&](QSizeF visible) {
        return content::OptimalViewSize(shown, entries, previewSize_, previewSize_, visible.width(), visible.height());
    };
    QScrollArea* area = enclosingScrollArea();
    if (!area) return grid(size());
    // The visible part is what the area leaves beside the scroll bars this grid calls for, not
    // the viewport as the last size left it: a grid that needs a bar whose room then drops a
    // column or a row would show and hide that bar for ever. Each way the bars can stand is
    // tried, and the first whose grid needs exactly those bars taken; when none does, the grid
    // of the smallest part, which needs no more bars than it gets, stretched to the edges of the
    // part its bars leave.
    const QSize room = area->maximumViewportSize();
    const auto extent = [area](QScrollBar* bar, Qt::ScrollBarPolicy policy, bool across) {
        if (policy != Qt::ScrollBarAsNeeded || area->style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, bar))
            return 0;  // a bar that never takes or gives room
        return across ? bar->sizeHint().height() : bar->sizeHint().width();
    };
    const int across = extent(area->horizontalScrollBar(), area->horizontalScrollBarPolicy(), true);
    const int down = extent(area->verticalScrollBar(), area->verticalScrollBarPolicy(), false);
    content::GridSize s;
    for (const auto& [h, v] : {std::pair(false, false), std::pair(false, true), std::pair(true, false), std::pair(true, true)}) {
        if ((h && !across) || (v && !down)) continue;
        const QSize visible(room.width() - (v ? down : 0), room.height() - (h ? across : 0));
        s = grid(visible);
        const bool wider = std::ceil(s.width) > visible.width(), taller = std::ceil(s.height) > visible.height();
        if ((!across || wider == h) && (!down || taller == v)) return s;
    }
    // Stretched no further than those edges, it calls for no other bar, and its columns stay:
    // the wider part still holds no more whole previews, or a bar would have been stable.
    bool h = false, v = false;
    for (int pass = 0; pass < 2; ++pass) {
        h = across && std::ceil(s.width) > room.width() - (v ? down : 0);
        v = down && std::ceil(s.height) > room.height() - (h ? across : 0);
    }
    s.width = std::max(s.width, double(room.width() - (v ? down : 0)));
    s.height = std::max(s.height, double(room.height() - (h ? across : 0)));
    return s;
}

void ContentView::rebuildPreviewCache() {
    previewCache_.clear();
    previewSize_ = previewSizeFromUserDefaults();
    const int size = previewSize_;
    if (cacheSource_ && cacheSource_->numberOfChildren() == 0) {
        for (const SymEntryInfo& e : cacheSource_->symEntries()) {
            Preview p;
            switch (e.type) {
            case symentry::kObject:
            case symentry::kTemplate:
            case symentry::kStockTrim:
            case symentry::kSymbol: p.image = Sized(Decode(Path(e.objectPreview)), size); break;
            case symentry::kStockMaterial: p.path = Path(e.objectData); break;
            case symentry::kStockPlant:
            case symentry::kUserPlant:
                if (!e.objectPreview.empty()) p.path = Path(e.objectPreview);
                else p.image = WithBlackReplaced(Decode(Path(e.objectData)), size);
                break;
            case symentry::kCustomTexture: {
                if (e.objectData.empty() || e.objectInfo.empty()) break;
                const std::string root = LocalDomainCustomTexturePath();
                if (!e.objectPreview.empty()) {
                    p.path = InFolder(root, e.objectPreview);
                    break;
                }
                const QImage texture = Decode(InFolder(root, e.objectData));
                const std::string info = port::JoinPath(root, e.objectInfo);
                const bool cutOut = (GetPrivateProfileInt("Opacity", "Alpha", 0, info.c_str()) & 0xff) != 0;
                p.image = cutOut ? WithBlackReplaced(texture, size) : Sized(texture, size);
                break;
            }
            case symentry::kCustomWindow: p.image = Sized(Decode(InFolder(LocalDomainCustomWindowPath(), e.objectPreview)), size); break;
            case symentry::kCustomDoor: p.image = Sized(Decode(InFolder(LocalDomainCustomDoorPath(), e.objectPreview)), size); break;
            case symentry::kCustomTrim:
                p.image = Sized(Decode(InFolder(LocalDomainCustomTrimPath(), e.objectPreview)), size);
                if (!gApplyTrimAsBase) p.image = p.image.mirrored(false, true);
                break;
            default: break;
            }
            // A file read when drawn must at least be there; an image that failed adds nothing.
            if (!p.path.isEmpty() ? port::FileExists(p.path.toStdString()) : !p.image.isNull())
                previewCache_.push_back(std::move(p));
        }
    }
    fitToVisibleArea();
    update();
    makeSelectedItemVisible();
}

void ContentView::fitToVisibleArea() {
    const content::GridSize s = optimalViewSize();
    const QSize want(int(std::ceil(s.width)), int(std::ceil(s.height)));
    if (want == size()) return;
    resize(want);
    update();  // the columns may have changed: every cell moves
}

bool ContentView::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange) {
        if (watchedParent_) watchedParent_->removeEventFilter(this);
        watchedParent_ = parentWidget();
        if (watchedParent_) watchedParent_->installEventFilter(this);
    }
    return QWidget::event(event);
}

bool ContentView::eventFilter(QObject* watched, QEvent* event) {
    // The view is made and filled before its area has its width, and the area changes with
    // the window, the side column and the inspector beside it.
    if (watched == watchedParent_ && event->type() == QEvent::Resize) fitToVisibleArea();
    return QWidget::eventFilter(watched, event);
}

QImage ContentView::previewAt(size_t i) const {
    if (i >= previewCache_.size()) return {};
    const Preview& p = previewCache_[i];
    if (p.image.isNull() && !p.path.isEmpty()) {
        p.image = Sized(Decode(p.path), previewSize_);
        if (p.image.isNull()) {  // unreadable: a blank preview keeps the cells in step
            p.image = QImage(previewSize_, previewSize_, QImage::Format_ARGB32);
            p.image.fill(Qt::white);
        }
    }
    return p.image;
}

void ContentView::makeSelectedItemVisible() {
    if (!hasEntries() || cacheSource_->selectionIndex() >= cacheSource_->numberOfSymEntries()) return;
    const content::GridCell c =
        content::CellOfIndex(cacheSource_->selectionIndex(), optimalViewSize().width, previewSize_, previewSize_);
    if (QScrollArea* area = enclosingScrollArea())
        area->ensureVisible(int(c.x + c.width / 2), int(c.y + c.height / 2), int(c.width / 2), int(c.height / 2));
}

void ContentView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRectF dirty(event->rect());
    p.fillRect(dirty, Qt::white);
    trackingAreas_.clear();
    enteredArea_ = -1;
    if (!CurrentDocState()) return;
    const content::GridSize optimal = optimalViewSize();
    const QRectF visible = visibleRect();
    if (optimal.width != visible.width() || optimal.height != visible.height()) {
        const QSize want(int(std::ceil(optimal.width)), int(std::ceil(optimal.height)));
        if (want != size()) resize(want);
    }
    if (hasEntries()) {
        const double pw = previewSize_, ph = previewSize_;
        const int16_t library = cacheSource_->libraryType();
        const size_t count = cacheSource_->numberOfSymEntries();
        const size_t selection = cacheSource_->selectionIndex();
        std::optional<QRectF> frame;
        QRectF last;
        for (size_t i = 0; i < count; ++i) {
            const content::GridCell c = content::CellOfIndex(i, optimal.width, pw, ph);
            const QRectF cell(c.x, c.y, c.width, c.height);
            if (i + 1 == count) last = cell;
            if (!cell.intersects(dirty)) continue;
            const SymEntryInfo& e = *cacheSource_->symEntryAtIndex(i);
            const QString description = QString::fromStdString(port::MacRomanToUtf8(e.objectDescription));
            if (IsImageLibrary(library)) {
                if (previewCache_.size() > i) {
                    p.drawImage(cell.topLeft(), previewAt(i));
                    trackingAreas_.push_back({cell, description});
                }
            } else if (library >= 2 && library <= 9) {
                p.fillRect(cell, QColor(e.textureColor.red & 0xff, e.textureColor.green & 0xff, e.textureColor.blue & 0xff));
                if (library == content::kPaintLibrary) trackingAreas_.push_back({cell, description});
            }
            if (i == selection) frame = cell.adjusted(1, 1, -1, -1);
        }
        // The empty parts clear the status text.
        const int64_t columns = std::max<int64_t>(content::GridColumns(optimal.width, pw), 1);
        if (dirty.right() > last.right())
            trackingAreas_.push_back({QRectF(last.right(), last.top(), dirty.right() - last.right(), ph), {}});
        if (dirty.bottom() > last.bottom())
            trackingAreas_.push_back({QRectF(dirty.left(), last.bottom(), dirty.width(), dirty.bottom() - last.bottom()), {}});
        if (dirty.width() > double(columns) * pw)
            trackingAreas_.push_back({QRectF(double(columns) * pw, dirty.top(), dirty.width() - double(columns) * pw,
                                             dirty.height()), {}});
        trackingAreas_.push_back({visible, {}});
        if (frame) {
            p.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 3));
            p.setBrush(Qt::NoBrush);
            p.drawRect(*frame);
        }
    }
    if (fadeVisibleRect_) {
        p.setOpacity(0.6);
        p.fillRect(visible, Qt::white);
    }
}

void ContentView::mousePressEvent(QMouseEvent* event) {
    pressed_ = false;
    if (event->button() != Qt::LeftButton || !hasEntries()) return;
    const QPointF at = event->position();
    const content::GridHit hit = content::IndexAtPoint(at.x(), at.y(), width(), previewSize_, previewSize_);
    if (hit.outside) {
        ignoreDragEvents_ = true;
        return;
    }
    cacheSource_->setSelectionIndex(uint32_t(hit.index));
    ignoreDragEvents_ = hit.index >= cacheSource_->numberOfSymEntries();
    pressed_ = true;
    pressedAt_ = at;
    const int16_t library = cacheSource_->libraryType();
    // A click below the last door applies the door already selected.
    if (library == content::kCustomDoorLibrary || (library == content::kCustomWindowLibrary && !ignoreDragEvents_))
        ApplyCurCustAttachToSelectedWinAndDoor();
    update();
}

void ContentView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        showTrackingAreaAt(event->position());
        return;
    }
    if (!pressed_ || (event->position() - pressedAt_).manhattanLength() < 3) return;
    pressed_ = false;
    // The press began it: a busy program hears of the move late, the pointer gone on by then.
    startDrag(pressedAt_);
}

void ContentView::startDrag(QPointF from) {
    if (!hasEntries() || ignoreDragEvents_) return;
    const SymEntryInfo* entry = cacheSource_->symEntryAtIndex(cacheSource_->selectionIndex());
    if (!entry) return;
    std::unique_ptr<ContentDragMimeData> data = ContentDragMimeData::forEntry(cacheSource_->libraryType(), *entry);
    if (!data) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    const QPixmap picture = QPixmap::fromImage(ContentDragImage());
    const QPoint hotSpot(9, 8);
    drag->setPixmap(picture);
    drag->setHotSpot(hotSpot);
    const QPoint began = mapToGlobal(from).toPoint();
    // Only this program's own views know the types: a copy, nothing else.
    if (drag->exec(Qt::CopyAction, Qt::CopyAction) == Qt::IgnoreAction)
        slideBack_ = DragSlideBack::start(picture, hotSpot, QCursor::pos(), began);
}

void ContentView::showTrackingAreaAt(QPointF at) {
    // The innermost area under the pointer: cells come before the empty parts.
    int found = -1;
    for (size_t i = 0; i < trackingAreas_.size(); ++i)
        if (trackingAreas_[i].rect.contains(at)) {
            found = int(i);
            break;
        }
    if (found == enteredArea_) return;
    enteredArea_ = found;
    SetStatusBar(found < 0 ? "" : port::Utf8ToMacRoman(trackingAreas_[size_t(found)].description.toStdString()).c_str());
}

void ContentView::leaveEvent(QEvent* event) {
    enteredArea_ = -1;
    SetStatusBar("");
    QWidget::leaveEvent(event);
}
