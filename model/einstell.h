// Drawing settings, pens and layers: the basic, viewer and editor settings
// blocks read from the active defaults set, the pen names ("Stifte.txt") and
// layer names ("Layer.txt") and the layer visibility flags. Prefixes
// `GrundEinst`, `ViEinst`, `EdEinst`, `Stift`, `Layer`. Calls the defaults
// store, directory kinds and test options of config/, the buffered files of
// support/, the geometry (tolerance) and the service hooks of model/.
#pragma once

#include <cstdint>

constexpr int EINSTPFADSUP = 100;   // path settings
constexpr int EINSTTEXTSUP = 40;    // short text settings
constexpr int VISTIFTSUP = 99;      // viewer pen entries
constexpr int STIFTSUP = 99;        // pen names 1..99
constexpr int LAYERSUP = 20;        // layers 1..20
constexpr int STIFTNAMESUP = 20;    // characters of a pen or layer name
constexpr int STIFTZEILESUP = 78;   // characters of a line of the name files

struct GRUNDEINST {
    char bpfad[EINSTPFADSUP + 1];   // ZvBPfad: directory kind 2
    char pfad6[EINSTPFADSUP + 1];   // filled by other modules
    char tpfad[EINSTPFADSUP + 1];   // ZvTPfad: kind 3
    char tzpfad[EINSTPFADSUP + 1];  // ZvTZPfad: kind 7
    char kpfad[EINSTPFADSUP + 1];   // ZvKPfad: placeholders expanded
    char hpfad[EINSTPFADSUP + 1];   // ZvHPfad: kind 6
    char vgbpfad[EINSTPFADSUP + 1]; // AP-ZvVgbPfad: kind 8
    int32_t zvx, zvy;               // tenths
    int32_t zvapr;
    int32_t zvms;                   // tenths
    int32_t zvmsr;
    int32_t zvtg, zvtr, zvtv, zvth; // tenths, whole degrees, tenths, tenths
    int32_t zvst, zvsa, zvsl;       // pen, style, tenths
    char zvbd[EINSTTEXTSUP + 1];
    char zvtd[EINSTTEXTSUP + 1];
    char zvhz[EINSTTEXTSUP + 1];
    uint8_t layanz[LAYERSUP];       // LayAnz0..19: display switches of layers 1..20
    int32_t layspeich, bmpstil, tbarstil, tbarlinks, ofstil, gebfenpos, pfadfeld;
};

struct VISTIFT {
    int32_t r, g, b;
    int32_t breite;     // at least 1
    int32_t zweit;      // second colour given
    int32_t r2, g2, b2;
};

struct VIEINST {
    VISTIFT stift[VISTIFTSUP];
    double flux, fluy, frox, froy;  // drawing area corners
    int32_t zfenst, zrahm;
    char font[EINSTTEXTSUP + 1];
    int32_t fofix;
    int32_t bgrgb[3];
};

struct EDEINST {
    uint8_t toolh, toolv, status;
    double rp0x, rp0y;
    double rpswx, rpswy;
    int32_t rpax, rpay;
    int32_t rprgb[3];
    double swx, swy;
    double kax, kay;
    double sl[8];                   // Edsl1..7; slot 0 repeats the first
    int32_t sa1max;
    int32_t baufar;
    int32_t baurgb[3], hzrgb[3];
    int32_t ts, ta, tm, hza;
    int32_t vorvrb;
    int32_t bmrnb, bmsort, bmlist;
    char lapfad[EINSTPFADSUP + 1];  // kind 4
    char ladatei[EINSTPFADSUP + 1];
    int32_t lalang;                 // below 2: 15, else 5..20
    int32_t aktrgb[3], bstrgb[3], mflrgb[3];
    char exenote[EINSTPFADSUP + 1];
    int32_t fka;
    char a3a4;                      // 't' or 'u'
    int32_t nk;                     // 1..4
    int32_t wnk;                    // 0..1
    int32_t sperre, datumneu;
    char datumnam[EINSTTEXTSUP + 1];
    int32_t grundbbw, elembearb, elembeweg;
    int32_t sumatx;                 // 1 when AP-EdSuMaTx is 0
    int32_t vorOpt[3];              // EdVorOpt1..3: component list preview (1 when missing)
};

// The program's own blocks.
GRUNDEINST* GrundEinst();
VIEINST* ViEinst();
EDEINST* EdEinst();

// Fill a block (null: the program's own).
void GrundEinstLesen(GRUNDEINST* g);
void ViEinstLesen(VIEINST* v);
void EdEinstLesen(EDEINST* e);

// Pen names 1..99 and layer names 1..20; the out buffers need
// STIFTNAMESUP + 1 bytes.
void StiftName(int n, char* name);
void StiftNameSetzen(int n, const char* name);
int StifteSpeichern();  // 0 or -1
void StifteVergessen();
void LayerName(int n, char* name);
void LayerNameSetzen(int n, const char* name);
int LayerSpeichern();   // 0 or -1
void LayerZuruecksetzen();
int LayerSichtbar(int n);
void LayerSichtSetzen(int n, int sichtbar);
