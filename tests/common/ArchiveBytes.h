#pragma once
// The bytes an object's Serialize writes into a storing archive.
#include <QByteArray>

#include "platform/core/Archive.h"

template <class T>
QByteArray ArchiveOf(T& object)
{
    QByteArray bytes;
    CArchive ar(&bytes);
    object.Serialize(ar);
    return bytes;
}
