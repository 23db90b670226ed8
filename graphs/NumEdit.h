#pragma once
// The numeric field of the pages: a frameless line edit that holds one
// integer count and shows it in the unit of its value type (the rules are
// CNumEditValue's). The user types; when the field loses the focus the text
// is committed by the type's rules and the parent is told with WM_COMMAND
// (sent: wParam = the field's id, lParam = the field); the page reads the
// count back with GetValue, which re-parses typed text silently and clears
// the typed-text flag.
//
// Set-up: SetValueType, SetStep and SetOffset once; the paired CNumSpin's
// SetRange sets the range (and the count to the minimum); then SetValue or
// the spin's SetPos.
//
// Look: while the field is being edited, or while its fader holds the
// focus, black text on an opaque RGB(137,172,209); otherwise no background,
// so the page's skin shows behind white text (grey 200 while the input flag
// is clear). Level fields of a mix column are black in the column of the
// output being edited and grey in the others (IMixColumnParent).
//
// A read-only field may show a step button (CSpinBtn) over itself, carrying
// the field's text, which steps a bound spin. Only ASCII input gets in, and
// a text limit stops what the user puts in, never what the program sets.
#include <QFont>
#include <QLineEdit>

#include "graphs/FocusLookBuddy.h"
#include "graphs/NumEditValue.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"
#include "platform/gui/InterfacePtr.h"

class CNumSpin;
class CSpinBtn;

class CNumEdit : public QLineEdit, public CMsgTarget {
    Q_OBJECT
public:
    explicit CNumEdit(QWidget* parent = nullptr);
    ~CNumEdit() override;

    // ---- Value (see CNumEditValue) ---------------------------------------
    // Stores type and unit text and shows the count.
    void SetValueType(int type, const QString& unit = QString());
    int GetValueType() const { return m_value.Type(); }
    // Stores the range and sets the count to the minimum; the text stays.
    void SetRange(int min, int max);
    void SetStep(double step) { m_value.SetStep(step); }
    void SetOffset(double offset) { m_value.SetOffset(offset); }
    // Degrees Celsius + 50 (75 = 25 C); the text is shown again.
    void SetTemperature(int code);
    // A count inside the range is stored and shown; others change nothing.
    void SetValue(int count);
    // Re-parses typed text first (and clears the typed-text flag).
    int GetValue();
    // Shows the count by the type; the step button gets the same text.
    virtual bool RefreshText();
    // After a language switch: the delay types show their count again;
    // other fields swap "OFF" and "关闭" as they stand.
    void RefreshLanguage();
    static double RoundToDecimals(double x, int n) { return CNumEditValue::RoundToDecimals(x, n); }
    // The silent re-parse of the present text.
    void ParseText();
    const CNumEditValue& Value() const { return m_value; }

    // ---- Window ------------------------------------------------------------
    // The step button: a hidden child over the field, with the field's font.
    void CreateStepButton(UINT id);
    // Binds the step button (when created) to a spin, whose id it keeps.
    void BindStepButton(UINT spinId, CNumSpin* spin);
    CSpinBtn* StepButton() const { return m_pStepButton; }
    // The fader whose focused look follows this field's focus.
    void SetBuddySlider(IFocusLookBuddy* fader) { m_pFader = fader; }
    // When it differs from the present look: stores it and repaints.
    void SetActiveLook(bool active);
    bool IsActiveLook() const { return m_bActiveLook; }
    // SW_HIDE or SW_SHOW against the logical visible flag; returns whether
    // the window was visible before, or the flag when nothing changed.
    virtual int Show(int showCommand);
    bool IsShown() const { return m_bVisible; }
    // Set once Show has changed the field's visibility.
    bool IsShowChanged() const { return m_bShowChanged; }
    virtual void Enable(bool enable);
    // Read-only shows the step button (when created), editable hides it.
    virtual void SetReadOnly(bool readOnly);
    bool IsModified() const { return m_value.IsTyped(); }
    void SetModified(bool modified) { m_value.SetTyped(modified); }
    // Adds delta, pulls the count into the range, shows it, tells the parent.
    void StepValue(int delta);
    // Delay types: the focus-loss commit first; then the count.
    int GetDelayValue();
    // The most bytes the user may put in (the program's text is never cut);
    // 0 for no limit.
    void LimitText(int bytes) { m_nLimit = bytes; }
    int GetLimitText() const { return m_nLimit; }
    // Only the digits of what the user puts in go in (a number style edit).
    void SetDigitsOnly(bool on) { m_bDigitsOnly = on; }
    // While clear, clicks do not start editing, the text is grey and a
    // spin ignores steps. Set at construction.
    void SetInputFlag(bool on);
    bool GetInputFlag() const { return m_bInput; }
    // The text colour of the idle look now (white, grey, mix-column black
    // or grey).
    QColor IdleTextColour() const;

    // WM_KILLFOCUS and WM_SETFOCUS run the focus-loss and focus-gain steps;
    // WM_LBUTTONDOWN (lParam x, y) the press steps.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The level fields of a mix column.
    static bool IsMixLevelId(int id);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnSetFocus();
    void OnKillFocus();
    // event is null for a posted press.
    void OnLButtonDown(QMouseEvent* event, const QPoint& point);
    void SetShownText(const QString& text);
    void NotifyParent();
    void ApplyColours();
    // Shows the whole text: a text wider than the field is drawn in a
    // smaller size of the field's own font (never below 7 pixels).
    void FitFontToText();

    CNumEditValue m_value;
    CInterfacePtr<IFocusLookBuddy> m_pFader;
    CSpinBtn* m_pStepButton = nullptr;  // a child: Qt deletes it with the field
    bool m_bActiveLook = false;
    bool m_bVisible = true;
    bool m_bShowChanged = false;
    bool m_bInput = true;
    bool m_bDigitsOnly = false;
    int m_nLimit = 0;
    QFont m_fontOwn;  // the font the field was given; FitFontToText shrinks a copy
    bool m_bFitting = false;
};
