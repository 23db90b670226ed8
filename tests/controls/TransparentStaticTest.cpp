#include <gtest/gtest.h>

#include "controls/TransparentStatic.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

TEST(TransparentStaticTest, DrawFormatFromStyleBits)
{
    struct Case {
        DWORD style;
        UINT format;
    };
    const Case cases[] = {
        {SS_LEFT, DT_WORDBREAK},
        {SS_RIGHT, DT_RIGHT | DT_WORDBREAK},
        {SS_CENTER | SS_NOPREFIX, DT_CENTER | DT_NOPREFIX | DT_WORDBREAK},
        {SS_CENTER | SS_CENTERIMAGE, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {SS_ENDELLIPSIS, DT_WORD_ELLIPSIS | DT_END_ELLIPSIS},
        {SS_PATHELLIPSIS, DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS},
        {SS_WORDELLIPSIS, DT_WORD_ELLIPSIS | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS},
        {0x000C, 0},       // left without wrapping
        {0x0004, 0},
        {SS_NOTIFY, DT_WORDBREAK},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTransparentStatic::DrawFormatForStyle(c.style), c.format) << std::hex << c.style;
}

TEST(TransparentStaticTest, SameTextLeavesTheWindowAlone)
{
    CTransparentStatic label;
    label.SetText(QStringLiteral("A"));
    EXPECT_EQ(label.text(), QStringLiteral("A"));
    label.setText(QStringLiteral("B"));  // changed behind its back
    label.SetText(QStringLiteral("A"));
    EXPECT_EQ(label.text(), QStringLiteral("B"));
    label.SetText(QStringLiteral("C"));
    EXPECT_EQ(label.text(), QStringLiteral("C"));
}

// Over a skinned dialog the label adds its text and nothing else; without
// the wrap-suppressing bits a long text wraps onto more lines.
TEST(TransparentStaticTest, TextOverTheParentsSkinAndWrapping)
{
    QWidget dialog;
    dialog.resize(200, 120);
    SetFlatBackground(&dialog, QColor(227, 228, 238));
    auto* label = new CTransparentStatic(&dialog);
    label->setFont(*CreateFont(14, 400));
    label->setGeometry(10, 10, 90, 80);
    label->SetTextColor(Qt::red);
    label->SetText(QStringLiteral("Load WIFI factory default failure"));

    const QImage wrapped = Render(&dialog);
    EXPECT_GT(CountPixels(wrapped, Qt::red, 30), 10);
    EXPECT_EQ(QColor(wrapped.pixel(95, 85)), QColor(227, 228, 238));
    const auto ink = [](const QImage& image) {
        return PixelBounds(image, [](QRgb p) { return Near(p, Qt::red, 100) && qGreen(p) < 150; });
    };
    const int wrappedHeight = ink(wrapped).height();

    SetWindowStyle(label, SS_CENTERIMAGE);
    label->update();
    const int singleHeight = ink(Render(&dialog)).height();
    EXPECT_GT(wrappedHeight, 2 * singleHeight);
}

}  // namespace
