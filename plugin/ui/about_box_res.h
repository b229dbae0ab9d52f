// Resource and control ids of the about box (about_box.rc).
#pragma once

#define IDD_ABOUT 18502
#define IDC_VERSION 1051

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
