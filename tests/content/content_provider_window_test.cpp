// The vendor window offscreen over a providers folder written per case: what it lists and
// shows, where a click on the address goes, and a fresh reading after it closes.
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/widgets.h"
#include "content/content_provider_controller.h"
#include "files/content_folders.h"
#include "port/files.h"
#include "support/doubles.h"
#include "support/fixture.h"

namespace dvxtest {
namespace {

class ProviderWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("providers"));
        port::setFolders(folders.get());
        dir = LocalDomainContentProviderPath();
        port::MakeFolder(dir.substr(0, dir.rfind('/'))), port::MakeFolder(dir);
        QMDURLTextField::setOpener([this](const QUrl& u) { opened << u.toString(); });
    }
    void TearDown() override { ResetAllGlobals(); }
    void Write(const char* name, const std::string& body) {
        const std::string text = "[Provider]\n" + body;
        port::WriteWholeFile(dir + "/" + name, text.data(), text.size());
    }
    template <class T>
    T* Get(QWidget* w, const char* outlet) {
        T* c = w->findChild<T*>(QString::fromLatin1(outlet));
        EXPECT_NE(c, nullptr) << outlet;
        return c;
    }

    std::unique_ptr<TempFolders> folders;
    std::string dir;
    QStringList opened;
};

TEST_F(ProviderWindow, ListsVendorsAndOpensTheirAddressWithTheScheme) {
    auto* w = ContentProviderController::sharedContentProviderController();
    EXPECT_EQ(Get<QLabel>(w, "vendorNameText")->text(), "No Vendors Found");
    w->close();
    ASSERT_FALSE(ContentProviderController::exists());

    Write("b.ppi", "Name=Birch Co\nURL=example.com/x\nPhone=555-1\n");
    Write("a.PPI", "Name=Alder\n");
    w = ContentProviderController::sharedContentProviderController();
    auto* list = Get<QListWidget>(w, "providerTableView");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(std::tuple(list->item(0)->text(), list->item(1)->text(), Get<QLabel>(w, "vendorNameText")->text()),
              std::tuple(QString("Alder"), QString("Birch Co"), QString("Alder")));
    auto* url = Get<QMDURLTextField>(w, "vendorURLText");
    w->show();
    QTest::mouseClick(url, Qt::LeftButton);  // Alder has no address
    list->setCurrentRow(1);
    EXPECT_EQ(Get<QLabel>(w, "contactInfoText")->text(), "Phone: 555-1\n");
    QTest::mouseClick(url, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList({"http://example.com/x"}));
    w->setControlsForEntryAtIndex(7), w->setControlsForEntryAtIndex(-1);
    EXPECT_EQ(Get<QLabel>(w, "vendorNameText")->text(), "Birch Co");
}

}  // namespace
}  // namespace dvxtest
