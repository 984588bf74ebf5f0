#pragma once
// The records a diagram is made of: elements, connections, bend points, label fonts and the
// value cells that carry values through a run. Plain data only; no behaviour lives here.

#include <QString>
#include <array>
#include <cstdint>

using Integer = std::int16_t;  // 16-bit fields: counts, indices, kinds, font sizes
using Long = std::int32_t;     // 32-bit fields: queue heads

constexpr int kMaxElements = 100;     // live elements are 1..ElemCount
constexpr int kMaxConnections = 100;  // live connections are 1..ConnCount
constexpr int kMaxPoints = 30;        // bend points 1..PointCount of one connection
constexpr int kMaxArgs = 30;          // argument queues 1..30 of one element
constexpr int kMaxCells = 1000;       // managed value cells 1..1000

// Element kinds, in the order of the element dialog's kind list.
enum ElementKind : int {
    kConstantNumber = 0,
    kConstantString = 1,
    kVariableNumber = 2,
    kVariableString = 3,
    kFunction = 4,
    kPlus = 5,
    kMinus = 6,
    kTimes = 7,
    kDivide = 8,
};

struct FontAttr {
    bool Bold = false;
    bool Italic = false;  // carried and saved only
    QString Name;         // carried and saved only
    Integer Size = 0;
    bool Strikethrough = false;  // carried and saved only
    bool Underline = false;
    Integer Weight = 0;  // carried and saved only

    bool operator==(const FontAttr&) const = default;
};

struct PointRec {
    double X = 0;
    double Y = 0;

    bool operator==(const PointRec&) const = default;
};

struct ElementRec {
    double TextX = 0;
    double TextY = 0;
    double X = 0;
    double Y = 0;
    double R = 0;
    QString Text;
    QString DataType;
    QString Value;
    Integer Kind = 0;
    QString Spare;
    Integer ArgCount = 0;
    std::array<Long, kMaxArgs + 1> ArgQueue{};  // run-time only; index 0 unused by the engine
    FontAttr Font;
    // A run stops after a step of this element that sent or fired. For the session only: never
    // saved, and a loaded element has none.
    bool Breakpoint = false;

    bool operator==(const ElementRec&) const = default;
};

struct ConnectionRec {
    Integer FromElem = 0;
    double X1 = 0;
    double Y1 = 0;
    Integer ToElem = 0;  // 0 while the connection is still being drawn
    double X2 = 0;
    double Y2 = 0;
    double ArgTextX = 0;
    double ArgTextY = 0;
    QString ArgNo;
    Integer Active = 0;  // -1 when a value travelled along it in the latest step
    FontAttr Font;
    Integer PointCount = 0;
    std::array<PointRec, kMaxPoints + 1> Points{};  // 1..PointCount in use

    bool operator==(const ConnectionRec&) const = default;
};

struct ValueCell {
    Integer Next = -1;
    QString DataType;
    QString Value;
};
