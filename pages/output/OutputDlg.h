#pragma once
// The output page: the child dialog (dialog 136) on which the current
// output (g_nCurOutput) is edited. In this form it holds what the response
// graph and the curve-visibility strip rest on: the graph (control 4000),
// the strip (dialog 967, a child of the page), the binding to the
// parameter set and the graph's two notifications. The EQ, crossover,
// level and delay controls join it later.
#include <QWidget>

#include "graphs/Changnal_Line.h"
#include "graphs/CurveStripOwner.h"
#include "graphs/FStatic.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_Data;
class CKTV_OutData;
class IMainView;

class COutputDlg : public QWidget, public CMsgTarget, public ICurveStripOwner {
    Q_OBJECT
public:
    enum : UINT { IDD = 136, IDC_GRAPH = 4000 };

    // The page object with its members; the window joins its parent with
    // Create.
    explicit COutputDlg(QWidget* parent = nullptr);
    ~COutputDlg() override;

    // Makes the page a child of parent, laid out as dialog 136, and runs its
    // initialisation and set-up.
    bool Create(QWidget* parent);
    // Creates the curve-visibility strip as the page's child, makes the page
    // its owner, places it at (1223, 20), 46 x 222, and shows it.
    void SetupControls();
    // Keeps the set and sets the graph up: owner, binding to the outputs,
    // output 0, draw mode 4, in that order.
    void AttachData(CKTV_Data* data);
    // Shows the current output g_nCurOutput again; the graph redraws with
    // the present show-curve flags.
    void RefreshChannel() override;
    // The whole page for the current output.
    void RefreshPage();
    // SW_SHOW shows the page, SW_HIDE hides it.
    virtual void Show(int nCmdShow);
    // Tab in the view: unless a field has the focus, the first band field
    // takes it (the page has no band fields yet).
    void FocusFirstBandField();
    // The page's texts and lists in the current language.
    void OnLanguageChanged();

    // The view, which the view writes after creating the page.
    IMainView* m_pView = nullptr;

    // WM_GRAPH_CHANGED: wParam the item (bands 0 to 30, 31 the high-pass,
    // 32 the low-pass); the channel code is not read.
    void OnGraphChanged(WPARAM item, LPARAM code);
    void OnGraphKillFocus() {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CFStatic& Graph() { return m_graph; }
    CChangnal_Line& CurveStrip() { return m_curveStrip; }
    CKTV_Data* GetData() const { return m_pData; }

private:
    bool OnInitDialog();
    // Shows what the graph changed: the filters selected, a band redrawn;
    // a handled release ends the graph's repeated notice.
    void ShowBandFromGraph(int item);

    CFStatic m_graph;
    CChangnal_Line m_curveStrip;
    CKTV_Data* m_pData = nullptr;
    CFStatic* m_pGraph = nullptr;
    CKTV_OutData* m_pCurOut = nullptr;
};
