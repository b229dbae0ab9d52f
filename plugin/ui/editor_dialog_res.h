// Resource and control ids of the editor dialog (editor_dialog.rc).
#pragma once

#define IDD_EDITOR 18501

#define IDC_COUNT_BUTTON 3
#define IDC_TOOLS 4
#define IDC_LOAD_TEMPLATE 6
#define IDC_SAVE_TEMPLATE 7
#define IDC_DELETE_TEMPLATE 8
#define IDC_RECENT_TITLE 20
#define IDC_RECENT_PHOTOGRAPHER 21
#define IDC_RECENT_DESCRIPTION 22
#define IDC_RECENT_KEYWORDS 23
#define IDC_RECENT_COPYRIGHT 24
#define IDC_RECENT_URL 25
#define IDC_ABOUT 1009
#define IDC_KEYWORDS 1019
#define IDC_COUNT 1026
#define IDC_COPYRIGHT 1030
#define IDC_URL 1031
#define IDC_COPYRIGHT_LABEL 1032
#define IDC_URL_LABEL 1033
#define IDC_TITLE 1034
#define IDC_PHOTOGRAPHER 1035
#define IDC_DESCRIPTION 1036
#define IDC_FIELDS_FRAME 1047
#define IDC_KEYWORDS_FRAME 1048

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif

#ifndef RC_INVOKED
// Caption of the editor window; the name prompt and the tests find the editor by it.
constexpr const char kEditorCaption[] = "Tavimor";
#endif
