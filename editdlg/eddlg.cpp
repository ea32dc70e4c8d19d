// Start-up registration of the editor dialogs and the command line's file
// checks.
#include "editdlg/eddlg.h"

#include "config/verzeich.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/bmtexte.h"
#include "editdlg/textdlg.h"
#include "editdlg/zuordnung.h"
#include "editor/edtseite.h"
#include "editor/edtaufrufe.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "model/bauteil.h"
#include "support/dosdatei.h"

int BauDateiPruefen(const char* name)
{
    char pfad[BAUPFADSUP + 1];
    if (name && BauPfad(name[0] == '.' ? name + 1 : name, pfad, sizeof pfad) == 0 && dateilaenge(pfad) >= 0) return 0;
    EdtBefehlPosten(1103);
    return 1;
}

int TextDateiPruefen(const char* name)
{
    char pfad[VERSUP + 1];
    PfadText(pfad, sizeof pfad, name ? name : "");
    if (name && name[0] && dateilaenge(pfad) >= 0) return 0;
    EdtBefehlPosten(1103);
    return 1;
}

void EdDlgHakenSetzen()
{
    ZuordnungHakenSetzen();
    EdtAufrufe a;
    a.BauDateiPruefen = BauDateiPruefen;
    a.TextDateiPruefen = TextDateiPruefen;
    a.TextDialogMitText = TextDialogMitText;
    a.AppTextAnlegen = AppTextAnlegen;
    a.AppKennungAnlegen = AppKennungAnlegen;
    a.DB1354Oeffnen = DB1354Oeffnen;
    a.DB1354Weiter = DB1354Weiter;
    a.DB1351Oeffnen = DB1351Oeffnen;
    EdtAufrufeSetzen(a);
}
