#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QFile>

#include "platform/gui/ResourceStore.h"
#include "tools/skingen/SkinTable.h"

namespace {

std::vector<SkinEntry> Table()
{
    std::vector<SkinEntry> entries;
    QString error;
    EXPECT_TRUE(ReadSkinTable(QStringLiteral(SKIN_TABLE_PATH), &entries, &error)) << error.toStdString();
    return entries;
}

// Every row of the table became an image of its size: bitmaps opaque, PNG
// images with real transparency around their shape.
TEST(SkinsTest, EveryRowIsAnImageOfItsSize)
{
    const std::vector<SkinEntry> entries = Table();
    ASSERT_FALSE(entries.empty());
    for (const SkinEntry& e : entries) {
        const QImage image = CResourceStore::Image(e.type, e.id);
        ASSERT_FALSE(image.isNull()) << e.type.toStdString() << " " << e.id;
        EXPECT_EQ(image.size(), QSize(e.width, e.height)) << e.id;
        if (e.type == QLatin1String("BMP")) {
            EXPECT_FALSE(image.hasAlphaChannel()) << e.id;
        } else {
            EXPECT_TRUE(image.hasAlphaChannel()) << e.id;
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << e.id;
        }
    }
}

TEST(SkinsTest, StatesOfOneButtonLookDifferent)
{
    // The speaker-type button's normal, hover, pressed and disabled faces.
    const QImage normal = CResourceStore::Image(QStringLiteral("BMP"), 594);
    for (UINT other : {595u, 596u, 641u})
        EXPECT_NE(CResourceStore::Image(QStringLiteral("BMP"), other), normal) << other;
}

// The master mute shows a loudspeaker; muted, the loudspeaker crossed out on
// a blue face.
TEST(SkinsTest, MuteFacesAreBlueOnlyWhenMuted)
{
    const struct {
        UINT id;
        bool muted;
    } faces[] = {{1007, false}, {1006, false}, {1008, true}, {1009, true}};
    for (const auto& f : faces) {
        const QImage image = CResourceStore::Image(QStringLiteral("BMP"), f.id).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull()) << f.id;
        int blue = 0, bright = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb px = image.pixel(x, y);
                blue += qBlue(px) > qRed(px) + 60;
                bright += qGray(px) > 180;
            }
        }
        if (f.muted)
            EXPECT_GT(blue, image.width() * image.height() / 2) << f.id;
        else
            EXPECT_EQ(blue, 0) << f.id;
        // The loudspeaker glyph itself.
        EXPECT_GT(bright, 12) << f.id;
    }
    EXPECT_NE(CResourceStore::Image(QStringLiteral("BMP"), 1007), CResourceStore::Image(QStringLiteral("BMP"), 1008));
}

// A fader thumb's pixel (0,0) is its key colour: only its corners have it,
// so that a keyed thumb loses its corners and nothing else.
TEST(SkinsTest, ThumbKeyColourIsFoundOnlyInTheCorners)
{
    int thumbs = 0;
    for (const SkinEntry& e : Table()) {
        if (!e.kind.startsWith(QLatin1String("knob")))
            continue;
        ++thumbs;
        const QImage image = CResourceStore::Image(e.type, e.id).convertToFormat(QImage::Format_RGB32);
        const QRgb key = image.pixel(0, 0);
        int keyed = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                keyed += image.pixel(x, y) == key;
        EXPECT_EQ(keyed, 4) << e.id;
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), key) << e.id;
    }
    EXPECT_GE(thumbs, 9);
}

TEST(SkinsTest, BadRowsAreRefusedWithTheirLine)
{
    struct Case {
        const char* row;
        const char* message;
    };
    const Case cases[] = {
        {"1\tGIF\t10\t10\tnormal\t-\t-\tany", "line 2: type must be BMP or PNG"},
        {"1\tBMP\t0\t10\tnormal\t-\t-\tany", "line 2: size outside 1 to 2048"},
        {"1\tBMP\t10\t10\tshiny\t-\t-\tany", "line 2: unknown kind shiny"},
        {"1\tBMP\t10\t10\tnormal\t-\tred\tany", "line 2: bad colours red"},
        {"1\tBMP\t10\t10\tnormal\t-\t-\tfr", "line 2: language must be any, cn or en"},
        {"1\tBMP\t10\t10\tnormal\t-", "line 2: expected 8 tab-separated fields"},
        {"594\tBMP\t10\t10\tnormal\t-\t#112233/#445566\tany\n594\tbmp\t10\t10\thover\t-\t-\tany",
         "line 3: BMP 594 appears twice"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("t.tsv"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("# comment\n") + c.row + "\n");
        file.close();
        std::vector<SkinEntry> entries;
        QString error;
        EXPECT_FALSE(ReadSkinTable(path, &entries, &error)) << c.row;
        EXPECT_EQ(error, QString::fromUtf8(c.message));
    }
}

}  // namespace
