#include "editor/canvas_keys.h"

#include "editor/edit_menu.h"
#include "editor/selection_panel.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/renderer.h"

#include <Qt>

void frmMain::Picture1_KeyDown(Session& s, int key) {
    SharedState& st = s.st;
    if (key == Qt::Key_Escape) {
        // An open panel closes first, as a pop-up does; the next Escape ends what is under way.
        if (s.frm.Frame1Visible)
            Command10_Click(s);
        else
            mnuEditRelease_Click(s);
    } else if (key == Qt::Key_Delete) {
        if (ElementSelected(st) || GroupSelected(st))
            Command7_Click(s);
        else if (st.SelKind == kSelLine)
            Command6_Click(s);
        else if (st.SelKind == kSelPoint)
            Command5_Click(s);
        else
            return;
        // What was deleted is gone; nothing takes its place in the selection.
        if (!st.SelKind.isEmpty()) {
            ClearSelection(st);
            RedrawDiagram(s, -1);
        }
    }
}
