#include "modes/TextGames.h"

#include <QDir>
#include <QFont>
#include <QPainter>

namespace vtl {

QByteArray textFragment(int code) {
    if (code == 0 || code == '\n' || code == '\r') {
        return QByteArrayLiteral(" ");
    }
    return QString(QChar(static_cast<char16_t>(code))).toUtf8();
}

CharTable textTable() {
    CharTable table;
    for (int code = 0; code < kCodeCount; ++code) {
        table[static_cast<std::size_t>(code)] = textFragment(code);
    }
    return table;
}

charset::LocatedFont locateTextGameFont(TextGame game, const QString& appDir) {
    const QString home = QDir::homePath();
    QStringList folders{appDir + QStringLiteral("/fonts"),
                        home + QStringLiteral("/.local/share/fonts"),
                        QStringLiteral("/usr/local/share/fonts")};
    switch (game) {
        case TextGame::EtLegacy:
            folders << QStringLiteral("/usr/share/fonts/truetype/jetbrains-mono");
            return charset::locateFont(folders, {QStringLiteral("JetBrainsMono-SemiBold.ttf")},
                                       {QStringLiteral("JetBrains Mono")});
        case TextGame::Warfork:
            // Debian's Droid package holds only the fallback font, which has
            // no Latin letters; the game's own copy or Droid Sans proper wins.
            folders << QStringLiteral("/usr/share/fonts/truetype/droid");
            return charset::locateFont(folders, {QStringLiteral("DroidSans.ttf")},
                                       {QStringLiteral("Droid Sans")},
                                       {QStringLiteral("DejaVu Sans")});
    }
    return {};
}

bool textGameDropsByte(TextGame game, uchar byte) {
    switch (game) {
        case TextGame::EtLegacy:
            return (byte >= 0x80 && byte <= 0xA0) || byte == 0xFF;
        case TextGame::Warfork:
            return byte > 126;
    }
    return false;
}

CharFateNote charFate(TextGame game, int code) {
    if (code == 0 || code == '\n' || code == '\r') {
        return {CharFate::Blank, kBlankText};
    }
    if (code == '"') {
        return {CharFate::BreaksLine, kQuoteText};
    }
    if (code == '\\' || code == ';') {
        return {CharFate::Refused,
                game == TextGame::EtLegacy ? kEtLegacyRefusedText : kWarforkRefusedText};
    }
    const QByteArray bytes = textFragment(code);
    for (const char c : bytes) {
        const auto byte = static_cast<uchar>(c);
        if (textGameDropsByte(game, byte)) {
            if (game == TextGame::Warfork) {
                return {CharFate::Dropped, kWarforkDropsText};
            }
            return {CharFate::Dropped,
                    kEtLegacyDropsText.arg(
                        QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper())};
        }
    }
    return {};
}

QImage withMarks(const QImage& sheet, const QImage& marks) {
    if (marks.isNull()) {
        return sheet;
    }
    QImage map = sheet.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&map);
    painter.drawImage(0, 0, marks);
    return map;
}

QImage textMapMarks(const QImage& glyphs, TextGame game) {
    constexpr int kCell = 16;
    QImage map(glyphs.size(), QImage::Format_ARGB32_Premultiplied);
    map.fill(Qt::transparent);
    QPainter painter(&map);
    QFont digits(QStringLiteral("DejaVu Sans"));
    digits.setPixelSize(6);
    painter.setFont(digits);
    for (int code = 0; code < kCodeCount; ++code) {
        const QRect cell((code % 16) * kCell, (code / 16) * kCell, kCell, kCell);
        bool empty = true;
        for (int y = cell.top(); y <= cell.bottom() && empty; ++y) {
            for (int x = cell.left(); x <= cell.right() && empty; ++x) {
                empty = qAlpha(glyphs.pixel(x, y)) == 0;
            }
        }
        if (empty && code != ' ' && code != 0xA0) {
            painter.setPen(QColor(90, 90, 90));
            painter.drawText(cell, Qt::AlignCenter,
                             QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper());
        }
        switch (charFate(game, code).fate) {
            case CharFate::Kept:
                break;
            case CharFate::Blank:
            case CharFate::BreaksLine:
                painter.setPen(QColor(220, 40, 40));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
                break;
            case CharFate::Refused:
            case CharFate::Dropped:
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(220, 40, 40));
                painter.drawPolygon(QPolygon{cell.topRight() + QPoint(1, 0),
                                             cell.topRight() + QPoint(-4, 0),
                                             cell.topRight() + QPoint(1, 5)});
                break;
        }
    }
    return map;
}

}  // namespace vtl
