#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

#include "core/FileWrite.h"
#include "support/AsNobody.h"

namespace vtl::test {

// Runs `work` in a child, as "nobody" when asked, under a file-size limit (past it a write
// fails, as in the program), and gives the status it exits with: 255 when it could not
// become "nobody", -1 when it was killed or hung. The child ends with _exit, so it never
// becomes root again.
template <typename Work>
int exitStatusInChild(bool asNobody, rlim_t fileSizeLimit, const Work& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(5);
        std::optional<AsNobody> nobody;
        if (asNobody && !nobody.emplace().ok()) {
            ::_exit(255);
        }
        ignoreFileSizeSignal();
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline struct stat statOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info;
}

}  // namespace vtl::test
