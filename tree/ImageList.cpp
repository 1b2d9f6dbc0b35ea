#include "tree/ImageList.h"

ImageList::ImageList()
{
    for (int i = 1; i <= 26; ++i) {
        Image image{QPixmap(QStringLiteral(":/resources/images/img%1.png").arg(i, 2, 10, QLatin1Char('0'))), {}};
        if (i == 8)
            image.key = QStringLiteral("help");
        m_images.push_back(image);
    }
}

QPixmap ImageList::pixmap(int index) const
{
    if (index < 1 || index > count())
        return {};
    return m_images[static_cast<size_t>(index - 1)].pixmap;
}

QIcon ImageList::icon(int index) const
{
    const QPixmap p = pixmap(index);
    return p.isNull() ? QIcon() : QIcon(p);
}

QString ImageList::key(int index) const
{
    if (index < 1 || index > count())
        return {};
    return m_images[static_cast<size_t>(index - 1)].key;
}

int ImageList::ImageIndexByKey(const QString& key) const
{
    for (int i = 1; i <= count(); ++i) {
        if (m_images[static_cast<size_t>(i - 1)].key == key)
            return i;
    }
    return 1;
}
