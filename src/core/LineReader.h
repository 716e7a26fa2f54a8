#pragma once

#include <QByteArray>
#include <QIODevice>

namespace vtl {

// No game reads a config larger than 256 KiB (QuakeSpasm and ezQuake, the
// most generous), so no line a game runs is longer: the rest of a longer one
// is skipped, which keeps every line reader's time and memory bounded.
inline constexpr qsizetype kMaxLineBytes = qsizetype{256} << 10;

// Reads a device's lines one at a time, from its current position to its
// end: a file, a pipe or standard input alike (a pipe's end is when read()
// gives nothing, never a guess made before reading). Time is linear in the
// device and memory bounded by the longest kept line.
class LineReader {
  public:
    explicit LineReader(QIODevice& device, qsizetype maxLineBytes = kMaxLineBytes);

    // The next line without its "\n" (a "\r" before it stays), its first
    // maxLineBytes only; false at the end or after a read error.
    bool next(QByteArray& line);

    int lineNumber() const { return lineNumber_; }
    // True when the line last returned was longer than it is.
    bool lineWasCut() const { return cut_; }
    // True when the device failed; errorString() then says why.
    bool failed() const { return failed_; }
    QString errorString() const { return device_.errorString(); }

  private:
    bool fill();

    QIODevice& device_;
    const qsizetype maxLineBytes_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    int lineNumber_ = 0;
    bool cut_ = false;
    bool ended_ = false;
    bool failed_ = false;
};

}  // namespace vtl
