// The PDF library's calls: instances, documents, pages, the drawing state,
// recording of drawing calls, fonts, images and navigation (prefix `DPL`,
// helpers `pdfbib`). Files, rendering and writing are in pdfbibdatei.cpp,
// text metrics in pdfbibtext.cpp, image reading in pdfbibbild.cpp.
// May call: platform/pdfbibint.h, platform/cp1252.h.
//
// Invariants:
//  1. Every DPL call (but DPLLastErrorCode) sets the instance's error code.
//  2. A document always has at least one page; its selected page exists.
//  3. Ids (documents, fonts, images, destinations, outlines) come from one
//     counter per instance and are never reused.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <map>
#include <memory>

#include "platform/cp1252.h"
#include "platform/dateisys.h"
#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/pdfbibint.h"
#include "platform/winconst.h"

namespace {

struct PdfbibInstanz {
    int fehler = DPL_OK;
    int naechsteId = 1;
    std::vector<std::unique_ptr<PdfbibDokument>> dokumente;
    int gewaehlt = 0;  // selected document id
    // drawing state
    double breite = 1;
    PdfbibFarbe linie, fuellung, text;
    std::shared_ptr<const std::vector<double>> strich;  // null: solid
    std::shared_ptr<const PdfbibStil> stil;  // the state of the last op recorded
    // Patterns set before, by their text: pens change their pattern with
    // every line (dashed, then solid for the end strokes, dashed again).
    std::vector<std::pair<std::wstring, std::shared_ptr<const std::vector<double>>>> striche;
    std::map<int, PdfbibSchrift> schriften;
    int schrift = 0;
    double groesse = 12, skala = 100;
    int ausrichtung = 0;
    std::map<int, std::shared_ptr<PdfbibBild>> bilder;
    int bild = 0;
    std::vector<double> pfad;  // x, y pairs of the path being built
    bool pfadOffen = false;
    bool pfadGeschlossen = false;
    std::wstring titelPuffer;  // what DPLOutlineTitle handed out
};

std::map<int, std::unique_ptr<PdfbibInstanz>>& pdfbibInstanzen()
{
    static std::map<int, std::unique_ptr<PdfbibInstanz>> tabelle;
    return tabelle;
}
int pdfbibNaechsteInstanz = 1;

// The id counter of the instance being served (for the loader's outline ids).
PdfbibInstanz* pdfbibAktuell = nullptr;
int pdfbibNeueId() { return pdfbibAktuell->naechsteId++; }

PdfbibInstanz* pdfbibInst(int inst)
{
    auto& t = pdfbibInstanzen();
    auto it = t.find(inst);
    if (it == t.end()) return nullptr;
    it->second->fehler = DPL_OK;
    pdfbibAktuell = it->second.get();
    return it->second.get();
}

int pdfbibFehler(PdfbibInstanz* in, int code)
{
    in->fehler = code;
    return 0;
}

PdfbibDokument* pdfbibDok(PdfbibInstanz* in, int id)
{
    for (auto& d : in->dokumente)
        if (d->id == id) return d.get();
    return nullptr;
}

PdfbibDokument* pdfbibGewaehlt(PdfbibInstanz* in)
{
    PdfbibDokument* d = pdfbibDok(in, in->gewaehlt);
    if (!d) in->fehler = DPL_E_DOKUMENT;
    return d;
}

// The selected page for drawing: refused on pages of loaded files.
PdfbibSeite* pdfbibZeichenSeite(PdfbibInstanz* in)
{
    PdfbibDokument* d = pdfbibGewaehlt(in);
    if (!d) return nullptr;
    PdfbibSeite& s = d->seiten[static_cast<size_t>(d->seite - 1)];
    if (s.quelle) {
        in->fehler = DPL_E_FREMDSEITE;
        return nullptr;
    }
    d->veraendert = true;
    return &s;
}

// The selected document of the instance `inst` (null with `in` null when the
// instance is unknown, else with the error set).
PdfbibDokument* pdfbibInstDok(int inst, PdfbibInstanz*& in)
{
    in = pdfbibInst(inst);
    return in ? pdfbibGewaehlt(in) : nullptr;
}

bool pdfbibSeiteDa(const PdfbibDokument* d, int seite)
{
    return seite >= 1 && seite <= static_cast<int>(d->seiten.size());
}

// Sets a drawing or text setting of the instance once its value passed the
// caller's check.
template <typename T>
int pdfbibWertSetzen(int inst, T PdfbibInstanz::*feld, T wert, bool gueltig)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!gueltig) return pdfbibFehler(in, DPL_E_ARGUMENT);
    in->*feld = wert;
    return 1;
}

// A wide argument read up to DPL_TEXTSUP characters.
std::wstring pdfbibArg(const wchar_t* w)
{
    if (!w) return std::wstring();
    return std::wstring(w, wcsnlen(w, DPL_TEXTSUP));
}

// A wide path back to code page 1252; false when a character has no byte there.
bool pdfbibPfad(const wchar_t* w, std::string& aus)
{
    aus.clear();
    for (wchar_t c : pdfbibArg(w)) {
        int b = plCpByte(static_cast<char32_t>(c));
        if (b <= 0) return false;
        aus.push_back(static_cast<char>(b));
    }
    return !aus.empty();
}

// A new op at the end of the page with the instance's drawing state; built
// in place, as most ops are lines recorded by the thousand.
PdfbibOp& pdfbibNeuerOp(PdfbibInstanz* in, PdfbibSeite* s, PdfbibOpArt art, int modus)
{
    const PdfbibStil* z = in->stil.get();
    auto gleich = [](const PdfbibFarbe& a, const PdfbibFarbe& b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    if (!z || z->breite != in->breite || !gleich(z->linie, in->linie) || !gleich(z->fuellung, in->fuellung) ||
        z->strich != in->strich)
        in->stil = std::make_shared<const PdfbibStil>(PdfbibStil{in->breite, in->linie, in->fuellung, in->strich});
    PdfbibOp& op = s->ops.emplace_back();
    op.art = art;
    op.stil = in->stil;
    op.modus = static_cast<uint8_t>(modus);
    return op;
}

int pdfbibForm(PdfbibInstanz* in, PdfbibOpArt art, int modus, std::initializer_list<double> p)
{
    if (modus < 0 || modus > 2) return pdfbibFehler(in, DPL_E_ARGUMENT);
    PdfbibSeite* s = pdfbibZeichenSeite(in);
    if (!s) return 0;
    pdfbibNeuerOp(in, s, art, modus).p = p;
    return 1;
}

int pdfbibFarbeSetzen(PdfbibInstanz* in, PdfbibFarbe& f, double r, double g, double b)
{
    auto ok = [](double v) { return v >= 0.0 && v <= 1.0; };
    if (!ok(r) || !ok(g) || !ok(b)) return pdfbibFehler(in, DPL_E_ARGUMENT);
    f = {r, g, b};
    return 1;
}

PdfbibGliederung* pdfbibGliederungSuchen(PdfbibDokument* d, int id)
{
    for (auto& g : d->gliederung)
        if (g.id == id) return &g;
    return nullptr;
}

const PdfbibSchrift* pdfbibSchriftAktuell(PdfbibInstanz* in)
{
    auto it = in->schriften.find(in->schrift);
    if (it == in->schriften.end()) {
        in->fehler = DPL_E_SCHRIFT;
        return nullptr;
    }
    return &it->second;
}

int pdfbibTextOp(int inst, double x, double y, double winkel, const wchar_t* text)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    const PdfbibSchrift* sch = pdfbibSchriftAktuell(in);
    if (!sch) return 0;
    std::wstring w = pdfbibArg(text);
    if (w.empty()) return 1;  // nothing to draw is no failure
    PdfbibSeite* s = pdfbibZeichenSeite(in);
    if (!s) return 0;
    auto t = std::make_shared<PdfbibTextTeil>();
    t->utf8 = pdfbibUtf8(w);
    t->schrift = *sch;
    t->groesse = in->groesse;
    t->skala = in->skala;
    t->ausrichtung = in->ausrichtung;
    t->farbe = in->text;
    PdfbibOp& op = pdfbibNeuerOp(in, s, PdfbibOpArt::Text, 0);
    op.p = {x, y};
    op.winkel = winkel;
    op.text = std::move(t);
    return 1;
}

int pdfbibBildOp(int inst, double x, double y, double w, double h, double winkel)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    auto it = in->bilder.find(in->bild);
    if (it == in->bilder.end()) return pdfbibFehler(in, DPL_E_BILD);
    if (!(w > 0) || !(h > 0)) return pdfbibFehler(in, DPL_E_ARGUMENT);
    PdfbibSeite* s = pdfbibZeichenSeite(in);
    if (!s) return 0;
    PdfbibOp& op = pdfbibNeuerOp(in, s, PdfbibOpArt::Bild, 0);
    op.p = {x, y, w, h};
    op.winkel = winkel;
    op.bild = it->second;
    return 1;
}

}  // namespace

// ---- Conversion ------------------------------------------------------------------------------
std::wstring pdfbibBreit(std::string_view cp1252, size_t max)
{
    std::wstring w;
    for (size_t i = 0; i < cp1252.size() && w.size() < max; ++i)
        w.push_back(static_cast<wchar_t>(plCpUnicode(static_cast<unsigned char>(cp1252[i]))));
    return w;
}

std::string pdfbibSchmal(const wchar_t* text, size_t max)
{
    std::string s;
    if (!text) return s;
    for (size_t i = 0; text[i] != 0 && s.size() < max; ++i) {
        int b = plCpByte(static_cast<char32_t>(text[i]));
        s.push_back(b > 0 ? static_cast<char>(b) : '?');
    }
    return s;
}

// ---- Instance ------------------------------------------------------------------------------
int DPLCreateLibrary()
{
    int id = pdfbibNaechsteInstanz++;
    pdfbibInstanzen()[id] = std::make_unique<PdfbibInstanz>();
    return id;
}

int DPLReleaseLibrary(int inst)
{
    auto& t = pdfbibInstanzen();
    auto it = t.find(inst);
    if (it == t.end()) return 0;
    if (pdfbibAktuell == it->second.get()) pdfbibAktuell = nullptr;
    t.erase(it);
    return 1;
}

int DPLLastErrorCode(int inst)
{
    auto& t = pdfbibInstanzen();
    auto it = t.find(inst);
    return it == t.end() ? DPL_E_INSTANZ : it->second->fehler;
}

// ---- Documents -----------------------------------------------------------------------------
int DPLNewDocument(int inst)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    auto d = std::make_unique<PdfbibDokument>();
    d->id = in->naechsteId++;
    d->seiten.emplace_back();
    in->gewaehlt = d->id;
    in->dokumente.push_back(std::move(d));
    return in->gewaehlt;
}

int DPLSelectedDocument(int inst)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    return pdfbibGewaehlt(in) ? in->gewaehlt : 0;
}

int DPLSelectDocument(int inst, int doc)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!pdfbibDok(in, doc)) return pdfbibFehler(in, DPL_E_DOKUMENT);
    in->gewaehlt = doc;
    return 1;
}

int DPLDocumentCount(int inst)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    return in ? static_cast<int>(in->dokumente.size()) : 0;
}

int DPLGetDocumentID(int inst, int index)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (index < 1 || index > static_cast<int>(in->dokumente.size())) return pdfbibFehler(in, DPL_E_DOKUMENT);
    return in->dokumente[static_cast<size_t>(index - 1)]->id;
}

int DPLLoadFromFile(int inst, const wchar_t* path, const wchar_t* password)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    std::string pfad;
    if (!pdfbibPfad(path, pfad)) return pdfbibFehler(in, DPL_E_DATEI);
    std::string daten;
    if (pdfbibDateiLesen(pfad, daten, size_t{1} << 30) != 0) return pdfbibFehler(in, DPL_E_DATEI);
    auto d = std::make_unique<PdfbibDokument>();
    int rc = pdfbibPdfLaden(std::move(daten), pdfbibUtf8(pdfbibArg(password)), *d, pdfbibNeueId);
    if (rc != 0) return pdfbibFehler(in, rc);
    d->id = in->naechsteId++;
    in->gewaehlt = d->id;
    in->dokumente.push_back(std::move(d));
    return 1;
}

int DPLMergeDocument(int inst, int doc)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    PdfbibDokument* ziel = pdfbibGewaehlt(in);
    if (!ziel) return 0;
    PdfbibDokument* quelle = pdfbibDok(in, doc);
    if (!quelle || quelle == ziel) return pdfbibFehler(in, DPL_E_DOKUMENT);
    int versatz = static_cast<int>(ziel->seiten.size());
    // Links of drawn pages point at destinations of their own document; those
    // come along with the pages, their page numbers moved.
    for (const PdfbibZiel& z : quelle->ziele) {
        PdfbibZiel k = z;
        k.seite += versatz;
        ziel->ziele.push_back(k);
    }
    ziel->seiten.insert(ziel->seiten.end(), quelle->seiten.begin(), quelle->seiten.end());
    ziel->veraendert = true;
    return 1;
}

int DPLRemoveDocument(int inst, int doc)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    auto& v = in->dokumente;
    auto it = std::find_if(v.begin(), v.end(), [doc](const auto& d) { return d->id == doc; });
    if (it == v.end()) return pdfbibFehler(in, DPL_E_DOKUMENT);
    v.erase(it);
    if (in->gewaehlt == doc) in->gewaehlt = v.empty() ? 0 : v.back()->id;
    return 1;
}

int DPLSaveToFile(int inst, const wchar_t* path)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    std::string pfad;
    if (!pdfbibPfad(path, pfad)) return pdfbibFehler(in, DPL_E_DATEI);
    std::string daten;
    int rc = pdfbibPdfErzeugen(*d, daten);
    if (rc != 0) return pdfbibFehler(in, rc);
    if (plDsDateiErsetzen(pfad.c_str(), daten.data(), daten.size()) != 0) return pdfbibFehler(in, DPL_E_SCHREIBEN);
    return 1;
}

int DPLSetPageMode(int inst, int mode)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    if (mode < 0 || mode > 3) return pdfbibFehler(in, DPL_E_ARGUMENT);
    d->seitenModus = mode;
    return 1;
}

int DPLPageCount(int inst)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    return d ? static_cast<int>(d->seiten.size()) : 0;
}

// ---- Pages ---------------------------------------------------------------------------------
int DPLNewPage(int inst)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    const PdfbibSeite& alt = d->seiten[static_cast<size_t>(d->seite - 1)];
    PdfbibSeite neu;
    neu.breite = alt.breite;
    neu.hoehe = alt.hoehe;
    // Room for as many ops as the page before: pages of a document are
    // drawn alike, and a list doubling its way up moves every op again.
    neu.ops.reserve(alt.ops.size());
    d->seiten.push_back(std::move(neu));
    d->veraendert = true;
    return static_cast<int>(d->seiten.size());
}

int DPLSelectPage(int inst, int page)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    if (!pdfbibSeiteDa(d, page)) return pdfbibFehler(in, DPL_E_SEITE);
    d->seite = page;
    return 1;
}

int DPLSelectedPage(int inst)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    return d ? d->seite : 0;
}

int DPLSetPageSize(int inst, const wchar_t* name)
{
    struct Format {
        const char* name;
        double b, h;
    };
    static const Format formate[] = {
        {"A3", 841.9, 1190.6}, {"A4", 595.3, 841.9}, {"A5", 419.5, 595.3},
        {"LETTER", 612, 792},  {"LEGAL", 612, 1008},
    };
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    std::string n;
    for (wchar_t c : pdfbibArg(name)) n.push_back(c < 128 ? static_cast<char>(std::toupper(static_cast<int>(c))) : '?');
    bool quer = false;
    const std::string zusatz = " LANDSCAPE";
    if (n.size() > zusatz.size() && n.compare(n.size() - zusatz.size(), zusatz.size(), zusatz) == 0) {
        quer = true;
        n.resize(n.size() - zusatz.size());
    }
    const Format* f = nullptr;
    for (const Format& k : formate)
        if (n == k.name) f = &k;
    if (!f) return pdfbibFehler(in, DPL_E_ARGUMENT);
    PdfbibSeite* s = pdfbibZeichenSeite(in);
    if (!s) return 0;
    s->breite = quer ? f->h : f->b;
    s->hoehe = quer ? f->b : f->h;
    return 1;
}

double DPLPageHeight(int inst)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0.0;
    PdfbibDokument* d = pdfbibGewaehlt(in);
    return d ? d->seiten[static_cast<size_t>(d->seite - 1)].hoehe : 0.0;
}

int DPLRenderPageToDC(int inst, int dpi, int page, HDC hdc)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    if (!pdfbibSeiteDa(d, page)) return pdfbibFehler(in, DPL_E_SEITE);
    if (dpi < 1 || dpi > 4800) return pdfbibFehler(in, DPL_E_ARGUMENT);
    RECT clip{};
    if (GetClipBox(hdc, &clip) == RGN_ERROR) return pdfbibFehler(in, DPL_E_GERAET);
    const PdfbibSeite& s = d->seiten[static_cast<size_t>(page - 1)];
    // Only the part of the page inside the clip box is rendered.
    int pw = static_cast<int>(std::ceil(s.breite * dpi / 72.0));
    int ph = static_cast<int>(std::ceil(s.hoehe * dpi / 72.0));
    int l = std::max(0L, static_cast<long>(clip.left)), t = std::max(0L, static_cast<long>(clip.top));
    int r = std::min(static_cast<long>(pw), static_cast<long>(clip.right));
    int b = std::min(static_cast<long>(ph), static_cast<long>(clip.bottom));
    if (r <= l || b <= t) return 1;  // nothing of the page is visible
    int w = r - l, h = b - t;
    cairo_surface_t* fl = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(fl);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_translate(cr, -l, -t);
    int rc = pdfbibSeiteRendern(*d, page, dpi, cr);
    cairo_destroy(cr);
    cairo_surface_flush(fl);
    if (rc == 0) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h;  // top row first
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        std::vector<uint32_t> bits(static_cast<size_t>(w) * static_cast<size_t>(h));
        const unsigned char* src = cairo_image_surface_get_data(fl);
        int stride = cairo_image_surface_get_stride(fl);
        for (int y = 0; y < h; ++y)
            std::memcpy(&bits[static_cast<size_t>(y) * static_cast<size_t>(w)], src + static_cast<ptrdiff_t>(y) * stride,
                        static_cast<size_t>(w) * 4);
        if (StretchDIBits(hdc, l, t, w, h, 0, 0, w, h, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY) == 0)
            rc = DPL_E_GERAET;
    }
    cairo_surface_destroy(fl);
    return rc == 0 ? 1 : pdfbibFehler(in, rc);
}

// ---- Drawing state -------------------------------------------------------------------------------
int DPLSetLineWidth(int inst, double width)
{
    return pdfbibWertSetzen(inst, &PdfbibInstanz::breite, width, width >= 0 && width <= 1000);
}

int DPLSetLineColor(int inst, double r, double g, double b)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    return in ? pdfbibFarbeSetzen(in, in->linie, r, g, b) : 0;
}

int DPLSetFillColor(int inst, double r, double g, double b)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    return in ? pdfbibFarbeSetzen(in, in->fuellung, r, g, b) : 0;
}

int DPLSetTextColor(int inst, double r, double g, double b)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    return in ? pdfbibFarbeSetzen(in, in->text, r, g, b) : 0;
}

int DPLSetLineDashEx(int inst, const wchar_t* pattern)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    std::wstring text = pdfbibArg(pattern);
    if (text.empty()) {
        in->strich.reset();
        return 1;
    }
    for (const auto& [t, v] : in->striche) {
        if (t == text) {
            in->strich = v;
            return 1;
        }
    }
    std::string s;
    for (wchar_t c : text) s.push_back(c < 128 ? static_cast<char>(c) : '?');
    std::vector<double> v;
    const char* p = s.data();
    const char* ende = s.data() + s.size();
    double summe = 0;
    while (p < ende) {
        if (*p == ' ' || *p == '\t' || *p == ',') {
            ++p;
            continue;
        }
        double x = 0;
        auto [q, ec] = std::from_chars(p, ende, x);
        if (ec != std::errc() || !(x >= 0) || x > 10000) return pdfbibFehler(in, DPL_E_ARGUMENT);
        v.push_back(x);
        summe += x;
        p = q;
    }
    if (!v.empty() && !(summe > 0)) return pdfbibFehler(in, DPL_E_ARGUMENT);  // all zero: nothing would show
    // Ops share the pattern until it changes.
    if (v.empty()) {
        in->strich.reset();
        return 1;
    }
    if (!in->strich || *in->strich != v) in->strich = std::make_shared<const std::vector<double>>(std::move(v));
    constexpr size_t STRICHESUP = 32;
    if (in->striche.size() >= STRICHESUP) in->striche.erase(in->striche.begin());
    in->striche.emplace_back(std::move(text), in->strich);
    return 1;
}

// ---- Shapes ------------------------------------------------------------------------------------------
int DPLDrawLine(int inst, double x0, double y0, double x1, double y1)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    return in ? pdfbibForm(in, PdfbibOpArt::Linie, 0, {x0, y0, x1, y1}) : 0;
}

int DPLDrawBox(int inst, double left, double top, double width, double height, int mode)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    return in ? pdfbibForm(in, PdfbibOpArt::Box, mode, {left, top, width, height}) : 0;
}

int DPLDrawCircle(int inst, double x, double y, double radius, int mode)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!(radius >= 0)) return pdfbibFehler(in, DPL_E_ARGUMENT);
    return pdfbibForm(in, PdfbibOpArt::Kreis, mode, {x, y, radius});
}

int DPLDrawEllipse(int inst, double x, double y, double width, double height, int mode)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!(width >= 0) || !(height >= 0)) return pdfbibFehler(in, DPL_E_ARGUMENT);
    return pdfbibForm(in, PdfbibOpArt::Ellipse, mode, {x, y, width, height});
}

int DPLDrawEllipticArc(int inst, double x, double y, double width, double height, double start, double end,
                       double rotation, int mode)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!(width >= 0) || !(height >= 0) || !std::isfinite(start) || !std::isfinite(end) || !std::isfinite(rotation))
        return pdfbibFehler(in, DPL_E_ARGUMENT);
    // The arc runs counter-clockwise from start to end: an end below the
    // start comes one turn later.
    while (end < start) end += 360.0;
    if (end - start > 360.0) end = start + 360.0;
    return pdfbibForm(in, PdfbibOpArt::Bogen, mode, {x, y, width, height, start, end, rotation});
}

int DPLStartPath(int inst, double x, double y)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    in->pfad = {x, y};
    in->pfadOffen = true;
    in->pfadGeschlossen = false;
    return 1;
}

int DPLAddLineToPath(int inst, double x, double y)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!in->pfadOffen) return pdfbibFehler(in, DPL_E_PFAD);
    in->pfad.push_back(x);
    in->pfad.push_back(y);
    return 1;
}

int DPLClosePath(int inst)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!in->pfadOffen) return pdfbibFehler(in, DPL_E_PFAD);
    in->pfadGeschlossen = true;
    return 1;
}

int DPLDrawPath(int inst, int mode)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!in->pfadOffen) return pdfbibFehler(in, DPL_E_PFAD);
    if (mode < 0 || mode > 2) return pdfbibFehler(in, DPL_E_ARGUMENT);
    PdfbibSeite* s = pdfbibZeichenSeite(in);
    if (!s) return 0;
    PdfbibOp& op = pdfbibNeuerOp(in, s, PdfbibOpArt::Pfad, mode);
    op.p = std::move(in->pfad);
    op.geschlossen = in->pfadGeschlossen;
    in->pfad.clear();
    in->pfadOffen = false;
    return 1;
}

int DPLDrawText(int inst, double x, double y, const wchar_t* text)
{
    return pdfbibTextOp(inst, x, y, 0.0, text);
}

int DPLDrawRotatedText(int inst, double x, double y, double angle, const wchar_t* text)
{
    return pdfbibTextOp(inst, x, y, angle, text);
}

// ---- Fonts ---------------------------------------------------------------------------------------
int DPLAddStandardFont(int inst, int number)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    PdfbibSchrift s;
    if (!pdfbibStandardSchrift(number, s)) return pdfbibFehler(in, DPL_E_ARGUMENT);
    int id = in->naechsteId++;
    in->schriften[id] = s;
    return id;
}

int DPLAddTrueTypeFont(int inst, const wchar_t* face, int /*options*/)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    std::string name = pdfbibSchmal(pdfbibArg(face).c_str(), 80);
    if (name.empty()) return pdfbibFehler(in, DPL_E_ARGUMENT);
    PdfbibSchrift s;
    pdfbibTrueTypeSchrift(name, s);
    int id = in->naechsteId++;
    in->schriften[id] = s;
    return id;
}

int DPLSelectFont(int inst, int font)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!in->schriften.count(font)) return pdfbibFehler(in, DPL_E_SCHRIFT);
    in->schrift = font;
    return 1;
}

int DPLSetTextSize(int inst, double points)
{
    return pdfbibWertSetzen(inst, &PdfbibInstanz::groesse, points, points > 0 && points <= 10000);
}

int DPLSetTextScaling(int inst, double percent)
{
    return pdfbibWertSetzen(inst, &PdfbibInstanz::skala, percent, percent > 0 && percent <= 100000);
}

int DPLSetTextAlign(int inst, int align)
{
    return pdfbibWertSetzen(inst, &PdfbibInstanz::ausrichtung, align, align >= 0 && align <= 2);
}

double DPLGetTextAscent(int inst)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0.0;
    const PdfbibSchrift* s = pdfbibSchriftAktuell(in);
    return s ? pdfbibAufstieg(*s, in->groesse) : 0.0;
}

int DPLGetFontMetrics(int inst, int item)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    const PdfbibSchrift* s = pdfbibSchriftAktuell(in);
    if (!s) return 0;
    double wert = 0;
    if (!pdfbibSchriftMass(*s, item, wert)) return pdfbibFehler(in, DPL_E_ARGUMENT);
    return static_cast<int>(std::lround(wert));
}

double DPLGetTextWidth(int inst, const wchar_t* text)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0.0;
    const PdfbibSchrift* s = pdfbibSchriftAktuell(in);
    if (!s) return 0.0;
    std::wstring w = pdfbibArg(text);
    if (w.empty()) return 0.0;
    return pdfbibTextBreite(*s, in->groesse, pdfbibUtf8(w)) * in->skala / 100.0;
}

// ---- Images ---------------------------------------------------------------------------------------
int DPLAddImageFromFile(int inst, const wchar_t* path, int index)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (index != 0) return pdfbibFehler(in, DPL_E_ARGUMENT);
    std::string pfad;
    if (!pdfbibPfad(path, pfad)) return pdfbibFehler(in, DPL_E_DATEI);
    int fehler = DPL_OK;
    auto bild = pdfbibBildLaden(pfad, &fehler);
    if (!bild) return pdfbibFehler(in, fehler);
    int id = in->naechsteId++;
    in->bilder[id] = std::move(bild);
    return id;
}

int DPLSelectImage(int inst, int image)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!in->bilder.count(image)) return pdfbibFehler(in, DPL_E_BILD);
    in->bild = image;
    return 1;
}

int DPLDrawImage(int inst, double left, double top, double width, double height)
{
    return pdfbibBildOp(inst, left, top - height, width, height, 0.0);
}

int DPLDrawRotatedImage(int inst, double x, double y, double width, double height, double angle)
{
    return pdfbibBildOp(inst, x, y, width, height, angle);
}

int pdfbibVektorZeichnen(int inst, double left, double top, double width, double height,
                         const std::function<void(HDC dc, const int box[4])>& malen)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!(width > 0) || !(height > 0) || width > 100000 || height > 100000 || !malen)
        return pdfbibFehler(in, DPL_E_ARGUMENT);
    PdfbibSeite* s = pdfbibZeichenSeite(in);
    if (!s) return 0;
    constexpr int dpi = 7200;  // 1/100 point
    const int w = static_cast<int>(std::lround(width * 100)), h = static_cast<int>(std::lround(height * 100));
    cairo_rectangle_t umfang{0, 0, width, height};
    auto bild = std::make_shared<PdfbibBild>();
    bild->flaeche = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &umfang);
    GdiGeraet g;
    g.technik = DT_RASPRINTER;
    g.horzres = w;
    g.vertres = h;
    g.horzsize = static_cast<int>(std::lround(width * 25.4 / 72));
    g.vertsize = static_cast<int>(std::lround(height * 25.4 / 72));
    g.logpixelsx = g.logpixelsy = dpi;
    HDC dc = gdiDcVektorErzeugen(bild->flaeche, g);
    if (!dc) return pdfbibFehler(in, DPL_E_ARGUMENT);
    const int box[4] = {0, 0, w, h};
    malen(dc, box);
    DeleteDC(dc);
    PdfbibOp& op = pdfbibNeuerOp(in, s, PdfbibOpArt::Vektor, 0);
    op.p = {left, top, width, height};
    op.bild = std::move(bild);
    return 1;
}

int DPLReleaseImage(int inst, int image)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return 0;
    if (!in->bilder.erase(image)) return pdfbibFehler(in, DPL_E_BILD);
    if (in->bild == image) in->bild = 0;
    return 1;
}

// ---- Navigation ---------------------------------------------------------------------------------------
int DPLNewDestination(int inst, int page, int zoom, int art, double left, double top, double /*right*/,
                      double /*bottom*/)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    if (!pdfbibSeiteDa(d, page)) return pdfbibFehler(in, DPL_E_SEITE);
    PdfbibZiel z;
    z.id = in->naechsteId++;
    z.seite = page;
    z.zoom = zoom;
    z.art = art;
    z.l = art == 0 ? left : 0.0;
    z.t = art == 0 ? top : d->seiten[static_cast<size_t>(page - 1)].hoehe;
    d->ziele.push_back(z);
    d->veraendert = true;
    return z.id;
}

int DPLAddLinkToDestination(int inst, double left, double top, double width, double height, int dest, int border)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    bool da = std::any_of(d->ziele.begin(), d->ziele.end(), [dest](const PdfbibZiel& z) { return z.id == dest; });
    if (!da) return pdfbibFehler(in, DPL_E_ZIEL);
    if (!(width > 0) || !(height > 0) || border < 0 || border > 100) return pdfbibFehler(in, DPL_E_ARGUMENT);
    PdfbibSeite* s = pdfbibZeichenSeite(in);
    if (!s) return 0;
    PdfbibLink l;
    l.l = left;
    l.t = top;
    l.w = width;
    l.h = height;
    l.ziel = dest;
    l.rahmen = border;
    s->links.push_back(l);
    return static_cast<int>(s->links.size());
}

int DPLSetAnnotBorderColor(int inst, int annot, double r, double g, double b)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    PdfbibSeite& s = d->seiten[static_cast<size_t>(d->seite - 1)];
    if (annot < 1 || annot > static_cast<int>(s.links.size())) return pdfbibFehler(in, DPL_E_ZIEL);
    return pdfbibFarbeSetzen(in, s.links[static_cast<size_t>(annot - 1)].farbe, r, g, b);
}

int DPLNewOutline(int inst, int parent, const wchar_t* title, int page, double y)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    if (parent != 0 && !pdfbibGliederungSuchen(d, parent)) return pdfbibFehler(in, DPL_E_ZIEL);
    if (!pdfbibSeiteDa(d, page)) return pdfbibFehler(in, DPL_E_SEITE);
    PdfbibGliederung g;
    g.id = in->naechsteId++;
    g.eltern = parent;
    g.titel = pdfbibArg(title);
    g.seite = page;
    g.y = y;
    d->gliederung.push_back(std::move(g));
    d->veraendert = true;
    return d->gliederung.back().id;
}

int DPLSetOutlineStyle(int inst, int outline, int style, int open)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    PdfbibGliederung* g = pdfbibGliederungSuchen(d, outline);
    if (!g) return pdfbibFehler(in, DPL_E_ZIEL);
    if (style < 0 || style > 3) return pdfbibFehler(in, DPL_E_ARGUMENT);
    g->stil = style;
    g->offen = open != 0;
    return 1;
}

int DPLOutlineCount(int inst)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    return d ? static_cast<int>(d->gliederung.size()) : 0;
}

int DPLGetOutlineID(int inst, int index)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    if (index < 1 || index > static_cast<int>(d->gliederung.size())) return pdfbibFehler(in, DPL_E_ZIEL);
    return d->gliederung[static_cast<size_t>(index - 1)].id;
}

const wchar_t* DPLOutlineTitle(int inst, int outline)
{
    PdfbibInstanz* in = pdfbibInst(inst);
    if (!in) return L"";
    PdfbibDokument* d = pdfbibGewaehlt(in);
    PdfbibGliederung* g = d ? pdfbibGliederungSuchen(d, outline) : nullptr;
    if (!g) {
        if (d) in->fehler = DPL_E_ZIEL;
        return L"";
    }
    in->titelPuffer = g->titel;
    return in->titelPuffer.c_str();
}

int DPLGetOutlinePage(int inst, int outline)
{
    PdfbibInstanz* in = nullptr;
    PdfbibDokument* d = pdfbibInstDok(inst, in);
    if (!d) return 0;
    PdfbibGliederung* g = pdfbibGliederungSuchen(d, outline);
    if (!g) return pdfbibFehler(in, DPL_E_ZIEL);
    return g->seite;
}
