#include "tree/TreeFilter.h"

QList<TreeFilter::GroupView> TreeFilter::apply(const QList<Group>& groups, const QString& filterText)
{
    const QString needle = filterText.trimmed();
    QList<GroupView> views;
    views.reserve(groups.size());
    for (const Group& group : groups) {
        GroupView view;
        view.rowShown.reserve(group.rows.size());
        bool anyShown = false;
        for (const Row& row : group.rows) {
            const bool shown = needle.isEmpty() || row.text.contains(needle, Qt::CaseInsensitive) ||
                               row.description.contains(needle, Qt::CaseInsensitive);
            view.rowShown.append(shown);
            anyShown = anyShown || shown;
        }
        view.shown = needle.isEmpty() || anyShown;
        // A hidden group keeps its state, so nothing flickers open behind the filter.
        view.open = needle.isEmpty() || !anyShown ? group.open : true;
        views.append(view);
    }
    return views;
}
