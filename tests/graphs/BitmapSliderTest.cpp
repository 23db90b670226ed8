#include <gtest/gtest.h>

#include <climits>
#include <set>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>

#include "graphs/BitmapSlider.h"
#include "graphs/FocusLookBuddy.h"
#include "graphs/NumEdit.h"
#include "model/Filter.h"
#include "model/FrequencyTables.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Flat test skins of the band fader's sizes; each thumb's pixel (0, 0) is a
// key colour found nowhere else in it.
enum : UINT { CHANNEL = 9001, CHANNEL_LIT = 9002, THUMB = 9003, THUMB_ACTIVE = 9004, THUMB_GREY = 9005,
              MISSING = 9999 };
const QColor kPage(200, 200, 230);
const QColor kChannel(40, 40, 40);
const QColor kLit(255, 102, 0);
const QColor kThumb(220, 220, 220);
const QColor kThumbActive(0, 160, 255);
const QColor kGrey(128, 128, 128);
const QColor kKey(255, 0, 255);
const QColor kEditActive(137, 172, 209);
constexpr int kId = 5105;

QImage Thumb(const QColor& colour)
{
    QImage image(18, 30, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, kKey.rgb());
    return image;
}

// Counts the paint events a widget receives.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    int count = 0;
};

class BitmapSliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), CHANNEL, QSize(26, 96), kChannel);
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), CHANNEL_LIT, QSize(26, 96), kLit);
        CResourceStore::SetImage(QStringLiteral("BMP"), THUMB, Thumb(kThumb));
        CResourceStore::SetImage(QStringLiteral("BMP"), THUMB_ACTIVE, Thumb(kThumbActive));
        CResourceStore::SetImage(QStringLiteral("BMP"), THUMB_GREY, Thumb(kGrey));
        SetFlatBackground(&parent, kPage);
        parent.resize(200, 200);
        fader = BandFader(&parent, kId);
    }
    void TearDown() override { CResourceStore::ClearOverrides(); }

public:
    // A gain fader of the output page: 26 x 96, margins 4, 1, 1, 1, thumb
    // 18 x 30, positions 0 to 240, scale type 10.
    static CBitmapSlider* BandFader(QWidget* parent, int id, bool transparentThumb = false)
    {
        auto* f = new CBitmapSlider(parent);
        SetDlgCtrlID(f, id);
        EXPECT_TRUE(f->SetChannelBitmaps(CHANNEL, CHANNEL_LIT, false, CLR_DEFAULT, 0, 0));
        EXPECT_TRUE(f->SetThumbBitmaps(THUMB, THUMB_ACTIVE, transparentThumb, CLR_DEFAULT, 0, 0));
        f->SetRange(0, 240, false);
        f->SetMargin(4, 1, 1, 1);
        f->SetScaleType(CBitmapSlider::SCALE_GAIN);
        f->move(20, 20);
        return f;
    }
    // Shows the page active, with the focus on the page itself (not on the
    // first fader, which activation would pick) and no message recorded.
    void ShowActive()
    {
        parent.show();
        parent.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
        parent.setFocus();
        ASSERT_TRUE(WaitFor([&] { return parent.hasFocus(); }));
        parent.DeliverPosted();
        parent.Clear();
    }
    // What the page shows where the fader is.
    QImage Shown(QWidget* w) { return parent.grab(w->geometry()).toImage(); }
    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButtons held = Qt::NoButton)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        SendMouse(fader, type, p, button, held);
    }
    void Wheel(int delta)
    {
        QWheelEvent wheel(QPointF(10, 10), fader->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(fader, &wheel);
    }
    void Key(int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(fader, &press);
    }
    std::vector<LPARAM> Positions(UINT message)
    {
        std::vector<LPARAM> out;
        for (const auto& m : parent.Messages(message)) {
            EXPECT_EQ(m.wParam, WPARAM(kId));
            out.push_back(m.lParam);
        }
        return out;
    }

    CRecordingWidget parent;
    CBitmapSlider* fader = nullptr;
};

TEST_F(BitmapSliderTest, ValuesAndPositionsByScaleType)
{
    struct Case {
        int type, max, value, position;
    } cases[] = {
        {CBitmapSlider::SCALE_GAIN, 240, 200, 120}, {CBitmapSlider::SCALE_GAIN, 240, 320, 0},
        {CBitmapSlider::SCALE_GAIN, 240, 80, 240},  {CBitmapSlider::SCALE_MIX, 100, 37, 37},
        {CBitmapSlider::SCALE_PLUS_20, 100, 20, 0}, {CBitmapSlider::SCALE_PLUS_20, 100, 75, 55},
        {CBitmapSlider::SCALE_LEVEL, 600, 600, 0},  {CBitmapSlider::SCALE_LEVEL, 600, 150, 450},
        {CBitmapSlider::SCALE_FREQUENCY, 240, 40, 200},
        // Out of range values are stored as they come.
        {CBitmapSlider::SCALE_GAIN, 240, 60, 260},  {CBitmapSlider::SCALE_MIX, 100, -5, -5},
    };
    for (const Case& c : cases) {
        fader->SetScaleType(c.type);
        fader->SetRange(0, c.max, false);
        fader->SetValue(c.value);
        EXPECT_EQ(fader->GetPos(), c.position) << c.type << " " << c.value;
        EXPECT_EQ(fader->GetValue(), c.value) << c.type << " " << c.value;
    }
    // The minimum is always 0; SetPos clamps, the reversed position does not.
    fader->SetRange(5, 100, true);
    EXPECT_EQ(fader->GetMin(), 0);
    fader->SetPos(150);
    EXPECT_EQ(fader->GetPos(), 100);
    fader->SetPos(-3);
    EXPECT_EQ(fader->GetPos(), 0);
    fader->SetReversedPos(130);
    EXPECT_EQ(fader->GetPos(), -30);
    EXPECT_EQ(fader->GetReversedPos(), 130);
    // Values at the ends of int neither wrap nor break the drawing.
    fader->SetScaleType(CBitmapSlider::SCALE_GAIN);
    fader->SetRange(0, 240, false);
    for (int v : {INT_MIN, INT_MAX}) {
        fader->SetValue(v);
        EXPECT_EQ(fader->GetPos(), v == INT_MIN ? INT_MAX : INT_MIN + 321);
        Render(fader);
    }
    EXPECT_EQ(fader->SetPageSize(20), 13);
}

TEST_F(BitmapSliderTest, FrequencyTypesUseTheGrid)
{
    struct Case {
        int type, max, hz, position, shownHz;
    } cases[] = {
        {CBitmapSlider::SCALE_FREQUENCY, 240, 1000, 104, 1000},
        {CBitmapSlider::SCALE_FREQUENCY, 240, 20000, 0, 20000},
        {CBitmapSlider::SCALE_FREQUENCY, 240, 10, 240, 19},
        {CBitmapSlider::SCALE_FREQUENCY_HIGH, 48, 20000, 0, 20000},
        {CBitmapSlider::SCALE_FREQUENCY_HIGH, 48, 1000, 48, int(g_FrequencyGrid[192])},  // clamped to the maximum
        // Other types keep the position, clamped.
        {CBitmapSlider::SCALE_GAIN, 240, 1000, 240, 19},
    };
    for (const Case& c : cases) {
        fader->SetScaleType(c.type);
        fader->SetRange(0, c.max, false);
        fader->SetReversedPos(-100);  // position max + 100
        fader->SetFrequency(c.hz);
        EXPECT_EQ(fader->GetPos(), c.position) << c.type << " " << c.hz;
        EXPECT_EQ(fader->GetFrequency(), c.shownHz) << c.type << " " << c.hz;
    }
}

// A maximum beyond the grid or a position outside the range read past the
// 241 grid points; they now name the grid's nearest end.
TEST_F(BitmapSliderTest, FrequencyOutsideTheGridNamesItsEnd)
{
    struct Case {
        int type, max, position, hz;
    } cases[] = {
        {CBitmapSlider::SCALE_FREQUENCY, 300, 0, 20000},      {CBitmapSlider::SCALE_FREQUENCY, 240, -50, 20000},
        {CBitmapSlider::SCALE_FREQUENCY, 240, 400, 19},       {CBitmapSlider::SCALE_FREQUENCY_HIGH, 240, 0, 20000},
        {CBitmapSlider::SCALE_FREQUENCY_HIGH, 48, 1000, 19},
    };
    for (const Case& c : cases) {
        fader->SetScaleType(c.type);
        fader->SetRange(0, c.max, false);
        fader->SetReversedPos(c.max - c.position);
        ASSERT_EQ(fader->GetPos(), c.position);
        EXPECT_EQ(fader->GetFrequency(), c.hz) << c.type << " " << c.max << " " << c.position;
    }
}

TEST_F(BitmapSliderTest, BandFaderGeometry)
{
    EXPECT_EQ(fader->size(), QSize(26, 96));
    EXPECT_EQ(fader->Travel(), 64);
    fader->SetValue(200);
    EXPECT_EQ(fader->GetPos(), 120);
    EXPECT_EQ(fader->PixelOfPosition(120), 48);  // the middle of the travel
    EXPECT_EQ(fader->ThumbRect(), QRect(4, 33, 18, 30));
    EXPECT_EQ(fader->PixelOfPosition(0), 16);
    EXPECT_EQ(fader->PixelOfPosition(240), 80);
}

// Without a skin the travel is empty, and after SetRange (0, 0) the range:
// pointers map to position 0 and positions to the travel's start.
TEST_F(BitmapSliderTest, EmptyTravelOrRangeMapsToTheStart)
{
    CBitmapSlider bare(&parent);
    bare.SetMargin(4, 1, 1, 1);
    EXPECT_LT(bare.Travel(), 1);
    EXPECT_EQ(bare.PositionOfPixel(50), 0);
    EXPECT_EQ(bare.PixelOfPosition(70), 1);
    SendMouse(&bare, QEvent::MouseButtonPress, QPoint(5, 40), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&bare, QEvent::MouseMove, QPoint(5, 60), Qt::NoButton, Qt::LeftButton);
    SendMouse(&bare, QEvent::MouseButtonRelease, QPoint(5, 60), Qt::LeftButton);
    EXPECT_GE(bare.GetPos(), 0);
    EXPECT_LE(bare.GetPos(), 100);

    fader->SetRange(0, 0, false);
    fader->SetReversedPos(0);
    EXPECT_EQ(fader->PixelOfPosition(0), 16);
    EXPECT_EQ(fader->PixelOfPosition(5), 16);
    EXPECT_EQ(fader->PositionOfPixel(70), 0);
    Render(fader);  // paints without dividing by zero
}

TEST_F(BitmapSliderTest, DragReachesEveryFifteenFourthsPosition)
{
    fader->SetValue(200);
    Mouse(QEvent::MouseButtonPress, QPoint(13, 48), Qt::LeftButton);
    ASSERT_TRUE(fader->IsDragging());
    std::set<int> reached;
    for (int y = 0; y <= 100; ++y) {
        Mouse(QEvent::MouseMove, QPoint(13, y), Qt::LeftButton);
        reached.insert(fader->GetPos());
    }
    Mouse(QEvent::MouseButtonRelease, QPoint(13, 100));
    std::set<int> expected;
    for (int k = 0; k <= 64; ++k)
        expected.insert(int(3.75 * k));
    EXPECT_EQ(reached, expected);
    EXPECT_EQ(fader->GetPos(), 240);
    EXPECT_EQ(fader->GetValue(), 80);
    // Keys reach the positions between.
    Key(Qt::Key_Up);
    EXPECT_EQ(fader->GetPos(), 239);
}

TEST_F(BitmapSliderTest, PixelsOfChannelAndThumb)
{
    fader->SetValue(200);
    QImage shown = Shown(fader);
    // Lit channel from the travel's start to the thumb, plain after it.
    EXPECT_TRUE(Near(shown.pixel(24, 10), kLit, 0));
    EXPECT_TRUE(Near(shown.pixel(24, 47), kLit, 0));
    EXPECT_TRUE(Near(shown.pixel(24, 48), kChannel, 0));
    EXPECT_TRUE(Near(shown.pixel(24, 90), kChannel, 0));
    // The opaque thumb shows its key pixel.
    EXPECT_TRUE(Near(shown.pixel(10, 40), kThumb, 0));
    EXPECT_TRUE(Near(shown.pixel(4, 33), kKey, 0));
    EXPECT_EQ(CountPixels(shown, kThumb), 18 * 30 - 1);

    // A transparent thumb loses its key pixel: the channel shows there.
    fader->SetThumbBitmaps(0, 0, false, 0, 0, 0);
    fader->SetThumbBitmaps(THUMB, THUMB_ACTIVE, true, CLR_DEFAULT, 0, 0);
    shown = Shown(fader);
    EXPECT_TRUE(Near(shown.pixel(4, 33), kLit, 0));
    EXPECT_EQ(CountPixels(shown, kKey), 0);

    // Disabled: the grey thumb, the whole channel plain.
    fader->SetDisabledThumbBitmap(THUMB_GREY);
    fader->Enable(false);
    shown = Shown(fader);
    EXPECT_TRUE(Near(shown.pixel(10, 40), kGrey, 0));
    EXPECT_TRUE(Near(shown.pixel(24, 10), kChannel, 0));
    EXPECT_EQ(CountPixels(shown, kThumb), 0);
    fader->Enable(true);

    // A value beyond the range puts the thumb past the travel's end, clipped.
    fader->SetValue(0);  // position 320, thumb centre at 16 + 85
    EXPECT_EQ(fader->GetPos(), 320);
    shown = Shown(fader);
    EXPECT_EQ(fader->size(), QSize(26, 96));
    const QRect thumb = PixelBounds(shown, [](QRgb p) { return Near(p, kThumb, 0); });
    EXPECT_EQ(thumb, QRect(4, 86, 18, 10));
}

TEST_F(BitmapSliderTest, SeeThroughWithoutAChannel)
{
    fader->SetChannelBitmaps(0, 0, false, 0, 0, 0);
    fader->SetThumbBitmaps(0, 0, false, 0, 0, 0);
    fader->SetThumbBitmaps(THUMB, 0, true, CLR_DEFAULT, 0, 0);
    fader->SetValue(200);
    const QImage shown = Shown(fader);
    EXPECT_TRUE(Near(shown.pixel(24, 10), kPage, 0));
    EXPECT_TRUE(Near(shown.pixel(4, 33), kPage, 0));
    EXPECT_TRUE(Near(shown.pixel(10, 40), kThumb, 0));
}

TEST_F(BitmapSliderTest, FailedLoadsLeaveNoBitmapOfThatKind)
{
    EXPECT_FALSE(fader->SetChannelBitmaps(CHANNEL, MISSING, false, CLR_DEFAULT, 0, 0));
    EXPECT_FALSE(fader->SetThumbBitmaps(MISSING, 0, false, CLR_DEFAULT, 0, 0));
    EXPECT_TRUE(fader->SetChannelBitmaps(0, 0, false, 0, 0, 0));
    const QImage shown = Shown(fader);
    EXPECT_EQ(CountPixels(shown, kPage), 26 * 96);
    // The same thumb id again changes nothing, whatever the other arguments.
    EXPECT_TRUE(fader->SetThumbBitmaps(THUMB, 0, false, 0, 0, 0));
    EXPECT_TRUE(fader->SetThumbBitmaps(THUMB, MISSING, true, 0, 0, 0));
}

TEST_F(BitmapSliderTest, PressTimerAndRelease)
{
    ShowActive();
    fader->SetValue(200);
    // On the thumb: a drag; the focus posts MOVING, each timer tick after a
    // move one more, the release MOVED.
    Mouse(QEvent::MouseButtonPress, QPoint(13, 50), Qt::LeftButton);
    EXPECT_TRUE(fader->hasFocus());
    ASSERT_TRUE(WaitFor([&] { return Positions(WM_SLIDER_MOVING).size() == 1; }));
    Mouse(QEvent::MouseMove, QPoint(13, 70), Qt::LeftButton);
    const int dragged = fader->GetPos();
    EXPECT_EQ(dragged, int((70 - 2 - 16) / 64.0 * 240));
    ASSERT_TRUE(WaitFor([&] { return Positions(WM_SLIDER_MOVING).size() == 2; }));
    Mouse(QEvent::MouseButtonRelease, QPoint(13, 70));
    ASSERT_TRUE(WaitFor([&] { return !Positions(WM_SLIDER_MOVED).empty(); }));
    EXPECT_EQ(Positions(WM_SLIDER_MOVING), (std::vector<LPARAM>{120, dragged}));
    EXPECT_EQ(Positions(WM_SLIDER_MOVED), (std::vector<LPARAM>{dragged}));
    EXPECT_FALSE(fader->IsDragging());

    // Far from the thumb: one step toward the pointer and no drag.
    parent.Clear();
    fader->SetPos(120);
    Mouse(QEvent::MouseButtonPress, QPoint(13, 90), Qt::LeftButton);
    EXPECT_EQ(fader->GetPos(), 121);
    EXPECT_FALSE(fader->IsDragging());
    Mouse(QEvent::MouseMove, QPoint(13, 10), Qt::LeftButton);
    EXPECT_EQ(fader->GetPos(), 121);
    ASSERT_TRUE(WaitFor([&] { return Positions(WM_SLIDER_MOVING).size() == 1; }));
    Mouse(QEvent::MouseButtonRelease, QPoint(13, 10));
    ASSERT_TRUE(WaitFor([&] { return !Positions(WM_SLIDER_MOVED).empty(); }));
    EXPECT_EQ(Positions(WM_SLIDER_MOVING), (std::vector<LPARAM>{121}));
    EXPECT_EQ(Positions(WM_SLIDER_MOVED), (std::vector<LPARAM>{121}));
    Mouse(QEvent::MouseButtonPress, QPoint(13, 2), Qt::LeftButton);
    EXPECT_EQ(fader->GetPos(), 120);
    Mouse(QEvent::MouseButtonRelease, QPoint(13, 2));
}

TEST_F(BitmapSliderTest, KeysAndWheel)
{
    struct Case {
        const char* what;
        std::function<void(BitmapSliderTest*)> act;
        int from, to;
        bool posts;
    } cases[] = {
        {"page up", [](auto* t) { t->Key(Qt::Key_PageUp); }, 100, 87, true},
        {"page down", [](auto* t) { t->Key(Qt::Key_PageDown); }, 100, 113, true},
        {"page down at the end", [](auto* t) { t->Key(Qt::Key_PageDown); }, 235, 240, true},
        {"end", [](auto* t) { t->Key(Qt::Key_End); }, 100, 240, true},
        {"end at the end", [](auto* t) { t->Key(Qt::Key_End); }, 240, 240, true},
        {"home", [](auto* t) { t->Key(Qt::Key_Home); }, 100, 0, true},
        {"home at 0", [](auto* t) { t->Key(Qt::Key_Home); }, 0, 0, true},
        {"left", [](auto* t) { t->Key(Qt::Key_Left); }, 100, 99, true},
        {"up", [](auto* t) { t->Key(Qt::Key_Up); }, 100, 99, true},
        {"right", [](auto* t) { t->Key(Qt::Key_Right); }, 100, 101, true},
        {"down", [](auto* t) { t->Key(Qt::Key_Down); }, 100, 101, true},
        {"other key", [](auto* t) { t->Key(Qt::Key_A); }, 100, 100, false},
        {"wheel away", [](auto* t) { t->Wheel(120); }, 100, 99, true},
        {"wheel toward", [](auto* t) { t->Wheel(-120); }, 100, 101, true},
        {"wheel 240", [](auto* t) { t->Wheel(240); }, 100, 100, true},
        {"wheel 60", [](auto* t) { t->Wheel(60); }, 100, 100, true},
        {"wheel into range", [](auto* t) { t->Wheel(-120); }, -10, 0, true},
        {"disabled key", [](auto* t) { t->fader->Enable(false); t->Key(Qt::Key_Up); }, 100, 100, false},
        {"disabled wheel", [](auto* t) { t->fader->Enable(false); t->Wheel(120); }, 100, 100, false},
    };
    for (const Case& c : cases) {
        fader->Enable(true);
        fader->SetReversedPos(240 - c.from);
        parent.Clear();
        c.act(this);
        EXPECT_EQ(fader->GetPos(), c.to) << c.what;
        parent.DeliverPosted();
        EXPECT_EQ(Positions(WM_SLIDER_MOVED), c.posts ? std::vector<LPARAM>{c.to} : std::vector<LPARAM>{})
            << c.what;
    }
}

TEST_F(BitmapSliderTest, DisabledRefusesTheMouse)
{
    fader->SetValue(200);
    fader->Enable(false);
    Mouse(QEvent::MouseButtonPress, QPoint(13, 90), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(13, 90));
    parent.DeliverPosted();
    EXPECT_EQ(fader->GetPos(), 120);
    EXPECT_TRUE(parent.Messages().empty());
}

TEST_F(BitmapSliderTest, OneHoverNoticePerPoint)
{
    Mouse(QEvent::MouseMove, QPoint(5, 5));
    EXPECT_TRUE(parent.Messages().empty());  // off until switched on
    fader->EnableMoveNotify(true);
    for (QPoint p : {QPoint(5, 5), QPoint(5, 5), QPoint(6, 5), QPoint(6, 5), QPoint(5, 5)})
        Mouse(QEvent::MouseMove, p);
    const auto hovers = parent.Messages(WM_CONTROL_HOVER);
    ASSERT_EQ(hovers.size(), 3u);
    for (const auto& m : hovers) {
        EXPECT_TRUE(m.bSent);
        EXPECT_EQ(m.wParam, 0u);
        EXPECT_EQ(m.lParam, kId);
    }
    // None while dragging.
    fader->SetValue(200);
    Mouse(QEvent::MouseButtonPress, QPoint(13, 48), Qt::LeftButton);
    Mouse(QEvent::MouseMove, QPoint(13, 60), Qt::LeftButton);
    EXPECT_EQ(parent.Messages(WM_CONTROL_HOVER).size(), 3u);
    Mouse(QEvent::MouseButtonRelease, QPoint(13, 60));
}

TEST_F(BitmapSliderTest, BandGainDragMovesItsFader)
{
    CFilter band;
    band.SetBandNumber(10);
    band.SetKind(FILTER_PEAKING);
    band.SetGainIndex(200);
    band.SetFrequency(1000, false);
    band.SetGraphSize(Rect{0, 0, 600, 240});
    band.SetOwner(fader);
    const Rect handle = band.GetHandleRect();
    const Point centre{(handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2};
    band.m_bHandleDrag = true;
    band.SetGrabOffset(centre);
    band.DragBandPoint(Point{centre.x, centre.y - 60});
    EXPECT_NE(band.GetGainIndex(), 200);
    EXPECT_EQ(fader->GetValue(), band.GetGainIndex());
    EXPECT_EQ(fader->GetPos(), 320 - band.GetGainIndex());
}

TEST_F(BitmapSliderTest, TabLeavesAndTakeFocusArrives)
{
    CBitmapSlider* other = BandFader(&parent, kId + 1);
    other->move(60, 20);
    ShowActive();
    fader->setFocus();
    ASSERT_TRUE(fader->hasFocus());
    QTest::keyClick(fader, Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_FALSE(fader->IsFocusLook());
    PostMessage(fader, WM_SLIDER_TAKE_FOCUS, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return fader->hasFocus(); }));
    EXPECT_TRUE(fader->IsFocusLook());
}

// The fader and its numeric edit: each lights the other. The edit calls the
// fader through IFocusLookBuddy.
TEST_F(BitmapSliderTest, FocusLightsTheBuddyEditAndTheEditLightsTheFader)
{
    auto* edit = new CNumEdit(&parent);
    edit->setGeometry(20, 130, 60, 18);
    auto* elsewhere = new QWidget(&parent);
    elsewhere->setFocusPolicy(Qt::StrongFocus);
    elsewhere->setGeometry(150, 150, 20, 20);
    fader->SetBuddyEdit(edit);
    fader->SetValue(200);
    ShowActive();
    auto lit = [&] { return CountPixels(Shown(edit), kEditActive); };
    EXPECT_EQ(lit(), 0);

    fader->setFocus();
    ASSERT_TRUE(WaitFor([&] { return !parent.Messages(WM_SLIDER_MOVING).empty(); }));
    EXPECT_EQ(Positions(WM_SLIDER_MOVING), (std::vector<LPARAM>{120}));
    EXPECT_GT(lit(), 60 * 18 / 2);
    EXPECT_TRUE(Near(Shown(fader).pixel(10, 40), kThumbActive, 0));

    elsewhere->setFocus();
    ASSERT_TRUE(WaitFor([&] { return !fader->hasFocus(); }));
    EXPECT_EQ(lit(), 0);
    EXPECT_TRUE(Near(Shown(fader).pixel(10, 40), kThumb, 0));

    // The edit, taking the focus, asks for the focused look.
    IFocusLookBuddy* buddy = fader;
    CPaintCounter paints(fader);
    buddy->SetFocusLook(true);
    EXPECT_TRUE(Near(Shown(fader).pixel(10, 40), kThumbActive, 0));
    QCoreApplication::processEvents();
    const int painted = paints.count;
    buddy->SetFocusLook(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, painted);
    buddy->SetFocusLook(false);
    EXPECT_TRUE(Near(Shown(fader).pixel(10, 40), kThumb, 0));
}

}  // namespace
