#include "tree/CommandTreeBuilder.h"

#include "catalogue/Catalogue.h"
#include "tree/ImageList.h"
#include "tree/TreeNode.h"
#include "platform/PathLookup.h"
#include "platform/ScriptCodec.h"

#include <QFile>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>

namespace {

// A name the file system gives as bytes. Names that are not UTF-8 come from a
// Windows side and are read in the scripts' own code page, so the /script line
// saves back to exactly the bytes of the name on disk.
QString nameText(const std::string& bytes)
{
    const QByteArray raw = QByteArray::fromStdString(bytes);
    const QString utf8 = QString::fromUtf8(raw);
    return utf8.toUtf8() == raw ? utf8 : ScriptCodec::decode(raw);
}

// A name goes into a script as part of one line: a line break, or any other
// control character, would split the line or hide in it.
bool fitsOnOneLine(const QString& name)
{
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        const QChar::Category kind = c.category();
        return kind == QChar::Other_Control || kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph;
    });
}

}

QStringList CommandTreeBuilder::scriptFiles(const QString& folder)
{
    // Read straight from the file system: Qt's own listing drops names that are not
    // valid UTF-8.
    QStringList names;
    std::error_code error;
    const std::filesystem::directory_iterator end;
    for (std::filesystem::directory_iterator it(QFile::encodeName(folder).toStdString(), error); !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().native();
        std::error_code statError;
        if (name.starts_with('.') || !it->is_regular_file(statError))
            continue;
        const QString text = nameText(name);
        if (fitsOnOneLine(text))
            names << text;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byCase = a.compare(b, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a < b;
    });
    return names;
}

void CommandTreeBuilder::listScripts(QTreeWidgetItem& group, const QString& folder) const
{
    qDeleteAll(group.takeChildren());
    const QStringList files = scriptFiles(folder);
    for (qsizetype i = 0; i < files.size(); ++i) {
        auto* file = new QTreeWidgetItem(&group, QStringList{files.at(i)});
        TreeNode::setScriptFile(file, int(i));
        TreeNode::setImages(file, TreeNode::ScriptFile, TreeNode::ScriptFile, m_images);
    }
}

void CommandTreeBuilder::fill(QTreeWidget& tree, const QString& gamePath)
{
    const QString scriptsFolder = PathLookup::findDirectory(gamePath, QStringLiteral("scripts"));
    const bool listsFiles = !scriptsFolder.isEmpty();
    // Filled again when the game folder changes: the old nodes go first.
    tree.clear();
    const std::vector<CatalogueGroup> groups
        = m_catalogue.commandTree([listsFiles](int group) { return !(listsFiles && group == CommandGroup::Scripts); });
    for (const CatalogueGroup& g : groups) {
        auto* group = new QTreeWidgetItem(&tree, QStringList{g.text});
        TreeNode::setGroup(group, g);
        TreeNode::setImages(group, TreeNode::GroupCollapsed, TreeNode::GroupCollapsed, m_images);

        if (listsFiles && g.id == CommandGroup::Scripts) {
            listScripts(*group, scriptsFolder);
            continue;
        }
        for (const CatalogueCommand& c : g.commands) {
            auto* command = new QTreeWidgetItem(group, QStringList{c.text});
            TreeNode::setCommand(command, c);
            const int image = m_images.ImageIndexByKey(c.text);
            TreeNode::setImages(command, image, image, m_images);
        }
    }
}
