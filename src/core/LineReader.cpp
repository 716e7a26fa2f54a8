#include "core/LineReader.h"

#include <algorithm>
#include <cstring>

namespace vtl {
namespace {

constexpr qsizetype kChunkBytes = qsizetype{64} << 10;

}  // namespace

LineReader::LineReader(QIODevice& device, qsizetype maxLineBytes)
    : device_(device), maxLineBytes_(maxLineBytes) {}

bool LineReader::fill() {
    if (ended_) {
        return false;
    }
    buffer_.resize(kChunkBytes);
    const qint64 got = device_.read(buffer_.data(), kChunkBytes);
    if (got <= 0) {
        failed_ = got < 0;
        ended_ = true;
        buffer_.clear();
        at_ = 0;
        return false;
    }
    buffer_.resize(got);
    at_ = 0;
    return true;
}

bool LineReader::next(QByteArray& line) {
    line.clear();
    cut_ = false;
    bool any = false;
    for (;;) {
        if (at_ >= buffer_.size() && !fill()) {
            if (any) {
                ++lineNumber_;
            }
            return any;
        }
        any = true;
        const char* start = buffer_.constData() + at_;
        const qsizetype left = buffer_.size() - at_;
        const auto* end = static_cast<const char*>(std::memchr(start, '\n', left));
        const qsizetype length = end ? end - start : left;
        const qsizetype room = maxLineBytes_ - line.size();
        line.append(start, std::min(length, room));
        cut_ = cut_ || length > room;
        at_ += end ? length + 1 : length;
        if (end) {
            ++lineNumber_;
            return true;
        }
    }
}

}  // namespace vtl
