#pragma once
// One mix column of the input-mix page (dialog 966): the sixteen mix
// levels of one output, row n being input source n (Hi.Level1 to
// Bluetooth-R). The page creates twelve, one per output.
//
// Each row has a level field, a horizontal fader, a hidden spin and an
// on/off button (only row 16's is shown, and it only flips its own look).
// A level change from a row's controls is written into the output object
// at once (the change scan sends it) and posted to the page:
// WM_MIX_ROW_HIGHLIGHT (row, or 0) and WM_MIX_LEVEL_CHANGED (the address
// of m_Notify, the level). A press in a column of another output posts
// WM_MIX_COLUMN_SELECT (the output).
#include <QImage>
#include <QWidget>

#include "controls/BitButton.h"
#include "graphs/BitmapSlider.h"
#include "graphs/MixColumnParent.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/KTV_OutData.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_OutData;
class CMixInPutCom;

// Output 0..11 and source 0..15 (row 1..16 less one) of a level change.
struct MixCellRef {
    int nOutput;
    int nRow;
};

class CRouteMixCom : public QWidget, public CMsgTarget, public IMixColumnParent {
    Q_OBJECT
public:
    enum : UINT { IDD = 966, IDB_BACK = 995, IDB_BACK_CURRENT = 1172 };
    enum : int { ROW_COUNT = MIX_SOURCE_COUNT, LEVEL_MAX = 100 };

    explicit CRouteMixCom(QWidget* parent = nullptr);
    ~CRouteMixCom() override;

    // Makes the column a child of the page, laid out as dialog 966, with
    // its 64 row controls.
    bool Create(QWidget* parent);

    // Set by the page before SetUpControls.
    CMixInPutCom* m_pPage = nullptr;
    MixCellRef m_Notify = {0, 0};
    CNumSpin m_spin[ROW_COUNT];
    CBitmapSlider m_slider[ROW_COUNT];
    CNumEdit m_edit[ROW_COUNT];
    CBitButton m_btnSource[ROW_COUNT];
    int m_nOutput = 0;
    // The level the running handler applies.
    int m_nValue = 0;
    // Remembered level of each row (entry r - 1 for row r), 0..100; the
    // view's source switches read and write it.
    int m_nLevel[ROW_COUNT] = {};
    CKTV_OutData* m_pOutData = nullptr;

    // The row controls' ids, entry r - 1 for row r.
    static UINT EditId(int row);
    static UINT SliderId(int row);
    static UINT SpinId(int row);
    static UINT ButtonId(int row);
    // The row of a fader id, 0 for none.
    static int RowOfSlider(UINT id);
    // The row label in the current language.
    static QString RowLabel(int row);

    // The column's set-up once the page has given it its output.
    void SetUpControls();
    // The rows show the levels of the live image again.
    void ReloadLevels();
    // The rows' tooltips and buttons for the current language.
    void RefreshLanguage();
    // The sixteen levels take the defaults of speaker position code (0 to
    // 24; a higher code keeps the remembered levels): remembered, shown
    // and written to the output. Nothing is posted.
    void ApplySpeakerTypeMix(int code);
    // The level row 1..16 shows in its spin, edit and fader; the output and
    // the remembered level are not touched.
    void SetRowLevel(int row, int level);
    // The level the row's fader shows.
    int RowLevel(int row) const;
    // The faders' skins off, and on again (the highlighted set for the
    // current output).
    void ClearSliderSkins();
    void ApplySliderSkins();
    bool HasSliderSkins() const { return m_bSliderSkins; }

    int GetColumnOutput() const override { return m_nOutput; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Messages addressed to the column or its controls pass here first.
    bool PreTranslate(QObject* watched, QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnLevelEdit(int row);
    void OnLevelSpin(int row);
    LRESULT OnSlider(WPARAM wParam);
    void OnSliderClicked(int row);
    void OnSourceButton(int row);
    void OnLButtonDown();
    // The output object takes the row's level.
    void WriteLevel(int row, int level);
    void PostLevelChanged(int row, int level);
    // A row's new level from one of its controls: into the output object
    // and the column's copy, and reported to the page.
    void CommitLevel(int row, int level);
    void ApplyButtonSkin(int row, bool chinese);

    bool m_bSliderSkins = false;
    QImage m_bmpNormal;
    QImage m_bmpCurrent;
};
