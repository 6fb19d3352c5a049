// The descriptor of the photo-view PowerTool (ID 109): the program itself asks for an image
// and inserts the photo, so the tool has no program of its own; the descriptor names one all
// the same, since an entry needs it, and nothing ever starts it.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <string>

#include "contentgen.h"
#include "files/content_folders.h"
#include "output.h"
#include "port/files.h"

namespace contentgen {

namespace {

constexpr const char* kToolFolder = "PhotoView";

// A framed landscape photo: sky, a sun, two hills.
QImage PhotoToolPicture(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double u = pixels / 64.0;
    const QRectF frame(6 * u, 12 * u, 52 * u, 40 * u);
    p.setPen(QPen(QColor(60, 60, 64), 3 * u));
    p.setBrush(QColor(150, 200, 235));
    p.drawRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 70));
    p.drawEllipse(QPointF(44 * u, 22 * u), 5 * u, 5 * u);
    QPainterPath hills;
    hills.moveTo(7.5 * u, 50.5 * u);
    hills.lineTo(7.5 * u, 40 * u);
    hills.quadTo(20 * u, 26 * u, 34 * u, 42 * u);
    hills.quadTo(44 * u, 34 * u, 56.5 * u, 44 * u);
    hills.lineTo(56.5 * u, 50.5 * u);
    hills.closeSubpath();
    p.setBrush(QColor(80, 150, 70));
    p.drawPath(hills);
    return image;
}

}  // namespace

bool WritePowerTools(const std::string& /*root: the folders below come from it*/) {
    const std::string plugins = LocalDomainPowerToolPath();
    const std::string descriptor =
        "[Description]\n"
        "FileVersion=5000\n"
        "MinFileVersion=5000\n"
        "ID=109\n"
        "Type=1\n"
        "DeveloperID=1\n"
        "RefID=109\n"
        "DisplayName=Photo View\n"
        "DisplayDescription=Places a photo from an image file in the plan. It stands upright in the 3D view; "
        "move, size and flip it like any object.\n"
        "AppleAppID=com.dedarovozurev.photoview\n"
        "Directory=" + std::string(kToolFolder) + "\n"
        "PlugIn=PhotoView\n"
        "Image=PhotoView.png\n";
    bool ok = WriteText(port::JoinPath(plugins, "PhotoView.PEG"), descriptor);
    ok = WritePng(port::JoinPath(port::JoinPath(plugins, kToolFolder), "PhotoView.png"), PhotoToolPicture(64)) && ok;
    return ok;
}

}  // namespace contentgen
