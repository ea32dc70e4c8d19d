// A new user's own project, end to end on the real frame, headless, driven
// by the keys and clicks a user gives, with a fresh home: a project made
// from the shipped sample (and, once more, an empty folder made a project),
// two sheets of a direct-on-line motor starter placed from the shipped
// library on the shipped frame with lines, the identifiers given on the
// Betriebsmittel page, and the evaluations run from their page. Each
// placement makes its device and lies in the column the frame prints above
// it; the device list, the terminal list and the label sheets are written;
// the installation's data folder is not touched. Every settings page of a
// new project changed and saved leaves the data folder as it was too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "editdlg/bmlisdlg.h"
#include "config/vorgaben.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/edzeich.h"
#include "editor/zeidok.h"
#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "equipment/btl.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "lists/auswertseite.h"
#include "lists/auswertung.h"
#include "lists/bmlbearb.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "platform/dateidialog.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "project/pvwliste.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/neunutzer_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;
using namespace seitepruef;

namespace {

// Where the wires of terminal n of the strip go (its two short texts).
const char* const ZIEL1[] = {"", "-F1:2", "-F1:4", "-F1:6", "PE"};
const char* const ZIEL2[] = {"", "-M1:U1", "-M1:V1", "-M1:W1", "-M1:PE"};

// The assertions that need identifiers shown at their placements and the
// lists' identifier, text and terminal columns filled from the devices.
// needs identifiers at placements
constexpr bool KENNUNGEN_AN_PLATZIERUNGEN = true;

// Every file below the installation's data folder with its bytes.
std::map<std::string, std::string> datenStand()
{
    std::map<std::string, std::string> s;
    const fs::path daten = fs::path(VELMO_SOURCE_DIR) / "data";
    for (const auto& e : fs::recursive_directory_iterator(daten))
        if (e.is_regular_file()) s[fs::relative(e.path(), daten).string()] = lesen(e.path());
    return s;
}

std::vector<std::string> zeilenVon(const std::string& text)
{
    std::vector<std::string> z;
    std::stringstream s(text);
    std::string l;
    while (std::getline(s, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        z.push_back(l);
    }
    return z;
}

// One symbol of the job: where it goes, what it is.
struct Symbol {
    const char* bauteil;
    double x, y;
    const char* kennung;  // the device's identifier; a contact: its main device's
    bool haupt;           // a device of its own (else a contact of `kennung`)
    bool ausListe = false;  // a further terminal of a strip: placed from the list of its device's parts
};

// The printed column of x on the shipped frames placed at the origin: the
// columns are 39 mm wide from x = 20 (A3: ten, A4: six and a narrower
// seventh up to the frame's right border).
int gedruckteSpalte(double x) { return static_cast<int>((x - 20) / 39) + 1; }

std::string text(HWND d, int id)
{
    char t[400] = "";
    GetDlgItemText(d, id, t, sizeof t);
    return t;
}

class EigenesProjekt : public NeuNutzerRahmen {
protected:
    std::map<std::string, std::string> datenVorher;
    fs::path projekt;
    std::map<std::string, uint32_t> ids;  // identifier -> item id
    std::vector<std::pair<Symbol, std::string>> gesetzt;  // symbol, drawing name

    void starten()
    {
        datenVorher = datenStand();
        einrichten("eigen", {"home/Zavik", "arbeit"});
        rahmenStarten(args, argv, {"-W=1"});
        ASSERT_FALSE(HasFatalFailure());
        pumpen();
    }
    // "Projekt › Neues Projekt anlegen..." with the offered sample.
    void ausVorlage(const char* name)
    {
        ASSERT_TRUE(menueWaehlen(1503));
        pumpen();
        HWND dlg = wiDlgSuchen("PVWVERZANLEGEN");
        ASSERT_NE(dlg, 0u);
        ASSERT_EQ(fs::path(feld(dlg, 3100)).filename(), "Muster");
        const fs::path basis = wurzel / "home" / "Zavik";
        plDateiDialogAntwort(basis.c_str());
        klick(dlg, 2510);
        tippen(dlg, 3010, name);
        klick(dlg, 2500);
        ASSERT_EQ(wiDlgSuchen("PVWVERZANLEGEN"), 0u) << rahmenLetzteMeldung();
        projekt = basis / name;
        ASSERT_TRUE(fs::exists(projekt / (std::string(name) + ".01")));
    }
    // "Projekt › Projektordner öffnen..." on an empty folder.
    void leererOrdner(const char* name)
    {
        projekt = wurzel / "home" / "Zavik" / name;
        fs::create_directories(projekt);
        plDateiDialogAntwort(projekt.c_str());
        ASSERT_TRUE(menueWaehlen(1501));
        pumpen();
        char akt[400] = "";
        VerHolen(1, akt, sizeof akt);
        ASSERT_EQ(fs::path(akt), fs::path(projekt.string() + "/"));
    }
    // Ctrl+N on the drawing list: the name and page typed, "Anlegen".
    void blattAnlegen(const char* name, const char* seite)
    {
        ModusUmschalten(MODUS_PVW);
        pumpen();
        SetFocus(GetDlgItem(rahmenSeite(MODUS_PVW), 3000));
        mit(VK_CONTROL, 'N');
        HWND d = wiDlgSuchen("ZeiAnlegen");
        ASSERT_NE(d, 0u);
        tippen(d, 3000, name);
        tippen(d, 3011, "");
        tippen(d, 3010, seite);
        for (int id = 3020; id <= 3024; ++id) tippen(d, id, "");
        tippen(d, 3020, "Motorabgang");
        klick(d, 2500);
        ASSERT_EQ(wiDlgSuchen("ZeiAnlegen"), 0u) << rahmenLetzteMeldung();
        pumpen();
        ASSERT_TRUE(fs::exists(projekt / (std::string(name) + "." + seite)));
    }
    // The drawing chosen in the list and opened with Ctrl+B.
    void bearbeiten(const std::string& datei)
    {
        ModusUmschalten(MODUS_PVW);
        pumpen();
        zeileWaehlen(datei.c_str());
        ASSERT_FALSE(HasFatalFailure());
        mit(VK_CONTROL, 'B');
        ASSERT_EQ(Modus(), MODUS_EDIT) << rahmenLetzteMeldung();
        ASSERT_NE(std::string(AppZeiName()).find(datei), std::string::npos) << AppZeiName();
        plNachrichtBoxFragenLeeren();
    }
    // The cursor moved to (x, y) by the input line, from where it stands.
    static void nach(double x, double y)
    {
        const STT* s = BefAktZustand();
        char z[80];
        std::snprintf(z, sizeof z, "BW %g %g", (x - s->x) / s->mass, (y - s->y) / s->mass);
        eingabeZeile(z);
    }
    static std::set<uint32_t> alleIds()
    {
        std::set<uint32_t> s;
        GesDurchlaufen([](const appgeraet* g, void* b) { static_cast<std::set<uint32_t>*>(b)->insert(g->id); }, &s);
        return s;
    }
    // The sub-assignment window: the row of the device `id` chosen, OK.
    static void unterZuweisen(uint32_t id)
    {
        HWND d = wiDlgSuchen("DB1352");
        ASSERT_NE(d, 0u) << "the contact waits for its device";
        if (HWND offen = wiDlgSuchen("DB1354")) SendMessage(offen, WM_CLOSE, 0, 0);
        rahmenPumpen();
        HWND liste = GetDlgItem(d, 3100);
        std::string zeilen;
        bool gefunden = false;
        for (int i = 0; i < SendMessage(liste, LB_GETCOUNT, 0, 0) && !gefunden; ++i) {
            char t[400] = "";
            SendMessage(liste, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
            zeilen += std::string(t) + "\n";
            // identifier and text, 20 columns each, then the item's number
            if (std::strlen(t) <= 40 || static_cast<uint32_t>(std::atol(t + 40)) != id) continue;
            rahmenZeileKlicken(liste, i);
            gefunden = true;
        }
        ASSERT_TRUE(gefunden) << zeilen;
        ASSERT_TRUE(IsWindowEnabled(GetDlgItem(d, 2500))) << zeilen;
        klick(d, 2500);
        ASSERT_EQ(wiDlgSuchen("DB1352"), 0u);
    }
    // A further part of the device `id` placed at the cursor from
    // "Betriebsmittel › Unterbauteile...": the parts named `bauteil` looked
    // for, the device's next unplaced one taken, OK.
    static void ausListeSetzen(const char* bauteil, uint32_t id)
    {
        ASSERT_TRUE(menueWaehlen(1359));
        pumpen();
        HWND d = wiDlgSuchen("DB1359");
        ASSERT_NE(d, 0u);
        tippen(d, 3130, bauteil);
        taste(VK_RETURN);
        HWND geraete = GetDlgItem(d, 3100);
        ASSERT_EQ(SendMessage(geraete, LB_GETCOUNT, 0, 0), 1) << "one device has unplaced parts " << bauteil;
        char t[400] = "";
        SendMessage(geraete, LB_GETTEXT, static_cast<WPARAM>(SendMessage(geraete, LB_GETCURSEL, 0, 0)),
                    reinterpret_cast<LPARAM>(t));
        const char* hinten = std::strchr(t, 0x03);  // the hidden fields: the id first
        ASSERT_NE(hinten, nullptr) << t;
        ASSERT_EQ(static_cast<uint32_t>(std::atol(hinten + 1)), id) << t;
        ASSERT_EQ(feld(d, 3000), bauteil);
        ASSERT_TRUE(IsWindowEnabled(GetDlgItem(d, 2500)));
        klick(d, 2500);
        pumpen();
        if (HWND offen = wiDlgSuchen("DB1359")) SendMessage(offen, WM_CLOSE, 0, 0);
        pumpen();
    }
    // Each terminal of the strip `id` given the targets of its wires in its
    // short texts ("Kurztext 1" and "2"). A terminal whose number is the
    // strip's own attached text keeps its texts under that text's line,
    // which the page's "Texte" opens from the number's row.
    static void zieleGeben(uint32_t id)
    {
        struct Klemme {
            std::string code;
            int nr;
            int klemme;
        };
        std::vector<Klemme> klemmen;
        BtlDurchlaufen(
            id,
            [](const appbteil* b, void* u) {
                if (!b->platziert || std::strcmp(b->bl, "KLEMME-NR") != 0) return;
                auto* k = static_cast<std::vector<Klemme>*>(u);
                if (BtlIstHaupt(b->cd)) {
                    char t[40] = "";
                    ZtxTextHolen(b->id, "H", 0, 1, t, sizeof t);
                    k->push_back({"H", 1, std::atoi(t)});
                } else {
                    k->push_back({b->cd, b->nr, std::atoi(b->bs)});
                }
            },
            &klemmen);
        ASSERT_EQ(klemmen.size(), 4u);
        for (const Klemme& k : klemmen) {
            SCOPED_TRACE(k.klemme);
            ASSERT_GE(k.klemme, 1);
            ASSERT_LE(k.klemme, 4);
            if (k.code == "H") {
                // The strip's first terminal as a user reaches it: its
                // number's row on the Betriebsmittel page, "Texte".
                ModusUmschalten(MODUS_BML);
                pumpen();
                HWND seite = BmlFenster();
                ASSERT_NE(seite, 0u);
                rahmenKlicken(seite, 3120);  // "Alle": a strip is no standard device
                BmlGeheZu(id);
                pumpen();
                HWND liste = GetDlgItem(seite, 3200);
                int zeile = -1;
                std::string zeilen;
                for (int i = 0; i < static_cast<int>(SendMessage(liste, LB_GETCOUNT, 0, 0)) && zeile < 0; ++i) {
                    char z[300] = "";
                    SendMessage(liste, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(z));
                    zeilen += std::string(z) + "\n";
                    if (z[0] == '\xB7' && std::atoi(z + 16) == k.klemme) zeile = i;
                }
                ASSERT_GE(zeile, 0) << "the terminal number's row in\n" << zeilen;
                SendMessage(liste, LB_SETCURSEL, static_cast<WPARAM>(zeile), 0);
                SendMessage(seite, WM_COMMAND, MAKEWPARAM(3200, LBN_SELCHANGE), static_cast<LPARAM>(liste));
                pumpen();
                rahmenKlicken(seite, 2510);
            } else {
                DB1357Oeffnen(id, k.code.c_str(), k.nr, 0);
            }
            pumpen();
            HWND d = wiDlgSuchen("DB1357");
            ASSERT_NE(d, 0u);
            tippen(d, 3000, ZIEL1[k.klemme]);
            tippen(d, 3010, ZIEL2[k.klemme]);
            klick(d, 2500);
            ASSERT_EQ(wiDlgSuchen("DB1357"), 0u);
        }
        ModusUmschalten(MODUS_EDIT);
        pumpen();
    }
    // The symbols typed into the input line ("ZB name") at their places;
    // a device of its own is made at once, a contact is given its device
    // in the window that asks for it.
    void setzen(const std::vector<Symbol>& symbole)
    {
        for (const Symbol& s : symbole) {
            SCOPED_TRACE(std::string(s.bauteil) + " " + s.kennung);
            nach(s.x, s.y);
            const std::set<uint32_t> vorher = alleIds();
            if (s.ausListe) {
                ausListeSetzen(s.bauteil, ids.at(s.kennung));
                ASSERT_FALSE(HasFatalFailure());
            } else {
                eingabeZeile((std::string("ZB ") + s.bauteil).c_str());
            }
            if (HWND d = wiDlgSuchen("DB1350")) klick(d, 2500);
            pumpen();
            // The label the symbol asks for (a terminal's number) taken as
            // offered, as the user confirms it with Enter.
            if (HWND d = wiDlgSuchen("DB1354")) {
                if (!text(d, 3000).empty()) klick(d, 2500);
                if (HWND offen = wiDlgSuchen("DB1354")) SendMessage(offen, WM_CLOSE, 0, 0);
                pumpen();
            }
            if (s.haupt) {
                std::set<uint32_t> neu = alleIds();
                std::vector<uint32_t> dazu;
                std::set_difference(neu.begin(), neu.end(), vorher.begin(), vorher.end(), std::back_inserter(dazu));
                ASSERT_EQ(dazu.size(), 1u) << "placing " << s.bauteil << " made one device: " << rahmenLetzteMeldung();
                ids[s.kennung] = dazu[0];
            } else if (s.ausListe) {
                ASSERT_EQ(alleIds(), vorher) << "the terminal joins its strip";
                ASSERT_EQ(wiDlgSuchen("DB1352"), 0u);
            } else {
                ASSERT_EQ(alleIds(), vorher);
                unterZuweisen(ids.at(s.kennung));
                ASSERT_FALSE(HasFatalFailure());
            }
            gesetzt.emplace_back(s, std::string(AppZeiName()));
        }
    }
    // The frame at the origin and the four conductors across the sheet.
    void rahmenUndLeiter(const char* rahmen)
    {
        nach(0, 0);
        eingabeZeile((std::string("ZB ") + rahmen).c_str());
        for (int i = 0; i < 4; ++i) {
            nach(30, 265 - 5 * i);
            eingabeZeile("ZL 340 0");
        }
    }
    static void speichern()
    {
        SetFocus(GetDlgItem(EdtFenster(), 5000));
        mit(VK_CONTROL, 'S');
        EXPECT_FALSE(ZeiIstGeaendert()) << rahmenLetzteMeldung();
    }
    // The identifiers typed on the Betriebsmittel page ("Alle"), each row
    // saved.
    void kennungenGeben()
    {
        ModusUmschalten(MODUS_BML);
        pumpen();
        HWND seite = BmlFenster();
        ASSERT_NE(seite, 0u);
        rahmenKlicken(seite, 3120);
        for (const auto& [kennung, id] : ids) {
            SCOPED_TRACE(kennung);
            // the device's row, as a pick of its symbol in the editor selects it
            BmlGeheZu(id);
            pumpen();
            rahmenEintippen(seite, 3070, kennung.c_str());
            rahmenKlicken(seite, 2502);
        }
    }
    // The evaluation of `name` run from its page.
    void auswerten(const char* name)
    {
        ModusUmschalten(MODUS_AUS);
        pumpen();
        AuswertTitelZeigen(name);
        pumpen();
        PostMessage(rahmenSeite(MODUS_AUS), WM_COMMAND, 2510, 0);
        pumpen();
    }

    // The whole job on the sheets `blatt1` and `blatt2`.
    void motorabgang(const std::string& stamm)
    {
        const std::string a = stamm + ".02", b = stamm + ".03";
        blattAnlegen(stamm.c_str(), "02");
        ASSERT_FALSE(HasFatalFailure());
        blattAnlegen(stamm.c_str(), "03");
        ASSERT_FALSE(HasFatalFailure());

        // Power circuit: the devices of their own first.
        bearbeiten(a);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_EQ(AppAktiv(), 1) << "equipment linking is on in a new project";
        rahmenUndLeiter("RAHMEN-A3");
        setzen({{"LS3", 80, 230, "-Q1", true},
                {"THERMO", 80, 150, "-F1", true},
                {"KLEMME-NR", 70, 110, "-X1", true},
                {"KLEMME-NR", 78, 110, "-X1", false, true},
                {"KLEMME-NR", 86, 110, "-X1", false, true},
                {"KLEMME-NR", 94, 110, "-X1", false, true},
                {"M3", 120, 60, "-M1", true}});
        ASSERT_FALSE(HasFatalFailure());
        zieleGeben(ids.at("-X1"));
        ASSERT_FALSE(HasFatalFailure());
        speichern();

        // Control circuit, with the contacts of the devices drawn so far.
        bearbeiten(b);
        ASSERT_FALSE(HasFatalFailure());
        rahmenUndLeiter("RAHMEN-A3");
        setzen({{"SICHERUNG", 50, 240, "-F2", true},
                {"OEFFNER", 50, 210, "-F1", false},
                {"TASTER-O", 50, 180, "-S1", true},
                {"TASTER-S", 50, 150, "-S2", true},
                {"SPULE", 50, 90, "-K1", true},
                {"SCHLIESSER", 90, 150, "-K1", false},
                {"LAMPE", 150, 90, "-H1", true}});
        ASSERT_FALSE(HasFatalFailure());
        speichern();

        // Back on the power circuit: the main contacts of the contactor.
        bearbeiten(a);
        ASSERT_FALSE(HasFatalFailure());
        setzen({{"HAUPTKONTAKT", 80, 190, "-K1", false}});
        ASSERT_FALSE(HasFatalFailure());
        speichern();

        kennungenGeben();
        ASSERT_FALSE(HasFatalFailure());
        bearbeiten(b);
        speichern();
    }

    // Each device's identifier among the texts the editor draws on the
    // sheet of its main placement; a device with a text line on its symbol
    // shows its first text, a terminal its number and not its type.
    void kennungenGezeichnet()
    {
        for (const auto& [s, blatt] : gesetzt) {
            if (!s.haupt) continue;
            SCOPED_TRACE(s.kennung);
            if (std::string(AppZeiName()).find(blatt) == std::string::npos) bearbeiten(blatt);
            std::multiset<std::string> gezeigt;
            for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
                BEF b;
                STT st;
                if (TzObjHolen(id, &b, &st) != 0 || b.code < 50 || b.code > 57) continue;
                // the sheet holds references to the item's fields; the editor
                // draws what they resolve to
                char t[200];
                TextAnzeige(t, sizeof t, b.text, &st);
                gezeigt.insert(t);
            }
            if (KENNUNGEN_AN_PLATZIERUNGEN) {
                EXPECT_NE(gezeigt.count(s.kennung), 0u) << "needs identifiers at placements";
            }
            const std::string bauteil = s.bauteil;
            if (bauteil == "THERMO") {
                EXPECT_EQ(gezeigt.count("\xdc" "berlastrelais"), 1u);
            }
            if (bauteil == "LS3") {
                EXPECT_EQ(gezeigt.count("Leitungsschutzschalter"), 1u);
            }
            if (bauteil == "KLEMME-NR") {
                // the strip's four terminals, each with its number
                for (const char* nr : {"1", "2", "3", "4"})
                    EXPECT_EQ(gezeigt.count(nr), 1u) << "the terminal's number " << nr;
                EXPECT_EQ(gezeigt.count(s.kennung), 4u);
                EXPECT_EQ(gezeigt.count("Klemmleiste"), 0u);
            }
        }
    }

    // Every placement in the column printed above it, its device made.
    void spaltenPruefen()
    {
        for (const auto& [s, blatt] : gesetzt) {
            SCOPED_TRACE(std::string(s.bauteil) + " " + s.kennung + " " + blatt);
            EXPECT_EQ(ZeiSpalteNr(blatt.c_str(), s.x), gedruckteSpalte(s.x));
            struct Suche {
                const Symbol* s;
                bool da = false;
            } su{&s};
            BtlDurchlaufen(
                ids.at(s.kennung),
                [](const appbteil* b, void* v) {
                    auto* su = static_cast<Suche*>(v);
                    if (b->platziert != 0 && std::strcmp(b->bl, su->s->bauteil) == 0 && b->x == su->s->x && b->y == su->s->y)
                        su->da = true;
                },
                &su);
            EXPECT_TRUE(su.da) << "the placement belongs to its device";
        }
    }

    // The lists, the label sheets and the data folder.
    void listenPruefen()
    {
        auswerten("Betriebsmittelliste");
        const std::vector<std::string> bm = zeilenVon(lesen(projekt / "Betriebsmittel.txt"));
        std::string alle;
        for (const std::string& z : bm) alle += z + "\n";
        std::printf("Betriebsmittel.txt:\n%s", alle.c_str());
        EXPECT_EQ(bm.size(), ids.size()) << alle;
        // Each device's row: its identifier, the position of its main
        // placement (page, printed column), its text.
        for (const auto& [s, blatt] : gesetzt) {
            if (!s.haupt) continue;
            SCOPED_TRACE(s.kennung);
            const std::string kennung = s.kennung;
            const auto z = std::find_if(bm.begin(), bm.end(), [&](const std::string& l) { return l.rfind(kennung + " ", 0) == 0; });
            ASSERT_NE(z, bm.end()) << alle;
            const int seite = std::atoi(blatt.substr(blatt.rfind('.') + 1).c_str());
            const std::string pos = std::to_string(seite) + "-" + std::to_string(gedruckteSpalte(s.x));
            EXPECT_EQ(z->substr(13, 11), pos + std::string(11 - pos.size(), ' ')) << *z;
            if (KENNUNGEN_AN_PLATZIERUNGEN) {
                // needs identifiers at placements: "Text 1" is the device's first text line
                char t1[100] = "";
                for (const auto& [b, text1] : std::vector<std::pair<std::string, std::string>>{
                         {"LS3", "Leitungsschutzschalter"}, {"THERMO", "\xdc" "berlastrelais"}, {"SPULE", "Sch\xfc" "tz"}})
                    if (b == s.bauteil) std::snprintf(t1, sizeof t1, "%s", text1.c_str());
                if (t1[0]) {
                    EXPECT_EQ(z->substr(24, std::strlen(t1)), t1) << *z;
                }
            }
        }

        auswerten("Klemmenliste");
        const std::string klemmen = lesen(projekt / "Klemmen.txt");
        std::printf("Klemmen.txt:\n%s", klemmen.c_str());
        // One strip -X1 of four terminals: the strip's identifier and text
        // on its first line, each terminal's number, position and targets.
        std::vector<std::string> zeilen;
        for (const std::string& z : zeilenVon(klemmen))
            if (z.find_first_not_of(' ') != std::string::npos) zeilen.push_back(z);
        ASSERT_EQ(zeilen.size(), 4u) << klemmen;
        for (size_t i = 0; i < zeilen.size(); ++i) {
            std::string z = zeilen[i];
            SCOPED_TRACE(z);
            z.resize(std::max<size_t>(z.size(), 112), ' ');
            EXPECT_EQ(z.substr(0, 10), i == 0 ? "-X1       " : std::string(10, ' '));
            EXPECT_EQ(z.substr(11, 12), std::to_string(i + 1) + std::string(11, ' '));
            EXPECT_EQ(z.substr(25, 4), "2-2 ");
            const auto spalte = [](const char* t) { return t + std::string(20 - std::strlen(t), ' '); };
            EXPECT_EQ(z.substr(71, 20), spalte(ZIEL1[i + 1]));
            EXPECT_EQ(z.substr(92, 20), spalte(ZIEL2[i + 1]));
        }
        EXPECT_EQ(zeilen[0].substr(39, 32), "Klemmleiste" + std::string(21, ' '));

        plNachrichtBoxFragenLeeren();
        auswerten("Schilder");
        EXPECT_TRUE(fs::exists(projekt / "Schild.1")) << rahmenLetzteMeldung();
        for (const auto& f : plNachrichtBoxFragen())
            EXPECT_EQ(f.text.find("nicht finden"), std::string::npos) << f.text;
    }
};

}  // namespace

TEST_F(EigenesProjekt, AMotorStarterInAProjectFromTheSample)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    ausVorlage("Anlage1");
    ASSERT_FALSE(HasFatalFailure());
    motorabgang("Anlage1");
    ASSERT_FALSE(HasFatalFailure());
    spaltenPruefen();
    kennungenGezeichnet();
    listenPruefen();
    EXPECT_TRUE(datenStand() == datenVorher) << "the installation's data folder is untouched";
}

TEST_F(EigenesProjekt, AMotorStarterInAnEmptyFolderMadeAProject)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    leererOrdner("Leer");
    ASSERT_FALSE(HasFatalFailure());
    motorabgang("Leer");
    ASSERT_FALSE(HasFatalFailure());
    spaltenPruefen();
    kennungenGezeichnet();
    listenPruefen();
    EXPECT_TRUE(datenStand() == datenVorher) << "the installation's data folder is untouched";
}

// Each x of a printed column of the shipped frames gives that column.
TEST_F(EigenesProjekt, TheShippedGridGivesEveryPrintedColumn)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    ausVorlage("Raster");
    ASSERT_FALSE(HasFatalFailure());
    struct Rahmen {
        const char* name;
        double bis;  // right end of the last printed column
    } rahmen[] = {{"A3", 410}, {"A4", 287}};
    for (const Rahmen& r : rahmen) {
        SCOPED_TRACE(r.name);
        for (double x = 20.05; x < r.bis; x += 0.1) {
            const int soll = gedruckteSpalte(x);
            ASSERT_EQ(ZeiSpalteNr("Raster.02", x), soll) << x;
        }
    }
}

// Every settings page of a new project changed (its first key) and saved
// with OK: the project holds the changed set, the data folder stays.
TEST_F(EigenesProjekt, EverySettingsPageOfANewProjectSavesIntoTheProject)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    ausVorlage("Vorgaben");
    ASSERT_FALSE(HasFatalFailure());
    for (int befehl = 1710; befehl <= 1719; ++befehl) {
        SCOPED_TRACE(befehl);
        ASSERT_TRUE(menueWaehlen(befehl));
        pumpen();
        HWND d = wiDlgSuchen("VorEditGB");
        ASSERT_NE(d, 0u);
        const std::string titel = [&] {
            char t[300] = "";
            GetWindowText(d, t, sizeof t);
            return std::string(t);
        }();
        EXPECT_EQ(titel.find("/data/"), std::string::npos) << titel;
        HWND liste = GetDlgItem(d, 3010);
        SetFocus(liste);
        taste(VK_HOME);
        if (IsWindowEnabled(GetDlgItem(d, 3000))) {
            const std::string alt = text(d, 3000);
            rahmenEintippen(d, 3000, alt == "1" ? "0" : "1");
        }
        klick(d, 2900);
        EXPECT_EQ(wiDlgSuchen("VorEditGB"), 0u) << rahmenLetzteMeldung();
    }
    EXPECT_TRUE(fs::exists(projekt / "Standard.vgb")) << "the project holds its own set";
    EXPECT_TRUE(datenStand() == datenVorher) << "the installation's data folder is untouched";
    // Projekt › Aktualisieren keeps the project's copy as the set.
    ASSERT_TRUE(menueWaehlen(1505));
    pumpen();
    EXPECT_EQ(fs::path(VgbSetPfadZeiger()), projekt / "Standard.vgb");
}

// Ctrl+S with the component list open (and holding the focus) saves the
// sheet, as on the drawing.
TEST_F(EigenesProjekt, CtrlSSavesWhileTheComponentListIsOpen)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    ausVorlage("Liste");
    ASSERT_FALSE(HasFatalFailure());
    blattAnlegen("Liste", "02");
    ASSERT_FALSE(HasFatalFailure());
    bearbeiten("Liste.02");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(menueWaehlen(1202));
    pumpen();
    HWND liste = wiDlgSuchen("DB1202");
    ASSERT_NE(liste, 0u);
    for (int runde = 0; runde < 3; ++runde) {
        SCOPED_TRACE(runde);
        eingabeZeile("ZL 20 0");
        ASSERT_TRUE(ZeiIstGeaendert());
        const auto vorher = fs::last_write_time(projekt / "Liste.02");
        plHeadlessZeitVor(1000);
        SetFocus(liste);
        pumpen();
        mit(VK_CONTROL, 'S');
        EXPECT_FALSE(ZeiIstGeaendert()) << rahmenLetzteMeldung();
        EXPECT_NE(fs::last_write_time(projekt / "Liste.02"), vorher);
        EXPECT_NE(wiDlgSuchen("DB1202"), 0u) << "the list stays open";
    }
}

// The cover shows a title text as soon as the title dialog saved it: with
// the cover open in the editor, "@TP1" gives the text typed, not itself.
TEST_F(EigenesProjekt, TheCoverShowsATitleTextAtOnce)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    ausVorlage("Titel");
    ASSERT_FALSE(HasFatalFailure());
    bearbeiten("Titel.01");
    ASSERT_FALSE(HasFatalFailure());
    auto wert = [] {
        char t[80] = "@TP1";
        TextVarErsetzen(t, sizeof t, 0, 0);
        return std::string(t);
    };
    ModusUmschalten(MODUS_PVW);
    pumpen();
    ASSERT_TRUE(menueWaehlen(1510));
    pumpen();
    HWND d = wiDlgSuchen("PTITEL");
    ASSERT_NE(d, 0u);
    tippen(d, 3100, "Halle 7");
    klick(d, 2500);
    EXPECT_EQ(wiDlgSuchen("PTITEL"), 0u) << rahmenLetzteMeldung();
    ModusUmschalten(MODUS_EDIT);
    pumpen();
    ASSERT_NE(std::string(AppZeiName()).find("Titel.01"), std::string::npos);
    EXPECT_EQ(wert(), "Halle 7");
}

// Every symbol of the shipped library that carries an identifier (a device
// or a part of one) has its definition in a new project: as a device of its
// own or as a component of one; each definition gives the identifier
// letters and a first text.
TEST_F(EigenesProjekt, TheShippedDefinitionsCoverEveryDeviceSymbol)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    ausVorlage("Definitionen");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_GT(DefAnzahl(), 0);
    EXPECT_EQ(fs::path(DefBearbeitungsPfad()).parent_path().filename(), "data") << DefBearbeitungsPfad();
    int geraete = 0;
    for (const auto& e : fs::directory_iterator(fs::path(VELMO_SOURCE_DIR) / "demo" / "quellen" / "bauteile")) {
        if (lesen(e.path()).find("\"@BK\"") == std::string::npos) continue;
        const std::string name = e.path().stem().string();
        SCOPED_TRACE(name);
        EXPECT_TRUE(DefBauteilVorhanden(name.c_str()) || DefInfoVorhanden(name.c_str()));
        ++geraete;
    }
    EXPECT_GT(geraete, 30);
    for (int n = 0; n < DefAnzahl(); ++n) {
        char bauteil[41] = "", typ[41] = "", k1[41] = "", k2[41] = "", kurz[41] = "", t1[41] = "";
        DefFelderHolen(n, bauteil, typ, k1, k2, kurz, t1);
        SCOPED_TRACE(bauteil);
        EXPECT_EQ(k1[0], '-');
        EXPECT_EQ(k2[0], '-');
        EXPECT_NE(t1[0], '\0');
        EXPECT_NE(typ[0], '\0');
    }
}
