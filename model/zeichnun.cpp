// Drawing files; see zeichnun.h. Every file is reached through the buffered
// files of support/ (which go through the file-system boundary, so '\' and
// names differing in case are found). Calls the command records, support/
// (buffered files, file calls) and the directory kinds of config/.
#include "model/zeichnun.h"

#include <cstring>
#include <string>

#include "config/verzeich.h"
#include "model/befehl.h"
#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/dosdatei.h"

namespace {

const char zeiMagie[4] = {'z', 'v', 'k', 'Z'};

// Path rule: a name with a directory part stays; a bare name lies in the
// current project folder (directory kind 1).
void zeiPfad(const char* name, char* pfad)
{
    PfadBilden(1, name, nullptr, pfad, ZEIPFADSUP + 1);
}

int zeiKopfSchreiben(ZeiDatei* z)
{
    bool ok = bdseek(&z->datei, 10 + z->laenge) == 0 && bdputc(&z->datei, z->format) == 0;
    ok = bdseek(&z->datei, 0) == 0 && ok;
    ok = bdwrite(&z->datei, zeiMagie, 4) == 0 && ok;
    ok = bdputw(&z->datei, z->version & 0xFFFF) == 0 && ok;
    ok = bdputl(&z->datei, z->laenge) == 0 && ok;
    return ok ? 0 : ERROR;
}

// A new file's BDAT (made by bdmake) reaches its name only at bdclose; a
// failure noted in the record makes bdclose drop it instead.
void zeiNeuVerwerfen(ZeiDatei* z)
{
    z->datei.fehler = 1;
    bdclose(&z->datei);
}

int zeiOeffnen(ZeiDatei* z, const char* name, bool lesend)
{
    std::memset(z, 0, sizeof *z);
    zeiPfad(name, z->pfad);
    int h = lesend ? bdopenlesen(&z->datei, z->pfad) : bdopen(&z->datei, z->pfad);
    if (h < 0) {
        return ERROR;
    }
    char magie[4] = {};
    if (bdread(&z->datei, magie, 4) != 0 || std::memcmp(magie, zeiMagie, 4) != 0) {
        bdclose(&z->datei);
        return ERROR;
    }
    z->version = bdgetw(&z->datei) & 0xFFFF;
    uint32_t d = static_cast<uint32_t>(bdgetl(&z->datei));
    long groesse = dateilaenge(z->pfad);
    // The format byte must lie inside the file: a length beyond the end is refused.
    if (d > 0x7FFFFFF0u || (groesse >= 0 && static_cast<long>(d) + 11 > groesse)) {
        bdclose(&z->datei);
        return ERROR;
    }
    z->laenge = static_cast<int32_t>(d);
    z->geaendert = 0;
    z->position = 0;
    int f = bdseek(&z->datei, 10 + z->laenge) == 0 ? bdgetc(&z->datei) : -1;
    bdseek(&z->datei, 10);
    if (f != BEF_ZA3 && f != BEF_ZA4) {
        bdclose(&z->datei);
        return ERROR;
    }
    z->format = f;
    return 0;
}

// The header of a new, empty drawing; 0 or ERROR.
int zeiNeuBeginnen(ZeiDatei* z)
{
    z->version = ZEIVERSION;
    z->laenge = 0;
    z->format = BEF_ZA3;
    if (zeiKopfSchreiben(z) != 0 || bdseek(&z->datei, 10) != 0) return ERROR;
    // The header keeps version 10 unless records come; they start from 7.
    z->version = ZEIVERSIONMIN;
    z->geaendert = 0;
    z->position = 0;
    return 0;
}

}  // namespace

int ZeiDateiAnlegen(ZeiDatei* z, const char* name)
{
    std::memset(z, 0, sizeof *z);
    zeiPfad(name, z->pfad);
    // A new drawing is written front to back: a large block makes a
    // drawing of megabytes a few dozen writes instead of thousands.
    if (bdmakeblock(&z->datei, z->pfad, 64 * 1024) < 0) {
        return ERROR;
    }
    z->neu = 1;
    if (zeiNeuBeginnen(z) != 0) {
        zeiNeuVerwerfen(z);
        return ERROR;
    }
    return 0;
}

int ZeiDateiImSpeicher(ZeiDatei* z, const char* name, void* speicher, int32_t kap)
{
    std::memset(z, 0, sizeof *z);
    zeiPfad(name, z->pfad);
    if (kap < 11) return ERROR;
    bdopenram(&z->datei, speicher, kap);
    return zeiNeuBeginnen(z);
}

int32_t ZeiDateiGroesse(const ZeiDatei* z) { return 10 + z->laenge + 1; }

int ZeiDateiNurWennAnders(ZeiDatei* z)
{
    if (!z->neu) return ERROR;
    return plDsErsetzenNurWennAnders(z->datei.handle) == 0 ? 0 : ERROR;
}

int ZeiDateiOeffnen(ZeiDatei* z, const char* name) { return zeiOeffnen(z, name, false); }
int ZeiDateiLesend(ZeiDatei* z, const char* name) { return zeiOeffnen(z, name, true); }

int ZeiBefLesen(ZeiDatei* z, BEF* b)
{
    std::memset(b, 0, sizeof *b);
    if (z->position >= z->laenge) {
        return ERROR;
    }
    BEF roh;
    std::memset(&roh, 0, sizeof roh);
    int n = BefLesen(&z->datei, &roh);
    if (n <= 0) {
        z->position = z->laenge;  // damaged data ends the walk
        return ERROR;
    }
    BefAusDateiForm(&roh, b);
    z->position += n;
    return 0;
}

int ZeiBefSchreiben(ZeiDatei* z, const BEF* b)
{
    if (z->version < ZEIVERSIONMIN) {
        return ERROR;
    }
    if (BefFormat(b->code)) {
        ZeiFormatSetzen(z, b->code);
        return 0;
    }
    // Only circles, rectangles and groups change for the file: the others
    // are written as they stand, without a copy.
    BEF f;
    const BEF* d = b;
    if (b->code == BEF_KRE || b->code == BEF_RTK || b->code == BEF_GRF) {
        BefDateiForm(b, &f);
        d = &f;
    }
    int v = BefMindestVersion(d);
    if (v > z->version) {
        z->version = v;
    }
    // Appends go to the end of the data even when the caller has not read
    // up to it, so no record is overwritten.
    z->position = z->laenge;
    if (bdseek(&z->datei, 10 + z->position) != 0) {
        return ERROR;
    }
    int n = BefSchreiben(&z->datei, d);
    if (n < 0) {
        return ERROR;
    }
    z->position += n;
    z->laenge += n;
    z->geaendert = 1;
    return 0;
}

void ZeiFormatSetzen(ZeiDatei* z, int format)
{
    if (!BefFormat(format)) {
        wiAssert("zeichnun", __LINE__, "BefFormat( z->format )");
    }
    if (z->format != format) {
        z->format = format;
        z->geaendert = 1;
    }
}

int ZeiAusSaetzen(const char* zeichnung, const std::function<int(BEF*)>& lesen, void (*fn)(BEF* b))
{
    ZeiDatei z;
    if (ZeiDateiAnlegen(&z, zeichnung) != 0) return ERROR;
    BEF b;
    while (lesen(&b) == 0) {
        if (fn) fn(&b);
        if (ZeiBefSchreiben(&z, &b) != 0) {
            ZeiDateiVerwerfen(&z);
            return ERROR;
        }
    }
    ZeiFormatSetzen(&z, 't');
    return ZeiDateiSchliessen(&z) == 0 ? 0 : ERROR;
}

int ZeiFormat(const ZeiDatei* z) { return z->format; }
int ZeiVersion(const ZeiDatei* z) { return z->version; }

int ZeiDateiSchliessen(ZeiDatei* z)
{
    bool ok = true;
    if (z->geaendert) {
        ok = zeiKopfSchreiben(z) == 0;
    }
    if (!ok && z->neu) {
        zeiNeuVerwerfen(z);
        return ERROR;
    }
    ok = bdclose(&z->datei) == 0 && ok;
    return ok ? 0 : ERROR;
}

void ZeiDateiVerwerfen(ZeiDatei* z)
{
    if (z->neu) {
        zeiNeuVerwerfen(z);
    } else {
        bdclose(&z->datei);
    }
}

int ZeiDateiPruefen(const char* name)
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, name) != 0) {
        return ERROR;
    }
    bdclose(&z.datei);
    return 0;
}

int ZeiIstDatei(const char* name)
{
    char pfad[ZEIPFADSUP + 1];
    zeiPfad(name, pfad);
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) {
        return 0;
    }
    char magie[4] = {};
    bool ja = bdread(&d, magie, 4) == 0 && std::memcmp(magie, zeiMagie, 4) == 0;
    bdclose(&d);
    return ja ? 1 : 0;
}
