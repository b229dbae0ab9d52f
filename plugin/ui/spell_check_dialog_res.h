// Resource and control ids of the spell-check dialog (spell_check_dialog.rc).
#pragma once

#define IDD_SPELL_CHECK 120

#define IDC_SPELL_REPLACE 3
#define IDC_SPELL_IGNORE 4
#define IDC_SPELL_DELETE 5
#define IDC_SPELL_ADD 1018
#define IDC_SPELL_WORD 1025
#define IDC_SPELL_SUGGESTIONS 1038

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
