// Record commands and clipboard lines shared by the sectioned tables and the
// record lists (see elseite.h): the commands 2550-2555, handing a copy to
// the clipboard, the warning of an incomplete copy and reading pasted lines
// into records. Prefix `Els`. May call: platform/, support/, winlib/.
#include <cstring>
#include <string>

#include "controls/elseite.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/speicher.h"
#include "support/struarr.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"

bool ElsSatzBefehl(int befehl, const ElsSatzBefehle& aktionen)
{
    switch (befehl) {
    case 2550: aktionen.neu(false); break;
    case 2551: aktionen.loeschen(); break;
    case 2552: aktionen.kopieren(); break;
    case 2553:
        // Only a complete copy may be followed by the deletion.
        if (aktionen.kopieren()) PostMessage(wiDlgFenster(), WM_COMMAND, 2551, 0);
        break;
    case 2554: aktionen.einfuegen(); break;
    case 2555: aktionen.neu(true); break;
    default: return false;
    }
    return true;
}

void ElsAblageAbgeben(char* text)
{
    zeichentausch(text, 0x1C, '\t');
    wiClipText(text);
    ffree(text);
}

bool ElsKopieMelden(bool vollstaendig, int grenze)
{
    if (!vollstaendig) {
        wiMeldung("Nicht alle markierten Zeilen passen in die Zwischenablage (h\xf6" "chstens %d Zeichen).", grenze);
    }
    return vollstaendig;
}

bool ElsAblageLesen(char* text, int zeileSup, ElsLeseFn lesen, void* arbeit, const void* vorlage, int groesse,
                    SARR* saetze, int* index)
{
    zeichentausch(text, '\t', 0x1C);
    std::string zeile;
    const char* p = text;
    while (*p) {
        const char* lf = std::strchr(p, '\n');
        const size_t n = lf ? static_cast<size_t>(lf - p) : std::strlen(p);
        if (n > static_cast<size_t>(zeileSup)) return false;
        zeile.assign(p, n);
        const size_t cr = zeile.find('\r');
        if (cr != std::string::npos) zeile.resize(cr);
        p += n;
        if (*p == '\n') ++p;
        const int r = lesen ? lesen(arbeit, zeile.c_str()) : 0;
        if (r == 0) break;
        if (r == 1) saeinfuegen(saetze, arbeit, (*index)++);
        std::memcpy(arbeit, vorlage, static_cast<size_t>(groesse));
    }
    return true;
}
