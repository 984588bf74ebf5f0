#pragma once
// Picking up what a press or a panel button is about to move: each enters its move state, fixes
// the anchor where the item lies and draws the exclusive-or feedback that follows the pointer.
// Also the rubber line from the anchor to the pointer that most gestures show.

#include <QString>

struct Session;

// The exclusive-or line from the anchor to the pointer; drawing it again removes it.
void DrawRubberLine(Session& s);

// The selected element (state 220): rubber line and circle; when it belongs to the set of
// selected elements, the circles of all of them follow the pointer.
void PickUpElement(Session& s);
// The exclusive-or circles of the other elements of the set moved along with the one picked up,
// at the pointer's offset from the anchor; drawing them again removes them.
void DrawGroupCircles(Session& s);
// The exclusive-or selection box from the anchor to the pointer (none while they coincide).
void DrawSelectionBox(Session& s);
// A text whose top-left corner is (x, y), moved in state 200 or 210 (set by the caller): rubber
// line and the outline box of the text, 8 units per half-width cell and point wide, 16 high.
void PickUpText(Session& s, double x, double y, const QString& text, int size);
// Bend point SelPoint of connection SelIndex (state 230): rubber line.
void PickUpPoint(Session& s);
// Segment SelPoint of connection SelIndex: its midpoint becomes a new bend point, which is then
// picked up. A connection that already has every bend point it can hold gets the end of the
// segment nearer to (x, y) picked up instead. A segment the connection does not have picks up
// nothing; false then.
bool PickUpSegment(Session& s, double x, double y);
