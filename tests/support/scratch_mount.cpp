#include "support/scratch_mount.h"

#include <QFile>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

SmallTmpfs::SmallTmpfs(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (!path.isEmpty() && geteuid() == 0 &&
        mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0)
        folder_ = path;
}

SmallTmpfs::~SmallTmpfs() {
    if (mounted())
        umount2(folder_.constData(), MNT_DETACH);
}

void SmallTmpfs::fill() const {
    const int fd =
        mounted() ? open((folder_ + "/filler").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600)
                  : -1;
    const QByteArray block(4096, 'f');
    while (fd >= 0 && write(fd, block.constData(), block.size()) > 0) {
    }
    close(fd);
}
