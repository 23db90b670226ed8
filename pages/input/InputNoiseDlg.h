#pragma once
// The advanced settings dialog of the settings menu (dialog 1217): in this
// form its caption in the current language and one button that closes it.
// The view constructs it with no parent, gives it the view and the
// parameter set and runs it modally; the result is not read.
#include <QDialog>

#include "platform/core/Types.h"

class CKTV_Data;
class IMainView;
class QPushButton;

class CInputNoiseDlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 1217 };

    explicit CInputNoiseDlg(QWidget* parent = nullptr);

    // The caption of g_bChinese.
    void OnInitDialog();
    // The set-up, then the modal run (RunModalDialog); its result.
    int DoModal();

    IMainView* m_pView = nullptr;
    // Not read.
    CKTV_Data* m_pData = nullptr;
    QPushButton* m_btnOk = nullptr;
};
