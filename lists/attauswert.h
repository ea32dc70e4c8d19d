// The article list (type 1) and the attribute list (type 9): articles of
// the equipment items, or attribute texts written in the drawings with the
// nearest text as their identifier, optionally resolved into sub-articles
// and merged, written as one record per article with wrapped identifier
// and position lists; stock articles not in the article table go to a
// missing-article file. Prefix `Aw`. Calls the formatter, options and
// equipment lists (lists), equipment (rows, articles, parts lists, header
// texts), model (drawing walk, positions), project (project list), editor
// (text display) and winlib (messages).
#pragma once

#include <string>
#include <vector>

inline constexpr int AWLISTESUP = 5000;  // characters a joined list keeps at least

// Runs the lists on the current options; 0, or -1 when the result could
// not be written (the formatter warned).
int AwArtikelListe();
int AwAttributListe();
// The pieces of a joined list for a column of the given width (at least
// 10): leading blanks skipped, cut after the last ',' of a piece, else at
// its last blank, else at the width.
std::vector<std::string> AwUmbrechen(const std::string& text, int breite);
