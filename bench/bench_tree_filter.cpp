// One key typed into the command tree's filter field, over the tree the shipped
// catalogue builds (shown, so the tree's layout and painting count), against Qt's
// own way of filtering a tree -- a QSortFilterProxyModel over the same rows in a
// shown QTreeView, every group of a match opened -- in the same run. Each iteration
// is one step of typing "assist" letter by letter and then clearing the field, so
// narrowing, widening and the return to the tree as built are all in the average.
// Target: under 5 ms a key. Run:
//   cmake --build build --target bench_tree_filter && build/bench_tree_filter
#include "ShippedProgram.h"
#include "tree/CommandTreePanel.h"
#include "tree/TreeFilter.h"
#include "tree/TreeFilterField.h"
#include "tree/TreeNode.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QString kTyped = QStringLiteral("assist");

struct Program : ShippedProgram {
    QList<TreeFilter::Group> rows;  // the tree's rows, for the pure filter alone
    int commands = 0;
};

Program* g_program = nullptr;

// The key of step i: the next letter of the word, or, after its last letter,
// Escape, which empties the field.
QKeyEvent keyOfStep(qsizetype i)
{
    const qsizetype step = i % (kTyped.size() + 1);
    if (step == kTyped.size())
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    const QChar letter = kTyped.at(step);
    return QKeyEvent(QEvent::KeyPress, Qt::Key_A + (letter.unicode() - 'a'), Qt::NoModifier, QString(letter));
}

QString textOfStep(qsizetype i)
{
    const qsizetype step = i % (kTyped.size() + 1);
    return step == kTyped.size() ? QString() : kTyped.left(step + 1);
}

void BM_FilterKey_Zandrel(benchmark::State& state)
{
    auto* field = g_program->main->treePanel().findChild<TreeFilterField*>(QStringLiteral("filterField"));
    field->clear();
    qsizetype i = 0;
    for (auto _ : state) {
        QKeyEvent key = keyOfStep(i++);
        QCoreApplication::sendEvent(field, &key);
        QCoreApplication::processEvents();  // the tree lays out and paints
    }
    if (field->text() != textOfStep(i - 1))
        state.SkipWithError("the field did not take the keys");
    field->clear();
}

// The decision alone, on the same rows: no widget touched.
void BM_FilterKey_DecisionOnly(benchmark::State& state)
{
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(TreeFilter::apply(g_program->rows, textOfStep(i++)).size());
}

void BM_FilterKey_QtProxyModel(benchmark::State& state)
{
    QStandardItemModel model;
    for (int g = 0; g < g_program->main->treePanel().tree()->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* node = g_program->main->treePanel().tree()->topLevelItem(g);
        auto* group = new QStandardItem(node->text(0));
        for (int r = 0; r < node->childCount(); ++r)
            group->appendRow({new QStandardItem(node->child(r)->text(0)), new QStandardItem(TreeNode::tag(node->child(r)))});
        model.appendRow(group);
    }
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setRecursiveFilteringEnabled(true);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(-1);
    QTreeView view;
    view.setModel(&proxy);
    view.setHeaderHidden(true);
    view.hideColumn(1);
    view.resize(g_program->main->treePanel().tree()->size());
    view.show();
    QCoreApplication::processEvents();
    qsizetype i = 0;
    for (auto _ : state) {
        const QString text = textOfStep(i++);
        proxy.setFilterFixedString(text);
        if (!text.isEmpty())
            view.expandAll();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_FilterKey_Zandrel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKey_DecisionOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKey_QtProxyModel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    Program program;
    g_program = &program;
    return runOnShippedProgram(argc, argv, program, [&program] {
        const QTreeWidget* tree = program.main->treePanel().tree();
        for (int g = 0; g < tree->topLevelItemCount(); ++g) {
            TreeFilter::Group group;
            for (int r = 0; r < tree->topLevelItem(g)->childCount(); ++r) {
                const QTreeWidgetItem* node = tree->topLevelItem(g)->child(r);
                group.rows.append({node->text(0), TreeNode::tag(node)});
            }
            program.commands += int(group.rows.size());
            program.rows.append(group);
        }
        fprintf(stderr, "tree: %d groups, %d commands\n", tree->topLevelItemCount(), program.commands);
        return true;
    });
}
