// A plug-in tool for the tests, started by the program like any other: it reads the design
// the program left in its exchange folder, hands back one new wall and says so over the
// channel. The wall runs between the plan points in DVX_TEST_PLUGIN_WALL ("h1 d1 h2 d2"),
// else from (0, 0) to (480, 0).
#include <QCoreApplication>
#include <QLocalSocket>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/document_model.h"
#include "port/files.h"
#include "powertools/core/exchange_file_reader.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "powertools/core/power_tool_message.h"
#include "support/build.h"
#include "support/result_builder.h"

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

int64_t Number(const char* name) { return std::atoll(Env(name).c_str()); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string path = port::JoinPath(Env(kPowerToolFolderVariable), kExchangeFileName);
    const auto plugInID = static_cast<int32_t>(Number(kPowerToolIDVariable));

    bool answered = false;
    QMDDocumentModel* design = QMDDocumentModel::alloc()->init();
    if (design && PlugInFileRead(path.c_str(), plugInID) == 1) {
        float h1 = 0, d1 = 0, h2 = 480, d2 = 0;
        std::sscanf(Env("DVX_TEST_PLUGIN_WALL").c_str(), "%f %f %f %f", &h1, &d1, &h2, &d2);
        Objex* wall = dvxtest::Wall(design->itsCurLayer, {{h1, d1}, {h2, d2}});
        dvxtest::ResultBuilder(plugInID).object(wall).end().save(path);
        answered = true;
    }

    const PowerToolMessage message{answered ? kPowerToolClosingUpdate : kPowerToolClosingNoUpdate,
                                   {{kAuxDictPowerToolIDKey, PowerToolValue::Of(int64_t(plugInID))},
                                    {kAuxDictUserIDKey, PowerToolValue::Of(Number(kPowerToolUserVariable))},
                                    {kAuxDictDocumentIDKey, PowerToolValue::Of(Number(kPowerToolDocumentVariable))}}};
    const std::vector<uint8_t> bytes = EncodePowerToolMessage(message);
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(Env(kPowerToolChannelVariable)));
    if (!socket.waitForConnected(5000)) return 3;
    socket.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    if (!socket.waitForBytesWritten(5000)) return 4;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(5000);
    return answered ? 0 : 1;
}
