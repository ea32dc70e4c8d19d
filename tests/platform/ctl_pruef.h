// Test helpers for the edit, list, combo and scroll-bar controls: a fixture
// with a clean window manager, the control classes registered, a visible
// parent window that records what its controls tell it (notifications as
// "id:CODE", scroll codes, owner-draw requests) and answers WM_MEASUREITEM.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ctl_combo.h"
#include "platform/ctl_edit.h"
#include "platform/ctl_liste.h"
#include "platform/ctl_scroll.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"
#include "platform/zwischenablage.h"

namespace ctlpruef {

struct Gezeichnet {
    UINT art, id, item, aktion, zustand;
    ULONG_PTR daten;
    RECT rc;
};

struct Gemessen {
    UINT art, id, item;
    ULONG_PTR daten;
};

inline std::vector<std::string> meldungen;   // "id:CODE" of WM_COMMAND notifications
inline std::vector<std::string> rollen;      // "V:code:pos" / "H:code:pos"
inline std::vector<Gezeichnet> gezeichnet;
inline std::vector<Gemessen> gemessen;
inline std::vector<ULONG_PTR> geloescht;      // WM_DELETEITEM item data
inline UINT messHoehe = 20;
inline std::function<LRESULT(UINT, WPARAM, LPARAM)> eingriff;  // answers before the recorder

inline const char* codeName(HWND von, int code)
{
    char kl[32] = {};
    GetClassName(von, kl, sizeof kl);
    std::string k = kl;
    if (k == "EDIT") {
        switch (code) {
        case EN_SETFOCUS: return "EN_SETFOCUS";
        case EN_KILLFOCUS: return "EN_KILLFOCUS";
        case EN_CHANGE: return "EN_CHANGE";
        case EN_UPDATE: return "EN_UPDATE";
        case EN_MAXTEXT: return "EN_MAXTEXT";
        case EN_VSCROLL: return "EN_VSCROLL";
        case EN_HSCROLL: return "EN_HSCROLL";
        default: return "EN_?";
        }
    }
    if (k == "LISTBOX") {
        switch (code) {
        case LBN_SELCHANGE: return "LBN_SELCHANGE";
        case LBN_DBLCLK: return "LBN_DBLCLK";
        case LBN_SETFOCUS: return "LBN_SETFOCUS";
        case LBN_KILLFOCUS: return "LBN_KILLFOCUS";
        default: return "LBN_?";
        }
    }
    switch (code) {
    case CBN_SELCHANGE: return "CBN_SELCHANGE";
    case CBN_DBLCLK: return "CBN_DBLCLK";
    case CBN_SETFOCUS: return "CBN_SETFOCUS";
    case CBN_KILLFOCUS: return "CBN_KILLFOCUS";
    case CBN_EDITCHANGE: return "CBN_EDITCHANGE";
    case CBN_EDITUPDATE: return "CBN_EDITUPDATE";
    case CBN_DROPDOWN: return "CBN_DROPDOWN";
    case CBN_CLOSEUP: return "CBN_CLOSEUP";
    case CBN_SELENDOK: return "CBN_SELENDOK";
    case CBN_SELENDCANCEL: return "CBN_SELENDCANCEL";
    default: return "CBN_?";
    }
}

inline LRESULT CALLBACK elternProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (eingriff) {
        LRESULT r = eingriff(msg, wp, lp);
        if (r != -12345) return r;
    }
    switch (msg) {
    case WM_COMMAND:
        if (lp) meldungen.push_back(std::to_string(LOWORD(wp)) + ":" + codeName(static_cast<HWND>(lp), HIWORD(wp)));
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        rollen.push_back(std::string(msg == WM_VSCROLL ? "V:" : "H:") + std::to_string(LOWORD(wp)) + ":" +
                         std::to_string(HIWORD(wp)));
        return 0;
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        gemessen.push_back(Gemessen{mi->CtlType, mi->CtlID, mi->itemID, mi->itemData});
        mi->itemHeight = messHoehe;
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        gezeichnet.push_back(Gezeichnet{di->CtlType, di->CtlID, di->itemID, di->itemAction, di->itemState,
                                        di->itemData, di->rcItem});
        return TRUE;
    }
    case WM_DELETEITEM:
        geloescht.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lp)->itemData);
        return TRUE;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

class Fixture : public ::testing::Test {
protected:
    HWND eltern = 0;

    void SetUp() override
    {
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        meldungen.clear();
        rollen.clear();
        gezeichnet.clear();
        gemessen.clear();
        geloescht.clear();
        messHoehe = 20;
        eingriff = nullptr;
        plComboAnmelden();
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = elternProc;
        wc.lpszClassName = "CtlEltern";
        wc.hbrBackground = static_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassEx(&wc);
        eltern = CreateWindowEx(0, "CtlEltern", "Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 500, 0, 0, 0,
                                nullptr);
        ASSERT_NE(eltern, 0u);
        plHeadlessPumpen();
    }
    void TearDown() override
    {
        eingriff = nullptr;
        plClipEnde();
        plFensterSystemEnde();
        plUhrFreigeben();
    }

    HWND kind(const char* klasse, DWORD stil, int x, int y, int b, int h, int id, const char* text = "")
    {
        HWND k = CreateWindowEx(0, klasse, text, WS_CHILD | WS_VISIBLE | stil, x, y, b, h, eltern,
                                static_cast<HMENU>(id), 0, nullptr);
        plHeadlessPumpen();
        return k;
    }
    static std::vector<std::string> nimm()
    {
        std::vector<std::string> v;
        v.swap(meldungen);
        return v;
    }
    static std::string text(HWND h)
    {
        int n = GetWindowTextLength(h);
        std::string s(static_cast<size_t>(n) + 1, '\0');
        GetWindowText(h, s.data(), n + 1);
        s.resize(static_cast<size_t>(n));
        return s;
    }
    // Client point of a control to a click there.
    static void klick(HWND h, int x, int y)
    {
        POINT p = plHeadlessPunkt(h, x, y);
        plHeadlessKlick(p.x, p.y);
        plHeadlessPumpen();
    }
    static void mitTaste(UINT mod, UINT vk)
    {
        plHeadlessTasteRunter(mod);
        plHeadlessTaste(vk);
        plHeadlessTasteHoch(mod);
        plHeadlessPumpen();
    }
    static void taste(UINT vk)
    {
        plHeadlessTaste(vk);
        plHeadlessPumpen();
    }
};

}  // namespace ctlpruef
