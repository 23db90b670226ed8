// The output strips with their link buttons shown (the running program
// keeps them hidden): groups formed by clicks as a user would make them,
// in both languages, and the strips' link-group menu beside them.
#include <memory>
#include <vector>

#include <QMenu>
#include <QPainter>

#include <QPainter>

#include "app/GlobalObjects.h"
#include "app/LinkGroupTables.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/WindowMessages.h"
#include "pages/output/OutRoute_Dlg.h"
#include "platform/core/Language.h"
#include "platform/gui/ResourceStore.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewStrips.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
constexpr int kReviewLinkPitch = 144;

void ReviewLinkTablesCleared()
{
    ClearLinkGroupTables();
    for (LinkRejoin& r : g_aLinkRejoin)
        r = {0, 0};
    g_nLinkLeader = -1;
    g_bLinkJoinArmed = 0;
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        g_nLinkGroup[i] = i;
}

QImage ReviewLinkMenu(COutRouteDlg& strip)
{
    QMenu& menu = strip.m_menuLinkGroup;
    menu.ensurePolished();
    menu.adjustSize();
    QImage image(menu.sizeHint(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    menu.render(&image);
    return image;
}

// The twelve groups' pictures of both languages in two rows.
QImage ReviewLinkPictures(const COutRouteDlg& strip)
{
    QImage image(12 * 46 + 6, 2 * 24 + 6, QImage::Format_RGB32);
    image.fill(QColor(0x9A, 0x9E, 0xAE));
    QPainter painter(&image);
    for (int g = 0; g < OUTPUT_COUNT; ++g) {
        painter.drawImage(6 + 46 * g, 6, CResourceStore::Image(QStringLiteral("BMP"), UINT(strip.m_anLinkBitmapCN[g])));
        painter.drawImage(6 + 46 * g, 30, CResourceStore::Image(QStringLiteral("BMP"), UINT(strip.m_anLinkBitmapEN[g])));
    }
    return image;
}

QImage RenderStripLinkGroups()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    std::vector<QImage> rows;
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        ReviewLinkTablesCleared();
        QWidget view;
        SetUpReviewStripSurface(view, 20 + kReviewLinkPitch * OUTPUT_COUNT, 236);
        auto strips = std::make_unique<COutRouteDlg[]>(OUTPUT_COUNT);
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            COutRouteDlg& strip = strips[i];
            // The template's lower right corner holds the link button,
            // beyond the skin and the 97-pixel pitch of the view.
            SetUpReviewStrip(strip, view, i, data, QRect(10 + kReviewLinkPitch * i, 5, kReviewLinkPitch - 4, 226));
            strip.m_btnLink.setEnabled(true);
            strip.m_btnLink.show();
            strip.show();
        }
        // Outputs 1-2 in the first group (3 left it and may rejoin), 4-5-6
        // in the next, 8 alone in a third, 10 in a fourth, 12 left its own.
        const struct {
            int output;
            WPARAM kind;
        } clicks[] = {{0, 513}, {1, 513}, {2, 513}, {2, 513}, {3, 515}, {4, 513}, {5, 513},
                      {7, 515}, {9, 515}, {11, 515}, {11, 516}};
        for (const auto& click : clicks)
            strips[click.output].OnLinkButton(click.kind);
        rows.push_back(ReviewShot(view));
        if (chinese) {
            rows.push_back(ReviewLinkPictures(strips[0]));
            rows.push_back(ReviewLinkMenu(strips[0]));
        }
    }
    g_bChinese = false;
    ReviewLinkTablesCleared();
    return StackReviewRows(rows, 8, QColor(0x20, 0x22, 0x28));
}
}  // namespace

ORVANE_REVIEW_SHEET("strip-link-groups", RenderStripLinkGroups);
