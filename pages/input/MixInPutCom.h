#pragma once
// The input-mix page (dialog 965): twelve mix columns side by side, one per
// output, with the sixteen source-row labels to their left. The view
// creates it on its tab control, in the output page's place, and shows it
// while its mixer button is checked.
//
// The page edits nothing itself: it highlights the label of the source row
// last touched and relays its columns' notices to the view, posted with
// their parameters untouched (WM_MIX_COLUMN_SELECT as WM_MIX_SELECT_OUTPUT,
// WM_MIX_LEVEL_CHANGED as WM_MIX_LEVEL_NOTIFY).
#include <QImage>
#include <QWidget>

#include "model/DataDefine.h"
#include "pages/input/RouteMixCom.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_Data;
class IMainView;

class CMixInPutCom : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT { IDD = 965, IDB_BACK = 993 };
    enum : int { COLUMN_TOP = 4, COLUMN_WIDTH = 92, COLUMN_HEIGHT = 441 };

    explicit CMixInPutCom(QWidget* parent = nullptr);
    ~CMixInPutCom() override;

    // Makes the page a child of parent, laid out as dialog 965.
    bool Create(QWidget* parent);

    // The view sets both before SetUpColumns.
    IMainView* m_pView = nullptr;
    CKTV_Data* m_pData = nullptr;
    CRouteMixCom m_Column[OUTPUT_COUNT];
    // Source row 1..16 whose label is highlighted; 0 none.
    int m_nHighlightRow = 0;

    // Creates, sets up and places the twelve columns, stores their places
    // in the view, then reloads them. Once.
    void SetUpColumns();
    // Each column reloads its sixteen levels from the parameter set.
    void ReloadColumns();
    // Each column redoes its texts for the current language.
    void RefreshLanguage();

    // The left edge of column i (pitches of 98 and 97 pixels).
    static int ColumnLeft(int i);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The strip of the row labels, repainted alone by a highlight.
    static QRect LabelStrip() { return QRect(10, 10, 70, 438); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_bmpBackCn;
    QImage m_bmpBackEn;
};
