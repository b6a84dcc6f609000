// The start-up timeline that the start-up benchmark reads: when each start-up step ended,
// counted from the process's creation on the high-resolution clock, the processor time and
// resident memory of the process then, and which modules each step brought into the process. Only
// when the environment variable ZIRK_STARTUP_TIMELINE names a file does anything get recorded; the
// timeline is written there once the main window is painted. Otherwise marking costs one test of a
// flag, and nothing is printed or written.
#pragma once

// In the order the program goes through them.
enum class StartupStep {
  EntryPoint,        // the loader, the libraries linked at load time, the runtime's start
  CommonControls,    // the common controls' window classes
  Application,       // the application object and its window
  MainWindow,        // the main window's window and members: controls' windows, transports...
  MainWindowLayout,  // the controls' places, texts, pictures and hints
  Components,        // the notification-area icon and the single-instance guard loaded
  Settings,          // the creation handler: the settings read and applied
  AboutBox,          // the About box, created hidden
  Shown,             // the main window shown
  Painted,           // the first time the message queue is empty after that: all painted
  Count
};

// Records the end of a step, the first time it is marked. EntryPoint decides whether the
// timeline is recorded at all; Painted writes it.
void MarkStartup(StartupStep step);
