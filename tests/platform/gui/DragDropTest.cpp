// The drag seam: the hook answers in place of the drag loop and is given
// back; drop effects and Qt's drop actions map both ways.
#include <gtest/gtest.h>

#include <QDrag>
#include <QMimeData>
#include <QObject>

#include "platform/gui/DragDrop.h"

TEST(DragDropTest, TheHookAnswersTheDragAndEffectsMapToActions)
{
    QObject source;
    QDrag drag(&source);
    Qt::DropActions offered;
    const DragDropHook previous = SetDragDropHook([&](QDrag&, Qt::DropActions supported) {
        offered = supported;
        return Qt::MoveAction;
    });
    EXPECT_EQ(DoDragDrop(drag, Qt::CopyAction | Qt::MoveAction), Qt::MoveAction);
    EXPECT_EQ(offered, Qt::CopyAction | Qt::MoveAction);
    SetDragDropHook(previous);

    struct Case {
        unsigned effect;
        Qt::DropAction action;
    };
    for (const Case& c : {Case{DROPEFFECT_NONE, Qt::IgnoreAction}, Case{DROPEFFECT_COPY, Qt::CopyAction},
                          Case{DROPEFFECT_MOVE, Qt::MoveAction}}) {
        EXPECT_EQ(DropActionOf(c.effect), c.action);
        EXPECT_EQ(DropEffectOf(c.action), c.effect);
    }
    EXPECT_EQ(DropEffectOf(Qt::LinkAction), unsigned(DROPEFFECT_NONE));
}
