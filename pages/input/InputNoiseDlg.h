#pragma once
// The advanced settings dialog of the settings menu (dialog 1217): one
// switch for the input noise gate, system byte 11 (any non-zero value reads
// as on; the switch writes 1 or 0). Every click applies at once and queues
// system command 5. The view constructs it with no parent, gives it the
// view and the parameter set and runs it modally; only the close box
// closes it (Enter and Escape give the dialog the focus).
#include <QDialog>
#include <QImage>

#include "controls/BitButton.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_Data;
class IMainView;
class QPushButton;

class CInputNoiseDlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int { IDD = 1217, IDC_GATE = 2858, IDB_BACK_CN = 1190, IDB_BACK_EN = 1191 };

    explicit CInputNoiseDlg(QWidget* parent = nullptr);

    // The caption of g_bChinese, the switch's faces and its state.
    void OnInitDialog();
    // The set-up, then the modal run (RunModalDialog); its result.
    int DoModal();

    IMainView* m_pView = nullptr;
    CBitButton m_btnGate;
    // Not read.
    CKTV_Data* m_pData = nullptr;
    // Hidden and disabled; nothing uses it.
    QPushButton* m_btnOk = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The switch's click, shared with the threshold dialog: byte 11 takes 1
    // when the switch was off, else 0, the switch shows it, and system
    // command 5 is queued through view (when given) once the lock is free.
    static void ToggleGate(CBitButton& gate, IMainView* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_bmpBackCn;
    QImage m_bmpBackEn;
};
