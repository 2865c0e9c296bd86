// Writes a generated notes folder for the start-up and idle benchmarks.
//   bench_make_notes FOLDER COUNT [PICTURE] [DAMAGED PER THOUSAND]
#include "NotesGenerator.h"
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_make_notes FOLDER COUNT [PICTURE] [DAMAGED PER THOUSAND]\n");
        return 2;
    }
    QString folder = QString::fromLocal8Bit(argv[1]);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    Bench::WriteNotesFolder(folder, {atoi(argv[2]), 20260615, argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString(),
                                     argc > 4 ? atoi(argv[4]) : 5});
    return 0;
}
