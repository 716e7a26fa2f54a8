#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <iostream>
#include <thread>

#include "modes/GameModes.h"
#include "modes/SheetLoader.h"
#include "support/AppFolder.h"
#include "support/AsNobody.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"

namespace vtl {
namespace {

using test::AppFolder;
using test::AsNobody;
using test::FakeDesktop;

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage sheet256() {
    QImage image(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            image.setPixel(x, y, qRgb(x, y, 99));
        }
    }
    return image;
}

// A reader stuck on a FIFO with no writer would hang the test; this opens
// the other end after a while so the test fails by its clock instead.
class FifoWatchdog {
  public:
    explicit FifoWatchdog(QByteArray path)
        : path_(std::move(path)), thread_([this] {
              const auto start = std::chrono::steady_clock::now();
              while (!done_) {
                  if (std::chrono::steady_clock::now() - start > std::chrono::seconds(3)) {
                      const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0) {
                          ::close(fd);
                      }
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    ~FifoWatchdog() {
        done_ = true;
        thread_.join();
    }

  private:
    QByteArray path_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

struct BadSheet {
    const char* situation;
    // Turns the good sheet at `path` (inside `folder`) into the bad case.
    std::function<void(const QString& path, const QString& folder)> spoil;
    const char* reason;
    bool asNobody;
};

void chmodPath(const QString& path, mode_t mode) {
    ::chmod(QFile::encodeName(path).constData(), mode);
}

// The same bad file, as a built-in sheet and as the user's own picture: the
// message gives the real reason, no time is lost, and a black sheet stands in
// for a built-in one.
TEST(SheetFiles, badFiles_reportTheRealReasonInBothFlows) {
    const BadSheet rows[] = {
        {"halfOfTheFile",
         [](const QString& p, const QString&) {
             const QByteArray whole = test::readBytes(p);
             test::writeBytes(p, whole.left(whole.size() / 2));
         },
         "the file ends before the picture does", false},
        {"folderInItsPlace",
         [](const QString& p, const QString&) {
             QFile::remove(p);
             QDir().mkdir(p);
         },
         "it is a folder, not a file", false},
        {"fifo",
         [](const QString& p, const QString&) {
             QFile::remove(p);
             ::mkfifo(QFile::encodeName(p).constData(), 0644);
         },
         "it is not a regular file", false},
        {"tooManyPixels",
         [](const QString& p, const QString&) {
             // A whole GIF of 30000 x 30000 pixels, its image all one colour.
             QByteArray gif = QByteArray::fromHex(
                 "47494638396101000100800000ffffff0000002c00000000010001000002024401003b");
             for (const int at : {6, 8, 24, 26}) {
                 gif[at] = static_cast<char>(30000 & 0xFF);
                 gif[at + 1] = static_cast<char>(30000 >> 8);
             }
             test::writeBytes(p, gif);
         },
         "the picture is 30000 \u00D7 30000 pixels, too large for a glyph sheet", false},
        {"unreadableFolder", [](const QString&, const QString& f) { chmodPath(f, 0700); },
         "Permission denied", true},
        {"unreadableFile", [](const QString& p, const QString&) { chmodPath(p, 0); },
         "Permission denied", true},
    };
    for (const BadSheet& row : rows) {
        for (const bool builtIn : {true, false}) {
            SCOPED_TRACE(std::string(row.situation) + (builtIn ? " built-in" : " custom"));
            AppFolder app;
            chmodPath(app.path(), 0755);
            const QString folder = app.path() + QStringLiteral("/qw");
            const QString path = app.pathOf(BuiltInSheet::QuakeWorld);
            row.spoil(path, folder);
            FakeDesktop desktop;
            desktop.openReplies.push_back(path);
            WindowState state;
            QElapsedTimer clock;
            clock.start();
            {
                FifoWatchdog watchdog(QFile::encodeName(path));
                std::optional<AsNobody> nobody;
                if (row.asNobody) {
                    nobody.emplace();
                    if (!nobody->ok()) {
                        GTEST_SKIP() << "cannot switch to the user nobody";
                    }
                }
                switchMode(state, desktop, app.path(),
                           builtIn ? GameMode::QuakeWorld : GameMode::QuakeWorldMod);
            }
            EXPECT_LT(clock.elapsed(), 1000);
            EXPECT_EQ(desktop.messageTexts(),
                      QStringList{unreadablePictureMessage(path, QString::fromUtf8(row.reason))});
            if (builtIn) {
                EXPECT_EQ(state.sheetSource.size(), QSize(256, 256));
                EXPECT_EQ(state.sheetSource.pixel(128, 128), qRgb(0, 0, 0));
            } else {
                EXPECT_TRUE(state.sheetSource.isNull());
            }
            chmodPath(folder, 0755);
        }
    }
}

// Peak memory of a child process that opens the picture in a modification
// mode, above what it held before.
long peakGrowthKiB(const QString& path, bool& read) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeEnds[0]);
        rusage before{};
        ::getrusage(RUSAGE_SELF, &before);
        FakeDesktop desktop;
        desktop.openReplies.push_back(path);
        WindowState state;
        switchMode(state, desktop, QString(), GameMode::QuakeWorldMod);
        const bool ok = !state.sheetSource.isNull() && desktop.messages.empty();
        rusage after{};
        ::getrusage(RUSAGE_SELF, &after);
        const long report[2] = {after.ru_maxrss - before.ru_maxrss, ok ? 1 : 0};
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], report, sizeof report);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    long report[2] = {-1, 0};
    [[maybe_unused]] const ssize_t got = ::read(pipeEnds[0], report, sizeof report);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    read = report[1] == 1;
    return report[0];
}

// A whole picture followed by a 2 GiB sparse tail: only what the picture
// needs is read, quickly and in little memory.
TEST(SheetFiles, pictureWithHugeSparseTail_readsInLittleMemory) {
    const QImage image = sheet256();
    // A 1x1 GIF; Qt can't write GIF.
    const QByteArray gif = QByteArray::fromHex(
        "47494638396101000100800000ffffff0000002c00000000010001000002024401003b");
    const std::pair<const char*, QByteArray> pictures[] = {
        {"BMP", encoded(image, "BMP")}, {"JPG", encoded(image, "JPG")}, {"GIF", gif}};
    for (const auto& [format, bytes] : pictures) {
        SCOPED_TRACE(format);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tail.") + QString::fromLatin1(format));
        test::writeBytes(path, bytes);
        ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), bytes.size() + (qint64{2} << 30)),
                  0);
        QElapsedTimer clock;
        clock.start();
        bool read = false;
        const long growth = peakGrowthKiB(path, read);
        std::cout << format << ": peak memory +" << growth << " KiB in " << clock.elapsed()
                  << " ms\n";
        EXPECT_TRUE(read);
        EXPECT_GE(growth, 0);
        EXPECT_LT(growth, 64 * 1024);
        EXPECT_LT(clock.elapsed(), 2000);
    }
}

}  // namespace
}  // namespace vtl
