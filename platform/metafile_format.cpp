// WMF and EMF byte formats; see metafile_format.h. Prefixes `plWmf`, `plEmf`,
// file-static helpers `format...`. Calls only bild_le.h and the standard
// library.
#include "platform/metafile_format.h"

#include <algorithm>
#include <cstring>

namespace {

int formatFehler(std::string* fehler, const char* text)
{
    if (fehler) *fehler = text;
    return -1;
}

}  // namespace

// ---- Placeable header ------------------------------------------------------------

uint16_t plWmfPruefsumme(const uint8_t* kopf22)
{
    uint16_t s = 0;
    for (int i = 0; i < 10; ++i) s ^= static_cast<uint16_t>(kopf22[2 * i] | (kopf22[2 * i + 1] << 8));
    return s;
}

std::vector<uint8_t> plWmfPlatziertBauen(const plWmfPlatziert& p)
{
    plLeSchreiber s;
    s.u32(PL_WMF_PLATZIERT_KENNUNG);
    s.u16(0);
    s.i16(p.links);
    s.i16(p.oben);
    s.i16(p.rechts);
    s.i16(p.unten);
    s.u16(p.einheitenProZoll);
    s.u32(0);
    s.u16(0);
    s.u16An(20, plWmfPruefsumme(s.daten.data()));
    return s.daten;
}

bool plWmfIstPlatziert(const uint8_t* daten, size_t laenge)
{
    plLeLeser l(daten, laenge);
    return l.u32() == PL_WMF_PLATZIERT_KENNUNG && l.gut;
}

int plWmfPlatziertLesen(const uint8_t* daten, size_t laenge, plWmfPlatziert& p)
{
    p = plWmfPlatziert{};
    if (laenge < PL_WMF_PLATZIERT_GROESSE || !plWmfIstPlatziert(daten, laenge)) return -1;
    plLeLeser l(daten, laenge);
    l.ueberspringen(6);
    p.links = l.i16();
    p.oben = l.i16();
    p.rechts = l.i16();
    p.unten = l.i16();
    p.einheitenProZoll = l.u16();
    return l.gut ? 0 : -1;
}

// ---- WMF -----------------------------------------------------------------------------

int plWmfPruefen(const uint8_t* daten, size_t laenge, plWmfKopf& kopf, std::vector<plWmfDatensatz>& saetze,
                 std::string* fehler)
{
    kopf = plWmfKopf{};
    saetze.clear();
    plLeLeser l(daten, laenge);
    kopf.typ = l.u16();
    uint16_t kopfWorte = l.u16();
    kopf.version = l.u16();
    kopf.groesseWorte = l.u32();
    kopf.objekte = l.u16();
    kopf.groessterDatensatz = l.u32();
    l.u16();
    if (!l.gut) return formatFehler(fehler, "metafile header truncated");
    if (kopf.typ != 1 && kopf.typ != 2) return formatFehler(fehler, "unknown metafile type");
    if (kopfWorte != 9) return formatFehler(fehler, "metafile header size not 9 words");
    if (kopf.version != 0x0100 && kopf.version != 0x0300) return formatFehler(fehler, "unknown metafile version");
    if (kopf.objekte > PL_META_OBJEKTSUP) return formatFehler(fehler, "too many objects");
    uint64_t ende = static_cast<uint64_t>(kopf.groesseWorte) * 2;
    if (ende < PL_WMF_KOPF_GROESSE + 6) return formatFehler(fehler, "metafile size too small");
    if (ende > laenge) return formatFehler(fehler, "metafile truncated");
    // Checked and counted first, then listed into a list of that size: a
    // page drawn at print resolution has hundreds of thousands of records,
    // and a growing list copied them over and over.
    size_t pos = PL_WMF_KOPF_GROESSE, anzahl = 0;
    for (;;) {
        if (ende - pos < 6) return formatFehler(fehler, "metafile ends without an end record");
        plLeLeser r(daten + pos, static_cast<size_t>(ende - pos));
        uint32_t worte = r.u32();
        uint16_t funktion = r.u16();
        if (worte < 3) return formatFehler(fehler, "record shorter than its head");
        if (static_cast<uint64_t>(worte) * 2 > ende - pos) return formatFehler(fehler, "record reaches past the end");
        if (funktion == META_EOF) break;
        pos += static_cast<size_t>(worte) * 2;
        ++anzahl;
    }
    saetze.reserve(anzahl);
    pos = PL_WMF_KOPF_GROESSE;
    for (size_t i = 0; i < anzahl; ++i) {
        plLeLeser r(daten + pos, 6);
        const size_t laenge = static_cast<size_t>(r.u32()) * 2;
        saetze.push_back({r.u16(), daten + pos + 6, laenge - 6});
        pos += laenge;
    }
    return 0;
}

plWmfSchreiber::plWmfSchreiber() { s_.nullen(PL_WMF_KOPF_GROESSE); }

plLeSchreiber& plWmfSchreiber::beginnen(uint16_t funktion)
{
    if (offen_) beenden();
    anfang_ = s_.groesse();
    s_.u32(0);
    s_.u16(funktion);
    offen_ = true;
    return s_;
}

void plWmfSchreiber::beenden()
{
    if (!offen_) return;
    if ((s_.groesse() - anfang_) & 1) s_.u8(0);
    uint32_t worte = static_cast<uint32_t>((s_.groesse() - anfang_) / 2);
    s_.u32An(anfang_, worte);
    if (worte > groesster_) groesster_ = worte;
    offen_ = false;
}

std::vector<uint8_t> plWmfSchreiber::fertig()
{
    beenden();
    beginnen(META_EOF);
    beenden();
    plLeSchreiber k;
    k.u16(typ_);
    k.u16(9);
    k.u16(0x0300);
    k.u32(static_cast<uint32_t>(s_.groesse() / 2));
    k.u16(objekte_);
    k.u32(groesster_);
    k.u16(0);
    std::vector<uint8_t> v = s_.daten;
    std::memcpy(v.data(), k.daten.data(), PL_WMF_KOPF_GROESSE);
    return v;
}

// ---- EMF -----------------------------------------------------------------------------

int plEmfPruefen(const uint8_t* daten, size_t laenge, ENHMETAHEADER& kopf, std::vector<plEmfDatensatz>& saetze,
                 std::string* fehler)
{
    std::memset(&kopf, 0, sizeof kopf);
    saetze.clear();
    if (!daten || laenge < PL_EMF_KOPF_GROESSE) return formatFehler(fehler, "enhanced metafile header truncated");
    plLeLeser l(daten, laenge);
    uint32_t typ = l.u32();
    uint32_t kopfGroesse = l.u32();
    if (typ != EMR_HEADER) return formatFehler(fehler, "first record is not a header");
    if (kopfGroesse < PL_EMF_KOPF_GROESSE || kopfGroesse % 4 != 0) return formatFehler(fehler, "header size invalid");
    if (kopfGroesse > laenge) return formatFehler(fehler, "enhanced metafile header truncated");
    std::memcpy(&kopf, daten, std::min<size_t>(kopfGroesse, sizeof kopf));
    // The copy is in host order; the platform is little-endian like the format.
    if (kopf.dSignature != PL_EMF_SIGNATUR) return formatFehler(fehler, "signature missing");
    if (kopfGroesse < PL_EMF_KOPF_VOLL) {
        kopf.szlMicrometers = {0, 0};
        kopf.cbPixelFormat = kopf.offPixelFormat = kopf.bOpenGL = 0;
        if (kopfGroesse < 100) kopf.bOpenGL = 0;
    }
    if (kopf.nBytes > laenge) return formatFehler(fehler, "enhanced metafile truncated");
    if (kopf.nBytes < kopfGroesse) return formatFehler(fehler, "stated size smaller than the header");
    if (kopf.nHandles == 0 || kopf.nHandles > PL_META_OBJEKTSUP) return formatFehler(fehler, "object table size invalid");
    if (kopf.nDescription != 0 &&
        (kopf.offDescription < PL_EMF_KOPF_GROESSE || static_cast<uint64_t>(kopf.offDescription) + 2ull * kopf.nDescription > kopfGroesse))
        return formatFehler(fehler, "description outside the header");
    std::vector<plEmfDatensatz> v;
    size_t pos = 0;
    bool ende = false;
    while (pos < kopf.nBytes) {
        plLeLeser r(daten + pos, kopf.nBytes - pos);
        uint32_t t = r.u32();
        uint32_t g = r.u32();
        if (!r.gut) return formatFehler(fehler, "record head truncated");
        if (g < 8 || g % 4 != 0) return formatFehler(fehler, "record size invalid");
        if (g > kopf.nBytes - pos) return formatFehler(fehler, "record reaches past the end");
        if (pos != 0 && t == EMR_HEADER) return formatFehler(fehler, "second header record");
        v.push_back({t, daten + pos, g});
        pos += g;
        if (t == EMR_EOF) {
            ende = true;
            break;
        }
    }
    if (!ende) return formatFehler(fehler, "enhanced metafile ends without an end record");
    if (v.size() != kopf.nRecords) return formatFehler(fehler, "record count differs from the header");
    if (pos != kopf.nBytes) return formatFehler(fehler, "data after the end record");
    saetze = std::move(v);
    return 0;
}

plEmfSchreiber::plEmfSchreiber() { s_.nullen(PL_EMF_KOPF_VOLL); }

plLeSchreiber& plEmfSchreiber::beginnen(uint32_t typ)
{
    if (offen_) beenden();
    anfang_ = s_.groesse();
    s_.u32(typ);
    s_.u32(0);
    offen_ = true;
    return s_;
}

void plEmfSchreiber::beenden()
{
    if (!offen_) return;
    while ((s_.groesse() - anfang_) % 4) s_.u8(0);
    s_.u32An(anfang_ + 4, static_cast<uint32_t>(s_.groesse() - anfang_));
    ++anzahl_;
    offen_ = false;
}

std::vector<uint8_t> plEmfSchreiber::fertig(const RECTL& bounds, const RECTL& frame, SIZEL geraetPixel, SIZEL geraetMm,
                                            uint16_t handles, const std::string& beschreibung)
{
    beenden();
    plLeSchreiber& e = beginnen(EMR_EOF);
    e.u32(0);
    e.u32(16);
    e.u32(20);
    beenden();
    // Header record with the description after the fixed part: UTF-16 (each
    // byte of the text as one unit; callers give plain ASCII), as the format
    // wants it the application name and an empty picture name, each ended
    // by a NUL, and a closing NUL.
    plLeSchreiber k;
    k.u32(EMR_HEADER);
    size_t beschrWorte = beschreibung.empty() ? 0 : beschreibung.size() + 2;
    size_t kopfGroesse = PL_EMF_KOPF_VOLL + ((beschrWorte * 2 + 3) & ~size_t{3});
    k.u32(static_cast<uint32_t>(kopfGroesse));
    for (LONG v : {bounds.left, bounds.top, bounds.right, bounds.bottom}) k.i32(v);
    for (LONG v : {frame.left, frame.top, frame.right, frame.bottom}) k.i32(v);
    k.u32(PL_EMF_SIGNATUR);
    k.u32(0x10000);
    size_t gesamt = s_.groesse() - PL_EMF_KOPF_VOLL + kopfGroesse;
    k.u32(static_cast<uint32_t>(gesamt));
    k.u32(anzahl_);
    k.u16(handles);
    k.u16(0);
    k.u32(static_cast<uint32_t>(beschrWorte));
    k.u32(beschrWorte ? static_cast<uint32_t>(PL_EMF_KOPF_VOLL) : 0);
    k.u32(0);
    k.i32(geraetPixel.cx);
    k.i32(geraetPixel.cy);
    k.i32(geraetMm.cx);
    k.i32(geraetMm.cy);
    k.u32(0);
    k.u32(0);
    k.u32(0);
    k.i32(geraetMm.cx * 1000);
    k.i32(geraetMm.cy * 1000);
    for (char c : beschreibung) k.u16(static_cast<uint8_t>(c));
    if (beschrWorte) {
        k.u16(0);
        k.u16(0);
    }
    while (k.groesse() < kopfGroesse) k.u8(0);
    std::vector<uint8_t> v;
    v.reserve(gesamt);
    v.insert(v.end(), k.daten.begin(), k.daten.end());
    v.insert(v.end(), s_.daten.begin() + PL_EMF_KOPF_VOLL, s_.daten.end());
    return v;
}
