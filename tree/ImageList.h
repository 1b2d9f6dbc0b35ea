#pragma once

#include <QIcon>
#include <QString>
#include <vector>

// The tree's 26 node pictures of 16 x 16 pixels, indexed from 1. Only image 8 has
// a key, "help".
class ImageList {
public:
    ImageList();

    int count() const { return static_cast<int>(m_images.size()); }
    // An index outside 1..count() gives an empty icon.
    QIcon icon(int index) const;
    QPixmap pixmap(int index) const;
    QString key(int index) const;

    // The first image whose key equals `key` exactly (letter case included), or 1.
    int ImageIndexByKey(const QString& key) const;

private:
    struct Image {
        QPixmap pixmap;
        QString key;
    };
    std::vector<Image> m_images;
};
