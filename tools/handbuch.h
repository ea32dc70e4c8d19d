// The short manual shipped as "Velmo.pdf" with its topic index
// "PDFIndex.txt": one bookmarked page per help topic (the modes' keys and
// the topics the pages and dialogs register), written through the
// platform's PDF library. Prefix `Hb`.
#pragma once

#include <string>

// Writes the manual and the index; 0, or -1 when either could not be written.
int HbHandbuchSchreiben(const std::string& pdf, const std::string& index);
