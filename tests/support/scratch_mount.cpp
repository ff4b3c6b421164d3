#include "support/scratch_mount.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

SmallTmpfs::SmallTmpfs(const QString& folder, int kilobytes) : folder_(QFile::encodeName(folder)) {
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    mounted_ =
        geteuid() == 0 && mount("tmpfs", folder_.constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallTmpfs::~SmallTmpfs() {
    if (mounted_)
        umount2(folder_.constData(), MNT_DETACH);
}

void fillFileSystem(const QString& folder) {
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral("filler")));
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const QByteArray block(4096, 'f');
    while (write(fd, block.constData(), block.size()) > 0) {
    }
    close(fd);
}
