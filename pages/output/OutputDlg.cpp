#include "pages/output/OutputDlg.h"

#include "app/GlobalObjects.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/WindowMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 136 and its graph, in dialog units of its font, Arial 7.
const CRect kDialog(0, 0, 1037, 460);
const CRect kGraph(90, 21, 976, 160);
// Where the page puts the curve-visibility strip, in pixels.
const CRect kCurveStrip(1223, 20, 1223 + 46, 20 + 222);

QFont DialogTemplateFont()
{
    return DialogFont(QStringLiteral("Arial"), 7);
}
}  // namespace

COutputDlg::COutputDlg(QWidget* parent) : QWidget(parent), m_graph(this)
{
}

COutputDlg::~COutputDlg() = default;

bool COutputDlg::Create(QWidget* parent)
{
    setParent(parent);
    const QFont font = DialogTemplateFont();
    resize(MapDialogRect(kDialog, font).Size());
    m_graph.setGeometry(MapDialogRect(kGraph, font).ToQRect());
    SetDlgCtrlID(&m_graph, IDC_GRAPH);
    return OnInitDialog();
}

bool COutputDlg::OnInitDialog()
{
    // The page's skin comes with its controls; until then the dialogs'
    // background colour.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, g_brBackground.color());
    setPalette(palette);
    setAutoFillBackground(true);
    SetupControls();
    return true;
}

void COutputDlg::SetupControls()
{
    m_curveStrip.Create(this);
    m_curveStrip.SetOwnerPage(this);
    m_curveStrip.setGeometry(kCurveStrip.ToQRect());
    m_curveStrip.show();
}

void COutputDlg::AttachData(CKTV_Data* data)
{
    m_pData = data;
    m_graph.SetOwnerWnd(this);
    m_graph.BindData(data, CFStatic::BIND_OUTPUT);
    m_graph.ShowOutputChannel(0);
    m_graph.SetDrawMode(CFStatic::DRAW_OUTPUT);
    m_pGraph = &m_graph;
}

void COutputDlg::RefreshChannel()
{
    if (m_pData == nullptr)
        return;
    m_pCurOut = m_pData->GetOutput(g_nCurOutput);
    m_graph.ShowOutputChannel(g_nCurOutput);
}

void COutputDlg::RefreshPage()
{
    RefreshChannel();
}

void COutputDlg::Show(int nCmdShow)
{
    setVisible(nCmdShow != SW_HIDE);
}

void COutputDlg::FocusFirstBandField() {}

void COutputDlg::OnLanguageChanged()
{
    update();
}

void COutputDlg::OnGraphChanged(WPARAM item, LPARAM)
{
    ShowBandFromGraph(int(item));
}

void COutputDlg::ShowBandFromGraph(int item)
{
    if (m_pGraph == nullptr)
        return;
    const CKTV_OutData* output = m_pData != nullptr ? m_pData->GetOutput(g_nCurOutput) : nullptr;
    const bool filter =
        output != nullptr && (item == output->GetHighPassIndex() || item == output->GetLowPassIndex());
    m_pGraph->RedrawByMode(filter ? item : -1);
    // Clearing the released flag ends the graph's repeated notice.
    if (m_pGraph->m_bReleased)
        m_pGraph->m_bReleased = false;
}

LRESULT COutputDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GRAPH_CHANGED:
        OnGraphChanged(wParam, lParam);
        break;
    case WM_GRAPH_KILLFOCUS:
        OnGraphKillFocus();
        break;
    default:
        break;
    }
    return 0;
}
