// The template libraries eddb10..eddb41: every "DB" template is in each of
// them and opens headless; no visible control leaves the client area or
// covers another; the libraries differ only in the decimals of their number
// fields; every control the dialogs' code declares is there with its class;
// a broken script stops the packer with its file and line.
#include <gtest/gtest.h>

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "editdlg/steuer.h"
#include "platform/dialog.h"
#include "platform/ressource.h"
#include "tests/editdlg/dbpruef.h"

namespace {

using dbpruef::DbTest;
using dbpruef::pumpen;

const char* const dbModule[] = {"eddb10", "eddb11", "eddb20", "eddb21", "eddb30", "eddb31", "eddb40", "eddb41"};

// The 79 templates: the dispatcher's, the choosers', those of the equipment
// dialogs opened elsewhere, the small editor dialogs and the palettes.
std::vector<std::string> vorlagenNamen()
{
    std::vector<std::string> v;
    int n = 0;
    const DbDialogZeile* t = DbDialogTabelle(&n);
    for (int i = 0; i < n; ++i)
        if (t[i].vorlage != nullptr) v.push_back(t[i].vorlage);
    for (const char* s : {"DB1204T", "DB1204V", "DB1210", "DB1232D", "DB1232P", "DB1232K", "DB1357", "DB1358",
                          "DB1360", "DB1006", "DB1312", "DB1345"})
        v.push_back(s);
    for (int groesse = 0; groesse <= 1; ++groesse)
        for (int layout = 1; layout <= 12; ++layout) {
            if (groesse == 0 && layout == 1) continue;  // that one is "DB1205"
            char name[32];
            std::snprintf(name, sizeof name, "DB1205F%1d%02d", groesse, layout);
            v.push_back(name);
        }
    return v;
}

INT_PTR CALLBACK leerProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

bool istGruppe(const RcDlgElement& e)
{
    return strcasecmp(e.klasse.c_str(), "button") == 0 && (e.stil & 0xF) == BS_GROUPBOX;
}

RECT imDialog(HWND d, HWND c)
{
    RECT r;
    GetWindowRect(c, &r);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ScreenToClient(d, &a);
    ScreenToClient(d, &b);
    return RECT{a.x, a.y, b.x, b.y};
}

TEST_F(DbTest, EveryTemplateOpensFromEveryLibraryWithoutOverlaps)
{
    std::vector<std::string> namen = vorlagenNamen();
    ASSERT_EQ(namen.size(), 79u);
    for (const char* m : dbModule) {
        HMODULE modul = LoadLibrary(m);
        ASSERT_NE(modul, 0u) << m;
        for (const std::string& name : namen) {
            SCOPED_TRACE(std::string(m) + "/" + name);
            const RcDialog* vorlage = rcDialog(modul, name.c_str());
            ASSERT_NE(vorlage, nullptr);
            HWND d = CreateDialogParam(modul, name.c_str(), haupt, leerProc, 0);
            ASSERT_NE(d, 0u);
            RECT client;
            GetClientRect(d, &client);
            std::vector<std::pair<int, RECT>> sichtbar;
            for (const RcDlgElement& e : vorlage->elemente) {
                HWND c = GetDlgItem(d, e.id);
                ASSERT_NE(c, 0u) << e.id;
                if (!(e.stil & WS_VISIBLE) || istGruppe(e)) continue;
                RECT r = imDialog(d, c);
                EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                    << "control " << e.id << " leaves the client area";
                sichtbar.push_back({e.id, r});
            }
            for (size_t i = 0; i < sichtbar.size(); ++i)
                for (size_t j = i + 1; j < sichtbar.size(); ++j) {
                    const RECT& a = sichtbar[i].second;
                    const RECT& b = sichtbar[j].second;
                    bool ueber = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                    EXPECT_FALSE(ueber) << sichtbar[i].first << " overlaps " << sichtbar[j].first;
                }
            DestroyWindow(d);
        }
        FreeLibrary(modul);
    }
}

// The same templates in every library; only number fields differ, and only
// in their kind digit: lengths carry Ednk, angles Edwnk.
TEST_F(DbTest, LibrariesDifferOnlyInTheDecimalsOfTheirNumberFields)
{
    HMODULE basis = LoadLibrary("eddb10");
    HMODULE grob = LoadLibrary("eddb41");
    ASSERT_NE(basis, 0u);
    ASSERT_NE(grob, 0u);
    int laengen = 0, winkel = 0;
    for (const std::string& name : vorlagenNamen()) {
        const RcDialog* a = rcDialog(basis, name.c_str());
        const RcDialog* b = rcDialog(grob, name.c_str());
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        ASSERT_EQ(a->elemente.size(), b->elemente.size()) << name;
        for (size_t i = 0; i < a->elemente.size(); ++i) {
            const RcDlgElement& x = a->elemente[i];
            const RcDlgElement& y = b->elemente[i];
            EXPECT_TRUE(x.id == y.id && x.klasse == y.klasse && x.stil == y.stil && x.x == y.x && x.y == y.y &&
                        x.cx == y.cx && x.cy == y.cy)
                << name << " " << x.id;
            if (x.text == y.text) continue;
            ASSERT_EQ(x.klasse, "ORVAEDIT") << name << " " << x.id;
            EXPECT_EQ(x.text.substr(1), y.text.substr(1)) << name << " " << x.id;
            if (x.text[0] == '1' && y.text[0] == '4') ++laengen;
            else if (x.text[0] == '0' && y.text[0] == '1') ++winkel;
            else ADD_FAILURE() << name << " " << x.id << ": " << x.text << " / " << y.text;
        }
        for (const char* m : dbModule) {
            HMODULE h = LoadLibrary(m);
            const RcDialog* c = rcDialog(h, name.c_str());
            ASSERT_NE(c, nullptr) << m << "/" << name;
            // A kind is the module's length or angle digit, 0, or the same
            // in every module (a field of fixed decimals).
            for (size_t i = 0; i < c->elemente.size() && i < a->elemente.size(); ++i) {
                const RcDlgElement& e = c->elemente[i];
                if (e.klasse != "ORVAEDIT" || e.text == a->elemente[i].text) continue;
                const char k = e.text.empty() ? 'T' : e.text[0];
                EXPECT_TRUE(k == '0' || k == m[4] || k == m[5]) << m << "/" << name << " " << e.id;
            }
            FreeLibrary(h);
        }
    }
    EXPECT_GT(laengen, 40);
    EXPECT_GT(winkel, 10);
    FreeLibrary(basis);
    FreeLibrary(grob);
}

// Every control a dialog's code works with is in its template, of the
// class the code expects, in every library.
TEST_F(DbTest, EveryDeclaredControlIsInItsTemplate)
{
    for (const char* m : dbModule) {
        HMODULE h = LoadLibrary(m);
        ASSERT_NE(h, 0u) << m;
        for (const DbSteuer& s : DbSteuerTabelle()) {
            const RcDialog* v = rcDialog(h, s.vorlage);
            ASSERT_NE(v, nullptr) << m << "/" << s.vorlage;
            for (int id : s.ids) {
                const RcDlgElement* e = nullptr;
                for (const RcDlgElement& x : v->elemente)
                    if (x.id == id) e = &x;
                ASSERT_NE(e, nullptr) << m << "/" << s.vorlage << " " << id;
                EXPECT_EQ(strcasecmp(e->klasse.c_str(), s.klasse), 0)
                    << m << "/" << s.vorlage << " " << id << ": " << e->klasse << ", not " << s.klasse;
            }
        }
        FreeLibrary(h);
    }
}

TEST(DbVorlagen, ABrokenScriptStopsThePackerWithFileAndLine)
{
    std::string aus = dbpruef::tempName("rcpack_eddb") + ".cpp";
    std::string log = dbpruef::tempName("rcpack_eddb") + ".log";
    std::string cmd = std::string("'") + VELMO_RCPACK + "' '" + aus + "' '" + VELMO_TEST_DATA +
                      "/editdlg/eddb-kaputt' 2>'" + log + "'";
    EXPECT_NE(std::system(cmd.c_str()), 0);
    std::ifstream f(log);
    std::string zeile;
    ASSERT_TRUE(std::getline(f, zeile));
    EXPECT_NE(zeile.find("eddb-kaputt/kaputt.rc:9: "), std::string::npos) << zeile;
}

}  // namespace
