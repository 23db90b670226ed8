// The system's own message box: caption, text, icon and buttons as the call
// asks, and the button pressed as the answer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/core/MessageBoxHook.h"
#include "platform/gui/SystemMessageBox.h"

namespace {

TEST(SystemMessageBoxTest, ShowsCaptionTextAndIconAndAnswersTheButton)
{
    struct Case {
        unsigned type;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton press;
        int answer;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONERROR, QMessageBox::Critical, QMessageBox::Ok, IDOK},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Question, QMessageBox::No, IDNO},
        {MB_OKCANCEL, QMessageBox::NoIcon, QMessageBox::Cancel, IDCANCEL},
    };
    const SystemMessageBoxHandler previous = SetSystemMessageBoxHandler(nullptr);
    InstallSystemMessageBoxHandler();
    for (const Case& c : cases) {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            QMessageBox* box = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* shown = qobject_cast<QMessageBox*>(top); shown != nullptr && shown->isVisible())
                    box = shown;
            }
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(c.press)->click();
        });
        EXPECT_EQ(SystemMessageBox(QStringLiteral("Application Error"), QStringLiteral("WARNING:  x"), c.type),
                  c.answer);
        EXPECT_EQ(title, QStringLiteral("Application Error"));
        EXPECT_EQ(text, QStringLiteral("WARNING:  x"));
        EXPECT_EQ(icon, c.icon);
    }
    SetSystemMessageBoxHandler(previous);
}

}  // namespace
