// Every fixed text of the connection core, once, as Windows-1251 bytes.
#pragma once

#include <string>

namespace texts {

// Transcript entries.
extern const std::string kSentPrefix;        // "# "
extern const std::string kReceivedPrefix;    // "> "
extern const std::string kStatusPrefix;      // "!// "
extern const std::string kLineEnd;           // CR LF
extern const std::string kSeparatorLine;     // 100 times "/"
extern const std::string kConnectedWith;     // "Установлено соединение с "
extern const std::string kDisconnectedFrom;  // "Разорвано соединение с "

// Status labels and transport names.
extern const std::string kNoConnection;        // "Нет соединения"
extern const std::string kLineTransportName;   // "TCP/IP Server"
extern const std::string kEventTransportName;  // "Server Socket"

// Typed commands.
extern const std::string kNothingToSend;     // "$$$"
extern const std::string kCommandClear;      // "!cl"
extern const std::string kCommandFileName;   // "!fname"
extern const std::string kCommandTerminate;  // "!term"
extern const std::string kCommandRepeat;     // "!r"

// Settings and history files.
extern const std::string kSettingsFileName;        // "zirk.ini"
extern const std::string kAddressHistoryFileName;  // "ZIRK_adrs.ini"
extern const std::string kMessageHistoryFileName;  // "ZIRK_msgs.ini"
extern const std::string kSectionLast;             // "last"
extern const std::string kKeyAddress;              // "adr"
extern const std::string kKeyPort;                 // "port"
extern const std::string kKeyType;                 // "type"
extern const std::string kSectionMainForm;         // "mainform"
extern const std::string kKeyLeft;                 // "left"
extern const std::string kKeyTop;                  // "top"
extern const std::string kKeyHeight;               // "height"
extern const std::string kKeyWidth;                // "width"
extern const std::string kDefaultAddress;          // "localhost"

// Error messages.
extern const std::string kCannotCreateFile;  // "Cannot create file %s"
extern const std::string kCannotOpenFile;    // "Cannot open file %s"
extern const std::string kUnableToWrite;     // "Unable to write to %s"

}  // namespace texts
