#pragma once
// The parts of the main window that the program's logic reads or writes, as plain fields.
// The widgets mirror these after every event; nothing here knows about widgets.

#include <QString>
#include <array>
#include "model/translation.h"

// Twips are 1/1440 inch; at 96 dots per inch one pixel is 15 twips.
constexpr double kTwipsPerPixelAt96Dpi = 15.0;

struct ControlRect {
    double Left = 0, Top = 0, Width = 0, Height = 0;  // twips
};

struct MenuEntry {
    QString Caption;
    bool Visible = false;
};

struct TimerControl {
    int Interval = 0;  // milliseconds; 0 never ticks
    bool Enabled = false;
};

struct FormControls {
    double TwipsPerPixel = kTwipsPerPixelAt96Dpi;
    // Device pixels to a pixel of the desktop (the screen's scaling): the canvas is drawn at the
    // screen's own resolution.
    double DevicePixelRatio = 1;
    QString AppPath;  // the folder the program was started from

    ControlRect Picture1{1560, 0, 6255, 4215};
    ControlRect Label1{1440, 4320, 6255, 255};
    QString Label1Caption = QCoreApplication::translate("Quillrun", "座標 (0, 0)");
    QString Text1Text = QStringLiteral("1000");

    // The selection panel; Left and Top are canvas units, as it lies on the canvas.
    ControlRect Frame1{2280, 1080, 1575, 2295};
    bool Frame1Visible = false;

    TimerControl Timer1;
    std::array<MenuEntry, 5> mnuFilename;

    // Set by the headless runner and the tests to observe the status line.
    int Label1Writes = 0;
};

// Every write to the status line goes through here, so that its changes can be counted.
inline void SetLabel1(FormControls& frm, const QString& text) {
    frm.Label1Caption = text;
    ++frm.Label1Writes;
}
