#pragma once
// The check every label that makes its own font shares: with fonts refused
// by the hook, the label shows no text, no box opens from inside its paints,
// and the event loop then shows one notice in the current language.
#include <functional>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/core/Language.h"
#include "platform/gui/Fonts.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/WidgetProbe.h"

template <class Label>
void ExpectFontFailureReportedOnce(const FontCreationHook& refuse, const std::function<void(Label&)>& setUp,
                                   const std::function<bool(Label&)>& showsNoText)
{
    struct Case {
        bool chinese;
        const char* text;
        int helpId;
    };
    const Case cases[] = {{false, "Font could not be created!", -3}, {true, "字体不能创建!", -2}};
    const FontCreationHook previous = SetFontCreationHook(refuse);
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        CMessageBoxSpy spy;
        Label label;
        setUp(label);
        Render(&label);
        Render(&label);
        EXPECT_TRUE(spy.shown.empty()) << "no box from inside the paint";
        EXPECT_TRUE(showsNoText(label));
        QCoreApplication::processEvents();
        Render(&label);
        QCoreApplication::processEvents();
        EXPECT_EQ(spy.shown.size(), 1u);
        if (spy.shown.size() == 1) {
            EXPECT_EQ(spy.shown[0].text, QString::fromUtf8(c.text));
            EXPECT_EQ(spy.shown[0].helpId, c.helpId);
            EXPECT_EQ(spy.shown[0].type, unsigned(MB_OK));
        }
    }
    g_bChinese = false;
    SetFontCreationHook(previous);
}
