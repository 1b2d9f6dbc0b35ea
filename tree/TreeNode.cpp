#include "tree/TreeNode.h"

#include "tree/ImageList.h"

#include <QTreeWidgetItem>

namespace {
enum Role { KindRole = Qt::UserRole + 1, IdRole, TypeRole, TagRole, ImageRole, SelectedImageRole };

void setKindAndId(QTreeWidgetItem* node, TreeNode::Kind kind, qint64 id)
{
    node->setData(0, KindRole, int(kind));
    node->setData(0, IdRole, id);
}
}

TreeNode::Kind TreeNode::kind(const QTreeWidgetItem* node)
{
    return node ? Kind(node->data(0, KindRole).toInt()) : Kind::None;
}

qint64 TreeNode::id(const QTreeWidgetItem* node)
{
    return node ? node->data(0, IdRole).toLongLong() : 0;
}

CommandType TreeNode::commandType(const QTreeWidgetItem* node)
{
    return node ? CommandType(node->data(0, TypeRole).toInt()) : CommandType::NoValue;
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

bool TreeNode::isInsertable(const QTreeWidgetItem* node)
{
    const Kind k = kind(node);
    return k != Kind::None && k != Kind::Group;
}

void TreeNode::setGroup(QTreeWidgetItem* node, const CatalogueGroup& group)
{
    setKindAndId(node, Kind::Group, group.id);
    setTag(node, group.prefix);
}

void TreeNode::setCommand(QTreeWidgetItem* node, const CatalogueCommand& command)
{
    Kind kind = Kind::Command;
    if (command.isWholeCatalogue())
        kind = Kind::WholeCatalogue;
    else if (command.group == CommandGroup::Pet)
        kind = Kind::PetOrder;
    else if (command.group == CommandGroup::Examples)
        kind = Kind::Example;
    setKindAndId(node, kind, command.id);
    node->setData(0, TypeRole, int(command.type));
    setTag(node, command.description);
}

void TreeNode::setScriptFile(QTreeWidgetItem* node, int place)
{
    setKindAndId(node, Kind::ScriptFile, place);
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
