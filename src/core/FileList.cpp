#include "core/FileList.h"

#include "core/NativeFile.h"
#include <QFileInfo>
#include <algorithm>

void SortNames(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

void FileList::SetPath(const QString& folder) {
    if (folder != m_folder) Invalidate();
    m_folder = folder;
    Refresh();
}

void FileList::SetPattern(const QString& pattern) {
    if (pattern != m_pattern) Invalidate();
    m_pattern = pattern;
    Refresh();
}

void FileList::Invalidate() {
    m_valid = false;
}

void FileList::Refresh() {
    const QFileInfo folder(m_folder);
    // A sync tool may put the folder's modification time back after moving a note in; the status-change
    // time cannot be put back, so the later of the two tells a change.
    const QDateTime changed =
        folder.exists() ? std::max(folder.lastModified(), folder.metadataChangeTime()).toUTC() : QDateTime();
    // A folder changed within the same clock tick as the last read could look unchanged, so a read that
    // followed a change by less than two seconds is not trusted.
    if (m_valid && changed == m_folderTime && m_folderTime.isValid() && m_readTime > m_folderTime.addSecs(2)) return;
    m_names.clear();
    if (folder.isDir()) {
        m_names = NativeFile::ListFiles(m_folder, m_pattern);
        SortNames(m_names);
    }
    ++m_reads;
    m_folderTime = changed;
    m_readTime = QDateTime::currentDateTimeUtc();
    m_valid = true;
}
