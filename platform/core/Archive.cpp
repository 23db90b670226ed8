#include "platform/core/Archive.h"

#include <cstring>

#include "platform/core/TextCodec.h"

CArchive::CArchive(QByteArray* out) : m_pOut(out) {}

CArchive::CArchive(const QByteArray& data) : m_in(data) {}

qsizetype CArchive::Remaining() const
{
    return IsStoring() ? m_pOut->size() : m_in.size() - m_nPos;
}

void CArchive::Write(const void* data, qsizetype size)
{
    if (!IsStoring() || size <= 0) {
        if (!IsStoring())
            m_bError = true;
        return;
    }
    m_pOut->append(static_cast<const char*>(data), size);
    m_nPos += size;
}

bool CArchive::Read(void* data, qsizetype size)
{
    if (size <= 0)
        return size == 0;
    if (IsStoring() || m_bError || m_in.size() - m_nPos < size) {
        std::memset(data, 0, size_t(size));
        m_bError = true;
        return false;
    }
    std::memcpy(data, m_in.constData() + m_nPos, size_t(size));
    m_nPos += size;
    return true;
}

namespace {
template <typename T>
void PutLittle(CArchive& ar, T v)
{
    BYTE b[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        b[i] = BYTE((v >> (8 * i)) & 0xFF);
    ar.Write(b, sizeof(T));
}

template <typename T>
T GetLittle(CArchive& ar)
{
    BYTE b[sizeof(T)];
    ar.Read(b, sizeof(T));
    T v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v = T(v | (T(b[i]) << (8 * i)));
    return v;
}
}  // namespace

CArchive& CArchive::operator<<(BYTE v) { Write(&v, 1); return *this; }
CArchive& CArchive::operator<<(WORD v) { PutLittle<WORD>(*this, v); return *this; }
CArchive& CArchive::operator<<(DWORD v) { PutLittle<DWORD>(*this, v); return *this; }

CArchive& CArchive::operator<<(float v)
{
    DWORD bits;
    std::memcpy(&bits, &v, sizeof bits);
    return *this << bits;
}

CArchive& CArchive::operator<<(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    PutLittle<quint64>(*this, bits);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& v) { Read(&v, 1); return *this; }
CArchive& CArchive::operator>>(char& v) { BYTE b; *this >> b; v = char(b); return *this; }
CArchive& CArchive::operator>>(std::int8_t& v) { BYTE b; *this >> b; v = std::int8_t(b); return *this; }
CArchive& CArchive::operator>>(WORD& v) { v = GetLittle<WORD>(*this); return *this; }
CArchive& CArchive::operator>>(std::int16_t& v) { v = std::int16_t(GetLittle<WORD>(*this)); return *this; }
CArchive& CArchive::operator>>(DWORD& v) { v = GetLittle<DWORD>(*this); return *this; }
CArchive& CArchive::operator>>(std::int32_t& v) { v = std::int32_t(GetLittle<DWORD>(*this)); return *this; }

CArchive& CArchive::operator>>(float& v)
{
    DWORD bits = GetLittle<DWORD>(*this);
    std::memcpy(&v, &bits, sizeof v);
    return *this;
}

CArchive& CArchive::operator>>(double& v)
{
    quint64 bits = GetLittle<quint64>(*this);
    std::memcpy(&v, &bits, sizeof v);
    return *this;
}

void CArchive::WriteStringLength(quint32 length)
{
    if (length < 0xFF) {
        *this << BYTE(length);
    } else if (length < 0xFFFE) {
        *this << BYTE(0xFF) << WORD(length);
    } else {
        *this << BYTE(0xFF) << WORD(0xFFFF) << DWORD(length);
    }
}

bool CArchive::ReadStringLength(quint32& length)
{
    length = 0;
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF) {
        length = b;
    } else {
        WORD w = 0;
        *this >> w;
        if (w < 0xFFFE) {
            length = w;
        } else if (w == 0xFFFF) {
            DWORD d = 0;
            *this >> d;
            length = d;
        } else {
            // 0xFFFE marks a wide-character string, which no file of ours holds.
            m_bError = true;
        }
    }
    if (m_bError)
        length = 0;
    return !m_bError;
}

void CArchive::WriteStringBytes(const QByteArray& bytes)
{
    WriteStringLength(quint32(bytes.size()));
    Write(bytes.constData(), bytes.size());
}

bool CArchive::ReadStringBytes(QByteArray& out, quint32 maxLength)
{
    out.clear();
    quint32 length = 0;
    if (!ReadStringLength(length))
        return false;
    if (length > maxLength || qsizetype(length) > Remaining()) {
        m_bError = true;
        return false;
    }
    out.resize(qsizetype(length));
    return Read(out.data(), qsizetype(length));
}

void CArchive::WriteString(const QString& text)
{
    WriteStringBytes(ToDeviceBytes(text));
}

bool CArchive::ReadString(QString& out, quint32 maxLength)
{
    QByteArray bytes;
    bool ok = ReadStringBytes(bytes, maxLength);
    out = ok ? FromDeviceBytes(bytes) : QString();
    return ok;
}
