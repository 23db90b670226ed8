#pragma once
// The level-and-delay page as its tests host it: a shown offscreen host
// with the page created on it, a parameter set assigned, flat backgrounds
// of a different colour per language, and every global the page reads put
// back afterwards.
#include <gtest/gtest.h>

#include <memory>

#include <QColor>
#include <QWidget>

#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "pages/LevelDelayLinks.h"
#include "pages/output/Level_Delay_Dlg.h"
#include "platform/core/Language.h"
#include "platform/gui/ResourceStore.h"
#include "tests/model/ChannelTestSupport.h"

class LevelDelayFixture : public ::testing::Test {
protected:
    static inline const QColor kBackEn{0x10, 0x60, 0x20};
    static inline const QColor kBackCn{0x60, 0x10, 0x20};

    void SetUp() override
    {
        ResetParameterSetState();
        g_bChinese = false;
        g_nLevelDelayUnit = 1;
        g_bOutputLinkOn = false;
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), CLevel_Delay_Dlg::IDB_BACK_EN, QSize(1248, 652), kBackEn);
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), CLevel_Delay_Dlg::IDB_BACK_CN, QSize(1248, 652), kBackCn);
        data = std::make_unique<CKTV_Data>();
        host.resize(1300, 700);
    }
    void TearDown() override
    {
        page.reset();
        CResourceStore::ClearOverrides();
        g_bChinese = false;
        g_nLevelDelayUnit = 1;
        g_bOutputLinkOn = false;
        ResetParameterSetState();
    }

    // Creates the page on the shown host.
    CLevel_Delay_Dlg& CreatePage()
    {
        page = std::make_unique<CLevel_Delay_Dlg>();
        page->m_pData = data.get();
        page->Create(&host);
        page->show();
        host.show();
        return *page;
    }

    // Gives the outputs these speaker positions (the rest none) and
    // rebuilds the speaker groups.
    static void SetPositions(std::initializer_list<std::pair<int, int>> outputPositions)
    {
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            g_byOutputPosition[i] = 0;
        for (const auto& [output, position] : outputPositions)
            g_byOutputPosition[output] = BYTE(position);
        g_SpeakerGroups.Update();
    }

    std::unique_ptr<CKTV_Data> data;
    QWidget host;
    std::unique_ptr<CLevel_Delay_Dlg> page;
};
