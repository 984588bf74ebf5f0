#pragma once
// The main window's life: the start-up initialisation (also run by File > New), the layout
// that follows the window's size, and shutdown.

struct Session;

// Grid 100, an empty pool and empty tables, the canvases at the size of Picture1 with their
// coordinate system, the grid shown, and the file names and recent files of the settings file.
void StartupInitialisation(Session& s);

// Lays the canvas and the status line out for a client area of the given size in twips: the
// canvas fills the area right of the button column, the status line lies 100 twips below it and
// is as wide. A canvas smaller than 200 units keeps the old layout. Redraws.
void ResizeLayout(Session& s, double clientWidth, double clientHeight);

// Writes the settings file. The caller then ends the program.
void Shutdown(Session& s);
