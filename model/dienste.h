// Service hooks of model/: the operations of higher layers (rendering,
// editor, equipment database) that the drawing model calls. One table of
// function pointers, never null: every entry starts as a documented
// stand-in, and the higher modules install their own at start-up. Entries
// left null in a table handed to ModDiensteSetzen keep what was installed.
// Prefix `ModDienst`. Calls nothing above model/.
#pragma once

#include <cstddef>
#include <cstdint>

// What the drawing model reads of the equipment database's records; the
// equipment layer fills these from its own records.
constexpr int MODTEXTSUP = 40;     // title and identifier texts
constexpr int MODARTSUP = 80;      // article texts
constexpr int MODTITELTEXTE = 20;  // text lines of a title record
constexpr int MODARTTEXTE = 10;    // first and further article texts

// A title record: project-wide, further project record 1 or 2, or a
// drawing's own record.
struct ModProjektText {
    char titel[MODTEXTSUP + 1];
    char autor[MODTEXTSUP + 1];
    char ort[MODTEXTSUP + 1];
    char text[MODTITELTEXTE][MODTEXTSUP + 1];
    char k1[MODTEXTSUP + 1];
    char k2[MODTEXTSUP + 1];
};

// An equipment item: its kind number and its two identifiers.
struct ModGeraet {
    uint32_t id;
    int32_t art;                   // selects BMFkuse0..5
    char kg[MODTEXTSUP + 1];       // main identifier
    char kz[MODTEXTSUP + 1];       // alternative identifier
    char artnr[MODARTSUP + 1];     // article number
};

// A component entry of an item.
struct ModBauteil {
    int32_t platziert;             // 0 not placed
    double x, y;
    char ze[21];                   // drawing key of its drawing
    char kb[21];                   // component text of the entry
};

// An article: number, first text and further texts.
struct ModArtikel {
    char nummer[MODARTSUP + 1];
    char text[MODARTTEXTE][MODARTSUP + 1];
};

// The equipment settings the model uses.
struct ModBmEinst {
    double spnull, spabst;         // SPnull, SPabst
    int32_t spblatt, spfort;       // SPblatt, SPfort
    int32_t bmseite, bmpfad;       // BMseite, BMpfad: digits
    int32_t bmksnull, bmuse;       // BMksnull, BMuse
    int32_t bmnorm;                // alternative identifiers on
    int32_t bmtzfeld;              // 1 '.', 2 '-', else none
    int32_t fkuse[6];              // BMFkuse0..5
    int32_t zkzei, bpzei;          // BMzkZei, BMbpZei
    double bpyoff;                 // BMbpYoff
    int32_t fbpzei;                // BMFbpZei
    double fbpyoff;                // BMFbpYoff
    int32_t zknvrw;                // BMzkNvrw
    double zkyoff;                 // BMzkYoff
    double zktg, bptg;             // BMzkTG, BMbpTG
};

struct ModDienste {
    // Replaces a colour name in place by its "r g b" text ("0 0 0" when
    // unknown). Stand-in: always "0 0 0".
    void (*RgbAusFarbname)(char* text, size_t kap);
    // Upper limit of dash lengths of the line-style module (0 = none).
    // Stand-in: nothing.
    void (*StrichMaxSetzen)(int n);

    // Equipment database. Stand-ins: equipment use off, no items, empty
    // title records, settings 0.
    // Identifier and position of an item; 0 or the builder's code 1..9.
    // Stand-in: "---", 0.
    int (*BMKennungPosition)(char* text, size_t kap, uint32_t id) = nullptr;
    int (*GesHolen)(uint32_t id, ModGeraet* g) = nullptr;  // 0, or -1 (zeroed)
    // Component entry of kind and number; 1 found, 0 none (zeroed).
    int (*BtlSuchen)(uint32_t id, const char* art, int nr, ModBauteil* b) = nullptr;
    // Mode 1: the text without the 0x02..0x03 parts; mode 2: only those.
    void (*MarkenTeil)(char* aus, size_t kap, const char* text, int modus) = nullptr;
    void (*UtitelProjektText)(ModProjektText* t) = nullptr;
    void (*UtitelProjektWeiterer)(int n, ModProjektText* t) = nullptr;  // n 1 or 2
    void (*UtitelZeichnungText)(const char* name, ModProjektText* t) = nullptr;
    // Translation of title line n of a drawing; empty when none.
    void (*FstxTitelText)(const char* name, int n, char* aus, size_t kap) = nullptr;
    void (*ChkTextHolen)(int liste, const char* code, char* aus, size_t kap) = nullptr;
    void (*BMCodeWert)(const char* variable, char* aus, size_t kap) = nullptr;
    void (*BtlPositionText)(char* aus, size_t kap, uint32_t id, const char* art, int nr) = nullptr;
    void (*BtlPositionAlt)(char* aus, size_t kap, uint32_t id, const char* art, int nr, int modus) = nullptr;
    void (*HulVerweisPositionen)(char* a, char* b, size_t kap, uint32_t id, const char* art, int nr,
                                 int modus) = nullptr;
    // Puts the stem and the separator of "BMtzfeld" in front of the text.
    void (*HulTrennzeichen)(char* text, size_t kap, const char* stamm) = nullptr;
    // Text lines count from 0; line 99 is the component's own text.
    void (*GtxTextHolen)(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile) = nullptr;
    void (*ZtxTextHolen)(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile) = nullptr;
    void (*GtxHauptText)(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile) = nullptr;
    int (*BtlIstUnter)(const char* art) = nullptr;  // 'U' or a lower-case letter
    int (*ArtSuchen)(const char* nummer, ModArtikel* a) = nullptr;  // 1 exists
    void (*BMKennungHolen)(char* aus, size_t kap, uint32_t id) = nullptr;
    const ModBmEinst* (*BmEinst)() = nullptr;

    // Drawing editor: start and current point of the element under
    // construction. Stand-in: nothing.
    void (*BaubfStartXY)(double x, double y) = nullptr;
};

// The table in force (every entry set).
const ModDienste& ModDienst();
// Installs the non-null entries of `d`.
void ModDiensteSetzen(const ModDienste& d);
// Installs the entries `eintragen` fills in an empty table.
void ModDiensteSetzen(void (*eintragen)(ModDienste* d));
// Back to the stand-ins (tests).
void ModDiensteStandard();

// Calls through the table.
// Calls through the table. They live in namespace `modh` so that the higher
// layers can define the services under the same names and register them.
namespace modh {
void RgbAusFarbname(char* text, size_t kap);
void StrichMaxSetzen(int n);
int BMKennungPosition(char* text, size_t kap, uint32_t id);
int GesHolen(uint32_t id, ModGeraet* g);
int BtlSuchen(uint32_t id, const char* art, int nr, ModBauteil* b);
void MarkenTeil(char* aus, size_t kap, const char* text, int modus);
void UtitelProjektText(ModProjektText* t);
void UtitelProjektWeiterer(int n, ModProjektText* t);
void UtitelZeichnungText(const char* name, ModProjektText* t);
void FstxTitelText(const char* name, int n, char* aus, size_t kap);
void ChkTextHolen(int liste, const char* code, char* aus, size_t kap);
void BMCodeWert(const char* variable, char* aus, size_t kap);
void BtlPositionText(char* aus, size_t kap, uint32_t id, const char* art, int nr);
void BtlPositionAlt(char* aus, size_t kap, uint32_t id, const char* art, int nr, int modus);
void HulVerweisPositionen(char* a, char* b, size_t kap, uint32_t id, const char* art, int nr, int modus);
void HulTrennzeichen(char* text, size_t kap, const char* stamm);
void GtxTextHolen(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile);
void ZtxTextHolen(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile);
void GtxHauptText(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile);
int BtlIstUnter(const char* art);
int ArtSuchen(const char* nummer, ModArtikel* a);
void BMKennungHolen(char* aus, size_t kap, uint32_t id);
const ModBmEinst* BmEinst();
void BaubfStartXY(double x, double y);
}  // namespace modh
