#pragma once

#include <QFile>
#include <QString>

#include <sys/types.h>
#include <unistd.h>

namespace vtl::test {

// Makes a folder and the settings file in it read-only for the test's life.
// Root writes anywhere, so a root test runs as "nobody" meanwhile (effective
// id only, so it can be taken back).
class ReadOnlyFolder {
  public:
    ReadOnlyFolder(QString folder, QString file)
        : folder_(std::move(folder)), file_(std::move(file)) {
        const auto readable =
            QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        const auto enterable =
            QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
        ok_ = QFile::setPermissions(file_, readable) &&
              QFile::setPermissions(folder_, readable | enterable);
        if (ok_ && geteuid() == 0) {
            ok_ = seteuid(kNobody) == 0;
            dropped_ = ok_;
        }
    }
    ~ReadOnlyFolder() {
        if (dropped_) {
            [[maybe_unused]] const int restored = seteuid(0);
        }
        QFile::setPermissions(
            folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(file_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ok() const { return ok_; }

  private:
    static constexpr uid_t kNobody = 65534;
    QString folder_;
    QString file_;
    bool ok_ = false;
    bool dropped_ = false;
};

}  // namespace vtl::test
