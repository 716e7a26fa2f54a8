#pragma once

#include <QFile>

#include <optional>

#include "support/AsNobody.h"

namespace vtl::test {

// Makes a folder and the settings file in it read-only for the guard's life,
// running as "nobody" meanwhile when the test runs as root.
struct ReadOnlyFolder {
    ReadOnlyFolder(const QString& folder, const QString& file) : folder(folder), file(file) {
        const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        ok = QFile::setPermissions(file, readable) &&
             QFile::setPermissions(folder, readable | enterable) && nobody.emplace().ok();
    }
    ~ReadOnlyFolder() {
        nobody.reset();  // back to root before the permissions are undone
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }

    const QString folder, file;
    bool ok = false;
    std::optional<AsNobody> nobody;  // also makes the guard non-copyable
};

}  // namespace vtl::test
