#pragma once
// Everything the editor, the renderer and the engine share: the two tables with their counts,
// the value-cell pool, the element template and the editing, selection, run and file state.
// One instance is owned by the main window (or by a test) and handed around by reference.

#include "model/diagram.h"
#include "model/edit_state.h"
#include "model/records.h"
#include "model/run_journal.h"
#include "model/selection.h"

#include <QString>
#include <array>

// Selection kinds, as stored in SelKind.
inline const QString kSelElement = QStringLiteral("要素選択");
inline const QString kSelElementText = QStringLiteral("要素文字選択");
inline const QString kSelArgText = QStringLiteral("引数文字選択");
inline const QString kSelPoint = QStringLiteral("点選択");
inline const QString kSelLine = QStringLiteral("線選択");

// Type texts of run values.
inline const QString kTypeNumber = QStringLiteral("Number");
inline const QString kTypeString = QStringLiteral("String");
inline const QString kTypeUndefined = QStringLiteral("*Undefine*");

struct SharedState {
    // Elements, ElemCount, Connections and ConnCount.
    DiagramTables Diagram;
    std::array<ValueCell, kMaxCells + 1> Cells{};
    Integer FreeHead = -1;
    // Whether each cell is on the free list, kept beside the list by the pool's operations so
    // that returning a cell need not walk the list to see whether it is already there.
    std::array<bool, kMaxCells + 1> CellIsFree{};

    Editing EditState = Editing::Idle;
    ElementRec NewElement;
    double PointerX = 0, PointerY = 0;
    double AnchorX = 0, AnchorY = 0;
    double CurR = 0;
    double DragW = 0, DragH = 0;
    QString SelKind;
    Integer SelIndex = 0;
    Integer SelPoint = 0;
    // Elements selected together (Shift presses, the selection box, すべて選択, a paste); see
    // model/selection.h.
    ElementSet SelectedElements;
    Integer ArgDialogConn = 0;
    Integer StepElem = 0;
    Integer StopFlag = 0;
    Integer GridSize = 100;
    QString FileName;
    QString ImageFileName;
    // FileName was loaded or saved by this run of the program. Until then it only names the file
    // of an earlier run (from the settings file), which the window never showed: 保存 then asks
    // for a name instead of writing over it.
    bool FileNameShown = false;

    // A left press that picked something up, began placing an element or began a connection: a
    // release far enough from (DragFromX, DragFromY) finishes that gesture as a second press
    // would.
    bool DragArmed = false;
    double DragFromX = 0, DragFromY = 0;

    // Run bookkeeping beyond the classic variables: a step in progress (ticks that arrive
    // while a step shows a message are skipped) and whether the last stop was an error.
    bool InStep = false;
    bool StoppedByError = false;
    // The step under way began while the timer ran: it asks nothing, even when the run is
    // stopped in its course (a full value pool stops an automatic run before telling so).
    bool AutomaticStep = false;
    // What the steps of the run changed, so that 1ステップ戻る can take them back.
    RunJournal Journal;
};

// Writes value into a field of the run, noting its old value in the journal first when a step is
// being recorded.
template <typename Field, typename Value>
inline void SetRun(SharedState& st, Field& field, const Value& value) {
    st.Journal.Note(field);
    field = value;
}

// True when SelKind names an element or its text, or a point or a segment of a connection.
inline bool ElementSelected(const SharedState& st) {
    return st.SelKind == kSelElement || st.SelKind == kSelElementText;
}
inline bool PointOrLineSelected(const SharedState& st) {
    return st.SelKind == kSelPoint || st.SelKind == kSelLine;
}
