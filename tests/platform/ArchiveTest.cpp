// The byte archive: little-endian numbers, the three string length-prefix
// forms, and reads that never pass the end of their data.
#include <gtest/gtest.h>

#include "platform/core/Archive.h"
#include "platform/core/TextCodec.h"

namespace {

QByteArray Bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

TEST(Archive, NumbersAreLittleEndian)
{
    QByteArray out;
    CArchive ar(&out);
    ar << BYTE(0x12) << WORD(0x3456) << DWORD(0x789ABCDE) << std::int32_t(-2) << std::int16_t(-3) << 1.5f;
    EXPECT_EQ(out, Bytes({0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF,
                          0x00, 0x00, 0xC0, 0x3F}));

    CArchive in(out);
    BYTE b;
    WORD w;
    DWORD d;
    std::int32_t i;
    std::int16_t s;
    float f;
    in >> b >> w >> d >> i >> s >> f;
    EXPECT_FALSE(in.HasError());
    EXPECT_EQ(b, 0x12);
    EXPECT_EQ(w, 0x3456);
    EXPECT_EQ(d, 0x789ABCDEu);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(s, -3);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(in.Remaining(), 0);
}

struct PrefixCase {
    quint32 length;
    QByteArray prefix;
};

TEST(Archive, StringLengthPrefixForms)
{
    const PrefixCase cases[] = {
        {0, Bytes({0x00})},
        {16, Bytes({0x10})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {0x12345, Bytes({0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00})},
    };
    for (const PrefixCase& c : cases) {
        QByteArray text(qsizetype(c.length), 'a');
        QByteArray out;
        CArchive ar(&out);
        ar.WriteStringBytes(text);
        EXPECT_EQ(out.left(c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(out.size(), c.prefix.size() + qsizetype(c.length));

        CArchive in(out);
        QByteArray back;
        EXPECT_TRUE(in.ReadStringBytes(back, c.length)) << c.length;
        EXPECT_EQ(back, text);
        EXPECT_EQ(in.Remaining(), 0);
    }
}

TEST(Archive, HeaderTextRoundTripAsGbk)
{
    QByteArray out;
    CArchive ar(&out);
    ar.WriteString(QStringLiteral("Brelinx_File_2.0"));
    ar.WriteString(QString::fromUtf8("卡拉OK"));
    EXPECT_EQ(out.left(17), QByteArray("\x10" "Brelinx_File_2.0"));
    CArchive in(out);
    QString header, name;
    EXPECT_TRUE(in.ReadString(header, 16));
    EXPECT_TRUE(in.ReadString(name, 16));
    EXPECT_EQ(header, QStringLiteral("Brelinx_File_2.0"));
    EXPECT_EQ(name, QString::fromUtf8("卡拉OK"));
    EXPECT_EQ(ToDeviceBytes(name).size(), 6);
}

TEST(Archive, BadInputIsAnErrorNeverAnOverread)
{
    struct Case {
        const char* what;
        QByteArray data;
        quint32 maxLength;
    };
    const Case cases[] = {
        {"empty", QByteArray(), 16},
        {"truncated text", Bytes({0x10, 'B', 'r', 'e'}), 16},
        {"longer than expected", Bytes({0x11}) + QByteArray(17, 'x'), 16},
        {"hostile 32-bit length", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}), 0xFFFFFFFFu},
        {"hostile 16-bit length", Bytes({0xFF, 0xF0, 0xFF, 'x', 'y'}), 0xFFFFFFFFu},
        {"wide-string marker", Bytes({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b', 0}), 16},
        {"truncated prefix", Bytes({0xFF, 0xFF}), 16},
    };
    for (const Case& c : cases) {
        CArchive in(c.data);
        QByteArray out("stale");
        EXPECT_FALSE(in.ReadStringBytes(out, c.maxLength)) << c.what;
        EXPECT_TRUE(out.isEmpty()) << c.what;
        EXPECT_TRUE(in.HasError()) << c.what;
    }

    // A short number read gives zeros and sets the error, which stays set.
    CArchive in(Bytes({0x01, 0x02, 0x03}));
    DWORD d = 0xFFFFFFFF;
    BYTE b = 0xFF;
    in >> d;
    EXPECT_EQ(d, 0u);
    EXPECT_TRUE(in.HasError());
    in >> b;
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(in.HasError());
}

}  // namespace
