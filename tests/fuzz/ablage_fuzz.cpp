// Clipboard formats read from other programs: the input as the outside
// clipboard's text, taken by the dialog items' reader and pasted into a
// single-line and a multi-line edit control.
#include <string>

#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "platform/zwischenablage.h"
#include "winlib/dlgitem.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::ordner();
    plBeZwischenablageSchreiben("CF_TEXT", d, n);
    plClipFremd();
    char puffer[256];
    wiClipHolen(puffer, sizeof puffer - 1);
    for (DWORD stil : {DWORD(0), DWORD(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL)}) {
        HWND e = CreateWindowEx(0, "EDIT", "", WS_OVERLAPPED | WS_VISIBLE | stil, 0, 0, 200, 80, 0, 0, 0, nullptr);
        if (!e) continue;
        SendMessage(e, WM_PASTE, 0, 0);
        std::string t(static_cast<size_t>(GetWindowTextLength(e)) + 1, '\0');
        GetWindowText(e, t.data(), static_cast<int>(t.size()));
        DestroyWindow(e);
    }
    plClipEnde();
    return 0;
}
