#include "editor/canvas_keys.h"

#include "editor/edit_menu.h"
#include "editor/selection_panel.h"
#include "model/session.h"
#include "model/shared_state.h"

#include <Qt>

void frmMain::Picture1_KeyDown(Session& s, int key) {
    const SharedState& st = s.st;
    if (key == Qt::Key_Escape) {
        mnuEditRelease_Click(s);
    } else if (key == Qt::Key_Delete) {
        if (ElementSelected(st))
            Command7_Click(s);
        else if (st.SelKind == kSelLine)
            Command6_Click(s);
        else if (st.SelKind == kSelPoint)
            Command5_Click(s);
    }
}
