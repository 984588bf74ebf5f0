#include "model/item_file.h"
#include "model/cp932.h"

#include <gtest/gtest.h>

TEST(ItemWriter, WritesItemsSeparatedByCommasWithCrLfLineEnds) {
    ItemWriter w;
    w.Int(-1);
    w.Double(141.42135623731);
    w.String(u"a,b");
    w.Bool(true);
    w.Bool(false);
    w.EndLine();
    w.Double(1e16);
    w.EndLine();
    EXPECT_EQ(w.Bytes(), QByteArray("-1,141.42135623731,\"a,b\",#TRUE#,#FALSE#\r\n1E+16\r\n"));
}

TEST(ItemWriter, BytesTakenBeforeMoreIsWrittenStayAsTheyWere) {
    // The file grows in one buffer; a copy taken midway must not see what comes after.
    ItemWriter w;
    w.Int(1);
    const QByteArray first = w.Bytes();
    for (int i = 0; i < 2000; ++i) w.Double(i + 0.5);
    w.String(u"合計");
    EXPECT_EQ(first, QByteArray("1"));
    EXPECT_TRUE(w.Bytes().startsWith("1,0.5,1.5,"));
    EXPECT_TRUE(w.Bytes().endsWith(",1999.5,\"" + ToCp932(u"合計") + "\""));
}

TEST(ItemWriter, StoresJapaneseTextInCodePage932) {
    ItemWriter w;
    w.String(u"変数ｱ");
    EXPECT_EQ(w.Bytes(), QByteArray("\"\x95\xcf\x90\x94\xb1\""));
}

TEST(ItemReader, ReadsItemByItemWhateverTheLineBreaks) {
    ItemReader r(QByteArray("1,  2.5 ,\"x,y\"\r\n#TRUE#\n\"\"\r-3"));
    Integer i = 0;
    double d = 0;
    QString s;
    bool b = false;
    EXPECT_TRUE(r.ReadInt(i));
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(r.ReadDouble(d));
    EXPECT_EQ(d, 2.5);
    EXPECT_TRUE(r.ReadString(s));
    EXPECT_EQ(s, "x,y");
    EXPECT_TRUE(r.ReadBool(b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(r.ReadString(s));
    EXPECT_EQ(s, "");
    EXPECT_TRUE(r.ReadInt(i));
    EXPECT_EQ(i, -3);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(r.ReadInt(i));
    EXPECT_EQ(i, -3);
}

TEST(ItemReader, AnItemThatDoesNotFitLeavesTheFieldAndIsUsedUp) {
    ItemReader r(QByteArray("abc,40000,#MAYBE#,\"q\",7"));
    Integer i = 5;
    bool b = true;
    EXPECT_FALSE(r.ReadInt(i));  // not a number
    EXPECT_FALSE(r.ReadInt(i));  // beyond 16 bits
    EXPECT_FALSE(r.ReadBool(b));
    EXPECT_FALSE(r.ReadInt(i));  // a quoted item is no number
    EXPECT_EQ(i, 5);
    EXPECT_TRUE(b);
    EXPECT_TRUE(r.ReadInt(i));
    EXPECT_EQ(i, 7);
}

TEST(ItemReader, AQuotedItemWithoutItsClosingQuoteFails) {
    ItemReader r(QByteArray("\"open,1\r\n2"));
    QString s = "before";
    EXPECT_FALSE(r.ReadString(s));
    EXPECT_EQ(s, "before");
    EXPECT_TRUE(r.AtEnd());
}

TEST(ItemReader, ReadsJapaneseTextFromCodePage932) {
    ItemReader r(QByteArray("\"\x95\xcf\x90\x94\xb1\""));
    QString s;
    EXPECT_TRUE(r.ReadString(s));
    EXPECT_EQ(s, QString::fromUtf8("変数ｱ"));
}

TEST(Cp932, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(ToCp932(u"a€b"), QByteArray("a?b"));
    EXPECT_EQ(ToCp932(QString::fromUtf8("x😀y")), QByteArray("x?y"));
    EXPECT_EQ(FromCp932(QByteArray("\x82")), QString(QChar(0xFFFD)));
}

TEST(TextWidthUnits, DoubleByteCharactersCountTwo) {
    EXPECT_EQ(TextWidthUnits(u""), 0);
    EXPECT_EQ(TextWidthUnits(u"ab"), 2);
    EXPECT_EQ(TextWidthUnits(u"変数"), 4);
    EXPECT_EQ(TextWidthUnits(u"ｱｲ"), 2);
    EXPECT_EQ(TextWidthUnits(u"€"), 1);
    EXPECT_EQ(TextWidthUnits(u"a変"), 3);
}
