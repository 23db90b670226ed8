// The "link-group-dialog" sheet: the link-group dialog in new-group mode
// (opened from unlinked output 3, then after channel 5 was moved beside it)
// and in join mode (opened from output 7 with groups {1,2} and {4,6,8}),
// in English and Chinese.

#include <initializer_list>
#include "pages/LinkMaskStore.h"
#include "pages/input/JoDeSet_Dlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

// Masks of their own, nobody to copy.
class ReviewLinkMasks : public ILinkMaskStore {
public:
    explicit ReviewLinkMasks(std::initializer_list<std::initializer_list<int>> groups)
    {
        for (int i = 0; i < 12; ++i)
            m_nMask[i] = 1 << i;
        for (const auto& group : groups) {
            int mask = 0;
            for (int output : group)
                mask |= 1 << output;
            for (int output : group)
                m_nMask[output] = mask;
        }
    }
    int LinkMask(int output) const override { return output >= 0 && output < 12 ? m_nMask[output] : 0; }
    void SetLinkMask(int output, int mask) override
    {
        if (output >= 0 && output < 12)
            m_nMask[output] = mask;
    }
    CMsgTarget* LinkGroupCopyTarget() override { return nullptr; }

private:
    int m_nMask[12] = {};
};

QImage RenderLinkGroupDialog(bool chinese, bool newGroup, bool moved)
{
    g_bChinese = chinese;
    ReviewLinkMasks masks = newGroup ? ReviewLinkMasks{} : ReviewLinkMasks{{0, 1}, {3, 5, 7}};
    CJoDeSet_Dlg dialog;
    dialog.m_pStore = &masks;
    dialog.m_nChannel = newGroup ? 2 : 6;
    dialog.m_bNewGroup = newGroup ? 1 : 0;
    dialog.m_bJoinGroup = newGroup ? 0 : 1;
    dialog.OnInitDialog();
    if (moved) {
        // Channel 5 (row 4 of the left list) moved, then channel 7 selected.
        dialog.m_listChannels.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
        dialog.OnClickChannels();
        dialog.OnMove();
        dialog.m_listChannels.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    } else if (!newGroup) {
        dialog.m_listChannels.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    }
    const QImage image = ReviewShot(dialog);
    g_bChinese = false;
    return image;
}

QImage RenderLinkGroupDialogs()
{
    std::vector<QImage> rows;
    for (const bool chinese : {false, true})
        rows.push_back(ReviewSideBySide({RenderLinkGroupDialog(chinese, true, false),
                                         RenderLinkGroupDialog(chinese, true, true),
                                         RenderLinkGroupDialog(chinese, false, false)}));
    return StackReviewRows(rows, 0, QColor(255, 255, 255));
}
}  // namespace

ORVANE_REVIEW_SHEET("link-group-dialog", RenderLinkGroupDialogs);
