// ORVAEDIT, the single-line input field: registration of its class, and the
// text rules it is built from, written as functions over texts so that they
// can be tested without a window: the creation text, number formatting with
// the locale separators (display, editing and plain forms), the date and
// time normalisation, and free and mask editing of a value.
// Prefix `edt` (the registration functions carry the class core's `ctl`).
// May call: platform/, support/, winlib/winbib.h and winlib/anwdaten.h, the
// class core (ctlkern).
#pragma once

#include <string>

#include "platform/windef.h"

// ---- Registration (called by ctlKlassenAnmelden / ctlKlassenAbmelden) ------------------------
void ctlEditKlasseAnmelden();
void ctlEditKlasseAbmelden();
// The value as an ORVAEDIT window holds it now (display form, or editing
// form while focused), blanks included; "" for another window.
std::string edtFeldWert(HWND fenster);

// ---- Capacities, kinds -----------------------------------------------------------------------
inline constexpr int EDTWERTSUP = 200;  // characters of a value, a mask, a program text
inline constexpr char EDTESC = 27;

// Kinds '0'..'5' and '9' are numbers.
bool edtIstZahl(char art);
// Decimals of a number kind ('9': up to 5).
int edtDezimalen(char art);
// The mask of a masked kind: "##.##.####" for 'D', "##:##" for 'H'; else "".
const char* edtStandardMaske(char art);
// Whether a typed character is allowed in free mode for the kind.
bool edtZeichenErlaubt(char art, unsigned char c);
// The mask's empty form: '#' -> '0', '$' -> blank, literals kept.
std::string edtMaskeLeer(const std::string& maske);

// ---- Creation text -----------------------------------------------------------------------------
struct EdtAnlage {
    char art;            // kind after the rules ('N' gives '9' with autoDezimalen)
    bool autoDezimalen;
    bool nullLeer;       // "-Z"
    bool festeLaenge;    // "-H n"
    int laenge;          // n of "-H", clamped to 0..200; -1 without "-H"
    bool gross;          // "-G"
    std::string maske;   // masked kinds
    std::string wert;    // initial value (not for 'F', whose rest is the mask)
};
EdtAnlage edtAnlageLesen(const char* text);

// ---- Numbers -------------------------------------------------------------------------------------
// Locale separators of the display form.
struct EdtTrenner {
    char dezimal;
    char tausender;
};
// Steps 1-5: the text reduced to digits and its first '.' or ',' (the
// decimal point), a '-' anywhere making it negative; integer part without
// leading zeros ("0" when empty), `dezimalen` fraction digits rounded half
// up, kind '9' without trailing zeros. No alignment, every digit kept.
std::string edtZahlNormal(const std::string& text, char art);
// Display form: the normal form with the locale decimal separator and
// thousands separators (dropped again when that is wider than `breite`),
// right-aligned in `breite` characters; a longer number is never cut.
std::string edtZahlAnzeige(const std::string& text, char art, int breite, EdtTrenner t);
// Plain form of a shown or edited number: blanks trimmed, thousands
// separators removed, the locale decimal separator made '.', then steps 1-5.
std::string edtZahlSchlicht(const std::string& wert, char art, EdtTrenner t);
// Editing form of a free-mode value (focus gained): numbers lose their
// thousands separators and leading blanks; with `nullLeer` a value of only
// blanks, '0', '.' (and for numbers the decimal separator) becomes empty.
std::string edtBearbeitungsform(const std::string& wert, char art, EdtTrenner t, bool nullLeer);
// The value as shown after editing (focus lost): numbers in display form,
// kind 'D' and 'H' normalised, anything else unchanged.
std::string edtVerlassensform(const std::string& wert, char art, int breite, EdtTrenner t);

// ---- Dates and times -------------------------------------------------------------------------------
// "dd.mm.yyyy": a year of 0 gives "00.00.0000"; else the year is clamped to
// 1900..2150, the month to 1..12, the day to the days of that month.
std::string edtDatumNormal(const std::string& wert);
// "hh:mm": 24 hours or more give "24:00"; minutes above 59 become 59.
std::string edtZeitNormal(const std::string& wert);
// "dd.mm.yyyy" as "yyyy-mm-dd" (positions 7-10, 4-5, 1-2); "" when blank.
std::string edtDatumIso(const std::string& wert);

// ---- Editing ---------------------------------------------------------------------------------------
// The value being edited, with caret and selection as absolute positions.
// Free mode: the value is padded with blanks to `laenge` (a number wider
// than the field may be longer); mask mode: it has the mask's length.
// Plain data: it lives inside the window's zero-filled state record.
struct EdtText {
    char wert[EDTWERTSUP + 1];
    char maske[EDTWERTSUP + 1];
    int laenge;     // max length of the value (free mode)
    int caret;
    int anker;      // other end of the selection, -1 none
    int grenze;     // mask mode: the caret stays within the first `grenze` columns
    bool frei;
    bool gross;     // "-G"
    char art;
};
// Sets the value: free mode pads (or cuts) to `laenge` unless it is longer
// and `ganz` is set (numbers keep every digit); mask mode takes the text
// over the mask's empty form, position by position.
void edtWertSetzen(EdtText& t, const std::string& wert, bool ganz = false);
// Position after the last non-blank (mask mode: the mask's length).
int edtTextEnde(const EdtText& t);
// Selection as [von, bis); false when there is none.
bool edtAuswahl(const EdtText& t, int* von, int* bis);
std::string edtAuswahlText(const EdtText& t);
// Caret to `pos` (clamped to 0..value length), extending the selection or
// clearing it.
void edtCaretSetzen(EdtText& t, int pos, bool erweitern);
void edtAllesMarkieren(EdtText& t);
// Each returns whether the value changed.
bool edtTippen(EdtText& t, unsigned char c);
bool edtZurueck(EdtText& t);          // Backspace
bool edtEntfernen(EdtText& t);        // Delete
bool edtAuswahlEntfernen(EdtText& t);
bool edtEinfuegen(EdtText& t, const char* text);  // up to the first line break
