#pragma once

#include <QByteArray>
#include <QString>

namespace vtl {

// Names are Windows-1252 bytes from the character table to the file. These
// decode them only for showing; the five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the
// same number, so every byte has exactly one character and back.
QChar cp1252ToUnicode(unsigned char byte);
QString decodeCp1252(const QByteArray& bytes);
// The inverse for text that came from decodeCp1252 (or a person typing):
// characters outside the code page become '?'.
QByteArray encodeCp1252(const QString& text);

}  // namespace vtl
