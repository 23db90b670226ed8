#pragma once
// Which channel of a numbered channel pair is applied when the pair is
// linked (dialog 370, "Link"). m_nPair (0, 1, 2: channels 1/2, 3/4, 5/6) is
// set before the run; after IDOK m_nChoice holds 0 for the pair's first
// channel, 1 for its second. English texts only.
#include <QButtonGroup>
#include <QDialog>
#include <QPushButton>

#include "controls/ButtonRadio.h"
#include "controls/TransparentStatic.h"

class CCH_Link_Dlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 370, IDC_PROMPT = 2754, IDC_FIRST = 2259, IDC_SECOND = 2258 };

    explicit CCH_Link_Dlg(QWidget* parent = nullptr);

    void DoDataExchange(bool save);
    void OnChannelRadio();
    // The radio texts and the caption of m_nPair.
    bool OnInitDialog();
    int DoModal();

    void accept() override;
    void reject() override;

    QPushButton m_btnOK;
    QPushButton m_btnCancel;
    CTransparentStatic m_stcPrompt;
    CButtonRadio m_radioFirst;
    CButtonRadio m_radioSecond;
    int m_nChoice = 0;
    int m_nPair = 0;

private:
    QButtonGroup m_group;
};
