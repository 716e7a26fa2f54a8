#include "sheets/GifWriter.h"

#include <gif_lib.h>

#include <QHash>

#include <memory>
#include <vector>

namespace vtl::sheets {

namespace {

int appendToArray(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

QByteArray encodeGif(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();

    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    QHash<QRgb, int> indexOf{{qRgb(0, 0, 0), 0}};
    std::vector<GifPixelType> pixels(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x] | 0xff000000u;
            auto it = indexOf.find(c);
            if (it == indexOf.end()) {
                if (palette.size() == 256) {
                    return {};
                }
                it = indexOf.insert(c, static_cast<int>(palette.size()));
                palette.push_back(c);
            }
            pixels[static_cast<std::size_t>(y) * w + x] = static_cast<GifPixelType>(*it);
        }
    }

    int bits = 1;
    while ((1u << bits) < palette.size()) {
        ++bits;
    }
    std::vector<GifColorType> colours(1u << bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours[i] = {static_cast<GifByteType>(qRed(palette[i])),
                      static_cast<GifByteType>(qGreen(palette[i])),
                      static_cast<GifByteType>(qBlue(palette[i]))};
    }
    const std::unique_ptr<ColorMapObject, MapDeleter> map(
        GifMakeMapObject(static_cast<int>(colours.size()), colours.data()));

    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendToArray, &error);
    if (!gif || !map) {
        return {};
    }
    bool ok = EGifPutScreenDesc(gif, w, h, bits, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y) {
        ok = EGifPutLine(gif, pixels.data() + static_cast<std::size_t>(y) * w, w) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    return ok ? out : QByteArray();
}

}  // namespace vtl::sheets
