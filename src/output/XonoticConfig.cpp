#include "output/XonoticConfig.h"

namespace vtl {

using namespace Qt::StringLiterals;

QString xonoticQuickSaveFile(bool windows, const XonoticFolders& folders,
                             const std::function<bool(const QString&)>& folderExists) {
    if (!windows) {
        return folders.home + u"/.xonotic/data/"_s + kXonoticConfigFile;
    }
    const QString savedGames = folders.savedGames + u"\\xonotic"_s;
    const QString myGames = folders.documents + u"\\My Games\\xonotic"_s;
    const QString userFolder =
        !folderExists(savedGames) && folderExists(myGames) ? myGames : savedGames;
    return userFolder + u"\\data\\"_s + kXonoticConfigFile;
}

}  // namespace vtl
