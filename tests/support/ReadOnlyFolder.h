#pragma once

#include <gtest/gtest.h>

#include <QFile>

#include <optional>

#ifdef _WIN32
#include "platform/Platform.h"
#else
#include "support/AsNobody.h"
#endif

namespace vtl::test {

// Makes a folder and the settings file in it read-only for the guard's life,
// running as "nobody" meanwhile when the test runs as root. On Windows the
// file gets the read-only attribute (folders ignore it), and `ok` says
// whether the system then refuses to write it: Wine run as root does not.
struct ReadOnlyFolder {
    ReadOnlyFolder(const QString& folder, const QString& file) : folder(folder), file(file) {
        const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
#ifdef _WIN32
        ok = QFile::setPermissions(file, readable) &&
             QFile::setPermissions(folder, readable | enterable) && !platform::mayWrite(file);
#else
        ok = QFile::setPermissions(file, readable) &&
             QFile::setPermissions(folder, readable | enterable) && nobody.emplace().ok();
#endif
    }
    ~ReadOnlyFolder() {
#ifndef _WIN32
        nobody.reset();  // back to root before the permissions are undone
#endif
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    const QString folder, file;
    bool ok = false;
#ifndef _WIN32
    std::optional<AsNobody> nobody;
#endif
};

}  // namespace vtl::test

// A test that needs the folder read-only: on Windows, where the system may
// let this user write anyway (Wine run as root), it does not apply and is
// skipped; elsewhere a guard that failed is a failure.
#ifdef _WIN32
#define VTL_REQUIRE_READ_ONLY(guard) \
    if (!(guard).ok)                 \
    GTEST_SKIP() << "this system lets the user write a read-only file (Wine run as root)"
#else
#define VTL_REQUIRE_READ_ONLY(guard) ASSERT_TRUE((guard).ok)
#endif
