#pragma once
// One mix column of the input-mix page (dialog 966): the sixteen mix
// levels of one output, row n being input source n (Hi.Level1 to
// Bluetooth-R). The page creates twelve, one per output.
//
// In this form the column draws its background and the sixteen levels the
// output object holds; the row edits, faders, spins and buttons join it
// later.
#include <QImage>
#include <QWidget>

#include "model/KTV_OutData.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_OutData;
class CMixInPutCom;

// Output 0..11 and row 1..16 of a level change.
struct MixCellRef {
    int nOutput;
    int nRow;
};

class CRouteMixCom : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT { IDD = 966, IDB_BACK = 995, IDB_BACK_CURRENT = 1172 };
    enum : int { ROW_COUNT = MIX_SOURCE_COUNT };

    explicit CRouteMixCom(QWidget* parent = nullptr);
    ~CRouteMixCom() override;

    // Makes the column a child of the page, laid out as dialog 966.
    bool Create(QWidget* parent);

    // Set by the page before SetUpControls.
    CMixInPutCom* m_pPage = nullptr;
    MixCellRef m_Notify = {0, 0};
    int m_nOutput = 0;
    // Remembered level of each row (entry n - 1 for row n), 0..100; the
    // view's source switches read and write it.
    int m_nLevel[ROW_COUNT] = {};
    CKTV_OutData* m_pOutData = nullptr;

    // The column's set-up once the page has given it its output.
    void SetUpControls();
    // The rows show the output's levels again.
    void ReloadLevels();
    // The rows' texts and tooltips for the current language.
    void RefreshLanguage();
    // The sixteen levels take the defaults of speaker position code (0 to
    // 24; a higher code keeps the remembered levels): remembered, shown
    // and written to the output. Nothing is posted.
    void ApplySpeakerTypeMix(int code);
    // The level row 1..16 shows in its edit, spin and fader; the output and
    // the remembered level are not touched.
    void SetRowLevel(int row, int level);
    int RowLevel(int row) const;
    // The faders' skins off, and on again (the highlighted set for the
    // current output).
    void ClearSliderSkins();
    void ApplySliderSkins();
    bool HasSliderSkins() const { return m_bSliderSkins; }

    // The level of row in the output object, 0 without an output.
    int ShownLevel(int row) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What each row's edit, spin and fader show, entry n - 1 for row n.
    int m_nShown[ROW_COUNT] = {};
    bool m_bSliderSkins = false;
    QImage m_bmpNormal;
    QImage m_bmpCurrent;
};
