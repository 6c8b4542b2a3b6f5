// Resource numbers of the property pages: dialogs and their controls, strings and bitmaps.
#pragma once

// Dialogs
#define IDD_CAPTURE_PAGE 102
#define IDD_SETTINGS_PAGE 107
#define IDD_MEMORY_PAGE 167
#define IDD_ALBUM_PAGE 173
#define IDD_PICTURE_PAGE 174

// "Camera Settings"
#define IDC_VERSION_LABEL 555
#define IDC_COMM_SETTINGS 567
#define IDC_REDEYE_BOX 577
#define IDC_BATTERY_FULL 581
#define IDC_BATTERY_LOW 582
#define IDC_AC_POWER 583
#define IDC_CARD_INSERTED 584
#define IDC_CARD_REMOVED 585
#define IDC_QUALITY_BETTER 592
#define IDC_QUALITY_BEST 605
#define IDC_QUALITY_GOOD 607
#define IDC_RESOLUTION_HIGH 608
#define IDC_RESOLUTION_STANDARD 609
#define IDC_CLOSEUP_ON 610
#define IDC_CLOSEUP_OFF 611
#define IDC_FLASH_AUTO 612
#define IDC_FLASH_FILL 613
#define IDC_FLASH_OFF 614
#define IDC_REDEYE_AUTO 615
#define IDC_REDEYE_FILL 616
#define IDC_SELFTIMER_ON 617
#define IDC_SELFTIMER_OFF 618
#define IDC_CLOSEUP_BOX 628

// "Capture"
#define IDC_SET_CLOCK 593
#define IDC_TAKE_PICTURE 594
#define IDC_DELETE_SELECTED 595
#define IDC_PICTURES_TAKEN 596
#define IDC_PICTURES_REMAINING 597
#define IDC_EXPOSURE_LIST 602
#define IDC_ZOOM_LIST 603
#define IDC_FORMAT_FLASHPIX 574
#define IDC_FORMAT_JPEG 606
#define IDC_DELETE_ALL 620
#define IDC_PICTURE_NAME 626
#define IDC_PICTURE_DATE 627
#define IDC_PICTURE_VIEW 629
#define IDC_SYSTEM_TIME 631
#define IDC_ZOOM_BOX 632
#define IDC_ZOOM_LABEL 633

// "General Info" of the memory, album and picture file sheets
#define IDC_INFO_QUALITY 538
#define IDC_INFO_REMAINING 539
#define IDC_INFO_TOTAL 540
#define IDC_INFO_RESOLUTION 541
#define IDC_FILE_SIZE 541
#define IDC_FILE_DATE 542
#define IDC_FILE_TIME 543
#define IDC_FILE_QUALITY 544
#define IDC_FILE_NAME 545
#define IDC_FILE_RESOLUTION 546

// Strings
#define IDS_EXPOSURE_FIRST 8120   // "+2.0 EV" .. "-2.0 EV" are 8120..8128
#define IDS_ZOOM_FIRST 8130       // "58 mm" .. "29 mm" are 8130..8134, "Close-Up" 8135
#define IDS_DATE_AND_TIME 8140
#define IDS_FILE_BYTES 8141

// Bitmaps: the status panel, its counter's glyphs and the indicators of the settings and states
#define IDB_STATUS_PANEL 186
#define IDB_GLYPH_0 187           // glyphs 0..9 are the digits, see StatusPanel.cpp for their order
#define IDB_GLYPH_10 248          // glyphs 10..13 are 248..251
#define IDB_QUALITY_FIRST 200     // Best, Better, Good
#define IDB_FLASH_FIRST 203       // Auto, Fill, Off, Red-eye Auto, Red-eye Fill
#define IDB_RESOLUTION_HIGH 208
#define IDB_RESOLUTION_STANDARD 209
#define IDB_CLOSEUP 210
#define IDB_SELFTIMER 211
#define IDB_BATTERY_FULL 212
#define IDB_BATTERY_LOW 213
#define IDB_AC_POWER 214
#define IDB_CARD_IN 215
#define IDB_CARD_OUT 216
