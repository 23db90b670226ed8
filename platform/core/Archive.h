#pragma once
// A byte archive for the preset files and the parameter classes' Serialize:
// numbers little-endian, strings as a length prefix (one byte below 255;
// else 0xFF and a 16-bit length below 0xFFFE; else 0xFF, 0xFFFF and a 32-bit
// length) followed by the bytes without terminator.
//
// A loading archive never reads past its data: a short read fills the
// target with zeros and sets the error flag, which stays set. Callers read
// everything, then check HasError() once.
#include <QByteArray>
#include <QString>

#include "platform/core/Types.h"

class CArchive {
public:
    // Storing archive: appends to *out.
    explicit CArchive(QByteArray* out);
    // Loading archive over a copy of data.
    explicit CArchive(const QByteArray& data);

    bool IsStoring() const { return m_pOut != nullptr; }
    bool IsLoading() const { return m_pOut == nullptr; }
    bool HasError() const { return m_bError; }
    // A loader that finds a value it cannot accept refuses the archive as
    // a short one is refused: the flag stays set.
    void SetError() { m_bError = true; }
    // Bytes not yet read (loading) or written so far (storing).
    qsizetype Remaining() const;
    qsizetype Position() const { return m_nPos; }

    void Write(const void* data, qsizetype size);
    // Reads size bytes; on a short input fills with zeros and returns false.
    bool Read(void* data, qsizetype size);

    CArchive& operator<<(BYTE v);
    CArchive& operator<<(char v) { return *this << BYTE(v); }
    CArchive& operator<<(std::int8_t v) { return *this << BYTE(v); }
    CArchive& operator<<(WORD v);
    CArchive& operator<<(std::int16_t v) { return *this << WORD(v); }
    CArchive& operator<<(DWORD v);
    CArchive& operator<<(std::int32_t v) { return *this << DWORD(v); }
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    // A flag's width is the file's business: write it as BYTE or int.
    CArchive& operator<<(bool) = delete;

    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(char& v);
    CArchive& operator>>(std::int8_t& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(std::int16_t& v);
    CArchive& operator>>(DWORD& v);
    CArchive& operator>>(std::int32_t& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(bool&) = delete;

    // Length prefix alone, in the three forms.
    void WriteStringLength(quint32 length);
    // Decodes a length prefix; false (and the error flag) on 0xFFFE or a
    // truncated prefix.
    bool ReadStringLength(quint32& length);

    // String bytes with their prefix.
    void WriteStringBytes(const QByteArray& bytes);
    // Reads a prefixed string whose length must not exceed maxLength. The
    // length is checked against maxLength and against the bytes left before
    // anything is read or allocated; on failure out is cleared, the error
    // flag set and false returned.
    bool ReadStringBytes(QByteArray& out, quint32 maxLength);

    // Text as GBK bytes with their prefix.
    void WriteString(const QString& text);
    bool ReadString(QString& out, quint32 maxLength);

private:
    QByteArray* m_pOut = nullptr;
    QByteArray m_in;
    qsizetype m_nPos = 0;
    bool m_bError = false;
};
