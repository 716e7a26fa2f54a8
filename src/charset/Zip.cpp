// The pk3 reader: zlib's own minizip, the zip reader the Quake III engines
// themselves read pk3s with. It needs nothing but the zlib that Qt already
// loads, and it is linked in statically, so opening the program maps no zip
// library at all (libzip, used before, brought libcrypto, libbz2 and liblzma
// into every start for a glyph picker that only ever reads stored or
// deflated entries). The file goes through QFile, so any path Qt can open
// works, on every platform.
#include <QFile>

#include <minizip/unzip.h>

#include <memory>

#include "charset/Formats.h"

namespace vtl::charset {
namespace {

QFile* fileOf(voidpf stream) {
    return static_cast<QFile*>(stream);
}

// minizip's file functions over QFile; `opaque` is the QFile, opened here.
voidpf openFile(voidpf opaque, const void* /*name*/, int /*mode*/) {
    auto* file = static_cast<QFile*>(opaque);
    return file->open(QIODevice::ReadOnly) ? file : nullptr;
}
uLong readFile(voidpf, voidpf stream, void* buffer, uLong size) {
    const qint64 n = fileOf(stream)->read(static_cast<char*>(buffer), static_cast<qint64>(size));
    return n < 0 ? 0 : static_cast<uLong>(n);
}
uLong writeFile(voidpf, voidpf, const void*, uLong) {
    return 0;
}
ZPOS64_T tellFile(voidpf, voidpf stream) {
    return static_cast<ZPOS64_T>(fileOf(stream)->pos());
}
long seekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    QFile* file = fileOf(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        base = file->pos();
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        base = file->size();
    }
    const qint64 to = base + static_cast<qint64>(offset);
    return to >= 0 && to <= file->size() && file->seek(to) ? 0 : -1;
}
int closeFile(voidpf, voidpf stream) {
    fileOf(stream)->close();
    return 0;
}
int errorOf(voidpf, voidpf stream) {
    return fileOf(stream)->error() == QFileDevice::NoError ? 0 : 1;
}

bool fail(Problem& problem, const QString& file, const QString& reason) {
    problem = Problem{file, reason};
    return false;
}

QString reasonOf(int code, const QFile& file) {
    switch (code) {
        case UNZ_ERRNO:
            return file.errorString();
        case UNZ_CRCERROR:
            return QStringLiteral("its data does not match its checksum");
        case Z_DATA_ERROR:
            return QStringLiteral("its compressed data is damaged");
        case Z_MEM_ERROR:
            return QStringLiteral("there is not enough memory to unpack it");
        default:
            return QStringLiteral("the zip archive is damaged");
    }
}

using Archive = std::unique_ptr<void, decltype(&unzClose)>;

}  // namespace

std::optional<QByteArray> readZipEntry(const QString& path, const QString& entry, qint64 limit,
                                       bool& found, Problem& problem) {
    found = false;
    QFile file(path);
    zlib_filefunc64_def functions{openFile, readFile,  writeFile, tellFile,
                                  seekFile, closeFile, errorOf,   &file};
    const QByteArray name = QFile::encodeName(path);  // unused by openFile, but never null
    Archive archive(unzOpen2_64(name.constData(), &functions), &unzClose);
    if (!archive) {
        // Either the file would not open, or it holds no zip directory.
        fail(problem, path,
             file.error() == QFileDevice::NoError ? QStringLiteral("it is not a zip archive")
                                                  : file.errorString());
        return std::nullopt;
    }
    // Names are ASCII in every pk3 the games read; 2 compares ignoring case.
    const int located = unzLocateFile(archive.get(), entry.toLatin1().constData(), 2);
    if (located == UNZ_END_OF_LIST_OF_FILE) {
        return std::nullopt;
    }
    if (located != UNZ_OK) {
        fail(problem, path, reasonOf(located, file));
        return std::nullopt;
    }
    found = true;
    const QString label = QStringLiteral("%1 (%2)").arg(path, entry);
    unz_file_info64 info{};
    int code = unzGetCurrentFileInfo64(archive.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0);
    if (code != UNZ_OK) {
        fail(problem, label, reasonOf(code, file));
        return std::nullopt;
    }
    if (info.uncompressed_size > static_cast<ZPOS64_T>(limit)) {
        fail(problem, label,
             QStringLiteral("it is %1 bytes long, too large for a charset")
                 .arg(info.uncompressed_size));
        return std::nullopt;
    }
    // The games read stored (0) and deflated (8) entries only; so does minizip.
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) {
        fail(problem, label,
             QStringLiteral("it is packed with method %1, which the games cannot read")
                 .arg(info.compression_method));
        return std::nullopt;
    }
    code = unzOpenCurrentFile(archive.get());
    if (code != UNZ_OK) {
        fail(problem, label, reasonOf(code, file));
        return std::nullopt;
    }
    // minizip never hands out more than the size the directory gives, so a
    // packed entry cannot unpack past `limit`.
    QByteArray data(static_cast<qsizetype>(info.uncompressed_size), '\0');
    qsizetype done = 0;
    while (done < data.size()) {
        const int n = unzReadCurrentFile(archive.get(), data.data() + done,
                                         static_cast<unsigned>(data.size() - done));
        if (n <= 0) {
            unzCloseCurrentFile(archive.get());
            fail(problem, label,
                 n < 0 ? reasonOf(n, file) : QStringLiteral("the entry ends early"));
            return std::nullopt;
        }
        done += n;
    }
    // The checksum is compared here, once the whole entry has been read.
    code = unzCloseCurrentFile(archive.get());
    if (code != UNZ_OK) {
        fail(problem, label, reasonOf(code, file));
        return std::nullopt;
    }
    return data;
}

}  // namespace vtl::charset
