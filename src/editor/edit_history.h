#pragma once
// Taking edits back: the diagram before and after every completed edit, kept on Qt's undo stack.
// The history looks at the diagram after each handler: when no gesture is under way and the
// drawing differs from the one last recorded, the difference becomes one edit (placing an
// element, completing a connection, a drop, a deletion, an attribute change). A run changes only
// values and is no edit. The stack's clean state tells whether anything is unsaved.

#include "model/change_tracker.h"

#include <QUndoStack>
#include <memory>

struct DiagramTables;
struct Session;

class EditHistory : public ChangeTracker {
public:
    // Steps kept; older ones fall off. One step keeps one copy of the tables, 96 KB whatever the
    // diagram holds (texts are shared between copies), so the whole history stays below 10 MB.
    static constexpr int kStepsKept = 100;

    // Starts with the diagram as it stands, unmodified.
    explicit EditHistory(Session& s);
    ~EditHistory() override;
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // Records a completed edit, if there is one; called after every handler.
    void Observe();

    // 元に戻す: in the middle of a gesture it only ends the gesture, as 選択解除 does; otherwise
    // it puts the diagram back as it was before the last edit. やり直し does that edit again.
    // Both reset the run as 初期化 does, clear the selection, hide the panel and redraw.
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;

    bool Modified() const override;
    void Saved() override;
    void Replaced() override;
    void Remark() override;

    const QUndoStack& Stack() const { return stack_; }

private:
    class Edit;
    using Snapshot = std::shared_ptr<const DiagramTables>;

    Snapshot TakeSnapshot() const;
    // Makes snapshot the diagram, as undo and redo do.
    void Restore(const Snapshot& snapshot);
    bool GestureUnderWay() const;

    Session& s_;
    QUndoStack stack_;
    Snapshot recorded_;  // the diagram as of the last edit recorded, undone or redone
};
