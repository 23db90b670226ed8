#include <gtest/gtest.h>

#include "platform/gui/ResourceStore.h"

namespace {

class ResourceStoreTest : public ::testing::Test {
protected:
    void TearDown() override { CResourceStore::ClearOverrides(); }
};

TEST_F(ResourceStoreTest, MissingIdsGiveNullResults)
{
    EXPECT_TRUE(CResourceStore::Image(QStringLiteral("BMP"), 1).isNull());
    EXPECT_TRUE(CResourceStore::Image(QStringLiteral("PNG"), 594).isNull());  // 594 is a bitmap
    EXPECT_TRUE(CResourceStore::Text(1).isNull());
}

TEST_F(ResourceStoreTest, CompiledResourcesByTypeAndId)
{
    EXPECT_FALSE(CResourceStore::Image(QStringLiteral("BMP"), 594).isNull());
    EXPECT_FALSE(CResourceStore::Image(QStringLiteral("png"), 654).isNull());  // type names ignore case
    EXPECT_EQ(CResourceStore::Text(57344), QStringLiteral("Orvane 7734"));
}

TEST_F(ResourceStoreTest, TestImagesStandInFrontAndGoAway)
{
    const QImage compiled = CResourceStore::Image(QStringLiteral("BMP"), 594);
    CResourceStore::SetFlatImage(QStringLiteral("bmp"), 594, QSize(7, 5), QColor(1, 2, 3));
    CResourceStore::SetFlatImage(QStringLiteral("BMP"), 9999, QSize(3, 3), QColor(9, 9, 9));
    const QImage flat = CResourceStore::Image(QStringLiteral("BMP"), 594);
    EXPECT_EQ(flat.size(), QSize(7, 5));
    EXPECT_EQ(QColor(flat.pixel(6, 4)), QColor(1, 2, 3));
    EXPECT_FALSE(CResourceStore::Image(QStringLiteral("BMP"), 9999).isNull());

    CResourceStore::ClearOverrides();
    EXPECT_EQ(CResourceStore::Image(QStringLiteral("BMP"), 594), compiled);
    EXPECT_TRUE(CResourceStore::Image(QStringLiteral("BMP"), 9999).isNull());
}

}  // namespace
