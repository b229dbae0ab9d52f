// Resource and control ids of the installer dialog.
#pragma once

#define IDD_INSTALLER 102

#define IDC_BROWSE 1000
#define IDC_MAIN_BUTTON 1001
#define IDC_FOLDER 1002
#define IDC_HEADING 1004
#define IDC_FOLDER_HINT 1005
#define IDC_STATUS 1006
#define IDC_PROGRESS 1007
#define IDC_INFO 1009
