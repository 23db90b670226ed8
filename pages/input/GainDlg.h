#pragma once
// The master-volume panel (dialog 737): the master volume of the current
// input mode in steps 0 to 66 (step 60 is 0 dB, step 0 is off) and the
// master mute button. The view places it at (6, 516), keeps it shown, sets
// the volume and the mute state from the system bytes and reads the volume
// back.
//
// Every volume change of the fader, the field or the spin is posted to the
// parent as WM_MASTER_VOLUME_CHANGED (wParam the panel's id, lParam the
// steps); the panel stores no volume. The mute button writes the master
// on byte and asks the view to send system item 5. The spin, the drop list
// and the Mixer toggle exist hidden (the last two disabled): the view's
// calls on them still work.
#include <QImage>
#include <QStringList>
#include <QWidget>

#include "controls/BitButton.h"
#include "controls/ComBoxBtn.h"
#include "graphs/BitmapSlider.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "pages/MasterVolumeSource.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CKTV_Data;
class IMainView;

class CGainDlg : public QWidget, public CMsgTarget, public IMasterVolumeSource {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 737,
        IDC_VOLUME_EDIT = 2812,
        IDC_VOLUME_SPIN = 2814,
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
    CNumEdit m_editVolume;
    CNumSpin m_spinVolume;
    CBitmapSlider m_sliderVolume;
    CComBoxBtn m_btnDropList;

    void SetBackgroundBitmap(UINT id);
    // The second id is not used.
    void SetDropListBitmaps(UINT id, UINT second);
    void AddDropListItem(const QString& text);
    void SelectDropListItem(int item);
    void SetSliderChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y);
    void SetSliderThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y);
    void SetSliderThumbMask(UINT id);
    void SetSliderRange(int min, int max, bool redraw);
    // The fader, then the field (which ignores steps outside 0..66); posts
    // nothing.
    void SetVolume(int steps);
    // The fader's value.
    int GetVolume() const override { return m_sliderVolume.GetValue(); }
    int GetDropListSel() const { return m_btnDropList.GetCurSel(); }
    void ResetDropList();
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
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool OnInitDialog();
    void KeepMuteInside();
    void OnSliderMoved(WPARAM id, bool released);
    void OnVolumeEdit();
    void OnMuteButton();
    void OnMixerButton();
    void PostVolume(int steps);

    QImage m_bmpBack;
    UINT m_nBackId = 0;
    QImage m_bmpBackCn, m_bmpBackEn, m_bmpBackLockedCn, m_bmpBackLockedEn;
    QStringList m_astrDropList;
    int m_nDropSel = -1;
    UINT m_nDropListId = 0;
    UINT m_nChannelId = 0, m_nChannelActiveId = 0;
    UINT m_nThumbId = 0, m_nThumbActiveId = 0;
    int m_nMin = VOLUME_MIN, m_nMax = VOLUME_MAX;
    int m_nMuteBottomMargin = 0;
};
