// A plug-in tool for the tests, started by the program like any other: it reads the design
// the program left in its exchange folder, hands back one new wall and says so over the
// channel. With the argument "no-update" it hands back nothing.
#include <QCoreApplication>
#include <QLocalSocket>

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
    const bool update = !(argc > 1 && std::string(argv[1]) == "no-update");
    const std::string path = port::JoinPath(Env(kPowerToolFolderVariable), kExchangeFileName);
    const auto plugInID = static_cast<int32_t>(Number(kPowerToolIDVariable));

    bool answered = false;
    QMDDocumentModel* design = QMDDocumentModel::alloc()->init();
    if (update && design && PlugInFileRead(path.c_str(), plugInID) == 1) {
        Objex* wall = dvxtest::Wall(design->itsCurLayer, {{0, 0}, {480, 0}});
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
