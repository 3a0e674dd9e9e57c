#include "gui/picture_files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "gui/view_text.h"
#include "platform/runtime.h"

namespace gui {

QPixmap LoadPicture(const std::string& path) {
    if (path.empty()) return {};
    QFileInfo info(Q(path));
    if (info.isRelative()) info = QFileInfo(QDir(Q(platform::ProgramFolder().string())), Q(path));
    if (!info.isFile()) return {};
    struct Entry {
        QDateTime modified;
        qint64 size;
        QPixmap pixmap;
    };
    static QHash<QString, Entry> cache;
    const QString key = info.absoluteFilePath();
    auto it = cache.find(key);
    if (it != cache.end() && it->modified == info.lastModified() && it->size == info.size())
        return it->pixmap;
    QPixmap pixmap(key);
    cache.insert(key, Entry{info.lastModified(), info.size(), pixmap});
    return pixmap;
}

}  // namespace gui
