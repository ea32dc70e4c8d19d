// Record lists (see elzeile.h): slots, the record array, the default row
// painter, commands 2550-2557 with the clipboard, files, searches, type-ahead
// and the owner-drawn equipment-list rows.
//
// Invariants: a taken slot has its record array and work record; the list
// display of the same id shows ElzAnzahl rows after every command; a list
// whose last record is deleted keeps one prepared record.
#include "controls/elzeile.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "controls/elseite.h"
#include "equipment/nhuliste.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"

namespace {

struct ElzSlot {
    HWND dialog;
    bool belegt;
    int id;
    int groesse;
    ElzLeseFn lesen;
    ElzFormatFn format;
    ElzNeuFn neu;
    SARR saetze;
    bool geaendert;
    char* arbeit;
};

ElzSlot elzSlots[ELZSUP];
// The file a slot read short: it holds a fresh record instead, which is
// never written over that file (ElzSpeichern refuses it).
std::string elzKurz[ELZSUP];
int elzZebra = 0;
int elzPfad = 0;
COLORREF elzAuswahl = RGB(215, 232, 255);

int elzFinden(int id)
{
    HWND dlg = wiDlgFenster();
    for (int i = 0; i < ELZSUP; ++i) {
        if (elzSlots[i].belegt && elzSlots[i].dialog == dlg && elzSlots[i].id == static_cast<int>(id)) return i;
    }
    return -1;
}

ElzSlot& elzSlot(int id)
{
    int i = elzFinden(id);
    if (i < 0) wiAssert("elzeile", __LINE__, "i<LISSUP");
    return elzSlots[i];
}

// The formatted line of record i.
std::string elzZeile(const ElzSlot& s, int i)
{
    char zeile[ELZZEILESUP + 1];
    zeile[0] = '\0';
    const void* satz = saadr(&s.saetze, i);
    if (satz && s.format) s.format(satz, zeile, static_cast<int>(sizeof zeile));
    zeile[ELZZEILESUP] = '\0';
    return zeile;
}

// A new record in the work record: from `vorlage` (or zero), prepared.
void elzVorbereiten(ElzSlot& s, const void* vorlage)
{
    if (vorlage) {
        std::memcpy(s.arbeit, vorlage, static_cast<size_t>(s.groesse));
    } else {
        std::memset(s.arbeit, 0, static_cast<size_t>(s.groesse));
    }
    if (s.neu) {
        s.neu(s.arbeit);
    } else {
        std::memset(s.arbeit, 0, static_cast<size_t>(s.groesse));
    }
}

void elzAnzeigen(ElzSlot& s)
{
    if (LisVorhanden(s.id)) LisAnzahlSetzen(s.id, saanzahl(&s.saetze));
}

int elzAkt(const ElzSlot& s)
{
    return LisVorhanden(s.id) ? LisAkt(s.id) : -1;
}

void elzStandardMalen(int id, int zeile)
{
    int i = elzFinden(id);
    if (i < 0) return;
    std::string t = elzZeile(elzSlots[i], zeile);
    size_t ende = t.find_first_of("\x1d\x1e");
    if (ende != std::string::npos) t.resize(ende);
    for (char& c : t) {
        if (c == 0x1C) c = ' ';
    }
    LisFarbe(0, 0, 0);
    LisText(1, 0, t.c_str());
}

// Marked rows to the clipboard; false when some did not fit.
bool elzKopieren(ElzSlot& s)
{
    wiBeschaeftigt(1);
    char* text = static_cast<char*>(fmalloc(1, TXTSUP + 1));
    if (!text) wiAssert("elzeile", __LINE__, "text=fmalloc(1,TXTSUP+1)");
    size_t laenge = 0;
    bool vollstaendig = true;
    const int n = saanzahl(&s.saetze);
    for (int r = 0; r < n; ++r) {
        if (!LisIstMarkiert(s.id, r)) continue;
        if (laenge >= static_cast<size_t>(ELZKOPIESUP)) {
            vollstaendig = false;
            continue;
        }
        std::string z = elzZeile(s, r) + "\r\n";
        if (laenge + z.size() > static_cast<size_t>(TXTSUP)) {
            vollstaendig = false;
            continue;
        }
        std::memcpy(text + laenge, z.data(), z.size());
        laenge += z.size();
    }
    text[laenge] = '\0';
    ElsAblageAbgeben(text);
    wiBeschaeftigt(0);
    return ElsKopieMelden(vollstaendig, ELZKOPIESUP);
}

void elzEinfuegen(ElzSlot& s)
{
    if (!s.lesen) return;
    s.geaendert = true;
    wiBeschaeftigt(1);
    int c = elzAkt(s);
    const int n = saanzahl(&s.saetze);
    char* vorlage = static_cast<char*>(fmalloc(1, s.groesse));
    if (!vorlage) wiAssert("elzeile", __LINE__, "vorlage != NULL");
    if (c < 0 || c >= n) {
        // No record at the cursor: a prepared new one is the template.
        elzVorbereiten(s, nullptr);
        std::memcpy(vorlage, s.arbeit, static_cast<size_t>(s.groesse));
        c = 0;
    } else {
        std::memcpy(vorlage, saadr(&s.saetze, c), static_cast<size_t>(s.groesse));
    }
    std::memcpy(s.arbeit, vorlage, static_cast<size_t>(s.groesse));
    char* text = wiClipHolenNeu();
    if (text) {
        // A line longer than a record line ends the paste without a word.
        ElsAblageLesen(text, ELZZEILESUP, s.lesen, s.arbeit, vorlage, s.groesse, &s.saetze, &c);
        ffree(text);
    }
    ffree(vorlage);
    wiBeschaeftigt(0);
    elzAnzeigen(s);
}

void elzNeu(ElzSlot& s, bool darunter)
{
    s.geaendert = true;
    const int c = elzAkt(s);
    const int n = saanzahl(&s.saetze);
    if (c < 0 || c >= n) {
        // Empty list: a prepared record (from zero) at the start.
        elzVorbereiten(s, nullptr);
        saeinfuegen(&s.saetze, s.arbeit, 0);
        elzAnzeigen(s);
        if (LisVorhanden(s.id)) LisAktSetzen(s.id, 0);
        return;
    }
    elzVorbereiten(s, saadr(&s.saetze, c));
    saeinfuegen(&s.saetze, s.arbeit, darunter ? c + 1 : c);
    elzAnzeigen(s);
    if (darunter) LisAktSetzen(s.id, c + 1);
}

void elzLoeschen(ElzSlot& s)
{
    s.geaendert = true;
    for (int r = saanzahl(&s.saetze) - 1; r >= 0; --r) {
        if (!LisIstMarkiert(s.id, r)) continue;
        if (saanzahl(&s.saetze) == 1) {
            void* satz = saadr(&s.saetze, 0);
            if (s.neu) {
                s.neu(satz);
            } else {
                std::memset(satz, 0, static_cast<size_t>(s.groesse));
            }
        } else {
            saloeschen(&s.saetze, r);
        }
    }
    elzAnzeigen(s);
}

}  // namespace

// ---- Lifecycle -------------------------------------------------------------------------------------

void ElzAnlegen(int id, int groesse, ElzLeseFn lesen, ElzFormatFn format, ElzNeuFn neu)
{
    int i = 0;
    while (i < ELZSUP && elzSlots[i].belegt) ++i;
    if (i >= ELZSUP) wiAssert("elzeile", __LINE__, "i<LISSUP");
    ElzSlot& s = elzSlots[i];
    std::memset(&s, 0, sizeof s);
    elzKurz[i].clear();
    if (groesse < 1) groesse = 1;
    s.arbeit = static_cast<char*>(fmalloc(1, groesse));
    if (!s.arbeit) wiAssert("elzeile", __LINE__, "arbeit != NULL");
    s.belegt = true;
    s.dialog = wiDlgFenster();
    s.id = id;
    s.groesse = groesse;
    s.lesen = lesen;
    s.format = format;
    s.neu = neu;
    sainit(&s.saetze, groesse);
}

void ElzAufbauen(int id, ElzKopfFn kopf, LisHoeheFn hoehe, LisMalFn malen, LisEreignisFn ereignis)
{
    ElzSlot& s = elzSlot(id);
    LisAnlegen(id, hoehe, malen, ereignis);
    if (!malen) LisMalen2(id, elzStandardMalen);
    if (!ApOFStil1()) LisOhneFokus(id);
    LisAnzahlSetzen(id, saanzahl(&s.saetze));
    ElsUeberschriften(id, kopf);
}

void ElzFreigeben(int id)
{
    ElzSlot& s = elzSlot(id);
    if (LisVorhanden(id)) LisFreigeben(id);
    safrei(&s.saetze);
    ffree(s.arbeit);
    std::memset(&s, 0, sizeof s);
    elzKurz[&s - elzSlots].clear();
}

int ElzVorhanden(int id) { return elzFinden(id) >= 0 ? 1 : 0; }
int ElzGeaendert(int id) { return elzSlot(id).geaendert ? 1 : 0; }
void ElzGeaendertSetzen(int id, int flag) { elzSlot(id).geaendert = flag != 0; }
int ElzAnzahl(int id) { return saanzahl(&elzSlot(id).saetze); }

void ElzNeuAnzeigen(int id)
{
    ElzSlot& s = elzSlot(id);
    LisAnzahlSetzen(id, saanzahl(&s.saetze));
}

void* ElzSatz(int id, int i) { return saadr(&elzSlot(id).saetze, i); }
SARR* ElzSaetze(int id) { return &elzSlot(id).saetze; }
void ElzLoeschen(int id) { saleeren(&elzSlot(id).saetze); }
void ElzAnhaengen(int id, const void* satz) { saanhaengen(&elzSlot(id).saetze, satz); }

// ---- Files -------------------------------------------------------------------------------------------

void ElzLaden(int id, const char* pfad)
{
    ElzSlot& s = elzSlot(id);
    if (!s.lesen) return;
    if (ElsDateiLesen(pfad, ELZZEILESUP, false, s.lesen, s.arbeit, s.groesse, &s.saetze, elzKurz[&s - elzSlots]))
        return;
    elzVorbereiten(s, nullptr);
    saanhaengen(&s.saetze, s.arbeit);
}

int ElzSpeichern(int id, const char* pfad)
{
    ElzSlot& s = elzSlot(id);
    return ElsDateiSchreiben(pfad, elzKurz[&s - elzSlots], [&s](BDAT* d) {
        bool gut = true;
        for (int i = 0; i < saanzahl(&s.saetze); ++i)
            if (bdputsmodus(d, elzZeile(s, i).c_str(), 1) < 0) gut = false;
        return gut;
    });
}

// ---- Searches ----------------------------------------------------------------------------------------

namespace {
bool elzEnthaelt(const std::string& zeile, const char* text)
{
    return strposi(zeile.c_str(), text ? text : "") >= 0;
}
}  // namespace

int ElzSuchen(int id, const char* text, int weiter, int versatz, int laenge)
{
    ElzSlot& s = elzSlot(id);
    const int c = elzAkt(s);
    if (versatz < 0) versatz = 0;
    for (int r = weiter ? c + 1 : 0; r < saanzahl(&s.saetze); ++r) {
        if (r < 0) continue;
        std::string z = elzZeile(s, r);
        if (laenge != 0 && z.size() > static_cast<size_t>(versatz + laenge)) z.resize(static_cast<size_t>(versatz + laenge));
        if (z.size() < static_cast<size_t>(versatz)) continue;
        if (elzEnthaelt(z.substr(static_cast<size_t>(versatz)), text)) {
            LisAktSetzen(id, r);
            return r;
        }
    }
    return c;
}

int ElzBuchstabe(int id, int zeichen)
{
    ElzSlot& s = elzSlot(id);
    const int c = elzAkt(s);
    const int n = saanzahl(&s.saetze);
    const unsigned char b = zgross(static_cast<unsigned char>(zeichen));
    auto trifft = [&](int r) {
        std::string z = elzZeile(s, r);
        return !z.empty() && zgross(static_cast<unsigned char>(z[0])) == b;
    };
    int treffer = -1;
    for (int r = c + 1; r < n && treffer < 0; ++r) {
        if (r >= 0 && trifft(r)) treffer = r;
    }
    for (int r = 0; r <= c && r < n && treffer < 0; ++r) {
        if (trifft(r)) treffer = r;
    }
    if (treffer >= 0) LisAktSetzen(id, treffer);
    return treffer;
}

int ElzWeiterSuchen(int id, int zeile, const char* text)
{
    ElzSlot& s = elzSlot(id);
    for (int r = zeile + 1; r < saanzahl(&s.saetze); ++r) {
        if (r >= 0 && elzEnthaelt(elzZeile(s, r), text)) return r;
    }
    return zeile;
}

// ---- Commands --------------------------------------------------------------------------------------------

void ElzBefehl(int id, int befehl)
{
    ElzSlot& s = elzSlot(id);
    const ElsSatzBefehle satz{[&](bool darunter) { elzNeu(s, darunter); }, [&] { elzLoeschen(s); },
                              [&] { return elzKopieren(s); }, [&] { elzEinfuegen(s); }};
    if (ElsSatzBefehl(befehl, satz)) return;
    switch (befehl) {
    case 2556: LisAlleMarkieren(id); break;
    case 2557: {
        char text[256];
        text[0] = '\0';
        GetDlgItemText(wiDlgFenster(), id + 4, text, sizeof text);
        int r = ElzWeiterSuchen(id, elzAkt(s), text);
        LisAktSetzen(id, r);
        break;
    }
    default: break;
    }
}

int ElzTippSuche(UINT nachricht, WPARAM taste, int befehl, int feld, char* puffer)
{
    HWND dlg = wiDlgFenster();
    if (nachricht == WM_CHARTOITEM) {
        const unsigned char c = static_cast<unsigned char>(LOWORD(taste));
        size_t n = std::strlen(puffer);
        if (c == 8) {
            if (n > 0) puffer[n - 1] = '\0';
        } else if (c >= 32 && istdruckbar(c)) {
            if (n < static_cast<size_t>(ELZTIPPSUP)) {
                puffer[n] = static_cast<char>(zgross(c));
                puffer[n + 1] = '\0';
            }
        } else {
            return -1;
        }
        if (feld) SetDlgItemText(dlg, feld, puffer);
        if (befehl) PostMessage(dlg, WM_COMMAND, static_cast<WPARAM>(befehl), 0);
        return -2;
    }
    if (nachricht == WM_COMMAND && LOWORD(taste) == 1 && feld) {
        HWND f = GetDlgItem(dlg, feld);
        if (f && GetFocus() == f && befehl) PostMessage(dlg, WM_COMMAND, static_cast<WPARAM>(befehl), 0);
    }
    return 0;
}

int ElzListBoxSuchen(int id, const char* text)
{
    char such[256];
    strkopie(such, sizeof such, text ? text : "", 255);
    strtrim(such);
    strgross(such);
    HWND box = GetDlgItem(wiDlgFenster(), id);
    if (!box) return -1;
    const int n = static_cast<int>(SendMessage(box, LB_GETCOUNT, 0, 0));
    const int wahl = static_cast<int>(SendMessage(box, LB_GETCURSEL, 0, 0));
    for (int i = wahl + 1; i < n; ++i) {
        if (i < 0) continue;
        std::string t = ElsEintragText(box, true, i, nullptr);
        std::string g = t;
        strgross(g.data());
        if (std::strstr(g.c_str(), such)) {
            SendMessage(box, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return i;
        }
    }
    return -1;
}

void ElzListenStil(int zebra, int pfad)
{
    elzZebra = zebra;
    elzPfad = pfad;
}

int ElzPfadModus() { return elzPfad; }

void ElzFarbenEmpfangen(COLORREF cursor, COLORREF markiert, COLORREF kopf)
{
    LisFarbenEmpfangen(cursor, markiert, kopf);
    ElsMarkFarbeSetzen(GetRValue(markiert), GetGValue(markiert), GetBValue(markiert));
    ElzAuswahlFarbe(GetRValue(markiert), GetGValue(markiert), GetBValue(markiert));
}

void ElzZebraEmpfangen(int zebra) { elzZebra = zebra; }
void ElzPfadEmpfangen(int pfad) { elzPfad = pfad; }
void ElzAuswahlFarbe(int r, int g, int b) { elzAuswahl = RGB(r & 255, g & 255, b & 255); }

int ElzZeilenProFenster(int id)
{
    RECT r{};
    HWND h = GetDlgItem(wiDlgFenster(), id);
    if (h) GetClientRect(h, &r);
    return (r.bottom - r.top) / ElsMessen().lh;
}

int ElzOwnerDraw(int id, ElzTextFn text, UINT nachricht, int steuerId, LPARAM daten)
{
    if (steuerId != id) return 0;
    const ElsMasse& m = ElsMessen();
    const int zeilen = HulTextSpalten();
    if (nachricht == WM_MEASUREITEM) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(daten);
        mi->itemHeight = static_cast<UINT>(zeilen < 2 ? m.lh : zeilen * m.lh + wiDlgEinheit(4));
        return 1;
    }
    if (nachricht != WM_DRAWITEM) return 0;
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(daten);
    if (!(di->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return 1;
    const int index = static_cast<int>(di->itemID);
    const bool streifen = elzZebra == 1 || (elzZebra == 2 && zeilen > 1);
    COLORREF grund = GetSysColor(COLOR_WINDOW);
    if (di->itemState & ODS_SELECTED) {
        grund = elzAuswahl;
    } else if (streifen && (index & 1)) {
        grund = GetSysColor(COLOR_BTNFACE);
    }
    ElsEintragMalen(*di, di->rcItem, grund, [&](HDC dc) {
        if (index < 0) return;
        std::string t = ElsEintragText(di->hwndItem, di->CtlType != ODT_COMBOBOX, index, text);
        size_t ende = t.find('\x03');
        std::string zeile = ende == std::string::npos ? t : t.substr(0, ende);
        const int y = di->rcItem.top + (zeilen > 1 ? wiDlgEinheit(2) : 0);
        ElsMarkupZeichnen(dc, di->rcItem.left + 2, y, zeile.c_str(), m.cw, m.lh, m.stift);
        if (zeilen > 1) {
            HulZeileLaden(t.c_str());
            for (int k = 1; k < zeilen; ++k) {
                const char* w = HulZeileText(k);
                ElsMarkupZeichnen(dc, di->rcItem.left + 2, y + k * m.lh, w ? w : "", m.cw, m.lh, m.stift);
            }
        }
    });
    return 1;
}
