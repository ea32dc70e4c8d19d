// The KNX evaluation (types 7 and 8): a text result built from a user's
// format file of named sections, copied for each placed component at the
// start, at changes of drawing and of item, and at the end, with equipment
// references and text variables of the lines resolved. Prefix `Eib`.
// Calls the options and filters (lists), equipment (rows, component walk,
// texts, references), model (current drawing, references, variables),
// config (defaults, folder placeholders), support (files, folder listings)
// and winlib (messages).
#pragma once

// Runs variant 0 (KNX items, type 7) or 1 (items by the identifier filter,
// type 8) on the current options. 0, or -1 when the format file cannot be
// read or the result cannot be written (with the message).
int EibAuswertung(int variante);
