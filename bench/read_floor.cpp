// The floor under `pvl3 list`: every regular file of a folder opened, read to its end and closed by plain
// system calls, with nothing parsed or printed. What this costs on a machine, no reader of the same files
// can undercut; compare `pvl3 list`'s CPU time with it.
//
//   bench_read_floor FOLDER        prints the files read and the CPU time taken
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    DIR* dir = ::opendir(argv[1]);
    if (!dir) return 1;
    const int folder = ::dirfd(dir);
    char buffer[16 * 1024]; // as the reader's first read
    long files = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.' || entry->d_type != DT_REG) continue;
        const int fd = ::openat(folder, entry->d_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) continue;
        if (::read(fd, buffer, sizeof buffer) > 0 && ::read(fd, buffer, sizeof buffer) == 0) ++files;
        ::close(fd);
    }
    ::closedir(dir);
    timespec cpu{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::printf("%ld files, %.1f ms CPU\n", files, cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
    return 0;
}
