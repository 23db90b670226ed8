#include "controls/BtnPng.h"

#include <QPainter>

#include "controls/PngResourceImage.h"
#include "platform/core/Language.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/WindowAttributes.h"

CBtnPng::CBtnPng(QWidget* parent, DWORD style) : CSkinButton(parent, NOTICE_EVERY_MOVE, false)
{
    PreSubclassWindow(style);
}

CBtnPng::~CBtnPng() = default;

void CBtnPng::PreSubclassWindow(DWORD style)
{
    m_nDrawKind = DrawKindOfButtonType(style);
    SetWindowStyle(this, style | BS_OWNERDRAW);
}

// ---- Pictures -----------------------------------------------------------------

void CBtnPng::SetSlot(int slot, UINT id)
{
    auto image = std::make_unique<CPngResourceImage>();
    image->Load(id);
    m_images[slot] = std::move(image);
}

void CBtnPng::TakeSizeOf(int slot)
{
    const QImage& image = m_images[slot]->Image();
    if (image.isNull())
        return;
    m_imageSize = image.size();
    resize(m_imageSize);
}

void CBtnPng::ForgetCaches()
{
    for (int i = 0; i < SLOT_COUNT; ++i) {
        m_caches[i] = QImage();
        m_bCacheMade[i] = false;
    }
    update();
}

void CBtnPng::SetImages(UINT normal, UINT hover, UINT down)
{
    SetSlot(NORMAL, normal);
    SetSlot(HOVER, hover);
    SetSlot(DOWN, down);
    TakeSizeOf(NORMAL);
    ForgetCaches();
}

void CBtnPng::SetCheckedImages(UINT normal, UINT hover, UINT down)
{
    SetSlot(CHECKED_NORMAL, normal);
    SetSlot(CHECKED_HOVER, hover);
    SetSlot(CHECKED_DOWN, down);
    ForgetCaches();
}

void CBtnPng::SetDisabledImages(UINT unchecked, UINT checked)
{
    SetSlot(DISABLED, unchecked);
    SetSlot(DISABLED_CHECKED, checked);
    TakeSizeOf(DISABLED);
    ForgetCaches();
}

void CBtnPng::SetChineseImages(UINT normal, UINT hover, UINT down, UINT checkedNormal, UINT checkedHover,
                               UINT checkedDown)
{
    const UINT ids[] = {normal, hover, down, checkedNormal, checkedHover, checkedDown};
    for (int i = 0; i < 6; ++i)
        SetSlot(CN_NORMAL + i, ids[i]);
    m_bChineseSet = true;
    ForgetCaches();
}

void CBtnPng::SetRotateFlip(RotateFlipType type)
{
    m_rotateFlip = type;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        m_caches[i] = QImage();
        m_bCacheMade[i] = false;
    }
}

const QImage& CBtnPng::Cache(int slot)
{
    // A state without a picture shows the nearest earlier state's.
    int source = slot;
    while (source >= 0 && !m_images[source])
        --source;
    static const QImage kNone;
    if (source < 0)
        return kNone;
    if (!m_bCacheMade[source]) {
        m_bCacheMade[source] = true;
        const QImage& picture = m_images[source]->Image();
        const QSize size = m_imageSize.isValid() ? m_imageSize : this->size();
        if (!picture.isNull() && !size.isEmpty()) {
            m_caches[source] = CPngImage::RotateFlip(picture, m_rotateFlip)
                                   .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    }
    return m_caches[source];
}

// ---- State ----------------------------------------------------------------------

CBtnPng::Slot CBtnPng::CurrentSlot() const
{
    if (!IsWindowEnabled(this))
        return m_bCheck ? DISABLED_CHECKED : DISABLED;
    const bool chinese = m_bChineseSet && g_bChinese;
    // The pressed face shows only while the pointer is over the button.
    int slot;
    if (!m_bHover)
        slot = NORMAL;
    else if (!m_bDown)
        slot = HOVER;
    else
        slot = DOWN;
    if (m_bCheck)
        slot += CHECKED_NORMAL;
    if (chinese)
        slot += CN_NORMAL;
    return Slot(slot);
}

void CBtnPng::SetCheck(bool check)
{
    if (check == m_bCheck)
        return;
    m_bCheck = check;
    SetPartnersHover(check);
    update();
}

void CBtnPng::ShowWindow(int nCmdShow)
{
    update();
    CSkinButton::ShowWindow(nCmdShow);
}

// ---- Drawing ----------------------------------------------------------------------

void CBtnPng::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_nDrawKind == DRAW_BY_CLASS) {
        // The button fills no background: the parent is drawn under it at
        // every paint.
        const QImage& cache = Cache(CurrentSlot());
        if (!cache.isNull())
            painter.drawImage(0, 0, cache);
    } else if (m_nDrawKind == DRAW_AS_DEFAULT) {
        DrawDefaultButton(painter, this);
    }
}
