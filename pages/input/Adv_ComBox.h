#pragma once
// The advanced settings dialog's source box: a combo box that is never
// filled and never drops down. A left press on it sends the dialog the
// command of the hidden source button (2729), which opens the source menu.
#include <QComboBox>

class CAdv_ComBox : public QComboBox {
    Q_OBJECT
public:
    enum : int { ID_SOURCE_COMMAND = 2729 };

    explicit CAdv_ComBox(QWidget* parent = nullptr);

    // The list has nothing to show: it never opens, by key either.
    void showPopup() override {}

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
