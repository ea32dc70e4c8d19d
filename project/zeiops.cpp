// Drawing operations of the project manager; see zeiops.h.
#include "project/zeiops.h"

#include "support/dienst.h"
#include "project/zeiopsint.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/fstx.h"
#include "equipment/ges.h"
#include "equipment/utitel.h"
#include "equipment/wse.h"
#include "model/befehl.h"
#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"

namespace {

// ---- boxes, notices and the end of a run ---------------------------------------

void zoInfoStandard(const char* text) { wiInfo(text); }
int zoFrageStandard(const char* text) { return wiFrage(text); }
void zoDdeStandard(const char*, int) {}

const ZoHaken zoStandard{zoInfoStandard, zoFrageStandard, zoDdeStandard};
ZoHaken zoHaken = zoStandard;

void zoInfo(int nr) { zoHaken.info(TextNr(nr)); }
void zoInfoText(const char* text) { zoHaken.info(text); }

// '/', '\' and ':' would put a drawing outside the project folder (a path
// keeps its folder part); the first one found is named.
bool zoTrennerFrei(std::initializer_list<const char*> felder)
{
    for (const char* f : felder) {
        for (char c : {'/', '\\', ':'}) {
            if (!std::strchr(f, c)) continue;
            char t[80];
            std::snprintf(t, sizeof t, "Der Name darf kein \"%c\" enthalten.", c);
            zoInfoText(t);
            return false;
        }
    }
    return true;
}

void zoFehler(const char* format, const char* name) { ZoFehler(format, name); }

}  // namespace

void ZoFehler(const char* format, const char* name)
{
    char text[300];
    std::snprintf(text, sizeof text, format, name);
    zoHaken.info(text);
}

// Empty when the path would not fit a drawing's path (said by PfadBilden):
// nothing is then read or written under a cut name.
int ZoFrage(const char* text) { return zoHaken.frage(text); }
void ZoMelden(const char* text) { zoHaken.info(text); }

std::string ZoPfad(const char* name)
{
    char p[ZEIPFADSUP + 1];
    if (PfadBilden(1, name, nullptr, p) != 0) return std::string();
    return p;
}

void ZoGeaendert()
{
    DatAenderungMelden();
    wiSeiteVerteilen(2998, 9);
}

namespace {

// Every run that changed drawing files ends here: the folder is rescanned.
void zoGeaendert() { ZoGeaendert(); }

int zoSprache() { return SprNummer() > 0 ? SprNummer() : 0; }

// ---- names -----------------------------------------------------------------------

std::string zoPfad(const char* name) { return ZoPfad(name); }

bool zoExistiert(const char* name) { return dateiexist(zoPfad(name).c_str()) != 0; }

std::string zoExt(const char* name)
{
    char e[ZEIPFADSUP + 1];
    ZeiExtHolen(name, e);
    return e;
}

// The extension built from field and page: "field.page", or the non-empty one.
std::string zoExtBauen(const char* feld, const char* seite)
{
    std::string f(feld), s(seite);
    if (!f.empty() && !s.empty()) return f + "." + s;
    return f.empty() ? s : f;
}

// The extension split at its first '.' into field and page (no '.': the
// page is the whole extension).
void zoExtTeilen(const std::string& ext, char* feld, char* seite)
{
    size_t p = ext.find('.');
    if (p == std::string::npos) {
        feld[0] = '\0';
        strkopie(seite, ZOFELDSUP + 1, ext.c_str(), ZOFELDSUP);
    } else {
        strkopie(feld, ZOFELDSUP + 1, ext.c_str(), static_cast<int>(p) < ZOFELDSUP ? static_cast<int>(p) : ZOFELDSUP);
        strkopie(seite, ZOFELDSUP + 1, ext.c_str() + p + 1, ZOFELDSUP);
    }
}

std::string zoStamm(const char* name)
{
    char s[ZEIPFADSUP + 1];
    strkopie(s, name, ZEIPFADSUP);
    ZeiExtLoeschen(s);
    return s;
}

}  // namespace

std::vector<std::string> ZoMarkierte()
{
    std::vector<std::string> n;
    char name[PVWNAMESUP + 1];
    for (int i = 0; i < PvwAnzahl(); ++i) {
        if (PvwMarkiert(i) && PvwZeiName(i, name)) n.emplace_back(name);
    }
    return n;
}

namespace {

std::vector<std::string> zoMarkierte() { return ZoMarkierte(); }

// ---- renames with the keys -------------------------------------------------------

struct ZoUmbenannt {
    std::string alt, neu;
};

// The drawing key moves with the file.
void zoSchluesselVerschieben(const char* alt, const char* neu)
{
    const std::string ka = zoExt(alt), kn = zoExt(neu);
    if (BMVerwendet()) {
        BtlZeichnungUmbenennen(ka.c_str(), kn.c_str());
        WseZeichnungUmbenennen(ka.c_str(), kn.c_str());
    }
    FstxZeichnungUmbenennen(ka.c_str(), kn.c_str());
}

// Undoes renames (last first) and drops what the lists hold in memory, so
// the equipment and text files on disk stay what they were.
void zoZurueck(const std::vector<ZoUmbenannt>& erledigt)
{
    for (auto it = erledigt.rbegin(); it != erledigt.rend(); ++it) {
        plDsUmbenennen(zoPfad(it->neu.c_str()).c_str(), zoPfad(it->alt.c_str()).c_str());
    }
    BMListenVerwerfen();
    FstxNeuLaden();
}

// Writes what the renames and deletions changed in the lists: the equipment
// file (with the texts) while the database is in use, else the texts.
int zoListenSchreiben()
{
    if (BMVerwendet()) {
        BtlSortieren();
        return BMListenSpeichern(1);
    }
    return FstxBeenden(1) < 0 ? ERROR : 0;
}

// ---- headers ---------------------------------------------------------------------

struct ZoKopf {
    std::string name;
    ZeiKopf kopf;
};

// Writes the header into the drawing and the cache; keeps the old one for
// undo. -1 when the drawing could not be written.
int zoKopfSchreiben(const std::string& name, const ZeiKopf& neu, const ZeiKopf& alt, std::vector<ZoKopf>* alte)
{
    if (ZeiKopfSchreiben(zoPfad(name.c_str()).c_str(), &neu) < 0) return ERROR;
    alte->push_back({name, alt});
    ZeiKopfMerken(name.c_str(), &neu);
    return 0;
}

void zoKoepfeZurueck(const std::vector<ZoKopf>& alte)
{
    for (auto it = alte.rbegin(); it != alte.rend(); ++it) {
        ZeiKopfSchreiben(zoPfad(it->name.c_str()).c_str(), &it->kopf);
        ZeiKopfMerken(it->name.c_str(), &it->kopf);
    }
}

// ---- dialog records ----------------------------------------------------------------

struct ZoNeu {
    int angelegt = 0;
    char pfad[PVWNAMESUP + 1] = "";
    char vorlage[ZOVORLAGESUP + 1] = "";
};
ZoNeu zoNeu;

char zoKopie[5][ZEITITELSUP + 1];

// A letter follows a digit somewhere in the text.
bool zoBuchstabeNachZiffer(const char* t)
{
    if (t[0] == '\0') return false;
    for (size_t i = 1; t[i] != '\0'; ++i) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        const unsigned char v = static_cast<unsigned char>(t[i - 1]);
        if (((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && v >= '0' && v <= '9') return true;
    }
    return false;
}

bool zoIstZiffer(char c) { return c >= '0' && c <= '9'; }

// The value of the digits from the first digit on (0 when none).
long zoZahl(const char* t)
{
    while (*t && !zoIstZiffer(*t)) ++t;
    long n = 0;
    for (; zoIstZiffer(*t) && n < 100000000L; ++t) n = n * 10 + (*t - '0');
    return n;
}

}  // namespace

void ZoHakenSetzen(const ZoHaken& haken)
{
    DienstUebernehmen(zoHaken, haken, zoStandard, &ZoHaken::info, &ZoHaken::frage, &ZoHaken::dde);
}

int ZeiDateiUmbenennen(const char* alt, const char* neu)
{
    if (!zoExistiert(alt) || zoExistiert(neu)) return ERROR;
    if (plDsUmbenennen(zoPfad(alt).c_str(), zoPfad(neu).c_str()) != 0) return ERROR;
    zoSchluesselVerschieben(alt, neu);
    return 0;
}

// ---- new drawing ---------------------------------------------------------------------

void ZeiNeuVorbereiten(ZeiNeuEingabe* e, const char* cursorName, const char* stamm, const char* ext)
{
    std::memset(e, 0, sizeof *e);
    if (cursorName != nullptr && cursorName[0] != '\0') {
        ZeiKopf k;
        if (ZeiKopfLesen(zoPfad(cursorName).c_str(), &k) == 0) {
            for (int i = 0; i < 5; ++i) strkopie(e->titel[i], k.titel[i], ZEITITELSUP);
            strkopie(e->bauwerk, k.text10, ZEIKOPFTEXTSUP);
            strkopie(e->objekt, k.text11, ZEIKOPFTEXTSUP);
        }
    }
    strkopie(e->name, stamm ? stamm : "", ZOFELDSUP);
    zoExtTeilen(ext ? ext : "", e->feld, e->seite);
    e->format = VgbInt("Eda3a4") == 1 ? 1 : 0;
}

int ZeiAnlegen(const ZeiNeuEingabe* e, int anlegen)
{
    if (std::strchr(e->name, '.')) return zoInfo(404), ERROR;
    if (std::strchr(e->seite, '.') || std::strchr(e->feld, '.')) return zoInfo(405), ERROR;
    if (!zoTrennerFrei({e->name, e->feld, e->seite})) return ERROR;
    const std::string ext = zoExtBauen(e->feld, e->seite);
    if (ext.empty()) return zoInfo(406), ERROR;
    const std::string datei = std::string(e->name) + "." + ext;
    if (datei.size() > static_cast<size_t>(PVWNAMESUP)) return zoInfo(14), ERROR;
    if (zoPfad(datei.c_str()).empty()) return ERROR;
    if (zoExistiert(datei.c_str())) return zoInfo(14), ERROR;

    // Other drawings of the name: an equal number, or one of another length.
    struct Sammler {
        std::string ext;
        bool gleich = false, andereLaenge = false;
    } s{ext};
    const std::string muster = zoPfad((std::string(e->name) + ".*").c_str());
    verzlesennamen(
        muster.c_str(),
        [](int verz, const char* pfad, void* u) -> int {
            auto* s = static_cast<Sammler*>(u);
            if (verz) return 1;
            const char* n = pfad;
            for (const char* q = pfad; *q; ++q)
                if (*q == '/' || *q == '\\') n = q + 1;
            const std::string x = zoExt(n);
            if (strvgl(x.c_str(), s->ext.c_str()) == 0) s->gleich = true;
            if (x.size() != s->ext.size()) s->andereLaenge = true;
            return 1;
        },
        &s);
    if (s.gleich) return zoInfo(401), ERROR;
    if (!anlegen) {
        if (s.andereLaenge && BMVerwendet() && static_cast<int>(ext.size()) != BMVorgaben().bmseite &&
            zoHaken.frage(TextNr(402)) != 1)
            return ERROR;
        return 0;
    }

    ZeiKopf k{};
    k.format = e->format == 1 ? BEF_ZA4 : BEF_ZA3;
    k.version = ZEIVERSION;
    for (int i = 0; i < 5; ++i) strkopie(k.titel[i], e->titel[i], ZEITITELSUP);
    strkopie(k.kurz, e->index, ZEIKURZSUP);
    strkopie(k.text10, e->bauwerk, ZEIKOPFTEXTSUP);
    strkopie(k.text11, e->objekt, ZEIKOPFTEXTSUP);

    ZeiDatei z;
    if (ZeiDateiAnlegen(&z, zoPfad(datei.c_str()).c_str()) != 0) return zoInfoText("Fehler beim anlegen der Zeichnung."), ERROR;
    ZeiFormatSetzen(&z, k.format);
    bool gut = true;
    auto satz = [&](int code, int nr, const char* text) {
        BEF b{};
        b.code = static_cast<uint8_t>(code);
        b.iarg[0] = nr;
        BefTextSetzen(&b, text);
        gut = ZeiBefSchreiben(&z, &b) == 0 && gut;
    };
    if (k.kurz[0]) {
        char w[BEFTEXTSUP + 1];
        ZatBauen(w, k.kurz, "", "");
        satz(BEF_ZAT, 0, w);
    }
    for (int i = 0; i < 5; ++i)
        if (k.titel[i][0]) satz(BEF_ZTX, i, k.titel[i]);
    if (k.text10[0]) satz(BEF_ZTX, 10, k.text10);
    if (k.text11[0]) satz(BEF_ZTX, 11, k.text11);
    if (!gut) {
        ZeiDateiVerwerfen(&z);
        return zoInfoText("Fehler beim anlegen der Zeichnung."), ERROR;
    }
    if (ZeiDateiSchliessen(&z) != 0) return zoInfoText("Fehler beim anlegen der Zeichnung."), ERROR;

    ZeiKopfMerken(datei.c_str(), &k);
    zoGeaendert();
    zoNeu.angelegt = 1;
    strkopie(zoNeu.pfad, datei.c_str(), PVWNAMESUP);
    strkopie(zoNeu.vorlage, e->vorlage, ZOVORLAGESUP);
    return 0;
}

int ZeiNeuPfade(char* pfad, char* vorlage)
{
    const int r = zoNeu.angelegt;
    strkopie(pfad, PVWNAMESUP + 1, r ? zoNeu.pfad : "", PVWNAMESUP);
    strkopie(vorlage, ZOVORLAGESUP + 1, r ? zoNeu.vorlage : "", ZOVORLAGESUP);
    zoNeu = ZoNeu{};
    return r;
}

// ---- properties -------------------------------------------------------------------------

int ZeiEigenLesen(const char* datei, ZeiEigenEingabe* e)
{
    std::memset(e, 0, sizeof *e);
    ZeiKopf k;
    if (ZeiKopfLesen(zoPfad(datei).c_str(), &k) != 0) return ERROR;
    strkopie(e->name, zoStamm(datei).c_str(), ZOFELDSUP);
    zoExtTeilen(zoExt(datei), e->feld, e->seite);
    for (int i = 0; i < 5; ++i) {
        strkopie(e->titel[i], k.titel[i], ZEITITELSUP);
        if (zoSprache() != 0) {
            char t[FSTXTEXTSUP + 1];
            FstxTitelText(datei, i, t);
            if (t[0]) strkopie(e->titel[i], t, ZEITITELSUP);
        }
    }
    strkopie(e->bauwerk, k.text10, ZEIKOPFTEXTSUP);
    strkopie(e->objekt, k.text11, ZEIKOPFTEXTSUP);
    e->format = k.format == BEF_ZA4 ? BEF_ZA4 : BEF_ZA3;
    strkopie(e->index, k.kurz, ZEIKURZSUP);
    e->version = k.version;
    return 0;
}

void ZeiEigenKopieren(const ZeiEigenEingabe* e)
{
    for (int i = 0; i < 5; ++i) strkopie(zoKopie[i], e->titel[i], ZEITITELSUP);
}

void ZeiEigenEinfuegen(ZeiEigenEingabe* e)
{
    for (int i = 0; i < 5; ++i) strkopie(e->titel[i], zoKopie[i], ZEITITELSUP);
}

int ZeiEigenSpeichern(const char* datei, const ZeiEigenEingabe* e)
{
    if (!zoTrennerFrei({e->name, e->feld, e->seite})) return ERROR;
    ZeiKopf alt;
    if (ZeiKopfLesen(zoPfad(datei).c_str(), &alt) != 0) return zoFehler("Die Zeichnung %s kann nicht gelesen werden.", datei), ERROR;
    const std::string neu = std::string(e->name) + "." + zoExtBauen(e->feld, e->seite);
    if (neu.size() > static_cast<size_t>(PVWNAMESUP)) return zoInfo(19), ERROR;

    std::vector<ZoUmbenannt> erledigt;
    bool schluessel = false;
    if (neu != datei) {
        if (zoExistiert(neu.c_str())) return zoInfo(19), ERROR;
        zoHaken.dde(datei, 2);
        if (std::strcmp(zoExt(datei).c_str(), zoExt(neu.c_str()).c_str()) != 0) {
            schluessel = true;
            BMListenVerwerfen();
        }
        if (plDsUmbenennen(zoPfad(datei).c_str(), zoPfad(neu.c_str()).c_str()) != 0)
            return zoFehler("Die Zeichnung %s kann nicht umbenannt werden.", datei), ERROR;
        erledigt.push_back({datei, neu});
        if (schluessel) {
            zoHaken.dde(neu.c_str(), 3);
            zoSchluesselVerschieben(datei, neu.c_str());
        }
    }

    ZeiKopf k = alt;
    if (zoSprache() != 0) {
        for (int i = 0; i < 5; ++i) FstxTitelSetzen(neu.c_str(), i, e->titel[i]);
    } else {
        for (int i = 0; i < 5; ++i) strkopie(k.titel[i], e->titel[i], ZEITITELSUP);
    }
    strkopie(k.text10, e->bauwerk, ZEIKOPFTEXTSUP);
    strkopie(k.text11, e->objekt, ZEIKOPFTEXTSUP);
    k.format = e->format == BEF_ZA4 ? BEF_ZA4 : BEF_ZA3;
    strkopie(k.kurz, e->index, ZEIKURZSUP);

    // The header first, then the lists; a failure of either puts the header,
    // the name and the lists back as they were.
    if (ZeiKopfSchreiben(zoPfad(neu.c_str()).c_str(), &k) < 0) {
        zoFehler("Die Zeichnung %s kann nicht geschrieben werden.", neu.c_str());
        zoZurueck(erledigt);
        return ERROR;
    }
    if ((schluessel || zoSprache() != 0) && zoListenSchreiben() < 0) {
        ZeiKopfSchreiben(zoPfad(neu.c_str()).c_str(), &alt);
        zoZurueck(erledigt);
        return ERROR;
    }
    ZeiKopfMerken(neu.c_str(), &k);
    WseCacheLeeren();
    zoHaken.dde(neu.c_str(), 1);
    zoGeaendert();
    return 0;
}

// ---- renumbering --------------------------------------------------------------------------

int ZeiUmnrPruefen(const char* nameNeu, const char* von, const char* bis, const char* seiteNeu, const char* feldNeu)
{
    int fehler = 0;
    if (strleer(nameNeu) || strleer(von) || strleer(bis) || strleer(seiteNeu)) {
        zoInfo(16);
        fehler = 1;
    }
    if (std::strchr(nameNeu, '.') || std::strchr(feldNeu, '.') || std::strchr(seiteNeu, '.')) {
        zoInfo(405);
        fehler = 1;
    }
    if (zoBuchstabeNachZiffer(seiteNeu) || zoBuchstabeNachZiffer(feldNeu)) {
        zoInfo(407);
        fehler = 1;
    }
    if (!zoTrennerFrei({nameNeu, feldNeu, seiteNeu})) fehler = 1;
    return fehler ? ERROR : 0;
}

void ZeiNrVerschieben(char* aus, size_t kap, const char* ext, const char* praefix, int minLaenge, int verschiebung)
{
    char zahl[32];
    if (ext[0] == '\0') {
        int stellen = BMVorgaben().bmseite;
        if (stellen < 1 || stellen > 20) stellen = 1;
        std::snprintf(zahl, sizeof zahl, "%0*d", stellen, verschiebung);
        strkopie(aus, kap, zahl, static_cast<int>(kap));
        return;
    }
    long n;
    if (zoIstZiffer(ext[0])) {
        n = zoZahl(ext);
    } else {
        const char* p = ext + std::strlen(ext);
        while (p > ext && zoIstZiffer(p[-1])) --p;
        n = zoZahl(p);
    }
    std::snprintf(zahl, sizeof zahl, "%ld", n + verschiebung);
    std::string t(praefix);
    const int fehlt = minLaenge - static_cast<int>(t.size() + std::strlen(zahl));
    if (fehlt > 0) t.append(static_cast<size_t>(fehlt), '0');
    t += zahl;
    strkopie(aus, kap, t.c_str(), static_cast<int>(kap));
}

int ZeiUmnummerieren(const char* von, const char* bis, const char* nameNeu, const char* seiteNeu, const char* feldNeu)
{
    char feld[ZOFELDSUP + 1], startSeite[ZOFELDSUP + 1];
    zoExtTeilen(zoExt(von), feld, startSeite);
    std::string basis = nameNeu;
    if (feldNeu[0]) basis += std::string(".") + feldNeu;
    if (seiteNeu[0]) basis += std::string(".") + seiteNeu;

    char praefix[11];
    int l = 0;
    while (l < 10 && seiteNeu[l] && !zoIstZiffer(seiteNeu[l])) ++l;
    strkopie(praefix, seiteNeu, l);
    const int minLaenge = static_cast<int>(std::strlen(seiteNeu));
    const int verschiebung = static_cast<int>(zoZahl(seiteNeu) - zoZahl(startSeite));

    BMListenVerwerfen();

    std::vector<ZoUmbenannt> paare;
    char name[PVWNAMESUP + 1];
    for (int i = 0; i < PvwAnzahl(); ++i)
        if (PvwZeiName(i, name)) paare.push_back({name, ""});
    const bool rueckwaerts = ZeiDateiVergleich(basis.c_str(), von) >= 0 && ZeiDateiVergleich(basis.c_str(), bis) <= 0;

    for (ZoUmbenannt& p : paare) {
        if (ZeiDateiVergleich(p.alt.c_str(), von) < 0 || ZeiDateiVergleich(p.alt.c_str(), bis) > 0) continue;
        const char* punkt = std::strrchr(p.alt.c_str(), '.');
        char seite[ZOFELDSUP + 1];
        ZeiNrVerschieben(seite, sizeof seite, punkt ? punkt + 1 : "", praefix, minLaenge, verschiebung);
        char neu[PVWNAMESUP + 1];
        strkopie(neu, basis.c_str(), PVWNAMESUP);
        if (endungsetzen(neu, seite) != 0) return zoInfo(19), ERROR;
        p.neu = neu;
    }
    // A target that is not itself renamed away stops the run: in the list,
    // or any other file of that name in the folder.
    for (const ZoUmbenannt& p : paare) {
        if (p.neu.empty()) continue;
        bool frei = true, imLauf = false;
        for (const ZoUmbenannt& q : paare) {
            if (strvgl(p.neu.c_str(), q.alt.c_str()) != 0) continue;
            imLauf = true;
            if (q.neu.empty()) frei = false;
        }
        if (!imLauf && zoExistiert(p.neu.c_str())) frei = false;
        if (!frei) return zoInfo(19), ERROR;
    }

    std::vector<ZoUmbenannt> erledigt;
    auto eins = [&](const ZoUmbenannt& p) {
        if (p.neu.empty() || p.neu == p.alt) return true;
        if (ZeiDateiUmbenennen(p.alt.c_str(), p.neu.c_str()) != 0) return false;
        erledigt.push_back(p);
        return true;
    };
    bool gut = true;
    if (rueckwaerts) {
        for (auto it = paare.rbegin(); gut && it != paare.rend(); ++it) gut = eins(*it);
    } else {
        for (auto it = paare.begin(); gut && it != paare.end(); ++it) gut = eins(*it);
    }
    if (!gut) {
        zoFehler("Die Zeichnung %s kann nicht umbenannt werden.", erledigt.empty() ? von : erledigt.back().neu.c_str());
        zoZurueck(erledigt);
        return ERROR;
    }
    if (erledigt.empty()) return 0;
    if (zoListenSchreiben() < 0) {
        zoZurueck(erledigt);
        return ERROR;
    }
    zoGeaendert();
    return 0;
}

// ---- delete --------------------------------------------------------------------------------

int ZeiLoeschen()
{
    std::vector<std::string> namen = zoMarkierte();
    if (namen.empty()) return 0;
    // The files go aside first and are deleted only after the lists were
    // written; a failure puts them back.
    std::vector<ZoUmbenannt> beiseite;
    for (auto it = namen.rbegin(); it != namen.rend(); ++it) {
        const std::string tmp = *it + ".~lo";
        if (plDsUmbenennen(zoPfad(it->c_str()).c_str(), zoPfad(tmp.c_str()).c_str()) != 0) {
            zoFehler("Die Zeichnung %s kann nicht gel\xF6scht werden.", it->c_str());
            zoZurueck(beiseite);
            return ERROR;
        }
        beiseite.push_back({*it, tmp});
    }
    BMListenVerwerfen();
    for (auto it = namen.rbegin(); it != namen.rend(); ++it) {
        if (BMVerwendet()) {
            BtlZeichnungEntfernen(it->c_str());
            WseZeichnungEntfernen(it->c_str());
        }
        FstxZeichnungLoeschen(it->c_str());
    }
    if (BMVerwendet()) GesUnbenutzteEntfernen(1);
    if (zoListenSchreiben() < 0) {
        zoZurueck(beiseite);
        return ERROR;
    }
    int ergebnis = 0;
    for (const ZoUmbenannt& b : beiseite) {
        if (dateiloeschen(zoPfad(b.neu.c_str()).c_str()) != 0) ergebnis = ERROR;
    }
    zoGeaendert();
    return ergebnis;
}

// ---- index and date ---------------------------------------------------------------------------

namespace {

// Numbers separated by `trenner`, nothing else but blanks; false otherwise.
bool zoZahlen(const char* text, char trenner, int* zahlen, int anzahl)
{
    const char* p = text;
    while (*p == ' ') ++p;
    for (int i = 0; i < anzahl; ++i) {
        if (i > 0 && *p++ != trenner) return false;
        if (!(*p >= '0' && *p <= '9')) return false;
        long n = 0;
        while (*p >= '0' && *p <= '9' && n < 100000) n = n * 10 + (*p++ - '0');
        zahlen[i] = static_cast<int>(n);
    }
    while (*p == ' ') ++p;
    return *p == '\0';
}

bool zoDatumLesen(const char* text, DATUM* d)
{
    *d = DATUM{};
    if (strleer(text)) return true;
    int z[3];
    if (!zoZahlen(text, '.', z, 3)) return false;
    if (z[0] == 0 && z[1] == 0 && z[2] == 0) return true;
    int jahr = z[2] < 100 ? z[2] + 2000 : z[2];
    static const int tage[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (jahr < 1900 || jahr > 2155 || z[1] < 1 || z[1] > 12 || z[0] < 1) return false;
    const int imMonat = tage[z[1] - 1] + (z[1] == 2 && datschaltjahr(jahr) ? 1 : 0);
    if (z[0] > imMonat) return false;
    d->jahr = static_cast<uint8_t>(jahr - 1900);
    d->monat = static_cast<uint8_t>(z[1]);
    d->tag = static_cast<uint8_t>(z[0]);
    return true;
}

bool zoZeitLesen(const char* text, uint8_t* stunde, uint8_t* minute)
{
    *stunde = *minute = 0;
    if (strleer(text)) return true;
    int z[2];
    if (!zoZahlen(text, ':', z, 2) || z[0] > 23 || z[1] > 59) return false;
    *stunde = static_cast<uint8_t>(z[0]);
    *minute = static_cast<uint8_t>(z[1]);
    return true;
}

}  // namespace

// A marked drawing whose header cannot be read is passed over, but said:
// the run then ends as a failure instead of reporting every drawing done.
static bool zoKopfGelesen(const std::string& n, ZeiKopf* k)
{
    if (ZeiKopfLesen(zoPfad(n.c_str()).c_str(), k) == 0) return true;
    zoFehler("Die Zeichnung %s kann nicht gelesen werden.", n.c_str());
    return false;
}

int ZeiIdxSetzen(const char* index, const char* datum, const char* zeit)
{
    char idx[ZEIKURZSUP + 1], dt[ZODATUMSUP + 1], zt[ZOZEITSUP + 1];
    strkopie(idx, index, ZEIKURZSUP);
    strkopie(dt, datum, ZODATUMSUP);
    strkopie(zt, zeit, ZOZEITSUP);
    // Day.month.year and hours:minutes; "00.00.0000" (or nothing) is no
    // date. An impossible date or time is refused before anything changes.
    DATZEIT stempel{};
    if (!zoDatumLesen(dt, &stempel.datum)) return zoFehler("Ung\xFCltiges Datum: %s", dt), ERROR;
    if (!zoZeitLesen(zt, &stempel.stunde, &stempel.minute)) return zoFehler("Ung\xFCltige Uhrzeit: %s", zt), ERROR;

    std::vector<ZoKopf> alte;
    bool uebergangen = false;
    for (const std::string& n : zoMarkierte()) {
        ZeiKopf k;
        if (!zoKopfGelesen(n, &k)) {
            uebergangen = true;
            continue;
        }
        ZeiKopf neu = k;
        strkopie(neu.kurz, idx, ZEIKURZSUP);
        if (zoKopfSchreiben(n, neu, k, &alte) < 0) {
            zoFehler("Die Zeichnung %s kann nicht geschrieben werden.", n.c_str());
            zoKoepfeZurueck(alte);
            return ERROR;
        }
        if (stempel.datum.jahr != 0) dateizeitsetzen(zoPfad(n.c_str()).c_str(), &stempel);
    }
    zoGeaendert();
    return uebergangen ? ERROR : 0;
}

// ---- texts -------------------------------------------------------------------------------------

void ZeiTexteVorbereiten(ZeiTextEingabe* e)
{
    std::memset(e, 0, sizeof *e);
    std::vector<std::string> namen = zoMarkierte();
    if (namen.empty()) return;
    ZeiKopf k;
    if (ZeiKopfLesen(zoPfad(namen[0].c_str()).c_str(), &k) != 0) return;
    for (int i = 0; i < 5; ++i) {
        strkopie(e->titel[i], k.titel[i], ZEITITELSUP);
        if (zoSprache() != 0) {
            char t[FSTXTEXTSUP + 1];
            FstxTitelText(namen[0].c_str(), i, t);
            if (t[0]) strkopie(e->titel[i], t, ZEITITELSUP);
        }
    }
    strkopie(e->bauwerk, k.text10, ZEIKOPFTEXTSUP);
    strkopie(e->objekt, k.text11, ZEIKOPFTEXTSUP);
}

int ZeiTextUebernehmen(char* ziel, const char* quelle, int breite, int modus)
{
    if (std::strcmp(ziel, quelle) == 0) return 0;
    bool kopieren = false;
    if (modus == 1) kopieren = ziel[0] == '\0' && quelle[0] != '\0';
    if (modus == 2) kopieren = quelle[0] != '\0';
    if (modus == 3) kopieren = true;
    if (!kopieren) return 0;
    std::string vorher(ziel);
    strkopie(ziel, static_cast<size_t>(breite) + 1, quelle, breite);
    return vorher != ziel ? 1 : 0;
}

int ZeiTexteSetzen(int modus, const ZeiTextEingabe* e)
{
    if (modus < 1 || modus > 3) return 0;
    bool an = e->bauwerkAn || e->objektAn;
    for (int i = 0; i < 5; ++i) an = an || e->titelAn[i];
    if (!an) return 0;

    std::vector<ZoKopf> alte;
    bool uebergangen = false;
    for (const std::string& n : zoMarkierte()) {
        ZeiKopf k;
        if (!zoKopfGelesen(n, &k)) {
            uebergangen = true;
            continue;
        }
        if (zoSprache() != 0) {
            for (int i = 0; i < 5; ++i) {
                char t[FSTXTEXTSUP + 1];
                FstxTitelText(n.c_str(), i, t);
                if (ZeiTextUebernehmen(t, e->titel[i], ZEITITELSUP, modus)) FstxTitelSetzen(n.c_str(), i, t);
            }
            continue;
        }
        ZeiKopf neu = k;
        for (int i = 0; i < 5; ++i)
            if (e->titelAn[i]) ZeiTextUebernehmen(neu.titel[i], e->titel[i], ZEITITELSUP, modus);
        if (e->bauwerkAn) ZeiTextUebernehmen(neu.text10, e->bauwerk, ZEIKOPFTEXTSUP, modus);
        if (e->objektAn) ZeiTextUebernehmen(neu.text11, e->objekt, ZEIKOPFTEXTSUP, modus);
        if (zoKopfSchreiben(n, neu, k, &alte) < 0) {
            zoFehler("Die Zeichnung %s kann nicht geschrieben werden.", n.c_str());
            zoKoepfeZurueck(alte);
            return ERROR;
        }
    }
    if (zoSprache() != 0 && FstxBeenden(1) < 0) {
        FstxNeuLaden();
        return ERROR;
    }
    zoGeaendert();
    return uebergangen ? ERROR : 1;
}

