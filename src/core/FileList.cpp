#include "core/FileList.h"

#include "core/NativeFile.h"
#include <QFileInfo>
#include <algorithm>
#include <vector>

void SortNames(QStringList& names) {
    // Each name is folded once, not once for every comparison it takes part in.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<size_t>(names.size()));
    for (QString& name : names) keyed.emplace_back(name.toCaseFolded(), std::move(name));
    // One three-way comparison of the keys: the pair's own ordering asks each key pair twice.
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int order = QStringView(a.first).compare(b.first);
        return order != 0 ? order < 0 : a.second < b.second;
    });
    for (qsizetype i = 0; i < names.size(); ++i) names[i] = std::move(keyed[static_cast<size_t>(i)].second);
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
