// Identifiers of the bookmark dialogs: plain #defines, since windres reads
// this file too.
#pragma once

#define IDD_ADD_BOOKMARK 800
#define IDD_REMOVE_BOOKMARK 801

#define IDC_BOOKMARK_PATH 810
#define IDC_BOOKMARK_BROWSE 811
#define IDC_BOOKMARK_LIST 820
#define IDC_BOOKMARK_DELETE 821
