// Identifiers shared by the resource script and the window code: plain
// #defines, since windres reads this file too.
#pragma once

// The main window's own window class, so that other programs can find it.
#define MAIN_WINDOW_CLASS "TarnwickMainWindow"

// Resources.
#define IDI_TARNWICK 1
#define IDI_STATUS_OFFLINE 2
#define IDI_STATUS_ONLINE1 3
#define IDI_STATUS_ONLINE2 4
#define IDD_MAIN 100
#define IDD_PROGRESS 300
#define IDD_TEXT_INPUT 310
#define IDD_PERMISSIONS 320
#define IDR_MAIN_MENU 100
#define IDR_MAIN_ACCELERATORS 100

// Controls of the main window.
#define IDC_LOCAL_PANE 101
#define IDC_REMOTE_LIST 102
#define IDC_UPLOAD 103
#define IDC_DOWNLOAD 104
#define IDC_LOCAL_PATH 106
#define IDC_REMOTE_PATH 109
#define IDC_LOCAL_GO 112
#define IDC_REMOTE_GO 113
#define IDC_SYNCHRONIZE 120
#define IDC_LOCAL_FILTER 121
#define IDC_LOCAL_FILTER_APPLY 122
#define IDC_REMOTE_FILTER 123
#define IDC_REMOTE_FILTER_APPLY 124
#define IDC_LOCAL_FILTER_REMOVE 125
#define IDC_REMOTE_FILTER_REMOVE 126
#define IDC_LOG_PANEL 200
#define IDC_MAIN_TOOLBAR 210
#define IDC_LOCAL_TOOLBAR 211
#define IDC_REMOTE_TOOLBAR 212
#define IDC_STATUS_BAR 213
#define IDC_DIVIDER 214

// Controls of the small dialogs.
#define IDC_PROGRESS_LINE1 301
#define IDC_PROGRESS_LINE2 302
#define IDC_PROGRESS_BAR 303
#define IDC_INPUT_LABEL 311
#define IDC_INPUT_TEXT 312
// The nine permission boxes: owner read, write, execute, then group, then public.
#define IDC_PERMISSION_FIRST 321

// Commands of the menus, toolbars and keys.
#define IDM_SITES 1000
#define IDM_CONNECT 1001
#define IDM_QUICK 1002
#define IDM_DISCONNECT 1003
#define IDM_LOGS 1004
#define IDM_OPTIONS 1005
#define IDM_SETUP_WIZARD 1006
#define IDM_NEW_SITE 1007
#define IDM_SHOW_FILTERS 1008
#define IDM_COMPARE 1009
#define IDM_EXPORT_SETTINGS 1010
#define IDM_IMPORT_SETTINGS 1011
#define IDM_EXPORT_SITES 1012
#define IDM_IMPORT_SITES 1013

#define IDM_LOCAL_OPEN 1100
#define IDM_LOCAL_DELETE 1101
#define IDM_LOCAL_RENAME 1102
#define IDM_LOCAL_NEW_FOLDER 1103
#define IDM_LOCAL_REFRESH 1104
#define IDM_LOCAL_BACK 1105
#define IDM_LOCAL_FORWARD 1106
#define IDM_LOCAL_UP 1107
#define IDM_LOCAL_TREE 1108
// The bookmark menus' buttons keep the numbers of their menus' range (207-361).
#define IDM_LOCAL_BOOKMARKS 311

#define IDM_REMOTE_OPEN 1200
#define IDM_REMOTE_DELETE 1201
#define IDM_REMOTE_RENAME 1202
#define IDM_REMOTE_NEW_FOLDER 1203
#define IDM_REMOTE_REFRESH 1204
#define IDM_REMOTE_BACK 1205
#define IDM_REMOTE_FORWARD 1206
#define IDM_REMOTE_UP 1207
#define IDM_REMOTE_CHMOD 1208
#define IDM_REMOTE_BOOKMARKS 209
#define IDM_REMOTE_COPY 1210
#define IDM_REMOTE_PASTE 1211

// Delete and F2: they act on the pane that has the focus, so they are no menu's.
#define IDM_KEY_DELETE 1400
#define IDM_KEY_RENAME 1401

// The column pop-up menu: IDM_COLUMN_FIRST + the column's number (Size is 1).
#define IDM_COLUMN_FIRST 1300
// The saved sites of the site menu: IDM_SITE_FIRST + the entry's index.
#define IDM_SITE_FIRST 2000
#define IDM_SITE_LAST 2999
