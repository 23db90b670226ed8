#pragma once
// The input noise threshold dialog (dialog 1189): the noise-gate switch of
// the advanced settings dialog and a threshold in steps 20 to 80, shown as
// steps - 120 dBu ("OFF" at step 20). It reads system byte 11 as that
// threshold: a new threshold goes into bytes 11 and 15 (byte 11 takes 0 at
// "OFF") and system item 5 is flagged for the change scan. Only its close
// box closes it (Enter and Escape give the dialog the focus).
#include <QDialog>
#include <QImage>

#include "controls/BitButton.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class IMainView;
class QPushButton;

class CInputNoise : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 1189,
        IDC_GATE = 2858,
        IDC_LEVEL_SPIN = 2852,
        IDC_LEVEL_EDIT = 2818,
        IDB_BACK_CN = 1190,
        IDB_BACK_EN = 1191,
    };
    enum : int { THRESHOLD_MIN = 20, THRESHOLD_MAX = 80 };

    explicit CInputNoise(QWidget* parent = nullptr);

    // The caption of g_bChinese, the threshold field and its spin, the
    // switch's faces and its state. The field is not set from the byte.
    void OnInitDialog();
    // The set-up, then the modal run (RunModalDialog); its result.
    int DoModal();

    IMainView* m_pView = nullptr;
    CBitButton m_btnGate;
    CNumSpin m_spinLevel;
    CNumEdit m_editLevel;
    // Hidden and disabled; nothing uses it.
    QPushButton* m_btnCancel = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnThreshold(int v);

    QImage m_bmpBackCn;
    QImage m_bmpBackEn;
};
