#include "editor/edit_history.h"

#include "editor/edit_menu.h"
#include "engine/run_control.h"
#include "model/diagram_edit.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/renderer.h"

#include <QUndoCommand>

// One completed edit: the diagram before and after it. Consecutive edits share the snapshot
// between them, so a step costs one copy of the diagram.
class EditHistory::Edit : public QUndoCommand {
public:
    Edit(EditHistory& history, Snapshot before, Snapshot after)
        : history_(history), before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { history_.Restore(before_); }
    void redo() override {
        // Pushing an edit redoes it at once; it has just been made.
        if (done_) history_.Restore(after_);
        done_ = true;
    }

private:
    EditHistory& history_;
    Snapshot before_, after_;
    bool done_ = false;
};

EditHistory::EditHistory(Session& s) : s_(s) {
    stack_.setUndoLimit(kStepsKept);
    recorded_ = TakeSnapshot();
}

EditHistory::~EditHistory() = default;

EditHistory::Snapshot EditHistory::TakeSnapshot() const {
    // A connection still being drawn is no part of any edit.
    return std::make_shared<const DiagramTables>(WithoutUnfinishedConnections(s_.st.Diagram));
}

bool EditHistory::GestureUnderWay() const {
    switch (s_.st.EditState) {
        case Editing::Idle:
        case Editing::PlaceCentre:   // waiting for the next element
        case Editing::ConnectStart:  // waiting for the next connection
            return false;
        default:
            return true;
    }
}

void EditHistory::Observe() {
    if (GestureUnderWay() || s_.st.InStep) return;
    if (SameDrawing(*recorded_, s_.st.Diagram)) return;
    Snapshot now = TakeSnapshot();
    stack_.push(new Edit(*this, recorded_, now));
    recorded_ = std::move(now);
    s_.st.Journal.Clear();  // the run's steps were taken in another diagram
}

void EditHistory::Restore(const Snapshot& snapshot) {
    SharedState& st = s_.st;
    st.Diagram = *snapshot;
    recorded_ = snapshot;
    frmMain::Command1_Click(s_);
    ClearConnectionFlags(s_);
    ClearSelection(st);
    s_.frm.Frame1Visible = false;
    RedrawDiagram(s_, -1);
}

void EditHistory::Undo() {
    if (s_.st.EditState != Editing::Idle) {
        frmMain::mnuEditRelease_Click(s_);
        Observe();  // a bend point the gesture put in stays: that is an edit of its own
        return;
    }
    if (stack_.canUndo()) stack_.undo();
}

void EditHistory::Redo() {
    if (s_.st.EditState != Editing::Idle) return;
    if (stack_.canRedo()) stack_.redo();
}

bool EditHistory::CanUndo() const {
    return s_.st.EditState != Editing::Idle || stack_.canUndo();
}

bool EditHistory::CanRedo() const {
    return s_.st.EditState == Editing::Idle && stack_.canRedo();
}

bool EditHistory::Modified() const {
    return !stack_.isClean();
}

void EditHistory::Saved() {
    stack_.setClean();
}

void EditHistory::Replaced() {
    stack_.clear();
    recorded_ = TakeSnapshot();
    s_.st.Journal.Clear();
}

void EditHistory::Remark() {
    if (SameDrawing(*recorded_, s_.st.Diagram)) recorded_ = TakeSnapshot();
}
