// Services of the editor, its dialogs and the evaluation modes that the
// equipment work layer calls: one table of function pointers, never null.
// Each entry starts as the documented stand-in below; editor/, editdlg/ and
// lists/ install their own at start-up (AppHakenSetzen; null entries keep
// what was installed). Prefix `AppHaken`; the calls keep the neighbours'
// names. Calls the unassigned placements (wse), the work layer (app) and
// model (the current drawing).
//
// Stand-ins: DB1350Wartet and DB1352Wartet answer 0; the assignments,
// forgets, moves, renames, DB1354Anlegen and TexteLoeschen do nothing; each
// packer writes a 32-bit flag 0 (size 4 without a buffer) and its unpacker
// reads it; InfoZuordnen records the symbol as an unassigned placement
// (name cut to 20) and notes a change without id; the drawing name is the
// current drawing's (ZeiAktName).
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

struct AppHaken {
    // Main-component assignment dialog.
    int (*DB1350Wartet)(const char* name) = nullptr;
    void (*DB1350Zuordnen)(const BEF* b, const STT* s) = nullptr;
    void (*DB1350Entfernen)(const char* name, double x, double y) = nullptr;
    void (*DB1350Verschieben)(const char* name, double x, double y, double nx, double ny) = nullptr;
    void (*DB1350Umbenennen)(const char* name, const char* neu, double x, double y) = nullptr;
    long (*DB1350Packen)(void* puffer) = nullptr;
    void (*DB1350Entpacken)(const void* puffer) = nullptr;
    // Sub-component assignment dialog.
    int (*DB1352Wartet)(const char* name) = nullptr;
    void (*DB1352Zuordnen)(const BEF* b, const STT* s) = nullptr;
    void (*DB1352Entfernen)(const char* name, double x, double y) = nullptr;
    void (*DB1352Verschieben)(const char* name, double x, double y, double nx, double ny) = nullptr;
    void (*DB1352Umbenennen)(const char* name, const char* neu, double x, double y) = nullptr;
    long (*DB1352Packen)(void* puffer) = nullptr;
    void (*DB1352Entpacken)(const void* puffer) = nullptr;
    // Labelling and identifier dialogs.
    void (*DB1354Anlegen)(uint32_t id, const char* name, int nr, const BEF* b, const STT* s) = nullptr;
    long (*DB1354Packen)(void* puffer) = nullptr;
    void (*DB1354Entpacken)(const void* puffer) = nullptr;
    long (*DB1361Packen)(void* puffer) = nullptr;
    void (*DB1361Entpacken)(const void* puffer) = nullptr;
    // Component-information assignment.
    void (*InfoZuordnen)(const BEF* b, const STT* s) = nullptr;
    // Editor: the generated reference texts of a placed component; the
    // name of the drawing being edited.
    void (*TexteLoeschen)(const BEF* b, const STT* s, int flag) = nullptr;
    const char* (*ZeichnungName)() = nullptr;
};

const AppHaken& AppHakenTabelle();
void AppHakenSetzen(const AppHaken& h);
void AppHakenStandard();

int DB1350Wartet(const char* name);
void DB1350Zuordnen(const BEF* b, const STT* s);
void DB1350Entfernen(const char* name, double x, double y);
void DB1350Verschieben(const char* name, double x, double y, double nx, double ny);
void DB1350Umbenennen(const char* name, const char* neu, double x, double y);
long DB1350Packen(void* puffer);
void DB1350Entpacken(const void* puffer);
int DB1352Wartet(const char* name);
void DB1352Zuordnen(const BEF* b, const STT* s);
void DB1352Entfernen(const char* name, double x, double y);
void DB1352Verschieben(const char* name, double x, double y, double nx, double ny);
void DB1352Umbenennen(const char* name, const char* neu, double x, double y);
long DB1352Packen(void* puffer);
void DB1352Entpacken(const void* puffer);
void DB1354Anlegen(uint32_t id, const char* name, int nr, const BEF* b, const STT* s);
long DB1354Packen(void* puffer);
void DB1354Entpacken(const void* puffer);
long DB1361Packen(void* puffer);
void DB1361Entpacken(const void* puffer);
void InfoZuordnen(const BEF* b, const STT* s);
void TexteLoeschen(const BEF* b, const STT* s, int flag);
const char* AppZeiName();
