// Sectioned tables (see elseite.h): slots, sections derived from the record
// names, the section list on control 4600, the section text file and the
// commands 2550-2564 with the clipboard. The owner-draw handlers and the
// dialog texts are in elseite_malen.cpp, the record commands and clipboard
// lines shared with the record lists in els_ablage.cpp.
//
// Invariants of a taken slot:
//  1. Sections are never stored: they are derived from the records (by
//     ElsAufbauen, ElsNeuZeigen and the section commands), a new one
//     wherever a record's name differs (ignoring case) from the one before
//     it; every record then carries its section's number.
//  2. [erster, erster + anzahl) is the current section's records; record
//     commands move only its end, so records inserted there keep belonging
//     to it until the sections are derived again.
//  3. Once built from a file (or a missing one) a table keeps at least one
//     record: 2551 blanks a section's last record and 2561 resets the table
//     to one fresh record when every section would go.
#include "controls/elseite.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "controls/ctlkern.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
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
#include "winlib/wiwerk.h"

namespace {

struct ElsSlot {
    HWND dialog;
    bool belegt;
    int seitenBreite;
    SARR seiten;
    char menu[ELSMENUSUP + 1];
    int id;
    int groesse;
    ElsLeseFn lesen;
    ElsFormatFn format;
    ElsSatzFn init;
    ElsSatzFn leer;
    SARR saetze;
    bool geaendert;
    int erster;
    int anzahl;
    char* arbeit;
    ElsSeitenFn seitenFn;
};

ElsSlot elsSlots[ELSSUP];
// The file a slot read short: it holds a fresh record instead, which is
// never written over that file (ElsSchreiben refuses it).
std::string elsKurz[ELSSUP];

ElsSlot& elsSlot(int id)
{
    HWND dlg = wiDlgFenster();
    for (int i = 0; i < ELSSUP; ++i) {
        if (elsSlots[i].belegt && elsSlots[i].dialog == dlg && elsSlots[i].id == id) return elsSlots[i];
    }
    wiAssert("elseite", __LINE__, "i<LISSUP");
}

// The table whose section list is control 4600 of the current dialog.
ElsSlot* elsSeitenSlot()
{
    HWND dlg = wiDlgFenster();
    for (int i = 0; i < ELSSUP; ++i) {
        if (elsSlots[i].belegt && elsSlots[i].dialog == dlg) return &elsSlots[i];
    }
    return nullptr;
}

ElsKopf* elsKopf(ElsSlot& s, int i)
{
    return static_cast<ElsKopf*>(saadr(&s.saetze, i));
}

void elsNameSetzen(void* satz, const char* name)
{
    ElsKopf* k = static_cast<ElsKopf*>(satz);
    std::memset(k->name, 0, sizeof k->name);
    strkopie(k->name, sizeof k->name, name, ELSNAMESUP);
}

void elsFrisch(ElsSlot& s)
{
    std::memset(s.arbeit, 0, static_cast<size_t>(s.groesse));
    if (s.init) s.init(s.arbeit);
}

void elsSeitenBauen(ElsSlot& s)
{
    saleeren(&s.seiten);
    int nr = -1;
    const char* vorher = nullptr;
    for (int i = 0; i < saanzahl(&s.saetze); ++i) {
        ElsKopf* k = elsKopf(s, i);
        k->name[sizeof k->name - 1] = '\0';
        if (!vorher || strvgl(k->name, vorher) != 0) {
            ++nr;
            ElsKopf e{};
            e.nummer = nr;
            strkopie(e.name, sizeof e.name, k->name, ELSNAMESUP);
            saanhaengen(&s.seiten, &e);
        }
        k->nummer = nr;
        vorher = k->name;
    }
}

// The section of row r becomes current (no callbacks).
void elsAuswaehlen(ElsSlot& s, int r)
{
    const int n = saanzahl(&s.saetze);
    s.erster = n;
    s.anzahl = 0;
    for (int i = 0; i < n; ++i) {
        if (elsKopf(s, i)->nummer == r) {
            s.erster = i;
            break;
        }
    }
    while (s.erster + s.anzahl < n && elsKopf(s, s.erster + s.anzahl)->nummer == r) ++s.anzahl;
}

void elsRueckruf(ElsSlot& s, int phase)
{
    if (s.seitenFn) s.seitenFn(s.anzahl, phase);
}

// Section callback 0, select, the record list's count, callback 1.
void elsSeiteZeigen(ElsSlot& s, int r)
{
    elsRueckruf(s, 0);
    elsAuswaehlen(s, r);
    LisAnzahlSetzen(s.id, s.anzahl);
    elsRueckruf(s, 1);
}

// ---- The section list ------------------------------------------------------------------------

void elsSeitenMalen(int zeile)
{
    ElsSlot* s = elsSeitenSlot();
    if (!s) return;
    const ElsKopf* e = static_cast<const ElsKopf*>(saadr(&s->seiten, zeile));
    char name[ELSKOPFSUP + 64];
    strbreite(name, sizeof name, e ? e->name : "", s->seitenBreite);
    LisFarbe(0, 0, 0);
    LisText(1, 0, name);
}

void elsZelleText(int zeile, int spalte, int* start, int* breite, char* text, int groesse)
{
    ElsSlot* s = elsSeitenSlot();
    *start = 1;
    *breite = 0;
    text[0] = '\0';
    if (!s || spalte != 0) return;
    const ElsKopf* e = static_cast<const ElsKopf*>(saadr(&s->seiten, zeile));
    if (!e) return;
    std::snprintf(text, static_cast<size_t>(groesse), "%cM 40\t%s", 27, e->name);
    *breite = s->seitenBreite;
}

void elsZelleSpeichern(int zeile, int spalte, const char* text)
{
    (void)spalte;
    ElsSlot* s = elsSeitenSlot();
    if (!s) return;
    ElsKopf* e = static_cast<ElsKopf*>(saadr(&s->seiten, zeile));
    if (!e) return;
    s->geaendert = true;
    elsNameSetzen(e, text);
    for (int i = 0; i < saanzahl(&s->saetze); ++i) {
        ElsKopf* k = elsKopf(*s, i);
        if (k->nummer == zeile) elsNameSetzen(k, text);
    }
}

void elsUmbenennen(ElsSlot& s, int zeile)
{
    LisEditStart(ELSSEITENLISTE, zeile, 0, 1, elsZelleText, elsZelleSpeichern);
    (void)s;
}

int elsSeitenEreignis(int ereignis, int zeile)
{
    ElsSlot* s = elsSeitenSlot();
    if (!s) return 0;
    if (ereignis == LISCURSOR || ereignis == LISANZAHL) {
        elsSeiteZeigen(*s, zeile);
    } else if ((ereignis == LISAKTIV || ereignis == LISLEER) && !strleer(s->menu)) {
        elsUmbenennen(*s, zeile);
    } else if (ereignis == LISKONTEXT && !strleer(s->menu)) {
        int x = 0, y = 0;
        LisKlickHolen(ELSSEITENLISTE, &x, &y);
        wiKontextMenu(s->menu, MAKELPARAM(x, y), GetDlgItem(s->dialog, ELSSEITENLISTE));
    }
    return 0;
}

// ---- Record commands ---------------------------------------------------------------------------

// After a record command: the current section's count moved by `delta`
// (sections are derived again only by ElsAufbauen, ElsNeuZeigen and the
// section commands), and the record list told its new count between the
// two section callbacks. The first record of an empty table makes its
// section.
void elsSatzBefehlEnde(ElsSlot& s, int delta)
{
    s.anzahl += delta;
    if (saanzahl(&s.seiten) == 0 && saanzahl(&s.saetze) > 0) {
        elsSeitenBauen(s);
        elsAuswaehlen(s, 0);
        LisAnzahlSetzen(ELSSEITENLISTE, saanzahl(&s.seiten));
        if (LisAkt(ELSSEITENLISTE) < 0) LisAktSetzen(ELSSEITENLISTE, 0);
        elsAuswaehlen(s, 0);
    }
    elsRueckruf(s, 0);
    LisAnzahlSetzen(s.id, s.anzahl);
    elsRueckruf(s, 1);
}

// The template of a new or pasted record: the record at the cursor (*c is
// clamped to the section), or, when the current section has no record, a
// fresh one (the table is empty then) inserted at index 0.
int elsVorlage(ElsSlot& s, int* c, bool* frisch)
{
    *frisch = s.anzahl == 0;
    if (*frisch) {
        elsFrisch(s);
        *c = 0;
        return 0;
    }
    if (*c < 0) *c = 0;
    if (*c >= s.anzahl) *c = s.anzahl - 1;
    std::memcpy(s.arbeit, saadr(&s.saetze, s.erster + *c), static_cast<size_t>(s.groesse));
    return s.erster + *c;
}

void elsNeu(ElsSlot& s, bool darunter)
{
    int c = LisAkt(s.id);
    bool frisch;
    int i = elsVorlage(s, &c, &frisch);
    if (!frisch && s.leer) s.leer(s.arbeit);
    if (!frisch && darunter) ++i;
    saeinfuegen(&s.saetze, s.arbeit, i);
    elsSatzBefehlEnde(s, frisch ? 0 : 1);
    if (frisch) {
        LisAktSetzen(s.id, 0);
    } else if (darunter) {
        LisAktSetzen(s.id, c + 1);
    }
}

void elsLoeschen(ElsSlot& s)
{
    for (int r = s.anzahl - 1; r >= 0; --r) {
        if (!LisIstMarkiert(s.id, r)) continue;
        if (s.anzahl == 1) {
            if (s.leer) s.leer(saadr(&s.saetze, s.erster));
        } else {
            saloeschen(&s.saetze, s.erster + r);
            --s.anzahl;
        }
    }
    elsSatzBefehlEnde(s, 0);
}

char* elsPuffer()
{
    char* p = static_cast<char*>(fmalloc(1, ELSPUFFERSUP));
    if (!p) wiAssert("elseite", __LINE__, "text=fmalloc(1,101000)");
    return p;
}

// Marked records of the current section to the clipboard; false when some
// did not fit (they are left out; the caller warns).
bool elsKopieren(ElsSlot& s)
{
    char* text = elsPuffer();
    int laenge = 0;
    bool vollstaendig = true;
    ElsKopf letzter{};
    for (int r = 0; r < s.anzahl; ++r) {
        if (!LisIstMarkiert(s.id, r)) continue;
        if (laenge > ELSKOPIESUP) {
            vollstaendig = false;
            continue;
        }
        const void* satz = saadr(&s.saetze, s.erster + r);
        const ElsKopf* k = static_cast<const ElsKopf*>(satz);
        char stueck[ELSKOPFSUP + 2 * ELSZEILESUP + 16];
        char zeile[2 * ELSZEILESUP + 1];
        zeile[0] = '\0';
        if (s.format) s.format(satz, zeile, static_cast<int>(sizeof zeile));
        zeile[sizeof zeile - 1] = '\0';
        int n = 0;
        if (strvgl(k->name, letzter.name) != 0) {
            n = std::snprintf(stueck, sizeof stueck, ")S %.40s\r\n", k->name);
        }
        n += std::snprintf(stueck + n, sizeof stueck - static_cast<size_t>(n), "%s\r\n", zeile);
        if (laenge + n >= ELSPUFFERSUP) {
            vollstaendig = false;
            continue;
        }
        std::memcpy(text + laenge, stueck, static_cast<size_t>(n));
        laenge += n;
        text[laenge] = '\0';
        std::memcpy(&letzter, k, sizeof letzter);
        letzter.name[sizeof letzter.name - 1] = '\0';
    }
    ElsAblageAbgeben(text);
    return ElsKopieMelden(vollstaendig, ELSKOPIESUP);
}

void elsEinfuegen(ElsSlot& s)
{
    int c = LisAkt(s.id);
    bool frisch;
    int i = elsVorlage(s, &c, &frisch);
    const int erstes = i;
    char* text = elsPuffer();
    char* clip = wiClipHolenNeu();
    bool gekuerzt = false;
    if (clip) {
        int n = static_cast<int>(std::strlen(clip));
        if (n > ELSKOPIESUP) {
            // Whole lines only: the cut falls after the last line end that fits.
            n = ELSKOPIESUP;
            while (n > 0 && clip[n - 1] != '\n') --n;
            gekuerzt = true;
        }
        std::memcpy(text, clip, static_cast<size_t>(n));
        text[n] = '\0';
        ffree(clip);
    }
    char* vorlage = static_cast<char*>(fmalloc(1, s.groesse));
    if (!vorlage) wiAssert("elseite", __LINE__, "vorlage != NULL");
    std::memcpy(vorlage, s.arbeit, static_cast<size_t>(s.groesse));
    const bool zuLang = !ElsAblageLesen(text, ELSZEILESUP, s.lesen, s.arbeit, vorlage, s.groesse, &s.saetze, &i);
    ffree(vorlage);
    ffree(text);
    if (zuLang) {
        wiMeldung("Eine Zeile der Zwischenablage ist l\xe4nger als %d Zeichen; eingef\xfcgt wurde nur, was davor stand.",
                  ELSZEILESUP);
    } else if (gekuerzt) {
        wiMeldung("Die Zwischenablage enth\xe4lt mehr als %d Zeichen; eingef\xfcgt wurde nur der Anfang.",
                  ELSKOPIESUP);
    }
    elsSatzBefehlEnde(s, frisch ? 0 : i - erstes);
}

// ---- Section commands ---------------------------------------------------------------------------

void elsNeueSeite(ElsSlot& s, bool darunter)
{
    const int r = LisAkt(ELSSEITENLISTE);
    if (r < 0) return;
    const int seiten = saanzahl(&s.seiten);
    const int n = saanzahl(&s.saetze);
    int vorlage = -1, ziel = -1;
    if (!darunter) {
        elsAuswaehlen(s, r);
        if (s.erster < n) vorlage = ziel = s.erster;
    } else if (r < seiten - 1) {
        elsAuswaehlen(s, r + 1);
        vorlage = ziel = s.erster;
    } else {
        elsAuswaehlen(s, r);
        vorlage = s.erster;
        ziel = n;
    }
    if (vorlage < 0 || vorlage >= n) return;
    std::memcpy(s.arbeit, saadr(&s.saetze, vorlage), static_cast<size_t>(s.groesse));
    elsNameSetzen(s.arbeit, "?");
    if (s.leer) s.leer(s.arbeit);
    saeinfuegen(&s.saetze, s.arbeit, ziel);
    elsSeitenBauen(s);
    LisAnzahlSetzen(ELSSEITENLISTE, saanzahl(&s.seiten));
    if (!darunter) {
        LisAktSetzen(ELSSEITENLISTE, r);
        elsSeiteZeigen(s, LisAkt(ELSSEITENLISTE));
    } else {
        LisAktSetzen(ELSSEITENLISTE, r + 1);
        elsSeiteZeigen(s, LisAkt(ELSSEITENLISTE));
    }
    LisAktSetzen(s.id, 0);
}

void elsSeitenLoeschen(ElsSlot& s)
{
    const int r = LisAkt(ELSSEITENLISTE);
    const int seiten = saanzahl(&s.seiten);
    bool alle = true;
    for (int k = 0; k < seiten; ++k) {
        if (!LisIstMarkiert(ELSSEITENLISTE, k)) alle = false;
    }
    if (seiten <= 1 || alle) {
        // Never without a section: the table starts again with one fresh record.
        elsFrisch(s);
        saleeren(&s.saetze);
        saanhaengen(&s.saetze, s.arbeit);
    } else {
        for (int i = saanzahl(&s.saetze) - 1; i >= 0; --i) {
            if (LisIstMarkiert(ELSSEITENLISTE, elsKopf(s, i)->nummer)) saloeschen(&s.saetze, i);
        }
    }
    elsSeitenBauen(s);
    LisAnzahlSetzen(ELSSEITENLISTE, saanzahl(&s.seiten));
    LisAktSetzen(ELSSEITENLISTE, r);
    elsSeiteZeigen(s, LisAkt(ELSSEITENLISTE));
}

}  // namespace

// ---- Interface -------------------------------------------------------------------------------------

void ElsAnlegen(int id, int groesse, ElsLeseFn lesen, ElsFormatFn format, ElsSatzFn init, ElsSatzFn leer,
                const char* menu)
{
    int i = 0;
    while (i < ELSSUP && elsSlots[i].belegt) ++i;
    if (i >= ELSSUP) wiAssert("elseite", __LINE__, "i<LISSUP");
    ElsSlot& s = elsSlots[i];
    std::memset(&s, 0, sizeof s);
    elsKurz[i].clear();
    if (groesse < ELSKOPFSUP) groesse = ELSKOPFSUP;
    s.arbeit = static_cast<char*>(fmalloc(1, groesse));
    if (!s.arbeit) wiAssert("elseite", __LINE__, "arbeit != NULL");
    s.belegt = true;
    s.dialog = wiDlgFenster();
    s.id = id;
    s.groesse = groesse;
    s.lesen = lesen;
    s.format = format;
    s.init = init;
    s.leer = leer;
    strkopie(s.menu, sizeof s.menu, menu ? menu : "", ELSMENUSUP);
    sainit(&s.saetze, groesse);
    sainit(&s.seiten, ELSKOPFSUP);
}

void ElsAufbauen(int id, ElsKopfFn kopf, LisHoeheFn hoehe, LisMalFn malen, LisEreignisFn ereignis)
{
    ElsSlot& s = elsSlot(id);
    elsSeitenBauen(s);
    s.erster = 0;
    s.anzahl = 0;
    RECT r{};
    HWND seitenliste = GetDlgItem(s.dialog, ELSSEITENLISTE);
    if (seitenliste) GetClientRect(seitenliste, &r);
    s.seitenBreite = wiPixelEinheit(r.right - r.left) / 4 - 2;
    if (s.seitenBreite < 0) s.seitenBreite = 0;
    LisAnlegen(ELSSEITENLISTE, nullptr, elsSeitenMalen, elsSeitenEreignis);
    LisAnlegen(id, hoehe, malen, ereignis);
    if (!ApOFStil1()) {
        LisOhneFokus(ELSSEITENLISTE);
        LisOhneFokus(id);
    }
    LisAnzahlSetzen(ELSSEITENLISTE, saanzahl(&s.seiten));
    LisEditEnde(ELSSEITENLISTE);
    char text[256];
    text[0] = '\0';
    int spalte = kopf ? kopf(100, text) : -1;
    if (spalte == -1) {
        strkopie(text, sizeof text, "Seiten", 6);
        spalte = 1;
    }
    LisUeberschrift(ELSSEITENLISTE, spalte, text);
    elsRueckruf(s, 0);
    LisAnzahlSetzen(id, s.anzahl);
    elsRueckruf(s, 1);
    LisEditEnde(id);
    ElsUeberschriften(id, kopf);
}

void ElsUeberschriften(int id, ElsKopfFn kopf)
{
    char text[256];
    for (int i = 0; kopf && i < 100; ++i) {
        text[0] = '\0';
        int c = kopf(i, text);
        if (c == -1) break;
        text[sizeof text - 1] = '\0';
        LisUeberschrift(id, c, text);
    }
}

void ElsSeitenRueckruf(int id, ElsSeitenFn rueckruf) { elsSlot(id).seitenFn = rueckruf; }

void ElsNeuZeigen(int id)
{
    ElsSlot& s = elsSlot(id);
    elsSeitenBauen(s);
    LisAnzahlSetzen(ELSSEITENLISTE, saanzahl(&s.seiten));
    LisAktSetzen(ELSSEITENLISTE, 0);
    elsSeiteZeigen(s, LisAkt(ELSSEITENLISTE) < 0 ? 0 : LisAkt(ELSSEITENLISTE));
    LisAktSetzen(id, 0);
}

bool ElsDateiLesen(const char* datei, int zeileSup, bool abschnitte, ElsLeseFn lesen, char* arbeit, int groesse,
                   SARR* saetze, std::string& kurz)
{
    kurz.clear();
    saleeren(saetze);
    BDAT d{};
    if (bdopenlesen(&d, datei) < 0) return false;
    std::memset(arbeit, 0, static_cast<size_t>(groesse));
    std::string zeile(static_cast<size_t>(zeileSup) + 1, '\0');
    while (bdgets(&d, zeile.data(), zeileSup) >= 0) {
        if (abschnitte && zeile[0] == ')' && zeile[1] != 'S' && zeile[1] != 'I') break;
        if (lesen && lesen(arbeit, zeile.c_str()) == 1) saanhaengen(saetze, arbeit);
    }
    const bool fehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (!fehler) return true;
    kurz = datei;
    saleeren(saetze);
    wiMeldung("Kann %s nicht lesen.", datei);
    return false;
}

void ElsLesen(int id, const char* datei)
{
    ElsSlot& s = elsSlot(id);
    if (ElsDateiLesen(datei, ELSZEILESUP, true, s.lesen, s.arbeit, s.groesse, &s.saetze, elsKurz[&s - elsSlots]))
        return;
    elsFrisch(s);
    saanhaengen(&s.saetze, s.arbeit);
}

int ElsDateiSchreiben(const char* datei, const std::string& kurz, const std::function<bool(BDAT*)>& zeilen)
{
    if (!kurz.empty() && strvgl(kurz.c_str(), datei) == 0) return ERROR;
    BDAT d{};
    if (bdmake(&d, datei) < 0) return ERROR;
    bool gut = zeilen(&d);
    if (bdclose(&d) < 0) gut = false;
    return gut ? 0 : ERROR;
}

int ElsSchreiben(int id, const char* datei)
{
    ElsSlot& s = elsSlot(id);
    return ElsDateiSchreiben(datei, elsKurz[&s - elsSlots], [&s](BDAT* d) {
        std::memset(s.arbeit, 0, static_cast<size_t>(s.groesse));
        const char* vorher = "";
        bool gut = true;
        for (int i = 0; i < saanzahl(&s.saetze); ++i) {
            const ElsKopf* k = elsKopf(s, i);
            char zeile[2 * ELSZEILESUP + 1];
            if (strvgl(k->name, vorher) != 0) {
                std::snprintf(zeile, sizeof zeile, ")S %.40s", k->name);
                if (bdputsmodus(d, zeile, 1) < 0) gut = false;
            }
            zeile[0] = '\0';
            if (s.format) s.format(k, zeile, static_cast<int>(sizeof zeile));
            zeile[sizeof zeile - 1] = '\0';
            if (bdputsmodus(d, zeile, 1) < 0) gut = false;
            vorher = k->name;
        }
        return gut;
    });
}

void ElsBefehl(int id, int befehl)
{
    ElsSlot& s = elsSlot(id);
    if (befehl != 2552 && befehl != 2553 && befehl != 2564 && (befehl < 2556 || befehl > 2559)) s.geaendert = true;
    const ElsSatzBefehle satz{[&](bool darunter) { elsNeu(s, darunter); }, [&] { elsLoeschen(s); },
                              [&] { return elsKopieren(s); }, [&] { elsEinfuegen(s); }};
    if (ElsSatzBefehl(befehl, satz)) return;
    switch (befehl) {
    case 2560: elsNeueSeite(s, false); break;
    case 2561: elsSeitenLoeschen(s); break;
    case 2562: elsNeueSeite(s, true); break;
    case 2563:
        elsNeueSeite(s, true);
        PostMessage(wiDlgFenster(), WM_COMMAND, 2564, 0);
        break;
    case 2564: {
        int r = LisAkt(ELSSEITENLISTE);
        if (r >= 0) elsUmbenennen(s, r);
        break;
    }
    default: break;
    }
}

void ElsFreigeben(int id)
{
    ElsSlot& s = elsSlot(id);
    if (LisVorhanden(ELSSEITENLISTE)) LisFreigeben(ELSSEITENLISTE);
    if (LisVorhanden(id)) LisFreigeben(id);
    safrei(&s.saetze);
    safrei(&s.seiten);
    ffree(s.arbeit);
    std::memset(&s, 0, sizeof s);
    elsKurz[&s - elsSlots].clear();
}

int ElsGeaendert(int id) { return elsSlot(id).geaendert ? 1 : 0; }
void ElsGeaendertSetzen(int id, int flag) { elsSlot(id).geaendert = flag != 0; }
int ElsAnzahl(int id) { return saanzahl(&elsSlot(id).saetze); }
int ElsSeiteAnzahl(int id) { return elsSlot(id).anzahl; }
void* ElsSatz(int id, int i) { return saadr(&elsSlot(id).saetze, i); }

void* ElsSeiteSatz(int id, int i)
{
    ElsSlot& s = elsSlot(id);
    if (i < 0 || i >= s.anzahl) return nullptr;
    return saadr(&s.saetze, s.erster + i);
}

SARR* ElsSatzFeld(int id) { return &elsSlot(id).saetze; }
int ElsSeitenAnzahl(int id) { return saanzahl(&elsSlot(id).seiten); }

void ElsSchriftIds(int n, ...)
{
    HWND dlg = wiDlgFenster();
    va_list args;
    va_start(args, n);
    for (;;) {
        int id = va_arg(args, int);
        if (id < 1000 || id > 5999) break;
        HWND h = GetDlgItem(dlg, id);
        if (h) SendMessage(h, WM_SETFONT, static_cast<WPARAM>(ctlSchrift(n)), TRUE);
    }
    va_end(args);
}
