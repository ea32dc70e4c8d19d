// Generated equipment texts of placed components: inserting the item's texts
// at a component's placeholder texts, deleting the texts generated before
// and marking them. Each operation expands one component record under its
// state into work lists allocated for the call. Prefix `Texte` (`tx` inside).
// Calls the queue and executor (model/beffifo, editor/befausf), the store,
// the record expander, the article placeholders and reference texts of
// equipment/, and the editor's calls up (editor/edtaufrufe) for labelling.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int TXLISSUP = 500;  // collected texts and cross-reference positions

// Inserts the texts of item `id` for the component entry (code `text`,
// number `nr`) at the placeholder texts of the component record b placed
// under state s; the editor's state is the same afterwards.
void TexteEinfuegen(const BEF* b, const STT* s, uint32_t id, const char* text, int nr);
// Deletes the texts generated for the component: per placeholder text the
// nearest text element within 2.0 in x and y (with `alle` 0 only "@Y"
// reference texts), and the second nearest when it lies within 1.0 of that.
void TexteEntfernen(const BEF* b, const STT* s, int alle);
// Marks those texts with `marke`; mode 2 also every "@Y" text of the item
// `id` in the component's area. The last item id read from a reference
// text, 0 when none.
uint32_t TexteMarkieren(const BEF* b, const STT* s, int modus, int marke, uint32_t id);
// 1 when the component exists in the library of short name `bib`; shared
// with the contact mirrors and terminals, whose equipment headers cannot sit
// beside the library's.
int TexteBauteilDa(const char* bib, const char* name);
constexpr int TXNAMSUP = 20;  // characters of a component name

// Installs TexteEntfernen as the equipment layer's TexteLoeschen.
void TexteHakenSetzen();
