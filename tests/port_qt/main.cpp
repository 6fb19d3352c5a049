// One QApplication for the whole run, on the offscreen platform unless told otherwise.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("DVX_TEST_TMP", DVX_PORT_QT_TMP, 0);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("DovranixTests"));
    QApplication::setApplicationName(QStringLiteral("port_qt"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
