#include "gui/picture_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include "gui/view_text.h"
#include "platform/data_folders.h"

namespace gui {

namespace {

// By content, not name: a download keeps the name its address gives it.
bool IsVectorFile(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = in.read(512);
    return head.contains("<svg");
}

}  // namespace

struct Picture::VectorFile {
    QString file;
    bool read = false;
    std::unique_ptr<QSvgRenderer> renderer;
};

QSvgRenderer* Picture::renderer() const {
    if (!svg_) return nullptr;
    if (!svg_->read) {
        svg_->read = true;
        auto renderer = std::make_unique<QSvgRenderer>(svg_->file);
        if (renderer->isValid()) svg_->renderer = std::move(renderer);
    }
    return svg_->renderer.get();
}

QSize Picture::naturalSize() const {
    QSvgRenderer* svg = renderer();
    return svg ? svg->defaultSize() : pixmap_.size();
}

QRect Picture::fitted(const QRect& box, QSize limit) const {
    if (isNull() || box.isEmpty()) return {};
    if (limit.isEmpty()) limit = naturalSize();
    const QSize size = naturalSize().scaled(box.size().boundedTo(limit), Qt::KeepAspectRatio);
    QRect r(QPoint(0, 0), size);
    r.moveCenter(box.center());
    return r;
}

void Picture::paint(QPainter& painter, const QRect& box, bool stretch) const {
    if (isNull()) return;
    if (QSvgRenderer* svg = renderer()) {
        const QRect target = stretch ? fitted(box, box.size()) : QRect(box.topLeft(), naturalSize());
        painter.setRenderHint(QPainter::Antialiasing);
        svg->render(&painter, QRectF(target));
    } else if (stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(box, pixmap_);
    } else {
        painter.drawPixmap(box.topLeft(), pixmap_);
    }
}

QIcon PictureIcon(const Picture& picture) {
    QIcon icon;
    if (picture.isNull()) return icon;
    // The sizes of title bars and task switchers; each is drawn before the first window shows.
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        picture.paint(painter, pixmap.rect(), true);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

Picture LoadPicture(const std::string& path) {
    if (path.empty()) return {};
    QFileInfo info(Q(path));
    if (info.isRelative()) info = QFileInfo(Q(platform::ReadableFile(path).string()));
    if (!info.isFile()) return {};
    struct Entry {
        QDateTime modified;
        qint64 size;
        Picture picture;
    };
    static QHash<QString, Entry> cache;
    const QString key = info.absoluteFilePath();
    auto it = cache.find(key);
    if (it != cache.end() && it->modified == info.lastModified() && it->size == info.size())
        return it->picture;
    Picture picture;
    if (IsVectorFile(key)) {
        picture.svg_ = std::make_shared<Picture::VectorFile>();
        picture.svg_->file = key;
    } else {
        picture.pixmap_ = QPixmap(key);
    }
    cache.insert(key, Entry{info.lastModified(), info.size(), picture});
    return picture;
}

}  // namespace gui
