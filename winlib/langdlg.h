// The progress dialog "anw_long": title line 4000, text line 4001, Cancel 2.
// Nested starts only count; the main window and the current dialog are
// disabled while it is up; wiLangPumpe runs the messages and tells whether
// the user cancelled. Prefix `wiLang`. May call platform/, support/, the
// dialog manager, the frame record and the window utilities (centring).
#pragma once

#include "platform/windef.h"

void wiLangStart(const char* titel);
void wiLangStartVorlage(const char* vorlage, const char* titel);
void wiLangStartMit(const char* vorlage);
void wiLangText(const char* text);
void wiLangItemText(int id, const char* text);
// 1 while not cancelled, 0 after cancellation.
int wiLangPumpe();
void wiLangEnde();
HWND wiLangFenster();
// The nesting count (tests).
int wiLangTiefe();
// Drains the message queue once, giving dialog keys to `fenster`.
void wiMeldungenAbarbeiten(HWND fenster);
