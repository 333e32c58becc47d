#include "about_box.h"

#include "module_instance.h"

namespace qx {
namespace {

constexpr WORD kAboutDialogId = 2;

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;  // the system focuses the first tab stop, the OK button
        case WM_COMMAND:
            // Esc and the caption's close send IDCANCEL: deliberately ignored.
            if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(kAboutDialogId), owner, AboutProc, 0);
}

}  // namespace qx
