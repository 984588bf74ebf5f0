#include "diagram_builders.h"

#include "model/cp932.h"

int AddElement(SharedState& st, int kind, const QString& text, double x, double y, double r) {
    const int i = ++st.Diagram.ElemCount;
    ElementRec e;
    e.Kind = static_cast<Integer>(kind);
    e.Text = text;
    e.X = x;
    e.Y = y;
    e.R = r;
    e.Font.Size = 10;
    e.TextX = x - 4 * 10 * TextWidthUnits(text);
    e.TextY = y - 8 * 10;
    if (kind == kConstantNumber || kind == kConstantString) {
        e.DataType = kind == kConstantNumber ? kTypeNumber : kTypeString;
        e.Value = text;
    } else if (kind == kVariableNumber || kind == kVariableString) {
        e.DataType = kTypeUndefined;
    }
    e.ArgCount = kind >= kPlus ? 2 : (kind == kFunction ? 1 : 0);
    st.Diagram.Elements[i] = e;
    return i;
}

int AddConnection(SharedState& st, int from, int to, const QString& argNo,
                  std::initializer_list<PointRec> bends) {
    const int j = ++st.Diagram.ConnCount;
    ConnectionRec c;
    c.FromElem = static_cast<Integer>(from);
    c.ToElem = static_cast<Integer>(to);
    const ElementRec& a = st.Diagram.Elements[from];
    const ElementRec& b = to > 0 ? st.Diagram.Elements[to] : a;
    c.X1 = a.X + a.R;
    c.Y1 = a.Y;
    c.X2 = b.X - b.R;
    c.Y2 = b.Y;
    c.ArgNo = argNo;
    c.Font.Size = 8;
    for (const PointRec& p : bends) c.Points[++c.PointCount] = p;
    c.ArgTextX = (c.X1 + c.X2) / 2;
    c.ArgTextY = (c.Y1 + c.Y2) / 2;
    st.Diagram.Connections[j] = c;
    return j;
}

void BuildPoolFiller(SharedState& st) {
    AddElement(st, kConstantNumber, "1", 1000, 1000);
    AddElement(st, kConstantNumber, "2", 1000, 3000);
    AddElement(st, kPlus, "+", 3000, 2000);
    AddElement(st, kFunction, "mod", 5000, 2000);
    st.Diagram.Elements[4].ArgCount = 2;
    AddConnection(st, 1, 3, "1");
    AddConnection(st, 2, 3, "2");
    AddConnection(st, 3, 4, "1");
}

void BuildWorkedExample(SharedState& st) {
    AddElement(st, kConstantNumber, "3", 1000, 1000);
    AddElement(st, kConstantNumber, "4", 1000, 3000);
    AddElement(st, kPlus, "+", 3000, 2000);
    AddElement(st, kVariableNumber, "x", 5000, 2000);
    AddConnection(st, 1, 3, "1");
    AddConnection(st, 2, 3, "2");
    AddConnection(st, 3, 4);
}
