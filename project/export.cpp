// Batch export (see export.h). One run at a time: `ex` holds the export
// folder, the generated PDF's path and the pictures left out from the start
// of a run to the start of the next.
#include "project/export.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "config/reaktion.h"
#include "config/apstil.h"
#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/elseite.h"
#include "equipment/bm.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfkonf.h"
#include "output/pdfexport.h"
#include "output/plotdriv.h"
#include "output/svg.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/metafile.h"
#include "platform/nachricht.h"
#include "platform/rasterbib.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/pvwliste.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int EX_ANZAHL = 3000, EX_ORDNER = 3010, EX_NAME = 3020, EX_ART = 3030;
constexpr int EX_HTML = 3050, EX_HINWEIS = 3051, EX_OEFFNEN = 3052;

const ExportArtDaten exArten[] = {
    {"DxfDatei", "DxfOrdner", ".dxf", true, "DXFExp"},  {"PdfDatei", "PdfOrdner", ".pdf", false, "PDFExp"},
    {"PlDatei", "PlOrdner", ".hpgl", true, "HPGLExp"},  {"TxtDatei", "TxtOrdner", ".txt", true, "TXTExp"},
    {"SvgDatei", "SvgOrdner", ".svg", true, "SVGExp"},  {"TxtDatei", "TxtOrdner", ".dump", true, "TXTExp"},
};

// The combo's entries in list order; one beginning with '#' is left out.
const char* const exEintraege[] = {"PDF         1", "DXF         0", "HPGL        2",
                                   "TXT         3", "SVG         4", "DUMP        5"};

struct ExportLauf {
    std::string ordner;   // with a separator at the end
    std::string pdf;      // the generated PDF
    std::string bildFehlt;
    int bildAnzahl = 0;
    HWND fenster = 0;
    std::vector<std::string> combo;    // the entries listed
    std::vector<std::string> anzeige;  // their words as drawn
    int fehler = 0;                    // files of the last run not written
};

ExportLauf ex;

int exSchreiben(int art, const char* zeichnung, const char* ausgabe)
{
    // The text export is the drawing file's own text form.
    const auto ZeiTextExport = ZeiAlsText;
    switch (art) {
    case EXPORT_DXF: return DxfExport(ausgabe, zeichnung, zeichnung);
    case EXPORT_HPGL: return HpglPlot(zeichnung, ausgabe);
    case EXPORT_TXT: return ZeiTextExport(zeichnung, ausgabe);
    case EXPORT_SVG: return SvgExport(zeichnung, ausgabe);
    case EXPORT_DUMP: return ZeiDump(zeichnung, ausgabe);
    default: return -1;
    }
}

ExportSchreiberFn exSchreiber = exSchreiben;

void exText(const char* schluessel)
{
    const char* t = DlgTextHolenFuer("Export", schluessel);
    wiMeldung("%s", t ? t : "");
}

bool exTrenner(char c) { return c == '/' || c == '\\'; }

std::string exMitTrenner(std::string o)
{
    if (!o.empty() && !exTrenner(o.back())) o += '/';
    return o;
}

std::string exFeld(int id)
{
    char t[EXPORTFELDSUP + 1] = "";
    wiTextHolen(id, t, EXPORTFELDSUP);
    return t;
}

// ---- pictures --------------------------------------------------------------------------------

// A metafile of either kind drawn into a white breite x hoehe image and
// saved as PNG: 0, or -1 (no file left).
int exEmfNachPng(const char* quelle, const char* ziel, int breite, int hoehe)
{
    HENHMETAFILE emf = GetEnhMetaFile(quelle);
    if (!emf) return -1;
    imgdes bild;
    int e = allocimage(&bild, breite, hoehe, 24);
    if (e == 0) {
        HDC dc = CreateCompatibleDC(0);
        HGDIOBJ alt = dc ? SelectObject(dc, bild.hBitmap) : 0;
        if (alt) {
            RECT r = {0, 0, breite, hoehe};
            FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            PlayEnhMetaFile(dc, emf, &r);
            GdiFlush();
            SelectObject(dc, alt);
        } else {
            e = -1;
        }
        if (dc) DeleteDC(dc);
        if (e == 0) e = savepng(ziel, &bild, 0);
        freeimage(&bild);
    }
    DeleteEnhMetaFile(emf);
    if (e != 0) dateiloeschen(ziel);
    return e == 0 ? 0 : -1;
}

std::string exEndungKlein(const char* name)
{
    const char* p = std::strrchr(name, '.');
    if (!p || std::strpbrk(p, "/\\")) return "";
    std::string e = p + 1;
    for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

}  // namespace

// ---- kinds and names ---------------------------------------------------------------------------

const ExportArtDaten* ExportArtTabelle(int art)
{
    if (art < 0 || art >= static_cast<int>(sizeof exArten / sizeof exArten[0])) return nullptr;
    return &exArten[art];
}

int ExportArtAusText(const char* eintrag)
{
    char t[81];
    strkopie(t, eintrag ? eintrag : "", 80);
    const char* p = t;
    while (*p == ' ') ++p;
    while (*p && *p != ' ') ++p;
    while (*p == ' ') ++p;
    if (*p < '0' || *p > '9') return -1;
    return std::atoi(p);
}

int ExportNameLaenge(const char* ordner, const char* name)
{
    if (std::strlen(ordner) + std::strlen(name) < static_cast<size_t>(EXPORTNAMEGRENZE)) return 0;
    exText("NamLang");
    return -1;
}

int ExportAusgabeName(const char* ordner, const char* name, std::string* pfad)
{
    std::string voll = std::string(ordner) + name;
    std::string endung;
    const size_t punkt = voll.rfind('.');
    const size_t trenner = voll.find_last_of("/\\");
    if (punkt != std::string::npos && (trenner == std::string::npos || punkt > trenner)) {
        endung = voll.substr(punkt + 1);
        voll.erase(punkt);
    }
    // Expanded in a buffer wide enough for every variable, so that a long
    // value is measured, not cut into another file's name.
    std::vector<char> t(voll.size() + 64 * static_cast<size_t>(TEXTVARWERTSUP) + 1);
    strkopie(t.data(), t.size(), voll.c_str(), static_cast<int>(t.size()) - 1);
    TextVarErsetzen(t.data(), t.size(), 0, 0);
    std::string r = t.data();
    if (!endung.empty()) r += "." + endung;
    if (r.size() > static_cast<size_t>(EXPORTPFADSUP)) {
        exText("NamLang");
        pfad->clear();
        return -1;
    }
    *pfad = r;
    return 0;
}

// ---- pictures ----------------------------------------------------------------------------------

int ExportBildListe(const BEF* b, const STT*)
{
    if (b->code != 69) return 0;
    ++ex.bildAnzahl;
    const std::string name = b->text;
    // ", ..." closes the list once: at a name that does not fit, or at the
    // fourth picture.
    const bool zu = ex.bildFehlt.size() >= 5 && ex.bildFehlt.compare(ex.bildFehlt.size() - 5, 5, ", ...") == 0;
    if (zu) return 0;
    if (ex.bildAnzahl == 1) {
        ex.bildFehlt = name.substr(0, EXPORTBILDLISTESUP);
    } else if (ex.bildAnzahl <= 3 && ex.bildFehlt.size() + 2 + name.size() <= static_cast<size_t>(EXPORTBILDLISTESUP)) {
        ex.bildFehlt += ", " + name;
    } else {
        ex.bildFehlt += ", ...";
    }
    return 0;
}

int ExportBildKopieren(const BEF* b, const STT* s)
{
    if (b->code != 69) return 0;
    char quelle[400] = "";
    if (b->iarg[0] != 0) {
        char bib[400] = "";
        BauPfad(s->bd, bib, sizeof bib);
        strkopie(quelle, (std::string(bib) + b->text).c_str(), static_cast<int>(sizeof quelle) - 1);
    } else {
        PfadProjekt(quelle, sizeof quelle, b->text);
    }
    if (!quelle[0] || !dateiexist(quelle)) return 0;
    std::string ziel = ex.ordner + (quelle + pfadlang(quelle));
    const std::string endung = exEndungKlein(b->text);
    const int breite = std::abs(static_cast<int>(b->darg[0] * 100 / 25.4));
    const int hoehe = std::abs(static_cast<int>(b->darg[1] * 100 / 25.4));
    const auto alsPng = [&ziel] { ziel = ziel.substr(0, ziel.rfind('.') + 1) + "png"; };
    if (endung == "wmf") {
        alsPng();
        int box[4] = {0, 0, 0, 0};
        HGLOBAL bits = wiMetaDateiLaden(quelle, box);
        if (!bits) return 0;
        HMETAFILE mf = wiMetaAusSpeicher(bits);
        if (mf) {
            MetaBildSpeichern(ziel.c_str(), mf, BILD_PNG, breite, hoehe);
            wiMetaLoeschen(mf);
        }
        wiGlobalFrei(bits);
    } else if (endung == "emf") {
        alsPng();
        exEmfNachPng(quelle, ziel.c_str(), breite, hoehe);
    } else if (endung == "bmp") {
        alsPng();
        BildBmpNachPng(quelle, ziel.c_str(), breite > hoehe ? breite : hoehe);
    } else if (endung == "png" || endung == "jpg") {
        dateikopieren(quelle, ziel.c_str());
    }
    return 0;
}

const char* ExportBildFehlt() { return ex.bildFehlt.c_str(); }
int ExportBildAnzahl() { return ex.bildAnzahl; }

void ExportSchreiberSetzen(ExportSchreiberFn fn) { exSchreiber = fn ? fn : exSchreiben; }

// ---- the runs ----------------------------------------------------------------------------------

int ExportDateien(int art, const char* ordner, const char* name, int html)
{
    if (!ExportArtTabelle(art) || art == EXPORT_PDF) return -1;
    ex.ordner = exMitTrenner(ordner);
    pfadanlegen(ex.ordner.c_str());
    wiLangStart(TextNr(232));
    ViEinstLesen(nullptr);
    GrundEinstLesen(nullptr);
    if (html) HtmlIndexBeginnen(ex.ordner.c_str());
    ex.bildFehlt.clear();
    ex.bildAnzahl = 0;
    bool dxfErste = true;
    int n = 0;
    ex.fehler = 0;
    for (int i = 0; i < PvwAnzahl() && wiLangPumpe(); ++i) {
        char zname[PVWNAMESUP + 1];
        if (!PvwMarkiert(i) || !PvwZeiName(i, zname)) continue;
        char zeichnung[MAX_PATH + 1];
        PfadBilden(1, zname, nullptr, zeichnung, sizeof zeichnung);
        STT s;
        SttInit(&s, nullptr);
        if (art == EXPORT_DXF || art == EXPORT_HPGL || art == EXPORT_TXT) ZeiDurchlaufen(zeichnung, &s, ExportBildListe);
        else if (art == EXPORT_SVG) ZeiDurchlaufen(zeichnung, &s, ExportBildKopieren);
        wiLangText(zname);
        ZeiAktSetzen(zeichnung);
        std::string ausgabe;
        if (ExportAusgabeName(ex.ordner.c_str(), name, &ausgabe) != 0) continue;
        if (html) HtmlIndexZeile(zeichnung, ausgabe.c_str());
        if (art == EXPORT_DXF && dxfErste) {
            DxfLogLoeschen(ausgabe.c_str());
            dxfErste = false;
        }
        // A writer's failure is counted, not reported as a file written.
        if (exSchreiber(art, zeichnung, ausgabe.c_str()) < 0) ++ex.fehler;
        else ++n;
    }
    if (html) HtmlIndexBeenden();
    wiLangEnde();
    if (!ex.bildFehlt.empty()) {
        char m[600];
        std::snprintf(m, sizeof m, TextNr(264), ex.bildFehlt.c_str());
        wiHinweis("%s", m);
    }
    return n;
}

int ExportPdf(const char* ordner, const char* name)
{
    ex.ordner = exMitTrenner(ordner);
    pfadanlegen(ex.ordner.c_str());
    ex.pdf.clear();
    std::string pfad;
    if (ExportAusgabeName(ex.ordner.c_str(), name, &pfad) != 0) return -1;
    if (dateiexist(pfad.c_str())) {
        char frage[600];
        std::snprintf(frage, sizeof frage, TextNr(170), pfadkurz(pfad.c_str()));
        if (wiFrageLoeschen(frage) != 1) return 1;
    }
    if (PdfExportStart(pfad.c_str()) != 1) {
        const char* t = DlgTextHolenFuer("Export", "StartError");
        char m[600];
        std::snprintf(m, sizeof m, t && t[0] ? t : "%s", pfad.c_str());
        wiMeldung("%s", m);
        return -1;
    }
    wiLangStart(TextNr(232));
    ex.pdf = pfad;
    ViEinstLesen(nullptr);
    GrundEinstLesen(nullptr);
    BMListenVerwerfen();
    bool weiter = true;
    for (int i = 0; i < PvwAnzahl() && (weiter = wiLangPumpe() != 0); ++i) {
        if (!PvwMarkiert(i)) continue;
        char ename[PVWNAMESUP + 1];
        const int art = PvwEintragName(i, ename);
        char text[PVWNAMESUP + 200];
        PvwEintragText(i, text);
        char voll[MAX_PATH + 1];
        PfadBilden(1, ename, nullptr, voll, sizeof voll);
        if (art == 1) {
            wiLangText(ename);
            PdfSeite(voll);
        } else if (art == 2 && exEndungKlein(ename) == "pdf") {
            wiLangText(ename);
            PdfAnhaengen(voll, text);
        }
    }
    int c = 0;
    for (int i = 0; weiter && i < PvwAnzahl() && wiLangPumpe(); ++i) {
        if (!PvwMarkiert(i)) continue;
        char ename[PVWNAMESUP + 1];
        const int art = PvwEintragName(i, ename);
        char text[PVWNAMESUP + 200];
        PvwEintragText(i, text);
        if (art == 0) {
            PdfGliederung(0, c + 1, text);
        } else if (art == 1) {
            ++c;
            wiLangText(ename);
            char endung[ZEIPFADSUP + 1] = "";
            ZeiExtHolen(ename, endung);
            PdfGliederung(1, c, (std::string(endung) + "  " + text).c_str());
        }
    }
    PdfExportEnde();
    wiLangEnde();
    return 0;
}

const char* ExportPdfPfad() { return ex.pdf.c_str(); }

// ---- the dialog --------------------------------------------------------------------------------

namespace {

// The row as the user sees it: the format's word; the kind number after it
// is only for the program.
const char* exComboText(int i)
{
    if (i < 0 || i >= static_cast<int>(ex.combo.size())) return "";
    return ex.anzeige[static_cast<size_t>(i)].c_str();
}

// The last kind and folder chosen, kept in the workstation's ini file so
// that the next export starts where this one went.
constexpr char EX_INI[] = "Export";

std::string exGemerkterOrdner(int art)
{
    char t[EXPORTFELDSUP + 1] = "";
    ProfilLesen(EX_INI, ("Ordner" + std::to_string(art)).c_str(), t, sizeof t);
    return t;
}

void exMerken(int art, const std::string& ordner)
{
    ProfilZahlSchreiben(EX_INI, "Art", art);
    ProfilSchreiben(EX_INI, ("Ordner" + std::to_string(art)).c_str(), ordner.c_str());
}

int exArt()
{
    char t[81] = "";
    wiComboWahlText(EX_ART, t, 80);
    return ExportArtAusText(t);
}

void ExportArtSetzen()
{
    const ExportArtDaten* d = ExportArtTabelle(exArt());
    if (!d) return;
    char name[EXPORTSCHLUESSELSUP + 1] = "", ordner[EXPORTSCHLUESSELSUP + 1] = "";
    if (VgbOeffnen() == 0) {
        VgbText(d->nameSchluessel, name, EXPORTSCHLUESSELSUP);
        VgbText(d->ordnerSchluessel, ordner, EXPORTSCHLUESSELSUP);
        VgbSchliessen();
    }
    // One PDF for the project: its name placeholders (the project folder's
    // name "@ZO") are shown filled in; per-drawing names keep theirs.
    if (!d->jeZeichnung) TextVarErsetzen(name, 0, 0);
    wiTextSetzen(EX_NAME, (std::string(name) + d->endung).c_str());
    const std::string gemerkt = exGemerkterOrdner(exArt());
    if (!gemerkt.empty()) wiTextSetzen(EX_ORDNER, gemerkt.c_str());
    else wiTextSetzen(EX_ORDNER, strleer(ordner) ? VerZeiger(1) : ordner);
    wiItemZeigen(EX_HTML, d->jeZeichnung ? 1 : 0);
    wiItemZeigen(EX_HINWEIS, d->jeZeichnung ? 1 : 0);
    wiKnopfSetzen(EX_OEFFNEN, d->jeZeichnung ? 0 : 1);
}

int ExportInit(int, const char* const*)
{
    ex.fenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    wiZahlSetzen(EX_ANZAHL, PvwAnzMarkiert());
    ex.combo.clear();
    wiComboLeeren(EX_ART);
    ex.anzeige.clear();
    char artText[21] = "";
    ProfilLesen(EX_INI, "Art", artText, sizeof artText);
    const int gemerkt = artText[0] ? std::atoi(artText) : -1;  // none yet: the first row, PDF
    int wahl = 0;
    for (const char* e : exEintraege) {
        if (e[0] == '#') continue;
        if (ExportArtAusText(e) == gemerkt) wahl = static_cast<int>(ex.combo.size());
        ex.combo.emplace_back(e);
        ex.anzeige.emplace_back(e, std::strcspn(e, " "));
        wiComboAnhaengen(EX_ART, e);
    }
    wiComboWahlSetzen(EX_ART, wahl);
    ExportArtSetzen();
    const int markiert = PvwAnzMarkiert();
    wiTextSetzen(101, markiert == 1 ? "markierte Zeichnung" : "markierte Zeichnungen");
    return 0;
}

int ExportExit()
{
    wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    ex.fenster = 0;
    return 0;
}

void exStarten()
{
    std::string ordner = exFeld(EX_ORDNER), name = exFeld(EX_NAME);
    if (strleer(ordner.c_str())) {
        exText("DirFehlt");
        return;
    }
    if (strleer(name.c_str())) {
        exText("DatFehlt");
        return;
    }
    if (ExportNameLaenge(ordner.c_str(), name.c_str()) != 0) return;
    char o[EXPORTFELDSUP + 2];
    strkopie(o, ordner.c_str(), EXPORTFELDSUP);
    strtrim(o);
    if (!o[0]) return;
    const int art = exArt();
    const bool oeffnen = wiKnopf(EX_OEFFNEN) != 0;
    const bool html = wiKnopf(EX_HTML) != 0;
    ex.pdf.clear();
    exMerken(art, o);
    int r = 0;
    if (art == EXPORT_PDF) r = ExportPdf(o, name.c_str());
    else r = ExportDateien(art, o, name.c_str(), html ? 1 : 0);
    wiDlgSchliessen();
    // What was written where, in one line.
    char p[MAX_PATH + 1] = "";
    if (art == EXPORT_PDF) {
        if (r != 0 || ex.pdf.empty()) return;
        strkopie(p, ex.pdf.c_str(), MAX_PATH);
        PfadAbsolut(p);
        // A document written into the project folder belongs to its list.
        std::error_code f;
        if (std::filesystem::equivalent(std::filesystem::path(p).parent_path(), VerZeiger(1), f))
            wiSeiteVerteilen(2998, 9);
        if (!oeffnen) {
            wiHinweis("PDF-Datei %s geschrieben.", p);
            return;
        }
        char programm[MAX_PATH + 1] = "";
        if (FindExecutable(p, nullptr, programm) <= 32 || wiShellOeffnen(p) <= 32)
            wiHinweis("PDF-Datei %s geschrieben; kein Programm zum Anzeigen von PDF-Dateien gefunden.", p);
        return;
    }
    strkopie(p, ex.ordner.c_str(), MAX_PATH);
    PfadAbsolut(p);
    if (ex.fehler > 0)
        wiMeldung("%d %s nach %s exportiert; %d konnten nicht geschrieben werden.", r, r == 1 ? "Datei" : "Dateien", p,
                  ex.fehler);
    else
        wiHinweis("%d %s nach %s exportiert.", r, r == 1 ? "Datei" : "Dateien", p);
}

int ExportBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (wp == EX_ART && (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM))
        return ElsCbZeichnen(EX_ART, exComboText, nachricht, wp, lp);
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    if (id == EX_ART && HIWORD(wp) == CBN_SELCHANGE) {
        ExportArtSetzen();
        return 0;
    }
    if (id == 1) {
        if (wiGrbuAusloesen()) return 0;
        id = 2500;
    }
    switch (id) {
    case 2: case 2501: wiDlgSchliessen(); break;
    case 2510: {
        char p[WIDATEISUP + 1];
        strkopie(p, exFeld(EX_ORDNER).c_str(), WIDATEISUP);
        if (wiOrdnerWahl(p, TextNr(233))) {
            pfadschluss(p, sizeof p);
            wiTextSetzen(EX_ORDNER, p);
        }
        break;
    }
    case 2520: {
        const std::string ordner = exFeld(EX_ORDNER), name = exFeld(EX_NAME);
        if (ExportNameLaenge(ordner.c_str(), name.c_str()) != 0) break;
        char p[WIDATEISUP + 1];
        strkopie(p, (exMitTrenner(ordner) + name).c_str(), WIDATEISUP);
        if (wiDateiSpeichern(p, TextNr(234), TextNr(235))) {
            char verz[WIDATEISUP + 1] = "";
            pfadholen(verz, p);
            wiTextSetzen(EX_ORDNER, verz);
            wiTextSetzen(EX_NAME, p + std::strlen(verz));
        }
        break;
    }
    case 2502:
        if (const ExportArtDaten* d = ExportArtTabelle(exArt())) ImpVgbGruppeEditieren(d->gruppe);
        break;
    case 2500: exStarten(); break;
    default: break;
    }
    return 0;
}

}  // namespace

void ExportOeffnen()
{
    if (HWND d = wiDlgSuchen("Export")) {
        BringWindowToTop(d);
        return;
    }
    wiDlgOeffnen("Export", ExportInit, ExportExit, ExportBefehl);
}
