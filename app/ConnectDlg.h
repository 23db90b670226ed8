#pragma once
// The choice of link: USB, WIFI or a COM port picked from the PC's serial
// ports. It opens and closes nothing: OK only stores the chosen link kind
// in g_nLinkType (and whether it is the kind already set in
// g_bSameLinkKind); the port chosen is kept for GetPortName.
#include <QDialog>
#include <QString>

class CButtonRadio;
class QButtonGroup;
class QComboBox;
class QPushButton;

class CConnectDlg : public QDialog {
    Q_OBJECT
public:
    enum : int {
        IDD = 144,
        IDC_PORT = 1896,
        IDC_USB = 1798,
        IDC_WIFI = 1799,
        IDC_COM = 1888,
    };

    explicit CConnectDlg(QWidget* parent = nullptr);

    // OnInitDialog, then the dialog runs modally; QDialog::Accepted after OK.
    int DoModal();
    // Texts by language, the current link kind as the radio choice, the port
    // list filled.
    void OnInitDialog();
    // The shown name of the port chosen (or remembered).
    QString GetPortName() const { return m_strPort; }

    // The radio choice: 0 USB, 1 WIFI, 2 COM, -1 none.
    int LinkChoice() const { return m_nLink; }
    QComboBox* PortList() const { return m_cbPort; }
    QPushButton* LinkButton() const { return m_btnLink; }
    CButtonRadio* Radio(int id) const;

    void OnUsbRadio();
    void OnWifiRadio();
    void OnComRadio();
    void OnSelchangePort();
    // Stores the chosen link kind (none without a radio) and closes with OK.
    void OnOK();

private:
    // The port list: every serial port by its shown name, the remembered one
    // selected, else the first USB port, else the first; "NULL" with none.
    void FillPortList();
    // Between the radio choice and the radios: save TRUE reads the radios.
    void UpdateData(bool save);

    QComboBox* m_cbPort = nullptr;
    QPushButton* m_btnLink = nullptr;
    int m_nLink = 0;
    CButtonRadio* m_rdUsb = nullptr;
    CButtonRadio* m_rdWifi = nullptr;
    CButtonRadio* m_rdCom = nullptr;
    QButtonGroup* m_group = nullptr;
    QString m_strPort;
};
