// Text forms of drawing files: the diagnostic dump (offsets, byte counts,
// codes and text forms of the raw records), the text export (a version line,
// one line per record, the format record) and the text import, which builds
// the drawing under a temporary name and keeps it only when the text held a
// version line. Lines end with CR LF. See zeichnun.h. Prefix `Zei`. Calls
// the drawing file handle, the command records and the buffered files.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "model/befehl.h"
#include "model/zeichnun.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"

namespace {

constexpr int ztCRLF = 1;  // line-end mode of bdputsmodus

bool ztZeile(BDAT* d, const std::string& s) { return bdputsmodus(d, s.c_str(), ztCRLF) == 0; }

std::string ztDumpKopf(long offset, int anzahl, int code)
{
    char k[40];
    std::snprintf(k, sizeof k, "%06lX %3d %3d  ", offset, anzahl, code);
    return k;
}

}  // namespace

int ZeiDump(const char* zeichnung, const char* textpfad)
{
    BDAT ein, aus;
    if (bdopenlesen(&ein, zeichnung) < 0) {
        return ERROR;
    }
    long groesse = dateilaenge(zeichnung);
    if (groesse < 0 || bdmake(&aus, textpfad) < 0) {
        bdclose(&ein);
        return ERROR;
    }
    char magie[5] = {};
    bdread(&ein, magie, 4);
    int version = bdgetw(&ein) & 0xFFFF;
    uint32_t laenge = static_cast<uint32_t>(bdgetl(&ein));
    std::string kopf = std::string(magie) + " V:" + std::to_string(version) + " L:" +
                       std::to_string(laenge) + " (" + std::to_string(groesse) + ")";
    bool ok = ztZeile(&aus, kopf) && ztZeile(&aus, "");
    uint32_t pos = 0;
    while (ok && pos < laenge) {
        BEF b;
        std::memset(&b, 0, sizeof b);
        int n = BefLesen(&ein, &b);
        if (n <= 0) {
            break;  // the data ends before its length
        }
        ok = ztZeile(&aus, ztDumpKopf(10L + pos, n, b.code) + BefZuText(&b));
        pos += static_cast<uint32_t>(n);
    }
    if (ok) {
        int f = bdseek(&ein, static_cast<int32_t>(10 + laenge)) == 0 ? bdgetc(&ein) : -1;
        BEF b;
        std::memset(&b, 0, sizeof b);
        b.code = static_cast<uint8_t>(f < 0 ? 0 : f);
        ok = ztZeile(&aus, "") && ztZeile(&aus, ztDumpKopf(10L + laenge, 1, b.code) + BefZuText(&b));
    }
    if (bdlesefehler(&ein)) {
        ok = false;  // no dump of a drawing read short
    }
    bdclose(&ein);
    ok = bdclose(&aus) == 0 && ok;
    return ok ? 0 : ERROR;
}

int ZeiAlsText(const char* zeichnung, const char* textpfad)
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zeichnung) != 0) {
        return ERROR;
    }
    BDAT aus;
    if (bdmake(&aus, textpfad) < 0) {
        bdclose(&z.datei);
        return ERROR;
    }
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = BEF_VER;
    b.iarg[0] = ZEIVERSION;
    bool ok = ztZeile(&aus, BefZuText(&b));
    while (ok && ZeiBefLesen(&z, &b) == 0) {
        ok = ztZeile(&aus, BefZuText(&b));
    }
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(ZeiFormat(&z));
    ok = ok && ztZeile(&aus, BefZuText(&b));
    if (bdlesefehler(&z.datei)) {
        ok = false;
    }
    bdclose(&z.datei);
    ok = bdclose(&aus) == 0 && ok;
    return ok ? 0 : ERROR;
}

int ZeiAusText(const char* zeichnung, const char* textpfad)
{
    BDAT ein;
    if (bdopenlesen(&ein, textpfad) < 0) {
        return ERROR;
    }
    ZeiDatei z;
    if (ZeiDateiAnlegen(&z, zeichnung) != 0) {
        bdclose(&ein);
        return ERROR;
    }
    auto zeile = std::make_unique<char[]>(ZEIZEILESUP + 1);
    bool an = false, format = false, ok = true;
    while (ok && bdgets(&ein, zeile.get(), ZEIZEILESUP) >= 0) {
        if (!strtrim(zeile.get())) {
            continue;
        }
        if (BefVersionZeile(zeile.get()) >= 0) {
            an = true;
            continue;
        }
        BEF b;
        if (!an || TextZuBef(&b, zeile.get()) != 0) {
            continue;  // before the version line, or no record
        }
        format = format || BefFormat(b.code);
        ok = ZeiBefSchreiben(&z, &b) == 0;
    }
    if (bdlesefehler(&ein)) {
        ok = false;  // a text read short makes no drawing
    }
    bdclose(&ein);
    if (!ok) {
        ZeiDateiVerwerfen(&z);
        return ERROR;
    }
    if (!an) {
        ZeiDateiVerwerfen(&z);  // no drawing in the text: the old one stays
        return 0;
    }
    if (ZeiDateiSchliessen(&z) != 0) {
        return ERROR;
    }
    return format ? 1 : 0;
}
