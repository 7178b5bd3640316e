// Resource ids of the framework tests' own dialogs, menus and bitmaps.
#pragma once

#define IDD_FX_MODAL 100
#define IDD_FX_MODELESS 101
#define IDD_FX_PAGE 102
#define IDD_FX_CONTROLS 103

#define IDC_FX_EDIT 1001
#define IDC_FX_BUTTON 1002
#define IDC_FX_BITMAPBUTTON 1003
#define IDC_FX_STATIC 1004
#define IDC_FX_SLIDER 1005
#define IDC_FX_COMBO 1006
#define IDC_FX_LIST 1007
#define IDC_FX_TAB 1008
#define IDC_FX_RANGE_FIRST 1010
#define IDC_FX_RANGE_LAST 1014

#define IDM_FX_MENU 200
#define ID_FX_ITEM_OPEN 40001
#define ID_FX_ITEM_MIRROR 40002
#define ID_FX_ITEM_LEFT 40003
#define ID_FX_ITEM_TOP 40004

#define IDB_FX_RED 300
#define IDB_FX_GREEN 301
#define IDB_FX_BLUE 302
#define IDB_FX_YELLOW 303
