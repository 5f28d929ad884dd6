#pragma once
// Resource numbers shared by the resource script and the code (the resource
// compiler reads only preprocessor definitions).
#define IDD_LICENCE 100
#define IDC_LICENCE_PROMPT 101
#define IDC_LICENCE_TEXT 102
