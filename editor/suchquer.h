// Cross-reference search and nearest text around the cursor: the text of a
// cross-reference marker (with the marker's number) or the nearest visible
// text goes into the input line, and the start point to that text. Prefix
// `Suq` inside (`QuerverweisSuchen`, `TextNaechster` as named). Calls the
// store's area walk, the record expander, the view's visibility hook and the
// input line.
#pragma once

constexpr int FNDSUP = 100;    // texts found, nearest first
constexpr int VWSSUP = 1000;   // markers found, nearest first
constexpr double SUQWEITE = 20.0;

void QuerverweisSuchen();
void TextNaechster();
