#include "editor/copy_paste.h"

#include "editor/edit_menu.h"
#include "model/cp932.h"
#include "model/diagram_edit.h"
#include "model/diagram_file.h"
#include "model/grid_snap.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/renderer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// A step away, in canvas units, before it is put on the grid.
constexpr double kPasteStep = 300;

void Translate(ElementRec& e, double dx, double dy) {
    e.X += dx, e.Y += dy, e.TextX += dx, e.TextY += dy;
}

void Translate(ConnectionRec& c, double dx, double dy) {
    c.X1 += dx, c.Y1 += dy, c.X2 += dx, c.Y2 += dy, c.ArgTextX += dx, c.ArgTextY += dy;
    for (int k = 1; k <= std::clamp<int>(c.PointCount, 0, kMaxPoints); ++k)
        c.Points[k].X += dx, c.Points[k].Y += dy;
}

void ToClipboard(const DiagramTables& part) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(PartAsMimeData(part));
}

// Puts the part where PasteOffset says, or tells the person why nothing came.
void Paste(Session& s, const std::optional<DiagramTables>& part, std::optional<PointRec> at) {
    ResetRunForEdit(s);
    s.st.EditState = Editing::Idle;
    if (!part) {
        RedrawDiagram(s, -1);
        s.ui.Message(Tr(kNotADiagramMessage));
        return;
    }
    const PointRec by = PasteOffset(s, *part, at);
    AddPart(s, *part, by.X, by.Y);
    RedrawDiagram(s, -1);
}

}  // namespace

DiagramTables CopiedPart(const DiagramTables& d, const ElementSet& elements) {
    DiagramTables part;
    std::array<Integer, kMaxElements + 1> number{};  // in the part, 0 for left out
    for (int e = 1; e <= d.LiveElements(); ++e) {
        if (!elements[static_cast<std::size_t>(e)]) continue;
        number[static_cast<std::size_t>(e)] = ++part.ElemCount;
        ElementRec& copy = part.Elements[part.ElemCount];
        copy = d.Elements[e];
        copy.ArgQueue.fill(0);
        copy.Breakpoint = false;
    }
    for (int j = 1; j <= d.LiveConnections(); ++j) {
        const ConnectionRec& c = d.Connections[j];
        if (c.FromElem < 1 || c.FromElem > kMaxElements || c.ToElem < 1 || c.ToElem > kMaxElements)
            continue;
        const Integer from = number[static_cast<std::size_t>(c.FromElem)];
        const Integer to = number[static_cast<std::size_t>(c.ToElem)];
        if (from == 0 || to == 0) continue;
        ConnectionRec& copy = part.Connections[++part.ConnCount];
        copy = c;
        copy.FromElem = from;
        copy.ToElem = to;
        copy.Active = 0;
    }
    return part;
}

QMimeData* PartAsMimeData(const DiagramTables& part) {
    auto* data = new QMimeData;
    const QByteArray bytes = WriteDiagram(part);
    data->setData(kDiagramMimeType, bytes);
    data->setText(FromCp932(bytes.constData(), bytes.size()));
    return data;
}

std::optional<DiagramTables> PartFromMimeData(const QMimeData& data) {
    QByteArray bytes;
    if (data.hasFormat(kDiagramMimeType))
        bytes = data.data(kDiagramMimeType);
    else if (data.hasText())
        bytes = ToCp932(data.text().trimmed());
    else
        return std::nullopt;
    auto part = std::make_optional<DiagramTables>();
    if (ReadWholeDiagram(bytes, *part) != DiagramRead::Loaded || part->ElemCount == 0)
        return std::nullopt;
    return part;
}

PointRec PasteOffset(const Session& s, const DiagramTables& part, std::optional<PointRec> at) {
    const SharedState& st = s.st;
    if (!at) {
        const int grid = std::abs(st.GridSize);
        const double step = grid > 0 ? grid * std::ceil(kPasteStep / grid) : kPasteStep;
        return {step, step};
    }
    double left = std::numeric_limits<double>::max(), top = left;
    double right = std::numeric_limits<double>::lowest(), bottom = right;
    for (int e = 1; e <= part.LiveElements(); ++e) {
        const ElementRec& el = part.Elements[e];
        left = std::min(left, el.X - std::fabs(el.R)),
        right = std::max(right, el.X + std::fabs(el.R));
        top = std::min(top, el.Y - std::fabs(el.R)),
        bottom = std::max(bottom, el.Y + std::fabs(el.R));
    }
    // Grid points to grid points: what lay on the grid stays on it.
    return {SnapToGrid(st, at->X) - SnapToGrid(st, (left + right) / 2),
            SnapToGrid(st, at->Y) - SnapToGrid(st, (top + bottom) / 2)};
}

bool AddPart(Session& s, const DiagramTables& part, double dx, double dy) {
    DiagramTables& d = s.st.Diagram;
    if (d.ElemCount + part.ElemCount > kMaxElements) {
        s.ui.Message(Tr(kTooManyElements));
        return false;
    }
    if (d.ConnCount + part.ConnCount > kMaxConnections) {
        s.ui.Message(Tr(kTooManyConnections));
        return false;
    }
    const int base = d.ElemCount;
    ElementSet added;
    for (int e = 1; e <= part.ElemCount; ++e) {
        ElementRec& el = d.Elements[++d.ElemCount];
        el = part.Elements[e];
        Translate(el, dx, dy);
        el.ArgQueue.fill(-1);
        added.set(static_cast<std::size_t>(d.ElemCount));
    }
    for (int j = 1; j <= part.ConnCount; ++j) {
        ConnectionRec& c = d.Connections[++d.ConnCount];
        c = part.Connections[j];
        Translate(c, dx, dy);
        c.FromElem = static_cast<Integer>(c.FromElem + base);
        c.ToElem = static_cast<Integer>(c.ToElem + base);
        c.Active = 0;
    }
    SelectElements(s.st, added);
    return true;
}

void frmMain::mnuEditCopy_Click(Session& s) {
    const ElementSet group = SelectedGroup(s.st);
    if (group.none()) return;
    ToClipboard(CopiedPart(s.st.Diagram, group));
}

void frmMain::mnuEditCut_Click(Session& s) {
    const ElementSet group = SelectedGroup(s.st);
    if (group.none()) return;
    ToClipboard(CopiedPart(s.st.Diagram, group));
    ResetRunForEdit(s);
    s.st.EditState = Editing::Idle;
    RemoveElements(s.st, group);
    ClearSelection(s.st);
    RedrawDiagram(s, -1);
}

void frmMain::mnuEditPaste_Click(Session& s, std::optional<PointRec> at) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    Paste(s, data ? PartFromMimeData(*data) : std::nullopt, at);
}

void frmMain::mnuEditDuplicate_Click(Session& s) {
    const ElementSet group = SelectedGroup(s.st);
    if (group.none()) return;
    Paste(s, CopiedPart(s.st.Diagram, group), std::nullopt);
}
