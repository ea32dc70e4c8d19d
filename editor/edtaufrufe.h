// Calls of the drawing editor up into the editor dialogs and the equipment
// lists: one table of function pointers, never null. Every entry starts as a
// stand-in that does nothing (the file checks pass); the dialog and list
// modules install their own at start-up (EdtAufrufeSetzen; null entries keep
// what was installed), and tests install recording ones. Prefix
// `EdtAufruf`; the entries keep the names of the functions they stand for.
// Calls nothing.
#pragma once

#include <cstdint>

struct BEF;
struct STT;
struct appgeraet;
struct appbteil;

struct EdtAufrufe {
    void (*DBDialogOeffnen)(int n) = nullptr;
    // A text element of `code` at (x, y) with `text` (linked: the 0x01 'L' mark) in the text dialog.
    void (*TextDialogMitText)(int code, int verknuepft, const char* text, double x, double y) = nullptr;
    void (*DB1231Oeffnen)() = nullptr;
    void (*DB1351Oeffnen)() = nullptr;
    void (*DB1354Oeffnen)() = nullptr;
    void (*DB1354Weiter)(int id) = nullptr;  // as the open labelling dialog's button id
    // Queues item `id` (record, component entry, pasted record and state) for its identifier.
    void (*AppKennungAnlegen)(uint32_t id, const appgeraet* g, const appbteil* b, const BEF* bef, const STT* s) = nullptr;
    // Queues the label placeholder `b` at `s` of component (id, code, nr).
    void (*AppTextAnlegen)(uint32_t id, const char* code, int nr, const BEF* b, const STT* s) = nullptr;
    int (*BauDateiPruefen)(const char* pfad) = nullptr;       // 0 or -1
    int (*TextDateiPruefen)(const char* pfad) = nullptr;      // 0 or -1
    void (*BmlUmschalten)() = nullptr;
    // The equipment list page selects item `id` (switching to its mode), or
    // follows the editor's pick of a component of item `id` while it is open.
    void (*BmlGeheZu)(uint32_t id) = nullptr;
    void (*BmlEditorAuswahl)(uint32_t id) = nullptr;
    void (*DB1345Oeffnen)() = nullptr;
    void (*DB1312Oeffnen)(const char* makro) = nullptr;
    void (*DB1006Oeffnen)() = nullptr;
};

// The table in force (every entry set).
const EdtAufrufe& EdtAufrufTabelle();
// Installs the non-null entries of a.
void EdtAufrufeSetzen(const EdtAufrufe& a);
// Back to the stand-ins (tests).
void EdtAufrufeStandard();
