// The CF_TEXT paste of the edit control: the input put on the clipboard as
// another program may leave it (no NUL at its end, CR LF or lone line ends,
// any byte) and pasted into edit fields of six kinds, then painted, its
// lines asked for and the paste undone. Checked: the text stays within the
// field's limit, line starts rise within the text, the line lengths fit,
// and undo gives back the text before the paste.
#include <string>

#include "platform/ctl_combo.h"
#include "platform/ctl_edit.h"
#include "platform/fenster.h"
#include "platform/globalmem.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/zwischenablage.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

struct EaFeld {
    DWORD stil;
    int grenze;  // 0: the standard limit
    HWND h;
};

EaFeld eaFelder[] = {
    {ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 0, 0},
    {ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL, 300, 0},
    {ES_AUTOHSCROLL, 0, 0},
    {0, 0, 0},  // single line that takes what fits its width
    {ES_AUTOHSCROLL | ES_UPPERCASE | ES_PASSWORD, 20, 0},
    {ES_MULTILINE | ES_LOWERCASE | ES_WANTRETURN, 1, 0},
};

std::string eaText(HWND h)
{
    const int n = GetWindowTextLength(h);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowText(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void eaEinrichten()
{
    static bool fertig = false;
    if (fertig) return;
    fertig = true;
    plComboAnmelden();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "EaEltern";
    RegisterClassEx(&wc);
    HWND eltern = CreateWindowEx(0, "EaEltern", "Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 500, 0, 0, 0,
                                 nullptr);
    int y = 0;
    for (EaFeld& f : eaFelder) {
        const bool mehr = f.stil & ES_MULTILINE;
        f.h = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | f.stil, 10, y, 200, mehr ? 120 : 24,
                             eltern, static_cast<HMENU>(50 + y), 0, nullptr);
        if (f.grenze) SendMessage(f.h, EM_LIMITTEXT, static_cast<WPARAM>(f.grenze), 0);
        y += mehr ? 125 : 30;
    }
    plHeadlessPumpen();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    eaEinrichten();
    if (!OpenClipboard(0)) return 0;
    EmptyClipboard();
    HGLOBAL g = plGlobalAus(d, n);
    if (g && !SetClipboardData(CF_TEXT, g)) GlobalFree(g);
    CloseClipboard();
    for (const EaFeld& f : eaFelder) {
        const size_t grenze = f.grenze ? static_cast<size_t>(f.grenze) : static_cast<size_t>(PL_EDIT_GRENZE_STANDARD);
        SetWindowText(f.h, n % 2 ? "ab" : "");
        SendMessage(f.h, EM_SETSEL, 1, 1);
        const std::string vorher = eaText(f.h);
        SendMessage(f.h, WM_PASTE, 0, 0);
        const std::string t = eaText(f.h);
        if (t.size() > std::max(grenze, vorher.size())) __builtin_trap();
        InvalidateRect(f.h, nullptr, TRUE);
        UpdateWindow(f.h);
        const int zeilen = static_cast<int>(SendMessage(f.h, EM_GETLINECOUNT, 0, 0));
        if (zeilen < 1) __builtin_trap();
        int vor = -1;
        for (int i = 0; i < zeilen && i < 2000; ++i) {
            const int a = static_cast<int>(SendMessage(f.h, EM_LINEINDEX, static_cast<WPARAM>(i), 0));
            if (a <= vor && i > 0) __builtin_trap();
            if (a < 0 || a > static_cast<int>(t.size())) __builtin_trap();
            const int l = static_cast<int>(SendMessage(f.h, EM_LINELENGTH, static_cast<WPARAM>(a), 0));
            if (l < 0 || a + l > static_cast<int>(t.size())) __builtin_trap();
            vor = a;
        }
        if (t != vorher && SendMessage(f.h, EM_CANUNDO, 0, 0)) {
            SendMessage(f.h, EM_UNDO, 0, 0);
            if (eaText(f.h) != vorher) __builtin_trap();
        }
    }
    plHeadlessPumpen();
    return 0;
}
