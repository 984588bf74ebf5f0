#include "model/diagram_file.h"

#include "model/diagram.h"
#include "model/item_file.h"
#include "model/numeric_text.h"

#include <algorithm>
#include <memory>

namespace {

void WriteFont(ItemWriter& out, const FontAttr& f) {
    out.Bool(f.Bold);
    out.Bool(f.Italic);
    out.String(f.Name);
    out.Int(f.Size);
    out.Bool(f.Strikethrough);
    out.Bool(f.Underline);
    out.Int(f.Weight);
    out.EndLine();
}

void WriteElement(ItemWriter& out, const ElementRec& e) {
    out.Double(e.TextX);
    out.Double(e.TextY);
    out.EndLine();
    out.Double(e.X);
    out.Double(e.Y);
    out.Double(e.R);
    out.EndLine();
    out.String(e.Text);
    out.String(e.DataType);
    out.String(e.Value);
    out.Int(e.Kind);
    out.String(e.Spare);
    out.Int(e.ArgCount);
    out.EndLine();
    WriteFont(out, e.Font);
}

void WriteConnection(ItemWriter& out, const ConnectionRec& c) {
    out.Int(c.FromElem);
    out.Int(c.ToElem);
    out.EndLine();
    out.Double(c.X1);
    out.Double(c.Y1);
    out.Double(c.X2);
    out.Double(c.Y2);
    out.EndLine();
    out.Double(c.ArgTextX);
    out.Double(c.ArgTextY);
    out.String(c.ArgNo);
    out.EndLine();
    WriteFont(out, c.Font);
    const int points = std::clamp<int>(c.PointCount, 0, kMaxPoints);
    out.Int(points);
    out.EndLine();
    for (int k = 1; k <= points; ++k) {
        out.Double(c.Points[k].X);
        out.Double(c.Points[k].Y);
        out.EndLine();
    }
}

// Every read below skips an item that is missing or does not fit and keeps the field as it was,
// so the results of the single reads are not looked at.
void ReadFont(ItemReader& in, FontAttr& f) {
    in.ReadBool(f.Bold);
    in.ReadBool(f.Italic);
    in.ReadString(f.Name);
    in.ReadInt(f.Size);
    in.ReadBool(f.Strikethrough);
    in.ReadBool(f.Underline);
    in.ReadInt(f.Weight);
}

void ReadElement(ItemReader& in, ElementRec& e) {
    in.ReadDouble(e.TextX);
    in.ReadDouble(e.TextY);
    in.ReadDouble(e.X);
    in.ReadDouble(e.Y);
    in.ReadDouble(e.R);
    in.ReadString(e.Text);
    in.ReadString(e.DataType);
    in.ReadString(e.Value);
    in.ReadInt(e.Kind);
    in.ReadString(e.Spare);
    in.ReadInt(e.ArgCount);
    ReadFont(in, e.Font);
}

// Reads a count item, rounded like any Integer item. A number outside 0..limit (however large)
// is refused; an item that is missing or no number is skipped and the count keeps its value.
bool ReadCount(ItemReader& in, Integer& count, int limit) {
    double d = 0;
    if (!in.ReadDouble(d)) return true;
    d = RoundHalfEven(d);
    if (d < 0 || d > limit) return false;
    count = static_cast<Integer>(d);
    return true;
}

// False when a count is out of range; t then holds a partial read that must not be used.
bool ReadTables(ItemReader& in, DiagramTables& t) {
    if (!ReadCount(in, t.ElemCount, kMaxElements)) return false;
    for (int i = 1; i <= t.ElemCount; ++i) ReadElement(in, t.Elements[i]);
    if (!ReadCount(in, t.ConnCount, kMaxConnections)) return false;
    for (int j = 1; j <= t.ConnCount; ++j) {
        ConnectionRec& c = t.Connections[j];
        c.Active = 0;
        in.ReadInt(c.FromElem);
        in.ReadInt(c.ToElem);
        in.ReadDouble(c.X1);
        in.ReadDouble(c.Y1);
        in.ReadDouble(c.X2);
        in.ReadDouble(c.Y2);
        in.ReadDouble(c.ArgTextX);
        in.ReadDouble(c.ArgTextY);
        in.ReadString(c.ArgNo);
        ReadFont(in, c.Font);
        if (!ReadCount(in, c.PointCount, kMaxPoints)) return false;
        for (int k = 1; k <= c.PointCount; ++k) {
            in.ReadDouble(c.Points[k].X);
            in.ReadDouble(c.Points[k].Y);
        }
    }
    return true;
}

// A connection that does not join live elements (from the file, or a stale record left in place
// by a file that ended early) loses its destination, so that the full redraw removes it.
void UnhookDanglingConnections(DiagramTables& t) {
    for (int j = 1; j <= t.ConnCount; ++j) {
        ConnectionRec& c = t.Connections[j];
        const bool fromLive = c.FromElem >= 1 && c.FromElem <= t.ElemCount;
        const bool toLive = c.ToElem >= 0 && c.ToElem <= t.ElemCount;
        if (!fromLive || !toLive) c.ToElem = 0;
    }
}

}  // namespace

QByteArray WriteDiagram(const DiagramTables& d) {
    ItemWriter out;
    const int elems = d.LiveElements();
    out.Int(elems);
    out.EndLine();
    for (int i = 1; i <= elems; ++i) WriteElement(out, d.Elements[i]);
    // A connection still being drawn has no end yet; a file never holds one.
    const int conns = d.LiveConnections();
    int finished = 0;
    for (int j = 1; j <= conns; ++j)
        if (d.Connections[j].ToElem != 0) ++finished;
    out.Int(finished);
    out.EndLine();
    for (int j = 1; j <= conns; ++j)
        if (d.Connections[j].ToElem != 0) WriteConnection(out, d.Connections[j]);
    return out.Bytes();
}

DiagramRead ReadWholeDiagram(const QByteArray& bytes, DiagramTables& d) {
    auto t = std::make_unique<DiagramTables>();
    ItemReader in(bytes);
    if (!ReadTables(in, *t) || in.Failures() > 0 || !in.AtEnd()) return DiagramRead::Refused;
    for (int j = 1; j <= t->ConnCount; ++j) {
        const ConnectionRec& c = t->Connections[j];
        if (c.FromElem < 1 || c.FromElem > t->ElemCount || c.ToElem < 1 || c.ToElem > t->ElemCount)
            return DiagramRead::Refused;
    }
    d = std::move(*t);
    return DiagramRead::Loaded;
}

DiagramRead ReadDiagram(const QByteArray& bytes, DiagramTables& d) {
    auto t = std::make_unique<DiagramTables>(d);
    ItemReader in(bytes);
    if (!ReadTables(in, *t)) return DiagramRead::Refused;
    UnhookDanglingConnections(*t);
    d = std::move(*t);
    return DiagramRead::Loaded;
}
