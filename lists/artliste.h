// The article list "AppArtListe" and the sub-article list "AppStkListe"
// over the two sections of the article file, with their single-record
// dialogs "AppArtEinz" and "AppStkEinz" and the paste buffers of those.
// Prefix `Art`/`Stk` for the record callbacks, none for the openers. Calls
// equipment (articles, stock), controls (record list), winlib, config.
#pragma once

#include <string>
#include <vector>

// Record callbacks of the two lists (the article file's line forms).
int ArtSatzLesen(void* satz, const char* zeile);
void ArtSatzZeile(const void* satz, char* zeile, int groesse);
void ArtSatzNeu(void* satz);
int StkSatzLesen(void* satz, const char* zeile);
void StkSatzZeile(const void* satz, char* zeile, int groesse);
void StkSatzNeu(void* satz);

// The search of both lists: from the row after `ab`, the first row whose
// searched fields hold the text (ignoring case); -1 none (no wrap).
int ArtListeSuchen(const std::vector<std::vector<std::string>>& felder, int ab, const char* text);

// Paste into the fields of a single record: 2522 only empty fields, 2523
// only from non-empty buffer fields, 2524 every field.
void ArtEinfuegen(std::vector<std::string>& felder, const std::vector<std::string>& puffer, int befehl);

void AppArtListeOeffnen();
void AppStkListeOeffnen();
