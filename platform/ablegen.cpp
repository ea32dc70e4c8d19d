// Dropped files; see ablegen.h.
#include "platform/ablegen.h"

#include <algorithm>
#include <cstring>

#include "platform/fenster.h"
#include "platform/globalmem.h"
#include "platform/nachricht.h"

namespace {

// The names of a file list as (start, length) within the block; false when
// the block is not a sound DROPFILES list (a list read from another program
// is checked, never trusted).
bool ablegenNamen(HDROP drop, std::vector<std::pair<size_t, size_t>>& namen, const char** basis)
{
    size_t n = GlobalSize(drop);
    if (n < sizeof(DROPFILES)) return false;
    const char* p = static_cast<const char*>(GlobalLock(drop));
    if (!p) return false;
    DROPFILES kopf;
    std::memcpy(&kopf, p, sizeof kopf);
    GlobalUnlock(drop);  // the block stays where it is; it is not freed here
    if (kopf.fWide || kopf.pFiles < sizeof(DROPFILES) || kopf.pFiles > n) return false;
    size_t i = kopf.pFiles;
    while (i < n && p[i] != '\0') {
        const void* ende = std::memchr(p + i, '\0', n - i);
        if (!ende) return false;
        size_t len = static_cast<size_t>(static_cast<const char*>(ende) - (p + i));
        namen.emplace_back(i, len);
        i += len + 1;
    }
    *basis = p;
    return true;
}

}  // namespace

void DragAcceptFiles(HWND hwnd, BOOL accept)
{
    if (!IsWindow(hwnd)) return;
    LONG ex = GetWindowLong(hwnd, GWL_EXSTYLE);
    ex = accept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~WS_EX_ACCEPTFILES);
    SetWindowLong(hwnd, GWL_EXSTYLE, ex);
}

UINT DragQueryFile(HDROP drop, UINT index, LPSTR buf, UINT size)
{
    std::vector<std::pair<size_t, size_t>> namen;
    const char* basis = nullptr;
    if (!ablegenNamen(drop, namen, &basis)) {
        if (buf && size) buf[0] = '\0';
        return 0;
    }
    if (index == 0xFFFFFFFFu) return static_cast<UINT>(namen.size());
    if (index >= namen.size()) {
        if (buf && size) buf[0] = '\0';
        return 0;
    }
    size_t len = namen[index].second;
    if (!buf) return static_cast<UINT>(len);
    if (size == 0) return 0;
    size_t k = std::min(len, static_cast<size_t>(size - 1));
    std::memcpy(buf, basis + namen[index].first, k);
    buf[k] = '\0';
    return static_cast<UINT>(k);
}

BOOL DragQueryPoint(HDROP drop, LPPOINT pt)
{
    if (GlobalSize(drop) < sizeof(DROPFILES)) return FALSE;
    DROPFILES kopf;
    std::memcpy(&kopf, GlobalLock(drop), sizeof kopf);
    GlobalUnlock(drop);
    if (pt) *pt = kopf.pt;
    return kopf.fNC ? FALSE : TRUE;
}

void DragFinish(HDROP drop)
{
    GlobalFree(drop);
}

HGLOBAL plAblegenListe(const std::vector<std::string>& dateien, POINT pt, bool nichtClient)
{
    size_t n = sizeof(DROPFILES) + 1;
    for (const std::string& d : dateien) n += d.size() + 1;
    HGLOBAL h = GlobalAlloc(GHND, n);
    if (!h) return 0;
    char* p = static_cast<char*>(GlobalLock(h));
    DROPFILES kopf{static_cast<DWORD>(sizeof(DROPFILES)), pt, nichtClient ? TRUE : FALSE, FALSE};
    std::memcpy(p, &kopf, sizeof kopf);
    size_t i = sizeof(DROPFILES);
    for (const std::string& d : dateien) {
        // A name holding a NUL would end the list early: keep what precedes it.
        size_t len = std::strlen(d.c_str());
        std::memcpy(p + i, d.data(), len);
        i += len + 1;
    }
    GlobalUnlock(h);
    return h;
}

HWND plAblegenDateien(int x, int y, const std::vector<std::string>& dateien)
{
    POINT bildschirm{x, y};
    HWND h = WindowFromPoint(bildschirm);
    while (h && !(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        h = (GetWindowLong(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : 0;
    if (!h || dateien.empty()) return 0;
    POINT client = bildschirm;
    ScreenToClient(h, &client);
    RECT rc;
    GetClientRect(h, &rc);
    bool nichtClient = client.x < rc.left || client.y < rc.top || client.x >= rc.right || client.y >= rc.bottom;
    HGLOBAL liste = plAblegenListe(dateien, client, nichtClient);
    if (!liste) return 0;
    if (!PostMessage(h, WM_DROPFILES, static_cast<WPARAM>(liste), 0)) {
        GlobalFree(liste);
        return 0;
    }
    return h;
}
