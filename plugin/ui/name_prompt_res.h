// Resource and control ids of the name prompt (name_prompt.rc).
#pragma once

#define IDD_NAME_PROMPT 121

#define IDC_NAME 1025
#define IDC_NAME_OK 3000
#define IDC_NAME_CANCEL 3001

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
