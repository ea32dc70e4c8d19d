// The shipped books, made at build time through the program's own PDF
// layer: the manual ("Velmo.pdf" with its topic index "PDFIndex.txt" for the
// online help, and the same book as "Velmo-Handbuch.pdf") from the written
// source "tools/handbuch.txt", the menus and dialogs of the resources and
// the settings groups of "Vorgaben.txt"; and the component book
// "Velmo-Bauteile.pdf", one entry per symbol of a library with its picture
// drawn by the element renderer (through the PDF export of drawings). Prefix `Hb`. Needs the resources linked
// and the window system started (headless is enough).
#pragma once

#include <string>

// The manual into `pdf` and its topic index into `index`: 0, or -1 with a
// line on stderr saying what could not be read or written.
int HbHandbuchSchreiben(const std::string& quelle, const std::string& vorgaben, const std::string& pdf,
                        const std::string& index);

// The component book of library `bibliothek` into `pdf`; `bilder` is a
// folder where the pages are made as drawings (removed after). 0, or -1.
int HbBauteileSchreiben(const std::string& bibliothek, const std::string& bilder, const std::string& pdf);

// The texts of a menu item as the manual prints them: '&' taken out, the
// shortcut after the tab as "Strg+X".
std::string HbMenueText(const std::string& text);
