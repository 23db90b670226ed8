#pragma once
// A push button skinned with PNG pictures that may be partly transparent:
// each visual state (normal, hover, pressed; each unchecked and checked;
// disabled unchecked and checked) shows its picture laid over whatever the
// parent shows under the button at that paint, so the page's skin shows
// through and follows the button when it moves or the skin changes. A
// second set for the six enabled states is used while g_bChinese is set.
//
// Each picture is scaled to the button's image size and turned once, into a
// state cache; a paint is one alpha draw of the state's cache. A state
// without a picture shows the nearest earlier state's (in the order above,
// the Chinese set last); a picture that failed to load shows the parent
// only.
//
// The check state is the owner's flag: a click never changes it. Partner
// buttons follow this one's hover look while it is unchecked. Messages to
// the parent: WM_COMMAND BN_CLICKED on a click; WM_CONTROL_HOVER on a move
// to a new point, once switched on.
#include <array>
#include <memory>

#include <QImage>

#include "controls/PngImage.h"
#include "controls/SkinButton.h"
#include "platform/core/Types.h"
#include "platform/gui/ControlStyles.h"

class CPngResourceImage;

class CBtnPng : public CSkinButton {
    Q_OBJECT
public:
    explicit CBtnPng(QWidget* parent = nullptr, DWORD style = 0);
    ~CBtnPng() override;

    // Decides from the template style how the button draws: (type & 3) == 3
    // gets the default look, auto radio buttons are not drawn, every other
    // type is drawn from the pictures.
    void PreSubclassWindow(DWORD style);

    // The unchecked states' pictures; the button takes the normal picture's
    // size (a picture that fails to load keeps the present size).
    void SetImages(UINT normal, UINT hover, UINT down);
    void SetCheckedImages(UINT normal, UINT hover, UINT down);
    // The disabled pictures; the button takes the unchecked one's size.
    void SetDisabledImages(UINT unchecked, UINT checked);
    void SetChineseImages(UINT normal, UINT hover, UINT down, UINT checkedNormal, UINT checkedHover,
                          UINT checkedDown);
    // Applied to each picture when its cache is made; no repaint.
    void SetRotateFlip(RotateFlipType type);
    void Redraw() { update(); }

    // When the value differs: stores it, gives the partners the hover look
    // of it, repaints.
    void SetCheck(bool check);
    // SW_HIDE first forgets both partners.
    void ShowWindow(int nCmdShow) override;

    // The picture slots, in cache order.
    enum Slot : int {
        NORMAL, HOVER, DOWN, CHECKED_NORMAL, CHECKED_HOVER, CHECKED_DOWN, DISABLED, DISABLED_CHECKED,
        CN_NORMAL, CN_HOVER, CN_DOWN, CN_CHECKED_NORMAL, CN_CHECKED_HOVER, CN_CHECKED_DOWN, SLOT_COUNT
    };
    // The slot the present state shows.
    Slot CurrentSlot() const;

protected:
    void FaceChanged() override { update(); }
    void paintEvent(QPaintEvent* event) override;

private:

    void SetSlot(int slot, UINT id);
    // Takes the size of a slot's picture when it loaded.
    void TakeSizeOf(int slot);
    void ForgetCaches();
    // The cache a slot shows, made on first use; null: the parent only.
    const QImage& Cache(int slot);

    std::array<std::unique_ptr<CPngResourceImage>, SLOT_COUNT> m_images;
    std::array<QImage, SLOT_COUNT> m_caches;
    std::array<bool, SLOT_COUNT> m_bCacheMade{};
    int m_nDrawKind = DRAW_BY_CLASS;
    bool m_bChineseSet = false;
    QSize m_imageSize;
    RotateFlipType m_rotateFlip = RotateNoneFlipNone;
};
