#pragma once
// A folder's files matching a pattern, in name order, as of the last Refresh. Refresh re-reads the folder
// only when it may have changed, so a once-a-second refresh of a large folder costs one stat.
#include <QDateTime>
#include <QString>
#include <QStringList>

class FileList {
public:
    void SetPath(const QString& folder);
    void SetPattern(const QString& pattern);
    QString Path() const { return m_folder; }
    void Refresh();
    const QStringList& Names() const { return m_names; } // file names without folder
    int ListCount() const { return static_cast<int>(m_names.size()); }
    int ReadCount() const { return m_reads; } // how often the folder was actually read

private:
    void Invalidate();
    QString m_folder;
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_names;
    QDateTime m_folderTime; // modification time of the folder when it was last read
    QDateTime m_readTime;   // when it was read
    bool m_valid = false;
    int m_reads = 0;
};

// Name order of the list: case-insensitive first, so "b.nte" sorts between "A.nte" and "C.nte".
void SortNames(QStringList& names);
