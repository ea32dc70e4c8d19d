// Service tables of function pointers that a higher layer fills in: the
// members a caller gives, the stand-in's (or what was there) for those it
// leaves null. Header only; no project headers.
#pragma once

// ziel.m := gegeben.m when set, else ersatz.m, for every member m named.
template <typename T, typename... G>
void DienstUebernehmen(T& ziel, const T& gegeben, const T& ersatz, G T::*... glieder)
{
    ((ziel.*glieder = gegeben.*glieder ? gegeben.*glieder : ersatz.*glieder), ...);
}
