// Accelerator tables; see accel.h.
#include "platform/accel.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/handle.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"

namespace {

// A table holds at most this many entries, as on Windows.
inline constexpr int PL_ACCEL_EINTRAEGESUP = 32767;

struct plAccelTabelle {
    std::vector<ACCEL> eintraege;
};

plHandleTabelle<plAccelTabelle>& accelTabellen()
{
    static plHandleTabelle<plAccelTabelle> t(plHandleArt::Accel);
    return t;
}

bool accelGedrueckt(int vk)
{
    return (GetKeyState(vk) & 0x8000) != 0;
}

bool accelPasst(const ACCEL& a, const MSG* msg)
{
    bool alt = accelGedrueckt(VK_MENU);
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!(a.fVirt & FVIRTKEY) || a.key != static_cast<WORD>(msg->wParam)) return false;
        return ((a.fVirt & FSHIFT) != 0) == accelGedrueckt(VK_SHIFT) &&
               ((a.fVirt & FCONTROL) != 0) == accelGedrueckt(VK_CONTROL) && ((a.fVirt & FALT) != 0) == alt;
    case WM_CHAR:
    case WM_SYSCHAR:
        if ((a.fVirt & FVIRTKEY) || a.key != static_cast<WORD>(msg->wParam & 0xFF)) return false;
        return ((a.fVirt & FALT) != 0) == alt;
    default: return false;
    }
}

}  // namespace

HACCEL CreateAcceleratorTable(const ACCEL* eintraege, int anzahl)
{
    if (!eintraege || anzahl <= 0 || anzahl > PL_ACCEL_EINTRAEGESUP) return 0;
    auto t = std::make_unique<plAccelTabelle>();
    t->eintraege.assign(eintraege, eintraege + anzahl);
    return accelTabellen().anlegen(std::move(t));
}

HACCEL LoadAccelerators(HINSTANCE modul, LPCSTR name)
{
    const RcAccel* r = rcAccel(modul, name);
    if (!r || r->eintraege.empty()) return 0;
    return CreateAcceleratorTable(r->eintraege.data(), static_cast<int>(r->eintraege.size()));
}

int CopyAcceleratorTable(HACCEL h, ACCEL* dst, int n)
{
    const plAccelTabelle* t = accelTabellen().finden(h);
    if (!t) return 0;
    int anzahl = static_cast<int>(t->eintraege.size());
    if (!dst) return anzahl;
    int k = std::clamp(n, 0, anzahl);
    std::copy_n(t->eintraege.begin(), k, dst);
    return k;
}

BOOL DestroyAcceleratorTable(HACCEL h)
{
    return accelTabellen().freigeben(h) ? TRUE : FALSE;
}

int TranslateAccelerator(HWND hwnd, HACCEL h, const MSG* msg)
{
    const plAccelTabelle* t = accelTabellen().finden(h);
    if (!t || !msg || !IsWindow(hwnd)) return 0;
    for (const ACCEL& a : t->eintraege) {
        if (!accelPasst(a, msg)) continue;
        WORD cmd = a.cmd;
        HMENU menu = GetMenu(hwnd);
        if (menu) {
            UINT zustand = GetMenuState(menu, cmd, MF_BYCOMMAND);
            if (zustand != 0xFFFFFFFFu && (zustand & (MF_GRAYED | MF_DISABLED))) return 1;
        }
        SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(cmd, 1), 0);
        return 1;
    }
    return 0;
}

size_t plAccelAnzahl()
{
    return accelTabellen().anzahl();
}
