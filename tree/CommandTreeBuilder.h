#pragma once

#include <QString>
#include <QStringList>

class Catalogue;
class ImageList;
class QTreeWidget;
class QTreeWidgetItem;

// Builds the command tree from the catalogue: the groups, under each its commands,
// and under the scripts group the files of the game's scripts folder instead.
class CommandTreeBuilder {
public:

    CommandTreeBuilder(Catalogue& catalogue, const ImageList& images) : m_catalogue(catalogue), m_images(images) {}

    void fill(QTreeWidget& tree, const QString& gamePath);

    // The files of a scripts folder as the tree lists them: plain files only (no
    // folders, no hidden files), ordered by name without regard to letter case.
    // Names in any encoding are listed; a name that cannot stand in one script line
    // (a line break or another control character in it) is left out.
    static QStringList scriptFiles(const QString& folder);
    // Puts the script files of `folder` under the scripts group, in place of those it
    // listed before.
    void listScripts(QTreeWidgetItem& group, const QString& folder) const;

private:
    Catalogue& m_catalogue;
    const ImageList& m_images;
};
