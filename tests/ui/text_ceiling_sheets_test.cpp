// The text, ceiling builder and small value sheets on a document window of the offscreen
// platform, on the inspector fixture design: what each shows, what its OK stores and the undo
// steps it leaves.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "files/content_folders.h"
#include "model/type_data.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/sheets/roroz_erud_info_controller.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

class TextCeilingSheets : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("text_ceiling_sheets"); }
    SheetDialog* sheet() {
        for (SheetDialog* s : w->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    template <class T = QLineEdit>
    T* find(const char* outlet) { return sheet()->findChild<T*>(QString::fromLatin1(outlet)); }
    bool press(const char* button) {
        QPointer<SheetDialog> s = sheet();
        if (!s) return false;
        QTest::mouseClick(s->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        return QTest::qWaitFor([&] { return s.isNull(); });
    }
    // A picture of `width` x `height` pixels written at `path`.
    static std::string Picture(const std::string& path, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(QFile::decodeName(path.c_str()), "PNG"));
        return path;
    }
    void setPhotoPath(const std::string& path) {
        FreeString(design.photo->typeData.imagePath);
        design.photo->typeData = TypeData::OfImagePath(CopyString(path.c_str()));
    }
};

// The photo's file as it is named, found by its file name in the content folder, or nowhere.
TEST_F(TextCeilingSheets, PhotoInformationShowsTheFileFoundAndItsSize) {
    const std::string own = Picture(FreshTempFolder("photo_own") + "/porch.png", 30, 20);
    const std::string content = LocalDomainContentPath();
    QDir().mkpath(QFile::decodeName(content.c_str()));
    Picture(content + "/moved.png", 12, 48);
    struct Row {
        std::string path, shown, width, height;
        bool preview;
    };
    const Row rows[] = {
        {own, own, "30 pixels", "20 pixels", true},
        {"/gone/away/moved.png", content + "/moved.png", "12 pixels", "48 pixels", true},
        {"/gone/away/none.png", "Image not found.", "n/a", "n/a", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        setPhotoPath(r.path);
        ASSERT_TRUE(RorozErudInfoController::newRorozErudInfoSheetForParent(w->centralWidget(), design.photo));
        EXPECT_EQ(std::tuple(sheet()->objectName(), sheet()->parentWidget(), sheet()->windowModality()),
                  std::tuple(QString("RorozErudInfoSheet"), static_cast<QWidget*>(w), Qt::WindowModal));
        EXPECT_EQ(find<QPlainTextEdit>("pathTextView")->toPlainText().toStdString(), r.shown);
        EXPECT_EQ(std::tuple(find<QLabel>("imageWidthText")->text().toStdString(),
                             find<QLabel>("imageHeightText")->text().toStdString(),
                             !find<QLabel>("previewImageView")->pixmap().isNull()),
                  std::tuple(r.width, r.height, r.preview));
        ASSERT_TRUE(press(r.preview ? "okButton" : "cancelButton"));
    }
    // The lookup never rewrites the object's own path; nothing was stored.
    EXPECT_STREQ(design.photo->typeData.imagePath, "/gone/away/none.png");
    setPhotoPath("/gone/away/moved.png");
    ASSERT_TRUE(RorozErudInfoController::newRorozErudInfoSheetForParent(w, design.photo));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(std::string(design.photo->typeData.imagePath), steps()),
              std::tuple(std::string("/gone/away/moved.png"), 0));

    EXPECT_EQ(RorozErudInfoController::newRorozErudInfoSheetForParent(nullptr, design.photo), nullptr);
    EXPECT_EQ(RorozErudInfoController::newRorozErudInfoSheetForParent(w, nullptr), nullptr);
    EXPECT_EQ(sheet(), nullptr);
}

}  // namespace
}  // namespace dvxtest
