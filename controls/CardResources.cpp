#include "CardResources.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QSvgRenderer>

// Resources of a static library are only linked in when something refers to
// their initialiser. They are registered as this file is loaded, before any
// window asks for a ":/icons/" path: every program that shows a card or an
// icon links this file.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {
[[maybe_unused]] const bool kIconsRegistered = (initIconResources(), true);
} // namespace

QFont CardFont()
{
    QFont font;
    // Arial has no Chinese glyphs; the faces after it carry the labels.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"),
                      QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(15);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

QString IconResourcePath(int iconId)
{
    return QStringLiteral(":/icons/icon%1.svg").arg(iconId);
}

QImage IconImage(int iconId, int size)
{
    // Images, not pixmaps: a static cache outlives the application object,
    // and only images may be destroyed without one.
    static QHash<quint64, QImage> cache;
    const quint64 key = (static_cast<quint64>(static_cast<quint32>(iconId)) << 32) | static_cast<quint32>(size);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;

    QImage image;
    const QString path = IconResourcePath(iconId);
    if (size > 0 && QFile::exists(path)) {
        QSvgRenderer renderer(path);
        if (renderer.isValid()) {
            image = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
    }
    cache.insert(key, image);
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        const QImage image = IconImage(128, size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
