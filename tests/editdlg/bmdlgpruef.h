// Helpers of the equipment window tests: the equipment store beside the
// dialog host, and a user's view of a window (list rows without their
// hidden fields, a list selection, a click on a control, a picture).
// Header-only, namespace bmdlgpruef.
#pragma once

#include <string>
#include <vector>

#include "tests/editdlg/dbpruef.h"
#include "tests/equipment/kennung_test.h"

namespace bmdlgpruef {

// The store of the work-layer tests as a member of a dialog fixture.
struct Lager : kenntest::KennTest {
    using kenntest::KennTest::vorgaben;
    void TestBody() override {}
    void an() { SetUp(); }
    void aus() { TearDown(); }
};

// The visible texts of list `id`, trailing blanks removed.
inline std::vector<std::string> liste(HWND d, int id)
{
    std::vector<std::string> v;
    HWND l = GetDlgItem(d, id);
    const int n = static_cast<int>(SendMessage(l, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char t[400] = "";
        SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        std::string s = t;
        s = s.substr(0, s.find('\x03'));
        while (!s.empty() && s.back() == ' ') s.pop_back();
        v.push_back(s);
    }
    return v;
}

inline void waehlen(HWND d, int id, int n)
{
    HWND l = GetDlgItem(d, id);
    SendMessage(l, LB_SETCURSEL, static_cast<WPARAM>(n), 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), static_cast<LPARAM>(l));
    dbpruef::pumpen();
}

// A mouse click in the middle of a control, as the user gives it.
inline void druecken(HWND d, int id)
{
    RECT r{};
    GetWindowRect(GetDlgItem(d, id), &r);
    plHeadlessKlick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    dbpruef::pumpen();
}

inline bool frei(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != 0; }

// The window as the user sees it, in the temporary folder.
inline void bild(HWND d, const char* name)
{
    EXPECT_EQ(plHeadlessPng(d, (dbpruef::tempName(name) + ".png").c_str()), 0);
}

}  // namespace bmdlgpruef
