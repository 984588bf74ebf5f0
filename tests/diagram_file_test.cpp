#include "model/diagram_file.h"
#include "model/cp932.h"
#include "model/shared_state.h"

#include <gtest/gtest.h>
#include <QFile>
#include <memory>

namespace {

// The worked example of the file format: two constants joined by one connection with one bend
// point.
const QByteArray kExample(
    "2\r\n"
    "260,120\r\n"
    "300,200,100\r\n"
    "\"5\",\"Number\",\"5\",0,\"\",0\r\n"
    "#FALSE#,#FALSE#,\"\",10,#FALSE#,#FALSE#,0\r\n"
    "1052,104\r\n"
    "1100,200,100\r\n"
    "\"7\",\"Number\",\"7\",0,\"\",0\r\n"
    "#TRUE#,#FALSE#,\"\",12,#FALSE#,#TRUE#,0\r\n"
    "1\r\n"
    "1,2\r\n"
    "400,200,1000,200\r\n"
    "850,200,\"1\"\r\n"
    "#FALSE#,#FALSE#,\"\",10,#FALSE#,#FALSE#,0\r\n"
    "1\r\n"
    "700,200\r\n");

std::unique_ptr<SharedState> NewState() {
    return std::make_unique<SharedState>();
}

ElementRec Element(double textX, double textY, double x, double y, double r, const QString& text,
                   const QString& type, const QString& value, int kind, int argCount) {
    ElementRec e;
    e.TextX = textX;
    e.TextY = textY;
    e.X = x;
    e.Y = y;
    e.R = r;
    e.Text = text;
    e.DataType = type;
    e.Value = value;
    e.Kind = static_cast<Integer>(kind);
    e.ArgCount = static_cast<Integer>(argCount);
    e.Font.Size = 10;
    return e;
}

// The tables of the example.
void FillExample(SharedState& st) {
    st.Diagram.ElemCount = 2;
    st.Diagram.Elements[1] = Element(260, 120, 300, 200, 100, "5", "Number", "5", 0, 0);
    st.Diagram.Elements[2] = Element(1052, 104, 1100, 200, 100, "7", "Number", "7", 0, 0);
    st.Diagram.Elements[2].Font.Bold = true;
    st.Diagram.Elements[2].Font.Size = 12;
    st.Diagram.Elements[2].Font.Underline = true;
    st.Diagram.ConnCount = 1;
    ConnectionRec& c = st.Diagram.Connections[1];
    c.FromElem = 1;
    c.ToElem = 2;
    c.X1 = 400;
    c.Y1 = 200;
    c.X2 = 1000;
    c.Y2 = 200;
    c.ArgTextX = 850;
    c.ArgTextY = 200;
    c.ArgNo = "1";
    c.Font.Size = 10;
    c.PointCount = 1;
    c.Points[1] = {700, 200};
}

// Live records of both tables are equal (run-time fields included).
void ExpectSameTables(const SharedState& a, const SharedState& b) {
    ASSERT_EQ(a.Diagram.ElemCount, b.Diagram.ElemCount);
    ASSERT_EQ(a.Diagram.ConnCount, b.Diagram.ConnCount);
    for (int i = 1; i <= a.Diagram.ElemCount; ++i)
        EXPECT_TRUE(a.Diagram.Elements[i] == b.Diagram.Elements[i]) << "element " << i;
    for (int j = 1; j <= a.Diagram.ConnCount; ++j)
        EXPECT_TRUE(a.Diagram.Connections[j] == b.Diagram.Connections[j]) << "connection " << j;
}

// Every record, live or not, is equal.
void ExpectUnchanged(const SharedState& before, const SharedState& after) {
    EXPECT_EQ(before.Diagram.ElemCount, after.Diagram.ElemCount);
    EXPECT_EQ(before.Diagram.ConnCount, after.Diagram.ConnCount);
    EXPECT_TRUE(before.Diagram.Elements == after.Diagram.Elements);
    EXPECT_TRUE(before.Diagram.Connections == after.Diagram.Connections);
}

// Stale records in every slot, so that what a read leaves alone can be told apart.
void FillStale(SharedState& st) {
    for (int i = 1; i <= kMaxElements; ++i) {
        st.Diagram.Elements[i] = Element(-i, -i, -i, -i, 11, "old", "String", "v", 3, 0);
        st.Diagram.Elements[i].ArgQueue[1] = 40 + i;
    }
    for (int j = 1; j <= kMaxConnections; ++j) {
        ConnectionRec& c = st.Diagram.Connections[j];
        c.FromElem = 1;
        c.ToElem = 2;
        c.X1 = c.Y1 = c.X2 = c.Y2 = -j;
        c.ArgNo = "old";
        c.Active = -1;
        c.PointCount = 2;
        c.Points[1] = {-1, -1};
        c.Points[2] = {-2, -2};
    }
}

}  // namespace

TEST(DiagramFile, TheWorkedExampleIsWrittenByteForByte) {
    auto st = NewState();
    FillExample(*st);
    st->Diagram.Connections[1].Active = -1;    // run-time only: not written
    st->Diagram.Elements[1].ArgQueue[1] = 12;  // run-time only: not written
    EXPECT_EQ(WriteDiagram(st->Diagram), kExample);
}

TEST(DiagramFile, TheExampleFileOfTheTestsIsTheExample) {
    QFile f(QStringLiteral(QUILLRUN_SOURCE_DIR "/tests/data/example.qrn"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), kExample);
}

TEST(DiagramFile, TheExampleReadsIntoItsTablesWithEveryConnectionInactive) {
    auto expected = NewState();
    FillExample(*expected);
    auto st = NewState();
    st->Diagram.Connections[1].Active = -1;
    ASSERT_EQ(ReadDiagram(kExample, st->Diagram), DiagramRead::Loaded);
    ExpectSameTables(*expected, *st);
    EXPECT_EQ(st->Diagram.Connections[1].Active, 0);
}

TEST(DiagramFile, AnEmptyDiagramIsTwoZeroLines) {
    auto st = NewState();
    EXPECT_EQ(WriteDiagram(st->Diagram), QByteArray("0\r\n0\r\n"));
    FillExample(*st);
    ASSERT_EQ(ReadDiagram("0\r\n0\r\n", st->Diagram), DiagramRead::Loaded);
    EXPECT_EQ(st->Diagram.ElemCount, 0);
    EXPECT_EQ(st->Diagram.ConnCount, 0);
}

TEST(DiagramFile, FullTablesWithThirtyBendsEachRoundTripUnchanged) {
    auto st = NewState();
    st->Diagram.ElemCount = kMaxElements;
    for (int i = 1; i <= kMaxElements; ++i) {
        ElementRec e =
            Element(i * 10.25, -i * 3.5, i * 100 + 0.125, i * 7.75, 150 + i,
                    QStringLiteral("e%1").arg(i), kTypeNumber, QString::number(i), i % 9, i % 4);
        e.Spare = QStringLiteral("s%1").arg(i);
        e.Font.Bold = i % 2 == 0;
        e.Font.Underline = i % 3 == 0;
        e.Font.Size = static_cast<Integer>(8 + i % 5);
        st->Diagram.Elements[i] = e;
    }
    st->Diagram.ConnCount = kMaxConnections;
    for (int j = 1; j <= kMaxConnections; ++j) {
        ConnectionRec& c = st->Diagram.Connections[j];
        c.FromElem = static_cast<Integer>(j);
        c.ToElem = static_cast<Integer>(kMaxElements + 1 - j);
        c.X1 = j * 1.5;
        c.Y1 = j * 2.5;
        c.X2 = j % 2 == 0 ? 141.42135623731 : -0.000123456789012345;
        c.Y2 = -12.5 * j;
        c.ArgTextX = j / 4.0;
        c.ArgTextY = j / 8.0;
        c.ArgNo = QString::number(j % 3);
        c.Font.Size = 8;
        c.PointCount = kMaxPoints;
        for (int k = 1; k <= kMaxPoints; ++k) c.Points[k] = {j * 100.0 + k, k * 0.5 - j};
    }
    const QByteArray bytes = WriteDiagram(st->Diagram);
    auto back = NewState();
    ASSERT_EQ(ReadDiagram(bytes, back->Diagram), DiagramRead::Loaded);
    ExpectSameTables(*st, *back);
    EXPECT_EQ(WriteDiagram(back->Diagram), bytes);
}

TEST(DiagramFile, TextsWithCommasRoundTrip) {
    auto st = NewState();
    FillExample(*st);
    st->Diagram.Elements[1].Text = "a,b,,c";
    st->Diagram.Elements[1].Value = ",";
    st->Diagram.Connections[1].ArgNo = "1,2";
    const QByteArray bytes = WriteDiagram(st->Diagram);
    EXPECT_TRUE(bytes.contains("\"a,b,,c\",\"Number\",\",\""));
    auto back = NewState();
    ASSERT_EQ(ReadDiagram(bytes, back->Diagram), DiagramRead::Loaded);
    ExpectSameTables(*st, *back);
}

TEST(DiagramFile, AllItemsOnOneLineLoadTheSame) {
    QByteArray oneLine = kExample;
    oneLine.replace("\r\n", ",");
    oneLine.chop(1);
    auto expected = NewState();
    FillExample(*expected);
    auto st = NewState();
    ASSERT_EQ(ReadDiagram(oneLine, st->Diagram), DiagramRead::Loaded);
    ExpectSameTables(*expected, *st);
}

TEST(DiagramFile, LineFeedsOrCarriageReturnsAloneBreakLinesToo) {
    auto expected = NewState();
    FillExample(*expected);
    for (const char* end : {"\n", "\r"}) {
        QByteArray bytes = kExample;
        bytes.replace("\r\n", end);
        auto st = NewState();
        ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded) << end;
        ExpectSameTables(*expected, *st);
    }
}

TEST(DiagramFile, AFileCutOffInTheThirdElementKeepsWhatWasRead) {
    auto st = NewState();
    FillStale(*st);
    st->Diagram.ElemCount = 5;
    st->Diagram.ConnCount = 1;  // a stale connection 1 -> 2, still sound with three elements
    // Three elements announced; the third stops after its centre.
    QByteArray bytes = kExample;
    bytes.truncate(bytes.indexOf("1\r\n1,2"));
    bytes.replace(0, 1, "3");
    bytes += "10,20\r\n30,40";
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);

    auto expected = NewState();
    FillExample(*expected);
    EXPECT_EQ(st->Diagram.ElemCount, 3);
    for (int i = 1; i <= 2; ++i) {
        ElementRec want = expected->Diagram.Elements[i];
        want.ArgQueue = st->Diagram.Elements[i].ArgQueue;  // queues are left alone
        EXPECT_TRUE(st->Diagram.Elements[i] == want) << i;
        EXPECT_EQ(st->Diagram.Elements[i].ArgQueue[1], 40 + i);
    }
    const ElementRec& third = st->Diagram.Elements[3];
    EXPECT_EQ(third.TextX, 10);
    EXPECT_EQ(third.TextY, 20);
    EXPECT_EQ(third.X, 30);
    EXPECT_EQ(third.Y, 40);
    EXPECT_EQ(third.R, 11);  // from here on the stale record
    EXPECT_EQ(third.Text, "old");
    EXPECT_EQ(third.Kind, 3);
    // The connection count was never reached: the stale connection stays, untouched.
    EXPECT_EQ(st->Diagram.ConnCount, 1);
    EXPECT_EQ(st->Diagram.Connections[1].ToElem, 2);
    EXPECT_EQ(st->Diagram.Connections[1].ArgNo, "old");
    EXPECT_EQ(st->Diagram.Elements[4].Text, "old");
}

TEST(DiagramFile, AConnectionCutOffKeepsItsStaleFieldsAndBecomesInactive) {
    auto st = NewState();
    FillStale(*st);
    QByteArray bytes = kExample;
    bytes.truncate(bytes.indexOf("400,200"));
    bytes += "400,200";
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
    ASSERT_EQ(st->Diagram.ConnCount, 1);
    const ConnectionRec& c = st->Diagram.Connections[1];
    EXPECT_EQ(c.Active, 0);
    EXPECT_EQ(c.FromElem, 1);
    EXPECT_EQ(c.ToElem, 2);
    EXPECT_EQ(c.X1, 400);
    EXPECT_EQ(c.Y1, 200);
    EXPECT_EQ(c.X2, -1);
    EXPECT_EQ(c.ArgNo, "old");
    EXPECT_EQ(c.PointCount, 2);
    EXPECT_EQ(st->Diagram.Connections[2].Active, -1);  // above the count: not loaded
}

TEST(DiagramFile, NonDefaultFontFieldsAreWrittenBackUnchanged) {
    QByteArray bytes = kExample;
    bytes.replace("#TRUE#,#FALSE#,\"\",12,#FALSE#,#TRUE#,0",
                  "#TRUE#,#TRUE#,\"ＭＳ 明朝\",12,#TRUE#,#TRUE#,700");
    bytes = ToCp932(QString::fromUtf8(bytes));
    auto st = NewState();
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
    const FontAttr& f = st->Diagram.Elements[2].Font;
    EXPECT_TRUE(f.Italic);
    EXPECT_EQ(f.Name, QString::fromUtf8("ＭＳ 明朝"));
    EXPECT_TRUE(f.Strikethrough);
    EXPECT_EQ(f.Weight, 700);
    EXPECT_EQ(WriteDiagram(st->Diagram), bytes);
}

TEST(DiagramFile, JapaneseTextsAreStoredInCodePage932AndReadBack) {
    auto st = NewState();
    FillExample(*st);
    st->Diagram.Elements[1].Text = QString::fromUtf8("合計は");
    st->Diagram.Elements[1].Value = QString::fromUtf8("ｶﾅ");
    st->Diagram.Elements[1].Spare = QString::fromUtf8("備考");
    const QByteArray bytes = WriteDiagram(st->Diagram);
    EXPECT_TRUE(bytes.contains(
        "\"\x8d\x87\x8c\x76\x82\xcd\",\"Number\",\"\xb6\xc5\",0,\"\x94\xf5\x8d\x6c\""));
    auto back = NewState();
    ASSERT_EQ(ReadDiagram(bytes, back->Diagram), DiagramRead::Loaded);
    ExpectSameTables(*st, *back);
}

TEST(DiagramFile, NumbersInAnyDecimalFormRead) {
    QByteArray bytes = kExample;
    bytes.replace("260,120", ".5,-1.25E+2");
    bytes.replace("300,200,100", " 3e2 , 0200.0 ,1D2");
    auto st = NewState();
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
    EXPECT_EQ(st->Diagram.Elements[1].TextX, 0.5);
    EXPECT_EQ(st->Diagram.Elements[1].TextY, -125);
    EXPECT_EQ(st->Diagram.Elements[1].X, 300);
    EXPECT_EQ(st->Diagram.Elements[1].Y, 200);
    EXPECT_EQ(st->Diagram.Elements[1].R, 100);
}

TEST(DiagramFile, KindsOutsideTheListLoadAndKeepTheirKind) {
    QByteArray bytes = kExample;
    bytes.replace("\"5\",\"Number\",\"5\",0,", "\"5\",\"Number\",\"5\",9,");
    bytes.replace("\"7\",\"Number\",\"7\",0,", "\"7\",\"Number\",\"7\",-3,");
    auto st = NewState();
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
    EXPECT_EQ(st->Diagram.Elements[1].Kind, 9);
    EXPECT_EQ(st->Diagram.Elements[2].Kind, -3);
    EXPECT_EQ(WriteDiagram(st->Diagram), bytes);
}

TEST(DiagramFile, LoadingLeavesTheArgumentQueuesAlone) {
    auto st = NewState();
    st->Diagram.Elements[1].ArgQueue[1] = 17;
    st->Diagram.Elements[2].ArgQueue[30] = -1;
    ASSERT_EQ(ReadDiagram(kExample, st->Diagram), DiagramRead::Loaded);
    EXPECT_EQ(st->Diagram.Elements[1].ArgQueue[1], 17);
    EXPECT_EQ(st->Diagram.Elements[2].ArgQueue[30], -1);
}

TEST(DiagramFile, AnItemThatDoesNotFitIsSkippedAndTheFieldKept) {
    QByteArray bytes = kExample;
    bytes.replace("300,200,100", "300,abc,100");
    bytes.replace("\"7\",\"Number\",\"7\",0,\"\",0", "\"7\",\"Number\",\"7\",40000,\"\",0");
    auto st = NewState();
    FillStale(*st);
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
    EXPECT_EQ(st->Diagram.Elements[1].X, 300);
    EXPECT_EQ(st->Diagram.Elements[1].Y, -1);  // stale
    EXPECT_EQ(st->Diagram.Elements[1].R, 100);
    EXPECT_EQ(st->Diagram.Elements[2].Kind, 3);  // stale: 40000 is no Integer
    EXPECT_EQ(st->Diagram.Elements[2].ArgCount, 0);
}

TEST(DiagramFile, CountsBeyondTheLimitsRefuseTheWholeFile) {
    QByteArray cases[] = {
        "101\r\n",
        "-1\r\n0\r\n",
        "40000\r\n",
        "1E+300\r\n",
        "0\r\n101\r\n",
        "0\r\n-2\r\n",
        kExample.left(kExample.indexOf("1\r\n700,200")) + "31\r\n",
        kExample.left(kExample.indexOf("1\r\n700,200")) + "-1\r\n",
    };
    for (const QByteArray& bytes : cases) {
        auto st = NewState();
        FillStale(*st);
        st->Diagram.ElemCount = 4;
        st->Diagram.ConnCount = 3;
        auto before = std::make_unique<SharedState>(*st);
        EXPECT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Refused) << bytes.toStdString();
        ExpectUnchanged(*before, *st);
    }
}

TEST(DiagramFile, CountsAtTheLimitsAreAccepted) {
    auto st = NewState();
    EXPECT_EQ(ReadDiagram("100\r\n", st->Diagram), DiagramRead::Loaded);  // cut off after the count
    EXPECT_EQ(st->Diagram.ElemCount, 100);
    EXPECT_EQ(st->Diagram.ConnCount, 0);
    QByteArray bytes = kExample.left(kExample.indexOf("1\r\n700,200")) + "30\r\n";
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
    EXPECT_EQ(st->Diagram.Connections[1].PointCount, 30);
}

TEST(DiagramFile, ConnectionsNotJoiningLiveElementsLoseTheirDestination) {
    auto st = NewState();
    FillExample(*st);
    const ConnectionRec good = st->Diagram.Connections[1];
    st->Diagram.ConnCount = 7;
    const std::pair<int, int> ends[] = {{1, 2}, {0, 2}, {3, 1}, {1, -1}, {1, 3}, {-5, 0}, {2, 0}};
    for (int j = 1; j <= 7; ++j) {
        st->Diagram.Connections[j] = good;
        st->Diagram.Connections[j].FromElem = static_cast<Integer>(ends[j - 1].first);
        st->Diagram.Connections[j].ToElem = static_cast<Integer>(ends[j - 1].second);
    }
    // The program never writes a connection without an end; the file gets one by hand.
    for (int j = 6; j <= 7; ++j) st->Diagram.Connections[j].ToElem = 77;
    QByteArray bytes = WriteDiagram(st->Diagram);
    bytes.replace("\r\n-5,77\r\n", "\r\n-5,0\r\n").replace("\r\n2,77\r\n", "\r\n2,0\r\n");
    ASSERT_EQ(bytes.count(",77\r\n"), 0);
    auto back = NewState();
    ASSERT_EQ(ReadDiagram(bytes, back->Diagram), DiagramRead::Loaded);
    ASSERT_EQ(back->Diagram.ConnCount, 7);
    const int expectedTo[] = {2, 0, 0, 0, 0, 0, 0};
    for (int j = 1; j <= 7; ++j) {
        EXPECT_EQ(back->Diagram.Connections[j].ToElem, expectedTo[j - 1]) << j;
        EXPECT_EQ(back->Diagram.Connections[j].FromElem, ends[j - 1].first) << j;
    }
}

TEST(DiagramFile, StaleConnectionsNamingElementsBeyondTheNewCountLoseTheirDestination) {
    auto st = NewState();
    FillStale(*st);
    st->Diagram.Connections[1].FromElem = 5;
    st->Diagram.Connections[2].ToElem = 4;
    st->Diagram.ElemCount = 5;
    st->Diagram.ConnCount = 3;
    // Two elements, and the file ends before the connection count.
    QByteArray bytes = kExample.left(kExample.indexOf("1\r\n1,2"));
    ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
    EXPECT_EQ(st->Diagram.ElemCount, 2);
    ASSERT_EQ(st->Diagram.ConnCount, 3);
    EXPECT_EQ(st->Diagram.Connections[1].ToElem, 0);
    EXPECT_EQ(st->Diagram.Connections[2].ToElem, 0);
    EXPECT_EQ(st->Diagram.Connections[3].ToElem, 2);
}

TEST(DiagramFile, AnEmptyOrGarbageFileKeepsTheCounts) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("\r\n\r\n"), QByteArray("abc,\"x\"")}) {
        auto st = NewState();
        FillExample(*st);
        auto before = std::make_unique<SharedState>(*st);
        ASSERT_EQ(ReadDiagram(bytes, st->Diagram), DiagramRead::Loaded);
        EXPECT_EQ(st->Diagram.ElemCount, 2);
        EXPECT_EQ(st->Diagram.ConnCount, 1);
        ExpectSameTables(*before, *st);
    }
}
