#pragma once
// The canvas editing state EditState: what the next press on the canvas means. The numbers are
// the program's own codes, kept as they always were.

#include "model/records.h"

enum class Editing : Integer {
    Idle = 0,               // a left press selects and picks up, a right press opens the panel
    PlaceCentre = 100,      // new element: waiting for its centre
    PlaceRadius = 101,      // new element: centre fixed, waiting for its radius
    ConnectStart = 110,     // new connection: waiting for its start element
    ConnectInside = 111,    // start element chosen, pointer still inside it
    ConnectRubber = 112,    // rubber line from the start element, no bend yet
    ConnectBends = 113,     // one or more bend points placed
    MoveElementText = 200,  // moving an element's name text
    MoveArgText = 210,      // moving a connection's argument label
    MoveElement = 220,      // moving an element
    MovePoint = 230,        // moving a bend point
    SelectBox = 240,        // a selection box from the anchor to the pointer
};

// States 111 to 113: a connection is being drawn; it is the last one and has no end element yet.
inline bool DrawingConnection(Editing state) {
    return state == Editing::ConnectInside || state == Editing::ConnectRubber ||
           state == Editing::ConnectBends;
}
