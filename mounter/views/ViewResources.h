// Resource numbers of the shell view and its list and thumbnail views: menus and their commands,
// strings, the memory icons and the toolbar's own image.
#pragma once

// Menus merged into the browser: help, view and edit menu of each folder level.
#define IDM_CAMERA_EDIT 143
#define IDM_CAMERA_VIEW 145
#define IDM_MEMORY_EDIT 147
#define IDM_MEMORY_VIEW 148
#define IDM_ALBUM_EDIT 160
#define IDM_ALBUM_VIEW 161
#define IDM_CAMERA_HELP 281
#define IDM_MEMORY_HELP 282
#define IDM_ALBUM_HELP 283

// Context menus of the views ("Ctx Memory" 163 and "Ctx Album" 170 are the folders' own).
#define IDM_CTX_CAMERA_WND 166
#define IDM_CTX_MEMORY_WND 168
#define IDM_CTX_IMGFILE 171
#define IDM_CTX_ALBUM_WND 175

// Commands of the merged menus, the toolbar and the background menus.
#define ID_SELECT_ALL 1025
#define ID_INVERT_SELECTION 1026
#define ID_VIEW_LARGE_ICONS 1028
#define ID_VIEW_SMALL_ICONS 1029
#define ID_VIEW_LIST 1030
#define ID_VIEW_DETAILS 1031
#define ID_VIEW_THUMBNAIL 1032
#define ID_LINE_UP_ICONS 1034
#define ID_ARRANGE_BY_NAME 1035
#define ID_ARRANGE_BY_TYPE 1036
#define ID_ARRANGE_BY_SIZE 1037
#define ID_ARRANGE_BY_DATE 1038
#define ID_AUTO_ARRANGE 1039
#define ID_HELP_MOUNTER 1063
#define ID_CAMERA_FOLDER_PROPERTIES 1900
#define ID_MEMORY_FOLDER_PROPERTIES 1901
#define ID_ALBUM_FOLDER_PROPERTIES 1902

// Commands of the item context menus (their Properties commands, 2002 and 2006, are the folders').
#define ID_MEMORY_OPEN 2000
#define ID_MEMORY_EXPLORE 2001
#define ID_MEMORY_FORMAT 2003
#define ID_ALBUM_OPEN 2004
#define ID_ALBUM_EXPLORE 2005
#define ID_PICTURE_OPEN 2007
#define ID_PICTURE_PROPERTIES 2008

// Menu help texts are the strings of the commands' own numbers, 1025 to 1902.
#define ID_MENU_HELP_FIRST 1025
#define ID_MENU_HELP_LAST 1902

// Strings
#define IDS_COLUMN_NAME 8015
#define IDS_COLUMN_SIZE 8016
#define IDS_COLUMN_TYPE 8017
#define IDS_COLUMN_TAKEN_ON 8018
#define IDS_ARRANGE_ICONS 8041
#define IDS_OBJECT_COUNT 8061
#define IDS_OPEN_COMMAND_KEY 8062
#define IDS_SIZE_BYTES 8063
#define IDS_SIZE_KB 8064
#define IDS_SIZE_MB 8065
#define IDS_VIEW_CLASS 8078
#define IDS_OPEN_WITH 8083
#define IDS_FAKE_PICTURE_NAME 8086
#define IDS_SELECTED_COUNT 8097
#define IDS_THUMB_VIEW_CLASS 8101
#define IDS_OPEN_FAILED 9006
#define IDS_UNKNOWN_ITEM_TYPE 9007
#define IDS_SEND_TO_FAILED 9010
#define IDS_OPEN_BUTTON_TEXTS 9036
#define IDS_PROGRAM_EXTENSION 8079
#define IDS_PROGRAM_FILTER 8080
#define IDS_OPEN_COMMAND_ARGUMENT 8082
#define IDS_OPEN_WITH_PROMPT 10009
#define IDS_ITEM_SIZE_KB 10005
#define IDS_OLE_EXCEPTION 10007

// "Open With": the programs, the check box that registers the choice, "Other..." and the prompt.
#define IDD_OPEN_WITH 176
#define IDC_OPEN_WITH_OTHER 545
#define IDC_OPEN_WITH_LIST 546
#define IDC_OPEN_WITH_ALWAYS 547
#define IDC_OPEN_WITH_PROMPT 548

// The toolbar's own image: the thumbnail button.
#define IDB_THUMBNAIL_BUTTON 265
