#pragma once
// The master-volume panel (dialog 737): the master volume of the current
// input mode in steps 0 to 66 (step 60 is 0 dB, step 0 is off) and the
// master mute button. The view places it at (6, 516), keeps it shown, sets
// the volume and the mute state from the system bytes and reads the volume
// back.
//
// In this form the panel keeps what the view hands it (the volume, the
// delay-unit list, the fader's skins and range) and draws its skin, the
// volume and the mute button; the fader, the numeric edit and the
// drop-list button join it later.
#include <QImage>
#include <QStringList>
#include <QWidget>

#include "controls/BitButton.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_Data;
class IMainView;

class CGainDlg : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 737,
        IDC_VOLUME_EDIT = 2812,
        IDC_VOLUME_SLIDER = 2816,
        IDC_DROP_LIST = 2815,
        IDC_MUTE = 2819,
        IDC_MIXER = 2823,
        // Skins of the panel by language, and while the data are locked.
        IDB_BACK_CN = 739,
        IDB_BACK_EN = 1153,
        IDB_BACK_LOCKED_CN = 1211,
        IDB_BACK_LOCKED_EN = 1212,
    };
    enum : int { VOLUME_MIN = 0, VOLUME_MAX = 66, VOLUME_ZERO_DB = 60 };

    explicit CGainDlg(QWidget* parent = nullptr);
    ~CGainDlg() override;

    // Makes the panel a child of parent, laid out as dialog 737, and runs
    // its initialisation.
    bool Create(QWidget* parent);

    // The view writes both after creating the window.
    IMainView* m_pView = nullptr;
    CKTV_Data* m_pData = nullptr;
    CBitButton m_btnMute;
    CBitButton m_btnMixer;

    void SetBackgroundBitmap(UINT id);
    // The second id is not used.
    void SetDropListBitmaps(UINT id, UINT second);
    void AddDropListItem(const QString& text);
    void SelectDropListItem(int item);
    void SetSliderChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y);
    void SetSliderThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y);
    void SetSliderRange(int min, int max, bool redraw);
    // The volume in steps; posts nothing.
    void SetVolume(int steps);
    int GetVolume() const { return m_nVolume; }
    // The Mixer toggle's bitmaps for the current language.
    void UpdateMixerButtonSkin();

    // What the panel was handed, for the view's tests.
    UINT BackgroundBitmap() const { return m_nBackId; }
    const QStringList& DropListItems() const { return m_astrDropList; }
    int DropListSelection() const { return m_nDropSel; }
    UINT DropListBitmap() const { return m_nDropListId; }
    UINT SliderChannelBitmap() const { return m_nChannelId; }
    UINT SliderThumbBitmap() const { return m_nThumbId; }
    UINT SliderActiveThumbBitmap() const { return m_nThumbActiveId; }
    int SliderMin() const { return m_nMin; }
    int SliderMax() const { return m_nMax; }
    // The volume as the panel writes it: "OFF" ("关闭") at step 0, else
    // steps - 60 in whole dB.
    static QString FormatVolume(int steps);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool OnInitDialog();
    void KeepMuteInside();

    QImage m_bmpBack;
    UINT m_nBackId = 0;
    QImage m_bmpBackCn, m_bmpBackEn, m_bmpBackLockedCn, m_bmpBackLockedEn;
    QStringList m_astrDropList;
    int m_nDropSel = -1;
    UINT m_nDropListId = 0;
    UINT m_nChannelId = 0, m_nChannelActiveId = 0;
    UINT m_nThumbId = 0, m_nThumbActiveId = 0;
    int m_nMin = VOLUME_MIN, m_nMax = VOLUME_MAX;
    int m_nVolume = 0;
    QRect m_rcVolume;
    int m_nMuteBottomMargin = 0;
};
