// Copying drawings and files between project folders (see verzkopie.h).
//
// Invariants:
//  1. The number map holds pairs only during a folder copy (BmtNeu answers 0
//     outside one); each old number appears once.
//  2. New numbers are m + 1, m + 2, ... in source order and never exceed
//     0xFFFF (checked before the merge starts).
#include "project/verzkopie.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/fstx.h"
#include "equipment/projzeile.h"
#include "model/befehl.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "project/ordliste.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"

namespace {

// ---- number map --------------------------------------------------------------------

struct VkKarte {
    std::vector<bmtaufe> paare;
    std::unordered_map<uint32_t, uint32_t> index;
};
VkKarte vkKarte;

void vkKarteLeeren()
{
    vkKarte.paare.clear();
    vkKarte.paare.shrink_to_fit();
    vkKarte.index.clear();
}

// ---- paths -------------------------------------------------------------------------------

size_t vkTrenner(const std::string& p) { return p.find_last_of("/\\"); }

std::string vkOhneTrenner(std::string p)
{
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
    return p;
}

std::string vkMitTrenner(const std::string& p)
{
    if (!p.empty() && p.back() != '/' && p.back() != '\\') return p + "/";
    return p;
}

std::string vkOrdnerName(const std::string& ordner)
{
    const std::string o = vkOhneTrenner(ordner);
    const size_t s = vkTrenner(o);
    return s == std::string::npos ? o : o.substr(s + 1);
}

std::string vkAktuell()
{
    char p[VERSUP + 1] = "";
    VerHolen(1, p, sizeof p);
    return vkMitTrenner(p);
}

bool vkDa(const std::string& p) { return dosattrib(p.c_str()) != DOSATTR_FEHLT; }

// 1 a drawing by name and content, 0 not, -1 when it could not be read
// (a drawing passed over for a failed open would be lost from the copy).
int vkZeichnungArt(const std::string& p)
{
    const size_t s = vkTrenner(p);
    const std::string name = s == std::string::npos ? p : p.substr(s + 1);
    if (!ZeiIstZeichnung(name.c_str())) return 0;
    const int h = dosopen(p.c_str(), 0);
    if (h < 0) return ERROR;
    char magie[4] = {};
    const int n = dosread(h, magie, 4);
    const int zu = dosclose(h);
    if (n < 0 || zu != 0) return ERROR;
    return n == 4 && std::memcmp(magie, "zvkZ", 4) == 0 ? 1 : 0;
}

bool vkZeichnung(const std::string& p) { return vkZeichnungArt(p) == 1; }

// A sheet's name: a page number ends its extension ("Plan.001"). Such a file
// that is no drawing is a damaged sheet, not some other file of the folder.
bool vkBlattName(const std::string& p)
{
    const size_t s = vkTrenner(p);
    const std::string name = s == std::string::npos ? p : p.substr(s + 1);
    char ext[ZEIPFADSUP + 1];
    ZeiExtHolen(name.c_str(), ext);
    const char* seite = std::strrchr(ext, '.');
    seite = seite != nullptr ? seite + 1 : ext;
    if (*seite == '\0') return false;
    for (const char* c = seite; *c; ++c)
        if (*c < '0' || *c > '9') return false;
    return true;
}

void vkMeldung(char* meldung, size_t kap, const std::string& text)
{
    if (meldung != nullptr && kap > 0) strkopie(meldung, kap, text.c_str(), static_cast<int>(kap - 1));
}

std::string vkFormat(int nr, const std::string& arg)
{
    char t[VKMELDUNGSUP + 1];
    std::snprintf(t, sizeof t, TextNr(nr), arg.c_str());
    return t;
}

// ---- equipment files ------------------------------------------------------------------

// A whole file through the handle layer: a read error is an error, never a
// short file. 0 or -1.
int vkLesen(const std::string& pfad, std::string* inhalt)
{
    inhalt->clear();
    const int h = dosopen(pfad.c_str(), 0);
    if (h < 0) return ERROR;
    char puffer[8192];
    int n;
    while ((n = dosread(h, puffer, sizeof puffer)) > 0) inhalt->append(puffer, static_cast<size_t>(n));
    const int zu = dosclose(h);
    return n < 0 || zu != 0 ? ERROR : 0;
}

// An equipment file as its magic line and its sections (header line and
// body lines), in file order; the ")E" line and anything after it dropped.
struct VkBm {
    std::vector<std::string> koepfe;
    std::vector<std::vector<std::string>> teile;
};

VkBm vkZerlegen(const std::string& inhalt)
{
    VkBm bm;
    size_t pos = 0;
    bool erste = true;
    while (pos < inhalt.size()) {
        size_t e = inhalt.find('\n', pos);
        std::string z = inhalt.substr(pos, e == std::string::npos ? std::string::npos : e - pos);
        pos = e == std::string::npos ? inhalt.size() : e + 1;
        if (!z.empty() && z.back() == '\r') z.pop_back();
        if (erste) {
            erste = false;   // the magic
            continue;
        }
        if (!z.empty() && z[0] == ')') {
            if (z.compare(0, 2, ")E") == 0) break;
            bm.koepfe.push_back(z);
            bm.teile.emplace_back();
            continue;
        }
        if (!bm.teile.empty()) bm.teile.back().push_back(z);
    }
    return bm;
}

// The four leading hexadecimal digits of a line; -1 when there are none.
long vkNummer(const std::string& z)
{
    if (z.size() < 4) return -1;
    long n = 0;
    for (int i = 0; i < 4; ++i) {
        const int c = static_cast<unsigned char>(z[static_cast<size_t>(i)]);
        int w;
        if (c >= '0' && c <= '9')
            w = c - '0';
        else if (c >= 'A' && c <= 'F')
            w = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            w = c - 'a' + 10;
        else
            return -1;
        n = n * 16 + w;
    }
    return n;
}

std::string vkNummerText(uint32_t n)
{
    char t[12];
    std::snprintf(t, sizeof t, "%04X", n);
    return t;
}

const std::vector<std::string>& vkTeil(const VkBm& bm, size_t i)
{
    static const std::vector<std::string> leer;
    return i < bm.teile.size() ? bm.teile[i] : leer;
}

long vkHoechste(const std::vector<std::string>& zeilen)
{
    long m = 0;
    for (const std::string& z : zeilen) {
        const long n = vkNummer(z);
        if (n > m) m = n;
    }
    return m;
}

// The limits of a merge, checked before anything is written: "" when it
// fits, else what does not.
std::string vkGrenzen(const VkBm& q, const VkBm& z)
{
    const size_t n = vkTeil(q, 0).size();
    const size_t alle = vkTeil(z, 0).size() + n;
    if (n > static_cast<size_t>(BMTSUP) || alle > static_cast<size_t>(VKPOSTENSUP))
        return "mehr als " + std::to_string(VKPOSTENSUP) + " Betriebsmittel";
    if (vkHoechste(vkTeil(z, 0)) + static_cast<long>(n) > 0xFFFF) return "Betriebsmittelnummer \xFC""ber FFFF";
    return "";
}

std::string vkSectionVgb(const VkBm& bm, std::vector<std::string>* zeilen)
{
    for (size_t i = 0; i < bm.koepfe.size(); ++i) {
        if (bm.koepfe[i].compare(0, 6, ")S Vgb") == 0) {
            *zeilen = bm.teile[i];
            return bm.koepfe[i];
        }
    }
    return "";
}

}  // namespace

// ---- names and plain copies ---------------------------------------------------------------

void VerzZielName(const char* datei, const char* quellName, const char* zielName, char* ziel, size_t kap)
{
    const size_t p = std::strcspn(datei, ".");
    const size_t lq = std::strlen(quellName);
    std::string n = datei;
    if (p > 0 && p <= lq && std::strncmp(datei, quellName, p) == 0) n = std::string(zielName) + (datei + p);
    strkopie(ziel, kap, n.c_str(), static_cast<int>(kap > 0 ? kap - 1 : 0));
}

int ZeiKopierenUmbenannt(const char* alt, const char* neu)
{
    std::string a = alt, z = neu;
    const size_t sa = vkTrenner(a), sz = vkTrenner(z);
    const std::string altOrdner = sa == std::string::npos ? "" : a.substr(0, sa);
    const std::string name = sa == std::string::npos ? a : a.substr(sa + 1);
    const size_t punkt = name.find('.');
    const std::string stamm = name.substr(0, punkt);
    if (!altOrdner.empty() && strcasecmp(stamm.c_str(), vkOrdnerName(altOrdner).c_str()) == 0 &&
        sz != std::string::npos) {
        const std::string ext = punkt == std::string::npos ? "" : name.substr(punkt);
        z = z.substr(0, sz + 1) + vkOrdnerName(z.substr(0, sz)) + ext;
    }
    if (z.size() > static_cast<size_t>(VERZPFADSUP)) return ERROR;
    return dateikopieren(a.c_str(), z.c_str()) == 0 ? 0 : ERROR;
}

uint32_t BmtNeu(uint32_t alt)
{
    const auto i = vkKarte.index.find(alt);
    return i == vkKarte.index.end() ? 0 : i->second;
}

int BmtAnzahl() { return static_cast<int>(vkKarte.paare.size()); }

// ---- the merge -----------------------------------------------------------------------------

int BMDateiMischen(const char* quelle, const char* ziel)
{
    std::string qi, zi;
    if (vkLesen(quelle, &qi) != 0 || vkLesen(ziel, &zi) != 0) return ERROR;
    const VkBm q = vkZerlegen(qi), z = vkZerlegen(zi);
    if (!vkGrenzen(q, z).empty()) return ERROR;

    // The old form stays beside it as a copy; the target itself is only
    // ever replaced whole.
    std::string bak = ziel;
    const size_t s = vkTrenner(bak), p = bak.rfind('.');
    bak = (p != std::string::npos && (s == std::string::npos || p > s) ? bak.substr(0, p) : bak) + ".BAK";
    if (dateikopieren(ziel, bak.c_str()) != 0) return ERROR;

    const long m = vkHoechste(vkTeil(z, 0));
    vkKarteLeeren();
    PzSchreiber w;
    if (pzOeffnen(&w, ziel) != 0) return ERROR;
    pzZeile(&w, "zvkA");
    pzZeile(&w, ")S Ges");
    for (const std::string& l : vkTeil(z, 0)) pzZeile(&w, l.c_str());
    for (const std::string& l : vkTeil(q, 0)) {
        const long alt = vkNummer(l);
        if (alt < 0) continue;
        const uint32_t neu = static_cast<uint32_t>(m) + static_cast<uint32_t>(vkKarte.paare.size()) + 1;
        // A repeated source number keeps its first mapping.
        if (vkKarte.index.emplace(static_cast<uint32_t>(alt), neu).second)
            vkKarte.paare.push_back({static_cast<uint32_t>(alt), neu});
        else
            continue;
        pzZeile(&w, (vkNummerText(neu) + l.substr(4)).c_str());
    }
    const char* const namen[3] = {")S Btl", ")S Gtx", ")S Ztx"};
    for (size_t t = 1; t <= 3; ++t) {
        pzZeile(&w, namen[t - 1]);
        for (const std::string& l : vkTeil(z, t)) pzZeile(&w, l.c_str());
        for (const std::string& l : vkTeil(q, t)) {
            const long alt = vkNummer(l);
            const uint32_t neu = alt < 0 ? 0 : BmtNeu(static_cast<uint32_t>(alt));
            if (neu != 0) pzZeile(&w, (vkNummerText(neu) + l.substr(4)).c_str());
        }
    }
    pzZeile(&w, ")S Wse");
    for (const std::string& l : vkTeil(z, 4)) pzZeile(&w, l.c_str());
    for (const std::string& l : vkTeil(q, 4)) pzZeile(&w, l.c_str());
    // The target's defaults stay; a target without them takes the source's.
    std::vector<std::string> vgb;
    std::string kopf = vkSectionVgb(z, &vgb);
    if (kopf.empty()) kopf = vkSectionVgb(q, &vgb);
    if (!kopf.empty()) {
        pzZeile(&w, kopf.c_str());
        for (const std::string& l : vgb) pzZeile(&w, l.c_str());
    }
    pzZeile(&w, ")E");
    if (pzSchliessen(&w) != 0) {
        vkKarteLeeren();
        return ERROR;
    }
    return static_cast<int>(m);
}

// ---- drawings ------------------------------------------------------------------------------

namespace {

bool vkHex4(const char* t)
{
    for (int i = 0; i < 4; ++i) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

void vkTextUmschreiben(char* text, int umnummern)
{
    std::string t = text;
    for (size_t i = 0; i + 1 < t.size();) {
        if (t[i] != '@' || t[i + 1] != 'Y') {
            ++i;
            continue;
        }
        if (umnummern) {
            // Only "@Y" with four hexadecimal digits is a reference.
            if (i + 6 <= t.size() && vkHex4(t.c_str() + i + 2)) {
                const uint32_t neu = BmtNeu(static_cast<uint32_t>(vkNummer(t.substr(i + 2, 4))));
                if (neu != 0) t.replace(i + 2, 4, vkNummerText(neu));
                i += 6;
            } else {
                i += 2;
            }
            continue;
        }
        if (IstYRef(t.c_str() + i)) {
            const int l = YRefLaenge(t.c_str() + i);
            if (l > 0) {
                t.erase(i, static_cast<size_t>(l));
                continue;
            }
        }
        i += 2;
    }
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r' || t.back() == '\n')) t.pop_back();
    strkopie(text, BEFTEXTSUP + 1, t.c_str(), BEFTEXTSUP);
}

}  // namespace

int ZeiKopierenMitBM(const char* quelle, const char* ziel, int umnummern)
{
    ZeiDatei q{}, z{};
    if (ZeiDateiLesend(&q, quelle) != 0) return ERROR;
    if (ZeiDateiAnlegen(&z, ziel) != 0) {
        ZeiDateiVerwerfen(&q);
        return ERROR;
    }
    ZeiFormatSetzen(&z, ZeiFormat(&q));
    BEF b;
    int r = 0;
    for (;;) {
        // The reader ends at damaged data as at the end: a walk that stops
        // short of the data length is a failed read, not a shorter drawing.
        const int32_t vor = q.position;
        if (ZeiBefLesen(&q, &b) != 0) {
            if (vor < q.laenge) r = ERROR;
            break;
        }
        if (BefIstText(b.code)) {
            vkTextUmschreiben(b.text, umnummern);
            if (b.text[0] == '\0') continue;
        }
        if (ZeiBefSchreiben(&z, &b) != 0) {
            r = ERROR;
            break;
        }
    }
    ZeiDateiVerwerfen(&q);
    if (r != 0) {
        ZeiDateiVerwerfen(&z);
        return ERROR;
    }
    return ZeiDateiSchliessen(&z) == 0 ? 0 : ERROR;
}

namespace {

// The target of a single copy into the current folder, named by VerzZielName.
std::string vkEinzelZiel(const std::string& pfad)
{
    const size_t s = vkTrenner(pfad);
    const std::string name = s == std::string::npos ? pfad : pfad.substr(s + 1);
    const std::string ordner = s == std::string::npos ? "" : pfad.substr(0, s);
    const std::string ziel = vkAktuell();
    char n[VERZPFADSUP + 1];
    VerzZielName(name.c_str(), vkOrdnerName(ordner).c_str(), vkOrdnerName(ziel).c_str(), n, sizeof n);
    return ziel + n;
}

}  // namespace

int ZeiKopierenOhneBM(const char* pfad)
{
    if (!vkZeichnung(pfad)) return ERROR;
    const std::string z = vkEinzelZiel(pfad);
    if (z.size() > static_cast<size_t>(VERZPFADSUP) || vkDa(z)) return ERROR;
    return ZeiKopierenMitBM(pfad, z.c_str(), 0);
}

int DateiKopierenVerz(const char* pfad)
{
    if (ZeiIstDatei(pfad)) return ERROR;
    const std::string z = vkEinzelZiel(pfad);
    if (z.size() > static_cast<size_t>(VERZPFADSUP) || vkDa(z)) return ERROR;
    return dateikopieren(pfad, z.c_str()) == 0 ? 0 : ERROR;
}

// ---- the folder copy -----------------------------------------------------------------------

namespace {

uint32_t vkFstxAbbildung(uint32_t id, void*) { return BmtNeu(id); }

// The "*.txt" files of the source; 0, or -1 when the listing is incomplete.
int vkTxtDateien(const std::string& quelle, std::vector<std::string>* txt)
{
    std::vector<std::string> alle;
    const int r = OrdListe(quelle.c_str(), &alle, nullptr);
    txt->clear();
    for (const std::string& n : alle)
        if (n.size() > 4 && strcasecmp(n.c_str() + n.size() - 4, ".txt") == 0) txt->push_back(n);
    return r;
}

int vkKopieren(const char* const* dateien, int anzahl, const std::string& quelle, std::string* meldung)
{
    const std::string ziel = vkAktuell();
    const std::string qName = vkOrdnerName(quelle), zName = vkOrdnerName(ziel);
    // 1. Every check before the first write: targets that exist, two
    //    sources with one target, the limits of the merged equipment file.
    std::vector<std::pair<std::string, std::string>> zeichnungen;
    std::map<std::string, std::string> ziele;   // target name (case ignored) -> source
    std::string beschaedigt;  // damaged sheets: not copied, listed with the failures
    for (int i = 0; i < anzahl; ++i) {
        const std::string q = quelle + dateien[i];
        const int art = vkZeichnungArt(q);
        if (art < 0) {
            *meldung = vkFormat(38, q);
            return ERROR;
        }
        if (art == 0) {
            if (ZeiIstZeichnung(dateien[i]) && vkBlattName(q)) beschaedigt += "\n" + q;
            continue;
        }
        char n[VERZPFADSUP + 1];
        VerzZielName(dateien[i], qName.c_str(), zName.c_str(), n, sizeof n);
        const std::string z = ziel + n;
        std::string schluessel = n;
        for (char& c : schluessel) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (vkDa(z) || !ziele.emplace(schluessel, q).second) {
            *meldung = vkFormat(34, z);
            return ERROR;
        }
        zeichnungen.emplace_back(q, z);
    }
    const std::string bmQ = quelle + "BMittel.zvk", bmZ = ziel + "BMittel.zvk";
    const bool mischen = vkDa(bmQ) && vkDa(bmZ);
    if (mischen) {
        std::string qi, zi;
        if (vkLesen(bmQ, &qi) != 0 || vkLesen(bmZ, &zi) != 0) {
            *meldung = vkFormat(37, bmZ);
            return ERROR;
        }
        const std::string grenze = vkGrenzen(vkZerlegen(qi), vkZerlegen(zi));
        if (!grenze.empty()) {
            *meldung = vkFormat(36, grenze);
            return ERROR;
        }
    }
    // 2. The equipment file; a failure stops before any drawing.
    if (mischen) {
        if (BMDateiMischen(bmQ.c_str(), bmZ.c_str()) < 0) {
            *meldung = vkFormat(37, bmZ);
            return ERROR;
        }
    } else if (vkDa(bmQ) && !vkDa(bmZ) && dateikopieren(bmQ.c_str(), bmZ.c_str()) != 0) {
        *meldung = vkFormat(37, bmZ);
        return ERROR;
    }
    // 3. Drawings, project texts, text files; single failures are listed.
    std::string fehlt = beschaedigt;
    for (const auto& [q, z] : zeichnungen)
        if (ZeiKopierenMitBM(q.c_str(), z.c_str(), 1) != 0) fehlt += "\n" + z;
    const std::string txQ = quelle + "Texte.zvk", txZ = ziel + "Texte.zvk";
    if (vkDa(txQ)) {
        const int r = vkDa(txZ) ? FstxMergeDatei(txQ.c_str(), vkFstxAbbildung, nullptr)
                                : dateikopieren(txQ.c_str(), txZ.c_str());
        if (r != 0) fehlt += "\n" + txZ;
    }
    std::vector<std::string> txt;
    if (vkTxtDateien(quelle, &txt) != 0) fehlt += "\n" + quelle + "*.txt";
    for (const std::string& n : txt) {
        if (!vkDa(ziel + n) && dateikopieren((quelle + n).c_str(), (ziel + n).c_str()) != 0) fehlt += "\n" + ziel + n;
    }
    if (!fehlt.empty()) {
        *meldung = vkFormat(38, fehlt.substr(1));
        return ERROR;
    }
    return 0;
}

}  // namespace

int VerzKopieren(const char* const* dateien, int anzahl, const char* quelle, char* meldung, size_t kap)
{
    vkMeldung(meldung, kap, "");
    std::string m;
    vkKarteLeeren();
    const int r = vkKopieren(dateien, anzahl, vkMitTrenner(quelle), &m);
    vkKarteLeeren();
    vkMeldung(meldung, kap, m);
    return r;
}
