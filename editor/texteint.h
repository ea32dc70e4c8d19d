// Shared inside editor/ by the generated texts (texte), contact mirrors
// (kspiegel) and terminal texts (klemmen): expanding a symbol into its
// placeholder texts and cross-reference point, and executing state changes
// and texts at once. Defined in texte.cpp.
#pragma once

#include <memory>
#include <string>

#include "equipment/btl.h"
#include "model/befehl.h"
#include "model/zustand.h"

constexpr int TXSYMSUP = 30;  // texts collected from one symbol (`bliste`, `sliste`)

struct TxSymbol {
    BEF bliste[TXSYMSUP];
    STT sliste[TXSYMSUP];
    int anz = 0;
    bool qvw = false;  // a cross-reference point (code 91 with number 0) was seen
    double qx = 0, qy = 0;
};

// Expands component `name` under s, collecting texts beginning with "@" and
// the cross-reference point; s receives the state after it.
std::unique_ptr<TxSymbol> TexteSymbolSammeln(const char* name, STT* s);
// Runs what is queued, then executes the state records to s at once.
void TexteZustandNach(const STT* s);
// Executes a copy of the text record with another text at once.
void TexteTextSofort(const BEF* muster, const std::string& text);
// The symbol of an entry: its `kb` field, or the component name and "K".
std::string TexteSymbolName(const appbteil* b);
