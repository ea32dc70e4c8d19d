// Clipboard text as other programs leave it: the input as a CF_TEXT block
// (not necessarily ended by a NUL), taken by the dialog items' readers and
// pasted into a single-line and a multi-line edit control. (The headless
// backend has no outside clipboard; an outside block reaches these readers
// as the same CF_TEXT block, with a NUL added.)
#include <string>

#include "platform/ctl_edit.h"
#include "platform/fenster.h"
#include "platform/globalmem.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "platform/zwischenablage.h"
#include "support/speicher.h"
#include "winlib/dlgitem.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::ordner();
    plEditAnmelden();
    if (!OpenClipboard(0)) return 0;
    EmptyClipboard();
    HGLOBAL block = plGlobalAus(d, n);
    if (block && !SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();

    char puffer[256];
    wiClipHolen(puffer, sizeof puffer - 1);
    if (char* neu = wiClipHolenNeu()) ffree(neu);
    for (DWORD stil : {DWORD(0), DWORD(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL)}) {
        HWND e = CreateWindowEx(0, "EDIT", "", WS_OVERLAPPED | WS_VISIBLE | stil, 0, 0, 200, 80, 0, 0, 0, nullptr);
        if (!e) continue;
        SendMessage(e, EM_LIMITTEXT, 4000, 0);
        SendMessage(e, WM_PASTE, 0, 0);
        SendMessage(e, EM_SETSEL, 0, -1);
        SendMessage(e, WM_PASTE, 0, 0);
        std::string t(static_cast<size_t>(GetWindowTextLength(e)) + 1, '\0');
        GetWindowText(e, t.data(), static_cast<int>(t.size()));
        DestroyWindow(e);
    }
    plClipEnde();
    return 0;
}
