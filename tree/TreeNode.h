#pragma once

#include <QString>

class ImageList;
class QTreeWidgetItem;

// What a node of the command tree carries besides its text: a key ("G" + group id,
// "C" + command id, "F" + file position), a tag (a group's prefix or a command's
// description) and the image indexes of the tree's image list.
namespace TreeNode {

enum ImageIndex { CommandImage = 1, HelpImage = 8, GroupCollapsed = 14, ScriptFile = 15, GroupExpanded = 17 };

QString key(const QTreeWidgetItem* node);
QString tag(const QTreeWidgetItem* node);
int image(const QTreeWidgetItem* node);
int selectedImage(const QTreeWidgetItem* node);

void setKey(QTreeWidgetItem* node, const QString& key);
void setTag(QTreeWidgetItem* node, const QString& tag);
// Sets the image indexes and the icon the tree shows for them.
void setImages(QTreeWidgetItem* node, int image, int selectedImage, const ImageList& images);

bool isGroupImage(int image);

}
