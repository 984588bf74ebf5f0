#pragma once
// Copy, cut, paste and duplicate of the selected elements. The part copied is the elements with
// the connections whose two ends are both among them (bend points, labels and fonts with them),
// carried as a diagram file of its own: on the clipboard under the program's own type, and as
// text, so that copying in one window and pasting in another works, and so does pasting text
// copied out of a diagram file.

#include "model/diagram.h"
#include "model/records.h"
#include "model/selection.h"
#include "model/translation.h"

#include <QString>
#include <optional>

class QMimeData;
struct Session;

// The clipboard's type for a part of a diagram, the same as a diagram file's.
inline const QString kDiagramMimeType = QStringLiteral("application/x-quillrun");
// Told when the clipboard holds nothing that reads as a diagram.
inline constexpr SourceText kNotADiagramMessage{
    QT_TRANSLATE_NOOP("Quillrun", "クリップボードの内容は図として読めません。")};

// The elements of the set, renumbered in their order, and the connections between them.
DiagramTables CopiedPart(const DiagramTables& d, const ElementSet& elements);
// The part as clipboard data: the program's own type and plain text. The caller owns it.
QMimeData* PartAsMimeData(const DiagramTables& part);
// The part the data holds: the program's own type first, else text that reads as a whole diagram
// file; nothing for anything else (or a diagram without elements).
std::optional<DiagramTables> PartFromMimeData(const QMimeData& data);

// Adds the part after the existing records, moved by (dx, dy), and selects what it added. Adds
// nothing and tells the person when it would pass the limit of elements or connections; false
// then.
bool AddPart(Session& s, const DiagramTables& part, double dx, double dy);
// The move that puts a pasted part: a grid-snapped step away from where it was copied, or, when
// at is given (the pointer over the canvas), its middle at that point on the grid.
PointRec PasteOffset(const Session& s, const DiagramTables& part, std::optional<PointRec> at);

namespace frmMain {

void mnuEditCut_Click(Session& s);
void mnuEditCopy_Click(Session& s);
// at: the pointer, in canvas units, when it is over the canvas.
void mnuEditPaste_Click(Session& s, std::optional<PointRec> at = std::nullopt);
void mnuEditDuplicate_Click(Session& s);

}  // namespace frmMain
