#pragma once
// An output strip (dialog 110): the select button, speaker type, level,
// polarity, mute and delay of one output. The main view creates twelve as
// its children, 97 pixels apart at y 516, and fills them from the output
// objects.
//
// In this form the strip keeps what the view hands it (pictures, level,
// delay, on state, sources, language) and draws its background, its select
// and speaker-type buttons and the level and delay its output holds; the
// fader, the numeric fields and the strip's notifications join it later.
#include <QImage>
#include <QWidget>

#include "controls/BitButton.h"
#include "model/DataDefine.h"
#include "model/KTV_OutData.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class COutRouteDlg : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 110,
        IDC_SELECT = 2636,
        IDC_SPEAKER_TYPE = 2847,
        IDC_LEVEL_SLIDER = 2826,
        IDC_LEVEL_EDIT = 2827,
        IDC_POLARITY = 2825,
        IDC_MUTE = 1001,
        IDC_DELAY_EDIT = 2817,
        IDC_LINK = 2830,
        // Mute pictures: on (not muted) normal, hover; muted normal, hover.
        IDB_MUTE_NORMAL = 526,
        IDB_MUTE_HOVER = 527,
        IDB_MUTE_ON = 528,
        IDB_MUTE_ON_HOVER = 530,
        // Speaker-type captions: string 6200 + code (English), 6300 + code
        // (Chinese).
        IDS_SPEAKER_TYPE_EN = 6200,
        IDS_SPEAKER_TYPE_CN = 6300,
    };
    enum : int { SOURCE_COUNT = MIX_SOURCE_COUNT, DELAY_UNIT_MS = 1, DELAY_UNIT_CM = 2, DELAY_UNIT_INCH = 3 };

    explicit COutRouteDlg(QWidget* parent = nullptr);
    ~COutRouteDlg() override;

    // Makes the strip a child of parent, laid out as dialog 110.
    bool Create(QWidget* parent);

    // Receives the strip's notifications; the owner sets it after creation.
    CMsgTarget* m_pOwner = nullptr;
    CKTV_OutData* m_pOutput = nullptr;
    CBitButton m_btnSpeakerType;
    CBitButton m_btnLink;
    CBitButton m_btnSelect;
    CBitButton m_btnMute;
    QImage m_bmpBackground;
    int m_nLinkMask = 0;
    // Output on (1) or muted (0).
    int m_bOn = 1;
    int m_nPolarity = 0;
    int m_nBackWidth = 0;
    int m_nBackHeight = 0;
    int m_nChannel = 0;
    int m_abSource[SOURCE_COUNT] = {};
    // Last level, in level steps (600 = 0 dB).
    int m_nLevel = 0;
    // The delay shown, half the output's delay word.
    int m_nDelay = 0;
    int m_nDelayUnit = DELAY_UNIT_MS;
    CBitButton m_btnPolarity;
    // Link-button pictures of groups 1 to 12 by language.
    int m_anLinkBitmapCN[OUTPUT_COUNT] = {};
    int m_anLinkBitmapEN[OUTPUT_COUNT] = {};
    int m_bChinese = 1;

    // The strip background (the view passes one id four times).
    void SetBackgroundBitmap(UINT normal, UINT hover, UINT down, UINT checked);
    void SetSelectButtonBitmaps(UINT normal, UINT hover, UINT down);
    void SetSelected(bool selected);
    void SetLevelSliderChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x,
                                      int y);
    void SetLevelSliderThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x,
                                    int y);
    // Without notifying.
    void SetLevel(int level);
    void SetDelay(int steps);
    // Stores the on state and sets the mute button's pictures.
    void SetOutputOn(int on);
    // The on flag of input source 1..16 (others are ignored).
    void SetSource(int source, int on);
    // 1 ms, 2 cm, 3 inch; other values are ignored.
    void SetDelayUnit(int unit);
    // Keeps the language and re-skins the polarity button.
    void SetLanguage(bool chinese);
    // The speaker-type button's caption for the output's speaker position.
    void ShowSpeakerType();

    // The caption of speaker-position code (0..24) in a language.
    static QString SpeakerTypeText(int code, bool chinese);
    // What the view handed the level fader, for its tests.
    UINT LevelChannelBitmap() const { return m_nChannelId; }
    UINT LevelThumbBitmap() const { return m_nThumbId; }
    UINT LevelActiveThumbBitmap() const { return m_nThumbActiveId; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool OnInitDialog();

    UINT m_nChannelId = 0, m_nChannelActiveId = 0;
    UINT m_nThumbId = 0, m_nThumbActiveId = 0;
    QRect m_rcLevel;
    QRect m_rcDelay;
};
