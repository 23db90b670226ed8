// The machine-preset dialogs and the small questions beside them, each in
// both languages: one row per language.
#include <cstring>

#include "app/ProgramDlg.h"
#include "app/ReMap_Dlg.h"
#include "app/SaveDlg.h"
#include "app/SaveData_Dlg.h"
#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
// Six slot names as a device might hold them: a blank slot, a Chinese name
// and one of fifteen characters among them.
void FillReviewSlotNames()
{
    const char* const names[MACHINE_PRESET_COUNT] = {"KTV Room A", "Party", "", "\xd6\xd0\xce\xc4 \xb3\xa1\xbe\xb0",
                                                     "ABCDEFGHIJKLMNO", "Bar"};
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int slot = 0; slot < MACHINE_PRESET_COUNT; ++slot) {
        std::memset(g_MachinePresets[slot].bytes, 0, PRESET_NAME_SIZE);
        std::memcpy(g_MachinePresets[slot].bytes, names[slot], std::strlen(names[slot]));
    }
}

// The machine-preset dialog in its three modes, and the name entry.
QImage RenderPresetDialogs()
{
    const bool chinese = g_bChinese;
    FillReviewSlotNames();
    std::vector<QImage> rows;
    for (const bool cn : {true, false}) {
        g_bChinese = cn;
        std::vector<QImage> shots;
        for (int mode = CProgramDlg::MODE_LOAD; mode <= CProgramDlg::MODE_DELETE; ++mode) {
            CProgramDlg program(nullptr, true, mode);
            program.OnInitDialog();
            shots.push_back(ReviewShot(program));
        }
        CSaveDlg entry;
        entry.m_nSlot = 5;
        entry.OnInitDialog();
        shots.push_back(ReviewShot(entry));
        rows.push_back(ReviewSideBySide(shots));
    }
    g_bChinese = chinese;
    return StackReviewRows(rows, 0, Qt::white);
}

QImage RenderQuestions()
{
    const bool chinese = g_bChinese;
    std::vector<QImage> rows;
    for (const bool cn : {true, false}) {
        g_bChinese = cn;
        CReMap_Dlg reMap;
        reMap.OnInitDialog();
        CSaveData_Dlg saveData;
        saveData.OnInitDialog();
        rows.push_back(ReviewSideBySide({ReviewShot(reMap), ReviewShot(saveData)}));
    }
    g_bChinese = chinese;
    return StackReviewRows(rows, 0, Qt::white);
}
}  // namespace

ORVANE_REVIEW_SHEET("preset-dialogs", RenderPresetDialogs);
ORVANE_REVIEW_SHEET("question-dialogs", RenderQuestions);
