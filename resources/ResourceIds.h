/* Identifiers of the resources in zirk.rc, shared by the resource script and the program.
   Plain numeric defines only, so that the resource compiler reads this file too.
   The pictures are made by skin/generate.py; each caption-less look is a 24-bit bitmap
   exactly the size of the control it belongs to. */
#ifndef ZIRK_RESOURCES_RESOURCE_IDS_H
#define ZIRK_RESOURCES_RESOURCE_IDS_H

/* The program icon: 48, 32 and 16 pixels in 16, 256 and 32-bit colour. */
#define IDI_PROGRAM 1

/* Main window frame. */
#define IDB_TITLE_LEFT 100   /* Image1, 281x99 at 0,0 */
#define IDB_TITLE_RIGHT 101  /* Image6, 281x99, anchored right */
#define IDB_TITLE_FILL 102   /* Image7, 4x99, stretched across */
#define IDB_EMBLEM 103       /* Image2, 48x48 at 12,12; transparent colour at bottom left */
#define IDB_EDGE_LEFT 104    /* Image4, 5x261, stretched down */
#define IDB_EDGE_RIGHT 105   /* Image5, 5x261, stretched down */
#define IDB_BOTTOM_LEFT 106  /* Image3, 194x57 */
#define IDB_BOTTOM_FILL 107  /* Image8, 275x57, stretched across */
#define IDB_BOTTOM_RIGHT 108 /* Image9, 97x57, with the size grip */

/* Skinned buttons: the up, pressed and highlighted (pointer over it) looks of each. */
/* 75x22: the main window's command buttons (BBut3, BBut4, Button2, ExitBtn) */
#define IDB_COMMAND_UP 120
#define IDB_COMMAND_DOWN 121
#define IDB_COMMAND_HOVER 122

/* 73x20: the connect and disconnect buttons (ConB, DConB) */
#define IDB_CONNECT_UP 123
#define IDB_CONNECT_DOWN 124
#define IDB_CONNECT_HOVER 125

/* 75x23: Отправить, and OK in the About box */
#define IDB_SEND_UP 126
#define IDB_SEND_DOWN 127
#define IDB_SEND_HOVER 128

/* 16x16: hide to the notification area */
#define IDB_TRAY_UP 129
#define IDB_TRAY_DOWN 130
#define IDB_TRAY_HOVER 131

/* 16x16: minimise to the taskbar */
#define IDB_MINIMISE_UP 132
#define IDB_MINIMISE_DOWN 133
#define IDB_MINIMISE_HOVER 134

/* 16x16: maximise or restore */
#define IDB_MAXIMISE_UP 135
#define IDB_MAXIMISE_DOWN 136
#define IDB_MAXIMISE_HOVER 137

/* 16x16: close; also the About box's close button */
#define IDB_CLOSE_UP 138
#define IDB_CLOSE_DOWN 139
#define IDB_CLOSE_HOVER 140

/* About box. */
#define IDB_ABOUT_TITLE 160        /* Image2, 419x24 at 0,0 */
#define IDB_ABOUT_EMBLEM 161       /* Image6, 16x16 at 6,5 */
#define IDB_ABOUT_EDGE_LEFT 162    /* Image4, 5x296, stretched down */
#define IDB_ABOUT_EDGE_RIGHT 163   /* Image5, 5x296, stretched down */
#define IDB_ABOUT_BOTTOM 164       /* Image3, 419x5 at 0,320 */
#define IDB_MAKER_EMBLEM 165       /* Image1, 52x52 at 14,38; transparent colour at bottom left */
#define IDB_ABOUT_PANEL 166        /* Image7, 400x177 at 10,108 */
#define IDB_ABOUT_PROGRAM_ICON 167 /* ProgramIcon, 49x49 at 23,119 */

#endif
