#include "bench_program.h"

#include "app/startup.h"
#include "engine/run_control.h"
#include "model/cp932.h"

#include <cmath>

BenchProgram::BenchProgram(int pixelWidth, int pixelHeight) {
    frm.AppPath = folder.path();
    frm.Picture1.Width = pixelWidth * frm.TwipsPerPixel;
    frm.Picture1.Height = pixelHeight * frm.TwipsPerPixel;
    StartupInitialisation(s);
}

namespace {

int AddElement(SharedState& st, int kind, const QString& text, double x, double y, double r) {
    const int i = ++st.ElemCount;
    ElementRec& e = st.Elements[i];
    e = ElementRec{};
    e.Kind = static_cast<Integer>(kind);
    e.Text = text;
    e.X = x;
    e.Y = y;
    e.R = r;
    e.Font.Size = 10;
    e.Font.Bold = i % 3 == 0;
    // The label centred on the circle, as placing an element does.
    e.TextX = x - 4 * e.Font.Size * TextWidthUnits(text);
    e.TextY = y - 8 * e.Font.Size;
    e.ArgCount = kind >= kPlus ? 2 : (kind == kFunction ? 1 : 0);
    return i;
}

int AddConnection(SharedState& st, int from, int to, const QString& argNo, int bends,
                  double wiggle) {
    const int j = ++st.ConnCount;
    ConnectionRec& c = st.Connections[j];
    c = ConnectionRec{};
    c.FromElem = static_cast<Integer>(from);
    c.ToElem = static_cast<Integer>(to);
    const ElementRec& a = st.Elements[from];
    const ElementRec& b = st.Elements[to];
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double d = std::hypot(dx, dy);
    c.X1 = a.X + a.R * dx / d;
    c.Y1 = a.Y + a.R * dy / d;
    c.X2 = b.X - b.R * dx / d;
    c.Y2 = b.Y - b.R * dy / d;
    // A zigzag along the straight way, crossing it at every bend.
    for (int k = 1; k <= bends; ++k) {
        const double t = static_cast<double>(k) / (bends + 1);
        const double side = k % 2 ? wiggle : -wiggle;
        c.Points[k] = {c.X1 + (c.X2 - c.X1) * t - side * dy / d,
                       c.Y1 + (c.Y2 - c.Y1) * t + side * dx / d};
    }
    c.PointCount = static_cast<Integer>(bends);
    const PointRec& last = c.Points[bends];
    c.ArgNo = argNo;
    c.Font.Size = 8;
    c.ArgTextX = (last.X + c.X2) / 2;
    c.ArgTextY = (last.Y + c.Y2) / 2;
    return j;
}

}  // namespace

void BuildMaximalDiagram(BenchProgram& p) {
    SharedState& st = p.st;
    const double width = p.canvas.Picture2.ScaleWidth();
    const double height = p.canvas.Picture2.ScaleHeight();
    const double cellW = width / 10, cellH = height / 10;
    const double r = std::min(cellW, cellH) * 0.35;
    static const QString texts[] = {QStringLiteral("12.5"), QStringLiteral("合計"),
                                    QStringLiteral("x"), QStringLiteral("文字列"),
                                    QStringLiteral("mod"), QStringLiteral("+"),
                                    QStringLiteral("-"), QStringLiteral("*"),
                                    QStringLiteral("/")};
    for (int i = 0; i < kMaxElements; ++i) {
        const int kind = i % 9;
        AddElement(st, kind, texts[kind], cellW * (i % 10 + 0.5), cellH * (i / 10 + 0.5), r);
    }
    for (int j = 0; j < kMaxConnections; ++j) {
        const int from = j + 1;
        const int to = (j + 37) % kMaxElements + 1;
        AddConnection(st, from, to, QString::number(j % 2 + 1), kMaxPoints, r * 0.4);
        if (j % 7 == 0) st.Connections[from].Active = -1;
    }
    st.SelKind = kSelPoint;
    st.SelIndex = 10;
    st.SelPoint = 5;
    st.GridSize = 100;
}

void BuildWorkedExample(BenchProgram& p) {
    SharedState& st = p.st;
    AddElement(st, kConstantNumber, QStringLiteral("3"), 600, 600, 300);
    AddElement(st, kConstantNumber, QStringLiteral("4"), 600, 2400, 300);
    AddElement(st, kPlus, QStringLiteral("+"), 2400, 1500, 300);
    AddElement(st, kVariableNumber, QStringLiteral("合計"), 4200, 1500, 300);
    AddConnection(st, 1, 3, QStringLiteral("1"), 1, 100);
    AddConnection(st, 2, 3, QStringLiteral("2"), 1, 100);
    AddConnection(st, 3, 4, QString(), 1, 100);
    Command1_Click(p.s);
    p.frm.Timer1 = {1, true};
}
