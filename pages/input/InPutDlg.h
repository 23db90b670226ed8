#pragma once
// The input page (dialog 382): the EQ, input kind and sources of one music
// input. The main view holds one, constructed and destroyed with it; its
// window is never created, so nothing else of it is used yet.
#include <QWidget>

#include "platform/core/Types.h"

class CKTV_Data;
class IMainView;

class CInPutDlg : public QWidget {
    Q_OBJECT
public:
    enum : UINT { IDD = 382 };

    explicit CInPutDlg(QWidget* parent = nullptr);
    ~CInPutDlg() override;

    // The view through which the page queues its commands; nothing sets it
    // in the running program.
    IMainView* m_pView = nullptr;
    CKTV_Data* m_pData = nullptr;
};
