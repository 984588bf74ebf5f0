#include "bench_program.h"

#include "app/startup.h"
#include "diagram_builders.h"
#include "engine/run_control.h"

#include <cmath>

BenchProgram::BenchProgram(int pixelWidth, int pixelHeight) {
    frm.Picture1.Width = pixelWidth * frm.TwipsPerPixel;
    frm.Picture1.Height = pixelHeight * frm.TwipsPerPixel;
    program.Start();
}

namespace {

// A connection from rim to rim along the straight way, zigzagging across it through its bend
// points, with its label halfway along the last segment.
void ZigzagConnection(SharedState& st, int from, int to, const QString& argNo, int bends,
                      double wiggle) {
    ConnectionRec& c = st.Diagram.Connections[AddConnection(st, from, to, argNo)];
    const ElementRec& a = st.Diagram.Elements[from];
    const ElementRec& b = st.Diagram.Elements[to];
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double d = std::hypot(dx, dy);
    c.X1 = a.X + a.R * dx / d;
    c.Y1 = a.Y + a.R * dy / d;
    c.X2 = b.X - b.R * dx / d;
    c.Y2 = b.Y - b.R * dy / d;
    for (int k = 1; k <= bends; ++k) {
        const double t = static_cast<double>(k) / (bends + 1);
        const double side = k % 2 ? wiggle : -wiggle;
        c.Points[k] = {c.X1 + (c.X2 - c.X1) * t - side * dy / d,
                       c.Y1 + (c.Y2 - c.Y1) * t + side * dx / d};
    }
    c.PointCount = static_cast<Integer>(bends);
    const PointRec& last = c.Points[bends];
    c.ArgTextX = (last.X + c.X2) / 2;
    c.ArgTextY = (last.Y + c.Y2) / 2;
}

}  // namespace

void BuildMaximalDiagram(BenchProgram& p) {
    SharedState& st = p.st;
    const double width = p.canvas.Picture2.ScaleWidth();
    const double height = p.canvas.Picture2.ScaleHeight();
    const double cellW = width / 10, cellH = height / 10;
    const double r = std::min(cellW, cellH) * 0.35;
    static const QString texts[] = {
        QStringLiteral("12.5"),   QStringLiteral("合計"), QStringLiteral("x"),
        QStringLiteral("文字列"), QStringLiteral("mod"),  QStringLiteral("+"),
        QStringLiteral("-"),      QStringLiteral("*"),    QStringLiteral("/")};
    for (int i = 0; i < kMaxElements; ++i) {
        const int kind = i % 9;
        const int e =
            AddElement(st, kind, texts[kind], cellW * (i % 10 + 0.5), cellH * (i / 10 + 0.5), r);
        st.Diagram.Elements[e].Font.Bold = e % 3 == 0;
    }
    for (int j = 0; j < kMaxConnections; ++j) {
        const int from = j + 1;
        const int to = (j + 37) % kMaxElements + 1;
        ZigzagConnection(st, from, to, QString::number(j % 2 + 1), kMaxPoints, r * 0.4);
        if (j % 7 == 0) st.Diagram.Connections[from].Active = -1;
    }
    st.SelKind = kSelPoint;
    st.SelIndex = 10;
    st.SelPoint = 5;
    st.GridSize = 100;
}

void BuildBusyDiagram(Program& p) {
    SharedState& st = p.st;
    const double cellW = p.canvas.Picture2.ScaleWidth() / 5;
    const double cellH = p.canvas.Picture2.ScaleHeight() / 5;
    const double r = std::min(cellW, cellH) * 0.1;
    for (int k = 0; k < 25; ++k) {
        const double x = cellW * (k % 5), y = cellH * (k / 5);
        const int a = AddElement(st, kConstantNumber, QString::number(k), x + cellW * 0.15,
                                 y + cellH * 0.2, r);
        const int b = AddElement(st, kConstantNumber, QStringLiteral("0.5"), x + cellW * 0.15,
                                 y + cellH * 0.8, r);
        const int plus =
            AddElement(st, kPlus, QStringLiteral("+"), x + cellW * 0.5, y + cellH * 0.5, r);
        const int v = AddElement(st, kVariableNumber, QStringLiteral("合計"), x + cellW * 0.85,
                                 y + cellH * 0.5, r);
        ZigzagConnection(st, a, plus, QStringLiteral("1"), 2, r * 0.4);
        ZigzagConnection(st, b, plus, QStringLiteral("2"), 2, r * 0.4);
        ZigzagConnection(st, plus, v, QString(), 2, r * 0.4);
    }
    for (int k = 0; k < 25; ++k)
        ZigzagConnection(st, 4 * k + 4, 4 * ((k + 1) % 25) + 4, QStringLiteral("2"), 2, r * 0.4);
    frmMain::Command1_Click(p.s);
    p.frm.Timer1 = {1, true};
}

void BuildWorkedExample(BenchProgram& p) {
    SharedState& st = p.st;
    AddElement(st, kConstantNumber, QStringLiteral("3"), 600, 600, 300);
    AddElement(st, kConstantNumber, QStringLiteral("4"), 600, 2400, 300);
    AddElement(st, kPlus, QStringLiteral("+"), 2400, 1500, 300);
    AddElement(st, kVariableNumber, QStringLiteral("合計"), 4200, 1500, 300);
    ZigzagConnection(st, 1, 3, QStringLiteral("1"), 1, 100);
    ZigzagConnection(st, 2, 3, QStringLiteral("2"), 1, 100);
    ZigzagConnection(st, 3, 4, QString(), 1, 100);
    frmMain::Command1_Click(p.s);
    p.frm.Timer1 = {1, true};
}
