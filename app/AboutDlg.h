#pragma once
// The About box (dialog 100): an icon, the program's name and version, a
// copyright line and an OK button. No command of the running program opens
// it.
#include <QDialog>

#include "platform/core/Types.h"

class QLabel;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    enum : UINT { IDD = 100, IDC_VERSION = 1867 };

    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* m_stVersion = nullptr;
};
