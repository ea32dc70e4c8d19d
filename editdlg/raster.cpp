// Position, origin and grid of the editor (DB1102). The fields follow the
// graphic state and the grid of the command execution; a relative field is
// rewritten only when the relative position itself moved, so typing into
// one never fights the refresh. The grid switch is the editor's own, kept
// with its grid; switching the grid off keeps the steps it had for
// switching it on again (for the whole run).
#include "editdlg/dbteile.h"
#include "editdlg/einstell.h"
#include "editdlg/einstint.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "model/beffifo.h"
#include "platform/nachricht.h"
#include "winlib/dlgitem.h"

namespace {

constexpr int RAS_BA = 21, RAS_SW = 142, RAS_CS = 143, RAS_CL = 144, RAS_MKT = 145;
constexpr double RASFEIN = 0.1;  // the step while the grid is off

struct RasGezeigt {
    double x, y, mkx, mky, swx, swy;
    double relx, rely;  // the relative values last written
    int an;             // the grid switch last shown
};
RasGezeigt rasGezeigt{};
double rasGemerkt[2] = {RASFEIN, RASFEIN};  // steps before it went off

void rasFuellen(bool voll)
{
    const STT s = EstZustand();
    const BEFRASTER* r = BefRasterWerte();
    RasGezeigt& a = rasGezeigt;
    DbFuellen f;
    const double relx = s.x - r->mkx, rely = s.y - r->mky;
    if (voll || relx != a.relx) DlgZahlSetzen(3000, a.relx = relx);
    if (voll || rely != a.rely) DlgZahlSetzen(3010, a.rely = rely);
    if (voll || s.x != a.x) DlgZahlSetzen(3020, s.x);
    if (voll || s.y != a.y) DlgZahlSetzen(3030, s.y);
    if (voll || r->mkx != a.mkx) DlgZahlSetzen(3040, r->mkx);
    if (voll || r->mky != a.mky) DlgZahlSetzen(3050, r->mky);
    if (voll || r->swx != a.swx) DlgZahlSetzen(3100, r->swx);
    if (voll || r->swy != a.swy) DlgZahlSetzen(3110, r->swy);
    wiKnopfSetzen(2600, r->mkx != 0 || r->mky != 0);
    const int an = r->aus ? 0 : 1;
    if (voll || an != a.an) wiKnopfSetzen(2610, a.an = an);
    a.x = s.x;
    a.y = s.y;
    a.mkx = r->mkx;
    a.mky = r->mky;
    a.swx = r->swx;
    a.swy = r->swy;
}

int rasInit(int, const char* const*)
{
    DbDlgAnfang(DBEINSTELL);
    rasFuellen(true);
    return 0;
}

int rasExit()
{
    DbDlgEnde(DBEINSTELL);
    return 0;
}

int rasBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (EstSchliessen(id)) return 1;
    switch (id) {
    case 2999: rasFuellen(false); return 1;
    case 3000:
    case 3010:
        if (EstGetippt(wp)) {
            RasGezeigt& a = rasGezeigt;
            a.relx = wiDezHolen(3000);
            a.rely = wiDezHolen(3010);
            BefEinreihenXY(RAS_BA, a.relx + wiDezHolen(3040), a.rely + wiDezHolen(3050));
        }
        return 1;
    case 3020:
    case 3030:
        if (EstGetippt(wp)) BefEinreihenXY(RAS_BA, rasGezeigt.x = wiDezHolen(3020), rasGezeigt.y = wiDezHolen(3030));
        return 1;
    case 3040:
    case 3050:
        if (EstGetippt(wp))
            BefEinreihenXY(RAS_MKT, rasGezeigt.mkx = wiDezHolen(3040), rasGezeigt.mky = wiDezHolen(3050));
        return 1;
    case 3100:
    case 3110:
        if (EstGetippt(wp))
            BefEinreihenXY(RAS_SW, rasGezeigt.swx = wiDezHolen(3100), rasGezeigt.swy = wiDezHolen(3110));
        return 1;
    case 2600:
        if (EstGeklickt(wp)) {
            const STT s = EstZustand();
            if (wiKnopf(2600))
                BefEinreihenXY(RAS_MKT, s.x, s.y);
            else
                BefEinreihenXY(RAS_MKT, 0, 0);
        }
        return 1;
    case 2610:
        if (EstGeklickt(wp)) {
            const int an = wiKnopf(2610);
            BefRasterWerte()->aus = an ? 0 : 1;
            rasGezeigt.an = an;
            if (an) {
                BefEinreihenXY(RAS_SW, rasGemerkt[0], rasGemerkt[1]);
            } else {
                rasGemerkt[0] = BefRasterWerte()->swx;
                rasGemerkt[1] = BefRasterWerte()->swy;
                BefEinreihenXY(RAS_SW, RASFEIN, RASFEIN);
            }
        }
        return 1;
    case 2501: BefEinreihenCode(RAS_CL); return 1;
    case 2502: BefEinreihenCode(RAS_CS); return 1;
    default: return 0;
    }
}

}  // namespace

void DB1102Oeffnen() { EdtDialogOeffnen("DB1102", rasInit, rasExit, rasBefehl); }
