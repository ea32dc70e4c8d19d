// The buttons the single-entry dialogs of the lists share: OK (unless the
// list control takes Enter) and "Übernehmen" save, closing when "Schließen
// nach Übernehmen" is ticked; the next row asks to save a changed entry
// first; Esc and "Abbrechen" drop the changes and close. A save function
// may return bool: false (it refused the entry and said why) keeps the
// dialog open on its row.
#pragma once

#include <type_traits>

#include "config/reaktion.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wiwerk.h"

template <typename Speichern>
bool EinzSeiteGespeichert(Speichern& speichern)
{
    if constexpr (std::is_same_v<decltype(speichern()), bool>)
        return speichern();
    else {
        speichern();
        return true;
    }
}

// `geaendert` is the dialog's changed flag, `zeile` the row it shows;
// `lp` carries the row of command 2512. True when `id` was one of them.
template <typename Speichern, typename Zeigen>
bool EinzSeiteKnopf(int id, LPARAM lp, int& geaendert, int& zeile, Speichern speichern, Zeigen zeigen)
{
    switch (id) {
    case 1:
        if (wiGrbuAusloesen()) return true;
        [[fallthrough]];
    case 2500:
        if (EinzSeiteGespeichert(speichern) && wiKnopf(2502)) wiDlgSchliessen();
        return true;
    case 2512:
        if (geaendert && wiFrage(TextNr(39)) == 1 && !EinzSeiteGespeichert(speichern)) return true;
        zeile = static_cast<int>(lp);
        zeigen();
        return true;
    case 2:
    case 2501:
        geaendert = 0;
        wiDlgSchliessen();
        return true;
    default: return false;
    }
}
