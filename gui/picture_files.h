// The picture files the controls name.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <memory>
#include <string>

class QPainter;
class QSvgRenderer;

namespace gui {

// A picture as the view draws it. Vector pictures (SVG) are drawn at the size they are shown, so they
// stay sharp at any scale; other files are pixmaps.
class Picture {
  public:
    bool isNull() const { return pixmap_.isNull() && !svg_; }
    bool isVector() const { return svg_ != nullptr; }
    QSize naturalSize() const;
    // Stretched into the box (a vector picture keeps its proportions, centred), or at its natural size
    // from the box's top left corner.
    void paint(QPainter& painter, const QRect& box, bool stretch) const;
    // The largest rectangle of the picture's proportions inside the box, centred, never larger than
    // `limit` (natural size when empty).
    QRect fitted(const QRect& box, QSize limit = {}) const;

  private:
    friend Picture LoadPicture(const std::string& path);
    QPixmap pixmap_;
    std::shared_ptr<QSvgRenderer> svg_;
};

// A window icon of the picture at the usual icon sizes; a null icon without a picture.
QIcon PictureIcon(const Picture& picture);

// Pictures named by a path relative to the program folder or absolute; a file rewritten by a download
// is read again.
Picture LoadPicture(const std::string& path);

}  // namespace gui
