#include <gtest/gtest.h>

#include <QStringList>

#include "output/XonoticConfig.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

TEST(XonoticConfig, quickSaveWritesTheLastFileStartUpReads) {
    const XonoticFolders folders{u"/home/p"_s, u"C:\\Users\\p\\Saved Games"_s,
                                 u"C:\\Users\\p\\Documents"_s};
    struct Row {
        const char* name;
        bool windows;
        QStringList existing;
        QString file;
    };
    const Row rows[] = {
        {"Linux", false, {}, u"/home/p/.xonotic/data/autoexec.cfg"_s},
        {"Windows, neither yet",
         true,
         {},
         u"C:\\Users\\p\\Saved Games\\xonotic\\data\\autoexec.cfg"_s},
        {"Windows, My Games only",
         true,
         {u"C:\\Users\\p\\Documents\\My Games\\xonotic"_s},
         u"C:\\Users\\p\\Documents\\My Games\\xonotic\\data\\autoexec.cfg"_s},
        {"Windows, both",
         true,
         {u"C:\\Users\\p\\Documents\\My Games\\xonotic"_s, u"C:\\Users\\p\\Saved Games\\xonotic"_s},
         u"C:\\Users\\p\\Saved Games\\xonotic\\data\\autoexec.cfg"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(xonoticQuickSaveFile(row.windows, folders,
                                       [&](const QString& f) { return row.existing.contains(f); }),
                  row.file);
    }
}

}  // namespace
}  // namespace vtl
