// The graphic buttons of every dialog template in resources/, opened through
// the dialog manager with no callbacks at all: each `ORVAGRBU` button shows
// the picture its text names (a bitmap of the program) and carries its
// tooltip, set up in the one place where dialogs are made. A dialog's
// tooltips go with it, and setting a button up twice keeps one tooltip.
#include <gtest/gtest.h>

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "controls/ctlkern.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/rcparser.h"
#include "platform/ressource.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace fs = std::filesystem;

namespace {

struct Vorlage {
    std::string modul;
    RcDialog dialog;
};

// The module a folder is packed as: its name, or the first of its variants
// ("varianten.txt", see platform/rcpack).
std::string modulVonOrdner(const fs::path& ordner)
{
    std::ifstream f(ordner / "varianten.txt");
    for (std::string zeile; std::getline(f, zeile);) {
        std::istringstream w(zeile);
        std::string name;
        if (w >> name && name[0] != '#') return name;
    }
    return ordner.filename().string();
}

// Every dialog with a graphic button in the scripts of resources/<modul>/,
// read the way the packer reads them (all .rc files of the folder, sorted).
std::vector<Vorlage> vorlagenMitKnoepfen()
{
    std::vector<Vorlage> v;
    for (const auto& ordner : fs::directory_iterator(fs::path(VELMO_SOURCE_DIR) / "resources")) {
        if (!ordner.is_directory()) continue;
        std::vector<std::string> skripte;
        for (const auto& d : fs::directory_iterator(ordner.path()))
            if (d.path().extension() == ".rc") skripte.push_back(d.path().filename().string());
        std::sort(skripte.begin(), skripte.end());
        RcLeser leser = [&](const std::string& pfad, std::string& inhalt) {
            std::ifstream f(ordner.path() / pfad, std::ios::binary);
            if (!f) return false;
            std::stringstream s;
            s << f.rdbuf();
            inhalt = s.str();
            return true;
        };
        RcModul m;
        std::string fehler;
        std::string name = modulVonOrdner(ordner.path());
        EXPECT_TRUE(rcModulParsen(name, skripte, leser, m, fehler)) << fehler;
        for (const RcEintrag& e : m.eintraege) {
            if (!e.dialog) continue;
            bool knopf = std::any_of(e.dialog->elemente.begin(), e.dialog->elemente.end(),
                                     [](const RcDlgElement& el) { return strcasecmp(el.klasse.c_str(), "ORVAGRBU") == 0; });
            // The drawing view's class is registered by output/, above this
            // layer: pages with a view test their buttons in their own folder.
            bool ansicht = std::any_of(e.dialog->elemente.begin(), e.dialog->elemente.end(),
                                       [](const RcDlgElement& el) { return strcasecmp(el.klasse.c_str(), "ORVAGUCK") == 0; });
            if (knopf && !ansicht) v.push_back({name, *e.dialog});
        }
    }
    return v;
}

HMODULE grbuModul = 0;
HMODULE grbuModulFuer(const char*) { return grbuModul; }

LRESULT CALLBACK grbuHauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

void grbuPumpen()
{
    MSG m;
    for (int runde = 0; runde < 10000 && PeekMessage(&m, 0, 0, 0, PM_REMOVE); ++runde) {
        if (m.message == WM_QUIT) break;
        if (wiDlgNachricht(&m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}

class GrbuVorlagen : public ::testing::Test {
protected:
    HWND haupt = 0;

    void SetUp() override
    {
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        anwZuruecksetzen();
        anwDaten()->instanz = GetModuleHandle(nullptr);
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = grbuHauptProz;
        wc.lpszClassName = "GrbuHaupt";
        ASSERT_NE(RegisterClassEx(&wc), 0);
        haupt = CreateWindowEx(0, "GrbuHaupt", "Velmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 800, 0, 0, 0,
                               nullptr);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
        ASSERT_EQ(wiTooltipsInit(), 0);
        wiDlgModulSetzen(grbuModulFuer);
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        wiTooltipsEnde();
        wiDlgFrei();
        wiBibEnde();
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        anwZuruecksetzen();
        plUhrFreigeben();
    }

    HWND oeffnen(const Vorlage& v)
    {
        grbuModul = v.modul == "velmo" ? GetModuleHandle(nullptr) : LoadLibrary(v.modul.c_str());
        HWND dlg = wiDlgErzeugen(v.dialog.name.c_str(), nullptr, nullptr, nullptr, 0, 0, nullptr, 0, 0, 0, 0, nullptr);
        grbuPumpen();
        return dlg;
    }

    // Pixels of the button that differ from a bare button of the same text,
    // style and size that nobody set up; the outer two pixels (frame and
    // focus rectangle) left out.
    int bildPunkte(HWND knopf, const std::string& text)
    {
        RECT r;
        GetClientRect(knopf, &r);
        DWORD stil = static_cast<DWORD>(GetWindowLong(knopf, GWL_STYLE)) & ~static_cast<DWORD>(WS_TABSTOP);
        HWND bar = CreateWindow("ORVAGRBU", text.c_str(), stil, 0, 0, r.right, r.bottom, haupt, static_cast<HMENU>(9999),
                                0, nullptr);
        UpdateWindow(knopf);
        UpdateWindow(bar);
        grbuPumpen();
        int n = 0;
        for (int y = 2; y < r.bottom - 2; ++y)
            for (int x = 2; x < r.right - 2; ++x) n += plFensterPixel(knopf, x, y) != plFensterPixel(bar, x, y);
        DestroyWindow(bar);
        return n;
    }
};

std::string ersteWort(const std::string& text)
{
    size_t a = text.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    return text.substr(a, text.find_first_of(" \t;", a) - a);
}

}  // namespace

TEST_F(GrbuVorlagen, EveryButtonOfEveryTemplateShowsItsPicture)
{
    std::vector<Vorlage> vorlagen = vorlagenMitKnoepfen();
    ASSERT_FALSE(vorlagen.empty());
    int knoepfe = 0;
    for (const Vorlage& v : vorlagen) {
        SCOPED_TRACE(v.modul + "/" + v.dialog.name);
        HWND dlg = oeffnen(v);
        ASSERT_NE(dlg, 0u);
        for (const RcDlgElement& el : v.dialog.elemente) {
            if (strcasecmp(el.klasse.c_str(), "ORVAGRBU") != 0) continue;
            if (el.text.empty()) continue;  // its picture comes at run time (palette buttons)
            SCOPED_TRACE(el.text);
            ++knoepfe;
            std::string name = ersteWort(el.text);
            EXPECT_NE(rcBild(GetModuleHandle(nullptr), name.c_str(), RT_BITMAP), nullptr)
                << "no bitmap \"" << name << "\" in the program";
            HWND k = GetDlgItem(dlg, el.id);
            ASSERT_NE(k, 0u);
            EXPECT_GT(bildPunkte(k, el.text), 20) << "the button shows no picture";
            EXPECT_NE(wiTooltipText(k), nullptr);
        }
        if (v.dialog.name == "ZeiAnlegen") {
            fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "controls_zeianlegen.png";
            EXPECT_EQ(plFensterPng(dlg, bild.c_str()), 0);
        }
        SendMessage(dlg, WM_CLOSE, 0, 0);
        grbuPumpen();
        EXPECT_EQ(wiTooltipAnzahl(), 0) << "the dialog's tooltips went with it";
    }
    EXPECT_GE(knoepfe, 22);
}

TEST_F(GrbuVorlagen, TooltipsFromTheTextsAndOnePerButton)
{
    std::vector<Vorlage> vorlagen = vorlagenMitKnoepfen();
    auto it = std::find_if(vorlagen.begin(), vorlagen.end(), [](const Vorlage& v) { return v.dialog.name == "ZeiAnlegen"; });
    ASSERT_NE(it, vorlagen.end());
    HWND dlg = oeffnen(*it);
    ASSERT_NE(dlg, 0u);
    // "BUTTOK;     A&nlegen", "BUTTESC;     Abbrechen", "BUTTSPELL;     Rechtschreibung"
    EXPECT_STREQ(wiTooltipText(GetDlgItem(dlg, 2500)), "Anlegen");
    EXPECT_STREQ(wiTooltipText(GetDlgItem(dlg, 2501)), "Abbrechen");
    EXPECT_STREQ(wiTooltipText(GetDlgItem(dlg, 2990)), "Rechtschreibung");
    int n = wiTooltipAnzahl();
    EXPECT_EQ(n, 4);
    wiDlgBetreten(dlg);
    EXPECT_EQ(wiGrbuAlleEinrichten(), 4);
    wiGrbuEinrichten(2500, 2501, 0);
    wiDlgVerlassen();
    EXPECT_EQ(wiTooltipAnzahl(), n) << "a second set-up replaces, never adds";
}
