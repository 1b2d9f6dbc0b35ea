#include "tree/TreeNode.h"

#include "tree/ImageList.h"

#include <QTreeWidgetItem>

namespace {
enum Role { KeyRole = Qt::UserRole + 1, TagRole, ImageRole, SelectedImageRole };
}

QString TreeNode::key(const QTreeWidgetItem* node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

QString TreeNode::tag(const QTreeWidgetItem* node)
{
    return node ? node->data(0, TagRole).toString() : QString();
}

int TreeNode::image(const QTreeWidgetItem* node)
{
    return node ? node->data(0, ImageRole).toInt() : 0;
}

int TreeNode::selectedImage(const QTreeWidgetItem* node)
{
    return node ? node->data(0, SelectedImageRole).toInt() : 0;
}

void TreeNode::setKey(QTreeWidgetItem* node, const QString& key)
{
    node->setData(0, KeyRole, key);
}

void TreeNode::setTag(QTreeWidgetItem* node, const QString& tag)
{
    node->setData(0, TagRole, tag);
}

void TreeNode::setImages(QTreeWidgetItem* node, int image, int selectedImage, const ImageList& images)
{
    node->setData(0, ImageRole, image);
    node->setData(0, SelectedImageRole, selectedImage);
    QIcon icon;
    icon.addPixmap(images.pixmap(image), QIcon::Normal);
    icon.addPixmap(images.pixmap(selectedImage), QIcon::Selected);
    node->setIcon(0, icon);
}

bool TreeNode::isGroupImage(int image)
{
    return image == GroupCollapsed || image == GroupExpanded;
}
