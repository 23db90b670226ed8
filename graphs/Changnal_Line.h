#pragma once
// The curve-visibility strip: a narrow child dialog of the output page with
// one toggle button per output, CH1 to CH12 from top to bottom. A button
// that is down marks its output's curve for display: the response graph
// then draws that output's curve in grey under the curve being edited. The
// strip only flips g_abShowCurve and asks its page to refresh; it draws
// nothing on the graph itself. Enter and Escape do nothing.
#include <QImage>
#include <QWidget>

#include "model/DataDefine.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CBitButton;
class ICurveStripOwner;

class CChangnal_Line : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT { IDD = 967, IDB_BACKGROUND = 968 };
    // Control ids and faces (normal, hover, down) of outputs 1 to 12.
    struct ButtonSpec {
        UINT id;
        UINT normal;
        UINT hover;
        UINT down;
    };
    static const ButtonSpec kButtons[OUTPUT_COUNT];

    // The object and its twelve buttons; the window joins a page with Create.
    explicit CChangnal_Line(QWidget* parent = nullptr);
    ~CChangnal_Line() override;

    // Makes the strip a child of parent, laid out as dialog 967, and runs
    // its initialisation.
    bool Create(QWidget* parent);
    // The page refreshed after a toggle; null for none.
    void SetOwnerPage(ICurveStripOwner* page) { m_pOwnerPage = page; }
    ICurveStripOwner* GetOwnerPage() const { return m_pOwnerPage; }

    // The button of output n (0 to 11), null outside.
    CBitButton* Button(int n) const;

    // A click of the button with this control id: flips its output's flag
    // and face and, unless it is the output being edited, refreshes the
    // page.
    void OnCurveButton(UINT id);
    void OnOK() {}
    void OnCancel() {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool OnInitDialog();

    ICurveStripOwner* m_pOwnerPage = nullptr;
    QImage m_bmpBackground;
    CBitButton* m_btnCurve[OUTPUT_COUNT] = {};
};
