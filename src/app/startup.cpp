#include "app/startup.h"

#include "app/settings_file.h"
#include "model/cell_pool.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/renderer.h"

#include <cmath>

namespace {

// Room left below the status line when the window is laid out.
constexpr double kBottomMargin = 125;
constexpr double kStatusGap = 100;
constexpr double kMinimumCanvas = 200;

// Device pixels of a length in twips.
int Pixels(double twips, const FormControls& frm) {
    return std::max(
        1, static_cast<int>(std::lround(twips / frm.TwipsPerPixel * frm.DevicePixelRatio)));
}

}  // namespace

void StartupInitialisation(Session& s) {
    SharedState& st = s.st;
    FormControls& frm = s.frm;
    st.GridSize = 100;
    InitCellPool(st);
    st.EditState = Editing::Idle;
    st.Diagram.ElemCount = 0;
    st.Diagram.ConnCount = 0;
    const double w = frm.Picture1.Width, h = frm.Picture1.Height;
    s.canvas.Picture2.SetDeviceScale(frm.DevicePixelRatio);
    s.canvas.Resize(Pixels(w, frm), Pixels(h, frm));
    s.canvas.Picture2.SetPictureScale(0, 0, w, h);
    st.PointerX = 0;
    st.PointerY = 0;
    gridDisplay(s);
    st.FileName.clear();
    st.FileNameShown = false;
    for (MenuEntry& entry : frm.mnuFilename) {
        entry.Caption.clear();
        entry.Visible = false;
    }
    ReadSettingsFile(s);
}

void ResizeLayout(Session& s, double clientWidth, double clientHeight) {
    FormControls& frm = s.frm;
    const double t = frm.Picture1.Top, l = frm.Picture1.Left;
    const double h = clientHeight - t - kStatusGap - frm.Label1.Height - kBottomMargin;
    const double w = clientWidth - l;
    if (h < kMinimumCanvas || w < kMinimumCanvas) return;
    frm.Label1.Left = l;
    frm.Label1.Top = t + h + kStatusGap;
    frm.Label1.Width = w;
    frm.Picture1.Height = h;
    frm.Picture1.Width = w;
    // A move to a screen of another scaling keeps the canvas's units.
    s.canvas.Picture2.SetDeviceScale(frm.DevicePixelRatio);
    s.canvas.Resize(Pixels(w, frm), Pixels(h, frm));
    RedrawDiagram(s, -1);
}

void Shutdown(Session& s) {
    WriteSettingsFile(s);
}
