#include "pages/input/InPutDlg.h"

CInPutDlg::CInPutDlg(QWidget* parent) : QWidget(parent) {}

CInPutDlg::~CInPutDlg() = default;
