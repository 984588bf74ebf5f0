#pragma once
// The codes of the canvas editing state EditState: what the next press on the canvas means.

#include "model/records.h"

constexpr Integer kIdle = 0;
constexpr Integer kPlaceCentre = 100;      // new element: waiting for its centre
constexpr Integer kPlaceRadius = 101;      // new element: centre fixed, waiting for its radius
constexpr Integer kConnectStart = 110;     // new connection: waiting for its start element
constexpr Integer kConnectInside = 111;    // start element chosen, pointer still inside it
constexpr Integer kConnectRubber = 112;    // rubber line from the start element, no bend yet
constexpr Integer kConnectBends = 113;     // one or more bend points placed
constexpr Integer kMoveElementText = 200;  // moving an element's name text
constexpr Integer kMoveArgText = 210;      // moving a connection's argument label
constexpr Integer kMoveElement = 220;      // moving an element
constexpr Integer kMovePoint = 230;        // moving a bend point
