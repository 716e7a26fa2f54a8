#pragma once

#include <QFile>
#include <QString>

#include <optional>

#include "support/AsNobody.h"

namespace vtl::test {

// Makes a folder and the settings file in it read-only for the test's life,
// running as "nobody" meanwhile when the test runs as root.
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
        if (ok_) {
            nobody_.emplace();
            ok_ = nobody_->ok();
        }
    }
    ~ReadOnlyFolder() {
        nobody_.reset();  // back to root before the permissions are undone
        QFile::setPermissions(
            folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(file_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ok() const { return ok_; }

  private:
    QString folder_;
    QString file_;
    bool ok_ = false;
    std::optional<AsNobody> nobody_;
};

}  // namespace vtl::test
