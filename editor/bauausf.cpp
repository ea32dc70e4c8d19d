// The executor's construction, pick and clipboard actions; see bauausf.h.
#include "editor/bauausf.h"

#include "editor/baubf.h"
#include "editor/edtseite.h"
#include "editor/befausf.h"
#include "editor/edtaufrufe.h"
#include "editor/elclip.h"
#include "editor/mehrfach.h"
#include "editor/objwahl.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "output/clip.h"

namespace {

enum : int {
    A_MLE = 73, A_MLG = 74, A_BEA = 158, A_BST = 159, A_SUB = 164, A_SUP = 166, A_SUV = 167, A_VRV = 168,
    A_VRR = 169, A_ATV = 171, A_ATR = 172, A_QTS = 173, A_SUE = 185, A_SUA = 186, A_ELV = 187, A_ELR = 188,
    A_BER = 189, A_ELM = 190, A_LME = 191, A_ZAK = 193, A_ZAE = 194, A_ZAA = 196, A_REC = 160, A_EXP = 192,
};

// "Then edit": with edit-after-pick on, the cursor object is taken into
// construction.
void baBearbeiten(int code)
{
    if (BefFlags()->bearb) ObjBearbeiten(code);
}

bool baLeerVerboten(int c)
{
    return c == 71 || c == 72 || c == 164 || c == 177 || c == 179 || c == 182 || (c >= 185 && c <= 191) ||
           c == 193 || c == 196;
}

}  // namespace

void BauAusfBefehl(const BEF* b)
{
    const int c = b->code;
    const STT* vor = BefVorZustand();
    if (TzAnzahl() == 0 && baLeerVerboten(c)) return;
    switch (c) {
    case A_BST: BaubfBefehl(b); break;
    case A_SUE:
        if (b->iarg[0] < 0) {
            ObjKlick(-b->iarg[0], b->darg[0], b->darg[1]);
        } else {
            ObjUebernehmen();
            ObjWaehlenArt(b->iarg[0], vor->x, vor->y);
            baBearbeiten(b->iarg[0]);
        }
        break;
    case A_SUA: {
        ObjUebernehmen();
        const bool hier = b->darg[0] == 0 && b->darg[1] == 0;
        ObjNaechsteNahe(b->iarg[0], hier ? vor->x : b->darg[0], hier ? vor->y : b->darg[1]);
        baBearbeiten(b->iarg[0]);
        break;
    }
    case A_ELV:
    case A_ELR:
        ObjUebernehmen();
        if (c == A_ELV) ObjNaechstes();
        else ObjVorheriges();
        baBearbeiten(0);
        break;
    case A_BER:
        ObjImRechteck(b->darg[0], b->darg[1], b->darg[2], b->darg[3]);
        baBearbeiten(0);
        break;
    case A_ELM:
        ObjUebernehmen();
        if (b->iarg[0] == 1) MarkUmkehren();
        else if (b->iarg[0] == 2) MarkAlle();
        else MarkWechseln();
        baBearbeiten(0);
        break;
    case A_LME:
        ObjUebernehmen();
        MarkLoeschen();
        break;
    case A_MLE:
    case A_MLG:
        ObjUebernehmen();
        if (c == A_MLE) MarkLetztes();
        else MarkWieder();
        baBearbeiten(0);
        break;
    case A_BEA:
        if (b->iarg[0] == 1) {
            ObjBearbeiten(0);
        } else if (b->iarg[0] == 2 && BaubfAktiv() && BaubfDialogIstOffen()) {
            BaubfSchritt(0);
            BaubfFertig();
        } else {
            ObjDialog();
        }
        break;
    case A_SUB:
        BaubfAbbrechen();
        ObjBauteilHier();
        baBearbeiten(0);
        break;
    case A_SUP: PunktFangen(vor->x, vor->y); break;
    case A_SUV: VarSuchen(0, vor->x, vor->y); break;
    case A_VRV: VarNaechste(0); break;
    case A_VRR: VarVorherige(0); break;
    case A_ATV: VarNaechste(1); break;
    case A_ATR: VarVorherige(1); break;
    case A_QTS: VarSuchen(2, b->darg[0], b->darg[1]); break;
    case A_ZAK:
        if (TzMarkAnzahl() == 0) break;
        ElKopieren(0, nullptr, 0);
        MarkUmkehren();
        BaubfAbbrechen();
        break;
    case A_ZAE:
        // Clipboard text without a drawing block ran as a macro already.
        if (!ClipStatusHolen(nullptr, nullptr, nullptr)) break;
        MarkUmkehren();
        BaubfAbbrechen();
        // The pasted lines are no parallel-line recording of their own.
        MflBefehl(0);
        ElEinfuegen(0, nullptr);
        MflBefehl(1);
        break;
    case A_EXP: {
        // The dispatcher committed a running element and queued the record
        // again. Without a name, or a kind, the export dialog asks.
        if (BaubfAktiv()) break;
        const int art = b->text[0] == 0 || b->iarg[0] < 0 ? 0 : b->iarg[0] == 0 ? ExportArt(b->text) : b->iarg[0];
        if (art == 0) {
            EdtAufrufTabelle().DB1006Oeffnen();
            break;
        }
        const int markiert = TzMarkAnzahl() > 0;
        BildExport(art, b->text, markiert, 0, 300, 0);
        if (markiert) MarkUmkehren();
        break;
    }
    case A_REC:
        if (!BaubfAktiv() && b->iarg[0] == 2) TextInDatei(b->text);
        break;
    case A_ZAA:
        if (TzMarkAnzahl() == 0) break;
        ElKopieren(1, nullptr, 0);
        MarkLoeschen();
        BaubfAbbrechen();
        break;
    default:
        break;
    }
    // The element follows the current position.
    EdtMausBewegt();
}

void BauAusfHakenSetzen()
{
    EdHaken h{};
    h.EditorBefehlAnwenden = [](const BEF* b) {
        BefAusfuehren(b);
        BauAusfBefehl(b);
    };
    EdHakenSetzen(h);
}
