#pragma once
// A diagram as the bytes of a file: the element table and the connection table with
// their counts, as comma-separated items on CR LF lines in code page 932. Pure conversion between
// the tables and bytes; opening files, messages and the recent-file list are the File menu's.

#include <QByteArray>

struct DiagramTables;

// The whole file for the live records of both tables. Run-time fields (ArgQueue, Active),
// records above the counts and connections without an end element (one still being drawn) are
// not written.
QByteArray WriteDiagram(const DiagramTables& d);

enum class DiagramRead {
    Loaded,   // the tables now hold what the file held (as far as it went)
    Refused,  // a count lies outside its limits; the tables are exactly as they were
};

// Reads a diagram into the tables, item by item whatever the line breaks. The file is read into
// a copy of the tables, which replaces them only when the result is sound:
// - An item that is missing or does not fit its field (a file that ends early, a word where a
//   number belongs) is skipped and the field keeps what it held; counts already read stand.
//   Records above the new counts and every ArgQueue are left as they were.
// - Every loaded connection gets Active 0.
// - A count outside its limits (ElemCount or ConnCount below 0 or above 100, a PointCount below 0
//   or above 30) refuses the whole file: nothing changes.
// - A connection whose FromElem is not 1..ElemCount or whose ToElem is not 0..ElemCount after
//   the read gets ToElem 0, so that the next full redraw removes it.
DiagramRead ReadDiagram(const QByteArray& bytes, DiagramTables& d);

// A diagram read only when the bytes are one whole and sound: every item present and fitting its
// field, nothing after the last connection, every connection joining two of its elements.
// Otherwise Refused, and d is as it was. For text that may be anything (the clipboard).
DiagramRead ReadWholeDiagram(const QByteArray& bytes, DiagramTables& d);
