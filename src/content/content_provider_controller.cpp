#include "content/content_provider_controller.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/core/localization_seams.h"
#include "app/widgets.h"
#include "files/content_folders.h"
#include "port/seam.h"

namespace {

// The open provider window, null while none is.
ContentProviderController* sProviders = nullptr;
const port::GlobalReset kReset([] {
    delete sProviders;
    sProviders = nullptr;
});

template <class W>
W* Named(W* w, const char* outlet) {
    w->setObjectName(QString::fromLatin1(outlet));
    return w;
}

}  // namespace

ContentProviderController* ContentProviderController::sharedContentProviderController() {
    if (!sProviders) sProviders = new ContentProviderController();
    return sProviders;
}

bool ContentProviderController::exists() { return sProviders != nullptr; }

ContentProviderController::ContentProviderController()
    : QWidget(nullptr, Qt::Window),
      vendorImageView_(Named(new QLabel(this), "vendorImageView")),
      providerTableView_(Named(new QListWidget(this), "providerTableView")),
      vendorNameText_(Named(new QLabel(this), "vendorNameText")),
      contactInfoText_(Named(new QLabel(this), "contactInfoText")),
      descriptionText_(Named(new QLabel(this), "descriptionText")),
      vendorURLText_(Named(new QMDURLTextField(this), "vendorURLText")) {
    setObjectName(QStringLiteral("ContentProviderWindow"));
    setWindowTitle(QString::fromStdString(LocalizedString("Content Providers")));
    setAttribute(Qt::WA_DeleteOnClose);
    vendorImageView_->setFixedSize(128, 64);
    vendorImageView_->setAlignment(Qt::AlignCenter);
    QFont bold = vendorNameText_->font();
    bold.setBold(true);
    vendorNameText_->setFont(bold);
    descriptionText_->setWordWrap(true);
    auto* details = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{vendorImageView_, vendorNameText_, contactInfoText_,
                                                      descriptionText_, vendorURLText_})
        details->addWidget(w);
    details->addStretch(1);
    // Closed by one click: without a window manager no close box is drawn.
    auto* close = Named(new QPushButton(QString::fromStdString(LocalizedString("Close")), this), "closeButton");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* grid = new QGridLayout(this);
    grid->addWidget(providerTableView_, 0, 0);
    grid->addLayout(details, 0, 1);
    grid->addWidget(close, 1, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    resize(520, 300);
    connect(providerTableView_, &QListWidget::currentRowChanged, this,
            &ContentProviderController::setControlsForEntryAtIndex);

    populateProviderList();
    for (const ContentProviderEntry& e : providerList_) providerTableView_->addItem(QString::fromStdString(e.vendor()));
    if (!providerList_.empty())
        providerTableView_->setCurrentRow(0);
    else
        vendorNameText_->setText(QString::fromStdString(LocalizedString("No Vendors Found")));
    windowDidLoad();
}

void ContentProviderController::populateProviderList() {
    providerList_ = ReadContentProviders(LocalDomainContentProviderPath());
}

void ContentProviderController::setControlsForEntryAtIndex(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= providerList_.size()) return;
    const ContentProviderEntry& e = providerList_[static_cast<size_t>(index)];
    vendorNameText_->setText(QString::fromStdString(e.vendor()));
    contactInfoText_->setText(QString::fromStdString(e.contactInfo()));
    descriptionText_->setText(QString::fromStdString(e.description()));
    vendorURLText_->setText(QString::fromStdString(e.vendorURL()));
    vendorURLText_->setVendorURL(QString::fromStdString(e.vendorURL()));
    // A logo that cannot be read leaves the one shown.
    const QImage logo = e.vendorImagePath.empty() ? QImage() : QImage(QString::fromStdString(e.vendorImagePath));
    if (!logo.isNull())
        vendorImageView_->setPixmap(QPixmap::fromImage(logo).scaled(vendorImageView_->size(), Qt::KeepAspectRatio,
                                                                    Qt::SmoothTransformation));
}

void ContentProviderController::windowDidLoad() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    // Centred across and above the middle: the bottom edge lies (height - h) / 1.2 above the
    // bottom of the visible frame.
    const QRect v = screen->availableGeometry();
    const QSize s = frameGeometry().size();
    const double left = v.x() + (v.width() - s.width()) * 0.5;
    const double bottomGap = (v.height() - s.height()) / 1.2;
    const double top = v.y() + v.height() - bottomGap - s.height();
    move(static_cast<int>(left), static_cast<int>(top));
}

void ContentProviderController::closeEvent(QCloseEvent* event) {
    if (sProviders == this) sProviders = nullptr;
    QWidget::closeEvent(event);
}
