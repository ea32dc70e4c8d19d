// Short texts of drawings by language: export, import and their dialogs
// (see zeitxt.h). Prefix `ZeiTxt`. Calls support, config, model, equipment,
// winlib and the drawing list.
#include "project/zeitxt.h"

#include <fcntl.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/fstx.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "support/bdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"

namespace {

constexpr int ZEITXTTEXTSUP = FSTXTEXTSUP;   // widest text a line carries

// The whole import file, every read checked: a read that fails part way
// would look like the end of the file to a line reader. Files past 2 GB
// are refused.
bool zeiTxtDateiLesen(const char* pfad, std::string* inhalt)
{
    const int fd = plDsOeffnen(pfad, O_RDONLY);
    if (fd < 0) return false;
    bool ok = true;
    char b[4096];
    for (;;) {
        const ssize_t n = plDsLesen(fd, b, sizeof b);
        if (n < 0 || inhalt->size() > 0x7FFFFFF0u) {
            ok = false;
            break;
        }
        if (n == 0) break;
        inhalt->append(b, static_cast<size_t>(n));
    }
    if (plDsSchliessen(fd) != 0) ok = false;
    return ok;
}

void zeiTxtWarnung(int nr, const char* pfad)
{
    char text[WIDATEISUP + 100];
    if (pfad != nullptr) {
        std::snprintf(text, sizeof text, TextNr(nr), pfad);
        konfHaken().warnung(text);
    } else {
        konfHaken().warnung(TextNr(nr));
    }
}

// One line of the file, taken apart.
struct ZeiTxtZeile {
    char name[PVWNAMESUP + 1];
    int nr;
    char text[ZEITXTTEXTSUP + 1];
};

bool zeiTxtWeiss(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Name, number and text; false for a line that names no drawing of the
// project folder or no line number 0..4 (such a line touches nothing).
bool zeiTxtZerlegen(const char* zeile, ZeiTxtZeile* z)
{
    const char* p = zeile;
    while (zeiTxtWeiss(*p)) ++p;
    const char* a = p;
    size_t nl = 0;
    if (*p == '"') {
        // A name with blanks is written quoted.
        a = ++p;
        while (*p && *p != '"') ++p;
        if (*p != '"') return false;
        nl = static_cast<size_t>(p - a);
        ++p;
        if (*p && !zeiTxtWeiss(*p)) return false;
    } else {
        while (*p && !zeiTxtWeiss(*p)) ++p;
        nl = static_cast<size_t>(p - a);
    }
    if (nl == 0 || nl > static_cast<size_t>(PVWNAMESUP)) return false;
    std::memcpy(z->name, a, nl);
    z->name[nl] = '\0';
    // A folder part would reach files outside the project.
    if (std::strpbrk(z->name, "/\\:") != nullptr || !ZeiIstZeichnung(z->name)) return false;
    while (zeiTxtWeiss(*p)) ++p;
    a = p;
    while (*p && !zeiTxtWeiss(*p)) ++p;
    auto [ende, fehler] = std::from_chars(a, p, z->nr);
    if (a == p || fehler != std::errc() || ende != p || z->nr < 0 || z->nr > 4) return false;
    while (zeiTxtWeiss(*p)) ++p;
    size_t tl = std::strlen(p);
    while (tl > 0 && zeiTxtWeiss(p[tl - 1])) --tl;
    strkopie(z->text, sizeof z->text, p, static_cast<int>(tl));
    return true;
}

bool zeiTxtNehmen(int modus, const char* alt, const char* neu)
{
    bool anders = std::strcmp(alt, neu) != 0;
    switch (modus) {
    case ZEITXT_ERGAENZEN: return !alt[0] && neu[0] && anders;
    case ZEITXT_UEBERSCHREIBEN: return neu[0] && anders;
    case ZEITXT_AUCH_LEER: return anders;
    default: return false;
    }
}

}  // namespace

int ZeiTxtExportieren(int sprache, const char* datei)
{
    char pfad[WIDATEISUP + 1];
    PfadProjekt(pfad, sizeof pfad, datei != nullptr ? datei : "");
    if (dateiexist(pfad) && !wiFrageLoeschen(TextNr(107))) return 0;
    BDAT d;
    if (bdmake(&d, pfad) < 0) {
        zeiTxtWarnung(243, pfad);
        return -1;
    }
    wiLangStart(TextNr(78));
    bool ok = true;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        char name[PVWNAMESUP + 1];
        if (!PvwZeiName(i, name)) continue;
        ZeiKopf k;
        // An unreadable drawing would be exported with empty texts: the
        // run fails and the old file stays.
        if (ZeiKopfLesen(name, &k) != 0) {
            char p[ZEIPFADSUP + 1];
            PfadProjekt(p, sizeof p, name);
            zeiTxtWarnung(250, p);
            d.fehler = 1;
            ok = false;
            break;
        }
        for (int n = 0; n < 5; ++n) {
            char t[FSTXTEXTSUP + 1];
            FstxTitelTextSprache(name, n, sprache, t);
            char zeile[PVWNAMESUP + FSTXTEXTSUP + 32];
            // A name with blanks is quoted so that it reads back whole.
            const bool quote = std::strpbrk(name, " \t") != nullptr;
            const std::string feld = quote ? "\"" + std::string(name) + "\"" : std::string(name);
            std::snprintf(zeile, sizeof zeile, "%-23s %-3d %s", feld.c_str(), n, t[0] ? t : k.titel[n]);
            if (bdputsmodus(&d, zeile, 0) != 0) ok = false;
        }
    }
    const bool gelesen = ok;
    if (bdclose(&d) != 0) ok = false;
    wiLangEnde();
    if (!ok && gelesen) zeiTxtWarnung(243, pfad);
    return ok ? 1 : -1;
}

int ZeiTxtImportieren(int sprache, const char* datei, int modus)
{
    char pfad[WIDATEISUP + 1];
    PfadProjekt(pfad, sizeof pfad, datei != nullptr ? datei : "");
    std::string inhalt;
    if (!zeiTxtDateiLesen(pfad, &inhalt)) {
        zeiTxtWarnung(108, nullptr);
        return -1;
    }
    BDAT d;
    bdopenram(&d, inhalt.data(), static_cast<int32_t>(inhalt.size()));
    wiLangStart(TextNr(78));
    int genommen = 0;
    bool koepfe = false, fehler = false;
    char zeile[ZEITXTZEILESUP + 1];
    while (bdgets(&d, zeile, ZEITXTZEILESUP) >= 0) {
        ZeiTxtZeile z;
        if (!zeiTxtZerlegen(zeile, &z)) continue;
        if (sprache == 0) {
            ZeiKopf k;
            // A line of an unknown drawing is passed over; a drawing that
            // is there but cannot be read is passed over and said, so that
            // no empty header takes the place of the unread one.
            if (ZeiKopfLesen(z.name, &k) != 0) {
                char p[ZEIPFADSUP + 1];
                PfadProjekt(p, sizeof p, z.name);
                if (dateiexist(p)) {
                    zeiTxtWarnung(250, p);
                    fehler = true;
                }
                continue;
            }
            z.text[ZEITITELSUP] = '\0';   // the header's field width
            if (!zeiTxtNehmen(modus, k.titel[z.nr], z.text)) continue;
            strkopie(k.titel[z.nr], z.text, ZEITITELSUP);
            if (ZeiKopfSchreiben(z.name, &k) != 1) {
                char p[ZEIPFADSUP + 1];
                PfadProjekt(p, sizeof p, z.name);
                zeiTxtWarnung(243, p);
                fehler = true;
                continue;
            }
            // The base language has no stored translation to drop.
            koepfe = true;
        } else {
            char alt[FSTXTEXTSUP + 1];
            FstxTitelTextSprache(z.name, z.nr, sprache, alt);
            if (!zeiTxtNehmen(modus, alt, z.text)) continue;
            if (FstxTitelSetzenSprache(z.name, z.nr, sprache, z.text) != 0) {
                fehler = true;
                continue;
            }
        }
        ++genommen;
    }
    bdclose(&d);
    if (genommen > 0) {
        if (FstxBeenden(1) != 0) {
            char p[WIDATEISUP + 1];
            PfadProjekt(p, sizeof p, "Texte.zvk");
            zeiTxtWarnung(243, p);
            fehler = true;
        }
        DatAenderungMelden();
        wiSeiteVerteilen(2998, koepfe ? 9 : 2);
    }
    wiLangEnde();
    return fehler ? -1 : genommen;
}

// ---- The two dialogs ----------------------------------------------------------------------------
namespace {

struct ZeiTxtDlg {
    std::vector<int> sprachen;   // language number of each combo entry
};
ZeiTxtDlg zeiTxtDlg;

// The first ten lines of "Sprache.txt"; the line's place is its language
// number, so a blank line that is not offered shifts no other language.
void zeiTxtSprachen()
{
    wiComboLeeren(3100);
    zeiTxtDlg.sprachen.clear();
    std::vector<SprZeile> zeilen;
    std::string pfad;
    // Read short: no languages, so the current one is taken.
    if (SprDateiLesen(&zeilen, &pfad) == -2) zeiTxtWarnung(250, pfad.c_str());
    for (size_t n = 0; n < zeilen.size() && n < static_cast<size_t>(ZEITXTSPRSUP); ++n) {
        char zeile[SPRZEILESUP + 1];
        strkopie(zeile, sizeof zeile, zeilen[n].text.c_str(), SPRZEILESUP);
        strtrim(zeile);
        if (!zeile[0]) continue;
        wiComboAnhaengen(3100, zeile);
        zeiTxtDlg.sprachen.push_back(static_cast<int>(n));
    }
    for (size_t i = 0; i < zeiTxtDlg.sprachen.size(); ++i) {
        if (zeiTxtDlg.sprachen[i] == SprNummer()) wiComboWahlSetzen(3100, static_cast<int>(i));
    }
}

int zeiTxtSprache()
{
    int i = wiComboWahl(3100);
    if (i >= 0 && i < static_cast<int>(zeiTxtDlg.sprachen.size())) return zeiTxtDlg.sprachen[static_cast<size_t>(i)];
    return SprNummer();
}

void zeiTxtFeld(const char* schluessel)
{
    char datei[ZEITXTDATEISUP + 1];
    VgbOeffnen();
    VgbText(schluessel, datei, ZEITXTDATEISUP);
    VgbSchliessen();
    wiTextSetzen(3110, datei);
}

void zeiTxtWahl(int titel, bool speichern)
{
    char pfad[WIDATEISUP + 1];
    wiTextHolen(3110, pfad, WIDATEISUP);
    int ok = speichern ? wiDateiSpeichern(pfad, TextNr(titel), TextNr(60)) : wiDateiWahl(pfad, TextNr(titel), TextNr(60));
    if (ok) wiTextSetzen(3110, pfad);
}

int zeiTxtExpInit(int, const char* const*)
{
    zeiTxtFeld("SprZeiTxExp");
    zeiTxtSprachen();
    return 0;
}

int zeiTxtImpInit(int, const char* const*)
{
    zeiTxtFeld("SprZeiTxImp");
    zeiTxtSprachen();
    VgbOeffnen();
    int modus = VgbInt("SprZeiTxFun");
    VgbSchliessen();
    wiRadioSetzen(3120, modus >= 0 && modus <= 3 ? modus : 0, 4);
    return 0;
}

int zeiTxtExit() { return 0; }

int zeiTxtExpBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2511: zeiTxtWahl(76, true); break;
    case 1:
    case 2500:
        if (wiFrage(TextNr(79))) {
            char datei[WIDATEISUP + 1];
            wiTextHolen(3110, datei, WIDATEISUP);
            int sprache = zeiTxtSprache();
            wiDlgSchliessen();
            ZeiTxtExportieren(sprache, datei);
        }
        break;
    case 2:
    case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

int zeiTxtImpBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2511: zeiTxtWahl(105, false); break;
    case 1:
    case 2500:
        if (wiFrage(TextNr(106))) {
            char datei[WIDATEISUP + 1];
            wiTextHolen(3110, datei, WIDATEISUP);
            int sprache = zeiTxtSprache();
            int modus = wiRadio(3120, 4);
            wiDlgSchliessen();
            ZeiTxtImportieren(sprache, datei, modus);
        }
        break;
    case 2:
    case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void ZeiTxtExpOeffnen() { wiDlgOeffnen("ZeiTxtExp", zeiTxtExpInit, zeiTxtExit, zeiTxtExpBefehl); }
void ZeiTxtImpOeffnen() { wiDlgOeffnen("ZeiTxtImp", zeiTxtImpInit, zeiTxtExit, zeiTxtImpBefehl); }

void PvwKurztexteExport() { ZeiTxtExpOeffnen(); }
void PvwKurztexteImport() { ZeiTxtImpOeffnen(); }
