#include "pages/output/OutRoute_Dlg.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "app/LinkGroupTables.h"
#include "app/PopupMenus.h"
#include "app/SpeakerTypeMenu.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 110 and its controls in dialog units of its font, Arial 7.
const CRect kStripDialog(0, 0, 98, 173);
const CRect kStripSelect(6, 4, 6 + 45, 4 + 10);
const CRect kStripSpeakerType(6, 25, 6 + 50, 25 + 10);
const CRect kStripLevelSlider(1, 47, 1 + 40, 47 + 65);
const CRect kStripLevelEdit(37, 50, 37 + 28, 50 + 9);
const CRect kStripPolarity(37, 71, 37 + 24, 71 + 11);
const CRect kStripMute(37, 96, 37 + 25, 96 + 10);
const CRect kStripDelayEdit(30, 122, 30 + 34, 122 + 9);
const CRect kStripDelaySpin(85, 116, 85 + 10, 116 + 14);
const CRect kStripLevelSpin(85, 112, 85 + 10, 112 + 14);
const CRect kStripLink(78, 163, 78 + 21, 163 + 10);

// Source switches 1..16: control id and pictures (off-hover, off, on,
// on-hover).
struct StripSourceSwitch {
    int id;
    UINT offHover, off, on, onHover;
};
constexpr StripSourceSwitch kStripSources[COutRouteDlg::SOURCE_COUNT] = {
    {2819, 1059, 1060, 1061, 1117}, {2820, 1062, 1063, 1064, 1118}, {2821, 1065, 1066, 1067, 1119},
    {2822, 1068, 1069, 1070, 1120}, {2823, 1071, 1072, 1073, 1121}, {2824, 1074, 1075, 1076, 1122},
    {2831, 1077, 1088, 1078, 1123}, {2832, 1079, 1080, 1081, 1124}, {2833, 1048, 1047, 1049, 1109},
    {2834, 1050, 1051, 1052, 1110}, {2835, 1053, 1054, 1055, 1111}, {2836, 1056, 1057, 1058, 1112},
    {2837, 1089, 1090, 1091, 1115}, {2838, 1092, 1093, 1094, 1116}, {2839, 1082, 1083, 1084, 1113},
    {2840, 1085, 1086, 1087, 1114},
};

// Link-button pictures of groups 1..12.
constexpr int kStripLinkBitmapsCn[OUTPUT_COUNT] = {1020, 1021, 1022, 1023, 1024, 1025,
                                                   1026, 1027, 1101, 1102, 1103, 1104};
constexpr int kStripLinkBitmapsEn[OUTPUT_COUNT] = {1028, 1029, 1030, 1031, 1032, 1033,
                                                   1034, 1035, 1105, 1106, 1107, 1108};

QFont StripTemplateFont()
{
    return DialogFont(QStringLiteral("Arial"), 7);
}

QRect StripPixels(const CRect& du)
{
    return MapDialogRect(du, StripTemplateFont()).ToQRect();
}

void PlaceStripControl(QWidget& control, const CRect& du, int id)
{
    control.setGeometry(StripPixels(du));
    SetDlgCtrlID(&control, id);
}
}  // namespace

COutRouteDlg::COutRouteDlg(QWidget* parent)
    : QWidget(parent), m_btnSpeakerType(this), m_btnLink(this), m_btnSelect(this), m_btnMute(this),
      m_editLevel(this), m_spinLevel(this), m_sliderLevel(this), m_editDelay(this), m_spinDelay(this),
      m_btnPolarity(this)
{
    for (CBitButton& source : m_btnSource)
        source.setParent(this);
}

COutRouteDlg::~COutRouteDlg() = default;

int COutRouteDlg::SourceControlId(int source)
{
    return source >= 1 && source <= SOURCE_COUNT ? kStripSources[source - 1].id : 0;
}

bool COutRouteDlg::Create(QWidget* parent)
{
    setParent(parent);
    resize(StripPixels(kStripDialog).size());
    PlaceStripControl(m_btnSelect, kStripSelect, IDC_SELECT);
    PlaceStripControl(m_btnSpeakerType, kStripSpeakerType, IDC_SPEAKER_TYPE);
    PlaceStripControl(m_sliderLevel, kStripLevelSlider, IDC_LEVEL_SLIDER);
    PlaceStripControl(m_editLevel, kStripLevelEdit, IDC_LEVEL_EDIT);
    PlaceStripControl(m_btnPolarity, kStripPolarity, IDC_POLARITY);
    PlaceStripControl(m_btnMute, kStripMute, IDC_MUTE);
    PlaceStripControl(m_editDelay, kStripDelayEdit, IDC_DELAY_EDIT);
    PlaceStripControl(m_spinDelay, kStripDelaySpin, IDC_DELAY_SPIN);
    PlaceStripControl(m_spinLevel, kStripLevelSpin, IDC_LEVEL_SPIN);
    PlaceStripControl(m_btnLink, kStripLink, IDC_LINK);
    for (int n = 0; n < SOURCE_COUNT; ++n) {
        // A column of 11 x 9 switches from y 110 to 148; never shown.
        const int y = 110 + n * (148 - 110) / (SOURCE_COUNT - 1);
        PlaceStripControl(m_btnSource[n], CRect(82, y, 82 + 11, y + 9), kStripSources[n].id);
    }
    m_editLevel.setAlignment(Qt::AlignCenter);
    m_editDelay.setAlignment(Qt::AlignCenter);
    // The spins, the sources and the link button have no visible style.
    m_spinLevel.hide();
    m_spinDelay.hide();
    m_btnLink.hide();
    m_btnLink.setEnabled(false);
    for (CBitButton& source : m_btnSource) {
        source.hide();
        source.setEnabled(false);
    }
    // The strip takes the focus so that a field being typed in commits.
    setFocusPolicy(Qt::ClickFocus);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    return OnInitDialog();
}

void COutRouteDlg::SetUpFields()
{
    // Level: the spin holds the position, the field shows dB, the fader
    // lights with the field.
    m_spinLevel.SetBuddy(&m_editLevel);
    m_spinLevel.SetRange(0, LEVEL_MAX);
    m_editLevel.SetStep(0.1);
    m_editLevel.SetOffset(60.0);
    m_editLevel.SetValueType(CNumEditValue::TYPE_LEVEL_DB, QString());
    m_editLevel.LimitText(6);
    m_editLevel.SetBuddySlider(&m_sliderLevel);

    m_sliderLevel.SetRange(0, LEVEL_MAX, false);
    m_sliderLevel.SetMargin(6, 6, 1, 5);

    m_spinDelay.SetBuddy(&m_editDelay);
    m_spinDelay.SetRange(0, DELAY_MAX);
    m_editDelay.LimitText(5);
    m_editDelay.SetValueType(CNumEditValue::TYPE_DELAY_MS, QString());
    m_spinDelay.SetPos(0);
}

bool COutRouteDlg::OnInitDialog()
{
    SetUpFields();
    m_editLevel.setFont(g_fontArial12);
    m_editDelay.setFont(g_fontArial12);
    FillPopupMenu(m_menuLinkGroup, IDM_LINK_GROUP);

    m_btnMute.SetBitmaps(IDB_MUTE_NORMAL, IDB_MUTE_HOVER, IDB_MUTE_ON, 0, 0, 0);
    m_btnLink.SetBitmaps(IDB_LINK_OFF, IDB_LINK_OFF, IDB_LINK_OFF, 0, 0, 0);
    m_btnSpeakerType.SetBitmaps(594, 595, 596, 596, 596, 596);
    m_btnSpeakerType.SetTextColors(QColor(220, 220, 220), QColor(255, 102, 0), QColor(255, 102, 0),
                                   QColor(220, 220, 220), QColor(220, 220, 220), QColor(220, 220, 220));
    m_btnSpeakerType.SetDisabledBitmaps(641, 641);
    m_btnSpeakerType.SetDisabledTextColor(QColor(210, 210, 210));
    m_btnSpeakerType.SetFonts(&g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14, &g_fontArial14,
                              true);
    m_btnSpeakerType.SetDisabledFont(&g_fontArial14);

    std::copy(std::begin(kStripLinkBitmapsCn), std::end(kStripLinkBitmapsCn), m_anLinkBitmapCN);
    std::copy(std::begin(kStripLinkBitmapsEn), std::end(kStripLinkBitmapsEn), m_anLinkBitmapEN);
    m_nClickKind = 0;

    for (int source = 1; source <= SOURCE_COUNT; ++source)
        SetSource(source, m_abSource[source - 1]);
    ApplyPolarityBitmaps();
    return true;
}

// ---- Setters ----------------------------------------------------------------------

void COutRouteDlg::SetBackgroundBitmap(UINT id)
{
    m_bmpBackground = CResourceStore::Image(QStringLiteral("BMP"), id);
    m_nBackWidth = m_bmpBackground.width();
    m_nBackHeight = m_bmpBackground.height();
    update();
}

void COutRouteDlg::SetSelectButtonBitmaps(UINT normal, UINT hover, UINT down)
{
    m_btnSelect.SetBitmaps(normal, hover, down, down, down, down);
}

void COutRouteDlg::SetLevelSliderChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent,
                                                int x, int y)
{
    m_nChannelId = id;
    m_nChannelActiveId = activeId;
    m_sliderLevel.SetChannelBitmaps(id, activeId, transparent, clrTransparent, x, y);
}

void COutRouteDlg::SetLevelSliderThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent,
                                              int x, int y)
{
    m_nThumbId = id;
    m_nThumbActiveId = activeId;
    m_sliderLevel.SetThumbBitmaps(id, activeId, transparent, clrTransparent, x, y);
}

void COutRouteDlg::SetLevel(int steps)
{
    m_sliderLevel.SetValue(steps);
    m_spinLevel.SetPos(steps);
    m_nLevel = m_spinLevel.GetPos();
}

void COutRouteDlg::SetDelay(int steps)
{
    m_spinDelay.SetPos(steps);
}

void COutRouteDlg::SetDelayUnit(int unit)
{
    static const int kTypeOfUnit[] = {CNumEditValue::TYPE_DELAY_MS, CNumEditValue::TYPE_DELAY_CM,
                                      CNumEditValue::TYPE_DELAY_INCH};
    if (unit >= DELAY_UNIT_MS && unit <= DELAY_UNIT_INCH)
        m_editDelay.SetValueType(kTypeOfUnit[unit - DELAY_UNIT_MS], QString());
}

void COutRouteDlg::SetOutputOn(int on)
{
    m_bOn = on;
    // On shows the plain pictures, muted the lit ones.
    if (on != 0)
        m_btnMute.SetBitmaps(IDB_MUTE_NORMAL, IDB_MUTE_HOVER, IDB_MUTE_ON, 0, 0, 0);
    else
        m_btnMute.SetBitmaps(IDB_MUTE_ON, IDB_MUTE_ON_HOVER, IDB_MUTE_NORMAL, 0, 0, 0);
}

void COutRouteDlg::SetMuteButtonBitmaps(UINT normal, UINT hover, UINT down)
{
    m_btnMute.SetBitmaps(normal, hover, down, down, 0, 0);
}

void COutRouteDlg::SetPolarity(int polarity)
{
    m_nPolarity = polarity;
    ApplyPolarityBitmaps();
}

void COutRouteDlg::SetLanguage(bool chinese)
{
    m_bChinese = chinese ? 1 : 0;
    ApplyPolarityBitmaps();
}

void COutRouteDlg::ApplyPolarityBitmaps()
{
    const UINT base = m_bChinese ? 4380 : 4370;
    if (m_nPolarity == 0)
        m_btnPolarity.SetBitmaps(base, base + 1, base + 3, 0, 0, 0);
    else
        m_btnPolarity.SetBitmaps(base + 3, base + 4, base, 0, 0, 0);
}

void COutRouteDlg::SetSelected(bool selected)
{
    m_btnSelect.SetCheck(selected);
}

QString COutRouteDlg::SpeakerTypeText(int code, bool chinese)
{
    QString text = CResourceStore::Text((chinese ? IDS_SPEAKER_TYPE_CN : IDS_SPEAKER_TYPE_EN) + UINT(code));
    // "&&" in the string table shows one "&".
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void COutRouteDlg::ShowSpeakerType()
{
    if (m_nChannel < 0 || m_nChannel >= OUTPUT_COUNT)
        return;
    m_btnSpeakerType.setText(SpeakerTypeText(PositionCodeOrNone(g_byOutputPosition[m_nChannel]), g_bChinese));
    m_btnSpeakerType.update();
}

void COutRouteDlg::SetSource(int source, int on)
{
    if (source < 1 || source > SOURCE_COUNT)
        return;
    m_abSource[source - 1] = on;
    const StripSourceSwitch& s = kStripSources[source - 1];
    if (on != 0)
        m_btnSource[source - 1].SetBitmaps(s.on, s.onHover, s.off, s.off, s.offHover, s.on);
    else
        m_btnSource[source - 1].SetBitmaps(s.off, s.offHover, s.on, s.on, s.offHover, s.off);
}

// ---- Notifications ----------------------------------------------------------------------

void COutRouteDlg::Notify(UINT message, LPARAM value)
{
    PostMessage(m_pOwner, message, WPARAM(m_nChannel), value);
}

void COutRouteDlg::MarkOutputEdited()
{
    if (m_nChannel >= 0 && m_nChannel < OUTPUT_COUNT)
        g_abOutputEdited[m_nChannel] = 1;
}

void COutRouteDlg::OnMuteButton()
{
    SetOutputOn(m_bOn != 0 ? 0 : 1);
    Notify(WM_STRIP_MUTE, m_bOn);
}

void COutRouteDlg::OnSelectButton()
{
    // The owner decides the check state.
    Notify(WM_STRIP_SELECT, 0);
}

void COutRouteDlg::OnPolarityButton()
{
    SetPolarity(m_nPolarity != 0 ? 0 : 1);
    Notify(WM_STRIP_POLARITY, m_nPolarity);
}

void COutRouteDlg::OnSourceButton(int source)
{
    if (source < 1 || source > SOURCE_COUNT)
        return;
    const int on = m_abSource[source - 1] != 0 ? 0 : 1;
    SetSource(source, on);
    Notify(WM_STRIP_SOURCE1 + UINT(source - 1), on);
}

void COutRouteDlg::OnLevelChanged()
{
    m_nLevel = m_spinLevel.GetPos();
    m_sliderLevel.SetValue(m_nLevel);
    Notify(WM_STRIP_LEVEL, m_nLevel);
    MarkOutputEdited();
}

LRESULT COutRouteDlg::OnSliderMessage(UINT message, WPARAM id)
{
    if (UINT(id) == IDC_LEVEL_SLIDER) {
        m_nLevel = m_sliderLevel.GetValue();
        m_spinLevel.SetPos(m_nLevel);
        Notify(WM_STRIP_LEVEL, m_nLevel);
        if (message == WM_SLIDER_MOVED)
            m_editLevel.setFocus();
    }
    MarkOutputEdited();
    return 1;
}

void COutRouteDlg::OnDelaySpin()
{
    Notify(WM_STRIP_DELAY, m_spinDelay.GetPos());
}

void COutRouteDlg::OnDelayEdit()
{
    const int steps = m_editDelay.GetValue();
    SetDelay(steps);
    Notify(WM_STRIP_DELAY, steps);
}

// ---- Speaker-type popup -------------------------------------------------------------

void COutRouteDlg::TakePositionSnapshot()
{
    if (m_nChannel < 0 || m_nChannel >= OUTPUT_COUNT)
        return;
    // The table as it would be without this output...
    const BYTE old = g_byOutputPosition[m_nChannel];
    ReleaseSpeakerPosition(old, m_nChannel);
    g_byOutputPosition[m_nChannel] = 0;
    TakeSpeakerPosition(0, 0);
    std::copy(std::begin(g_SpeakerPositionTable), std::end(g_SpeakerPositionTable), m_abyPositionState);
    // ... and back as it was.
    ReleaseSpeakerPosition(0, m_nChannel);
    g_byOutputPosition[m_nChannel] = old;
    TakeSpeakerPosition(old, 0);
    m_abyPositionState[POSITION_OUTPUTS_AT + m_nChannel] = old;
}

void COutRouteDlg::UpdateSpeakerMenuItems()
{
    if (g_menuSpeakerType == nullptr)
        return;
    const int own = g_byOutputPosition[m_nChannel];
    for (int code = 1; code < POSITION_CODE_COUNT; ++code) {
        QAction* item = FindSpeakerTypeItem(g_menuSpeakerType, code);
        if (item == nullptr)
            continue;
        if (code == own) {
            item->setChecked(true);
            item->setEnabled(true);
            continue;
        }
        switch (m_abyPositionState[code]) {
        case POSITION_BLOCKED:
            item->setChecked(false);
            item->setEnabled(false);
            break;
        case POSITION_TAKEN:
            item->setChecked(true);
            item->setEnabled(false);
            break;
        case POSITION_FREE:
            item->setChecked(false);
            item->setEnabled(true);
            break;
        default: break;
        }
    }
    // "None" is always there to pick; its check mark is left as it is.
    if (QAction* none = FindSpeakerTypeItem(g_menuSpeakerType, 0))
        none->setEnabled(true);
}

void COutRouteDlg::OnSpeakerTypeButton()
{
    if (m_nChannel < 0 || m_nChannel >= OUTPUT_COUNT || g_menuSpeakerType == nullptr)
        return;
    const QRect button(m_btnSpeakerType.mapToGlobal(QPoint(0, 0)), m_btnSpeakerType.size());
    TakePositionSnapshot();
    UpdateSpeakerMenuItems();
    const UINT command =
        TrackPopupMenu(*g_menuSpeakerType, QPoint(button.left(), button.bottom() + 1 + 2), this);
    if (command >= ID_SPEAKER_TYPE_ITEM && command < ID_SPEAKER_TYPE_ITEM + UINT(POSITION_CODE_COUNT))
        OnSpeakerTypeItem(int(command - ID_SPEAKER_TYPE_ITEM));
}

void COutRouteDlg::OnSpeakerTypeItem(int code)
{
    if (m_nChannel < 0 || m_nChannel >= OUTPUT_COUNT)
        return;
    if (g_byOutputPosition[m_nChannel] != code)
        Notify(WM_STRIP_SPEAKER_TYPE, code);
}

// ---- Messages, keys and mouse ----------------------------------------------------------

LRESULT COutRouteDlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = int(LOWORD(wParam));
        switch (id) {
        case IDC_MUTE: OnMuteButton(); break;
        case IDC_SELECT: OnSelectButton(); break;
        case IDC_POLARITY: OnPolarityButton(); break;
        case IDC_LEVEL_EDIT:
        case IDC_LEVEL_SPIN: OnLevelChanged(); break;
        case IDC_DELAY_SPIN: OnDelaySpin(); break;
        case IDC_DELAY_EDIT: OnDelayEdit(); break;
        case IDC_SPEAKER_TYPE: OnSpeakerTypeButton(); break;
        // The link button acts through WM_LINK_BUTTON_CLICK alone.
        case IDC_LINK: break;
        case ID_LINK_NEW_GROUP:
        case ID_LINK_JOIN_GROUP:
        case ID_LINK_LEAVE_GROUP:
        case ID_LINK_DISSOLVE_GROUP: OnLinkGroupMenu(UINT(id)); break;
        default:
            for (int source = 1; source <= SOURCE_COUNT; ++source)
                if (id == kStripSources[source - 1].id)
                    OnSourceButton(source);
            break;
        }
        return 0;
    }
    case WM_SLIDER_MOVING:
    case WM_SLIDER_MOVED: return OnSliderMessage(message, wParam);
    case WM_LINK_BUTTON_CLICK: OnLinkButton(wParam); return 0;
    // Copy and paste are posted to the strip and end here.
    case WM_STRIP_COPY:
    case WM_STRIP_PASTE:
    default: return 0;
    }
}

bool COutRouteDlg::PreTranslate(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        // A press first takes the focus, so a field being typed in commits;
        // then it goes on as usual.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            setFocus(Qt::MouseFocusReason);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    // The field commits. The key goes on to the strip's owner, which
    // neither closes nor walks the controls.
    TakeStripKey(this, this, static_cast<QKeyEvent*>(event), WM_STRIP_COPY, WM_STRIP_PASTE);
    return false;
}

bool COutRouteDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslate(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void COutRouteDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_bmpBackground);
}
