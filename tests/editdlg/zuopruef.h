// Helpers of the assignment and label tests: a record with a text, a
// graphic state at a point, and how often a command was posted to the
// editor page.
#pragma once

#include <string>

#include <cstdlib>
#include <vector>

#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "model/befehl.h"
#include "model/zustand.h"

namespace zuopruef {

inline BEF satz(int code, const char* text)
{
    BEF b{};
    b.code = static_cast<uint8_t>(code);
    BefTextSetzen(&b, text);
    return b;
}

inline STT bei(double x, double y)
{
    STT s{};
    SttInit(&s, nullptr);
    s.x = x;
    s.y = y;
    return s;
}

// Commands posted to the editor page arrive at a plain window standing in
// for it; editorBereit() makes it and forgets what was posted before.
inline std::vector<int>& gepostet()
{
    static std::vector<int> v;
    return v;
}

inline void editorAbholen(HWND f)
{
    MSG m;
    while (PeekMessage(&m, f, WM_COMMAND, WM_COMMAND, PM_REMOVE)) gepostet().push_back(static_cast<int>(LOWORD(m.wParam)));
}

inline void editorBereit()
{
    static HWND f = 0;
    if (f == 0 || !IsWindow(f)) {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "ZuoEditor";
        RegisterClass(&wc);
        f = CreateWindow("ZuoEditor", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
    }
    EdtFensterFuerTests(f);
    editorAbholen(f);
    gepostet().clear();
}

inline int aufrufe(const std::string& wie)
{
    const std::string post = "EdtBefehlPosten(";
    if (wie.rfind(post, 0) == 0) {
        if (HWND f = EdtFenster()) editorAbholen(f);
        const int id = std::atoi(wie.c_str() + post.size());
        int n = 0;
        for (auto it = gepostet().begin(); it != gepostet().end();) {
            if (*it == id) {
                ++n;
                it = gepostet().erase(it);
            } else {
                ++it;
            }
        }
        return n;
    }
    return -1;  // only the commands posted to the page are counted
}

}  // namespace zuopruef
