#include "tree/CommandTreeBuilder.h"

#include "catalogue/Catalogue.h"
#include "tree/ImageList.h"
#include "tree/TreeNode.h"
#include "platform/PathLookup.h"

#include <QDir>
#include <QTreeWidget>

QStringList CommandTreeBuilder::scriptFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

void CommandTreeBuilder::FillCommandTree(QTreeWidget& tree, const QString& gamePath)
{
    RowSet groups = m_catalogue.query(QStringLiteral("SELECT * FROM tblCommandGroup"));
    for (; !groups.atEnd(); groups.moveNext()) {
        const int groupId = groups.integer(QStringLiteral("CommandGroupID"));
        auto* group = new QTreeWidgetItem(&tree, QStringList{groups.text(QStringLiteral("CommandGroupText"))});
        TreeNode::setKey(group, QStringLiteral("G") + QString::number(groupId));
        TreeNode::setImages(group, TreeNode::GroupCollapsed, TreeNode::GroupCollapsed, m_images);
        TreeNode::setTag(group, groups.text(QStringLiteral("Prefix")));

        const QString scriptsFolder =
            groupId == ScriptsGroupId ? PathLookup::findDirectory(gamePath, QStringLiteral("scripts")) : QString();
        if (!scriptsFolder.isEmpty()) {
            const QStringList files = scriptFiles(scriptsFolder);
            for (qsizetype i = 0; i < files.size(); ++i) {
                auto* file = new QTreeWidgetItem(group, QStringList{files.at(i)});
                TreeNode::setKey(file, QStringLiteral("F") + QString::number(i));
                TreeNode::setImages(file, TreeNode::ScriptFile, TreeNode::ScriptFile, m_images);
            }
            continue;
        }

        RowSet commands = m_catalogue.query(QStringLiteral("SELECT * FROM tblCommand WHERE CommandGroupID = ?"),
                                            {groupId});
        for (; !commands.atEnd(); commands.moveNext()) {
            const QString text = commands.text(QStringLiteral("CommandText"));
            auto* command = new QTreeWidgetItem(group, QStringList{text});
            TreeNode::setKey(command, QStringLiteral("C") + commands.text(QStringLiteral("CommandID")));
            const int image = m_images.ImageIndexByKey(text);
            TreeNode::setImages(command, image, image, m_images);
            TreeNode::setTag(command, commands.text(QStringLiteral("CommandDescription")));
        }
    }
}
