// Identifiers of the Help menu and the About box (range 900-949): plain
// #defines, since windres reads this file too.
#pragma once

#define IDM_HELP_TOPICS 900
#define IDM_ABOUT 901

#define IDD_ABOUT 910
#define IDC_ABOUT_ICON 911
#define IDC_ABOUT_NAME 912
#define IDC_ABOUT_VERSION 913
#define IDC_ABOUT_COPYRIGHT 914
