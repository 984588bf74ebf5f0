#pragma once
// The edits that take records out of a diagram or put bend points into a connection. Removing a
// record closes up its table (later records move down one place, the slot that was last keeps a
// stale copy) and renumbers every index the program keeps of the records that moved.

#include "model/records.h"

#include <QString>
#include <bitset>
#include <vector>

struct ConnectionRec;
struct DiagramTables;
struct PointRec;
struct SharedState;

// Closes up the connection table at j; nothing else is renumbered.
void CloseUpConnections(DiagramTables& d, int j);
// A copy of d without the connections that have no end element (ToElem 0).
DiagramTables WithoutUnfinishedConnections(const DiagramTables& d);

// Removes connection j. A selection of it ("点選択", "線選択", "引数文字選択") goes, and so does a
// move of its label or of one of its points; a selection of a later connection follows it down;
// so does ArgDialogConn.
void RemoveConnection(SharedState& st, int j);

// Removes element e and every connection that starts or ends at it. Connection ends, the
// selection, StepElem and ArgDialogConn follow the records that moved down. A selection of e
// itself goes (SelIndex is left as it was), and a move of e or of its text ends.
void RemoveElement(SharedState& st, int e);

// Removes every connection that ends at element e.
void RemoveConnectionsInto(SharedState& st, int e);

// Removes every element of the set, each as RemoveElement does, the last first.
void RemoveElements(SharedState& st, const std::bitset<kMaxElements + 1>& elements);
// Moves every element of the set by (dx, dy), its text with it; the connections between two of
// them move along as they are, bend points and label included, and every other connection that
// touches one is re-fitted to its elements.
void MoveElements(DiagramTables& d, const std::bitset<kMaxElements + 1>& elements, double dx,
                  double dy);

// Removes bend point k of c; an index below 1 removes the first point and one beyond the last
// removes the last. Nothing happens to a connection without bend points.
void RemoveBendPoint(ConnectionRec& c, int k);
// Inserts p as bend point k (1..PointCount + 1) of c; the points from k on move up one place.
// Nothing happens when c already holds every bend point it can.
void InsertBendPoint(ConnectionRec& c, int k, PointRec p);

// Removes every connection that has no end element (ToElem 0), in table order. Returns the index
// each one had when it was removed, as the person is told of them: two such connections in a
// row both have the same index.
std::vector<int> PurgeUnfinishedConnections(SharedState& st);
// Removes the connection being drawn (the last one, without an end element, in states 111 to
// 113) without a word: the person gave it up. The state is left to the caller.
void DropConnectionBeingDrawn(SharedState& st);
// "始点／終点が指定されていない要素がありますので削除します。i=" and the connection's index.
QString PurgeMessage(int index);
