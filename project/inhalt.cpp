// Table of contents, subtitle list and HTML index page (see inhalt.h).
// Prefixes `Iv`, `Html`, `Pvw`; file-static helpers `iv`, `html`.
//
// Page numbering of both text files: a line counter starts at 0; a line at
// a multiple of the lines per page carries the page number "%-3d" (the last
// page remembered), every other line three blanks. Lines end with CR LF.
#include "project/inhalt.h"

#include <charconv>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/fstx.h"
#include "equipment/utitel.h"
#include "model/zeichnun.h"
#include "platform/cp1252.h"
#include "project/pvwliste.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/sortier.h"
#include "support/texte.h"

namespace {

struct IvEinst {
    // Table of contents.
    IvSpalte blatt, text, text2, index, datum, utitel, anlage, ort, pdf, pdtm;
    IvSpalte kurz[IVKURZTEXTE];
    IvSpalte kenn[2];
    int seiten, zeilen, nurnum, lzvt, lznt, anlnurttl, ortnurttl;
    // Subtitle list.
    char utdatnam[IVUTDATNAMSUP + 1];
    int utseiten, utzeilen;
    IvSpalte utsei, utttl, utanl, utort;
    IvSpalte utkenn[2];
    IvSpalte uttext[IVKURZTEXTE];
};

IvEinst iv{};
bool ivGelesen = false;

// A writer with page numbering over one buffered file.
struct IvSchreiber {
    BDAT d;
    int zeile = 0;       // lines counted so far
    int letzte = 0;      // last page whose number was written
    int proSeite = 1;    // lines per page, at least 1
    bool fehler = false; // a write failed; the close then drops the file
};

void ivSchreiben(IvSchreiber& w, const std::string& zeile)
{
    if (bdputsmodus(&w.d, zeile.c_str(), 1) != 0) w.fehler = true;
}

bool ivSeitenAnfang(const IvSchreiber& w) { return w.zeile % w.proSeite == 0; }

// "%-3d" and the number of the page that starts here.
std::string ivSeitenNummer(int seite, const char* format)
{
    char nr[24];
    std::snprintf(nr, sizeof nr, format, seite);
    return nr;
}

void ivNummeriert(IvSchreiber& w, const char* text)
{
    std::string z;
    if (ivSeitenAnfang(w)) {
        w.letzte = w.zeile / w.proSeite + 1;
        z = ivSeitenNummer(w.letzte, "%-3d");
    } else {
        z = "   ";
    }
    ivSchreiben(w, z + text);
    ++w.zeile;
}

// A heading keeps at least four lines together: with fewer left on the page
// it starts the next one. A page that has only just begun is not skipped
// (with fewer than four lines per page that would leave empty pages).
void ivSeiteFreihalten(IvSchreiber& w)
{
    const int rest = w.proSeite - w.zeile % w.proSeite;
    if (!ivSeitenAnfang(w) && rest < 4) w.zeile += rest;
}

void ivEintragSchreiben(IvSchreiber& w, IvPuffer b)
{
    IvPufferAbschliessen(b);
    ivNummeriert(w, b[0]);
    if (b[1][0]) ivNummeriert(w, b[1]);
    if (b[2][0]) ivNummeriert(w, b[2]);
}

void ivRestSeiten(IvSchreiber& w, int bis, const char* format)
{
    for (int s = w.letzte + 1; s <= bis; ++s) ivSchreiben(w, ivSeitenNummer(s, format));
}

int ivSchliessen(IvSchreiber& w)
{
    const int r = bdclose(&w.d);
    return r != 0 || w.fehler ? ERROR : 0;
}

// Words of a column text: up to three numbers; a non-numeric word reads 0.
int ivWorte(const char* text, int zahlen[3])
{
    zahlen[0] = zahlen[1] = zahlen[2] = 0;
    int n = 0;
    const char* p = text;
    while (*p && n < 3) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        const char* ende = p;
        while (*ende && *ende != ' ' && *ende != '\t') ++ende;
        int wert = 0;
        if (std::from_chars(*p == '+' ? p + 1 : p, ende, wert).ec != std::errc{}) wert = 0;
        zahlen[n++] = wert;
        p = ende;
    }
    return n;
}

// Line 0 becomes line 1 starting where the column before it ends.
void ivVerketten(IvSpalte& s, const IvSpalte* vorher)
{
    if (s.zeile != 0) return;
    s.zeile = 1;
    s.start = vorher != nullptr ? vorher->start + vorher->breite : 0;
}

// The project folder's path of a file; false when no folder is set.
bool ivPfad(const char* name, std::string& pfad)
{
    const char* ordner = VerZeiger(1);
    if (ordner == nullptr || strleer(ordner)) return false;
    pfad = ordner;
    if (pfad.back() != '/' && pfad.back() != '\\') pfad += '/';
    pfad += name;
    return true;
}

// Number order with headings for the time of a write, and back.
bool ivNummernfolge()
{
    if (PvwSortModus() == PVW_SORT_NUMMER) return false;
    shellsort(PvwEintragAdr(0), PvwAnzahl(), sizeof(PvwEintrag), PvwNrVergleich);
    PvwUntertitelEinfuegen();
    return true;
}

void ivZurueck(bool umsortiert)
{
    if (!umsortiert) return;
    PvwUntertitelEntfernen();
    shellsort(PvwEintragAdr(0), PvwAnzahl(), sizeof(PvwEintrag), PvwVergleich);
}

void ivDatum(const DATZEIT& z, char (&text)[16]) { dattext(text, &z.datum); }

struct IvAktuell {
    char anlage[PVWUTTEXTSUP + 1] = "";
    char ort[PVWUTTEXTSUP + 1] = "";
    char kenn[2][PVWUTTEXTSUP + 1] = {"", ""};
};

void ivZeichnung(IvSchreiber& w, const PvwEintrag& e, const IvAktuell& akt)
{
    IvPuffer b;
    IvPufferLeeren(b);
    char ext[PVWNAMESUP + 1];
    if (iv.nurnum) ZeiExtHolen(e.name, ext);
    IvSpalteSetzen(b, iv.nurnum ? ext : e.name, iv.blatt);
    IvSpalteSetzen(b, e.kopf.kurz, iv.index);
    char datum[16];
    ivDatum(e.zeit, datum);
    IvSpalteSetzen(b, datum, iv.datum);
    IvSpalteSetzen(b, e.titel0, iv.text);
    IvSpalteSetzen(b, e.titel1, iv.text2);
    if (!iv.anlnurttl) IvSpalteSetzen(b, akt.anlage, iv.anlage);
    if (!iv.ortnurttl) IvSpalteSetzen(b, akt.ort, iv.ort);
    for (int i = 0; i < IVKURZTEXTE; ++i) {
        char t[FSTXTEXTSUP + 1];
        FstxTitelText(e.name, i, t);
        IvSpalteSetzen(b, t[0] ? t : e.kopf.titel[i], iv.kurz[i]);
    }
    IvSpalteSetzen(b, e.kopf.text10[0] ? e.kopf.text10 : akt.kenn[0], iv.kenn[0]);
    IvSpalteSetzen(b, e.kopf.text11[0] ? e.kopf.text11 : akt.kenn[1], iv.kenn[1]);
    ivEintragSchreiben(w, b);
}

void ivUeberschrift(IvSchreiber& w, const PvwEintrag& e, IvAktuell& akt)
{
    ivSeiteFreihalten(w);
    if (!ivSeitenAnfang(w) && iv.lzvt) ivNummeriert(w, "|");
    IvPuffer b;
    IvPufferLeeren(b);
    IvSpalteSetzen(b, e.utitel, iv.utitel);
    IvSpalteSetzen(b, e.anlage, iv.anlage);
    IvSpalteSetzen(b, e.ort, iv.ort);
    IvSpalteSetzen(b, e.bauwerk, iv.kenn[0]);
    IvSpalteSetzen(b, e.objekt, iv.kenn[1]);
    ivEintragSchreiben(w, b);
    if (iv.lznt) ivNummeriert(w, "|");
    strkopie(akt.anlage, e.anlage, PVWUTTEXTSUP);
    strkopie(akt.ort, e.ort, PVWUTTEXTSUP);
    strkopie(akt.kenn[0], e.bauwerk, PVWUTTEXTSUP);
    strkopie(akt.kenn[1], e.objekt, PVWUTTEXTSUP);
}

// One line of the PDF pass: "PDF%-2d" at a page start, else five blanks.
void ivPdfZeile(IvSchreiber& w, const char* text)
{
    std::string z;
    if (ivSeitenAnfang(w)) {
        w.letzte = w.zeile / w.proSeite + 1;
        z = ivSeitenNummer(w.letzte, "PDF%-2d");
    } else {
        z = "     ";
    }
    ivSchreiben(w, z + text);
    ++w.zeile;
}

void ivPdfTeil(IvSchreiber& w)
{
    w.zeile = 0;
    w.letzte = 0;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        const PvwEintrag& e = *PvwEintragAdr(i);
        const bool kopf = e.art == PVW_UNTERTITEL && e.pdfTitel;
        if (!kopf && e.art != PVW_PDF) continue;
        IvPuffer b;
        IvPufferLeeren(b);
        if (kopf) {
            IvSpalteSetzen(b, e.utitel, iv.pdf);
        } else {
            IvSpalteSetzen(b, e.datei, iv.pdf);
            char datum[16];
            ivDatum(e.zeit, datum);
            IvSpalteSetzen(b, datum, iv.pdtm);
        }
        strrtrim(b[0]);
        ivPdfZeile(w, b[0]);
        if (kopf && iv.lznt) {
            // At a page start the separator carries the page number, so that
            // no page of the register loses it.
            if (ivSeitenAnfang(w)) {
                ivPdfZeile(w, "|");
            } else {
                ivSchreiben(w, "   |");
                ++w.zeile;
            }
        }
    }
    ivRestSeiten(w, iv.seiten, "PDF%-2d");
}

int ivInhaltDatei(const std::string& pfad)
{
    IvSchreiber w;
    if (bdmake(&w.d, pfad.c_str()) < 0) return ERROR;
    w.proSeite = iv.zeilen;
    IvAktuell akt;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        const PvwEintrag& e = *PvwEintragAdr(i);
        if (e.art == PVW_ZEICHNUNG)
            ivZeichnung(w, e, akt);
        else if (e.art == PVW_UNTERTITEL && !e.pdfTitel)
            ivUeberschrift(w, e, akt);
    }
    ivRestSeiten(w, iv.seiten, "%-3d");
    ivPdfTeil(w);
    return ivSchliessen(w);
}

int ivUntertitelDatei(const std::string& pfad)
{
    IvSchreiber w;
    if (bdmake(&w.d, pfad.c_str()) < 0) return ERROR;
    w.proSeite = iv.utzeilen;
    for (int i = 0; i + 1 < PvwAnzahl(); ++i) {
        const PvwEintrag& e = *PvwEintragAdr(i);
        if (e.art != PVW_UNTERTITEL || e.pdfTitel || PvwEintragAdr(i + 1)->art == PVW_UNTERTITEL) continue;
        ivSeiteFreihalten(w);
        IvPuffer b;
        IvPufferLeeren(b);
        IvSpalteSetzen(b, e.kenn, iv.utsei);
        IvSpalteSetzen(b, e.utitel, iv.utttl);
        IvSpalteSetzen(b, e.anlage, iv.utanl);
        IvSpalteSetzen(b, e.ort, iv.utort);
        IvSpalteSetzen(b, e.bauwerk, iv.utkenn[0]);
        IvSpalteSetzen(b, e.objekt, iv.utkenn[1]);
        for (int z = 0; z < IVKURZTEXTE; ++z) IvSpalteSetzen(b, e.zeilen[z], iv.uttext[z]);
        ivEintragSchreiben(w, b);
    }
    ivRestSeiten(w, iv.utseiten, "%-3d");
    return ivSchliessen(w);
}

// Writes the file of `name`, or deletes it when the list is empty; the list
// is in number order meanwhile and gets its order back on every path.
int ivDateiSchreiben(const char* name, int (*schreiben)(const std::string& pfad))
{
    std::string pfad;
    if (!ivPfad(name, pfad)) return 0;
    const bool umsortiert = ivNummernfolge();
    int r = 0;
    if (PvwAnzahl() == 0)
        dateiloeschen(pfad.c_str());
    else
        r = schreiben(pfad);
    ivZurueck(umsortiert);
    return r;
}

// ---- HTML index page ---------------------------------------------------------

struct HtmlIndex {
    BDAT d;
    bool offen = false;
    bool tabelle = false;
    bool fehler = false;
    char kenn[UTKENNSUP + 1] = "";  // key of the current subtitle
};

HtmlIndex html;

// Texts of the page are escaped: the system's texts may hold <, >, & and
// quotes.
std::string htmlText(const char* t)
{
    std::string s;
    for (; *t; ++t) {
        switch (*t) {
        case '&': s += "&amp;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        case '"': s += "&quot;"; break;
        case '\'': s += "&#39;"; break;
        default: s += *t; break;
        }
    }
    return s;
}

void htmlZeile(const std::string& z)
{
    if (bdputsmodus(&html.d, z.c_str(), 0) != 0) html.fehler = true;
}

// A link to a file name: the name's UTF-8 form with every byte outside the
// unreserved characters percent-encoded, so '#', '%', '?' and blanks stay
// part of the name.
std::string htmlHref(const char* name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : plCpNachUtf8(name)) {
        if (std::isalnum(c) && c < 0x80) s += static_cast<char>(c);
        else if (c == '-' || c == '.' || c == '_' || c == '~') s += static_cast<char>(c);
        else s += {'%', hex[c >> 4], hex[c & 15]};
    }
    return s;
}

const char* htmlOhneOrdner(const char* pfad)
{
    const char* p = pfad;
    for (const char* q = pfad; *q; ++q)
        if (*q == '/' || *q == '\\') p = q + 1;
    return p;
}

}  // namespace

// ---- settings and columns ----------------------------------------------------

IvSpalte IvSpalteLesen(const char* schluessel, bool zweiteZeile)
{
    char text[VGBWERTSUP + 1];
    VgbText(schluessel, text, VGBWERTSUP);
    int z[3];
    const int n = ivWorte(text, z);
    if (n >= 3) return {z[0], z[1], z[2]};
    if (zweiteZeile) return {2, z[0], z[1]};
    if (n == 2) return {1, z[0], z[1]};
    return {0, 0, z[0]};
}

void IvPufferLeeren(IvPuffer b)
{
    for (int i = 0; i < 3; ++i) {
        std::memset(b[i], ' ', IVPUFFERSUP);
        b[i][IVPUFFERSUP] = '\0';
    }
}

void IvSpalteSetzen(IvPuffer b, const char* text, int breite, int start, int zeile)
{
    if (breite <= 0) return;
    const int n = breite < IVTEXTSUP ? breite : IVTEXTSUP;
    char* ziel = b[zeile == 1 ? 0 : zeile == 2 ? 1 : 2];
    const size_t laenge = text != nullptr ? std::strlen(text) : 0;
    for (int i = 0; i < n; ++i) {
        const long spalte = static_cast<long>(start) + i;
        if (spalte < 0) continue;
        if (spalte >= IVPUFFERSUP) break;
        const char c = static_cast<size_t>(i) < laenge ? text[i] : ' ';
        if (ziel[spalte] == ' ') ziel[spalte] = c;
    }
}

void IvPufferAbschliessen(IvPuffer b)
{
    if (b[0][0] == ' ') b[0][0] = '|';
    for (int i = 1; i < 3; ++i)
        if (!strleer(b[i])) b[i][0] = '|';
    for (int i = 0; i < 3; ++i) strrtrim(b[i]);
}

void IvEinstellungenLesen()
{
    VgbOeffnen();
    iv.blatt = IvSpalteLesen("IVspablatt");
    iv.text = IvSpalteLesen("IVspatext");
    iv.text2 = IvSpalteLesen("IVspatext2");
    iv.index = IvSpalteLesen("IVspaindex");
    iv.datum = IvSpalteLesen("IVspadatum");
    iv.utitel = IvSpalteLesen("IVspautitel");
    iv.anlage = IvSpalteLesen("IVspaanlage");
    iv.ort = IvSpalteLesen("IVspaort");
    iv.pdf = IvSpalteLesen("IVspaPDF");
    iv.pdtm = IvSpalteLesen("IVspapdtm");
    ivVerketten(iv.blatt, nullptr);
    ivVerketten(iv.text, &iv.blatt);
    ivVerketten(iv.utitel, &iv.blatt);
    ivVerketten(iv.text2, &iv.text);
    ivVerketten(iv.anlage, &iv.text2);
    ivVerketten(iv.ort, &iv.anlage);
    ivVerketten(iv.index, &iv.ort);
    ivVerketten(iv.datum, &iv.index);
    ivVerketten(iv.pdtm, nullptr);
    ivVerketten(iv.pdf, &iv.pdtm);

    iv.seiten = VgbInt("IVseiten");
    iv.zeilen = VgbInt("IVzeilen");
    iv.nurnum = VgbInt("IVnurnum");
    iv.lzvt = VgbInt("IVlzvt");
    iv.lznt = VgbInt("IVlznt");
    iv.anlnurttl = VgbInt("IVanlnurttl");
    iv.ortnurttl = VgbInt("IVortnurttl");
    char schluessel[VGBSCHLUESSELSUP + 8];
    for (int i = 0; i < IVKURZTEXTE; ++i) {
        std::snprintf(schluessel, sizeof schluessel, "IV2txt%d", i);
        iv.kurz[i] = IvSpalteLesen(schluessel, true);
        std::snprintf(schluessel, sizeof schluessel, "IVUTtext%d", i);
        iv.uttext[i] = IvSpalteLesen(schluessel, true);
    }
    for (int i = 0; i < 2; ++i) {
        std::snprintf(schluessel, sizeof schluessel, "IVkenn%d", i);
        iv.kenn[i] = IvSpalteLesen(schluessel, true);
        std::snprintf(schluessel, sizeof schluessel, "IVUTkenn%d", i);
        iv.utkenn[i] = IvSpalteLesen(schluessel, true);
    }

    VgbText("IVUTdatnam", iv.utdatnam, IVUTDATNAMSUP);
    strtrim(iv.utdatnam);
    iv.utseiten = VgbInt("IVUTseiten");
    iv.utzeilen = VgbInt("IVUTzeilen");
    iv.utsei = IvSpalteLesen("IVUTspasei");
    iv.utttl = IvSpalteLesen("IVUTspattl");
    iv.utanl = IvSpalteLesen("IVUTspaanl");
    iv.utort = IvSpalteLesen("IVUTspaort");
    VgbSchliessen();
    // A page holds at least one line; 0 or less would divide by zero.
    if (iv.zeilen < 1) iv.zeilen = 1;
    if (iv.utzeilen < 1) iv.utzeilen = 1;
    ivGelesen = true;
}

void PvwInhaltEinstLesen() { IvEinstellungenLesen(); }

void IvEinstellungenVergessen()
{
    iv = IvEinst{};
    ivGelesen = false;
}

// ---- the two text files ------------------------------------------------------

int PvwInhaltSchreiben()
{
    if (!ivGelesen) IvEinstellungenLesen();
    return ivDateiSchreiben("Inhalt.txt", ivInhaltDatei);
}

int PvwUntertitelSchreiben()
{
    if (!ivGelesen) IvEinstellungenLesen();
    if (strleer(iv.utdatnam) || iv.utseiten == 0) return 0;
    return ivDateiSchreiben(iv.utdatnam, ivUntertitelDatei);
}

// ---- HTML index page ---------------------------------------------------------

int HtmlIndexBeginnen(const char* ordner)
{
    if (html.offen) HtmlIndexBeenden();
    if (ordner == nullptr || strleer(ordner)) return ERROR;
    std::string pfad = ordner;
    if (pfad.back() != '/' && pfad.back() != '\\') pfad += '/';
    pfad += "Inhalt.html";
    html = HtmlIndex{};
    if (bdmake(&html.d, pfad.c_str()) < 0) return ERROR;
    html.offen = true;

    projekttext t;
    UtitelProjektText(&t);
    htmlZeile("<html>");
    htmlZeile("<head><title>Velmo</title></head>");
    htmlZeile("<body>");
    htmlZeile("<h1>");
    htmlZeile(htmlText(t.titel) + (t.anlage[0] || t.ort[0] ? "<br>" : ""));
    if (t.anlage[0]) htmlZeile(htmlText(t.anlage) + (t.ort[0] ? "<br>" : ""));
    if (t.ort[0]) htmlZeile(htmlText(t.ort));
    htmlZeile("</h1>");
    char heute[16];
    dattextheute(heute, sizeof heute);
    htmlZeile(std::string(heute) + "<p>");
    return html.fehler ? ERROR : 0;
}

int HtmlIndexZeile(const char* zeichnung, const char* datei)
{
    if (!html.offen || zeichnung == nullptr || datei == nullptr) return ERROR;
    projekttext t;
    UtitelPfadText(zeichnung, &t);
    if (t.kenn[0] && std::strcmp(t.kenn, html.kenn) != 0) {
        if (html.tabelle) htmlZeile("</table>");
        htmlZeile("<h2>");
        htmlZeile(htmlText(t.titel));
        htmlZeile(htmlText(t.anlage));
        htmlZeile(htmlText(t.ort));
        htmlZeile("</h2>");
        strkopie(html.kenn, t.kenn, UTKENNSUP);
        html.tabelle = false;
    }
    if (!html.tabelle) {
        htmlZeile("<table>");
        html.tabelle = true;
    }
    ZeiKopf kopf;
    if (ZeiKopfLesen(zeichnung, &kopf) != 0) std::memset(&kopf, 0, sizeof kopf);
    const char* name = htmlOhneOrdner(datei);
    htmlZeile("<tr>");
    htmlZeile("  <td><a href=\"" + htmlHref(name) + "\">" + htmlText(name) + "</a>&nbsp;&nbsp;</td>");
    htmlZeile("  <td>" + htmlText(kopf.titel[0]) + " &nbsp;&nbsp;</td>");
    htmlZeile("  <td>" + htmlText(kopf.titel[1]) + "</td>");
    htmlZeile("</tr>");
    return html.fehler ? ERROR : 0;
}

int HtmlIndexBeenden()
{
    if (!html.offen) return ERROR;
    if (html.tabelle) htmlZeile("</table>");
    htmlZeile("</body>");
    htmlZeile("</html>");
    const int r = bdclose(&html.d);
    const bool fehler = html.fehler || r != 0;
    html = HtmlIndex{};
    return fehler ? ERROR : 0;
}
