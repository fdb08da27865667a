// Numeric IDs of the main window's menu items, keyboard commands and child
// controls. Controls that have no ID of their own in the window's design get
// one from the private range 100..199 so the window system can address them.
#pragma once

// Menu commands.
constexpr int CMD_OPEN = 1000;
constexpr int CMD_SAVE = 1001;
constexpr int CMD_SAVE_AS = 1002;
constexpr int CMD_CENTER_ON_LOAD = 1003;
constexpr int CMD_QUIT = 1004;
constexpr int CMD_UNDO = 1005;
constexpr int CMD_REDO = 1006;
constexpr int CMD_PAGE_FIRST = 1008; // 1008..1013: the six pages
constexpr int CMD_WIREFRAMES = 1014;
constexpr int CMD_SOLID = 1015;
constexpr int CMD_TEXTURES = 1016;
constexpr int CMD_NORMALS = 1017;
constexpr int CMD_TRANSPARENT_WINDOWS = 1018;
constexpr int CMD_SOLID_WINDOWS = 1019;
constexpr int CMD_HIDE_WINDOWS = 1020;
constexpr int CMD_ABOUT = 1022;
constexpr int CMD_HELP = 1023;
constexpr int CMD_CONTEXT_HELP = 1024;
constexpr int CMD_WEB_LINK = 1025;

// Keyboard-only commands.
constexpr int CMD_NEXT_CAMERA = 1100; // Tab
constexpr int CMD_KEY_RIGHT = 1110;
constexpr int CMD_KEY_LEFT = 1111;
constexpr int CMD_KEY_DOWN = 1112;
constexpr int CMD_KEY_UP = 1113;
constexpr int CMD_KEY_PAGE_UP = 1114;
constexpr int CMD_KEY_PAGE_DOWN = 1115;
constexpr int CMD_KEY_END = 1116;

// Bitmap buttons 1200..1275 and label pictures 1300..1309.
constexpr int BUTTON_FIRST = 1200;
constexpr int BUTTON_COUNT = 76;
constexpr int BUTTON_HELP = 1225;
constexpr int BUTTON_CAMERA_FIRST = 1241;
constexpr int LABEL_FIRST = 1300;
constexpr int LABEL_COUNT = 10;

// Panel controls.
constexpr int ID_PART_LIST = 2001;
constexpr int ID_PART_NAME = 2002;
constexpr int ID_X = 2003;
constexpr int ID_Y = 2004;
constexpr int ID_Z = 2005;
constexpr int ID_SLIDER = 2007;
constexpr int ID_GROUP_LIST = 2008;
constexpr int ID_FLAG_LIST = 2009;
constexpr int ID_DUMMY_LIST = 2010;
constexpr int ID_PRESET_LIST = 2018;
constexpr int ID_DRIVER_MOVEMENT = 2020;
constexpr int ID_TEST = 2021;
constexpr int ID_HUE_BAR = 2022;
constexpr int ID_SQUARE = 2023;
constexpr int ID_ANGLE = 2050;
constexpr int ID_PART_INFO = 2051;
constexpr int ID_SWATCH = 2052;

// Controls without an ID of their own.
constexpr int ID_HEADER_LABEL_1 = 101;
constexpr int ID_HEADER_LABEL_2 = 102;
constexpr int ID_STATUS_LINE = 103;
constexpr int ID_GROUP_BOX_1 = 104;
constexpr int ID_GROUP_BOX_2 = 105;
constexpr int ID_GROUP_BOX_3 = 106;
