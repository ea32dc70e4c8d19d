// Every dialog template and every command of the main dispatcher is reached
// by walking what a user can do on the real frame (headless, the demo
// project): every item of every page's menu bar, every accelerator key of
// the page, every toolbar button, every key of the editor's key file, every
// item of the pages' context menus, and the buttons of every dialog these
// open. The platform tells each dialog made from a template and the
// dispatcher each command it takes; a template or command that nothing
// reaches fails the test unless the table below names it with its reason.
// The list of what was reached, with the first way to it, is written next
// to the test program ("erreichweg.txt") for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "editor/edtseite.h"
#include "editor/leiste.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "output/druck.h"
#include "platform/accel.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "tests/frame/demorahmen_pruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

// What the walk reached: template or command -> the first way to it.
struct EwLog {
    std::map<std::string, std::string> vorlagen;
    std::map<int, std::string> befehle;
    std::string weg;  // the step under way
    std::vector<std::pair<HINSTANCE, std::string>> schritt;  // templates made by the step under way
};
EwLog& ewLog()
{
    static EwLog l;
    return l;
}

// Template names are looked up regardless of case.
std::string ewGross(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void ewVorlageGesehen(HINSTANCE inst, const char* name)
{
    ewLog().vorlagen.emplace(ewGross(name), ewLog().weg);
    ewLog().schritt.emplace_back(inst, name);
}

void ewBefehlGesehen(int befehl)
{
    ewLog().befehle.emplace(befehl, ewLog().weg);
}

std::string ewLesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The commands of the main dispatcher: its case labels and ranges.
std::set<int> ewDispatcherBefehle()
{
    const std::string modus = ewLesen(fs::path(VELMO_SOURCE_DIR) / "frame" / "modus.cpp");
    const size_t a = modus.find("void AnwBefehl(");
    if (a == std::string::npos) return {};
    const std::string rumpf = modus.substr(a, modus.find("\n}\n", a) - a);
    std::set<int> befehle;
    for (size_t p = rumpf.find("case "); p != std::string::npos; p = rumpf.find("case ", p + 1)) {
        const int n = std::atoi(rumpf.c_str() + p + 5);
        if (n >= 1000 && n <= 9999) befehle.insert(n);
    }
    for (size_t p = rumpf.find("n >= "); p != std::string::npos; p = rumpf.find("n >= ", p + 1)) {
        const size_t q = rumpf.find("n <= ", p);
        if (q == std::string::npos || q - p > 20) continue;
        const int von = std::atoi(rumpf.c_str() + p + 5), bis = std::atoi(rumpf.c_str() + q + 5);
        for (int n = von; n <= bis && bis - von < 50; ++n) befehle.insert(n);
    }
    for (size_t p = rumpf.find("n == "); p != std::string::npos; p = rumpf.find("n == ", p + 1)) {
        const int n = std::atoi(rumpf.c_str() + p + 5);
        if (n >= 1000 && n <= 9999) befehle.insert(n);
    }
    return befehle;
}

std::set<std::string> ewOrdnerInhalt(const fs::path& o)
{
    std::set<std::string> n;
    for (const auto& e : fs::directory_iterator(o)) n.insert(e.path().filename().string());
    return n;
}

// The names of the program's menus (context menus and dialog menu bars).
const std::vector<std::string>& ewMenueNamen()
{
    static const std::vector<std::string> namen = [] {
        std::vector<std::string> n;
        for (const auto& e : fs::recursive_directory_iterator(fs::path(VELMO_SOURCE_DIR) / "resources")) {
            if (e.path().extension() != ".rc") continue;
            std::istringstream z(ewLesen(e.path()));
            std::string zeile;
            while (std::getline(z, zeile)) {
                std::istringstream w(zeile);
                std::string name, art;
                if (w >> name >> art && art == "MENU") n.push_back(name);
            }
        }
        return n;
    }();
    return namen;
}

// Templates and commands nothing a user does reaches, and why.
// (The source-reading test erreichbar_test.cpp still checks that the code
// opens each of these.)
const std::map<std::string, std::string> EW_VORLAGEN_AUSNAHMEN = {
    // Variants one setting chooses in place of the one the walk meets.
    {"AUSWERTNEU", "evaluation page in toolbar style 1, in place of AUSWERTALT"},
    {"PVWSTARTUP1", "start-up screen in toolbar style 1, in place of PVWSTARTUP"},
    {"BMLBEARB_EXT", "equipment page when the equipment list is kept outside, in place of BMLBEARB_INT"},
    {"DB1205F002", "component catalogue page of size 0, layout 2: the catalogue's size and layout settings choose it"},
    {"DB1205F003", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F004", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F005", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F006", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F007", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F008", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F009", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F010", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F011", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F012", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F101", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F102", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F103", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F104", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F105", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F106", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F107", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F108", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F109", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F110", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F111", "catalogue page, chosen by the size and layout settings"},
    {"DB1205F112", "catalogue page, chosen by the size and layout settings"},
    // Reached through a choice the walk does not make.
    {"ANW_LPT", "the print progress box, while printing to a printer the desktop's print dialog chose"},
    {"DXFIMPORT", "drawing import: after a .dxf file is chosen in the file chooser (Zeichnung > Importieren)"},
    {"HPGLIMPORT", "drawing import: after a .hpgl file is chosen in the file chooser"},
    {"TXTIMPORT", "drawing import: after a .txt file is chosen in the file chooser"},
    {"ZEICHIMPORT", "component library: after drawings are chosen in the file chooser (Bauteile > Importieren)"},
    {"UMBENENNEN", "component library: rename, with components marked in its list"},
    {"LOESCHEN", "component library: delete, with components marked in its list"},
    {"APPARTEINZ", "article list: a double click on an article row"},
    {"APPSTKEINZ", "parts list: a double click on a row"},
    {"SPSINFOEINZ", "PLC data list: a double click on a row"},
    {"PVWVERZNEU", "project list (modal): context menu of a folder row of its tree"},
    {"PVWVERZREN", "project list: context menu of a folder row"},
    {"PVWVERZCOPY", "project list: context menu of a folder row"},
    {"PVWVERZMOVE", "project list: context menu of a folder row"},
    {"PVWNZDUEBER", "project list: context menu of a file row"},
    {"PVWNZDUBENENN", "project list: context menu of a file row"},
    {"RSCHREIB", "spell check: opens when a checked field holds an unknown word (spell checking switched on)"},
    {"DB1203", "editor: a double click on a cross-connection element"},
    {"DB1206", "editor: a double click on a dimension line"},
    {"DB1211", "editor: a double click on a placed component"},
    {"DB1312", "editor: playing a macro that asks for input"},
    {"DB1232D", "equipment chooser of the disposition field, from the equipment dialogs' choose buttons"},
    {"DB1232P", "equipment chooser of the principle field, from the equipment dialogs' choose buttons"},
    {"DB1357", "equipment page: a row's component list"},
    {"DB1358", "equipment page: a row's details"},
    {"DB1360", "equipment page: a row's terminal list"},
};
const std::map<int, std::string> EW_BEFEHLE_AUSNAHMEN = {
    {1591, "check-list items 1590-1594 are made at run time from ChkLstBz0..4"},
    {1592, "check-list item, made at run time"},
    {1593, "check-list item, made at run time"},
    {1594, "check-list item, made at run time"},
    {1620, "external programs 1620-1624: listed by the dispatcher without a menu item"},
    {1621, "external program"},
    {1622, "external program"},
    {1623, "external program"},
    {1624, "external program"},
    {1670, "recent-folder items 1670-1689 are made at run time from the recent list"},
    {1671, "recent-folder item, made at run time"},
    {1672, "recent-folder item, made at run time"},
    {1673, "recent-folder item, made at run time"},
    {1674, "recent-folder item, made at run time"},
    {1675, "recent-folder item, made at run time"},
    {1676, "recent-folder item, made at run time"},
    {1677, "recent-folder item, made at run time"},
    {1678, "recent-folder item, made at run time"},
    {1679, "recent-folder item, made at run time"},
    {1680, "recent-folder item, made at run time"},
    {1681, "recent-folder item, made at run time"},
    {1682, "recent-folder item, made at run time"},
    {1683, "recent-folder item, made at run time"},
    {1684, "recent-folder item, made at run time"},
    {1685, "recent-folder item, made at run time"},
    {1686, "recent-folder item, made at run time"},
    {1687, "recent-folder item, made at run time"},
    {1688, "recent-folder item, made at run time"},
    {1689, "recent-folder item, made at run time"},
    {1610, "drawing command the page's code posts; no menu item names it"},
    {1630, "posted when a folder is opened from the project list's tree or handed over by a second start"},
    {1821, "view in the viewer (drawing commands 1600-1880): the page's code, no menu item names it"},
    {1991, "the PDF manual: the editor page forwards it; no menu item names it (Hilfe uses 1993/1994)"},
    {5002, "posted when a layer is switched in the viewer's layer list (LayerShow)"},
    {1861, "drawing command of the range 1860-1863 the page handles; no menu item names it"},
    {1863, "drawing command of the range 1860-1863 the page handles; no menu item names it"},
};

// Commands the walk leaves out because they end the walk itself: the
// program's end and the switch to another folder are taken last or not.
const std::set<int> EW_ZULETZT = {1998};

class ErreichWeg : public DemoRahmen {
protected:
    void SetUp() override
    {
        ewLog() = EwLog{};
        ewLog().weg = "Start";
        // The walk saves what its dialogs hold: the component folder (the
        // demo's is the program folder, where the standard equipment
        // definitions are written) becomes the copy's, beside its library.
        {
            const fs::path vgb = fs::path(demo.projekt()) / "Standard.vgb";
            std::string t = ewLesen(vgb);
            const size_t a = t.find("\nZvBPfad");
            ASSERT_NE(a, std::string::npos);
            const size_t e = t.find('\r', a + 1);
            t.replace(a + 1, e - a - 1, "ZvBPfad         " + demo.wurzel() + "/");
            std::ofstream(vgb, std::ios::binary) << t;
        }
        plDialogBeobachter(ewVorlageGesehen);
        AnwBefehlBeobachter(ewBefehlGesehen);
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        projektOrdner = VerZeiger(1);
        datenVorher = ewOrdnerInhalt(fs::path(VELMO_SOURCE_DIR) / "data");
        // Outside programs and the desktop's own dialogs are only noted.
        plShellZuordnungSetzen([](const std::string&, std::string* programm) {
            *programm = "/usr/bin/ansicht";
            return true;
        });
        plShellStarterSetzen([](const std::vector<std::string>&, const std::string&) { return 0; });
        plDruckDialogNativ([](HWND, plDruckEinstellung*) { return 0; });
    }
    void TearDown() override
    {
        plDialogBeobachter(nullptr);
        AnwBefehlBeobachter(nullptr);
        plShellZuordnungSetzen(nullptr);
        plShellStarterSetzen(nullptr);
        plDruckDialogNativ(nullptr);
        DemoRahmen::TearDown();
    }

    // The page of mode `m` in front, with a drawing where the page needs one.
    void seiteZeigen(int m)
    {
        if (Modus() != m) ewLog().weg = "Seite " + modusName(m);
        if (m == MODUS_EDIT && rahmenSeite(MODUS_EDIT) == 0) EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
        else if (m == MODUS_ANZ && rahmenSeite(MODUS_ANZ) == 0) AnzeigeMitDatei((demo.projekt() + "/HV1.08").c_str());
        if (Modus() != m) ModusUmschalten(m);
        rahmenPumpen();
    }

    std::set<int> offeneSlots()
    {
        std::set<int> s;
        for (int slot = 0; slot < DLGSUP; ++slot) {
            HWND f = 0;
            char name[100] = "", titel[200] = "";
            if (wiDlgSlotInfo(slot, &f, name, titel) && f != 0 && IsWindow(f)) s.insert(slot);
        }
        return s;
    }

    // After a step: the dialogs it opened are walked one level down (each
    // of their buttons clicked, what that opens closed again), then closed;
    // the page of mode `m` comes back to the front.
    void aufraeumen(const std::set<int>& vorher, int m, bool knoepfe)
    {
        for (int runde = 0; runde < 5; ++runde) {
            std::vector<int> neu;
            for (int slot : offeneSlots())
                if (!vorher.count(slot)) neu.push_back(slot);
            if (neu.empty()) break;
            for (int slot : neu) {
                HWND f = 0;
                char name[100] = "", titel[200] = "";
                if (!wiDlgSlotInfo(slot, &f, name, titel) || f == 0 || !IsWindow(f)) continue;
                if (knoepfe && runde == 0) {
                    dialogMenues(f, name);
                    knoepfeDruecken(f, name);
                    // Then OK, as a user ends it (what OK posts is part of the walk).
                    for (int ok : {2500, IDOK}) {
                        HWND k = IsWindow(f) ? GetDlgItem(f, ok) : 0;
                        if (k == 0 || !IsWindowEnabled(k)) continue;
                        const std::string alt = ewLog().weg;
                        ewLog().weg = alt + " > " + name + " [OK]";
                        SendMessage(f, WM_COMMAND, MAKEWPARAM(ok, BN_CLICKED), static_cast<LPARAM>(k));
                        rahmenPumpen();
                        ewLog().weg = alt;
                        break;
                    }
                }
                if (wiDlgSlotInfo(slot, &f, name, titel) && f != 0 && IsWindow(f)) wiDlgSlotSchliessen(slot);
                rahmenPumpen();
            }
        }
        plNachrichtBoxFragenLeeren();
        if (anwLaufZustand() != 2) return;
        // A step that chose another project folder: back to the demo.
        if (!PfadGleich(VerZeiger(1), projektOrdner.c_str())) {
            UmschaltenAuf(demo.projekt().c_str());
            rahmenPumpen();
        }
        seiteZeigen(m);
    }
    std::string projektOrdner;
    std::set<std::string> datenVorher;

    // The context menus and the menu bar of a dialog (the menus named after
    // its template): each item sent to the dialog as the menu sends it;
    // what it opens is closed before the next.
    void dialogMenues(HWND dlg, const std::string& name)
    {
        const std::string gross = ewGross(name);
        for (const std::string& menue : ewMenueNamen()) {
            if (ewGross(menue).rfind(gross, 0) != 0) continue;
            HMENU h = LoadMenu(GetModuleHandle(nullptr), menue.c_str());
            if (h == 0) continue;
            std::vector<std::pair<int, std::string>> punkte;
            menuePunkte(h, "", punkte);
            DestroyMenu(h);
            for (const auto& [id, text] : punkte) {
                if (!IsWindow(dlg)) return;
                const std::set<int> vorher = offeneSlots();
                const std::string alt = ewLog().weg;
                ewLog().weg = alt + " > " + menue + ": " + text;
                SendMessage(dlg, WM_COMMAND, static_cast<WPARAM>(id), 0);
                neueSchliessen(dlg, vorher);
                ewLog().weg = alt;
            }
        }
    }

    // Every enabled button of the dialog but OK, Cancel and Help, each
    // pressed on its own; what it opens is closed before the next.
    void knoepfeDruecken(HWND dlg, const std::string& name)
    {
        std::vector<std::pair<int, std::string>> ids;
        for (HWND k = GetWindow(dlg, GW_CHILD); k != 0; k = GetWindow(k, GW_HWNDNEXT)) {
            char klasse[64] = "", text[200] = "";
            GetClassName(k, klasse, sizeof klasse);
            std::string kl = klasse;
            for (char& c : kl) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (kl != "button" && kl != "orvagrbu") continue;
            const int id = GetDlgCtrlID(k);
            if (id == IDOK || id == IDCANCEL || id == 2500 || id == 2501 || id == 2502 || id <= 0) continue;
            const LONG stil = GetWindowLong(k, GWL_STYLE);
            const LONG art = stil & 0x0F;
            if (kl == "button" && art != BS_PUSHBUTTON && art != BS_DEFPUSHBUTTON) continue;
            if (!IsWindowEnabled(k) || !IsWindowVisible(k)) continue;
            GetWindowText(k, text, sizeof text);
            ids.emplace_back(id, text);
        }
        for (const auto& [id, text] : ids) {
            HWND k = GetDlgItem(dlg, id);
            if (!IsWindow(dlg) || k == 0 || !IsWindowEnabled(k)) continue;
            const std::set<int> vorher = offeneSlots();
            const std::string alt = ewLog().weg;
            ewLog().weg = alt + " > " + name + " [" + text + "]";
            SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), static_cast<LPARAM>(k));
            neueSchliessen(dlg, vorher);
            ewLog().weg = alt;
        }
    }

    // After a command sent to `dlg`: what it opened (a dialog not open
    // before, other than `dlg` itself) is closed again.
    void neueSchliessen(HWND dlg, const std::set<int>& vorher)
    {
        rahmenPumpen();
        for (int slot : offeneSlots()) {
            if (vorher.count(slot)) continue;
            HWND f = 0;
            char n[100] = "", t[200] = "";
            if (wiDlgSlotInfo(slot, &f, n, t) && f != dlg) wiDlgSlotSchliessen(slot);
        }
        rahmenPumpen();
    }

    // The push buttons of a template but OK, Cancel and Help.
    static std::vector<std::pair<int, std::string>> vorlagenKnoepfe(HINSTANCE inst, const std::string& name)
    {
        std::vector<std::pair<int, std::string>> k;
        const RcDialog* d = rcDialog(inst, name.c_str());
        if (d == nullptr) return k;
        for (const RcDlgElement& e : d->elemente) {
            const std::string kl = ewGross(e.klasse);
            if (kl != "BUTTON" && kl != "ORVAGRBU") continue;
            if (e.id == IDOK || e.id == IDCANCEL || e.id == 2500 || e.id == 2501 || e.id == 2502 || e.id <= 0) continue;
            const DWORD art = e.stil & 0x0F;
            if (kl == "BUTTON" && art != BS_PUSHBUTTON && art != BS_DEFPUSHBUTTON) continue;
            k.emplace_back(e.id, e.text);
        }
        return k;
    }

    std::set<std::string> modalGelaufen;  // modal templates whose buttons were pressed

    // One step: `tun` under the name `weg`, then clean up. A modal dialog
    // the step made (gone again when the step is over) is walked one level
    // down by doing the step again once per button, the button scripted as
    // the modal loop's next click.
    void schritt(int m, const std::string& weg, const std::function<void()>& tun, bool tiefer = true)
    {
        if (anwLaufZustand() != 2) return;
        const std::set<int> vorher = offeneSlots();
        ewLog().weg = weg;
        ewLog().schritt.clear();
        tun();
        rahmenPumpen();
        const auto gemacht = ewLog().schritt;
        aufraeumen(vorher, m, true);
        if (!tiefer) return;
        for (const auto& [inst, name] : gemacht) {
            if (wiDlgSuchen(name.c_str()) != 0 || !modalGelaufen.insert(ewGross(name)).second) continue;
            for (const auto& [id, text] : vorlagenKnoepfe(inst, name)) {
                seiteZeigen(m);
                plDialogSkriptLeeren();
                plDialogSkript(id);
                schritt(m, weg + " > " + name + " [" + text + "]", tun, false);
                plDialogSkriptLeeren();
            }
        }
    }

    // The commands of a menu, with their captions, submenus included.
    static void menuePunkte(HMENU m, const std::string& pfad, std::vector<std::pair<int, std::string>>& aus)
    {
        for (int i = 0; i < GetMenuItemCount(m); ++i) {
            char t[200] = "";
            GetMenuString(m, static_cast<UINT>(i), t, sizeof t, MF_BYPOSITION);
            if (HMENU sub = GetSubMenu(m, i)) {
                menuePunkte(sub, pfad + t + " > ", aus);
                continue;
            }
            const UINT id = GetMenuItemID(m, i);
            if (id == 0 || id == static_cast<UINT>(-1)) continue;
            aus.emplace_back(static_cast<int>(id), pfad + t);
        }
    }

    static std::string modusName(int m)
    {
        switch (m) {
        case MODUS_PVW: return "Projekt";
        case MODUS_EDIT: return "Zeichnung";
        case MODUS_BML: return "Betriebsmittel";
        case MODUS_AUS: return "Auswertungen";
        case MODUS_ANZ: return "Anzeige";
        default: return "?";
        }
    }

    // The main window's menu bar of the page, each item chosen as the menu
    // does it (its command to the main window).
    void menueLaufen(int m)
    {
        seiteZeigen(m);
        std::vector<std::pair<int, std::string>> punkte;
        menuePunkte(anwDaten()->menue, "", punkte);
        for (const auto& [id, text] : punkte) {
            if (EW_ZULETZT.count(id)) continue;
            seiteZeigen(m);
            schritt(m, "Menü " + modusName(m) + ": " + text, [id = id] {
                PostMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(id), 0);
            });
        }
    }

    // Every accelerator of the page's table, pressed as keys.
    void tastenLaufen(int m)
    {
        seiteZeigen(m);
        HACCEL h = anwDaten()->accel;
        std::vector<ACCEL> tabelle(static_cast<size_t>(std::max(0, CopyAcceleratorTable(h, nullptr, 0))));
        if (!tabelle.empty()) CopyAcceleratorTable(h, tabelle.data(), static_cast<int>(tabelle.size()));
        for (const ACCEL& a : tabelle) {
            if (EW_ZULETZT.count(a.cmd)) continue;
            // "^N": a control character, typed as Ctrl and the letter.
            const bool zeichen = !(a.fVirt & FVIRTKEY);
            if (zeichen && (a.key < 1 || a.key > 26)) continue;
            seiteZeigen(m);
            schritt(m, "Taste " + modusName(m) + ": " + std::to_string(a.key) + "/" + std::to_string(a.fVirt), [a, zeichen] {
                if ((a.fVirt & FCONTROL) || zeichen) plHeadlessTasteRunter(VK_CONTROL);
                if (a.fVirt & FSHIFT) plHeadlessTasteRunter(VK_SHIFT);
                if (a.fVirt & FALT) plHeadlessTasteRunter(VK_MENU);
                plHeadlessTaste(zeichen ? static_cast<UINT>('A' + a.key - 1) : a.key);
                if (a.fVirt & FALT) plHeadlessTasteHoch(VK_MENU);
                if (a.fVirt & FSHIFT) plHeadlessTasteHoch(VK_SHIFT);
                if ((a.fVirt & FCONTROL) || zeichen) plHeadlessTasteHoch(VK_CONTROL);
            });
        }
    }

    // A context menu of a page: its items sent to the page as the menu
    // sends them to its owner.
    void kontextLaufen(int m, const char* menue, bool anHaupt = false)
    {
        seiteZeigen(m);
        HMENU h = LoadMenu(GetModuleHandle(nullptr), menue);
        if (h == 0) return;
        std::vector<std::pair<int, std::string>> punkte;
        menuePunkte(h, "", punkte);
        DestroyMenu(h);
        for (const auto& [id, text] : punkte) {
            seiteZeigen(m);
            schritt(m, std::string("Kontextmenü ") + menue + ": " + text, [m, anHaupt, id = id] {
                HWND s = anHaupt ? anwHauptfenster() : rahmenSeite(m);
                if (s != 0) PostMessage(s, WM_COMMAND, static_cast<WPARAM>(id), 0);
            });
        }
    }

    // The toolbar section `abschnitt` of Toolbar.txt: each button's command
    // to the window that carries the bar.
    void leisteLaufen(int m, const std::string& abschnitt, bool anHaupt)
    {
        std::istringstream z(ewLesen(fs::path(VELMO_SOURCE_DIR) / "data" / "Toolbar.txt"));
        std::string zeile;
        bool drin = false;
        std::vector<std::pair<int, std::string>> knoepfe;
        while (std::getline(z, zeile)) {
            if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
            if (zeile.rfind(")S ", 0) == 0) {
                drin = zeile.substr(3) == abschnitt;
                continue;
            }
            if (!drin || zeile.empty() || zeile[0] == '-' || zeile[0] == ')') continue;
            const size_t q = zeile.rfind('"');
            if (q == std::string::npos) continue;
            knoepfe.emplace_back(std::atoi(zeile.c_str() + q + 1), zeile.substr(0, zeile.find(' ')));
        }
        for (const auto& [id, name] : knoepfe) {
            seiteZeigen(m);
            schritt(m, "Leiste " + abschnitt + ": " + name, [m, anHaupt, id = id] {
                HWND s = anHaupt ? anwHauptfenster() : rahmenSeite(m);
                if (s != 0) PostMessage(s, WM_COMMAND, static_cast<WPARAM>(id), 0);
            });
        }
    }

    // The buttons of the page itself, each pressed as a step.
    void seitenKnoepfe(int m)
    {
        seiteZeigen(m);
        HWND seite = rahmenSeite(m);
        if (seite == 0) return;
        char name[100] = "";
        for (int slot = 0; slot < DLGSUP; ++slot) {
            HWND f = 0;
            char n[100] = "", t[200] = "";
            if (wiDlgSlotInfo(slot, &f, n, t) && f == seite) std::snprintf(name, sizeof name, "%s", n);
        }
        std::vector<std::pair<int, std::string>> ids;
        for (HWND k = GetWindow(seite, GW_CHILD); k != 0; k = GetWindow(k, GW_HWNDNEXT)) {
            char klasse[64] = "", text[200] = "";
            GetClassName(k, klasse, sizeof klasse);
            const std::string kl = ewGross(klasse);
            if (kl != "BUTTON" && kl != "ORVAGRBU") continue;
            const LONG art = GetWindowLong(k, GWL_STYLE) & 0x0F;
            if (kl == "BUTTON" && art != BS_PUSHBUTTON && art != BS_DEFPUSHBUTTON) continue;
            if (!IsWindowEnabled(k) || !IsWindowVisible(k)) continue;
            GetWindowText(k, text, sizeof text);
            ids.emplace_back(GetDlgCtrlID(k), text);
        }
        for (const auto& [id, text] : ids) {
            seiteZeigen(m);
            schritt(m, "Seite " + modusName(m) + " " + name + " [" + text + "]", [m, id = id] {
                HWND s = rahmenSeite(m);
                HWND k = s != 0 ? GetDlgItem(s, id) : 0;
                if (k != 0 && IsWindowEnabled(k)) SendMessage(s, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), static_cast<LPARAM>(k));
            });
        }
    }

    // The editor's own bars (top and left): each button clicked.
    void editorLeisteLaufen()
    {
        seiteZeigen(MODUS_EDIT);
        std::vector<std::pair<int, std::string>> knoepfe;
        for (int art : {LEISTE_OBEN, LEISTE_LINKS})
            for (const LeisteEintrag& e : LeisteEintraege(art))
                if (e.gezeigt) knoepfe.emplace_back(e.id, e.befehl);
        for (const auto& [id, befehl] : knoepfe) {
            seiteZeigen(MODUS_EDIT);
            schritt(MODUS_EDIT, "Editorleiste: " + befehl, [id = id] {
                HWND k = EdtFenster() != 0 ? GetDlgItem(EdtFenster(), id) : 0;
                if (k == 0 || !IsWindowVisible(k)) return;
                const POINT p = plHeadlessPunkt(k, 4, 4);
                plHeadlessKlick(p.x, p.y);
                rahmenPumpen();
                plHeadlessTaste(VK_ESCAPE);  // a tool taken up is put down again
            });
        }
    }

    // The editor's key file: each key "C?", "S?", "F<n>" pressed on the page.
    void tastendateiLaufen()
    {
        std::istringstream z(ewLesen(fs::path(VELMO_SOURCE_DIR) / "data" / "EditKey.txt"));
        std::string zeile;
        while (std::getline(z, zeile)) {
            if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
            if (zeile.empty() || zeile[0] == ';') continue;
            const std::string taste = zeile.substr(0, zeile.find(' '));
            bool strg = false, umsch = false;
            size_t i = 0;
            for (; i < taste.size() && (taste[i] == 'C' || taste[i] == 'S') && i + 1 < taste.size(); ++i) {
                if (taste[i] == 'C') strg = true;
                else umsch = true;
            }
            std::string rest = taste.substr(i);
            if (!rest.empty() && rest[0] == '-') rest = rest.substr(1);
            UINT vk = 0;
            if (rest.size() > 1 && rest[0] == 'F') vk = static_cast<UINT>(VK_F1 + std::atoi(rest.c_str() + 1) - 1);
            else if (rest.size() == 1) vk = static_cast<UINT>(std::toupper(static_cast<unsigned char>(rest[0])));
            if (vk == 0) continue;
            seiteZeigen(MODUS_EDIT);
            schritt(MODUS_EDIT, "Tastendatei: " + zeile, [strg, umsch, vk] {
                SetFocus(EdtFenster());
                if (strg) plHeadlessTasteRunter(VK_CONTROL);
                if (umsch) plHeadlessTasteRunter(VK_SHIFT);
                plHeadlessTaste(vk);
                if (umsch) plHeadlessTasteHoch(VK_SHIFT);
                if (strg) plHeadlessTasteHoch(VK_CONTROL);
            });
        }
    }
};

}  // namespace

TEST_F(ErreichWeg, EveryTemplateAndCommandIsReachedByWalkingTheFrame)
{
    for (int m : {MODUS_PVW, MODUS_EDIT, MODUS_BML, MODUS_AUS, MODUS_ANZ}) {
        menueLaufen(m);
        tastenLaufen(m);
        seitenKnoepfe(m);
    }
    kontextLaufen(MODUS_PVW, "PROVERW_RM");
    kontextLaufen(MODUS_PVW, "PROVERW_HGRM");
    kontextLaufen(MODUS_BML, "BMLBEARB_RM");
    kontextLaufen(MODUS_AUS, "AUSWERTUNG_RM");
    kontextLaufen(MODUS_ANZ, "SHOW_MENU");
    for (const char* m : {"RMMENUKEIN", "RMMENUEINS", "RMMENUVIELE"}) kontextLaufen(MODUS_EDIT, m, true);
    leisteLaufen(MODUS_PVW, "FunkWahl", true);
    leisteLaufen(MODUS_PVW, "ZeiListe", false);
    leisteLaufen(MODUS_ANZ, "Show", false);
    tastendateiLaufen();
    editorLeisteLaufen();
    ASSERT_EQ(anwLaufZustand(), 2) << "the walk ended the program at: " << ewLog().weg;

    // What was reached, for a look.
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    {
        std::ofstream f(neben / "erreichweg.txt");
        for (const auto& [n, w] : ewLog().vorlagen) f << "Vorlage " << n << "\t" << w << "\n";
        for (const auto& [n, w] : ewLog().befehle) f << "Befehl " << n << "\t" << w << "\n";
    }

    // The editor's dialog libraries carry the same templates in each
    // variant: a name counts once.
    std::map<std::string, std::string> alle;  // upper-case name -> module
    for (const std::string& modul : rcModulNamen()) {
        if (fs::exists(fs::path(VELMO_TEST_DATA) / modul)) continue;  // a test's own module
        HMODULE h = LoadLibrary(modul.c_str());
        if (h == 0) continue;
        for (const std::string& name : rcDialogNamen(h)) alle.emplace(ewGross(name), modul);
        FreeLibrary(h);
    }
    EXPECT_GT(alle.size(), 150u);
    std::string fehlt;
    for (const auto& [name, modul] : alle)
        if (!ewLog().vorlagen.count(name) && !EW_VORLAGEN_AUSNAHMEN.count(name)) fehlt += "Vorlage " + modul + ": " + name + "\n";
    const std::set<int> befehle = ewDispatcherBefehle();
    EXPECT_GT(befehle.size(), 60u);
    for (int n : befehle)
        if (!ewLog().befehle.count(n) && !EW_BEFEHLE_AUSNAHMEN.count(n) && !EW_ZULETZT.count(n))
            fehlt += "Befehl " + std::to_string(n) + "\n";
    EXPECT_EQ(fehlt, "");
    EXPECT_EQ(ewOrdnerInhalt(fs::path(VELMO_SOURCE_DIR) / "data"), datenVorher) << "the walk wrote into the checkout";

    // Taken last: "Beenden" ends the program.
    PostMessage(anwHauptfenster(), WM_COMMAND, 1998, 0);
    EXPECT_EQ(anwLauf(), 0);
    EXPECT_FALSE(IsWindow(anwHauptfenster()));
    if (anwLaufZustand() != 0 && anwLaufZustand() != 9) anwSchluss();
}
