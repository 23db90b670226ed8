#include "app/Encryption.h"

#include <QPainter>

#include "platform/core/Language.h"
#include "platform/gui/ResourceStore.h"

CEncryption::CEncryption(QWidget* parent) : QWidget(parent) {}

CEncryption::~CEncryption() = default;

bool CEncryption::Create(QWidget* parent)
{
    setParent(parent);
    m_bmpChinese = CResourceStore::Image(QStringLiteral("BMP"), IDB_COVER_CN);
    m_bmpEnglish = CResourceStore::Image(QStringLiteral("BMP"), IDB_COVER_EN);
    return true;
}

void CEncryption::paintEvent(QPaintEvent*)
{
    // Nothing is erased: the picture is the whole cover.
    QPainter(this).drawImage(0, 0, g_bChinese ? m_bmpChinese : m_bmpEnglish);
}
