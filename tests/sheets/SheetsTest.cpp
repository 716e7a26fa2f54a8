#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>

#include <array>

#include "sheets/SheetList.h"
#include "sheets/Sheets.h"
#include "support/Files.h"

namespace vtl::sheets {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(SheetFiles, everySheetTheBuildWrote_isTheArtByteForByte) {
    // Changed art shows here: look at the new sheets (target sheets-contact), then pin them.
    const std::array<std::pair<QString, QByteArray>, 12> pinned{{
        {u"qw/quakeworld.gif"_s, "41b00893c6ce1fb9a1a9c00326fec8b679c71814"},
        {u"q2/quake2.gif"_s, "a5e1a062fad89f7f9cf56e06b62c6d41b72f528b"},
        {u"hex/hexen.gif"_s, "dc259e6b500f998acbd15f0d32298b98d44661fb"},
        {u"jumpgate/jumpgate.gif"_s, "35f2a7ad63d8203d935b1b254770bd93e8a3f0e3"},
        {u"q3a/q3-white.gif"_s, "f855a78f294697fb2c25258e7d5dbb3db8cd3078"},
        {u"q3a/q3-red.gif"_s, "09a2c2e2c23a930a5fae32fbd20e48375eb5d43d"},
        {u"q3a/q3-black.gif"_s, "7095e7e86cc80200239654b5c415cfecaf3905b3"},
        {u"q3a/q3-magenta.gif"_s, "97b357e2ac32177d2aff3ff0aec2508d449b0f7f"},
        {u"q3a/q3-green.gif"_s, "9d7e5c4baf314b2066af9e3cf7b57535ed23c69b"},
        {u"q3a/q3-yellow.gif"_s, "34fcb6e3dc9e7d3d767b920f71a541ee6fd2459c"},
        {u"q3a/q3-blue.gif"_s, "37d599d00c42022ec99e1409885a7bf2a5d25d85"},
        {u"q3a/q3-cyan.gif"_s, "36dd38779a0188aed985925ae3a5793eb0e51dd0"},
    }};
    const QDir appDir(qEnvironmentVariable("VTL_APP_DIR", QStringLiteral(VTL_BUILD_APP_DIR)));
    ASSERT_EQ(builtInSheets().size(), pinned.size());
    for (std::size_t i = 0; i < pinned.size(); ++i) {
        const auto& [path, sha1] = pinned[i];
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(builtInSheets()[i].path, path);
        const QByteArray bytes = test::readBytes(appDir.filePath(path));
        EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex(), sha1);
        EXPECT_EQ(bytes, sheetGif(i)) << "the build's run of the generator and this one agree";
    }
}

}  // namespace
}  // namespace vtl::sheets
