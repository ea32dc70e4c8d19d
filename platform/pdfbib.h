// The PDF library of the platform layer: documents with pages that are drawn
// on (lines, boxes, circles, ellipses, arcs, paths, texts, images), named
// destinations, links, outlines, loading and merging existing PDF files,
// saving, rendering a page into a device context and reading an outline.
// Prefix `DPL` for the calls the program makes (their names are fixed), and
// `pdfbib` for the helpers. Implemented in pdfbib.cpp (instances, documents,
// pages, drawing state, navigation), pdfbibtext.cpp (fonts and text
// metrics over Pango), pdfbibbild.cpp (images from PNG, JPEG and BMP files)
// and pdfbibdatei.cpp (writing over Cairo's PDF surface, qpdf for loading,
// merging and finishing, poppler-glib for rendering and outline reading).
// May call: platform/dateisys.h (every file), platform/cp1252.h,
// platform/bild.h, platform/gdi.h, platform/gdiint.h, Cairo, Pango, qpdf,
// poppler-glib, libjpeg.
//
// Conventions:
//  - Instance: DPLCreateLibrary() gives an instance id (> 0); every other call
//    takes it first; DPLReleaseLibrary frees it with all its documents, fonts
//    and images. An unknown instance fails with DPL_E_INSTANZ.
//  - Units and axes: points (1/72 inch); the origin is the lower left corner
//    of the page and y grows upward (PDF's own space). A box, an image or a
//    link is given by its upper left corner (left, top) and its width and
//    height, and reaches from top down to top - height. Angles are degrees,
//    counter-clockwise.
//  - Texts: wide strings (UCS-4 wchar_t), read up to 500 characters
//    (DPL_TEXTSUP; the rest is ignored); paths must be code page 1252
//    characters. pdfbibBreit converts the program's code page 1252 text.
//  - Numbers: documents, pages (from 1), fonts, images, destinations, outlines
//    and annotations (from 1 on their page) are ids > 0; 0 means failure.
//  - Results: int calls give 1 (or an id) on success, 0 on failure; double
//    calls give 0.0 on failure. Every call sets the instance's error code:
//    DPL_OK on success, else one of DPL_E_...; DPLLastErrorCode reads it.
//  - Drawing is recorded per page and written when the document is saved (or
//    rendered): pages may be revisited to add links. Pages of loaded files
//    are kept as they are: drawing on them fails (DPL_E_FREMDSEITE).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/windef.h"

inline constexpr int DPL_TEXTSUP = 500;  // characters read of a text argument

// Error codes of DPLLastErrorCode.
enum : int {
    DPL_OK = 0,
    DPL_E_INSTANZ = 1,     // unknown library instance
    DPL_E_DOKUMENT = 2,    // unknown document, or none selected
    DPL_E_SEITE = 3,       // unknown page
    DPL_E_ARGUMENT = 4,    // an argument out of range (size name, mode, empty text, dash string)
    DPL_E_DATEI = 5,       // a file cannot be found, opened or read
    DPL_E_FORMAT = 6,      // not a PDF (or damaged, or a wrong password) / not a readable image
    DPL_E_SCHREIBEN = 7,   // the PDF could not be made or the file not written; the old file stays
    DPL_E_FREMDSEITE = 8,  // drawing on a page of a loaded file
    DPL_E_SCHRIFT = 9,     // no font selected / unknown font
    DPL_E_BILD = 10,       // no image selected / unknown image
    DPL_E_ZIEL = 11,       // unknown destination, outline or annotation
    DPL_E_PFAD = 12,       // path calls out of order (no path started)
    DPL_E_GERAET = 13,     // a device context that cannot be painted
};

// ---- Conversion of the program's text ------------------------------------------------
// Code page 1252 text to the wide string the calls take, cut at `max` characters.
std::wstring pdfbibBreit(std::string_view cp1252, size_t max = DPL_TEXTSUP);
// A wide string (e.g. an outline title) to code page 1252, cut at `max` bytes;
// characters the code page lacks become '?'.
std::string pdfbibSchmal(const wchar_t* text, size_t max);

// ---- Instance -----------------------------------------------------------------------------
int DPLCreateLibrary();
int DPLReleaseLibrary(int inst);
int DPLLastErrorCode(int inst);

// ---- Documents --------------------------------------------------------------------------
// A new document with one A4 page (595.3 x 841.9); it becomes the selected one.
int DPLNewDocument(int inst);
int DPLSelectedDocument(int inst);
int DPLSelectDocument(int inst, int doc);
int DPLDocumentCount(int inst);
// Id of the document number `index` (1 = made or loaded first).
int DPLGetDocumentID(int inst, int index);
// Loads a PDF file as a new document that becomes the selected one; its
// outline is read (DPLOutlineCount ...). `password` may be empty.
int DPLLoadFromFile(int inst, const wchar_t* path, const wchar_t* password);
// Appends the pages of document `doc` (not the selected one) to the selected
// document, with the destinations of its drawn pages; `doc` stays as it is.
int DPLMergeDocument(int inst, int doc);
// Removes a document; when it was selected, the last remaining one is.
int DPLRemoveDocument(int inst, int doc);
// Writes the selected document to `path` (a temporary file in the same folder
// renamed over it); on failure the old file stays and no file is left behind.
int DPLSaveToFile(int inst, const wchar_t* path);
// What a viewer shows on opening: 0 none, 1 outline, 2 thumbnails, 3 full screen.
int DPLSetPageMode(int inst, int mode);
int DPLPageCount(int inst);

// ---- Pages ---------------------------------------------------------------------------------
// Appends a page of the selected page's size; gives its number (the selected
// page does not change).
int DPLNewPage(int inst);
int DPLSelectPage(int inst, int page);
int DPLSelectedPage(int inst);
// Size of the selected page by name: "A3", "A4", "A5", "Letter", "Legal", each
// optionally followed by " Landscape" (ignoring case).
int DPLSetPageSize(int inst, const wchar_t* name);
double DPLPageHeight(int inst);
// Paints page `page` of the selected document at `dpi` dots per inch into
// `hdc`: the page's upper left corner at the DC's logical (0, 0), one logical
// unit a dot (MM_TEXT), on white, within the DC's clip.
int DPLRenderPageToDC(int inst, int dpi, int page, HDC hdc);

// ---- Drawing state and shapes (on the selected page) ----------------------------------------
int DPLSetLineWidth(int inst, double width);
// Colour components 0..1.
int DPLSetLineColor(int inst, double r, double g, double b);
int DPLSetFillColor(int inst, double r, double g, double b);
int DPLSetTextColor(int inst, double r, double g, double b);
// Dash pattern: lengths in points separated by blanks, on, off, on, ...;
// empty: solid.
int DPLSetLineDashEx(int inst, const wchar_t* pattern);
// `mode` of the closed shapes: 0 outline, 1 filled and outlined, 2 filled
// (line colour for the outline, fill colour for the inside).
int DPLDrawLine(int inst, double x0, double y0, double x1, double y1);
int DPLDrawBox(int inst, double left, double top, double width, double height, int mode);
int DPLDrawCircle(int inst, double x, double y, double radius, int mode);
// Ellipse around (x, y) with full width and height.
int DPLDrawEllipse(int inst, double x, double y, double width, double height, int mode);
// Arc of the ellipse around (x, y) with full width and height, from angle
// `start` counter-clockwise to `end`, both measured from the top of the
// ellipse (0 is up, 90 left, 180 down, 270 right); the ellipse turned by
// `rotation` degrees. Mode 0 strokes the open arc; 1 and 2 close it to the
// centre (a pie) as for the other shapes.
int DPLDrawEllipticArc(int inst, double x, double y, double width, double height, double start, double end,
                       double rotation, int mode);
// A path: start point, straight lines, optionally closed, then drawn
// (a filled path is always closed).
int DPLStartPath(int inst, double x, double y);
int DPLAddLineToPath(int inst, double x, double y);
int DPLClosePath(int inst);
int DPLDrawPath(int inst, int mode);
// Text with its baseline point at (x, y) (aligned there as DPLSetTextAlign says).
int DPLDrawText(int inst, double x, double y, const wchar_t* text);
int DPLDrawRotatedText(int inst, double x, double y, double angle, const wchar_t* text);

// ---- Fonts -------------------------------------------------------------------------------------
// Standard fonts 0..13: Courier, -Bold, -BoldOblique, -Oblique (0..3),
// Helvetica ... (4..7), Times-Roman, -Bold, -Italic, -BoldItalic (8..11),
// Symbol (12), ZapfDingbats (13); drawn with Liberation Mono, Sans and Serif
// and DejaVu Sans. Gives a font id.
int DPLAddStandardFont(int inst, int number);
// A font by face name (the Windows faces map to their stand-ins through
// fontconfig); `options` is accepted (fonts are always embedded). Font id.
int DPLAddTrueTypeFont(int inst, const wchar_t* face, int options);
int DPLSelectFont(int inst, int font);
int DPLSetTextSize(int inst, double points);
// Horizontal scaling in percent (100 = as designed).
int DPLSetTextScaling(int inst, double percent);
// 0 left, 1 centre, 2 right (always on the baseline).
int DPLSetTextAlign(int inst, int align);
// Ascent of the selected font at the text size, in points.
double DPLGetTextAscent(int inst);
// A metric of the selected font in 1/1000 of the font size: 0 ascent,
// 1 descent (negative), 2 line height, 3 capital height, 4 x-height, 5 digit
// width, 6 average character width, 7 underline position, 8 underline
// thickness. 0 for another item.
int DPLGetFontMetrics(int inst, int item);
// Width of a text in points at the text size and scaling.
double DPLGetTextWidth(int inst, const wchar_t* text);
// The width a reader that sets a code page 1252 text in its own font gives
// it: the face (as named to DPLAddTrueTypeFont) at em size `groesse`, in the
// unit of `groesse`; `familie` receives the family the face resolves to.
// For formats that carry texts as characters (SVG), to widen or narrow each
// text to the width the drawing gives it.
double pdfbibGesichtBreite(std::string_view faceCp1252, double groesse, std::string_view cp1252,
                           std::string* familie);

// ---- Images ----------------------------------------------------------------------------------
// Reads a PNG, JPEG or BMP file (`index` must be 0: the first image); image id
// or 0 when the file cannot be read.
int DPLAddImageFromFile(int inst, const wchar_t* path, int index);
int DPLSelectImage(int inst, int image);
// The selected image stretched into the box (left, top, width, height).
int DPLDrawImage(int inst, double left, double top, double width, double height);
// The selected image with its lower left corner at (x, y), `width` along the
// direction `angle` and `height` at right angles to it (counter-clockwise).
int DPLDrawRotatedImage(int inst, double x, double y, double width, double height, double angle);
// Forgets the image; what is drawn already stays.
int DPLReleaseImage(int inst, int image);
// Vectors drawn through a GDI device context onto the selected page (a
// metafile played, say): `malen` gets a DC whose device units are 1/100
// point, y down from the upper left corner of the box (left, top, width,
// height in points, y up), clipped to it, and the box in those units. What
// it draws is recorded at once and written as vectors. 1, or 0 with an
// error code.
int pdfbibVektorZeichnen(int inst, double left, double top, double width, double height,
                         const std::function<void(HDC dc, const int box[4])>& malen);

// ---- Navigation ---------------------------------------------------------------------------------
// A named destination on page `page` of the selected document: `art` 0 is the
// point (left, top) (with `zoom` in percent, 0 keeping the viewer's), any other
// value the page's upper left corner. Destination id.
int DPLNewDestination(int inst, int page, int zoom, int art, double left, double top, double right, double bottom);
// A link on the selected page over the box (left, top, width, height) to a
// destination, with a border of `border` points (0: none, black until
// DPLSetAnnotBorderColor). Gives the annotation's number on the page.
int DPLAddLinkToDestination(int inst, double left, double top, double width, double height, int dest, int border);
int DPLSetAnnotBorderColor(int inst, int annot, double r, double g, double b);
// An outline entry below `parent` (0: top level) pointing at page `page`, at
// height `y` of that page. Outline id.
int DPLNewOutline(int inst, int parent, const wchar_t* title, int page, double y);
// `style`: 1 italic, 2 bold (bits); `open` 1 shows the children.
int DPLSetOutlineStyle(int inst, int outline, int style, int open);
// Outline entries of the selected document (read from a loaded file and
// made since), depth first.
int DPLOutlineCount(int inst);
int DPLGetOutlineID(int inst, int index);
// Title of an outline entry of the selected document; valid until the next
// call of this instance; "" on failure.
const wchar_t* DPLOutlineTitle(int inst, int outline);
int DPLGetOutlinePage(int inst, int outline);
