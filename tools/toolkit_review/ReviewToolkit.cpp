// The "toolkit" sheet: the window toolkit as a user sees it, in Chinese and in
// English: the output strip's skinned buttons in each state, the link-status
// button, text labels and the own message box.
#include <functional>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "app/GlobalObjects.h"
#include "app/MessageBox.h"
#include "controls/BitButton.h"
#include "controls/FontStatic.h"
#include "controls/TransparentStatic.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
// A widget that shows one bitmap resource as its background.
class CSkinPanel : public QWidget {
public:
    CSkinPanel(QWidget* parent, UINT id) : QWidget(parent), m_image(CResourceStore::Image(QStringLiteral("BMP"), id))
    {
        resize(m_image.size());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

void Hover(CBitButton* button)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &move);
}

void Press(CBitButton* button)
{
    Hover(button);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
}

// The output strip's speaker-type button as the strip sets it up.
CBitButton* SpeakerTypeButton(QWidget* parent, const QString& caption)
{
    auto* b = new CBitButton(parent);
    b->SetBitmaps(594, 595, 596, 596, 596, 596);
    b->SetTextColors(QColor(220, 220, 220), QColor(255, 102, 0), QColor(255, 102, 0), QColor(220, 220, 220),
                     QColor(220, 220, 220), QColor(220, 220, 220));
    b->SetFonts(&g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14, true);
    b->SetDisabledBitmaps(641, 641);
    b->SetDisabledTextColor(QColor(210, 210, 210));
    b->SetDisabledFont(&g_fontArial14);
    b->setText(caption);
    return b;
}

// One language's column.
void BuildColumn(QWidget* sheet, int x0, bool chinese)
{
    g_bChinese = chinese;
    ReviewCaption(sheet, chinese ? QStringLiteral("中文") : QStringLiteral("English"), x0, 6)->setFont(g_fontArial16Bold);

    // An output strip background with its buttons in their resting states.
    auto* strip = new CSkinPanel(sheet, chinese ? 1151 : 1152);
    strip->move(x0, 32);
    auto* select = new CBitButton(strip);
    select->SetBitmaps(818, 817, 819, 819, 819, 819);
    select->move(6, 26);
    SpeakerTypeButton(strip, chinese ? QStringLiteral("全频") : QStringLiteral("Full"))->move(6, 54);
    auto* polarity = new CBitButton(strip);
    polarity->SetBitmaps(chinese ? 4380 : 4370, chinese ? 4381 : 4371, chinese ? 4383 : 4373, 0, 0, 0);
    polarity->move(6, 84);
    auto* mute = new CBitButton(strip);
    mute->SetBitmaps(526, 527, 528, 0, 0, 0);
    mute->move(46, 84);
    auto* link = new CBitButton(strip);
    link->SetBitmaps(chinese ? 1018 : 1019, chinese ? 1018 : 1019, chinese ? 1018 : 1019, 0, 0, 0);
    link->move(6, 112);
    auto* group = new CBitButton(strip);
    group->SetBitmaps(chinese ? 1020 : 1028, chinese ? 1020 : 1028, chinese ? 1020 : 1028, 0, 0, 0);
    group->move(46, 112);
    auto* level = new CFontStatic(strip);
    level->setGeometry(6, 140, 79, 18);
    level->SetFontStyle(QStringLiteral("Arial"), 14, QColor(0x3C, 0x44, 0x55), CFontStatic::STYLE_CENTER);
    level->SetText(QStringLiteral("-12.5dB"));
    auto* delay = new CFontStatic(strip);
    delay->setGeometry(6, 162, 79, 18);
    delay->SetFontStyle(QStringLiteral("Arial"), 14, QColor(255, 0, 0), CFontStatic::STYLE_CENTER);
    delay->SetText(QStringLiteral("1.250MS"));

    // The speaker-type button in every state.
    const int y1 = 32;
    const int xs = x0 + 110;
    ReviewCaption(sheet, chinese ? QStringLiteral("正常 / 悬停 / 按下 / 选中 / 禁用") : QStringLiteral("normal / hover / down / checked / disabled"),
            xs, y1 - 2);
    const std::function<void(CBitButton*)> states[] = {
        [](CBitButton*) {}, Hover, Press, [](CBitButton* b) { b->SetCheck(true); }, [](CBitButton* b) { b->setEnabled(false); }};
    for (int i = 0; i < 5; ++i) {
        CBitButton* b = SpeakerTypeButton(sheet, chinese ? QStringLiteral("左前高音") : QStringLiteral("FL Tweeter"));
        b->move(xs + i * 86, y1 + 18);
        states[i](b);
    }
    // Select buttons: normal, hover, selected.
    for (int i = 0; i < 3; ++i) {
        auto* b = new CBitButton(sheet);
        b->SetBitmaps(818 + 3 * i, 817 + 3 * i, 819 + 3 * i, 819 + 3 * i, 819 + 3 * i, 819 + 3 * i);
        b->move(xs + i * 86, y1 + 48);
        if (i == 1)
            Hover(b);
        if (i == 2)
            b->SetCheck(true);
    }
    // Mute and polarity: off, hover, lit.
    const UINT muteIds[] = {526, 527, 528, 530};
    const UINT polIds[] = {chinese ? 4380u : 4370u, chinese ? 4381u : 4371u, chinese ? 4383u : 4373u,
                           chinese ? 4384u : 4374u};
    for (int i = 0; i < 4; ++i) {
        auto* m = new CBitButton(sheet);
        m->SetBitmaps(muteIds[i], muteIds[i], muteIds[i], 0, 0, 0);
        m->move(xs + i * 46, y1 + 80);
        auto* p = new CBitButton(sheet);
        p->SetBitmaps(polIds[i], polIds[i], polIds[i], 0, 0, 0);
        p->move(xs + 200 + i * 46, y1 + 80);
    }

    // The link-status button of the main view, disabled, caption indented.
    static QFont statusFont = *CreateFont(20, 400);
    for (int i = 0; i < 2; ++i) {
        auto* status = new CBitButton(sheet);
        status->SetDisabledBitmaps(718, 716);
        status->SetDisabledTextColor(QColor(14, 14, 139));
        status->SetDisabledTextFormat(0);
        status->SetDisabledTextIndent(50);
        status->SetDisabledFont(&statusFont);
        status->SetCheck(i == 1);
        status->setText(i == 1 ? (chinese ? g_strConnectedCn : g_strConnectedEn)
                               : (chinese ? g_strNotConnectedCn : g_strNotConnectedEn));
        status->setEnabled(false);
        status->move(xs, y1 + 110 + i * 36);
    }

    // Labels: the band labels (grey, the edited one red), the transfer
    // popup's message, and transparent labels over a panel.
    const int y2 = y1 + 190;
    const char* bands[] = {"20", "25", "31.5", "40", "50", "63", "80"};
    for (int i = 0; i < 7; ++i) {
        auto* band = new CFontStatic(sheet);
        band->setGeometry(xs + i * 40, y2, 38, 16);
        band->SetFontStyle(QStringLiteral("Arial"), 14, i == 3 ? QColor(255, 0, 0) : QColor(178, 177, 176),
                           CFontStatic::STYLE_CENTER);
        band->SetText(QString::fromLatin1(bands[i]));
    }
    auto* transfer = new CFontStatic(sheet);
    transfer->setGeometry(xs, y2 + 22, 300, 28);
    transfer->SetFontStyle(QStringLiteral("Arial"), 18, QColor(0, 0, 128), 0x21);
    transfer->SetBkColor(QColor(230, 230, 230));
    transfer->SetText(chinese ? QStringLiteral("数据传输中，请稍候……") : QStringLiteral("Data transmitting, please wait..."));

    auto* panel = new CSkinPanel(sheet, chinese ? 739 : 1153);
    panel->move(xs + 310, y2 - 10);
    auto* version = new CTransparentStatic(panel);
    version->setFont(g_fontArial14);
    version->setGeometry(6, 26, 84, 60);
    SetWindowStyle(version, SS_CENTER);
    version->SetText(chinese ? g_strSoftVersionCn : g_strSoftVersionEn);
    auto* warning = new CTransparentStatic(panel);
    warning->setFont(g_fontArial14);
    warning->setGeometry(6, 96, 84, 40);
    warning->SetTextColor(QColor(255, 0, 0));
    warning->SetText(chinese ? g_strWifiResetFailCn : g_strWifiResetFailEn);
}
QImage RenderToolkit()
{
    QWidget sheet;
    SetUpReviewSheet(&sheet, 1240, 660);
    BuildColumn(&sheet, 10, true);
    BuildColumn(&sheet, 630, false);

    // One message box per language, grabbed while it is up.
    for (int i = 0; i < 2; ++i) {
        g_bChinese = i == 0;
        CMessageBox box(i == 0 ? g_strUsbFailCn : QStringLiteral("Whether ByPass All EQ?"), i == 0 ? MB_OK : MB_YESNO,
                        g_strMainTitle, i == 0 ? 2001 : -3);
        QTimer::singleShot(0, &box, [&box, &sheet, i] {
            const QPixmap shot = box.grab();
            auto* label = new QLabel(&sheet);
            label->setPixmap(shot);
            label->move(10 + i * 620 + 110, 440);
            label->resize(shot.size());
            box.reject();
        });
        box.DoModal();
    }
    return ReviewShot(sheet);
}
}  // namespace

ORVANE_REVIEW_SHEET("toolkit", RenderToolkit);
