#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "Targets.h"

namespace vtl::fuzz {
namespace {

// Every input that ever made a reader fail, through the fuzzer's own entry:
// a crash, sanitizer report, hang or broken promise here is a regression. A
// folder whose name is no target would never be replayed.
TEST(FuzzRegressionTest, everyCommittedInput_passesItsReader) {
    const QDir root(QStringLiteral(VTL_FUZZ_REGRESSIONS));
    int replayed = 0;
    for (const QString& folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const Target* target = targetNamed(folder.toLatin1().constData());
        ASSERT_NE(target, nullptr) << folder.toStdString();
        const QDir dir(root.filePath(folder));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = file.readAll();
            SCOPED_TRACE(folder.toStdString() + "/" + name.toStdString());
            target->run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace vtl::fuzz
