// Label sheets (type 2): a component of the library is a sheet of label
// slots; each item passing the filters fills the next slot ("@Q" texts
// resolved to the item's references), and full sheets become drawings
// named by the result's stem, a point and a running number. Prefix
// `Schild`. Calls the options and filters (lists), equipment (rows,
// references), model (components, drawing files, headers, references),
// config (drawing change counter), winlib (messages, the pages' commands).
#pragma once

inline constexpr int SCHILDTEXTSUP = 95;  // characters of a sheet's first and last label text

// Runs the label sheets on the current options (component `bauteil`, A4
// flag `a3a4`); 0, or -1 when a sheet could not be created or the
// component was not found (with the message). Shows "%d Zeichnungen
// gespeichert." at the end.
int SchildAuswertung();
