#pragma once
// The phase dialog of one output (dialog 1137, "Sets of Phase" / "相位设置"):
// phase inversion on or off, and a phase angle and a frequency, each with a
// field, a spin and a horizontal fader. Each output strip holds one, never
// created as a window: nothing in the program opens it.
//
// The values live in the output: the switch is its polarity, the angle is
// kept in the limiter's attack word and the frequency in its release word,
// so a phase edit changes the limiter record the change scan sends.
//
// The constructor only loads the two backgrounds; the controls are laid
// out and set up when the host creates the window (Create), after setting
// m_pOutput, m_nChannel and m_strName.
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QString>

#include "controls/BitButton.h"
#include "graphs/BitmapSlider.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CKTV_OutData;

class CPhaseSettingDlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 1137,
        IDC_FREQ_SLIDER = 2854,
        IDC_SWITCH_SLIDER = 2853,
        IDC_ANGLE_SLIDER = 2850,
        IDC_FREQ_SPIN = 2849,
        IDC_ANGLE_SPIN = 2848,
        IDC_FREQ_EDIT = 2807,
        IDC_ANGLE_EDIT = 2806,
        IDC_PHASE = 2819,
        IDC_OK = 1,
        IDC_CANCEL = 2,
        IDB_BACK_CN = 1173,
        IDB_BACK_EN = 1174,
        IDB_CHANNEL = 1175,
        IDB_THUMB_ACTIVE = 1176,
        IDB_THUMB = 1177,
        IDB_ANGLE_CHANNEL = 1205,
        IDB_FREQ_THUMB = 1206,
    };
    // Angle counts 20 to 200 (0 to 360 degrees), frequencies 20 to 20000 Hz.
    enum : int { ANGLE_MIN = 20, ANGLE_MAX = 200, FREQ_MIN = 20, FREQ_MAX = 20000 };
    // Where the heading is drawn, in pixels.
    enum : int { HEADING_X = 280, HEADING_Y = 40 };

    explicit CPhaseSettingDlg(QWidget* parent = nullptr);
    ~CPhaseSettingDlg() override;

    // Lays the window out as dialog 1137 with parent as its owner and runs
    // the set-up.
    bool Create(QWidget* parent);
    bool IsCreated() const { return m_bCreated; }
    // Reloads the angle and frequency controls from the output.
    void RefreshFromOutput();

    // The faders lose their thumb pictures (the window's destruction).
    void OnDestroy();
    void OnPhaseButton();
    // v from field, spin or fader: the output takes it when it differs.
    void OnAngleChanged(int v);
    void OnFreqChanged(int v);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The phase button's pictures (normal, hover, down) for a polarity and
    // language, and the switch's thumb for a polarity.
    static void PhaseButtonBitmaps(int polarity, bool chinese, UINT faces[3]);
    static UINT SwitchThumb(int polarity) { return polarity != 0 ? IDB_THUMB_ACTIVE : IDB_THUMB; }

    // Members in declaration order.
    CBitmapSlider m_sliderFreq;
    CBitmapSlider m_sliderSwitch;
    CBitmapSlider m_sliderAngle;
    CNumSpin m_spinFreq;
    CNumSpin m_spinAngle;
    CNumEdit m_editFreq;
    CNumEdit m_editAngle;
    CBitButton m_btnPhase;
    int m_nChannel = 0;
    CKTV_OutData* m_pOutput = nullptr;
    QImage m_bmpBackCN;
    QImage m_bmpBackEN;
    QString m_strName;
    QPushButton m_btnOk;
    QPushButton m_btnCancel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool OnInitDialog();
    void LayOutControls();
    void Place(QWidget* control, int id, const CRect& dialogUnits);
    // The phase button's faces and the switch's thumb for polarity p.
    void ShowPolarity(int polarity);
    // The output's angle and frequency into their three controls each.
    void ShowAngleAndFrequency();
    // v into the field, the spin, the fader and the output, unless the
    // output holds it already.
    void ApplyValue(int v, CNumEdit& edit, CNumSpin& spin, CBitmapSlider& fader, short (CKTV_OutData::*get)() const,
                    void (CKTV_OutData::*set)(short));
    // The fader messages: 1 for every id.
    LRESULT OnSliderMessage(WPARAM id);

    bool m_bCreated = false;
};
