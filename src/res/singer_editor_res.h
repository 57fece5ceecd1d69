// Ids of dialog 101, the Singer Editor. Shared by the dialog code, the
// resource script and the end-to-end tests; plain defines so that the
// resource compiler reads them too.
#pragma once

#define IDD_SINGER_EDITOR 101

#define IDC_ACTIVE_LABEL 1002
#define IDC_SEQUENCE_NAME 23083
#define IDC_ACTIVE_LIST 26000
#define IDC_ACTIVE_ADD 23041
#define IDC_ACTIVE_COPY 23036
#define IDC_ACTIVE_EDIT 23044
#define IDC_ACTIVE_DELETE 23037
#define IDC_COPY_TO_ACTIVE 23024
#define IDC_COPY_TO_MY 23023
#define IDC_MY_LABEL 1003
#define IDC_MY_LIST 23002
#define IDC_MY_ADD 23038
#define IDC_MY_COPY 23039
#define IDC_MY_EDIT 23045
#define IDC_MY_DELETE 23040
#define IDC_IMPORT 23117
#define IDC_EXPORT 23118
