// The Russian texts are written here in UTF-8 and held as Windows-1251 bytes.
#include "core/Texts.h"

#include "core/Cp1251.h"

namespace texts {

const std::string kSentPrefix = "# ";
const std::string kReceivedPrefix = "> ";
const std::string kStatusPrefix = "!// ";
const std::string kLineEnd = "\r\n";
const std::string kSeparatorLine(100, '/');
const std::string kConnectedWith = cp1251::FromUtf8("Установлено соединение с ");
const std::string kDisconnectedFrom = cp1251::FromUtf8("Разорвано соединение с ");

const std::string kNoConnection = cp1251::FromUtf8("Нет соединения");
const std::string kLineTransportName = "TCP/IP Server";
const std::string kEventTransportName = "Server Socket";

const std::string kNothingToSend = "$$$";
const std::string kCommandClear = "!cl";
const std::string kCommandFileName = "!fname";
const std::string kCommandTerminate = "!term";
const std::string kCommandRepeat = "!r";

const std::string kSettingsFileName = "zirk.ini";
const std::string kAddressHistoryFileName = "ZIRK_adrs.ini";
const std::string kMessageHistoryFileName = "ZIRK_msgs.ini";
const std::string kSectionLast = "last";
const std::string kKeyAddress = "adr";
const std::string kKeyPort = "port";
const std::string kKeyType = "type";
const std::string kSectionMainForm = "mainform";
const std::string kKeyLeft = "left";
const std::string kKeyTop = "top";
const std::string kKeyHeight = "height";
const std::string kKeyWidth = "width";
const std::string kDefaultAddress = "localhost";

const std::string kCannotCreateFile = "Cannot create file %s";
const std::string kCannotOpenFile = "Cannot open file %s";
const std::string kUnableToWrite = "Unable to write to %s";

}  // namespace texts
