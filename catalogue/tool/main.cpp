// zandrel-catalogue <data folder> <output .db>: builds the command catalogue from its
// text sources. Every fault goes to stderr as "file:line: message"; exit code 1 then,
// and no database is left at the output path.

#include "catalogue/CatalogueBuilder.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zandrel-catalogue <data folder> <output .db>\n");
        return 2;
    }
    QList<CatalogueBuilder::Problem> problems;
    if (!CatalogueBuilder::build(args.at(1), args.at(2), problems)) {
        for (const auto& problem : problems)
            std::fprintf(stderr, "%s\n", qPrintable(problem.text()));
        std::fprintf(stderr, "zandrel-catalogue: %lld problem(s); no catalogue written\n",
                     static_cast<long long>(problems.size()));
        return 1;
    }
    return 0;
}
