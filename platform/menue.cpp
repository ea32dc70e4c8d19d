// Menu objects, items, menu resources and the system menu; see menue.h.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/fenster.h"
#include "platform/handle.h"
#include "platform/menue_int.h"
#include "platform/ressource.h"
#include "platform/zeichen.h"

namespace {

// Flags an item keeps (invariant 2 of menue_int.h).
inline constexpr UINT PL_MENUE_PUNKTFLAGS = MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED |
                                            MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP | MF_OWNERDRAW | MF_BITMAP;
// Items per menu; more is refused.
inline constexpr size_t PL_MENUE_PUNKTESUP = 4096;
// Nesting depth of submenus a resource or a by-command search may reach.
inline constexpr int PL_MENUE_TIEFESUP = 16;

plHandleTabelle<plMenueObjekt>& menueTabelle()
{
    static plHandleTabelle<plMenueObjekt> t(plHandleArt::Menue);
    return t;
}

// System menus by window (made on first GetSystemMenu).
std::map<HWND, HMENU>& menueSystem()
{
    static std::map<HWND, HMENU> m;
    return m;
}

HMENU menueNeu(bool popup)
{
    plMenueHooksSetzen();
    auto m = std::make_unique<plMenueObjekt>();
    m->popup = popup;
    return menueTabelle().anlegen(std::move(m));
}

plMenuePunkt* menuePunktRekursiv(HMENU menu, UINT id, HMENU* halter, int* pos, int tiefe)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m || tiefe > PL_MENUE_TIEFESUP) return nullptr;
    for (size_t i = 0; i < m->punkte.size(); ++i) {
        plMenuePunkt& p = m->punkte[i];
        if (!(p.flags & MF_POPUP) && !(p.flags & MF_SEPARATOR) && p.id == id) {
            if (halter) *halter = menu;
            if (pos) *pos = static_cast<int>(i);
            return &p;
        }
    }
    for (size_t i = 0; i < m->punkte.size(); ++i) {
        plMenuePunkt& p = m->punkte[i];
        if (!(p.flags & MF_POPUP)) continue;
        // A submenu may itself be addressed by its handle as the command.
        if (static_cast<UINT>(p.unter) == id) {
            if (halter) *halter = menu;
            if (pos) *pos = static_cast<int>(i);
            return &p;
        }
        if (plMenuePunkt* q = menuePunktRekursiv(p.unter, id, halter, pos, tiefe + 1)) return q;
    }
    return nullptr;
}

// Fills an item from the arguments of AppendMenu / InsertMenu / ModifyMenu.
bool menuePunktBauen(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text, plMenuePunkt& p)
{
    p = plMenuePunkt{};
    p.flags = flags & PL_MENUE_PUNKTFLAGS;
    if (flags & MF_POPUP) {
        HMENU unter = static_cast<HMENU>(id);
        if (unter == menu || !plMenueVon(unter)) return false;
        p.unter = unter;
        plMenueVon(unter)->popup = true;
    } else if (!(flags & MF_SEPARATOR)) {
        p.id = static_cast<UINT>(id & 0xFFFF);
    }
    if (flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) return true;
    p.text = text ? text : "";
    return true;
}

HMENU menueAusRessource(const std::vector<RcMenuePunkt>& punkte, bool popup, int tiefe)
{
    if (tiefe > PL_MENUE_TIEFESUP) return 0;
    HMENU h = menueNeu(popup);
    if (!h) return 0;
    for (const RcMenuePunkt& r : punkte) {
        bool ok;
        if (r.flags & MF_POPUP) {
            HMENU unter = menueAusRessource(r.unter, true, tiefe + 1);
            ok = unter && AppendMenu(h, r.flags | MF_POPUP, unter, r.text.c_str());
            if (!ok && unter) DestroyMenu(unter);
        } else {
            ok = AppendMenu(h, r.flags, static_cast<UINT_PTR>(r.id), r.text.c_str());
        }
        if (!ok) {
            DestroyMenu(h);
            return 0;
        }
    }
    return h;
}

BOOL menueEntfernen(HMENU menu, UINT position, UINT flags, bool zerstoeren)
{
    HMENU halter = 0;
    int pos = -1;
    if (!plMenuePunktSuchen(menu, position, flags, &halter, &pos)) return FALSE;
    plMenueObjekt* m = plMenueVon(halter);
    HMENU unter = m->punkte[static_cast<size_t>(pos)].unter;
    m->punkte.erase(m->punkte.begin() + pos);
    if (zerstoeren && unter) DestroyMenu(unter);
    return TRUE;
}

void menueSystemAufraeumen()
{
    auto& s = menueSystem();
    for (auto it = s.begin(); it != s.end();) {
        if (!IsWindow(it->first) || !plMenueVon(it->second)) {
            DestroyMenu(it->second);
            it = s.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace

// ---- Internals -------------------------------------------------------------------------------

plMenueObjekt* plMenueVon(HMENU h)
{
    return menueTabelle().finden(h);
}

plMenuePunkt* plMenuePunktSuchen(HMENU menu, UINT item, UINT flags, HMENU* halter, int* pos)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m) return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= m->punkte.size()) return nullptr;
        if (halter) *halter = menu;
        if (pos) *pos = static_cast<int>(item);
        return &m->punkte[item];
    }
    return menuePunktRekursiv(menu, item, halter, pos, 0);
}

unsigned char plMenueMnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\t') break;
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return plZeichenGross(static_cast<unsigned char>(text[i + 1]));
    }
    return 0;
}

HMENU plMenueSystemVorhanden(HWND hwnd)
{
    auto& s = menueSystem();
    auto it = s.find(hwnd);
    return it != s.end() && plMenueVon(it->second) ? it->second : 0;
}

// ---- Objects ------------------------------------------------------------------------------------

HMENU CreateMenu()
{
    return menueNeu(false);
}

HMENU CreatePopupMenu()
{
    return menueNeu(true);
}

BOOL DestroyMenu(HMENU menu)
{
    std::unique_ptr<plMenueObjekt> m = menueTabelle().herausnehmen(menu);
    if (!m) return FALSE;
    for (const plMenuePunkt& p : m->punkte)
        if (p.unter) DestroyMenu(p.unter);
    return TRUE;
}

BOOL IsMenu(HMENU menu)
{
    return plMenueVon(menu) ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m || m->punkte.size() >= PL_MENUE_PUNKTESUP) return FALSE;
    plMenuePunkt p;
    if (!menuePunktBauen(menu, flags, id, text, p)) return FALSE;
    m->punkte.push_back(std::move(p));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m) return FALSE;
    HMENU halter = menu;
    int pos = -1;
    // By position: a position past the end appends; by command: before the
    // item of that command, in whatever submenu it lies.
    if (flags & MF_BYPOSITION) {
        pos = position >= m->punkte.size() ? static_cast<int>(m->punkte.size()) : static_cast<int>(position);
    } else if (!plMenuePunktSuchen(menu, position, MF_BYCOMMAND, &halter, &pos)) {
        return FALSE;
    }
    plMenueObjekt* ziel = plMenueVon(halter);
    if (ziel->punkte.size() >= PL_MENUE_PUNKTESUP) return FALSE;
    plMenuePunkt p;
    if (!menuePunktBauen(halter, flags, id, text, p)) return FALSE;
    ziel->punkte.insert(ziel->punkte.begin() + pos, std::move(p));
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text)
{
    HMENU halter = 0;
    int pos = -1;
    plMenuePunkt* alt = plMenuePunktSuchen(menu, position, flags, &halter, &pos);
    if (!alt) return FALSE;
    plMenuePunkt p;
    if (!menuePunktBauen(halter, flags, id, text, p)) return FALSE;
    // The old submenu is destroyed when the item no longer carries it.
    HMENU altUnter = alt->unter;
    *alt = std::move(p);
    if (altUnter && altUnter != plMenueVon(halter)->punkte[static_cast<size_t>(pos)].unter) DestroyMenu(altUnter);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    return menueEntfernen(menu, position, flags, true);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    return menueEntfernen(menu, position, flags, false);
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags)
{
    plMenuePunkt* p = plMenuePunktSuchen(menu, item, flags, nullptr, nullptr);
    if (!p) return -1;
    UINT alt = p->flags & (MF_GRAYED | MF_DISABLED);
    p->flags = (p->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(alt);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags)
{
    plMenuePunkt* p = plMenuePunktSuchen(menu, item, flags, nullptr, nullptr);
    if (!p) return static_cast<DWORD>(-1);
    DWORD alt = p->flags & MF_CHECKED;
    p->flags = (p->flags & ~static_cast<UINT>(MF_CHECKED)) | (flags & MF_CHECKED);
    return alt;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m || position < 0 || static_cast<size_t>(position) >= m->punkte.size()) return 0;
    return m->punkte[static_cast<size_t>(position)].unter;
}

int GetMenuItemCount(HMENU menu)
{
    plMenueObjekt* m = plMenueVon(menu);
    return m ? static_cast<int>(m->punkte.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    plMenueObjekt* m = plMenueVon(menu);
    if (!m || position < 0 || static_cast<size_t>(position) >= m->punkte.size()) return static_cast<UINT>(-1);
    const plMenuePunkt& p = m->punkte[static_cast<size_t>(position)];
    return (p.flags & MF_POPUP) ? static_cast<UINT>(-1) : p.id;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buf, int max, UINT flags)
{
    if (buf && max > 0) buf[0] = '\0';
    const plMenuePunkt* p = plMenuePunktSuchen(menu, item, flags, nullptr, nullptr);
    if (!p) return 0;
    if (!buf) return static_cast<int>(p->text.size());
    if (max <= 0) return 0;
    size_t n = std::min(p->text.size(), static_cast<size_t>(max - 1));
    std::memcpy(buf, p->text.data(), n);
    buf[n] = '\0';
    return static_cast<int>(n);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    const plMenuePunkt* p = plMenuePunktSuchen(menu, item, flags, nullptr, nullptr);
    if (!p) return 0xFFFFFFFFu;
    if (p->flags & MF_POPUP) {
        UINT n = static_cast<UINT>(std::min<int>(GetMenuItemCount(p->unter), 255));
        return (n << 8) | (p->flags & 0xFF) | MF_POPUP;
    }
    return p->flags;
}

HMENU LoadMenu(HINSTANCE modul, LPCSTR name)
{
    const RcMenue* r = rcMenue(modul, name);
    if (!r) return 0;
    return menueAusRessource(r->punkte, false, 0);
}

// ---- System menu ------------------------------------------------------------------------------

HMENU GetSystemMenu(HWND hwnd, BOOL revert)
{
    menueSystemAufraeumen();
    if (!IsWindow(hwnd)) return 0;
    auto& s = menueSystem();
    auto it = s.find(hwnd);
    if (revert) {
        if (it != s.end()) {
            DestroyMenu(it->second);
            s.erase(it);
        }
        return 0;
    }
    if (it != s.end()) return it->second;
    HMENU m = CreatePopupMenu();  // installs the hooks, so a greyed close item counts
    if (!m) return 0;
    plMenueVon(m)->system = true;
    AppendMenu(m, MF_STRING, SC_RESTORE, "&Wiederherstellen");
    AppendMenu(m, MF_STRING, SC_MOVE, "&Verschieben");
    AppendMenu(m, MF_STRING, SC_SIZE, "&Gr\xF6\xDF" "e \xE4ndern");
    AppendMenu(m, MF_STRING, SC_MINIMIZE, "Mi&nimieren");
    AppendMenu(m, MF_STRING, SC_MAXIMIZE, "Ma&ximieren");
    AppendMenu(m, MF_SEPARATOR, 0, nullptr);
    AppendMenu(m, MF_STRING, SC_CLOSE, "&Schlie\xDF" "en\tAlt+F4");
    s[hwnd] = m;
    return m;
}

// ---- Tests ------------------------------------------------------------------------------------

size_t plMenueAnzahl()
{
    return menueTabelle().anzahl();
}

void plMenueEnde()
{
    EndMenu();
    menueSystem().clear();
    menueTabelle().leeren();
}
