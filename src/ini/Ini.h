#pragma once

#include <QList>
#include <QString>

#include "core/FileOpen.h"

namespace vtl {

// The settings file (vtl.ini) is read and written the way Windows'
// GetPrivateProfileString / WritePrivateProfileString treat a profile file,
// because that is what people's existing files were written by and what they
// edit by hand. QSettings' INI format can't stand in: it rewrites the whole
// file on every change (dropping comments and layout), escapes and quotes
// values, and folds key case differently. So this is done by hand, working on
// the file's bytes, changing only the one line a write is about.
//
// Names and values are Windows-1252 in the file. Section and key names match
// without regard to case; the first matching section and the first matching
// key in it win. Whitespace around key names and values is not part of them,
// and one pair of matching quotes ('...' or "...") around a value is dropped
// on reading, as Windows does.

// How a value's characters are stored: Windows-1252 like everything else in
// the file, or (for folders) so that any name the file system has comes back
// exactly; see encodeValue in Ini.cpp.
enum class IniText { Cp1252, FileName };

struct IniEntry {
    QString key;
    QString value;
};

// Why the file can't be used as a settings file, or the empty text when it
// can (a missing file can: it is created when something is written).
QString iniFileProblem(const QString& file);

// The stored value, or the empty text when the file, section or key is
// missing or the file can't be read.
QString ReadIni(const QString& section, const QString& key, const QString& file,
                IniText text = IniText::Cp1252);

// A stored folder (IniText::FileName), or the one the stored bytes name when
// the program cannot reach it (see RememberedFolder).
RememberedFolder ReadIniFolder(const QString& section, const QString& key, const QString& file);

// Stores the value, creating the file, section and key as needed. False, with
// the reason in *error, when nothing could be written; the file is then left
// as it was. Names or values with a line break (or NUL) are refused: they
// would smuggle extra lines into the file.
bool WriteIni(const QString& section, const QString& key, const QString& value, const QString& file,
              QString* error = nullptr, IniText text = IniText::Cp1252);
// Several keys of one section in one write: all are stored, or (when one is
// refused or the write fails) none.
bool WriteIni(const QString& section, const QList<IniEntry>& entries, const QString& file,
              QString* error = nullptr, IniText text = IniText::Cp1252);

}  // namespace vtl
