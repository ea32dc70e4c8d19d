// Linear equations of the plane geometry; see gleichung.h.
#include "model/gleichung.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

std::vector<double> glWerte;  // side x side, row-major
int glSeite = 0;              // 0: no matrix
int glZeilen = 0;             // rows in use (invariant 2)
int glSpalten = 0;            // columns in use

double& glFeld(int z, int s) { return glWerte[static_cast<size_t>(z) * static_cast<size_t>(glSeite) + static_cast<size_t>(s)]; }

}  // namespace

void GeradeDurchPunkte(GeoGerade* aus, GeoPunkt p1, GeoPunkt p2)
{
    aus->a = p2.y - p1.y;
    aus->b = -(p2.x - p1.x);
    aus->c = (p2.x - p1.x) * p1.y - (p2.y - p1.y) * p1.x;
}

int MatrixAnlegen(int n)
{
    MatrixFreigeben();
    if (n < 0) return -1;
    glSeite = n == 0 ? MATRIXSUP : std::min(n + 1, MATRIXSUP);
    glWerte.assign(static_cast<size_t>(glSeite) * static_cast<size_t>(glSeite), 0.0);
    return 0;
}

int MatrixAddieren(int zeile, int spalte, double wert)
{
    if (zeile < 0 || spalte < 0 || zeile >= glSeite || spalte >= glSeite) return -1;
    glFeld(zeile, spalte) += wert;
    glZeilen = std::max(glZeilen, zeile + 1);
    glSpalten = std::max({glSpalten, zeile + 1, spalte + 1});
    return 0;
}

int MatrixLoesen()
{
    if (glSeite == 0) return -1;
    for (int i = 1; i < glZeilen; ++i) {
        // The last row below whose entry outweighs the diagonal one.
        int p = i;
        for (int r = i + 1; r < glZeilen; ++r)
            if (std::fabs(glFeld(r, i)) > std::fabs(glFeld(i, i))) p = r;
        if (p != i)
            for (int s = 0; s < glSpalten; ++s) std::swap(glFeld(i, s), glFeld(p, s));
        const double pivot = glFeld(i, i);
        if (pivot == 0) return -1;
        for (int s = 0; s < glSpalten; ++s) glFeld(i, s) /= pivot;
        for (int k = 1; k < glZeilen; ++k) {
            if (k == i) continue;
            const double f = glFeld(k, i);
            if (f == 0) continue;
            for (int s = 0; s < glSpalten; ++s) glFeld(k, s) -= f * glFeld(i, s);
        }
    }
    for (int i = 1; i < glZeilen; ++i) glFeld(i, 0) = -glFeld(i, 0);
    return 0;
}

double MatrixWert(int zeile)
{
    if (zeile < 0 || zeile >= glSeite) return 0.0;
    return glFeld(zeile, 0);
}

int MatrixZeilen() { return glZeilen; }

void MatrixFreigeben()
{
    glWerte.clear();
    glWerte.shrink_to_fit();
    glSeite = glZeilen = glSpalten = 0;
}
