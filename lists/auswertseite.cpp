// The evaluation page and its two small dialogs (see auswertseite.h).
//
// Invariants:
//  1. aws.text and aws.zeilen describe the same loaded result; a reload
//     replaces both, and only when the cache key changed.
//  2. The list display holds min(lines, LISPOSSUP) rows (at least one); a
//     longer result is said so in the status text, never cut unseen.
//  3. The cache key holds size and modification time to the nanosecond, so
//     a result rewritten within the same second is loaded again.
#include "lists/auswertseite.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "config/apstil.h"
#include "config/datwache.h"
#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/elseite.h"
#include "controls/lisanzeige.h"
#include "editdlg/textdat.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/zeidok.h"
#include "equipment/bm.h"
#include "lists/auswertdlg.h"
#include "lists/auswertung.h"
#include "lists/awformat.h"
#include "lists/awlauf.h"
#include "lists/klemmkabel.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/proverw.h"
#include "project/pvwliste.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/pfade.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/tbarhaken.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int AWSMODUS = 1533;
constexpr int AWSKOPFZAHL = 18;

struct AwsSchluessel {
    int dateien = -1;
    int bm = -1;
    std::string datei, ordner;
    long long sekunden = 0, nano = 0, groesse = -1;
    bool operator==(const AwsSchluessel&) const = default;
};

struct AwsSeite {
    HWND fenster = 0;
    bool bereit = false;
    std::string vorlage;
    int index = -1;
    std::string titel, praefix, gruppe;
    int typ = 0;
    std::string datei;
    int seiten = 0, zeilen = 0;
    awspalte kopf[AWSKOPFZAHL]{};
    std::string text;
    std::vector<std::pair<size_t, size_t>> zeilenListe;
    AwsSchluessel schluessel;
    bool geladen = false;
    std::string gemerkterTitel;
    int zeilenAngezeigt = 0;
    // "Alle Listen aktualisieren"
    std::vector<int> alleFlags = std::vector<int>(100, 0);
    int alleNurMarkiert = 0;
    bool alleAbbruch = false;
};

AwsSeite aws;

const char* const awsKopfTexte[AWSKOPFZAHL] = {"Kenn.", "Pfad", "Text 1", "Text 2", "Text 3", "Text 4",
                                               "Text 5", "Beschreibung", "Nummer", "Adresse", "Pfad", "Text 1",
                                               "Text 2", "Text 3", "Text 4", "Text 5", "Stk", "Pos"};
const char* const awsKopfSchluessel[AWSKOPFZAHL] = {"kenn",  "pfad",  "texta", "textb", "textc", "textd",
                                                    "texte", "beschr", "Art",  "Adr",   "Pfad",  "Text0",
                                                    "Text1", "Text2", "Text3", "Text4", "Menge", "PosNr"};

bool awsGeaendertVerweigert()
{
    if (!ZeiIstGeaendert()) return false;
    wiHinweis("Zeichnung ge\xE4ndert und nicht gespeichert.");
    return true;
}

const char* awsText(const char* schluessel) { return DlgTextHolenFuer(aws.vorlage.c_str(), schluessel); }

// ---- The shown entry, its settings and its result ---------------------------------------------

void awsEintragWaehlen()
{
    char zeile[AWNAMESUP + 40] = "";
    int n = wiComboWahl(AWSKOMBO);
    if (n >= 0) SendMessage(wiItem(AWSKOMBO), CB_GETLBTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(zeile));
    aws.index = AwListenIndex(zeile);
    std::string t(zeile, std::min<size_t>(std::strlen(zeile), AWNAMESUP));
    while (!t.empty() && t.back() == ' ') t.pop_back();
    aws.titel = t;
    char praefix[21] = "", gruppe[21] = "";
    AwEintrag(aws.index, nullptr, nullptr, praefix, gruppe, nullptr);
    aws.praefix = praefix;
    aws.gruppe = gruppe;
    aws.typ = AwTyp(aws.index);
    char hilfe[40];
    std::snprintf(hilfe, sizeof hilfe, "Auswertung-%s", praefix);
    wiDlgHilfeSetzen(aws.fenster, hilfe);
}

void awsEinstellungen()
{
    VgbOeffnen();
    VgbPraefix(aws.praefix.c_str());
    VgbFehlMeldung(0);
    char w[VGBWERTSUP + 1];
    VgbText("datei", w, 40);
    strtrim(w);
    aws.datei = w;
    aws.seiten = VgbInt("seiten");
    aws.zeilen = VgbInt("zeilen");
    for (int i = 0; i < AWSKOPFZAHL; ++i) {
        VgbText(awsKopfSchluessel[i], w, VGBWERTSUP);
        aws.kopf[i] = AwfSpalteAusText(w);
    }
    VgbFehlMeldung(1);
    VgbPraefix("");
    VgbSchliessen();
}

bool awsPaging() { return aws.seiten != 0 && aws.zeilen != 0; }

// The listing of a label run's drawings: "%-20.20s%s" of name and title.
std::string awsSchilderListe()
{
    char stamm[WIDATEISUP + 1];
    strkopie(stamm, sizeof stamm, aws.datei.c_str(), WIDATEISUP);
    endungweg(stamm);
    struct Sammler {
        std::vector<std::string> namen;
    } s;
    std::string muster = std::string(stamm) + ".*";
    verzlesennamen(
        muster.c_str(),
        [](int verzeichnis, const char* pfad, void* u) {
            if (verzeichnis) return 1;
            const char* punkt = std::strrchr(pfad, '.');
            const char* ende = punkt ? punkt + 1 : "";
            if (strvgl(ende, "bak") == 0 || strvgl(ende, "tmp") == 0 || ZeiDateiPruefen(pfad) != 0) return 1;
            static_cast<Sammler*>(u)->namen.push_back(pfad);
            return 1;
        },
        &s);
    std::sort(s.namen.begin(), s.namen.end(), [](const std::string& a, const std::string& b) { return ZeiNameVergleich(a.c_str(), b.c_str()) < 0; });
    std::string r;
    for (const std::string& p : s.namen) {
        size_t schnitt = p.find_last_of("/\\");
        std::string name = schnitt == std::string::npos ? p : p.substr(schnitt + 1);
        ZeiKopf k{};
        if (ZeiKopfLesen(p.c_str(), &k) != 0) k.titel[0][0] = '\0';
        char z[WIDATEISUP + ZEITITELSUP + 4];
        std::snprintf(z, sizeof z, "%-20.20s%s\r\n", name.c_str(), k.titel[0]);
        r += z;
    }
    return r;
}

std::string awsAngezeigteDatei()
{
    if (aws.typ != 2) return aws.datei;
    char p[WIDATEISUP + 1];
    strkopie(p, sizeof p, aws.datei.c_str(), WIDATEISUP);
    endungweg(p);
    return std::string(p) + ".tmp";
}

void awsTextLaden()
{
    std::string datei = awsAngezeigteDatei();
    if (aws.typ == 2 && !aws.datei.empty()) {
        std::string liste = awsSchilderListe();
        dateischreiben(datei.c_str(), liste.data(), static_cast<long>(liste.size()));
    }
    AwsSchluessel k;
    const auto DatAenderZaehler = DatAenderungen;  // drawing files changed by the project manager
    k.dateien = DatAenderZaehler();
    k.bm = BMStand();
    k.datei = datei;
    char ordner[WIDATEISUP + 1] = "";
    dosgetcwd(ordner);
    k.ordner = ordner;
    struct stat st;
    if (!datei.empty() && plDsStat(datei.c_str(), &st) == 0) {
        k.sekunden = st.st_mtim.tv_sec;
        k.nano = st.st_mtim.tv_nsec;
        k.groesse = st.st_size;
    }
    if (aws.geladen && k == aws.schluessel) return;
    aws.schluessel = k;
    aws.geladen = true;
    aws.text.clear();
    aws.zeilenListe.clear();
    char* block = nullptr;
    long laenge = 0;
    if (datei.empty() || dateiladen(datei.c_str(), &block, &laenge) != 0) return;
    aws.text.assign(block, static_cast<size_t>(laenge));
    ffree(block);
    // A CTRL-Z ends the readable text, as the buffered files have it.
    size_t z = aws.text.find('\x1A');
    if (z != std::string::npos) aws.text.resize(z);
    size_t a = 0;
    while (a < aws.text.size()) {
        size_t e = aws.text.find('\n', a);
        e = e == std::string::npos ? aws.text.size() : e + 1;
        aws.zeilenListe.emplace_back(a, e - a);
        a = e;
    }
}

// Line i as shown: without its line end, '|' as blank, without the page
// column when paged; trailing blanks removed.
std::string awsZeile(int i)
{
    if (i < 0 || static_cast<size_t>(i) >= aws.zeilenListe.size()) return "";
    auto [a, n] = aws.zeilenListe[static_cast<size_t>(i)];
    std::string t = aws.text.substr(a, std::min<size_t>(n, AWSZEILESUP));
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
    std::replace(t.begin(), t.end(), '|', ' ');
    if (awsPaging()) t.erase(0, std::min<size_t>(3, t.size()));
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

void awsZeilenSetzen()
{
    int n = static_cast<int>(std::min<size_t>(aws.zeilenListe.size(), LISPOSSUP));
    aws.zeilenAngezeigt = n;
    if (aws.bereit) LisAnzahlSetzen(AWSLISTE, std::max(1, n));
}

void awsKopfMalen()
{
    HWND h = wiItem(AWSKOPF);
    if (!h) return;
    RECT r;
    GetClientRect(h, &r);
    auto cmd = [&](const std::string& t) { SetWindowText(h, t.c_str()); };
    char t[400];
    cmd("clear");
    cmd("color 255 255 255");
    std::snprintf(t, sizeof t, "fill %d %d %d %d", 0, 0, static_cast<int>(r.right), static_cast<int>(r.bottom));
    cmd(t);
    cmd("color 0 0 0");
    cmd("font 2");
    const int breite = wiDlgEinheit(4);
    const int y = wiDlgEinheit(8);
    auto textBei = [&](int spalte, const char* s) {
        std::snprintf(t, sizeof t, "ltext %d %d %s", spalte * breite + 2, y - 1, s);
        cmd(t);
    };
    if (aws.typ == 2) {
        textBei(1, awsText("SchldrDat"));
        textBei(21, awsText("SchldrTxt"));
    } else {
        for (int i = 0; i < AWSKOPFZAHL; ++i) {
            const awspalte& s = aws.kopf[i];
            if (s.spalte <= 0 || s.zeile != 0) continue;
            int naechste = 0;
            for (int j = 0; j < AWSKOPFZAHL; ++j) {
                const awspalte& o = aws.kopf[j];
                if (j != i && o.spalte > s.spalte && o.zeile == 0 && (naechste == 0 || o.spalte < naechste)) naechste = o.spalte;
            }
            std::string text = awsKopfTexte[i];
            if (naechste > 0) {
                const int raum = breite * (naechste - s.spalte) - 4;
                // Shortened by its last characters and a single "." until it fits.
                SIZE g{};
                HDC dc = GetDC(h);
                while (text.size() > 1 && GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &g) && g.cx >= raum) {
                    text.pop_back();
                    if (text.size() > 1) text.back() = '.';
                }
                ReleaseDC(h, dc);
            }
            textBei(awsPaging() ? s.spalte - 3 : s.spalte - 1, text.c_str());
        }
    }
    cmd("paint");
}

void awsAllesNeu()
{
    awsEinstellungen();
    awsTextLaden();
    awsZeilenSetzen();
    if (aws.bereit) LisNeuAufbauen(AWSLISTE);
    wiSeiteVerteilen(2999, 0);
}

void awsKomboFuellen()
{
    wiComboLeeren(AWSKOMBO);
    int wahl = 0, n = 0;
    for (const std::string& z : AwListe()) {
        wiComboAnhaengen(AWSKOMBO, z.c_str());
        if (AwListenIndex(z.c_str()) == aws.index) wahl = n;
        ++n;
    }
    wiComboWahlSetzen(AWSKOMBO, wahl);
}

// ---- Painting and events ------------------------------------------------------------------------

int awsHoehe(int) { return 2; }

void awsMalen(int zeile)
{
    LisFarbe(0, 0, 0);
    LisSchrift(2);
    if (aws.zeilenListe.empty()) {
        if (zeile == 0) LisText(1, 0, awsText(aws.typ == 2 ? "KeineZEI" : "KeineASW"));
        return;
    }
    std::string t = awsZeile(zeile);
    // Segments begin at their first non-blank character and end at a TAB
    // or at two blanks; each is drawn at its own column.
    size_t p = 0;
    while (p < t.size()) {
        while (p < t.size() && (t[p] == ' ' || t[p] == '\t')) ++p;
        if (p >= t.size()) break;
        size_t e = p;
        while (e < t.size() && t[e] != '\t' && !(t[e] == ' ' && e + 1 < t.size() && t[e + 1] == ' ')) ++e;
        LisText(static_cast<int>(p), 0, t.substr(p, e - p).c_str());
        p = e;
    }
}

int awsEreignis(int ereignis, int zeile)
{
    switch (ereignis) {
    case LISAKTIV:
        if (aws.typ == 2 && !aws.zeilenListe.empty()) {
            std::string name = awsZeile(zeile).substr(0, 20);
            while (!name.empty() && name.back() == ' ') name.pop_back();
            if (!name.empty()) PvwZeiAnsehenIntern(name.c_str(), 1);
        }
        break;
    case LISKONTEXT: {
        if (wiDlgMenuLaden("AUSWERTUNG_RM") != 0) break;
        int x = 0, y = 0;
        LisKlickHolen(AWSLISTE, &x, &y);
        wiDlgMenuZeigen(MAKELPARAM(x, y), wiItem(AWSLISTE));
        break;
    }
    case LISEINFG:
    case LISKOPIE: PostMessage(aws.fenster, WM_COMMAND, 2552, 0); break;
    default: break;
    }
    return 0;
}

// ---- Copying ------------------------------------------------------------------------------------

void awsKopieroptionen(int datei, int* anfuehren, int* tab)
{
    *anfuehren = ProfilZahlLesen("ArbPlatz", datei ? "ExpCsvTxt" : "ExpClpTxt") != 0;
    *tab = ProfilZahlLesen("ArbPlatz", datei ? "ExpCsvTab" : "ExpClpTab") != 0;
}

// The column layout of the shown entry in the formatter's slots.
void awsSpaltenLernen()
{
    char tmp[WIDATEISUP + 1];
    if (tempname(tmp) != 0) return;
    if (AwfStart(aws.praefix.c_str(), tmp) != 0) return;
    if (aws.typ == 1 || aws.typ == 9) {
        static const char* const spalten[15] = {"Art",   "Adr",   "Pfad",  "Text0", "Text1", "Text2", "Text3", "Text4",
                                                "Menge", "PosNr", "Text5", "Text6", "Text7", "Text8", "Text9"};
        VgbPraefix(aws.praefix.c_str());
        VgbFehlMeldung(0);
        for (int i = 0; i < 15; ++i) AwfSlotLesen(i, spalten[i]);
        VgbFehlMeldung(1);
        VgbPraefix("");
    } else if (aws.typ == 5 || aws.typ == 6) {
        KlkSpalten(aws.praefix.c_str());
    }
    VgbPraefix("");
    AwfVerwerfen();
    dateiloeschen(tmp);
}

std::string awsMarkierteCsv(int datei)
{
    int anfuehren = 0, tab = 0;
    awsKopieroptionen(datei, &anfuehren, &tab);
    awsSpaltenLernen();
    std::vector<std::string> zeilen;
    for (int i = 0; i < aws.zeilenAngezeigt; ++i)
        if (LisIstMarkiert(AWSLISTE, i)) zeilen.push_back(awsZeile(i));
    return AwsZeilenCsv(zeilen, anfuehren, tab);
}

void awsCsvSpeichern(const std::string& text)
{
    char pfad[WIDATEISUP + 1];
    PfadProjekt(pfad, sizeof pfad, "Auswertung.csv");
    if (!wiDateiSpeichern(pfad, "Auswertung speichern unter", "CSV-Dateien|*.csv|Alle Dateien|*.*|")) return;
    if (dateischreiben(pfad, text.data(), static_cast<long>(text.size())) != 0)
        wiHinweis("Kann Ausgabedatei %s nicht anlegen.", pfad);
}

void awsAuswertungKopieren(int datei)
{
    int anfuehren = 0, tab = 0;
    awsKopieroptionen(datei, &anfuehren, &tab);
    char pfad[WIDATEISUP + 1];
    if (datei) {
        PfadProjekt(pfad, sizeof pfad, "Auswertung.csv");
        if (!wiDateiSpeichern(pfad, "Auswertung speichern unter", "CSV-Dateien|*.csv|Alle Dateien|*.*|")) return;
    }
    if (awsGeaendertVerweigert()) return;
    AwfCsvModus(anfuehren, tab);
    AwLaufen(aws.index, -1);
    AwfCsvModus(0, 0);
    if (datei) AwfCsvSchreiben(pfad);
    else AwfCsvKopieren();
    PostMessage(aws.fenster, WM_COMMAND, 2590, 0);
}

// ---- "Alle Listen aktualisieren" and "Kopieroptionen" ------------------------------------------

void awsAlleMerken()
{
    std::fill(aws.alleFlags.begin(), aws.alleFlags.end(), 0);
    for (int n = 0; n < wiListeAnzahl(3900); ++n) {
        char z[AWNAMESUP + 40];
        if (wiListeText(3900, n, z) < 0) continue;
        int i = AwListenIndex(z);
        if (i >= 0 && i < static_cast<int>(aws.alleFlags.size())) aws.alleFlags[static_cast<size_t>(i)] = wiListeMarkiert(3900, n);
    }
    aws.alleNurMarkiert = wiKnopf(3330);
}

int awsAlleInit(int, const char* const*)
{
    wiDlgModal();
    aws.alleAbbruch = false;
    char t[80];
    std::snprintf(t, sizeof t, "Markierte Zeichnungen: %d", PvwAnzMarkiert());
    wiTextSetzen(3000, t);
    wiKnopfSetzen(3330, AwNurMarkVorgabe());
    VgbOeffnen();
    int n = 0;
    for (const std::string& z : AwListe()) {
        wiListeAnhaengen(3900, z.c_str());
        char p[21];
        AwEintrag(AwListenIndex(z.c_str()), nullptr, nullptr, p, nullptr, nullptr);
        VgbPraefix(p);
        VgbFehlMeldung(0);
        if (VgbInt("aktual") == 1) wiListeMarkSetzen(3900, n, 1);
        VgbFehlMeldung(1);
        ++n;
    }
    VgbPraefix("");
    VgbSchliessen();
    return 0;
}

int awsAlleExit()
{
    if (!aws.alleAbbruch) awsAlleMerken();
    return 0;
}

int awsAlleBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (wp == 3900 && (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM))
        return ElsLbZeichnen(3900, AwListenText, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
    case 2500:
        awsAlleMerken();
        PostMessage(aws.fenster, WM_COMMAND, 2521, 0);
        wiDlgSchliessen();
        break;
    case 2:
    case 2501:
        aws.alleAbbruch = true;  // the marks stay as they were
        wiDlgSchliessen();
        break;
    default: break;
    }
    return 0;
}

int awsOptInit(int, const char* const*)
{
    wiDlgModal();
    static const struct {
        int id;
        const char* schluessel;
    } boxen[] = {{3000, "ExpClpTxt"}, {3001, "ExpClpTab"}, {3010, "ExpCsvTxt"}, {3011, "ExpCsvTab"}};
    for (const auto& b : boxen) wiKnopfSetzen(b.id, ProfilZahlLesen("ArbPlatz", b.schluessel) != 0);
    return 0;
}

int awsOptBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
    case 2500:
        ProfilZahlSchreiben("ArbPlatz", "ExpClpTxt", wiKnopf(3000));
        ProfilZahlSchreiben("ArbPlatz", "ExpClpTab", wiKnopf(3001));
        ProfilZahlSchreiben("ArbPlatz", "ExpCsvTxt", wiKnopf(3010));
        ProfilZahlSchreiben("ArbPlatz", "ExpCsvTab", wiKnopf(3011));
        wiDlgSchliessen();
        break;
    case 2:
    case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// ---- The page's commands ------------------------------------------------------------------------

void awsEintragZeigen()
{
    awsEintragWaehlen();
    awsEinstellungen();
    awsTextLaden();
    awsKopfMalen();
    awsZeilenSetzen();
    if (aws.bereit) LisNeuAufbauen(AWSLISTE);
    wiSeiteVerteilen(2999, 0);
}

void awsBefehl(int id, int art)
{
    switch (id) {
    case 1520: PostMessage(aws.fenster, WM_COMMAND, 2520, 0); break;
    case 1521: PostMessage(aws.fenster, WM_COMMAND, 2510, 0); break;
    case 1522: PostMessage(aws.fenster, WM_COMMAND, 2512, 0); break;
    case 1523: PostMessage(aws.fenster, WM_COMMAND, 2511, 0); break;
    case 1524: PostMessage(aws.fenster, WM_COMMAND, 2556, 0); break;
    case 2510:
        if (awsGeaendertVerweigert()) break;
        AwLaufen(aws.index, -1);
        PostMessage(aws.fenster, WM_COMMAND, 2590, 0);
        break;
    case 2511:
        if (awsGeaendertVerweigert()) break;
        wiDlgOeffnen("AUSWERTALLE", awsAlleInit, awsAlleExit, awsAlleBefehl);
        break;
    case 2512:
        awsEinstellungen();
        if (!aws.datei.empty()) TextDateiExtern(aws.datei.c_str());
        break;
    case 2520:
        if (awsGeaendertVerweigert()) break;
        AwDefOeffnen(aws.index, 0);
        break;
    case 2521: {
        if (awsGeaendertVerweigert()) break;
        // Where the results go is known only once each entry's options are
        // loaded: the current folder is looked at before, each result's
        // folder as it comes.
        AwBericht bericht;
        bericht.vorher("x");
        int listen = 0;
        for (const std::string& z : AwListe()) {
            int i = AwListenIndex(z.c_str());
            if (i >= 0 && i < static_cast<int>(aws.alleFlags.size()) && aws.alleFlags[static_cast<size_t>(i)]) {
                AwLaufen(i, aws.alleNurMarkiert);
                if (!AwOptionen().datei.empty()) {
                    bericht.ergebnis(bericht.vorher(AwOptionen().datei));
                    ++listen;
                }
            }
        }
        PostMessage(aws.fenster, WM_COMMAND, 2590, 0);
        bericht.zeigen("Alle Listen aktualisieren", std::to_string(listen) + (listen == 1 ? " Liste" : " Listen") + " ausgewertet");
        break;
    }
    case 2552: wiClipText(awsMarkierteCsv(0).c_str()); break;
    case 2553: {
        std::string t = awsMarkierteCsv(1);
        wiClipText(t.c_str());
        awsCsvSpeichern(t);
        break;
    }
    case 2554: wiDlgOeffnen("AUSWERTOPT", awsOptInit, nullptr, awsOptBefehl); break;
    case 2556: awsAuswertungKopieren(0); break;
    case 2557: awsAuswertungKopieren(1); break;
    case 2580: SetFocus(wiItem(AWSLISTE)); break;
    case 2590: awsAllesNeu(); break;
    case 2591: {
        int n = wiComboAnzahl(AWSKOMBO);
        for (int i = 0; i < n; ++i) {
            char z[AWNAMESUP + 40] = "";
            SendMessage(wiItem(AWSKOMBO), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(z));
            if (!aws.gemerkterTitel.empty() && std::strncmp(z, aws.gemerkterTitel.c_str(), aws.gemerkterTitel.size()) == 0) {
                wiComboWahlSetzen(AWSKOMBO, i);
                break;
            }
        }
        awsEintragZeigen();
        break;
    }
    case 2592: awsEintragZeigen(); break;
    case AWSKOMBO:
        if (art == CBN_SELCHANGE) awsEintragZeigen();
        break;
    default: break;
    }
}

// The header strip spans from the list's left edge to 10 units before the
// page's right edge.
void awsGroesse()
{
    wiRollbalkenLayout(2, 2, AWSLISTE, 3001, 0, 0);
    HWND kopf = wiItem(AWSKOPF), liste = wiItem(AWSLISTE);
    if (kopf && liste) {
        RECT k, l, f;
        GetWindowRect(kopf, &k);
        GetWindowRect(liste, &l);
        GetClientRect(aws.fenster, &f);
        POINT p{l.left, k.top};
        ScreenToClient(aws.fenster, &p);
        int breite = f.right - wiDlgEinheit(10) - p.x;
        MoveWindow(kopf, p.x, p.y, breite > 0 ? breite : 1, k.bottom - k.top, TRUE);
    }
    if (aws.bereit) {
        LisGroesseNeu(AWSLISTE);
        LisNeuAufbauen(AWSLISTE);
        awsKopfMalen();
    }
}

int awsInit(int, const char* const*)
{
    HWND f = wiDlgFenster();
    aws.fenster = f;
    wiDlgHilfeSetzen(f, "AUSWERTUNG");
    wiTbarLaden("Toolbar.txt", "Auswertung");
    if (ApTbarStil1()) wiItemsRunter(TbarKnopfHoehe() - 22, AWSLISTE, 3001, AWSKOPF, AWSKOMBO, 3101, 0);
    else wiItemsUnterTbar(AWSLISTE, 3001, AWSKOPF, 0);
    LisDlgSchrift("2");
    if (aws.index < 0) aws.index = 0;
    awsKomboFuellen();
    awsEintragWaehlen();
    awsEinstellungen();
    aws.geladen = false;
    awsTextLaden();
    wiSeiteAnmelden(f);
    LisAnlegen(AWSLISTE, awsHoehe, awsMalen, awsEreignis);
    if (ApOFStilNicht1()) LisOhneFokus(AWSLISTE);
    aws.bereit = true;
    awsZeilenSetzen();
    awsKopfMalen();
    wiSeiteModus(AWSMODUS);
    wiSeiteVerteilen(2999, 0);
    return 1;
}

int awsExit()
{
    aws.bereit = false;
    if (LisVorhanden(AWSLISTE)) LisFreigeben(AWSLISTE);
    aws.text.clear();
    aws.zeilenListe.clear();
    aws.geladen = false;
    wiSeiteAbmelden(aws.fenster);
    aws.fenster = 0;
    return 0;
}

int awsKommando(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (wp == AWSKOMBO && (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM))
        return ElsCbZeichnen(AWSKOMBO, AwListenText, nachricht, wp, lp);
    if (aws.fenster == 0) return 0;
    if (aws.bereit) LisNachricht(AWSLISTE, nachricht, wp, lp);
    switch (nachricht) {
    case WM_ACTIVATE:
        if (LOWORD(wp)) wiSeiteModus(AWSMODUS);
        break;
    case WM_SIZE: awsGroesse(); break;
    case WM_COMMAND: awsBefehl(LOWORD(wp), HIWORD(wp)); break;
    default: break;
    }
    return 0;
}

bool awsIstDatumZeit(const std::string& t)
{
    auto muster = [&](const char* m) {
        if (t.size() != std::strlen(m)) return false;
        for (size_t i = 0; i < t.size(); ++i)
            if (m[i] == '#' ? !(t[i] >= '0' && t[i] <= '9') : t[i] != m[i]) return false;
        return true;
    };
    return muster("##.##.####") || muster("##:##");
}

}  // namespace

std::string AwsZeilenCsv(const std::vector<std::string>& zeilen, int anfuehren, int tab)
{
    std::vector<int> starts;
    for (int c = AwfNaechsteSpalte(0); c > 0 && static_cast<int>(starts.size()) < AWSKOPIESPALTEN; c = AwfNaechsteSpalte(c))
        starts.push_back(c);
    auto zellen = [&](const std::string& z) {
        std::vector<std::string> r;
        for (size_t k = 0; k < starts.size(); ++k) {
            size_t a = static_cast<size_t>(starts[k] - 1);
            if (a >= z.size()) break;
            size_t e = k + 1 < starts.size() ? static_cast<size_t>(starts[k + 1] - 1) : z.size();
            std::string c = z.substr(a, e > a ? e - a : 0);
            size_t v = c.find_first_not_of(" \t"), h = c.find_last_not_of(" \t");
            r.push_back(v == std::string::npos ? "" : c.substr(v, h - v + 1));
        }
        return r;
    };
    std::vector<bool> textSpalte(AWSKOPIESPALTEN, false);
    for (const std::string& z : zeilen) {
        std::vector<std::string> c = zellen(z);
        for (size_t k = 0; k < c.size(); ++k)
            if (!c[k].empty() && !AwfIstZahl(c[k].c_str())) textSpalte[k] = true;
    }
    const char trenner = tab ? '\t' : ';';
    std::string r;
    for (const std::string& z : zeilen) {
        std::vector<std::string> c = zellen(z);
        for (size_t k = 0; k < c.size(); ++k) {
            if (k) r += trenner;
            if (anfuehren && textSpalte[k] && !awsIstDatumZeit(c[k])) {
                r += '"';
                for (char ch : c[k]) {
                    if (ch == '"') r += '"';
                    r += ch;
                }
                r += '"';
            } else {
                r += AwfCsvFeld(c[k].c_str(), 0, trenner);
            }
        }
        r += "\r\n";
    }
    return r;
}

void AuswertOeffnen()
{
    HWND f = aws.fenster;
    if (f != 0 && IsWindow(f)) {
        ShowWindow(f, SW_SHOW);
        EnableWindow(f, TRUE);
        SetActiveWindow(f);
        PostMessage(f, WM_COMMAND, 2580, 0);
        PostMessage(f, WM_COMMAND, 2590, 0);
        return;
    }
    aws.fenster = 0;
    aws.vorlage = ApTbarStil1() ? "AUSWERTNEU" : "AUSWERTALT";
    HWND s = wiDlgEinbetten(anwHauptfenster(), aws.vorlage.c_str(), awsInit, awsExit, awsKommando, nullptr, 0);
    if (s != 0) ShowWindow(s, SW_SHOW);
}

HWND AuswertFenster() { return aws.fenster != 0 && IsWindow(aws.fenster) ? aws.fenster : 0; }

void AuswertPost(int id)
{
    if (HWND f = AuswertFenster()) PostMessage(f, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void AuswertNeu() { AuswertPost(2590); }

void AuswertNamenNeu()
{
    if (!AuswertFenster()) return;
    if (wiDlgBetreten(aws.fenster)) {
        awsKomboFuellen();
        wiDlgVerlassen();
    }
    AuswertPost(2592);
}

void AuswertTitelZeigen(const char* titel)
{
    aws.gemerkterTitel = titel ? titel : "";
    AuswertPost(2591);
}

void AuswertStatus(char* puffer)
{
    if (puffer == nullptr) return;
    if (aws.zeilenListe.size() > static_cast<size_t>(aws.zeilenAngezeigt) && aws.fenster) {
        std::snprintf(puffer, 200, awsText("Gekuerzt"), aws.zeilenAngezeigt, static_cast<int>(aws.zeilenListe.size()));
        return;
    }
    strkopie(puffer, 200, aws.fenster ? aws.titel.c_str() : "", 199);
}
