// Resource and control identifiers of Quillo.exe and Tessel.exe.
// Plain #defines only, so that the resource scripts, the programs and the host tests can all include it.
// Control ids repeat between dialogs (each dialog has its own id space); the names say which dialog they belong to.
#ifndef QUILLO_RES_RESOURCE_H
#define QUILLO_RES_RESOURCE_H

// File version of both programs, as the version resources and the About box show it
#define QUILLO_VERSION_BINARY 1, 0, 0, 1
#define QUILLO_VERSION_TEXT "1.0.0.1"

// ---------------------------------------------------------------------------------------------------------------
// Dialog templates
// ---------------------------------------------------------------------------------------------------------------
#define IDD_TOOLBAR 102              // CSkinDlg, the skinned toolbar (Quillo.exe)
#define IDD_TESSEL 102               // CTesselDlg, the hidden window titled "Tessel" (Tessel.exe)
#define IDD_PREVIEW 157              // Preview
#define IDD_PROPERTIES 158           // Properties
#define IDD_SETTING 159              // Setting
#define IDD_OPTIONS_PAGE 185         // OptionsPage (Properties)
#define IDD_IMAGE_PAGE 186           // ImagePage (Properties)
#define IDD_SETTING_OPTIONS_PAGE 198 // SettingOptionsPage (Setting)
#define IDD_PICTURE_PAGE 199         // PicturePage (Setting)
#define IDD_VIDEO_PAGE 200           // VideoPage (Setting)
#define IDD_ABOUT 283                // ORRIN_CAM_ABOUTDlg

// ---------------------------------------------------------------------------------------------------------------
// Menus and their commands
// ---------------------------------------------------------------------------------------------------------------
#define IDM_TRAY 174       // notification-area menu
#define IDM_FUNCTION 175   // preview's function menu (button 1011)
#define IDM_RESOLUTION 176 // preview's resolution menu (button 1012)
#define IDM_TOOLBAR 282    // toolbar's Menu button

// Notification-area menu (174)
#define ID_TRAY_SHOW_TOOLBAR 40001
#define ID_TRAY_ABOUT 40002
#define ID_TRAY_EXIT 40003

// Preview function menu (175)
#define ID_FUNCTION_ABOUT 40004
#define ID_FUNCTION_PROPERTIES 40005
#define ID_FUNCTION_SETTING 40006
#define ID_FUNCTION_HELP 40007

// Preview resolution menu (176), one item per resolution state
#define ID_RES_320X240 40008   // state 0
#define ID_RES_640X480 40009   // state 1
#define ID_RES_1280X800 40012  // state 3
#define ID_RES_1280X1024 40014 // state 4
#define ID_RES_1280X720 40016  // state 2

// Toolbar menu (282)
#define ID_BAR_LEFT 32807
#define ID_BAR_TOP 32808
#define ID_BAR_RIGHT 32809
#define ID_BAR_CLOSE 32810
#define ID_BAR_AUTOHIDE 32811

// Toolbar command that minimises the toolbar window
#define ID_BAR_MINIMIZE 1000

// ---------------------------------------------------------------------------------------------------------------
// Icons
// ---------------------------------------------------------------------------------------------------------------
#define IDI_QUILLO 334 // application and notification-area icon of Quillo.exe
#define IDI_TESSEL 129 // icon of Tessel.exe

// ---------------------------------------------------------------------------------------------------------------
// Controls: toolbar (102)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_BAR_CAMERA 1099
#define IDC_BAR_PROPERTY 1100
#define IDC_BAR_SETTING 1101
#define IDC_BAR_HELP 1102
#define IDC_BAR_MENU 1103
#define IDC_BAR_LOGO 1110

// ---------------------------------------------------------------------------------------------------------------
// Controls: Preview (157)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_PREVIEW_MINIMIZE 1000
#define IDC_PREVIEW_SNAPSHOT 1003
#define IDC_PREVIEW_RECORD 1008
#define IDC_PREVIEW_CLOSE 1009
#define IDC_PREVIEW_FUNCTION 1011
#define IDC_PREVIEW_RESOLUTION 1012
#define IDC_PREVIEW_VIDEO 1013         // hosts the video window, answers double-clicks
#define IDC_PREVIEW_AUDIO_PINS 1014    // hidden list of the audio device's input pins
#define IDC_PREVIEW_AUDIO_DEVICES 1015 // hidden list of audio capture devices
#define IDC_PREVIEW_COVER 1016         // picture shown while a graph is rebuilt
#define IDC_PREVIEW_ELAPSED 1030       // recording time "00:00:00"
#define IDC_PREVIEW_RES_LABEL 1031     // resolution label under the picture
#define IDC_PREVIEW_COUNTDOWN 1033     // recording countdown

// ---------------------------------------------------------------------------------------------------------------
// Controls: Properties (158)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_PROP_DEFAULT 1017
#define IDC_PROP_OK 1018
#define IDC_PROP_CANCEL 1019
#define IDC_PROP_APPLY 1020
#define IDC_PROP_TITLE 1021
#define IDC_PROP_CLOSE 1022
#define IDC_PROP_PAGES 1023 // tab control, parent of the two pages
#define IDC_PROP_TAB_OPTIONS 1033
#define IDC_PROP_TAB_IMAGE 1034

// ---------------------------------------------------------------------------------------------------------------
// Controls: ImagePage (186)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_IMG_BRIGHTNESS 1024
#define IDC_IMG_CONTRAST 1025
#define IDC_IMG_GAMMA 1026
#define IDC_IMG_HUE 1027
#define IDC_IMG_SATURATION 1028
#define IDC_IMG_SHARPNESS 1029
#define IDC_IMG_BRIGHTNESS_VALUE 1056
#define IDC_IMG_CONTRAST_VALUE 1062
#define IDC_IMG_GAMMA_VALUE 1063
#define IDC_IMG_HUE_VALUE 1064
#define IDC_IMG_SATURATION_VALUE 1065
#define IDC_IMG_SHARPNESS_VALUE 1066
#define IDC_IMG_BRIGHTNESS_NAME 1067
#define IDC_IMG_CONTRAST_NAME 1068
#define IDC_IMG_GAMMA_NAME 1069
#define IDC_IMG_HUE_NAME 1070
#define IDC_IMG_SATURATION_NAME 1071
#define IDC_IMG_SHARPNESS_NAME 1072

// ---------------------------------------------------------------------------------------------------------------
// Controls: OptionsPage (185)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_OPT_MIRROR 1058 // check "Horizontal"
#define IDC_OPT_FLIP 1059   // check "Vertical"
#define IDC_OPT_50HZ 1060
#define IDC_OPT_60HZ 1061
#define IDC_OPT_FLIP_TITLE 1069
#define IDC_OPT_HORIZONTAL_LABEL 1070
#define IDC_OPT_VERTICAL_LABEL 1071
#define IDC_OPT_PLFREQ_TITLE 1072
#define IDC_OPT_50HZ_LABEL 1073
#define IDC_OPT_60HZ_LABEL 1074

// ---------------------------------------------------------------------------------------------------------------
// Controls: Setting (159)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_SET_TITLE 1035
#define IDC_SET_TAB_OPTIONS 1036
#define IDC_SET_CLOSE 1037
#define IDC_SET_TAB_PICTURE 1038
#define IDC_SET_OK 1039
#define IDC_SET_CANCEL 1040
#define IDC_SET_APPLY 1041
#define IDC_SET_DEFAULT 1042
#define IDC_SET_PAGES 1043 // tab control, parent of the three pages
#define IDC_SET_TAB_VIDEO 1044

// ---------------------------------------------------------------------------------------------------------------
// Controls: SettingOptionsPage (198)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_BARPOS_TOP 1044
#define IDC_BARPOS_LEFT 1045
#define IDC_BARPOS_RIGHT 1046
#define IDC_BARPOS_AUTOHIDE 1047
#define IDC_BARPOS_TITLE 1073
#define IDC_BARPOS_TOP_LABEL 1074
#define IDC_BARPOS_LEFT_LABEL 1075
#define IDC_BARPOS_RIGHT_LABEL 1076
#define IDC_BARPOS_AUTOHIDE_LABEL 1077

// ---------------------------------------------------------------------------------------------------------------
// Controls: PicturePage (199)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_PIC_FORMAT 1050 // combo box "BMP", "JPEG", "PNG"
#define IDC_PIC_PATH 1051
#define IDC_PIC_BROWSE 1052
#define IDC_PIC_DATESTAMP 1053
#define IDC_PIC_SHOWIMAGE 1054
#define IDC_PIC_SIZE 1063
#define IDC_PIC_TITLE 1078
#define IDC_PIC_SIZE_LABEL 1079
#define IDC_PIC_EXPORT_LABEL 1080
#define IDC_PIC_PATH_LABEL 1081
#define IDC_PIC_DATESTAMP_LABEL 1082
#define IDC_PIC_SHOWIMAGE_LABEL 1083

// ---------------------------------------------------------------------------------------------------------------
// Controls: VideoPage (200)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_VID_SIZE 1049
#define IDC_VID_PATH 1055
#define IDC_VID_BROWSE 1056
#define IDC_VID_PLAY 1057
#define IDC_VID_TITLE 1084
#define IDC_VID_SIZE_LABEL 1085
#define IDC_VID_PATH_LABEL 1086
#define IDC_VID_PLAY_LABEL 1087

// ---------------------------------------------------------------------------------------------------------------
// Controls: About box (283)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_ABOUT_TITLE 1088   // "Version Information"
#define IDC_ABOUT_VERSION 1089 // "UVC " and the file version
#define ID_ABOUT_HIDE 283      // command that hides and cancels the About box

// ---------------------------------------------------------------------------------------------------------------
// Controls: Tessel (102)
// ---------------------------------------------------------------------------------------------------------------
#define IDC_TESSEL_TEXT 1000

// ---------------------------------------------------------------------------------------------------------------
// Bitmaps of Quillo.exe (24-bit; magenta 0xFF00FF is see-through where an outline or a blend is cut)
// ---------------------------------------------------------------------------------------------------------------

// Toolbar: window shapes and logos
#define IDB_BAR_SHAPE_H 237 // 265 x 51, top edge or floating
#define IDB_BAR_SHAPE_V 238 // 52 x 264, left or right edge
#define IDB_BAR_LOGO_H 232  // 91 x 51
#define IDB_BAR_LOGO_V 239  // 51 x 91

// Toolbar button frames, in LoadFrames order; horizontal 38 x 51 (menu 21 x 51), vertical 51 x 38 (menu 51 x 21)
#define IDB_BAR_CAMERA_H0 251
#define IDB_BAR_CAMERA_H1 252
#define IDB_BAR_CAMERA_H2 253
#define IDB_BAR_CAMERA_H3 254
#define IDB_BAR_CAMERA_H4 250
#define IDB_BAR_CAMERA_V0 240
#define IDB_BAR_CAMERA_V1 264
#define IDB_BAR_CAMERA_V2 265
#define IDB_BAR_CAMERA_V3 266
#define IDB_BAR_CAMERA_V4 267
#define IDB_BAR_PROPERTY_H0 233
#define IDB_BAR_PROPERTY_H1 255
#define IDB_BAR_PROPERTY_H2 256
#define IDB_BAR_PROPERTY_H3 257
#define IDB_BAR_PROPERTY_H4 246
#define IDB_BAR_PROPERTY_V0 241
#define IDB_BAR_PROPERTY_V1 268
#define IDB_BAR_PROPERTY_V2 269
#define IDB_BAR_PROPERTY_V3 270
#define IDB_BAR_PROPERTY_V4 271
#define IDB_BAR_SETTING_H0 234
#define IDB_BAR_SETTING_H1 258
#define IDB_BAR_SETTING_H2 259
#define IDB_BAR_SETTING_H3 260
#define IDB_BAR_SETTING_H4 247
#define IDB_BAR_SETTING_V0 242
#define IDB_BAR_SETTING_V1 272
#define IDB_BAR_SETTING_V2 273
#define IDB_BAR_SETTING_V3 274
#define IDB_BAR_SETTING_V4 275
#define IDB_BAR_HELP_H0 235
#define IDB_BAR_HELP_H1 261
#define IDB_BAR_HELP_H2 262
#define IDB_BAR_HELP_H3 263
#define IDB_BAR_HELP_H4 248
#define IDB_BAR_HELP_V0 243
#define IDB_BAR_HELP_V1 276
#define IDB_BAR_HELP_V2 277
#define IDB_BAR_HELP_V3 278
#define IDB_BAR_HELP_V4 279
#define IDB_BAR_MENU_H0 236
#define IDB_BAR_MENU_H1 249
#define IDB_BAR_MENU_LEFT0 244
#define IDB_BAR_MENU_LEFT1 280
#define IDB_BAR_MENU_RIGHT0 245
#define IDB_BAR_MENU_RIGHT1 281

// Preview buttons: normal, hover, pressed and state pictures
#define IDB_PREVIEW_MINIMIZE 308
#define IDB_PREVIEW_MINIMIZE_HOVER 288
#define IDB_PREVIEW_MINIMIZE_PRESSED 289
#define IDB_PREVIEW_SNAPSHOT 291
#define IDB_PREVIEW_SNAPSHOT_PRESSED 292
#define IDB_PREVIEW_SNAPSHOT_DISABLED 293
#define IDB_PREVIEW_SNAPSHOT_HOVER 305
#define IDB_PREVIEW_RECORD 312
#define IDB_PREVIEW_RECORD_HOVER 165
#define IDB_PREVIEW_RECORD_PRESSED 313
#define IDB_PREVIEW_RECORD_BLINK_ON 314
#define IDB_PREVIEW_RECORD_BLINK_OFF 315
#define IDB_PREVIEW_RECORD_DISABLED 337
#define IDB_CLOSE 309 // close buttons of the preview, Properties and Setting
#define IDB_CLOSE_HOVER 286
#define IDB_CLOSE_PRESSED 287
#define IDB_PREVIEW_FUNCTION 306
#define IDB_PREVIEW_FUNCTION_HOVER 294
#define IDB_PREVIEW_RESOLUTION 307
#define IDB_PREVIEW_RESOLUTION_HOVER 296
#define IDB_PREVIEW_RESOLUTION_DISABLED 338
#define IDB_PREVIEW_VIDEO_AREA 311       // video area and cover, normal screen
#define IDB_PREVIEW_VIDEO_AREA_SMALL 340 // video area and cover, small screen

// Preview frame pieces (top, bottom, left, right) per layout
#define IDB_FRAME_COMPACT_TOP 356
#define IDB_FRAME_COMPACT_BOTTOM 353
#define IDB_FRAME_COMPACT_LEFT 354
#define IDB_FRAME_COMPACT_RIGHT 355
#define IDB_FRAME_COMPACT_SMALL_TOP 366
#define IDB_FRAME_COMPACT_SMALL_BOTTOM 367
#define IDB_FRAME_COMPACT_SMALL_LEFT 368
#define IDB_FRAME_COMPACT_SMALL_RIGHT 365
#define IDB_FRAME_ENLARGED_1134_TOP 361 // enlarged, normal screen, states 2 and 3
#define IDB_FRAME_ENLARGED_1134_BOTTOM 362
#define IDB_FRAME_ENLARGED_888_TOP 352 // enlarged: normal screen state 4, small screen states 2 and 3
#define IDB_FRAME_ENLARGED_888_BOTTOM 357
#define IDB_FRAME_ENLARGED_695_TOP 370 // enlarged, small screen, state 4
#define IDB_FRAME_ENLARGED_695_BOTTOM 371
#define IDB_FRAME_ENLARGED_LEFT 363 // enlarged, normal screen
#define IDB_FRAME_ENLARGED_RIGHT 364
#define IDB_FRAME_ENLARGED_SMALL_LEFT 372 // enlarged, small screen
#define IDB_FRAME_ENLARGED_SMALL_RIGHT 369

// Dialog and page backgrounds
#define IDB_DIALOG_BACKGROUND 163    // Properties and Setting, 308 x 434, also their outline
#define IDB_PAGE_OPTIONS 349         // OptionsPage, 271 x 307
#define IDB_PAGE_TOOLBAR_OPTIONS 347 // SettingOptionsPage, 271 x 307
#define IDB_PAGE_IMAGE 348           // ImagePage, PicturePage and VideoPage, 271 x 307
#define IDB_ABOUT_BACKGROUND 216     // About box, 456 x 336

// Dialog buttons and tabs
#define IDB_BUTTON 343 // Default, OK, Cancel, Apply (64 x 33)
#define IDB_BUTTON_PRESSED 342
#define IDB_BUTTON_HOVER 344
#define IDB_TAB_CHOSEN 345 // tab buttons (63 x 21)
#define IDB_TAB 346
#define IDB_TAB_HOVER 341
#define IDB_BROWSE 209 // browse buttons (46 x 30)
#define IDB_BROWSE_HOVER 284
#define IDB_BROWSE_PRESSED 285

// Check and radio pictures
#define IDB_CHECK_OFF 207 // 17 x 17
#define IDB_CHECK_ON 212
#define IDB_CHECK_HOVER 213
#define IDB_RADIO_OFF 208 // 19 x 20
#define IDB_RADIO_ON 215
#define IDB_RADIO_HOVER 214

// Slider pictures
#define IDB_SLIDER_CHANNEL 195 // 165 x 24
#define IDB_SLIDER_THUMB 196   // 10 x 23

#endif
