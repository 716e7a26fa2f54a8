#include "core/FileOpen.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vtl {

int openWithoutWaiting(const QString& path, int flags) {
    return platform::openWithoutWaiting(path, flags);
}

int openWithoutWaiting(const QByteArray& nativePath, int flags) {
    return platform::openWithoutWaiting(nativePath, flags);
}

QString notRegularFileReason(const platform::FileFacts& facts) {
    return facts.kind == platform::FileFacts::Kind::Folder
               ? QStringLiteral("it is a folder, not a file")
               : QStringLiteral("it is not a regular file");
}

#ifndef _WIN32
QString notRegularFileReason(mode_t mode) {
    return notRegularFileReason(platform::FileFacts{
        S_ISDIR(mode) ? platform::FileFacts::Kind::Folder : platform::FileFacts::Kind::Other, 0,
        1});
}
#endif

QString systemReason(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

bool openUserFile(QFile& file, const QByteArray& nativePath, const QString& shownName,
                  ReadProblem& problem, FileKind kind) {
    const auto fail = [&](const QString& reason, int systemError = 0) {
        problem = ReadProblem{shownName, reason, systemError};
        return false;
    };
    int fd = -1;
    if (kind == FileKind::Stream && nativePath == "-") {
        fd = platform::duplicateStandardInput();
    } else if (kind == FileKind::Stream) {
        // A command-line tool waits for a FIFO's writer, as cat does.
        fd = platform::openForReadingWaiting(nativePath);
    } else {
        fd = platform::openWithoutWaiting(nativePath, O_RDONLY);
    }
    if (fd < 0) {
        const int error = errno;
        return fail(systemReason(error), error);
    }
    platform::FileFacts facts;
    if (!platform::fileFacts(fd, facts)) {
        const int error = errno;
        platform::closeFile(fd);
        return fail(systemReason(error), error);
    }
    if (facts.kind == platform::FileFacts::Kind::Folder ||
        (kind == FileKind::Regular && facts.kind != platform::FileFacts::Kind::Regular)) {
        platform::closeFile(fd);
        return fail(notRegularFileReason(facts));
    }
    if (kind == FileKind::Regular) {
        // Reads of a regular file never wait; the flag only mattered for the open.
        platform::allowWaiting(fd);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        platform::closeFile(fd);
        return fail(file.errorString());
    }
    return true;
}

bool openUserFile(QFile& file, const QString& path, ReadProblem& problem, FileKind kind) {
#ifdef _WIN32
    return openUserFile(file, path.toUtf8(), path, problem, kind);  // the platform layer's form
#else
    return openUserFile(file, QFile::encodeName(path), path, problem, kind);
#endif
}

RememberedFolder rememberedFolder(const QByteArray& stored, const QString& decoded) {
    RememberedFolder remembered(decoded);
#ifndef Q_OS_WIN
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8(stored);
    if (!utf8.hasError() || QFileInfo::exists(decoded)) {
        return remembered;
    }
    const int fd = platform::openWithoutWaiting(stored, O_RDONLY);
    platform::FileFacts facts;
    const bool folder = fd >= 0 && platform::fileFacts(fd, facts) &&
                        facts.kind == platform::FileFacts::Kind::Folder;
    if (fd >= 0) {
        platform::closeFile(fd);
    }
    if (folder) {
        QString shown;
        for (qsizetype i = 0; i < stored.size();) {
            // The longest UTF-8 run from here, else one byte as \xNN.
            qsizetype end = stored.size();
            while (end > i) {
                QStringDecoder part(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
                const QString piece = part(QByteArrayView(stored).sliced(i, end - i));
                if (!part.hasError()) {
                    shown += piece;
                    break;
                }
                --end;
            }
            if (end == i) {
                shown += u"\\x"_s + QString::number(static_cast<uchar>(stored[i]), 16)
                                        .toUpper()
                                        .rightJustified(2, u'0');
                end = i + 1;
            }
            i = end;
        }
        remembered.folder.clear();
        remembered.unusable = shown;
    }
#else
    Q_UNUSED(stored);
#endif
    return remembered;
}

bool isUnusableFolderName(const QString& chosen) {
    return chosen.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(chosen);
}

}  // namespace vtl
