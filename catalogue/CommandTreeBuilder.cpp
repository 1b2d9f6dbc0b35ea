#include "catalogue/CommandTreeBuilder.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ImageList.h"
#include "catalogue/TreeNode.h"
#include "platform/PathLookup.h"

#include <QDir>
#include <QTreeWidget>

QStringList CommandTreeBuilder::scriptFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

void CommandTreeBuilder::FillCommandTree(QTreeWidget& tree, const QString& gamePath)
{
    const QString scriptsFolder = PathLookup::findDirectory(gamePath, QStringLiteral("scripts"));
    const bool listsFiles = !scriptsFolder.isEmpty();
    const std::vector<CatalogueGroup> groups
        = m_catalogue.commandTree([listsFiles](int group) { return !(listsFiles && group == ScriptsGroupId); });
    for (const CatalogueGroup& g : groups) {
        auto* group = new QTreeWidgetItem(&tree, QStringList{g.text});
        TreeNode::setKey(group, QStringLiteral("G") + QString::number(g.id));
        TreeNode::setImages(group, TreeNode::GroupCollapsed, TreeNode::GroupCollapsed, m_images);
        TreeNode::setTag(group, g.prefix);

        if (listsFiles && g.id == ScriptsGroupId) {
            const QStringList files = scriptFiles(scriptsFolder);
            for (qsizetype i = 0; i < files.size(); ++i) {
                auto* file = new QTreeWidgetItem(group, QStringList{files.at(i)});
                TreeNode::setKey(file, QStringLiteral("F") + QString::number(i));
                TreeNode::setImages(file, TreeNode::ScriptFile, TreeNode::ScriptFile, m_images);
            }
            continue;
        }
        for (const CatalogueCommand& c : g.commands) {
            auto* command = new QTreeWidgetItem(group, QStringList{c.text});
            TreeNode::setKey(command, QStringLiteral("C") + QString::number(c.id));
            const int image = m_images.ImageIndexByKey(c.text);
            TreeNode::setImages(command, image, image, m_images);
            TreeNode::setTag(command, c.description);
        }
    }
}
