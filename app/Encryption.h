#pragma once
// The encrypted-data cover (dialog 1134): a picture in the page area that
// says the data are locked, in the current language. The view creates it
// hidden on its tab control and every lock-state change hides it again.
#include <QImage>
#include <QWidget>

#include "platform/core/Types.h"

class CEncryption : public QWidget {
    Q_OBJECT
public:
    enum : UINT { IDD = 1134, IDB_COVER_CN = 1135, IDB_COVER_EN = 1136 };

    explicit CEncryption(QWidget* parent = nullptr);
    ~CEncryption() override;

    // Makes the cover a child of parent and loads its two pictures.
    bool Create(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_bmpChinese;
    QImage m_bmpEnglish;
};
