#include <gtest/gtest.h>

#include <QCoreApplication>

#include "controls/ButtonRadio.h"
#include "platform/gui/LogFont.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Counts the paint events a widget receives.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

TEST(ButtonRadioTest, CaptionInItsColourOverTheParentsPixels)
{
    const QColor page(227, 228, 238);
    CRecordingWidget parent;
    SetFlatBackground(&parent, page);
    auto* radio = new CButtonRadio(QStringLiteral("USB WIFI COM"), &parent);
    radio->setGeometry(10, 10, 160, 24);
    EXPECT_EQ(radio->GetTextColor(), RGB(0, 0, 0));
    auto shown = [&] { return parent.grab(radio->geometry()).toImage(); };

    // No background of its own: the page shows around the caption.
    const QImage black = shown();
    EXPECT_GT(CountPixels(black, page), 160 * 24 / 2);
    EXPECT_GT(CountPixels(black, QColor(0, 0, 0), 40), 10);
    EXPECT_EQ(CountPixels(black, QColor(255, 0, 0), 60), 0);

    // A new colour waits for the next paint, then shows.
    parent.show();
    QCoreApplication::processEvents();
    CPaintCounter paints(radio);
    radio->SetTextColor(RGB(255, 0, 0));
    EXPECT_EQ(radio->GetTextColor(), RGB(255, 0, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, 0);
    const QImage red = shown();
    EXPECT_GT(CountPixels(red, QColor(255, 0, 0), 60), 10);
    EXPECT_GT(CountPixels(red, page), 160 * 24 / 2);
}

}  // namespace
