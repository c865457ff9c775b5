#pragma once
// Resource identifiers of the small dialogs (shared by the .rc file and the code).
#define IDD_MESSAGE 200
#define IDD_PROMPT 201
#define IDC_MESSAGE_ICON 210
#define IDC_MESSAGE_TEXT 211
#define IDC_PROMPT_TEXT 220
#define IDC_PROMPT_FIELD 221
