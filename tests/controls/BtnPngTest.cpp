#include <gtest/gtest.h>

#include <functional>

#include <QTest>

#include "controls/BtnPng.h"
#include "controls/PngResourceImage.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Flat 20 x 10 test pictures (under ids no skin uses), one colour a state;
// FADED is red at half alpha.
enum : UINT {
    NORMAL = 9001, HOVER, DOWN, CHECKED, CHECKED_HOVER, CHECKED_DOWN, DISABLED, DISABLED_CHECKED,
    CN_NORMAL, CN_HOVER, CN_DOWN, CN_CHECKED, CN_CHECKED_HOVER, CN_CHECKED_DOWN,
    FADED = 9100, HALVES = 9101, BIG = 9102, MISSING = 9999,
};
const QColor kPage(0, 0, 255);

QColor ColourOf(UINT id)
{
    return QColor(QColor::fromHsv(int(id - NORMAL) * 25 % 360, 255, 200).rgb());
}

class BtnPngTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (UINT id = NORMAL; id <= CN_CHECKED_DOWN; ++id)
            CResourceStore::SetFlatImage(QStringLiteral("PNG"), id, QSize(20, 10), ColourOf(id));
        CResourceStore::SetFlatImage(QStringLiteral("PNG"), FADED, QSize(20, 10), QColor(255, 0, 0, 128));
        CResourceStore::SetFlatImage(QStringLiteral("PNG"), BIG, QSize(30, 16), Qt::black);
        // Left half red, right half green.
        QImage halves(20, 10, QImage::Format_ARGB32);
        halves.fill(Qt::green);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                halves.setPixel(x, y, qRgb(255, 0, 0));
        CResourceStore::SetImage(QStringLiteral("PNG"), HALVES, halves);
        SetFlatBackground(&parent, kPage);
        parent.resize(200, 100);
        g_bChinese = false;
    }
    void TearDown() override
    {
        CResourceStore::ClearOverrides();
        g_bChinese = false;
    }

public:
    CBtnPng* Make(int id = 4600)
    {
        auto* b = new CBtnPng(&parent);
        SetDlgCtrlID(b, id);
        b->SetImages(NORMAL, HOVER, DOWN);
        b->SetCheckedImages(CHECKED, CHECKED_HOVER, CHECKED_DOWN);
        b->move(10, 10);
        return b;
    }
    QImage Shown(QWidget* w) { return parent.grab(w->geometry()).toImage(); }
    QColor Face(QWidget* w) { return QColor(Shown(w).pixel(5, 5)); }
    void Move(CBtnPng* b, QPoint p = QPoint(5, 5)) { SendMouse(b, QEvent::MouseMove, p); }
    void Press(CBtnPng* b) { SendMouse(b, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton); }

protected:
    CRecordingWidget parent;
};

TEST_F(BtnPngTest, HalfTransparentPictureBlendsOverTheParent)
{
    auto* b = new CBtnPng(&parent);
    b->SetImages(FADED, FADED, FADED);
    EXPECT_EQ(b->size(), QSize(20, 10));
    const QColor blended = Face(b);
    EXPECT_NEAR(blended.red(), 128, 2);
    EXPECT_NEAR(blended.blue(), 127, 2);
    EXPECT_EQ(blended.green(), 0);
}

TEST_F(BtnPngTest, FacesFollowTheState)
{
    struct Case {
        const char* what;
        std::function<void(BtnPngTest*, CBtnPng*)> act;
        UINT face;
    };
    const Case cases[] = {
        {"normal", [](auto*, auto*) {}, NORMAL},
        {"hover", [](auto* t, auto* b) { t->Move(b); }, HOVER},
        {"down", [](auto* t, auto* b) { t->Move(b); t->Press(b); }, DOWN},
        {"down, pointer off", [](auto* t, auto* b) { t->Move(b); t->Press(b); t->Move(b, QPoint(50, 5)); }, NORMAL},
        {"checked", [](auto*, auto* b) { b->SetCheck(true); }, CHECKED},
        {"checked hover", [](auto* t, auto* b) { b->SetCheck(true); t->Move(b); }, CHECKED_HOVER},
        {"checked down", [](auto* t, auto* b) { b->SetCheck(true); t->Move(b); t->Press(b); }, CHECKED_DOWN},
        // Without disabled pictures a disabled button shows the checked
        // pressed face.
        {"disabled", [](auto*, auto* b) { b->setEnabled(false); }, CHECKED_DOWN},
        {"disabled pictures",
         [](auto*, auto* b) { b->SetDisabledImages(DISABLED, DISABLED_CHECKED); b->setEnabled(false); }, DISABLED},
        {"disabled checked",
         [](auto*, auto* b) {
             b->SetDisabledImages(DISABLED, DISABLED_CHECKED);
             b->SetCheck(true);
             b->setEnabled(false);
         },
         DISABLED_CHECKED},
        // Without checked pictures a checked button shows the pressed face.
        {"checked pictures that failed to load",
         [](auto*, auto* b) { b->SetCheckedImages(0, 0, 0); b->SetCheck(true); }, 0},
    };
    int id = 4600;
    for (const Case& c : cases) {
        CBtnPng* b = Make(id++);
        c.act(this, b);
        // 0: a checked picture that failed to load shows the parent only.
        EXPECT_EQ(Face(b), c.face == 0 ? kPage : ColourOf(c.face)) << c.what;
        delete b;
    }
    CBtnPng* plain = new CBtnPng(&parent);
    plain->SetImages(NORMAL, HOVER, DOWN);
    plain->SetCheck(true);
    EXPECT_EQ(Face(plain), ColourOf(DOWN));
    EXPECT_EQ(plain->CurrentSlot(), CBtnPng::CHECKED_NORMAL);
}

TEST_F(BtnPngTest, ChineseSetFollowsTheLanguageAtEachPaint)
{
    CBtnPng* b = Make();
    EXPECT_EQ(Face(b), ColourOf(NORMAL));
    g_bChinese = true;
    EXPECT_EQ(Face(b), ColourOf(NORMAL));  // no Chinese set given
    b->SetChineseImages(CN_NORMAL, CN_HOVER, CN_DOWN, CN_CHECKED, CN_CHECKED_HOVER, CN_CHECKED_DOWN);
    EXPECT_EQ(Face(b), ColourOf(CN_NORMAL));
    b->SetCheck(true);
    Move(b);
    EXPECT_EQ(Face(b), ColourOf(CN_CHECKED_HOVER));
    g_bChinese = false;
    EXPECT_EQ(Face(b), ColourOf(CHECKED_HOVER));
}

// The pixels under the button are the parent's at every paint: after a move
// and after the parent's skin changes.
TEST_F(BtnPngTest, CompositesOverTheLiveParent)
{
    auto* b = new CBtnPng(&parent);
    b->SetImages(FADED, FADED, FADED);
    auto* patch = new QWidget(&parent);
    SetFlatBackground(patch, QColor(0, 255, 0));
    patch->setGeometry(100, 50, 40, 30);
    patch->lower();
    EXPECT_NEAR(Face(b).blue(), 127, 2);
    b->move(105, 55);
    const QColor moved = Face(b);
    EXPECT_NEAR(moved.green(), 127, 2);
    EXPECT_NEAR(moved.blue(), 0, 2);
    SetFlatBackground(patch, QColor(255, 255, 255));
    const QColor reskinned = Face(b);
    EXPECT_NEAR(reskinned.green(), 127, 2);
    EXPECT_NEAR(reskinned.red(), 255, 2);
}

TEST_F(BtnPngTest, PartnersFollowTheHoverWhileUnchecked)
{
    CBtnPng* b = Make(1);
    CBtnPng* p1 = Make(2);
    CBtnPng* p2 = Make(3);
    b->SetPartners(p1, p2);
    Move(b);
    EXPECT_TRUE(p1->IsHover());
    EXPECT_TRUE(p2->IsHover());
    EXPECT_EQ(Face(p1), ColourOf(HOVER));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(b, &leave);
    EXPECT_FALSE(p1->IsHover());
    // While checked the hover no longer reaches them; unchecking clears
    // theirs; the same value again touches nothing.
    b->SetCheck(true);
    Move(b);
    EXPECT_FALSE(p1->IsHover());
    p1->SetHover(true);
    b->SetCheck(false);
    EXPECT_FALSE(p1->IsHover());
    p1->SetHover(true);
    b->SetCheck(false);
    EXPECT_TRUE(p1->IsHover());
    // Hiding forgets the partners.
    p1->SetHover(false);
    QCoreApplication::sendEvent(b, &leave);
    b->ShowWindow(0);
    EXPECT_FALSE(b->isVisible());
    b->ShowWindow(5);
    Move(b, QPoint(6, 6));
    EXPECT_FALSE(p1->IsHover());
}

TEST_F(BtnPngTest, RotateFlipTurnsEachPicture)
{
    struct Case {
        RotateFlipType type;
        QSize size;
        QPoint red;  // a pixel that shows red
        QPoint green;
    } cases[] = {
        {RotateNoneFlipNone, QSize(20, 10), QPoint(2, 5), QPoint(17, 5)},
        {RotateNoneFlipX, QSize(20, 10), QPoint(17, 5), QPoint(2, 5)},
        {Rotate90FlipNone, QSize(10, 20), QPoint(5, 2), QPoint(5, 17)},    // left half turns to the top
        {Rotate270FlipNone, QSize(10, 20), QPoint(5, 17), QPoint(5, 2)},
        {Rotate180FlipNone, QSize(20, 10), QPoint(17, 5), QPoint(2, 5)},
        {RotateNoneFlipY, QSize(20, 10), QPoint(2, 5), QPoint(17, 5)},
    };
    for (const Case& c : cases) {
        const QImage halves = CResourceStore::Image(QStringLiteral("PNG"), HALVES);
        const QImage picture = CPngImage::RotateFlip(halves, c.type);
        EXPECT_EQ(picture.size(), c.size) << c.type;
        EXPECT_EQ(QColor(picture.pixel(c.red)), QColor(Qt::red)) << c.type;
        EXPECT_EQ(QColor(picture.pixel(c.green)), QColor(Qt::green)) << c.type;
    }
    // The button turns its pictures, then scales them to its image size.
    auto* b = new CBtnPng(&parent);
    b->SetRotateFlip(RotateNoneFlipX);
    b->SetImages(HALVES, HALVES, HALVES);
    const QImage shown = Shown(b);
    EXPECT_EQ(QColor(shown.pixel(17, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(2, 5)), QColor(Qt::green));
}

TEST_F(BtnPngTest, FailedLoads)
{
    CPngResourceImage image;
    EXPECT_TRUE(image.Load(NORMAL));
    EXPECT_FALSE(image.IsEmpty());
    EXPECT_FALSE(image.Load(MISSING));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(image.Load(NORMAL, QStringLiteral("BMP")));

    // A failed sizing picture keeps the size; a state whose picture failed
    // shows the parent only.
    auto* b = new CBtnPng(&parent);
    b->resize(33, 17);
    b->SetImages(MISSING, HOVER, DOWN);
    EXPECT_EQ(b->size(), QSize(33, 17));
    EXPECT_EQ(CountPixels(Shown(b), kPage), 33 * 17);
    Move(b);
    EXPECT_EQ(Face(b), ColourOf(HOVER));
    b->SetDisabledImages(BIG, MISSING);
    EXPECT_EQ(b->size(), QSize(30, 16));
}

TEST_F(BtnPngTest, ClickAndHoverMessages)
{
    CBtnPng* b = Make(4601);
    b->EnableMoveNotify(true);
    for (QPoint p : {QPoint(3, 3), QPoint(3, 3), QPoint(4, 3)})
        Move(b, p);
    EXPECT_EQ(parent.Messages(WM_CONTROL_HOVER).size(), 2u);
    EXPECT_EQ(parent.Messages(WM_CONTROL_HOVER)[0].lParam, 4601);
    Press(b);
    SendMouse(b, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton);
    const auto commands = parent.Messages(0x0111);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 4601u);
    EXPECT_FALSE(b->GetCheck());  // a click never checks
}

}  // namespace
