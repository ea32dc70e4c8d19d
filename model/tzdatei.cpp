// Loading a drawing file into the store and saving the store as a drawing
// file. Prefix `Tz`. Saving writes through the drawing file's temporary
// file: the old drawing is replaced only when every write and the close
// succeeded; any failure leaves it byte for byte and answers -1 with a
// warning. Calls the store internals, the drawing file, the graphic state,
// the record expander, the directory kinds, the numbered texts and the
// warning box of config/, the attributes of support/ and the editor hooks.
#include <cstring>
#include <utility>

#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "model/tzint.h"
#include "model/zeichnun.h"
#include "model/zerleg.h"
#include "support/dosdatei.h"

using namespace modh;  // the model's calls through its service tables

namespace {

ZeiDatei* tzSchreibDatei = nullptr;
bool tzSchreibFehler = false;

int tzSchreiben(const BEF* b)
{
    if (ZeiBefSchreiben(tzSchreibDatei, b) < 0) tzSchreibFehler = true;
    return 0;
}

void tzNichtGespeichert(const char* pfad)
{
    char text[ZEIPFADSUP + 80];
    snprintf(text, sizeof text, "Die Zeichnung %s konnte nicht gespeichert werden.", pfad);
    konfHaken().warnung(text);
}

}  // namespace

int TzLaden(const char* pfad, const STT* start, STT* aus, int mitKopf, int mischen, int jeObjekt)
{
    TzZeichnenAlles();
    // The state before the next record and the one after it, swapped at
    // each object rather than copied.
    STT zustaende[2] = {*start, {}};
    STT* z = &zustaende[0];
    STT* nach = &zustaende[1];
    ZeiDatei d;
    if (ZeiDateiLesend(&d, pfad) != 0) return -1;
    if (mitKopf) KopfSammelnAnfang();
    char fehlt[ZERFEHLSUP + 1];
    FehlBauteilHolen(fehlt, sizeof fehlt);
    BEF b;
    tzZellenAufschieben();
    while (ZeiBefLesen(&d, &b) == 0) {
        if (mitKopf && BefIstKopfSatz(b.code)) KopfSatz(&b);
        if (BefIstObjekt(b.code) && !(mischen && BefIstText(b.code) && std::strncmp(b.text, "@Y", 2) == 0)) {
            double box[4];
            BefAusdehnung(&b, z, box, nach);
            int id = tzEinfuegenKern(-1, &b, z, box, nach);
            if (id >= 0) {
                BauDefObjMerken(id);
                if (mischen) AppObjektNeu(&b, z);
            }
            if (jeObjekt) BefGruppeSchliessen();
            // The extent was measured by expanding the record from z: the
            // state after it is the one the expansion left, so a component
            // reference is not expanded a second time.
            std::swap(z, nach);
            continue;
        }
        BefZerlegen(&b, z, nullptr);
    }
    tzZellenNachholen();
    if (mitKopf) KopfSammelnEnde();
    ZeiDateiSchliessen(&d);
    *aus = *z;
    TzZeichnenAlles();
    FehlBauteilHolen(fehlt, sizeof fehlt);
    if (fehlt[0]) StatusTextf(TextNr(1202), fehlt);
    return 0;
}

int TzSpeichern(const char* pfad, const STT* start, const STT* ende, int mitKopf)
{
    char voll[ZEIPFADSUP + 1];
    PfadBilden(1, pfad, nullptr, voll, sizeof voll);
    int attr = dosattrib(voll);
    if (attr != DOSATTR_FEHLT && (attr & DOSATTR_NURLESEN)) {
        konfHaken().warnung(TextNr(1093));
        return -1;
    }
    ZeiDatei d;
    if (ZeiDateiAnlegen(&d, voll) != 0) {
        tzNichtGespeichert(voll);
        return -1;
    }
    tzSchreibDatei = &d;
    tzSchreibFehler = false;
    if (mitKopf && KopfSchreiben(&d) != 0) tzSchreibFehler = true;
    if (TzAnzahl() > 0) {
        STT z = *start;
        int neu = TzNeueId();
        for (int id = TzNaechstes(-1); id < TZENDE && id != neu && !tzSchreibFehler; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            if (TzObjHolen(id, &b, &s) != 0) {
                tzSchreibFehler = true;
                break;
            }
            SttDifferenz(&z, &s, tzSchreiben);
            z = s;
            if (ZeiBefSchreiben(&d, &b) < 0) tzSchreibFehler = true;
            BefZerlegen(&b, &z, nullptr);
        }
        SttDifferenz(&z, ende, tzSchreiben);
    }
    tzSchreibDatei = nullptr;
    if (tzSchreibFehler) {
        ZeiDateiVerwerfen(&d);
        tzNichtGespeichert(voll);
        return -1;
    }
    if (ZeiDateiSchliessen(&d) != 0) {
        tzNichtGespeichert(voll);
        return -1;
    }
    return 0;
}
