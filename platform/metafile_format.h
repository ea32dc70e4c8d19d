// Byte formats of Windows metafiles (WMF, with or without the 22-byte
// placeable header) and enhanced metafiles (EMF), as documented: checking
// readers that walk the records of a byte block and writers that build one.
// Prefixes `plWmf`, `plEmf`. A reader first checks the whole block (header,
// every record's size inside the block, the end record); only a block that
// passes is walked, so a player never sees a record that reaches past the
// end. May call: platform/bild_le.h, the standard library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bild_le.h"
#include "platform/windef.h"

// ---- WMF record functions (documented values) --------------------------------
enum : uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_REALIZEPALETTE = 0x0035,
    META_SETPALENTRIES = 0x0037,
    META_CREATEPALETTE = 0x00F7,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETRELABS = 0x0105,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETSTRETCHBLTMODE = 0x0107,
    META_SETTEXTCHAREXTRA = 0x0108,
    META_RESTOREDC = 0x0127,
    META_INVERTREGION = 0x012A,
    META_PAINTREGION = 0x012B,
    META_SELECTCLIPREGION = 0x012C,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_RESIZEPALETTE = 0x0139,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_SETLAYOUT = 0x0149,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETTEXTJUSTIFICATION = 0x020A,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F,
    META_OFFSETVIEWPORTORG = 0x0211,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_OFFSETCLIPRGN = 0x0220,
    META_FILLREGION = 0x0228,
    META_SETMAPPERFLAGS = 0x0231,
    META_SELECTPALETTE = 0x0234,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_SCALEWINDOWEXT = 0x0410,
    META_SCALEVIEWPORTEXT = 0x0412,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_FLOODFILL = 0x0419,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_FRAMEREGION = 0x0429,
    META_ANIMATEPALETTE = 0x0436,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_EXTFLOODFILL = 0x0548,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_ESCAPE = 0x0626,
    META_CREATEREGION = 0x06FF,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_BITBLT = 0x0922,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_STRETCHBLT = 0x0B23,
    META_DIBSTRETCHBLT = 0x0B41,
    META_SETDIBTODEV = 0x0D33,
    META_STRETCHDIB = 0x0F43,
};

// ---- EMF record types (documented values) --------------------------------------
enum : uint32_t {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_SETBRUSHORGEX = 13,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPPERFLAGS = 16,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_OFFSETCLIPRGN = 26,
    EMR_MOVETOEX = 27,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SCALEVIEWPORTEXTEX = 31,
    EMR_SCALEWINDOWEXTEX = 32,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_LINETO = 54,
    EMR_ARCTO = 55,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_CLOSEFIGURE = 61,
    EMR_FILLPATH = 62,
    EMR_STROKEANDFILLPATH = 63,
    EMR_STROKEPATH = 64,
    EMR_GDICOMMENT = 70,
    EMR_FILLRGN = 71,
    EMR_FRAMERGN = 72,
    EMR_INVERTRGN = 73,
    EMR_PAINTRGN = 74,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_SETDIBITSTODEVICE = 80,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYBEZIERTO16 = 88,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_CREATEMONOBRUSH = 93,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
    EMR_EXTCREATEPEN = 95,
    EMR_SETICMMODE = 98,
};

inline constexpr uint32_t PL_WMF_PLATZIERT_KENNUNG = 0x9AC6CDD7u;
inline constexpr size_t PL_WMF_PLATZIERT_GROESSE = 22;
inline constexpr size_t PL_WMF_KOPF_GROESSE = 18;
inline constexpr uint32_t PL_EMF_SIGNATUR = 0x464D4520u;  // " EMF"
inline constexpr size_t PL_EMF_KOPF_GROESSE = 88;          // without the optional tail
inline constexpr size_t PL_EMF_KOPF_VOLL = 108;            // with pixel format and micrometres
// Object tables of a player: more slots than this is refused (a header that
// claims 60000 objects would otherwise make a player allocate for them).
inline constexpr uint32_t PL_META_OBJEKTSUP = 16384;

// ---- Placeable header ------------------------------------------------------------
struct plWmfPlatziert {
    int16_t links = 0, oben = 0, rechts = 0, unten = 0;
    uint16_t einheitenProZoll = 0;
};
// XOR of the ten 16-bit words before the checksum.
uint16_t plWmfPruefsumme(const uint8_t* kopf22);
// The 22 header bytes with the checksum filled in.
std::vector<uint8_t> plWmfPlatziertBauen(const plWmfPlatziert& p);
// True when the block starts with the placeable key (the checksum is not
// checked: files of other programs often carry a wrong one).
bool plWmfIstPlatziert(const uint8_t* daten, size_t laenge);
// Reads a placeable header; -1 when the block is shorter than it or has no key.
int plWmfPlatziertLesen(const uint8_t* daten, size_t laenge, plWmfPlatziert& p);

// ---- WMF -----------------------------------------------------------------------------
struct plWmfKopf {
    uint16_t typ = 1;          // 1 memory, 2 disk
    uint16_t version = 0x0300;
    uint32_t groesseWorte = 0; // whole metafile in 16-bit words
    uint16_t objekte = 0;      // object table size
    uint32_t groessterDatensatz = 0;  // words
};
struct plWmfDatensatz {
    uint16_t funktion = 0;
    const uint8_t* param = nullptr;  // the parameters after the 6-byte record head
    size_t laenge = 0;               // bytes of parameters
};
// Checks a WMF block (bare, without a placeable header): the header, every
// record inside the size the header states and inside the block, and an end
// record. 0 and the header and records (pointing into `daten`), or -1 and a
// reason.
int plWmfPruefen(const uint8_t* daten, size_t laenge, plWmfKopf& kopf, std::vector<plWmfDatensatz>& saetze,
                 std::string* fehler = nullptr);

// Builds a WMF block: records are added with their parameters as 16-bit
// words; `fertig` appends the end record and fills the header in.
class plWmfSchreiber {
public:
    plWmfSchreiber();
    // Starts a record; its parameters follow through the returned writer
    // (16-bit aligned: the record ends padded to a word).
    plLeSchreiber& beginnen(uint16_t funktion);
    void beenden();
    void objekteSetzen(uint16_t n) { objekte_ = n; }
    // 1: a memory metafile (the default), 2: one made for a disk file.
    void typSetzen(uint16_t t) { typ_ = t; }
    // The finished block (header, records, end record).
    std::vector<uint8_t> fertig();

private:
    plLeSchreiber s_;
    size_t anfang_ = 0;
    uint32_t groesster_ = 3;
    uint16_t objekte_ = 0;
    uint16_t typ_ = 1;
    bool offen_ = false;
};

// ---- EMF -----------------------------------------------------------------------------
struct RECTL { LONG left; LONG top; LONG right; LONG bottom; };
struct SIZEL { LONG cx; LONG cy; };
struct POINTL { LONG x; LONG y; };

struct ENHMETAHEADER {
    DWORD iType;
    DWORD nSize;
    RECTL rclBounds;
    RECTL rclFrame;
    DWORD dSignature;
    DWORD nVersion;
    DWORD nBytes;
    DWORD nRecords;
    WORD nHandles;
    WORD sReserved;
    DWORD nDescription;
    DWORD offDescription;
    DWORD nPalEntries;
    SIZEL szlDevice;
    SIZEL szlMillimeters;
    DWORD cbPixelFormat;
    DWORD offPixelFormat;
    DWORD bOpenGL;
    SIZEL szlMicrometers;
};
static_assert(sizeof(ENHMETAHEADER) == PL_EMF_KOPF_VOLL, "ENHMETAHEADER is 108 bytes");
#define ENHMETA_SIGNATURE 0x464D4520

struct plEmfDatensatz {
    uint32_t typ = 0;
    const uint8_t* daten = nullptr;  // the whole record, head included
    size_t laenge = 0;               // bytes, head included
};
// Checks an EMF block: header record with signature, the size it states
// inside the block, every record's size (at least 8, a multiple of 4, inside
// the stated size), the record count and the end record last. 0 with the
// header (the optional tail zeroed when absent) and the records, or -1.
int plEmfPruefen(const uint8_t* daten, size_t laenge, ENHMETAHEADER& kopf, std::vector<plEmfDatensatz>& saetze,
                 std::string* fehler = nullptr);

// Builds an EMF block: `beginnen`/`beenden` around each record's fields (the
// 8-byte head is written by them); `fertig` adds the end record and the
// header with the given bounds and frame.
class plEmfSchreiber {
public:
    plEmfSchreiber();
    plLeSchreiber& beginnen(uint32_t typ);
    // Position of the record being written (offsets inside records count from it).
    size_t datensatzAnfang() const { return anfang_; }
    void beenden();
    std::vector<uint8_t> fertig(const RECTL& bounds, const RECTL& frame, SIZEL geraetPixel, SIZEL geraetMm,
                                uint16_t handles, const std::string& beschreibung);

private:
    plLeSchreiber s_;
    size_t anfang_ = 0;
    uint32_t anzahl_ = 1;
    bool offen_ = false;
};
