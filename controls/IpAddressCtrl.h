#pragma once
// An IPv4 address field: four octet fields separated by dots. Each field
// takes digits only, at most three, and never holds more than 255 (a larger
// number becomes 255 as it is typed). A '.' or a field filled to three
// digits moves on to the next field. The address goes in and out as dotted
// text; a field left empty stays empty in the text ("127.0..1"), so that
// whoever reads it can refuse it.
//
// The parent hears of every change the user makes to a field (typed,
// pasted, deleted) as WM_NOTIFY with IPN_FIELDCHANGED, an NMIPADDRESS record
// naming the field and its value (-1 for an empty field). Text the program
// sets sends nothing.
#include <array>

#include <QString>
#include <QWidget>

#include "platform/core/SystemMessages.h"

class QLineEdit;

struct NMIPADDRESS {
    NMHDR hdr;
    int iField = 0;
    int iValue = 0;
};

class CIpAddressCtrl : public QWidget {
    Q_OBJECT
public:
    enum : int { FIELD_COUNT = 4, FIELD_MAX = 255, FIELD_DIGITS = 3 };

    explicit CIpAddressCtrl(QWidget* parent = nullptr);

    // The dotted text of the four fields (empty fields stay empty); "" when
    // every field is empty.
    QString GetAddressText() const;
    // Splits text at the dots into the fields (at most four, digits only,
    // clamped to 255); missing parts leave their fields empty. Sends no
    // notice.
    void SetAddressText(const QString& text);
    // Empties every field.
    void ClearAddress();
    bool IsBlank() const;

    // The field edits, left to right (tests type into them).
    QLineEdit* Field(int index) const { return m_aFields[std::size_t(index)]; }
    // The field holding the keyboard focus, -1 for none.
    int FocusedField() const;
    // Whether widget is this control or one of its fields.
    bool Owns(const QWidget* widget) const;
    // The focus goes to field index (0 to 3).
    void SetFieldFocus(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int IndexOf(const QObject* field) const;
    // The field's text edited by the user: clamp, tell the parent, move on
    // when full.
    void OnFieldEdited(int index);
    void NotifyFieldChanged(int index);
    void LayoutFields();

    std::array<QLineEdit*, FIELD_COUNT> m_aFields{};
};
