// Ids of dialog 23001, the cross-synthesis group list. Shared by the dialog
// code, the resource script and the end-to-end tests.
#pragma once

#define IDD_XSYNTH_GROUP 23001

#define IDC_XSYNTH_LIST 23115
#define IDC_OPEN_GROUP_WEB 23116
