// Resource numbers of pvmount.dll: strings, dialogs and their controls, icons, menus, animation.
#pragma once

// Strings
#define IDS_GLOBAL_INIT_FAILED 1
#define IDS_HELP_CAMERA_PROPERTIES 2009
#define IDS_HELP_CONFIGURE_COMMS 2010
#define IDS_MOUNTER_CAPTION 8019
#define IDS_PORT_COM1 8068   // "COM1:" .. "COM4:" are 8068..8071
#define IDS_SPEED_FIRST 8072 // "9600" .. "230400" are 8072..8077
#define IDS_ALBUM_CTL_NAME 8084
#define IDS_ALBUM_CTL_HEADER 8085
#define IDS_PORT_COM5 8093   // "COM5:" .. "COM8:" are 8093..8096
#define IDS_CAMERA_NOT_FOUND 9001
#define IDS_COPY_FAILED 9004
#define IDS_TEMP_AREA_UNAVAILABLE 9005
#define IDS_PORT_CHANGE_FAILED 9008
#define IDS_OUT_OF_MEMORY 9009
#define IDS_TEMP_SPACE_LOW 9013
#define IDS_CARD_REMOVED 9014
#define IDS_CARD_NOT_INSERTED 9015
#define IDS_DELETE_TITLE 9034
#define IDS_DELETE_BUTTON 9035
#define IDS_DELETE_CONFIRM 9037
#define IDS_DELETE_CONFIRM_CAPTION 9038
#define IDS_CARD_FULL 9039
#define IDS_FORMAT_CONFIRM 9040
#define IDS_FORMAT_DONE 9041
#define IDS_FORMAT_FAILED 9042
#define IDS_DELETE_FAILED 10011

// Property sheet captions
#define IDS_SHEET_CAMERA 8031
#define IDS_SHEET_MEMORY 8056
#define IDS_SHEET_CARD 8057
#define IDS_SHEET_ALBUM 8058
#define IDS_SHEET_PICTURE 8059

// Type texts (the Type column)
#define IDS_TYPE_CAMERA_MEMORY 8020
#define IDS_TYPE_COMPACT_FLASH 8021
#define IDS_TYPE_CAMERA 8022
#define IDS_TYPE_PHOTO_ALBUM 8023

// Picture information texts
#define IDS_RESOLUTION_STANDARD 8004
#define IDS_RESOLUTION_HIGH 8026
#define IDS_QUALITY_BEST 8037
#define IDS_QUALITY_BETTER 8038
#define IDS_QUALITY_GOOD 8039
#define IDS_NOT_AVAILABLE 8067

// The memory card's camera directory
#define IDS_CARD_PATH 8027

// Window class of the thumbnail view
#define IDS_THUMB_VIEW_CLASS 8101

// Item names
#define IDS_NAME_CAMERA 8110
#define IDS_NAME_CAMERA_MEMORY 8111
#define IDS_NAME_MEMORY_CARD 8112

// Icons: the shell's icon indexes 0..3 are the first four icon groups in this order.
#define IDI_CAMERA 256
#define IDI_CAMERA_MEMORY 257
#define IDI_MEMORY_CARD 258
#define IDI_ALBUM 259
#define IDI_STEP_DONE 262
#define IDI_STEP_FAILED 263
#define IDI_STEP_UNDER_WAY 264

// Connection animation (AVI)
#define IDR_CONNECT_AVI 274

// Dialogs
#define IDD_CONNECT 280
#define IDD_SERIAL_CONFIG 281
#define IDD_ADVANCED_SETTINGS 284
#define IDD_FORMAT_PROGRESS 285
#define IDD_COPY_PROGRESS 286

// "Connecting to Camera..."
#define IDC_STEP_TEXT_FIRST 586   // 586..589
#define IDC_STEP_ICON_FIRST 591   // 591..594
#define IDC_CONNECT_ANIMATION 625

// "Communications Settings"
#define IDC_PORT_LIST 551
#define IDC_SPEED_LIST 552
#define IDC_SERIAL_HELP 566
#define IDC_ADVANCED 568

// "Advanced Settings"
#define IDC_LOCK_SLIDER 575
#define IDC_TIMEOUT_SLIDER 576
#define IDC_ADVANCED_HELP 601
#define IDC_DEFAULTS 604
#define IDC_SHOW_PROGRESS 619

// "Picture File Copy Progress"
#define IDC_COPY_FILE_NAME 552
#define IDC_COPY_SIZE 553
#define IDC_COPY_PROGRESS 554

// Menus and their commands
#define IDM_CTX_MEMORY 163
#define IDM_CTX_ALBUM 170
#define IDM_CAMERA_CTX 172
#define ID_MEMORY_PROPERTIES 2002
#define ID_ALBUM_PROPERTIES 2006
#define ID_CAMERA_PROPERTIES 2009
#define ID_CONFIGURE_COMMS 2010
