// Printing the plan: fitted to the printable part of one page, or at the plan scale cut into
// pages. Paper lengths are points, 72 to the inch, whatever the device's resolution.
#include "app/document.h"

#include <QMainWindow>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "app/core/event_handler.h"
#include "app/core/print_layout.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/print_view.h"
#include "port/drawing.h"
#include "port/qt/painter_context.h"

void QMDDocument::printShowingPrintPanel(bool) { runPrint(false); }

void QMDDocument::printToScaleShowingPrintPanel() { runPrint(true); }

void QMDDocument::runPrint(bool toScale) {
    if (!documentModel || !documentModel->itsDocState || !documentModel->itsLayers) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, windowController);
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(printer, toScale);
}

int QMDDocument::printTo(QPagedPaintDevice& device, bool toScale) {
    QPainter painter;
    if (!documentModel || !documentModel->itsDocState || !documentModel->itsLayers || !painter.begin(&device))
        return 0;
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    const QRectF printable = device.pageLayout().paintRect(QPageLayout::Point);
    const int pages = printPages(painter, printable.size(), toScale, [&device] { return device.newPage(); });
    painter.end();
    return pages;
}

int QMDDocument::printPages(QPainter& painter, const QSizeF& printable, bool toScale,
                            const std::function<bool()>& newPage) {
    if (!documentModel || !documentModel->itsDocState || !documentModel->itsLayers) return 0;
    CurrentDocumentScope current(documentModel);
    const DocState* ds = documentModel->itsDocState;
    savedZoom = ds->zoomFactor, savedTopZoom = ds->savedZoom, saved3DZoom = ds->printZoom;
    return PrintCurrentPlan(painter, printable, toScale, newPage);
}

int PrintCurrentPlan(QPainter& painter, const QSizeF& printable, bool toScale, const std::function<bool()>& newPage) {
    const DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument->itsLayers) return 0;
    const SavedViewState saved;
    if (ds->zoomFactor != 1.0f) Win32EventHandler().actualSize();
    const float pageWidth = float(printable.width()), pageHeight = float(printable.height());
    FloatRect drawing = PrintDrawingBounds();
    float scale = 1.0f, frameWidth = pageWidth, frameHeight = pageHeight;
    if (toScale) {
        scale = CalculateTileScale(&drawing);
        frameWidth = (drawing.floatRight - drawing.floatLeft) * scale;
        frameHeight = (drawing.floatBottom - drawing.floatTop) * scale;
    } else {
        const FloatRect paper{0, 0, pageHeight, pageWidth};
        scale = CalculatePaperScale(&drawing, &paper);
    }
    // The drawing's centre on the frame's centre, which is the print view's origin.
    const float translateX = -(drawing.floatLeft + (drawing.floatRight - drawing.floatLeft) / 2) * scale;
    const float translateY = -(drawing.floatTop + (drawing.floatBottom - drawing.floatTop) / 2) * scale;

    int pages = 0;
    {
        const PrintGlobalsScope globals(scale, translateX, translateY);
        const QTransform points = painter.worldTransform();
        const std::vector<PrintTile> tiles =
            toScale ? PrintTiles(frameWidth, frameHeight, pageWidth, pageHeight) : std::vector<PrintTile>{{}};
        QMDDocumentPrintView view;
        for (const PrintTile& tile : tiles) {
            if (pages > 0 && !newPage()) break;
            painter.setWorldTransform(points);
            painter.setClipRect(QRectF(0, 0, pageWidth, pageHeight));
            painter.translate(frameWidth / 2 - tile.left, frameHeight / 2 - tile.top);
            port::qt::QPainterContext context(painter);
            port::DrawingScope scope(context);
            view.drawRect({tile.left - frameWidth / 2, tile.top - frameHeight / 2, pageWidth, pageHeight});
            ++pages;
        }
        painter.setWorldTransform(points);
    }
    saved.restore();
    return pages;
}
