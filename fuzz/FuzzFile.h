#pragma once
// The fuzz input as a file the readers can open by path: a memory file, rewritten for every input, so a
// run costs no disk and the readers take the same way as on a real note.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

class FuzzFile {
public:
    FuzzFile() : m_fd(memfd_create("pvl3-fuzz", 0)) {}
    // The path under which the readers open the content just written.
    QString Write(const uint8_t* data, size_t size) {
        if (ftruncate(m_fd, 0) != 0 || pwrite(m_fd, data, size, 0) != static_cast<ssize_t>(size)) abort();
        return QStringLiteral("/proc/self/fd/%1").arg(m_fd);
    }

private:
    int m_fd;
};
