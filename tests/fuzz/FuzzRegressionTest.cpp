#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "Targets.h"

namespace vtl::fuzz {
namespace {

// Every input that ever made a reader fail, through the fuzzer's own entry:
// a crash, sanitizer report, hang or broken promise here is a regression.
TEST(FuzzRegressionTest, everyCommittedInput_passesItsReader) {
    const QDir root(QStringLiteral(VTL_FUZZ_REGRESSIONS));
    int replayed = 0;
    for (const Target& target : targets()) {
        const QDir dir(root.filePath(QLatin1StringView(target.name)));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = file.readAll();
            SCOPED_TRACE(std::string(target.name) + "/" + name.toStdString());
            target.run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

// A folder whose name is no target would never be replayed.
TEST(FuzzRegressionTest, everyRegressionFolder_namesATarget) {
    const QDir root(QStringLiteral(VTL_FUZZ_REGRESSIONS));
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        EXPECT_NE(targetNamed(name.toLatin1().constData()), nullptr) << name.toStdString();
    }
}

}  // namespace
}  // namespace vtl::fuzz
