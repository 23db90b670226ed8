#pragma once
// The response graph at the output page's size, bound to a default
// parameter set and owned by a recording window; helpers that read the
// model under its lock and drive the mouse over band handles.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QImage>

#include "graphs/FStatic.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/Units.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/gui/DialogUnits.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"

// The graph's place on the output page: dialog units of the page's Arial 7.
inline QSize PageGraphSize()
{
    return MapDialogRect(CRect(90, 21, 976, 160), DialogFont(QStringLiteral("Arial"), 7)).Size();
}

class FStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        g_bChinese = false;
        data = std::make_unique<CKTV_Data>();
        owner.resize(PageGraphSize() + QSize(40, 40));
        graph = new CFStatic(&owner);
        graph->resize(PageGraphSize());
        graph->SetOwnerWnd(&owner);
        graph->BindData(data.get(), CFStatic::BIND_OUTPUT);
        graph->ShowOutputChannel(0);
        graph->SetDrawMode(CFStatic::DRAW_OUTPUT);
    }
    void TearDown() override
    {
        delete graph;
        data.reset();
        g_bChinese = false;
        g_bDeviceSynced = false;
    }

public:
    CKTV_OutData* Output(int n) const { return data->GetOutput(n); }
    CFilter* Band(int n, int item) const { return data->GetOutput(n)->GetBand(item); }

    // Sets a band's frequency and gain index as a page would, under the lock.
    void SetBand(int n, int item, int hz, int gainIndex)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CFilter* band = Band(n, item);
        band->SetFrequency(hz, false);
        band->SetGainIndex(gainIndex);
    }

    // The crossover of output n open from 20 Hz to 20 kHz, so that its EQ
    // alone shapes its curve.
    void OpenCrossover(int n)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(n)->GetHighPass()->SetFrequency(20, false);
        Output(n)->GetLowPass()->SetFrequency(20000, false);
    }

    CRect HandleOf(int n, int item) const
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        return Band(n, item)->GetHandleRect();
    }
    QPoint CentreOf(const CRect& r) const
    {
        const Point c = CenterOf(r);
        return QPoint(c.x, c.y);
    }
    QPoint HandleCentre(int n, int item) const { return CentreOf(HandleOf(n, item)); }

    // Output n's curve points (client pixels) as the graph draws them.
    std::vector<QPointF> CurveOf(int n) const
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(n)->RecomputeCurve();
        const PointF* points = Output(n)->GetCurveFloat();
        std::vector<QPointF> out;
        for (int i = 0; i < GRID_POINTS; ++i)
            out.emplace_back(points[i].x, points[i].y);
        return out;
    }

    void Move(const QPoint& p, bool held = false)
    {
        SendMouse(graph, QEvent::MouseMove, p, Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton);
    }
    void Press(const QPoint& p) { SendMouse(graph, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void Release(const QPoint& p) { SendMouse(graph, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    // Hover at from, press, move through the path with the button held,
    // release at the last point.
    void Drag(const QPoint& from, const std::vector<QPoint>& path)
    {
        Move(from);
        Move(from);
        Press(from);
        for (const QPoint& p : path)
            Move(p, true);
        Release(path.empty() ? from : path.back());
    }

    // WM_GRAPH_CHANGED notices that reached the owner so far.
    std::vector<CRecordingTarget::Received> Notices()
    {
        owner.DeliverPosted();
        return owner.Messages(WM_GRAPH_CHANGED);
    }

    CRecordingWidget owner;
    std::unique_ptr<CKTV_Data> data;
    CFStatic* graph = nullptr;
};
