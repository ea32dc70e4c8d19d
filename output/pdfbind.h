// The one instance of the PDF library that the program shares: the PDF
// export and the manual viewer both take it here. Created on first use,
// counted per use, released when the last user gives it back. Prefix
// `PdfLib`. Calls platform/pdfbib.
#pragma once

// The library instance (> 0), counting one use; 0 when the library cannot
// be created (nothing is counted then).
int PdfLibHolen();
// Gives one use back; at the last one the instance is released. Without a
// use held it does nothing.
void PdfLibFreigeben();
// Uses now held (tests).
int PdfLibNutzer();
