#include "port/qt/install.h"
#include "port/qt/platform.h"

#include "port/files.h"
#include "port/services.h"
#include "support/doubles.h"
#include "support/fixture.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <cstring>
#include <vector>

namespace {

class QtPort : public dvxtest::ServicesTest {};

// Settings of this test only, in its own folder.
void useSettingsIn(const std::string& dir) {
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QString::fromStdString(dir));
}

TEST_F(QtPort, DecodesBottomRowFirstWithoutPadding) {
    const std::string dir = dvxtest::FreshTempFolder("img");
    // Three pixels of three bytes leave Qt's scan lines padded; the result must not be.
    QImage image(3, 2, QImage::Format_RGB888);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(10 * x + 1, 100 + y, 200 + x + 10 * y));
    const std::string path = port::JoinPath(dir, "tiny.png");
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));

    port::qt::QtImageDecoder decoder;
    port::DecodedImage out;
    ASSERT_TRUE(decoder.decode(path, out));
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.height, 2);
    const std::vector<uint8_t> expected = {
        1, 101, 210, 11, 101, 211, 21, 101, 212,  // bottom row (y = 1)
        1, 100, 200, 11, 100, 201, 21, 100, 202,  // top row
    };
    EXPECT_EQ(out.rgb, expected);

    EXPECT_FALSE(decoder.decode(port::JoinPath(dir, "missing.png"), out));
    EXPECT_TRUE(out.rgb.empty());
    const std::string junk = port::JoinPath(dir, "junk.png");
    ASSERT_TRUE(port::WriteWholeFile(junk, "\x89PNG\r\n\x1a\nbroken", 14));
    EXPECT_FALSE(decoder.decode(junk, out));
    EXPECT_EQ(out.width, 0);
}

TEST_F(QtPort, SettingsKeepTypedValuesAcrossReloads) {
    useSettingsIn(dvxtest::FreshTempFolder("settings"));
    const std::string macRoman("45\xBC", 3);
    {
        port::qt::QtUserDefaults d;
        d.registerDefaults({{"QMDUnits", int64_t(3)}, {"QMDGridOn", true}});
        EXPECT_EQ(d.getInt("QMDUnits"), 3);
        d.setInt("QMDUnits", 42);
        d.setBool("QMDGridOn", false);
        d.setDouble("QMDZoom", 2.5);
        d.setString("QMDName", "Caf\u00e9 a/b=c");
        d.setString("QMDMark", macRoman);
        EXPECT_EQ(d.getInt("QMDUnits"), 42);
        EXPECT_FALSE(d.getBool("QMDGridOn"));
        EXPECT_EQ(d.getString("QMDMark"), macRoman);
        const char sep = d.decimalSeparator();
        EXPECT_TRUE(sep == '.' || sep == ',');
    }
    port::qt::QtUserDefaults again;
    again.registerDefaults({{"QMDUnits", int64_t(3)}, {"QMDGridOn", true}});
    EXPECT_EQ(again.getInt("QMDUnits"), 42);
    EXPECT_FALSE(again.getBool("QMDGridOn"));
    EXPECT_DOUBLE_EQ(again.getDouble("QMDZoom"), 2.5);
    EXPECT_EQ(again.getString("QMDName"), "Caf\u00e9 a/b=c");
    EXPECT_EQ(again.getString("QMDMark"), macRoman);
    again.remove("QMDUnits");
    EXPECT_EQ(again.getInt("QMDUnits"), 3);
    EXPECT_FALSE(again.has("QMDNever"));
}

TEST_F(QtPort, SettingsWrittenByHandAreReadAsText) {
    const std::string dir = dvxtest::FreshTempFolder("handmade");
    useSettingsIn(dir);
    const std::string folder = port::JoinPath(dir, "DovranixTests");
    ASSERT_TRUE(port::MakeFolder(folder));
    const std::string text = "[General]\nQMDGridOn=false\nQMDSnap=true\nQMDUnits=42\nQMDZoom=2.5\n";
    ASSERT_TRUE(port::WriteWholeFile(port::JoinPath(folder, "port_qt.conf"), text.data(), text.size()));
    port::qt::QtUserDefaults d;
    d.registerDefaults({{"QMDGridOn", true}});
    EXPECT_FALSE(d.getBool("QMDGridOn"));
    EXPECT_TRUE(d.getBool("QMDSnap"));
    EXPECT_EQ(d.getInt("QMDUnits"), 42);
    EXPECT_DOUBLE_EQ(d.getDouble("QMDZoom"), 2.5);
}

TEST_F(QtPort, SheetOpensOnTheMainWindowAndReportsTheButton) {
    QMainWindow window;
    window.show();
    ASSERT_EQ(port::qt::QtAlerts::sheetParent(), &window);

    port::qt::QtAlerts alerts;
    int ended = -1;
    alerts.beginSheet({"Save \u201cHouse\u201d at 45\u00b0?", "Changes will be lost.",
                       {"Save", "Cancel", "Don't Save"}, port::Alert::Style::Warning},
                      [&](int i) { ended = i; });
    EXPECT_EQ(ended, -1);  // the sheet stays open until a button closes it
    auto* box = window.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    EXPECT_EQ(box->text(), QString::fromUtf8("Save \u201cHouse\u201d at 45\u00b0?"));
    QAbstractButton* dontSave = nullptr;
    for (QAbstractButton* b : box->buttons())
        if (b->text() == QStringLiteral("Don't Save")) dontSave = b;
    ASSERT_NE(dontSave, nullptr);
    dontSave->click();
    EXPECT_EQ(ended, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<QMessageBox*>(), nullptr);
}

// A window shows one alert sheet at a time: a second begun while the first is up waits until
// the first is answered; one waiting on a window that closes goes with it, unanswered.
TEST_F(QtPort, ASecondSheetWaitsUntilTheFirstIsAnswered) {
    auto* window = new QMainWindow;
    window->show();
    port::qt::QtAlerts alerts;
    std::vector<std::string> ended;
    const auto open = [&](const char* title) {
        alerts.beginSheet({title, "", {"OK"}}, [&ended, title](int) { ended.push_back(title); });
    };
    const auto shown = [window] {
        QStringList texts;
        for (QMessageBox* box : window->findChildren<QMessageBox*>())
            if (box->isVisible()) texts << box->text();
        return texts;
    };
    open("first"), open("second");
    EXPECT_EQ(shown(), QStringList{"first"});
    window->findChildren<QMessageBox*>().first()->buttons().first()->click();
    EXPECT_EQ(shown(), QStringList{"second"});
    EXPECT_EQ(ended, std::vector<std::string>{"first"});
    open("third");
    delete window;  // the second is up and the third waits: neither is answered
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ended, std::vector<std::string>{"first"});
    auto* next = new QMainWindow;
    next->show();
    open("on the next window");
    EXPECT_EQ(next->findChildren<QMessageBox*>().size(), 1);
    delete next;
}

TEST_F(QtPort, WithoutAWindowTheSheetRunsModal) {
    ASSERT_EQ(port::qt::QtAlerts::sheetParent(), nullptr);
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == QStringLiteral("Revert")) b->click();
    });
    port::qt::QtAlerts alerts;
    int ended = -1;
    alerts.beginSheet({"Revert?", "", {"Keep", "Revert"}}, [&](int i) { ended = i; });
    EXPECT_EQ(ended, 1);
}

TEST_F(QtPort, FontsAndInstallation) {
    LOGFONT lf;
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = -16;
    lf.lfItalic = 1;
    port::qt::QtFonts fonts;
    const port::FontDescriptor d = fonts.fontFor(lf);
    EXPECT_FALSE(d.family.empty());
    EXPECT_FLOAT_EQ(d.pointSize, 16.0f);
    EXPECT_EQ(d.traits, port::kItalicTrait);

    useSettingsIn(dvxtest::FreshTempFolder("install"));
    port::qt::InstallQtPlatform();
    EXPECT_NE(dynamic_cast<port::qt::QtUserDefaults*>(&port::defaults()), nullptr);
    EXPECT_NE(dynamic_cast<port::qt::QtAlerts*>(&port::alerts()), nullptr);
    EXPECT_NE(dynamic_cast<port::qt::QtFolders*>(&port::folders()), nullptr);
    EXPECT_NE(dynamic_cast<port::qt::QtImageDecoder*>(&port::imageDecoder()), nullptr);
    EXPECT_NE(dynamic_cast<port::qt::QtFonts*>(&port::fonts()), nullptr);
    EXPECT_NE(dynamic_cast<port::qt::QtDocumentUndo*>(&port::documentUndo()), nullptr);
    EXPECT_FALSE(port::folders().temporaryBase().empty());
    port::ResetServices();
    EXPECT_EQ(dynamic_cast<port::qt::QtAlerts*>(&port::alerts()), nullptr);
}

} // namespace
