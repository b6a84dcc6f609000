// Every fixed text of the shell, once, as Windows-1251 bytes: what the windows show and the
// shell's own error messages. The values are in ShellTexts.cpp; tests use these names, and one
// table test pins every value byte for byte. The core's texts (transcript entries, transport
// names, file names) are in core/Texts.
#pragma once

#include <string>

namespace shell_texts {

extern const std::string kApplicationTitle;  // the application window's text and mutex name
extern const std::string kVersion;           // the program's version, as the About box shows it
extern const std::string kMainCaption;       // the main window's caption
extern const std::string kTitle;             // the title drawn on the main window's skin
extern const std::string kTrayHint;          // the notification-area icon's tip
// The transcript view's window class, by which the test probe and the cycle benchmark find it.
inline constexpr wchar_t kTranscriptViewClass[] = L"ZirkTranscriptView";

// Captions of the main window's buttons.
extern const std::string kConnect;
extern const std::string kDisconnect;
extern const std::string kSend;
extern const std::string kSave;
extern const std::string kClear;
extern const std::string kAbout;  // also the About box's caption and title
extern const std::string kExit;

// Hints.
extern const std::string kHintToTray;
extern const std::string kHintMinimise;
extern const std::string kHintMaximise;
extern const std::string kHintClose;
extern const std::string kHintSave;
extern const std::string kHintClear;
extern const std::string kHintAbout;
extern const std::string kHintExit;
extern const std::string kHintMessage;
extern const std::string kHintSend;
extern const std::string kHintTransport;  // never shown: hints are off for the transport list
extern const std::string kHintVersion;

// The save dialog's filter: description|pattern pairs.
extern const std::string kSaveFilter;

// The transcript view's menu.
extern const std::string kCopy;
extern const std::string kSelectAll;

// The About box.
extern const std::string kMaker;
extern const std::string kAuthor;
extern const std::string kMakerMail;      // shown
extern const std::string kMakerMailLink;  // the mail address as a link: hint and what opens
extern const std::string kMakerWeb;       // shown, and what opens
extern const std::string kMakerWebLink;   // the web address as a full link: hint
extern const std::string kYear;
extern const std::string kProductName;
extern const std::string kProductTitle;
extern const std::string kBetaNotice;
extern const std::string kOk;

// Errors.
extern const std::string kInvalidCast;         // a control whose owner is not a form
extern const std::string kCannotCreateWindow;  // the platform refused a form's or control's window
extern const std::string kCannotLoadLibrary;   // followed by the system library's file name

}  // namespace shell_texts
