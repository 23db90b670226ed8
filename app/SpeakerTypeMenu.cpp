#include "app/SpeakerTypeMenu.h"

#include <QMenu>

#include "app/PopupMenus.h"

namespace {
struct MenuTexts {
    const char* none;
    const char* front;
    const char* rear;
    const char* centre;
    const char* subwoofers;
    const char* left;
    const char* right;
    const char* frontKinds[6];  // tweeter, midrange, woofer, midrange tweeter, midrange woofer, full
    const char* rearKinds[3];   // tweeter, woofer, full
    const char* subs[3];        // left, right, sub
};

const MenuTexts kChinese = {
    "无", "前置", "后置", "中置", "超低音", "左", "右",
    {"高音", "中音", "低音", "中高音", "中低音", "全频"},
    {"高音", "低音", "全频"},
    {"左超低音", "右超低音", "超低音"},
};

const MenuTexts kEnglish = {
    "NULL", "Front", "Rear", "Center", "Subwoofer", "Left", "Right",
    {"Tweeter", "Midrange", "Woofer", "Midrange Tweeter", "Midrange Woofer", "Full"},
    {"Tweeter", "Woofer", "Full"},
    {"L-Subwoofer", "R-Subwoofer", "Subwoofer"},
};

void AddItems(QMenu* menu, const char* const* texts, int count, int firstCode)
{
    for (int i = 0; i < count; ++i) {
        QAction* item = menu->addAction(QString::fromUtf8(texts[i]));
        item->setCheckable(true);
        item->setData(ID_SPEAKER_TYPE_FIRST + firstCode + i);
    }
}
}  // namespace

std::unique_ptr<QMenu> BuildSpeakerTypeMenu(int menuId)
{
    if (menuId != MENU_SPEAKER_TYPE_CN && menuId != MENU_SPEAKER_TYPE_EN)
        return nullptr;
    const MenuTexts& t = menuId == MENU_SPEAKER_TYPE_CN ? kChinese : kEnglish;
    auto popup = std::make_unique<QMenu>();
    AddItems(popup.get(), &t.none, 1, 0);

    QMenu* front = popup->addMenu(QString::fromUtf8(t.front));
    AddItems(front->addMenu(QString::fromUtf8(t.left)), t.frontKinds, 6, 1);
    AddItems(front->addMenu(QString::fromUtf8(t.right)), t.frontKinds, 6, 7);

    QMenu* rear = popup->addMenu(QString::fromUtf8(t.rear));
    AddItems(rear->addMenu(QString::fromUtf8(t.left)), t.rearKinds, 3, 13);
    AddItems(rear->addMenu(QString::fromUtf8(t.right)), t.rearKinds, 3, 16);

    AddItems(popup->addMenu(QString::fromUtf8(t.centre)), t.rearKinds, 3, 19);
    AddItems(popup->addMenu(QString::fromUtf8(t.subwoofers)), t.subs, 3, 22);
    return popup;
}

QAction* FindSpeakerTypeItem(const QMenu* menu, int code)
{
    return FindMenuItem(menu, ID_SPEAKER_TYPE_FIRST + code);
}
