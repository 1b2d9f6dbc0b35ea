#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QString>

class ImageList;
class QTreeWidgetItem;

// What a node of the command tree carries besides its text: what kind of node it
// is, the id of its group or command (a script file's place in its folder), a tag
// (a group's prefix or a command's description) and the image indexes of the
// tree's image list.
namespace TreeNode {

enum ImageIndex { CommandImage = 1, HelpImage = 8, GroupCollapsed = 14, ScriptFile = 15, GroupExpanded = 17 };

enum class Kind {
    None,            // no node
    Group,           // a group of the catalogue
    Command,         // a command of a group, written as "/" + prefix + word
    PetOrder,        // a command of the pet group, "/pet " + word
    Example,         // an example script: a whole line, written as it stands
    ScriptFile,      // a file of the game's scripts folder, "/script " + name
    WholeCatalogue,  // writes every command of the catalogue
};

Kind kind(const QTreeWidgetItem* node);
// A group's or a command's id in the catalogue; a script file's place in the list.
qint64 id(const QTreeWidgetItem* node);
// What a command's value is; NoValue for any other node.
CommandType commandType(const QTreeWidgetItem* node);
QString tag(const QTreeWidgetItem* node);
int image(const QTreeWidgetItem* node);
int selectedImage(const QTreeWidgetItem* node);
// Any node that writes something when inserted, a group being the only other kind.
bool isInsertable(const QTreeWidgetItem* node);

void setGroup(QTreeWidgetItem* node, const CatalogueGroup& group);
void setCommand(QTreeWidgetItem* node, const CatalogueCommand& command);
void setScriptFile(QTreeWidgetItem* node, int place);
void setTag(QTreeWidgetItem* node, const QString& tag);
// Sets the image indexes and the icon the tree shows for them.
void setImages(QTreeWidgetItem* node, int image, int selectedImage, const ImageList& images);

bool isGroupImage(int image);

}
