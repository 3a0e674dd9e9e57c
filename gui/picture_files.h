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
// stay sharp at any scale; other files are pixmaps. An SVG file is read when the picture is first drawn
// or asked about, so that the pictures of hidden panels cost nothing until they show.
class Picture {
  public:
    bool isNull() const { return pixmap_.isNull() && !renderer(); }
    bool isVector() const { return renderer() != nullptr; }
    QSize naturalSize() const;
    // Stretched into the box (a vector picture keeps its proportions, centred), or at its natural size
    // from the box's top left corner.
    void paint(QPainter& painter, const QRect& box, bool stretch) const;
    // The largest rectangle of the picture's proportions inside the box, centred, never larger than
    // `limit` (natural size when empty).
    QRect fitted(const QRect& box, QSize limit = {}) const;

    struct VectorFile;

  private:
    friend Picture LoadPicture(const std::string& path);
    QSvgRenderer* renderer() const;  // nullptr for a pixmap or a file that is not a valid SVG
    QPixmap pixmap_;
    std::shared_ptr<VectorFile> svg_;  // shared by every picture of the same file
};

// A window icon of the picture at the usual icon sizes; a null icon without a picture.
QIcon PictureIcon(const Picture& picture);

// Pictures named by a path relative to the program folder or absolute; a file rewritten by a download
// is read again.
Picture LoadPicture(const std::string& path);

}  // namespace gui
